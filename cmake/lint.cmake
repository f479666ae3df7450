# The static checks: every C++ source compiled after this is included is also
# checked by clang-tidy (the checks in .clang-tidy) and cppcheck, and any
# finding of either fails its compilation, as a missing tool fails the
# configuration.
find_program(CLANG_TIDY_PROGRAM clang-tidy REQUIRED)
find_program(CPPCHECK_PROGRAM cppcheck REQUIRED)
get_filename_component(marvesto_lint_root ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
set(CMAKE_CXX_CLANG_TIDY ${CLANG_TIDY_PROGRAM} --quiet
    --config-file=${marvesto_lint_root}/.clang-tidy)
set(CMAKE_CXX_CPPCHECK ${CPPCHECK_PROGRAM} --std=c++20 --quiet --error-exitcode=1
    --enable=warning,style,performance,portability --inline-suppr
    --suppress=missingIncludeSystem --suppress=*:/usr/*)
