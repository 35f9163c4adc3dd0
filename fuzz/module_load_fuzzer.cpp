// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes in, load as vshmain.prx or as paf.prx of a version. The first byte picks the
// version (bits 0-1), the module (bit 2) and whether the rest is the file itself
// (plain or "~PSP") or a patch laid into a zeroed image of the version's exact size
// (bit 3; the next two bytes give the place in 16-byte steps), so that the value
// extraction and the 5.00 harvest see fuzzed bytes too.
//
// Properties beyond "no crash": a refused load leaves the state byte for byte as it
// was and says why; an accepted one selects the version's profile and size.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "firmware/module_image.h"
#include "fuzz_support.h"

namespace {

using namespace qorvi;

// Kept between runs: the area stays zero except where a run put bytes, which the
// run clears again, so no run pays for clearing the whole area.
struct Space {
  std::vector<uint8_t> area = std::vector<uint8_t>(Capacity(FileArea::Paf));
  std::vector<uint8_t> scratch = std::vector<uint8_t>(kScratchSize);
  std::unique_ptr<FirmwareState> state = std::make_unique<FirmwareState>();
  std::unique_ptr<FirmwareState> before = std::make_unique<FirmwareState>();
  std::unique_ptr<FirmwareState> fresh = std::make_unique<FirmwareState>();
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Space space;
  if (size < 3) return 0;
  const int32_t version = kFirmwareVersions[data[0] & 3];
  const bool paf = data[0] & 4;
  const FirmwareProfile& p = *ProfileFor(version);
  std::span<uint8_t> area = std::span(space.area).first(Capacity(paf ? FileArea::Paf : FileArea::Vshmain));
  std::span<const uint8_t> rest(data + 3, size - 3);

  std::size_t length = rest.size();
  std::size_t dirty_from = 0;
  std::size_t dirty_to = 0;
  if (data[0] & 8) {
    length = static_cast<std::size_t>(paf ? p.PafSize : p.VshmainSize);
    dirty_from = ((data[1] | data[2] << 8) * std::size_t{16}) % length;
    dirty_to = dirty_from + std::min(rest.size(), length - dirty_from);
    std::copy(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(dirty_to - dirty_from),
              area.begin() + static_cast<std::ptrdiff_t>(dirty_from));
  } else {
    if (length > area.size()) return 0;
    std::copy(rest.begin(), rest.end(), area.begin());
    dirty_to = length;
  }

  FirmwareState& state = *space.state;
  fuzz::Snapshot(*space.fresh, state);
  if (paf) SelectProfile(state, version);
  fuzz::Snapshot(state, *space.before);

  const Result<int64_t> r = paf ? LoadModuleImage(area, length, p.PafSize, state, space.scratch)
                                : LoadVshmainImage(area, length, state, space.scratch);
  if (!r) {
    if (!fuzz::Unchanged(state, *space.before)) fuzz::Violated("a refused load changed the state");
    if (r.cause().empty()) fuzz::Violated("a refusal without a cause");
  } else if (paf ? (*r != p.PafSize || state.PafLoadedSize != p.PafSize)
                 : (state.FirmwareVersion == 0 || *r != state.Profile.VshmainSize || state.VshmainLoadedSize != *r)) {
    fuzz::Violated("an accepted load without its version's size");
  }

  // An unpacked image replaced the file at the start of the area (only an accepted
  // one: the loader writes the area after every check has passed).
  if (r && !(data[0] & 8)) dirty_to = std::max(dirty_to, static_cast<std::size_t>(*r));
  std::fill(area.begin() + static_cast<std::ptrdiff_t>(dirty_from),
            area.begin() + static_cast<std::ptrdiff_t>(dirty_to), uint8_t{0});
  return 0;
}
