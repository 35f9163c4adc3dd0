# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack -G DEB`: two Debian packages from the one build, one per install component.
#   qorvi-cli  component `cli`: the command-line program, its manual page and bash
#              completion; for scripts and servers, so it needs no Qt and no fonts.
#   qorvi      component `app`: the desktop program, its manual page, desktop entry,
#              icons and AppStream metadata; it needs qorvi-cli of the same version.
# The shared-library dependencies come from dpkg-shlibdeps; the fonts the preview and
# the interface draw with are named here, as nothing links them. SOURCE_DATE_EPOCH,
# when set, dates every file in the packages (scripts/package sets it from the commit).
# Each description's first line is the package's summary.
set(CPACK_PACKAGE_NAME qorvi)
set(CPACK_PACKAGE_VENDOR "The Qorvi developers")
set(CPACK_PACKAGE_CONTACT "The Qorvi developers <qorvi@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${QORVI_HOMEPAGE})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL cli)
if(QORVI_BUILD_APP)
  list(APPEND CPACK_COMPONENTS_ALL app)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE qorvi)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(_what "Qorvi patches decrypted copies of the firmware files that draw the PSP
system menu (firmware 3.90, 3.95, 4.01 and 5.00): where icons, names,
clock and battery stand, their colours, which items each category shows
and what they run.")

set(CPACK_DEBIAN_CLI_PACKAGE_NAME qorvi-cli)
set(CPACK_DEBIAN_CLI_DESCRIPTION "change the layout of the PSP system menu (command line)
${_what}

This package holds qorvi-cli, which reads and writes the layout as JSON
for scripts: print a firmware set, apply a layout and write the patched
files, check a layout, or write a synthetic set to try it on. It needs
neither a display nor Qt.")

set(CPACK_DEBIAN_APP_PACKAGE_NAME qorvi)
set(CPACK_DEBIAN_APP_PACKAGE_DEPENDS
    "qorvi-cli (= ${PROJECT_VERSION}), fonts-motoya-l-maruberi, fonts-ipafont-gothic")
set(CPACK_DEBIAN_APP_DESCRIPTION "change the layout of the PSP system menu (desktop program)
${_what}

This package holds the desktop program qorvi: a live preview of the menu
whose elements can be dragged into place, and editor windows for every
value, with one undo history.")
include(CPack)
