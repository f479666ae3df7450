# The test and benchmark parts that need more than building and playing do. A
# part whose tools are missing is left out with one message, so that a plain
# configuration on a machine with only the game's own packages builds the game.
# With MARVESTO_ALL_TESTS, as in the presets and so in ./test, a missing tool
# stops the configuration instead: there every part must run.
#
# marvesto_part(RESULT "what the part is"
#               [PROGRAMS name...]        programs looked for on the PATH
#               [PYTHON_MODULES name...]  modules the system's python3 must import
#               [FOUND variable text])    a check made by the caller, and what it needs
# sets RESULT to whether the part is built.
function(marvesto_part result part)
    cmake_parse_arguments(PARSE_ARGV 2 needs "" "" "PROGRAMS;PYTHON_MODULES;FOUND")
    set(missing)
    foreach(program IN LISTS needs_PROGRAMS)
        string(MAKE_C_IDENTIFIER "MARVESTO_PROGRAM_${program}" variable)
        find_program(${variable} ${program})
        if(NOT ${variable})
            list(APPEND missing ${program})
        endif()
    endforeach()
    if(needs_PYTHON_MODULES)
        # Debian's test modules serve the system's own Python only.
        find_program(MARVESTO_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
        foreach(module IN LISTS needs_PYTHON_MODULES)
            if(MARVESTO_SYSTEM_PYTHON AND NOT MARVESTO_PYTHON_HAS_${module})
                execute_process(COMMAND ${MARVESTO_SYSTEM_PYTHON} -c "import ${module}"
                                RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
                if(status EQUAL 0)
                    set(MARVESTO_PYTHON_HAS_${module} TRUE CACHE INTERNAL "")
                endif()
            endif()
            if(NOT MARVESTO_PYTHON_HAS_${module})
                list(APPEND missing "python3's ${module}")
            endif()
        endforeach()
    endif()
    if(needs_FOUND)
        list(GET needs_FOUND 0 found)
        list(GET needs_FOUND 1 what)
        if(NOT ${found})
            list(APPEND missing ${what})
        endif()
    endif()

    if(NOT missing)
        set(${result} TRUE PARENT_SCOPE)
        return()
    endif()
    list(JOIN missing ", " missing)
    if(MARVESTO_ALL_TESTS)
        message(FATAL_ERROR "${part} needs ${missing}: tools/install-deps test installs them.")
    endif()
    message(STATUS "Left out: ${part}, for want of ${missing}.")
    set(${result} FALSE PARENT_SCOPE)
endfunction()
