# End-to-end tests: Windows programs run by CTest through Wine. Every test of a build
# folder shares one Wine prefix, created once by the fixture below.

set(VEILOR_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)

# GoogleTest for the Windows builds, from Debian's sources.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(VEILOR_WINE_ENV
    "WINEPREFIX=${VEILOR_WINEPREFIX}"
    "WINEDEBUG=-all"
    "WINEDLLOVERRIDES=mscoree=d;mshtml=d"
    "VEILOR_EXE=${CMAKE_BINARY_DIR}/bin/Veilor.exe")

# veilor_add_wine_test(NAME <test> SOURCES <files...> [LIBS <libs...>] [TIMEOUT <s>])
# Builds a GoogleTest program and runs it under Wine after the prefix exists.
function(veilor_add_wine_test)
  cmake_parse_arguments(ARG "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE gtest gtest_main ${ARG_LIBS})
  target_include_directories(${ARG_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests/wine)
  set_target_properties(${ARG_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
  set_tests_properties(${ARG_NAME} PROPERTIES
      ENVIRONMENT "${VEILOR_WINE_ENV}"
      FIXTURES_REQUIRED wineprefix
      TIMEOUT ${ARG_TIMEOUT})
endfunction()

# veilor_add_wine_program(NAME <target> SOURCES <files...> [LIBS <libs...>])
# A helper program the tests start: a peer with windows, a fake shell, ...
function(veilor_add_wine_program)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${ARG_NAME} WIN32 ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} user32 gdi32 comctl32)
  target_link_options(${ARG_NAME} PRIVATE -municode)
  target_include_directories(${ARG_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests/wine)
  set_target_properties(${ARG_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()
