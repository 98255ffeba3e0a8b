# Installation and the Debian package.
include(GNUInstallDirs)

set(NERAV_PACKAGE nerav-schedule-generator)
set(NERAV_APPSTREAM_ID example.nerav.ScheduleGenerator)

install(TARGETS nerav-schedule-generator RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET nrvtool)
    install(TARGETS nrvtool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The modules loaded when first needed, where the programs look for them
# (src/platform/ProgramModule.h).
install(TARGETS nerav_mediareader nerav_handover nerav_print LIBRARY DESTINATION ${NERAV_MODULE_DIR})
# The player profile the media check reads unless given another (src/media/PlayerProfile.h).
install(FILES ${PROJECT_SOURCE_DIR}/profiles/default.json
    DESTINATION ${CMAKE_INSTALL_DATADIR}/${NERAV_PACKAGE}/profiles)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${NERAV_PACKAGE}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${NERAV_PACKAGE}.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${NERAV_APPSTREAM_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${NERAV_PACKAGE}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# Some desktops and menus take only bitmap icons: the badge drawn at each size a desktop asks
# for (scripts/icons.sh draws them again).
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/${NERAV_PACKAGE}-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${NERAV_PACKAGE}.png)
endforeach()

# Draws the PNG icons; built only on demand.
add_executable(nerav-icon-render EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/IconRender.cpp)
target_link_libraries(nerav-icon-render PRIVATE nerav_widgets Qt6::Gui)

# Manual pages and the changelog are installed compressed, as Debian has them; -n leaves out
# the time and name, so the same sources give the same package.
set(NERAV_COMPRESSED_DOCS)
foreach(source man/nerav-schedule-generator.1 man/nrvtool.1 changelog)
    get_filename_component(name ${source} NAME)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/packaging/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
        COMMAND gzip -9n -c ${CMAKE_CURRENT_LIST_DIR}/${source} > ${output}
        DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${source}
        VERBATIM)
    list(APPEND NERAV_COMPRESSED_DOCS ${output})
endforeach()
add_custom_target(nerav-docs ALL DEPENDS ${NERAV_COMPRESSED_DOCS})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/nerav-schedule-generator.1.gz
    ${CMAKE_CURRENT_BINARY_DIR}/packaging/nrvtool.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
    ${CMAKE_CURRENT_LIST_DIR}/copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${NERAV_PACKAGE})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${NERAV_PACKAGE})
set(CPACK_PACKAGE_VENDOR "Nerav")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Playback schedule editor for the Nerav media player")
# The summary above is the first line of the package's description; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Builds the schedule file (.nrv) that the Nerav stand-alone media player reads:
a basic playlist and dated advance schedules, each with its own playlist.
Copies media files to the player's removable medium. Includes nrvtool, which
reads and writes schedule files from the command line.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Nerav Schedule Generator developers <dev@nerav.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Qt libraries come from the binaries' own needs (dpkg-shlibdeps); the window plugin, Qt's
# Japanese translations and the Japanese font are loaded at run time, so they are named here.
# OpenSSL's libcrypto, loaded with the first hash, only makes hashing faster.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libssl3")
include(CPack)
