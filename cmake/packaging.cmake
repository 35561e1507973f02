# Debian package of the program: `cpack -G DEB` in the build directory, after
# the build. It holds everything `cmake --install` puts in place: the
# executable, the desktop entry, the metainfo and the hicolor icons.
# dpkg-shlibdeps (dpkg-dev, which needs file) works out the Depends line from
# the libraries the executable links, so the Qt packages need not be named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quantelo)
set(CPACK_PACKAGE_VENDOR "Kestrova")
set(CPACK_PACKAGE_CONTACT "Quantelo developers <dev@kestrova.example>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quantelo developers <dev@kestrova.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real and apparent power calculator for electrical installations")
set(CPACK_PACKAGE_DESCRIPTION
    "Quantelo computes the real power P in kW and the apparent power S in kVA\n"
    "of an alternating-current load from its voltage, current and power factor,\n"
    "for three-phase loads given by line-to-line or line-to-neutral voltage and\n"
    "for single-phase loads.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The faces the windows ask for are not on a Linux desktop; these packages
# carry the close stand-ins the program registers at start-up, whose metrics
# the fixed layout needs (CPack adds the libraries' dependencies to these).
# DejaVu Sans, the last resort, is drawn smaller so that captions still fit.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# Install paths of the package, independent of the prefix of a local build.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
