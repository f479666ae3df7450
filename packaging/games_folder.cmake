# Run by cpack on the staged tree, before it packs. The command finds the
# launcher, program and cues relative to itself, and games/ lies one level
# below the prefix as bin/ does, so those paths still hold.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(prefix ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
    file(RENAME ${prefix}/bin ${prefix}/games)
endif()
