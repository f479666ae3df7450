# Run by cpack on the staged tree, before it packs: the Debian package depends
# on fonts-dejavu-core and fonts-dejavu-extra instead of carrying copies of
# their files, and leaves no folder empty behind them.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(folder ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_MARVESTO_FONT_DIR})
    file(REMOVE_RECURSE ${folder})
    cmake_path(GET folder PARENT_PATH folder)
    file(GLOB left ${folder}/*)
    while(NOT left)
        file(REMOVE_RECURSE ${folder})
        cmake_path(GET folder PARENT_PATH folder)
        file(GLOB left ${folder}/*)
    endwhile()
endif()
