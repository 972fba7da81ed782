# Installation as a desktop program, and a Debian package of it (`make package`).
include(GNUInstallDirs)

install(TARGETS tarnwick-doc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARNWICK_GUI)
  install(TARGETS tarnwick-gui RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES resources/tarnwick.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES resources/icons/tarnwick.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES resources/tarnwick-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME tarnwick.xml)
endif()
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarnwick)

set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VENDOR Merrowind)
set(CPACK_PACKAGE_CONTACT "Merrowind <tarnwick@merrowind.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Documentation tool for Delphi projects")
set(CPACK_PACKAGE_DESCRIPTION "Tarnwick reads a Delphi project, its units and form files, and shows the
units, the unused sources, the unit dependency tree and the form objects, captures pictures of the
program's forms and writes one HTML documentation file. tarnwick is the desktop program,
tarnwick-doc the command line.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION}.${TARNWICK_BUILD_NUMBER})
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Tree pictures draw with the Liberation fonts; the icons are SVG.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libqt6svg6")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
