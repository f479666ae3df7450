# Read by cpack before it packs. The DEB generator dates the files in both
# tarballs and the archive's members from SOURCE_DATE_EPOCH, so a package built
# twice from one commit is the same bytes. A packager's own value wins; else
# the date of the last commit, or outside git that of the newest changelog entry.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -C ${CPACK_MARVESTO_SOURCE_DIR} log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT epoch)
        execute_process(COMMAND dpkg-parsechangelog -l ${CPACK_MARVESTO_SOURCE_DIR}/packaging/changelog
                                -S Timestamp
                        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    endif()
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
