# Install layout and packages.
#
# Linux: `cmake --install` lays out a desktop program under the prefix (the
# program, its menu entry, hicolor icons made from resources/pixolet_icon.xpm,
# AppStream metadata, the manual page, the Debian copyright and changelog),
# and `cpack -G DEB` turns it into pixolet_<version>_amd64.deb.
# Windows: the static pixolet.exe with a short text of how to use it, and
# `cpack -G ZIP` makes pixolet-<version>-windows-x64.zip of them.

set(PIXOLET_APP_ID example.velmora.Pixolet)
set(PIXOLET_PACKAGING_DIR ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(PIXOLET_ICON_SIZES 16 22 24 32 48 64 128 256)

set(CPACK_PACKAGE_NAME pixolet)
set(CPACK_PACKAGE_VENDOR Velmora)
set(CPACK_PACKAGE_CONTACT "Velmora <pixolet@velmora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen colour picker and screen ruler")
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.velmora.example/)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)

if(WIN32)
  if(TARGET pixolet)
    install(TARGETS pixolet RUNTIME DESTINATION .)
  endif()
  configure_file(${PIXOLET_PACKAGING_DIR}/windows-readme.txt ${CMAKE_BINARY_DIR}/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME pixolet-${PROJECT_VERSION}-windows-x64)
  include(CPack)
  return()
endif()

include(GNUInstallDirs)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_program(GZIP_PROGRAM gzip REQUIRED)

if(TARGET pixolet)
  # The hardening a Debian binary is expected to have.
  target_link_options(pixolet PRIVATE -Wl,-z,relro -Wl,-z,now)
  install(TARGETS pixolet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# Icons: every size from the one piece of artwork, at build time.
set(icon_dir ${CMAKE_BINARY_DIR}/icons)
set(icon_outputs ${icon_dir}/scalable/apps/pixolet.svg)
foreach(size IN LISTS PIXOLET_ICON_SIZES)
  list(APPEND icon_outputs ${icon_dir}/${size}x${size}/apps/pixolet.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_outputs}
  COMMAND Python3::Interpreter ${PIXOLET_PACKAGING_DIR}/make_icons.py
          ${CMAKE_CURRENT_SOURCE_DIR}/resources/pixolet_icon.xpm ${icon_dir} pixolet
          ${PIXOLET_ICON_SIZES}
  DEPENDS ${PIXOLET_PACKAGING_DIR}/make_icons.py ${CMAKE_CURRENT_SOURCE_DIR}/resources/pixolet_icon.xpm
  COMMENT "Drawing the desktop icons"
  VERBATIM)

# Debian keeps manual pages and changelogs compressed, without time stamps.
set(gz_dir ${CMAKE_BINARY_DIR}/packaging)
set(gz_outputs)
foreach(name pixolet.1 changelog)
  add_custom_command(
    OUTPUT ${gz_dir}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${gz_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${PIXOLET_PACKAGING_DIR}/${name} ${gz_dir}/${name}
    COMMAND ${GZIP_PROGRAM} -n -9 -f ${gz_dir}/${name}
    DEPENDS ${PIXOLET_PACKAGING_DIR}/${name}
    VERBATIM)
  list(APPEND gz_outputs ${gz_dir}/${name}.gz)
endforeach()
add_custom_target(pixolet_desktop_files ALL DEPENDS ${icon_outputs} ${gz_outputs})

install(FILES ${PIXOLET_PACKAGING_DIR}/${PIXOLET_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PIXOLET_PACKAGING_DIR}/${PIXOLET_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${icon_dir}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${gz_dir}/pixolet.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PIXOLET_PACKAGING_DIR}/copyright ${gz_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pixolet)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Found by the shared-library scan: Qt, X11, libwayland-client0 and the rest.
# Qt's wayland platform plugin is loaded, not linked, so it is named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-wayland")
# The summary line comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Pixolet reads the colour of the pixel under the mouse pointer and shows it
live in a tiny always-on-top readout window beside the pointer: a magnifier
with a crosshair, a swatch, RGB in decimal, hexadecimal or percent, CMYK with
an adjustable black factor, and the pointer's coordinates.
.
It lives in the tray and is driven by global keyboard shortcuts: copy the
colour as text, type it into another program's colour dialog, freeze the
window or the colour, and measure distances and areas on the screen.")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
