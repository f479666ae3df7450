# The static checks: every C++ source compiled after this is included is also
# checked by clang-tidy (the checks in .clang-tidy) and cppcheck, and any
# finding of either fails its compilation, as a missing tool fails the
# configuration.
find_program(CLANG_TIDY_PROGRAM clang-tidy REQUIRED)
find_program(CPPCHECK_PROGRAM cppcheck REQUIRED)
get_filename_component(marvesto_lint_root ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
# Every file of the project is checked, whatever its folder: a unity source
# includes the project's .cpp files the way it includes headers, so a file
# outside the header filter would go unchecked. The system's and the
# toolkit's headers lie outside the project.
string(REGEX REPLACE "([][.*+?^$(){}|\\\\])" "\\\\\\1" marvesto_lint_project "${CMAKE_SOURCE_DIR}")
set(CMAKE_CXX_CLANG_TIDY ${CLANG_TIDY_PROGRAM} --quiet
    --config-file=${marvesto_lint_root}/.clang-tidy "--header-filter=^${marvesto_lint_project}/")
set(CMAKE_CXX_CPPCHECK ${CPPCHECK_PROGRAM} --std=c++20 --quiet --error-exitcode=1
    --enable=warning,style,performance,portability --inline-suppr
    --suppress=missingIncludeSystem --suppress=*:/usr/*)

# Cross-compiled with GCC (the Windows build), the code is read by clang for
# GCC's target, with GCC's C++ library: clang finds the target's C headers
# itself, and GCC's own headers of compiler intrinsics are not clang's.
if(CMAKE_CROSSCOMPILING AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dumpmachine
                    OUTPUT_VARIABLE marvesto_lint_target OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
    list(APPEND CMAKE_CXX_CLANG_TIDY "--extra-arg-before=--target=${marvesto_lint_target}"
         "--extra-arg-before=-nostdinc++")
    foreach(folder IN LISTS CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES)
        if(folder MATCHES "/c\\+\\+")
            list(APPEND CMAKE_CXX_CLANG_TIDY "--extra-arg=-isystem${folder}")
        endif()
    endforeach()
    if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
        list(APPEND CMAKE_CXX_CPPCHECK --platform=win64)
    endif()
endif()

# marvesto_lint_as_unity_sources(TARGET...): clang-tidy spends its time walking
# the Qt and standard headers, once for each translation unit, so the checked
# targets are compiled in unity sources, a few files to each. The default build
# still compiles every file alone, which keeps each file's own includes
# complete. The unity sources' includes of .cpp files are CMake's, not findings.
function(marvesto_lint_as_unity_sources)
    set_target_properties(${ARGN} PROPERTIES
        UNITY_BUILD ON
        UNITY_BUILD_CODE_BEFORE_INCLUDE "// NOLINTNEXTLINE(bugprone-suspicious-include)")
endfunction()
