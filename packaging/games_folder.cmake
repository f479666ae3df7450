# Run by cpack on the staged tree, before it packs. The command finds the
# launcher, program and cues relative to itself, and games/ lies one level
# below the prefix as bin/ does, so those paths still hold; the menu entry,
# which names the command by its full path, follows it.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(prefix ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
    file(RENAME ${prefix}/bin ${prefix}/games)
    set(entry ${prefix}/share/applications/org.marvesto.Marvesto.desktop)
    file(READ ${entry} text)
    string(REPLACE "Exec=${CPACK_PACKAGING_INSTALL_PREFIX}/bin/marvesto\n"
                   "Exec=${CPACK_PACKAGING_INSTALL_PREFIX}/games/marvesto\n" moved "${text}")
    if(moved STREQUAL text)
        message(FATAL_ERROR "The menu entry does not start ${CPACK_PACKAGING_INSTALL_PREFIX}/bin/marvesto")
    endif()
    file(WRITE ${entry} "${moved}")
endif()
