# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: scripts/package runs cpack on a Release build and lintian on the
# result. The binary dependencies come from dpkg-shlibdeps, the fonts the window is laid out
# for are named here (without them Chinese texts are boxes and the English layout widens);
# the maintainer scripts reload the udev rules so a connected mouse can be opened at once,
# and is root's alone again once the package is gone.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qm517pro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "QM517 Pro utility maintainers <maintainers@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility for the QM517 Pro gaming mouse")
set(CPACK_PACKAGE_DESCRIPTION "Assigns functions to the seven buttons of the QM517 Pro gaming mouse (both
hardware variants), records keyboard macros, sets the DPI stages, report
rate, axis sensitivity and the lighting of the mouse and of its mousepad,
keeps six profiles and applies them to the hardware over HID.

The utility lives in the system tray and shows the DPI stage the mouse
switches to. The command line qm517ctl does the same without a display.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QM517_MAKER_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/data/debian/postinst
    ${PROJECT_SOURCE_DIR}/data/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)

# What Debian asks of every package: its copyright notice and its changelog, compressed.
set(QM517_CHANGELOG ${CMAKE_BINARY_DIR}/generated/changelog.gz)
add_custom_command(
    OUTPUT ${QM517_CHANGELOG}
    COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/data/debian/changelog > ${QM517_CHANGELOG}
    DEPENDS ${PROJECT_SOURCE_DIR}/data/debian/changelog
    VERBATIM)
add_custom_target(qm517_changelog ALL DEPENDS ${QM517_CHANGELOG})
install(FILES ${QM517_CHANGELOG} ${PROJECT_SOURCE_DIR}/data/debian/copyright ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

include(CPack)
