# The Linux install tree (program, desktop entry, metainfo, icons, manual
# page, changelog) and the .deb made from it. Included from the packaging
# folder, whose files it names.
install(TARGETS improves-calc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
configure_file(${IMPROVES_APP_ID}.desktop.in ${IMPROVES_APP_ID}.desktop @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${IMPROVES_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${IMPROVES_APP_ID}.metainfo.xml.in ${IMPROVES_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${IMPROVES_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES icons/${IMPROVES_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 64 128)
    install(FILES icons/${IMPROVES_APP_ID}-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${IMPROVES_APP_ID}.png)
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

# The changelog and the manual page, compressed as Debian keeps them (gzip
# -9n: no name or time stamp in the file).
execute_process(COMMAND env LC_ALL=C date -u -R -d "${IMPROVES_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE IMPROVES_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(changelog.in changelog @ONLY)
configure_file(improves-calc.1.in improves-calc.1 @ONLY)
foreach(doc changelog improves-calc.1)
    add_custom_command(OUTPUT ${doc}.gz
        COMMAND gzip -9n -c ${doc} > ${doc}.gz
        DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${doc} VERBATIM)
endforeach()
add_custom_target(packaging_docs ALL DEPENDS changelog.gz improves-calc.1.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/improves-calc.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# `cpack --preset deb` (after building the release preset) makes the .deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME improves-calc)
set(CPACK_PACKAGE_VERSION "${IMPROVES_VERSION}")
set(CPACK_PACKAGE_VENDOR "${IMPROVES_PUBLISHER}")
set(CPACK_PACKAGE_CONTACT "${IMPROVES_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${IMPROVES_SUMMARY}")
set(CPACK_PACKAGE_DESCRIPTION
    "A small desktop calculator for players of an online role-playing game in
which a character gains levels by improving spells and skills. It shows how
many improves are still needed for the next level, with a one-line verdict.")
# A helper for a game rather than a game: its program lives in /usr/bin.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${IMPROVES_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${IMPROVES_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The layout is measured with the Liberation faces; Wayland sessions want
# Qt's native platform plugin. The window's own face, Liberation Sans
# Narrow, left fonts-liberation at its version 2 (Debian 13) for a package of
# its own; without it fontconfig would draw the captions in a monospaced face.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-liberation-sans-narrow | fonts-liberation (<< 1:2)")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
