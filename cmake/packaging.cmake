# The per-user installer of this build (Veilor-<version>-x86.msi or -x64.msi in
# build/<preset>/dist), made from bin/Veilor.exe with Debian's wixl. scripts/package
# gathers both into dist/; the package round trip test installs and removes it under Wine.
find_program(VEILOR_WIXL wixl REQUIRED)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VEILOR_ARCH x64)
  set(veilor_win64 yes)
  # SystemFolder is SysWOW64 on a 64-bit Windows, whatever the package.
  set(veilor_system_dir System64Folder)
else()
  set(VEILOR_ARCH x86)
  set(veilor_win64 no)
  set(veilor_system_dir SystemFolder)
endif()
set(VEILOR_MSI ${CMAKE_BINARY_DIR}/dist/Veilor-${PROJECT_VERSION}-${VEILOR_ARCH}.msi)
# wixl takes the files it packs by paths relative to where it runs.
add_custom_command(OUTPUT ${VEILOR_MSI}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist
    COMMAND ${VEILOR_WIXL} -a ${VEILOR_ARCH} -D Version=${PROJECT_VERSION}
            -D Win64=${veilor_win64} -D SystemDir=${veilor_system_dir} -D ExeSource=Veilor.exe
            -o ${VEILOR_MSI} ${CMAKE_SOURCE_DIR}/packaging/veilor.wxs
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    DEPENDS Veilor ${CMAKE_SOURCE_DIR}/packaging/veilor.wxs
    COMMENT "Packing ${VEILOR_MSI}"
    VERBATIM)
add_custom_target(veilor_msi ALL DEPENDS ${VEILOR_MSI})
