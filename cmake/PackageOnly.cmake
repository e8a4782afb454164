# Run by cpack after the install into its staging folder: files that belong
# to the Debian package alone, not to an install into a prefix.
file(INSTALL ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides
     DESTINATION "${CPACK_PACKAGING_INSTALL_PREFIX}/share/lintian/overrides"
     RENAME glowmere)
