# The Debian package: `cpack -G DEB` in the build tree (scripts/dev.sh package).

# Manual pages go in compressed, as Debian's tools expect.
configure_file(${CMAKE_CURRENT_LIST_DIR}/man/corvanta.1.in ${CMAKE_BINARY_DIR}/corvanta.1 @ONLY)
set(CORVANTA_MAN_PAGES ${CMAKE_BINARY_DIR}/corvanta-cli.1 ${CMAKE_BINARY_DIR}/corvanta.1)
set(CORVANTA_MAN_GZ "")
foreach(page ${CORVANTA_MAN_PAGES})
  get_filename_component(name ${page} NAME)
  set(gz ${CMAKE_BINARY_DIR}/man/${name}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND gzip -9nc ${page} > ${gz}
    DEPENDS ${page} corvanta-cli
    COMMENT "Compressing ${name}")
  list(APPEND CORVANTA_MAN_GZ ${gz})
endforeach()
add_custom_target(corvanta_man ALL DEPENDS ${CORVANTA_MAN_GZ})
install(FILES ${CORVANTA_MAN_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian keeps a copyright file and a changelog beside each package's documents.
set(CORVANTA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/corvanta)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.gz
  COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/debian/changelog > ${CMAKE_BINARY_DIR}/debian/changelog.gz
  DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog)
add_custom_target(corvanta_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright DESTINATION ${CORVANTA_DOC_DIR})
install(FILES ${CMAKE_BINARY_DIR}/debian/changelog.gz DESTINATION ${CORVANTA_DOC_DIR})

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvanta)
set(CPACK_PACKAGE_VENDOR HALDEN)
set(CPACK_PACKAGE_CONTACT "HALDEN <corvanta@halden.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${CMAKE_CURRENT_LIST_DIR}/debian/description)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; the fonts are what the graph and
# the calculator's display are drawn with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dseg, shared-mime-info")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "man-db")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "")
include(CPack)

# The metainfo lists every release; the version being built must be among them.
file(READ ${CMAKE_CURRENT_LIST_DIR}/corvanta.metainfo.xml CORVANTA_METAINFO)
if(NOT CORVANTA_METAINFO MATCHES "<release version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "res/corvanta.metainfo.xml has no release entry for ${PROJECT_VERSION}")
endif()
