// Bytes in, unpack as a compressed "~PSP" module, discard.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "firmware/psp_package.h"
#include "model/work_area.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::vector<uint8_t> out(qorvi::kInflateLimit);
  qorvi::UnpackPsp({data, size}, out);
  return 0;
}
