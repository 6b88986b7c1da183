# The Debian package of the installed tree: `cpack -G DEB` in the build
# folder (scripts/package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${ZQ_CHANGELOG_PACKAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZQ61 PC-Link developers")
set(CPACK_PACKAGE_CONTACT "${ZQ_CHANGELOG_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop companion of the ZQ61 handheld game console")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "An explorer window that shows the PC's drives beside the console's SmartMedia\n"
  "card and copies files and folders both ways over the console's USB link. It\n"
  "formats the card, installs game packages, applies patches with a backup of\n"
  "every replaced file, uninstalls and backs up games, and sends MP3 files with\n"
  "edited ID3v1 tags.\n"
  "\n"
  "The package also holds zq61-cli, the same operations from a terminal, and\n"
  "zq61-emu, a console emulator for trying everything without the hardware.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZQ_CHANGELOG_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZQ_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/postinst ${CMAKE_CURRENT_SOURCE_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
