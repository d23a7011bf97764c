# The Debian package: `cpack -G DEB` in a build with the game (PLAXEN_GUI=ON)
# packs what app/ installs: the game under lib/plaxen, its launcher as
# bin/plaxen, the art under share/plaxen/res, the desktop entry and icons.
#
# Included last from the top-level CMakeLists.txt: CPack writes its
# configuration when included, so the last inclusion decides what is packed.

set(CPACK_PACKAGE_NAME plaxen)
set(CPACK_PACKAGE_VENDOR "Plaxen developers")
set(CPACK_PACKAGE_CONTACT "Plaxen developers <plaxen@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Checkers on an 8 x 8 board for two players sharing one mouse, drawn in 3D. \
The rules are enforced: compulsory captures, multi-jumps and crowning. \
Games can be saved to and loaded from small text files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps (dpkg-dev) turns the libraries the binary links into
# Depends; the renderer itself is found at run time, so Mesa is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")

include(CPack)
