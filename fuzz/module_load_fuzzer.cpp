// Bytes in, load as vshmain.prx or as paf.prx of a version, discard. The first byte
// picks the version (bits 0-1), the module (bit 2) and whether the rest is the file
// itself (plain or "~PSP") or a patch laid into a zeroed image of the version's exact
// size (bit 3; the next two bytes give the place in 16-byte steps), so that the value
// extraction and the 5.00 harvest see fuzzed bytes too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "firmware/module_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qorvi;
  static std::vector<uint8_t> buffer(Capacity(FileArea::Paf));
  static std::vector<uint8_t> scratch(kScratchSize);
  static auto state = std::make_unique<FirmwareState>();
  if (size < 3) return 0;
  const int32_t version = kFirmwareVersions[data[0] & 3];
  const bool paf = data[0] & 4;
  const FirmwareProfile& p = *ProfileFor(version);
  std::span<uint8_t> area = std::span(buffer).first(Capacity(paf ? FileArea::Paf : FileArea::Vshmain));
  std::span<const uint8_t> rest(data + 3, size - 3);
  std::size_t length = rest.size();
  if (data[0] & 8) {
    length = static_cast<std::size_t>(paf ? p.PafSize : p.VshmainSize);
    std::fill(area.begin(), area.begin() + length, uint8_t{0});
    const std::size_t at = ((data[1] | data[2] << 8) * std::size_t{16}) % length;
    std::copy_n(rest.begin(), std::min(rest.size(), length - at), area.begin() + at);
  } else {
    if (length > area.size()) return 0;
    std::copy(rest.begin(), rest.end(), area.begin());
  }
  *state = FirmwareState{};
  if (paf) {
    SelectProfile(*state, version);
    LoadModuleImage(area, length, p.PafSize, *state, scratch);
  } else {
    LoadVshmainImage(area, length, *state, scratch);
  }
  return 0;
}
