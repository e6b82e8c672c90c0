# Install rules and the Debian package (cpack -G DEB in the build folder, or
# scripts/package.sh). Everything goes under /usr as a desktop program expects.
include(GNUInstallDirs)
# Installing (and so packaging) needs only the installed programs built, not the
# tests and benchmarks: scripts/package.sh builds those two first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(TARGETS quorvanta quorvanta-initdb RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(generated_dir ${CMAKE_BINARY_DIR}/packaging)
configure_file(${packaging_dir}/quorvanta.desktop.in
  ${generated_dir}/${QUORVANTA_APP_ID}.desktop @ONLY)
configure_file(${packaging_dir}/quorvanta.metainfo.xml.in
  ${generated_dir}/${QUORVANTA_APP_ID}.metainfo.xml @ONLY)

install(FILES ${generated_dir}/${QUORVANTA_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_dir}/quorvanta.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
  RENAME ${QUORVANTA_APP_ID}.svg)
install(FILES ${generated_dir}/${QUORVANTA_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Debian keeps the licence as the package's copyright file; the full GPL text is in
# /usr/share/common-licenses on every Debian system.
install(FILES ${packaging_dir}/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${QUORVANTA_PACKAGE_NAME})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${QUORVANTA_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quorvanta")
set(CPACK_PACKAGE_CONTACT "Quorvanta <solo@quorvanta.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Write cheques on an office printer")
set(CPACK_PACKAGE_DESCRIPTION
  "One cheque format per bank, a payee, an amount spelled in words, a preview,\n\
and a designer for laying formats out over a full-size cheque. The cheques\n\
printed are kept in an encrypted database in the user's data folder.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # <name>_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quorvanta.example/solo")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
# Libraries the programs link come from dpkg-shlibdeps. The formats name "Arial",
# which fontconfig resolves to Liberation Sans with the same metrics.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")

include(CPack)
