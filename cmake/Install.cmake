# Install rules (GNUInstallDirs): the programs, the localization files in
# their Windows-1251 form, the desktop entry, the icons and the AppStream
# metadata.
#
#   cmake --install build/release --prefix P

# The programs that exist in this tree; the solver joins when it is built.
foreach(program glowmere glowmere-judge glowmere-solve)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# An installed game started anywhere but in a folder with its own .loc
# files reads these copies and never writes them (framework/ProgramFolder.h).
# They are the build's conversions of data/loc/, not the copies in run/
# that the game rewrites when it runs there.
install(FILES ${PROJECT_BINARY_DIR}/data/loc/TUV-2009-2.loc ${PROJECT_BINARY_DIR}/data/loc/Glowmere-2.loc
        DESTINATION ${GLOWMERE_INSTALL_DATADIR})

# The desktop entry and the metadata carry the version and the names of
# the icon and the entry; they are made at configure time from data/desktop/.
set(glowmere_desktop_dir ${PROJECT_BINARY_DIR}/desktop)
configure_file(${PROJECT_SOURCE_DIR}/data/desktop/glowmere.desktop.in
               ${glowmere_desktop_dir}/${GLOWMERE_APP_ID}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/desktop/glowmere.metainfo.xml.in
               ${glowmere_desktop_dir}/${GLOWMERE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${glowmere_desktop_dir}/${GLOWMERE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${glowmere_desktop_dir}/${GLOWMERE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Drawn by tools/level_art from the placed light's icon.
foreach(size 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/app_icon_${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${GLOWMERE_APP_ID}.png)
endforeach()
