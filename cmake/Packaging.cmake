# `cpack -G DEB` in the build folder makes yolkwright_<version>_<arch>.deb for Debian 12: the
# programs in /usr/bin, the data in /usr/share/yolkwright, the desktop entry, icon and file
# types where the desktop looks for them (dpkg triggers refresh the desktop's databases).
set(CPACK_PACKAGE_NAME yolkwright)
set(CPACK_PACKAGE_VENDOR Brindlecote)
set(CPACK_PACKAGE_CONTACT "Brindlecote <yolkwright@brindlecote.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Breed (egg) editor for the game Oddballz")
set(CPACK_PACKAGE_DESCRIPTION
    "Yolkwright makes new breeds for the 1997 game Oddballz: start from a base breed, change its
eBalls, name, description, slot, tray and tips, keep the work as a project and write the
game's egg or a package to share. yolkwright-cli does the same from scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The linked libraries come from dpkg-shlibdeps; Qt's platform plugins, libgcab (opened when a
# package is made) and a font are loaded at run time and so are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libgcab-1.0-0, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
set(CPACK_STRIP_FILES ON)
include(CPack)
