// Bytes as a resource container image: the fixed places, the object lookups and the
// decoding of every icon (bitmaps are discarded, no files are written).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "firmware/rco_container.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::vector<uint8_t> scratch(4 * 1024 * 1024);
  static qorvi::Paths paths;
  std::span<const uint8_t> image(data, size);
  auto state = std::make_unique<qorvi::FirmwareState>();
  state->FirmwareVersion = 500;
  for (int s = 0; s < qorvi::kItemNumbers; ++s) state->SubIconImageIndex[s] = s;
  qorvi::HasRcoSignature(image);
  qorvi::LocateTopmenuPluginValue(image);
  qorvi::ExtractSystemPluginFg(image, *state);
  auto discard = [](const std::string&, std::span<const uint8_t>) {};
  qorvi::DecodeSystemPluginIcons(image, paths, scratch, discard);
  qorvi::DecodeIcons(image, *state, paths, scratch, discard);
  return 0;
}
