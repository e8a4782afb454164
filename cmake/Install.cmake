# Install rules: the programs in games/ (GLOWMERE_INSTALL_BINDIR), the
# localization files in their Windows-1251 form, the desktop entry, the
# icons and the AppStream metadata. The manual pages, the copyright file
# and the changelog are doc/'s.
#
#   cmake --install build/release --prefix P

foreach(program glowmere glowmere-judge glowmere-solve glowmere-edit)
  install(TARGETS ${program} RUNTIME DESTINATION ${GLOWMERE_INSTALL_BINDIR})
endforeach()
# A stripped install (the package) also drops the compilers' notes, as
# Debian's own stripping does: they are of no use to anyone running it.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program glowmere glowmere-judge glowmere-solve glowmere-edit)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${GLOWMERE_INSTALL_BINDIR}/\${program}\"
                      COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")

# An installed game started anywhere but in a folder with its own .loc
# files reads these copies and never writes them (framework/ProgramFolder.h).
# They are the build's conversions of data/loc/, not the copies in run/
# that the game rewrites when it runs there.
install(FILES ${PROJECT_BINARY_DIR}/data/loc/TUV-2009-2.loc ${PROJECT_BINARY_DIR}/data/loc/Glowmere-2.loc
        DESTINATION ${GLOWMERE_INSTALL_DATADIR})

# The metadata carries the releases of doc/changelog and the names of the
# icon and the entry; it is made at configure time from data/desktop/. The
# game and the level editor are two applications of the menu, each with its
# entry, its metadata and its icon.
set(glowmere_desktop_dir ${PROJECT_BINARY_DIR}/desktop)
foreach(application game editor)
  if(application STREQUAL game)
    set(app_id ${GLOWMERE_APP_ID})
    set(program glowmere)
    set(icon app_icon)
  else()
    set(app_id ${GLOWMERE_EDITOR_APP_ID})
    set(program glowmere-edit)
    set(icon editor_icon)
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/data/desktop/${program}.metainfo.xml.in
                 ${glowmere_desktop_dir}/${app_id}.metainfo.xml @ONLY)
  install(FILES ${glowmere_desktop_dir}/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The desktop entry starts the installed program by its full path, which
  # only the install knows (--prefix, or /usr for the package): /usr/games
  # is not on every user's PATH (root's, for one), nor is games/ under a
  # private prefix.
  set(GLOWMERE_PROGRAM_PATH @GLOWMERE_PROGRAM_PATH@)  # left for the install to fill in
  configure_file(${PROJECT_SOURCE_DIR}/data/desktop/${program}.desktop.in
                 ${glowmere_desktop_dir}/${program}.desktop.in @ONLY)
  install(CODE "
    set(glowmere_desktop_template \"${glowmere_desktop_dir}/${program}.desktop.in\")
    set(glowmere_desktop_dir \"${glowmere_desktop_dir}/installed\")
    set(glowmere_desktop_name \"${app_id}.desktop\")
    set(glowmere_desktop_program \"${program}\")
    set(glowmere_bindir \"${GLOWMERE_INSTALL_BINDIR}\")
    set(glowmere_applications_dir \"${CMAKE_INSTALL_DATADIR}/applications\")")
  install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallDesktopEntry.cmake)

  # Drawn by tools/level_art.
  foreach(size 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/data/${icon}_${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${app_id}.png)
  endforeach()
endforeach()
