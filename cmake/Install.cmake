# Where an installation puts the programs and the files the desktop and the manual need.
# The program finds its language files in ${CMAKE_INSTALL_DATADIR}/vemora/lang relative to
# its own folder's parent, so the data folder must stay "share".
include(GNUInstallDirs)

install(TARGETS vemora vemora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

file(GLOB VEMORA_INSTALLED_NLS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/lang/*.nls)
install(FILES ${VEMORA_INSTALLED_NLS} DESTINATION share/vemora/lang)

install(FILES data/vemora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/vemora-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME vemora.xml)
install(FILES data/vemora.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME example.orvalin.vemora.metainfo.xml)
foreach(size ${VEMORA_ICON_SIZES})
  install(FILES data/icons/hicolor/${size}x${size}/apps/vemora.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES data/icons/vemora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES docs/man/vemora.1 docs/man/vemora-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
