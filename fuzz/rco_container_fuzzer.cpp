// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes as a resource container image: the signature, the object lookups, the
// values of system_plugin_fg.rco and the decoding of its two icons and of
// topmenu_icon.rco's category icons (bitmaps are discarded, no files are written).
// The item icons are the same decoding from other table entries; every entry's
// place is still looked up. A refused extraction leaves the state as it was.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "firmware/rco_container.h"
#include "fuzz_support.h"

namespace {

using namespace qorvi;

struct Space {
  std::vector<uint8_t> scratch = std::vector<uint8_t>(4 * 1024 * 1024);
  std::unique_ptr<FirmwareState> state = std::make_unique<FirmwareState>();
  std::unique_ptr<FirmwareState> before = std::make_unique<FirmwareState>();
  std::unique_ptr<FirmwareState> fresh = std::make_unique<FirmwareState>();

  Space() {
    fresh->FirmwareVersion = 500;
    fresh->Profile = *ProfileFor(500);
    // Two item slots with a picture of their own (the first ones behind the eight
    // category icons); the others have none, so DecodeIcons walks every slot but a
    // run decodes a dozen pictures, not fifty.
    for (int s = 0; s < kItemNumbers; ++s) fresh->SubIconImageIndex[s] = -1;
    fresh->SubIconImageIndex[0] = 8;
    fresh->SubIconImageIndex[39] = 9;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Space space;
  std::span<const uint8_t> image(data, size);
  FirmwareState& state = *space.state;
  fuzz::Snapshot(*space.fresh, state);
  fuzz::Snapshot(state, *space.before);

  if (HasRcoSignature(image) != CheckRcoSignature(image).ok()) fuzz::Violated("two signature checks disagree");
  const Result<uint32_t> place = LocateTopmenuPluginValue(image);
  if (place && *place + uint64_t{4} > size) fuzz::Violated("the MainIconX place lies outside");
  const Status fg = ExtractSystemPluginFg(image, state);
  if (!fg && !fuzz::Unchanged(state, *space.before)) fuzz::Violated("a refused extraction changed the state");
  if (fg && (uint64_t{state.BusyObject} + 0x174 > size || uint64_t{state.BatteryObject} + 0x174 > size)) {
    fuzz::Violated("an object outside the image");
  }
  for (int64_t k = 0; k < 64; ++k) {
    if (auto stream = TopmenuIconStream(image, k); stream && stream->data() + stream->size() > data + size) {
      fuzz::Violated("a stream past the end");
    }
  }
  auto discard = [](int, std::span<const uint8_t>) {};
  DecodeSystemPluginIcons(image, space.scratch, discard);
  DecodeIcons(image, state, space.scratch, discard);
  return 0;
}
