# End-to-end tests: Windows programs run by CTest through Wine. Every test of a build
# folder shares one Wine prefix, created once by the fixture in tests/wine, and the tests
# of a build folder run one at a time (RESOURCE_LOCK), also under `ctest -j`.
#
# The display comes from whoever runs ctest: scripts/check starts one Xvfb and exports
# DISPLAY; CTest passes the environment through to every test.

set(VEILOR_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
# Picks Wine's loader by the program's bitness; see the script for why.
set(VEILOR_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/lib/wine-run)

# GoogleTest for the Windows builds, from Debian's sources.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Windows paths of the build tree as Wine sees it (drive Z: is the Unix root).
set(VEILOR_WINE_BIN_DIR "Z:${CMAKE_BINARY_DIR}/bin")

# The tests' Wine has a home of its own inside the prefix. Wine takes the targets of the
# prefix's user folders from HOME and the XDG folders, and its menu builder and fontconfig
# write under them: with the real ones, tests would share settings and files with whoever
# runs them, and leave things in their home.
set(VEILOR_WINE_HOME ${VEILOR_WINEPREFIX}/home)

# WINEDLLOVERRIDES uses a comma: a semicolon would split CMake's list of variables.
set(VEILOR_WINE_ENV
    "WINEPREFIX=${VEILOR_WINEPREFIX}"
    "HOME=${VEILOR_WINE_HOME}"
    "XDG_CONFIG_HOME=${VEILOR_WINE_HOME}/.config"
    "XDG_DATA_HOME=${VEILOR_WINE_HOME}/.local/share"
    "XDG_CACHE_HOME=${VEILOR_WINE_HOME}/.cache"
    "XDG_STATE_HOME=${VEILOR_WINE_HOME}/.local/state"
    "WINEDEBUG=-all"
    "WINEDLLOVERRIDES=mscoree,mshtml=d"
    "VEILOR_EXE=${VEILOR_WINE_BIN_DIR}/Veilor.exe"
    "VEILOR_BIN_DIR=${VEILOR_WINE_BIN_DIR}")

function(_veilor_wine_target target)
  target_include_directories(${target} PRIVATE
      ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests/wine)
  set_target_properties(${target} PROPERTIES
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin
      CROSSCOMPILING_EMULATOR ${VEILOR_WINE_RUN})
endfunction()

# veilor_add_wine_test(NAME <test> SOURCES <files...> [LIBS <libs...>] [TIMEOUT <s>])
# Builds a GoogleTest driver (with veilor_wine_support, tests/wine/support/driver.h) and
# runs it under Wine once the prefix exists. Veilor.exe is built first; the driver finds
# it through VEILOR_EXE and its peer programs in VEILOR_BIN_DIR.
function(veilor_add_wine_test)
  cmake_parse_arguments(ARG "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} veilor_wine_support gtest gtest_main)
  _veilor_wine_target(${ARG_NAME})
  if(TARGET Veilor)
    add_dependencies(${ARG_NAME} Veilor)
  endif()
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
  set_tests_properties(${ARG_NAME} PROPERTIES
      ENVIRONMENT "${VEILOR_WINE_ENV}"
      FIXTURES_REQUIRED wineprefix
      RESOURCE_LOCK wineprefix
      LABELS wine
      SKIP_RETURN_CODE 77
      TIMEOUT ${ARG_TIMEOUT})
endfunction()

# veilor_add_wine_program(NAME <target> SOURCES <files...> [LIBS <libs...>])
# A helper program the tests start: a peer with windows, a fake shell, ... Entry point
# wWinMain. Built beside the drivers, in VEILOR_BIN_DIR.
function(veilor_add_wine_program)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${ARG_NAME} WIN32 ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} user32 gdi32 comctl32 shell32)
  target_link_options(${ARG_NAME} PRIVATE -municode)
  _veilor_wine_target(${ARG_NAME})
endfunction()
