# `cpack -G DEB`: one Debian package with both programs and the files of packaging/.
# The shared-library dependencies come from dpkg-shlibdeps; the fonts the preview
# and the interface draw with are named here, as nothing links them.
set(CPACK_PACKAGE_NAME qorvi)
set(CPACK_PACKAGE_VENDOR "The Qorvi developers")
set(CPACK_PACKAGE_CONTACT "The Qorvi developers <qorvi@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "change the layout of the PSP system menu")
set(CPACK_PACKAGE_DESCRIPTION
    "Qorvi patches decrypted copies of the firmware files that draw the PSP
system menu (firmware 3.90, 3.95, 4.01 and 5.00): where icons, names,
clock and battery stand, their colours, which items each category shows
and what they run. The desktop program qorvi shows a live preview of the
menu whose elements can be dragged; qorvi-cli reads and writes the same
layout as JSON for scripts.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${QORVI_HOMEPAGE})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-motoya-l-maruberi, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
include(CPack)
