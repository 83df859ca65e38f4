# What `make install` puts where, and the Debian package made of it
# (`make deb`). The data folder is <prefix>/share/korvane, which the
# programs find beside <prefix>/bin.
include(GNUInstallDirs)

set(KORVANE_APP_ID org.korvane.Korvane)
set(korvane_data ${CMAKE_INSTALL_DATADIR}/korvane)
set(desktop ${CMAKE_SOURCE_DIR}/resources/desktop)

if(KORVANE_CLI)
  install(TARGETS korvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(KORVANE_GUI)
  install(TARGETS korvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The map's browser module, where the map window looks for it.
  install(TARGETS korvane_map_view LIBRARY DESTINATION ${KORVANE_MODULE_SUBDIR})
  install(FILES ${CMAKE_BINARY_DIR}/korvane.dsc ${CMAKE_BINARY_DIR}/korvane.chk DESTINATION ${korvane_data})
endif()
install(DIRECTORY resources/lang DESTINATION ${korvane_data})
install(FILES resources/kelbrin.ini resources/rvguide.html resources/setup.exe DESTINATION ${korvane_data})

# The map page; Leaflet stays the system's (libjs-leaflet), linked, not copied.
install(DIRECTORY ${CMAKE_BINARY_DIR}/map DESTINATION ${korvane_data} PATTERN "leaflet.*" EXCLUDE)
set(LEAFLET_SYSTEM_DIR /usr/share/javascript/leaflet)
# Installed into /usr the link is relative, as Debian's policy wants it.
foreach(name leaflet.js leaflet.css)
  install(CODE "set(target ${LEAFLET_SYSTEM_DIR}/${name})
                if(\"\${CMAKE_INSTALL_PREFIX}\" STREQUAL \"/usr\")
                  set(target ../../javascript/leaflet/${name})
                endif()
                file(CREATE_LINK \${target}
                     \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${korvane_data}/map/${name}\" SYMBOLIC)")
endforeach()

# The desktop's entries: menu entry, AppStream metadata, icons, file types.
install(FILES ${desktop}/${KORVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${desktop}/${KORVANE_APP_ID}.metainfo.xml ${CMAKE_BINARY_DIR}/${KORVANE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${KORVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop}/${KORVANE_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 128 256)
  install(FILES ${desktop}/${KORVANE_APP_ID}-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${KORVANE_APP_ID}.png)
endforeach()
install(FILES ${desktop}/${KORVANE_APP_ID}-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${KORVANE_APP_ID}.xml)
install(FILES ${desktop}/korvane-cli.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME korvane-cli)

# Manual pages and the package's documents, compressed as Debian wants them.
set(korvane_docs ${CMAKE_INSTALL_DATADIR}/doc/korvane)
foreach(page korvane.1 korvane-cli.1)
  configure_file(${CMAKE_SOURCE_DIR}/docs/man/${page}.in ${CMAKE_BINARY_DIR}/man/${page} @ONLY)
endforeach()
configure_file(${desktop}/changelog.in ${CMAKE_BINARY_DIR}/man/changelog @ONLY)
find_program(GZIP gzip REQUIRED)
set(compressed)
foreach(file korvane.1 korvane-cli.1 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${file}.gz
                     COMMAND ${GZIP} -9nkf ${CMAKE_BINARY_DIR}/man/${file}
                     DEPENDS ${CMAKE_BINARY_DIR}/man/${file})
  list(APPEND compressed ${CMAKE_BINARY_DIR}/man/${file}.gz)
endforeach()
add_custom_target(korvane_man_pages ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/man/korvane.1.gz ${CMAKE_BINARY_DIR}/man/korvane-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${desktop}/copyright DESTINATION ${korvane_docs})
install(FILES ${CMAKE_BINARY_DIR}/man/changelog.gz DESTINATION ${korvane_docs})

# The Debian package: build/korvane_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Korvane developers <developers@korvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for the SD cards of a car drive recorder")
set(CPACK_PACKAGE_DESCRIPTION
    "Korvane plays the recordings of a dash camera with a G-sensor, GPS, speed
pulse and brake and turn lamps, with their data and the route on a map. It
exports frames, films and tracks, prints frames with their data and looks
after the card: settings, initialisation, backup, check and delete.
korvane-cli does the same from the command line.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_SOURCE_DIR}/build)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libav is opened at run time, where dpkg-shlibdeps cannot see it: its
# packages are named here, at the major versions the build compiled against.
set(libav_depends)
foreach(library libavcodec libavformat libavutil)
  string(REGEX MATCH "^[0-9]+" major "${LIBAV_${library}_VERSION}")
  list(APPEND libav_depends "${library}${major}")
endforeach()
list(JOIN libav_depends ", " libav_depends)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "dosfstools, mtools, libjs-leaflet, ${libav_depends}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udisks2")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://korvane.org/")
include(CPack)
