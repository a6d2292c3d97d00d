# Desktop integration: launcher, the .cva document type and the icons.
# (The executable itself is installed by the top-level list.)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/corvanta.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/corvanta-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME corvanta.xml)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/corvanta.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/application-x-corvanta.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
