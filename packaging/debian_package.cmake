# `cpack` (or `cpack -G DEB`) builds marvesto_<version>_<arch>.deb from the
# installation laid out in this folder, installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME marvesto)
set(CPACK_PACKAGE_VENDOR "Marvesto maintainers")
set(CPACK_PACKAGE_CONTACT
    "Marvesto maintainers <maintainers@users.noreply.c-seed-98a45d13.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "briefcase game: open cases, weigh the banker's offers")
set(CPACK_PACKAGE_DESCRIPTION
    "Twenty-six closed cases hide twenty-six cash prizes from 50 cents to
$200,000. Keep one case, open the others one by one, and decide at each of
the banker's offers whether to take the deal or play on for what your own
case holds. The best amount ever won is kept as the high score.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the libraries the program links; Qt's X platform
# plugin is loaded at run time, so it is named here, as are the packages of
# the three DejaVu Sans styles the window draws with (Bold in the first,
# Oblique and Bold Oblique in the second).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, fonts-dejavu-extra")
# The game runs natively on a Wayland desktop with Qt's Wayland plugin (on
# GNOME's only when the player asks), and through Xwayland without it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

# Debian keeps games in /usr/games, while other prefixes (~/.local) want the
# command in bin/: cpack moves it in the staged tree.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/games_folder.cmake)
# Debian's packages bring the fonts, so the package carries no copies of them.
list(APPEND CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/debian_fonts.cmake)
set(CPACK_MARVESTO_FONT_DIR ${MARVESTO_DATA_DIR}/fonts)
# Sets the SOURCE_DATE_EPOCH that dates everything in the package.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/package_date.cmake)
set(CPACK_MARVESTO_SOURCE_DIR ${PROJECT_SOURCE_DIR})

include(CPack)
