# SPDX-License-Identifier: GPL-3.0-or-later
# CLI11 (Debian's libcli11-dev) for the Windows cross build; see header_only.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/header_only.cmake)
qorvi_host_headers(CLI11 CLI11::CLI11 CLI)
