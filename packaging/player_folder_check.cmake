# Run first when the tree is installed: the player's own folder, where the
# game keeps the high score and the player's cues ($XDG_DATA_HOME/marvesto, by
# default ~/.local/share/marvesto), may be cleared by the player at any time,
# so nothing is installed into it, and the installed data does not hold it.
set(destination "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
if(IS_ABSOLUTE "$ENV{XDG_DATA_HOME}")
    set(player_folder "$ENV{XDG_DATA_HOME}/marvesto")
elseif(NOT "$ENV{HOME}" STREQUAL "")
    set(player_folder "$ENV{HOME}/.local/share/marvesto")
else()
    return()
endif()
cmake_path(NORMAL_PATH destination)
cmake_path(NORMAL_PATH player_folder)
set(data "${destination}/${marvesto_data_dir}")
cmake_path(NORMAL_PATH data)
cmake_path(IS_PREFIX player_folder "${destination}" NORMALIZE inside_player_folder)
cmake_path(IS_PREFIX data "${player_folder}" NORMALIZE holding_player_folder)
if(inside_player_folder OR holding_player_folder)
    message(FATAL_ERROR "Marvesto is not installed into ${destination}: its data would share "
                        "${player_folder}, the player's own folder, which a player may clear.")
endif()
