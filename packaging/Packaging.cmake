# Installation and the Debian package.
include(GNUInstallDirs)

install(TARGETS nerav-schedule-generator RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET nrvtool)
    install(TARGETS nrvtool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/nerav-schedule-generator.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/nerav-schedule-generator.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nerav-schedule-generator)
set(CPACK_PACKAGE_VENDOR "Nerav")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Playback schedule editor for the Nerav media player")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Nerav Schedule Generator developers <dev@nerav.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Qt libraries come from the binaries' own needs; the window plugin and the Japanese font
# are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
include(CPack)
