# Desktop integration: launcher, the .cva document type and the icons.
# (The executable itself is installed by the top-level list.)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/corvanta.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/corvanta-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME corvanta.xml)
# File managers draw .cva thumbnails with corvanta-cli render.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/corvanta.thumbnailer
        DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/corvanta.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/application-x-corvanta.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)

# Help pages: beside the program in the build tree, in the shared data
# directory once installed (the help window looks in both).
add_custom_target(corvanta_help ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_CURRENT_LIST_DIR}/help ${CMAKE_BINARY_DIR}/help
  COMMENT "Copying the help pages")
add_dependencies(corvanta corvanta_help)
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/help/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/corvanta/help)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/corvanta.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME com.halden.corvanta.metainfo.xml)
