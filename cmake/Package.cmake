# The Debian package, through CPack:
#
#   cmake --build build/release --target package    (or: cd build/release && cpack -G DEB)
#
# makes glowmere_<version>_amd64.deb in the build folder's package/. Its dependencies
# are those of the shared libraries the programs link (dpkg-shlibdeps, from
# dpkg-dev). It installs under /usr, the programs in /usr/games, and has no
# maintainer scripts: dpkg's own triggers refresh the menu, the icon cache
# and the manual's index, and removing the package removes every file it
# brought. The player's files under ~/.local/share/TUV-2009-2/ are never
# the package's.
#
# Two builds of one commit give the same bytes: every file and the archive
# members carry the time of SOURCE_DATE_EPOCH (the newest release's, unless
# the environment sets one), and the programs hold no build folder
# (cmake/Glowmere.cmake). tools/check-reproducible.sh checks it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glowmere)
set(CPACK_PACKAGE_VENDOR "Glowmere developers")
set(CPACK_PACKAGE_CONTACT "${GLOWMERE_MAINTAINER}")
# No homepage: the project has no address of its own yet.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "lighting puzzle of an informatics contest (Russian interface)")
set(CPACK_PACKAGE_DESCRIPTION "Light the whole floor of a dungeon with as few lights as you can. Each light
lights what it sees along straight lines past the walls. The side panel shows
the lights, the lit share of the floor and the record. The interface is in
Russian. The package also holds glowmere-judge, which checks and ranks
solution files without a display, glowmere-solve, which finds the
fewest lights for a level and proves that no fewer can, and glowmere-edit,
a level editor that shows that proved number while the level is drawn.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Folders made by the install into cpack's staging folder get Debian's
# modes whatever the umask of whoever builds the package.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Read by cpack when it runs: the time of every file in the package.
set(glowmere_cpack_config ${PROJECT_BINARY_DIR}/GlowmereCPackOptions.cmake)
file(WRITE ${glowmere_cpack_config}
     "if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})\n  set(ENV{SOURCE_DATE_EPOCH} ${GLOWMERE_SOURCE_DATE_EPOCH})\nendif()\n")
set(CPACK_PROJECT_CONFIG_FILE ${glowmere_cpack_config})
# What only the package holds: lintian's overrides (cmake/lintian-overrides).
set(CPACK_INSTALL_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageOnly.cmake)
# Source packages leave the build folders and the repository out.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/build/;/build-;/\\\\.git/")
include(CPack)
