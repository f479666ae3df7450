# The Windows build, cross-compiled with mingw-w64 (cmake/mingw-w64.cmake):
# the Win32 front end, the cue player over the Media Control Interface, the
# program, its installer and its zip; with the tests, those that run under
# Wine.
add_compile_definitions(UNICODE _UNICODE WINVER=0x0A00 _WIN32_WINNT=0x0A00 NOMINMAX
                        WIN32_LEAN_AND_MEAN)
# Every program needs only Windows' own libraries: libstdc++, libgcc and
# winpthread are linked in.
add_link_options(-static)
add_subdirectory(ui/win32)
add_subdirectory(sound/mci)
add_subdirectory(app/win32)
add_subdirectory(packaging/windows)
if(MARVESTO_LINT)
    marvesto_lint_as_unity_sources(marvesto_game marvesto_store marvesto_sound marvesto_sound_mci
        marvesto_ui marvesto_ui_win32 marvesto)
endif()
# Tests and benchmarks are not held to the static checks.
unset(CMAKE_CXX_CLANG_TIDY)
unset(CMAKE_CXX_CPPCHECK)
if(MARVESTO_BENCHMARKS)
    add_subdirectory(bench/win32)
endif()
include(CTest)
if(BUILD_TESTING)
    add_subdirectory(tests/rules)
    add_subdirectory(tests/windows)
endif()
