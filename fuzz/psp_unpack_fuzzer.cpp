// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes in, unpack as a compressed "~PSP" module, discard. An accepted image says
// how much it produced; a refused one says why.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "firmware/psp_package.h"
#include "fuzz_support.h"
#include "model/work_area.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::vector<uint8_t> out(qorvi::kInflateLimit);
  const qorvi::Result<std::size_t> r = qorvi::UnpackPsp({data, size}, out);
  if (r ? *r > out.size() : r.cause().empty()) qorvi::fuzz::Violated("unpack result");
  return 0;
}
