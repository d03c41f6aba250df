# The Debian package, made with `cpack -G DEB` in a build folder (or `cpack --preset deb`): it
# holds whatever the install() rules put in place, so a new rule (a manual page, say) lands in
# the package by itself. dpkg-shlibdeps works out the library packages it depends on.

install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION share/doc/quillmere-mod-tool RENAME copyright)

set(CPACK_PACKAGE_NAME quillmere-mod-tool)
set(CPACK_PACKAGE_VENDOR "The Quillmere Mod Tool developers")
set(CPACK_PACKAGE_CONTACT "The Quillmere Mod Tool developers <${QUILLMERE_AUTHOR_MAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "adapts a desktop graphics-driver package for the notebook chips of its families")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmere Mod Tool adapts an extracted desktop graphics-driver package (a catalyst driver set) for early Radeon chips so that it also installs on the notebook chips of the same families. It holds the window quillmere-mod-tool and the command line quillmere-mod.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://${QUILLMERE_HELP_ADDRESS}")

include(CPack)
