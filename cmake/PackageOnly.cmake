# Run by cpack, before the install into its staging folder: files that
# belong to the Debian package alone, not to an install into a prefix. The
# folders it makes take the package's modes (cmake/Package.cmake).
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
file(INSTALL ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides
     DESTINATION "${CPACK_PACKAGING_INSTALL_PREFIX}/share/lintian/overrides"
     RENAME glowmere PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
