# Run by the install (cmake/Install.cmake), where the prefix is known at
# last: writes a desktop entry with the full path of the installed program
# and installs it. Given: glowmere_desktop_template (the entry made at
# configure time, with @GLOWMERE_PROGRAM_PATH@ left in), glowmere_desktop_dir
# (a build folder to write it in), glowmere_desktop_name (its file name),
# glowmere_desktop_program (the program's name), glowmere_bindir and
# glowmere_applications_dir (relative to the prefix).
set(game "${CMAKE_INSTALL_PREFIX}/${glowmere_bindir}/${glowmere_desktop_program}")
# The Exec key's quoting: a path with other characters is quoted, its
# backslashes, double quotes, dollars and backquotes escaped, then every
# backslash doubled again for the key's string, and a percent sign doubled.
if(NOT game MATCHES "^[A-Za-z0-9/._+,:@=-]+$")
  string(REGEX REPLACE "([\\\\\"`$])" "\\\\\\1" game "${game}")
  string(REPLACE "\\" "\\\\" game "${game}")
  string(REPLACE "%" "%%" game "${game}")
  set(game "\"${game}\"")
endif()
file(READ "${glowmere_desktop_template}" entry)
string(REPLACE "@GLOWMERE_PROGRAM_PATH@" "${game}" entry "${entry}")
# Written apart for each destination, and removed once installed, so that
# installs running at once (the tests, cpack) never take each other's entry.
string(MD5 destination "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(file "${glowmere_desktop_dir}/${destination}/${glowmere_desktop_name}")
file(WRITE "${file}" "${entry}")
file(INSTALL "${file}" DESTINATION "${CMAKE_INSTALL_PREFIX}/${glowmere_applications_dir}"
     PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(REMOVE_RECURSE "${glowmere_desktop_dir}/${destination}")
