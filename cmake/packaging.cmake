# Debian package of the program: `cpack -G DEB` in the build directory, after
# the build. It holds everything `cmake --install` puts in place: the
# executable, its manual page, the copyright and changelog, the desktop
# entry, the metainfo and the hicolor icons.
#
# Reproducible: CPack takes every timestamp in the package from
# SOURCE_DATE_EPOCH when it is set (scripts/check-reproducible sets it from
# the last commit), gzip -n leaves out name and time, and the compile flags
# map the build folders away (cmake/hardening.cmake).

# Compressed as Debian policy asks: at the highest level, without the name
# and time of the uncompressed file.
set(quantelo_packaging_dir ${CMAKE_CURRENT_LIST_DIR}/../packaging)
set(quantelo_gzipped)
foreach(file changelog Quantelo-Power.1)
    set(out ${CMAKE_BINARY_DIR}/packaging/${file}.gz)
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
        COMMAND gzip -9 -n -c ${quantelo_packaging_dir}/${file} > ${out}
        DEPENDS ${quantelo_packaging_dir}/${file}
        COMMENT "Compressing ${file}"
        VERBATIM)
    list(APPEND quantelo_gzipped ${out})
endforeach()
add_custom_target(quantelo_packaging_files ALL DEPENDS ${quantelo_gzipped})

# Debian's documentation folder is named after the package, in lower case.
set(quantelo_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/quantelo)
install(FILES ${quantelo_packaging_dir}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    DESTINATION ${quantelo_doc_dir} COMPONENT doc)
install(FILES ${CMAKE_BINARY_DIR}/packaging/Quantelo-Power.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT doc)

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
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kestrova.example/quantelo")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The faces the windows ask for are not on a Linux desktop; these packages
# carry the close stand-ins the program registers at start-up, whose metrics
# the fixed layout needs (CPack adds the libraries' dependencies to these).
# DejaVu Sans, the last resort, is drawn smaller so that captions still fit.
# qt6-wayland holds Qt's Wayland platform plugin: without it the program
# runs through XWayland on a Wayland desktop.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, qt6-wayland")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# Install paths of the package, independent of the prefix of a local build.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
