# SPDX-License-Identifier: GPL-3.0-or-later
# nlohmann-json (Debian's nlohmann-json3-dev) for the Windows cross build; see
# header_only.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/header_only.cmake)
qorvi_host_headers(nlohmann_json nlohmann_json::nlohmann_json nlohmann)
