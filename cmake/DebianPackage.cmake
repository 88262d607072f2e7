# The Debian package: `cpack -G DEB` in a build directory (scripts/package builds a
# Release one). Everything `cmake --install` puts under the prefix, below /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirabook)
set(CPACK_PACKAGE_VENDOR Mirabook)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(MIRABOOK_PACKAGE_MAINTAINER "Mirabook maintainers <maintainers@mirabook.org>"
  CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${MIRABOOK_PACKAGE_MAINTAINER})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# CPack starts each line after the synopsis with the one space the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "contact manager for the desktop, with a command-line tool
Mirabook keeps one tree of folders, organizations, teams and persons, each
with its own addresses, phone and fax numbers, e-mail addresses, websites,
reminders, documents and tools. It lives in the notification area and saves
everything when it ends.
.
The mira command-line tool lists, finds, imports and exports the contacts of
the same database without a window.")
# The libraries come from the programs' links; the platform plugins, which Qt
# loads at run time, and the openers of help pages and documents do not.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
