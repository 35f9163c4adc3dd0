#include <cstddef>
#include <cstdint>
// placeholder, being written
extern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }
