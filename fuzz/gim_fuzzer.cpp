// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes as an inflated GIM picture -> bitmap conversion.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "firmware/gim_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::vector<uint8_t> work(2 * 1024 * 1024);
  qorvi::ConvertGim({data, size}, work);
  return 0;
}
