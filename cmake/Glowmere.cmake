# Project-wide compile settings and the helpers that every folder uses.

# Assertions stay on in every build type: the engine relies on them to stop
# on broken invariants instead of drawing garbage.
foreach(cfg RELEASE RELWITHDEBINFO MINSIZEREL)
  string(REPLACE "-DNDEBUG" "" CMAKE_CXX_FLAGS_${cfg} "${CMAKE_CXX_FLAGS_${cfg}}")
endforeach()
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "" FORCE)
endif()

include(GoogleTest)

# The name of the desktop entry, the AppStream component and the icon.
set(GLOWMERE_APP_ID org.glowmere.Glowmere)
# The same for the level editor, an application of its own in the menu.
set(GLOWMERE_EDITOR_APP_ID org.glowmere.GlowmereEdit)
# The programs go where Debian and the FHS put games: games/ under the
# prefix (/usr/games, /usr/local/games), and the game's data read from
# share/games/glowmere/. A project variable rather than GNUInstallDirs'
# bin/, so that build folders configured before keep no stale bin/.
set(GLOWMERE_INSTALL_BINDIR games CACHE PATH "Where the programs are installed, relative to the prefix")
set(GLOWMERE_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/glowmere)
# The game finds its data from its own folder, so an installed tree can
# move (framework/ProgramFolder.h).
file(RELATIVE_PATH GLOWMERE_DATA_FROM_BINDIR ${CMAKE_INSTALL_PREFIX}/${GLOWMERE_INSTALL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${GLOWMERE_INSTALL_DATADIR})

add_compile_options(-Wall -Wextra)

if(GLOWMERE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(NOT CMAKE_BUILD_TYPE STREQUAL "Debug" AND NOT GLOWMERE_FUZZ)
  # The optimised builds are the ones packaged: Debian's hardening, and no
  # build folder in the programs (assertion texts, debug information), so
  # that two builds of one commit in different folders give the same bytes.
  # The build folder's map comes last: GCC takes the last map that matches,
  # and the build folder may lie inside the sources.
  add_compile_options(-D_FORTIFY_SOURCE=2 -fstack-protector-strong
                      -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                      -ffile-prefix-map=${PROJECT_BINARY_DIR}/=build/)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()

# glowmere_library(NAME [DEPS ...]): one library per source folder, made of
# every source file in it.
function(glowmere_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(ex ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${ex})
  endforeach()
  if(NOT sources MATCHES "\\.cpp")
    # A folder whose code is still to come still gives a library to link.
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp "")
    list(APPEND sources ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# glowmere_test(MODULE [DEPS ...]): one GoogleTest executable per test folder,
# made of every test file in it; test data paths arrive as definitions.
function(glowmere_test module)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  set(target test_${module})
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${module} ${ARG_DEPS} test_support GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${target} PRIVATE
    GLOWMERE_DATA_DIR="${PROJECT_SOURCE_DIR}/data"
    GLOWMERE_BUILD_DATA_DIR="${PROJECT_BINARY_DIR}/data")
  gtest_discover_tests(${target}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
