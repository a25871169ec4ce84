# The Debian package, made by CPack from the install rules above:
# `cpack -G DEB` in the build folder leaves quillet32_VERSION_ARCH.deb there
# (scripts/package.sh). Installed under /usr.
get_directory_property(Q32_LIBARCHIVE_SONAME DIRECTORY ${PROJECT_SOURCE_DIR}/src/platform/zip
                       DEFINITION LIBARCHIVE_SONAME)
# Debian names a library's package after its run-time name:
# libarchive.so.13 is in libarchive13.
string(REGEX REPLACE "^(lib.*)\\.so\\.([0-9]+)$" "\\1\\2" Q32_LIBARCHIVE_PACKAGE "${Q32_LIBARCHIVE_SONAME}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillet32)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
# The install rules that write files themselves (the links, the menu entry)
# then see the prefix /usr and the staging folder as DESTDIR.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Quillet32 developers <tobrek@quillet32.example.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quillet32.example.org/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "install software packages from ZIP, RAR, ARJ and ACE archives")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quillet32 walks the folders of the machine and installs the archives of one
kind that the user selects: they are extracted into a fresh scratch folder,
a RAR, ARJ or ACE volume set found inside the extracted ZIP archives is
extracted in turn, and the package's setup program is offered, started
through Wine. It also tests ZIP archives and reports the damaged ones, shows
the file_id.diz and NFO descriptions that packages carry, and cleans up old
scratch folders.")

# The libraries the programs link: found by dpkg-shlibdeps. What it cannot
# see: libarchive (loaded at run time for PPMd), the archivers the helper
# programs run, the VGA font of the viewers, the default font, xdg-open.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "${Q32_LIBARCHIVE_PACKAGE}, unar, arj, fonts-pc, fonts-dejavu-core, xdg-utils")
# Wine starts the setup programs; 32-bit Wine and DOSBox only some of them.
# Qt's Wayland platform shows the windows in a Wayland session without X.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wine, wine64, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "dosbox, wine32")

include(CPack)
