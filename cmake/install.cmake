# Installation as a desktop program and the Debian package.
#   cmake --install build --prefix /usr/local      (or DESTDIR=... for staging)
#   cd build && cpack -G DEB                        (quillane_<version>_<arch>.deb)
# Installed programs find their pictures in ../share/quillane beside their bin folder.
include(GNUInstallDirs)

set(PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${PACKAGING_OUT})

# Installed programs are stripped: no path of the build machine travels with them.
install(CODE "set(CMAKE_INSTALL_DO_STRIP TRUE)")
install(TARGETS quillane-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET quillane-tool-render)
  # Started by quillane-tool for "render", found relative to it.
  install(TARGETS quillane-tool-render RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/quillane)
endif()
if(TARGET quillane)
  install(TARGETS quillane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${PROGRAM_ASSETS} DESTINATION ${CMAKE_INSTALL_DATADIR}/quillane)
install(FILES ${PACKAGING_DIR}/quillane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${PACKAGING_DIR}/io.github.quillane.editor.metainfo.xml
               ${PACKAGING_OUT}/io.github.quillane.editor.metainfo.xml @ONLY)
install(FILES ${PACKAGING_OUT}/io.github.quillane.editor.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${PACKAGING_DIR}/icons/quillane-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME quillane.png)
endforeach()

# Manual pages and the Debian changelog, compressed as Debian installs them.
function(quillane_gzip_configured source output)
  configure_file(${source} ${PACKAGING_OUT}/plain/${output} @ONLY)
  execute_process(COMMAND gzip -9nc ${PACKAGING_OUT}/plain/${output}
                  OUTPUT_FILE ${PACKAGING_OUT}/${output}.gz COMMAND_ERROR_IS_FATAL ANY)
endfunction()
quillane_gzip_configured(${PACKAGING_DIR}/quillane.1 quillane.1)
quillane_gzip_configured(${PACKAGING_DIR}/quillane-tool.1 quillane-tool.1)
quillane_gzip_configured(${PACKAGING_DIR}/changelog changelog)
install(FILES ${PACKAGING_OUT}/quillane.1.gz ${PACKAGING_OUT}/quillane-tool.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PACKAGING_DIR}/copyright ${PACKAGING_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillane)
set(CPACK_PACKAGE_VENDOR "Quillane editor developers")
set(CPACK_PACKAGE_CONTACT "Quillane editor developers <developers@quillane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for Quillane role-playing game data")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "The Quillane editor builds what the Quillane game engine plays: tile maps
with a ground and a sky layer and their events, event scripts with a
built-in command reference, flag conditions, and the game's database
(players, enemies, items, magic and more). Project files are read and
written byte for byte in their Shift-JIS form. The interface is Japanese.

quillane-tool checks, creates and re-saves projects from scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont | fluid-soundfont-gm")
include(CPack)
