// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as topmenu_icon.rco and topmenu_plugin.rco, with a few items whose tags
// the labels may match, under the two label namings (3.90 and 5.00). A refused
// read leaves the state byte for byte as it was and says why.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "firmware/labels.h"
#include "fuzz_support.h"
#include "model/firmware_profile.h"

namespace {

using namespace qorvi;

struct States {
  std::unique_ptr<FirmwareState> initial[2];
  std::unique_ptr<FirmwareState> state = std::make_unique<FirmwareState>();
  std::unique_ptr<FirmwareState> before = std::make_unique<FirmwareState>();

  States() {
    const int32_t versions[2] = {390, 500};
    for (int v = 0; v < 2; ++v) {
      initial[v] = std::make_unique<FirmwareState>();
      FirmwareState& s = *initial[v];
      s.FirmwareVersion = versions[v];
      s.Profile = *ProfileFor(versions[v]);
      s.ItemCount = s.Profile.ItemCount;
      const char* image_tags[3] = {"tex0", "tex1", "tex2"};
      const char* name_tags[3] = {"msg0", "msg1", "msg2"};
      for (int i = 0; i < 3; ++i) {
        s.ItemTable[i].MainImageTag.SetText(image_tags[i]);
        s.ItemTable[i].NameTag.SetText(name_tags[i]);
      }
    }
  }
};

template <typename Read>
void Check(Read read, std::span<const uint8_t> image, States& s) {
  fuzz::Snapshot(*s.state, *s.before);
  const Status r = read(image, *s.state);
  if (!r && !fuzz::Unchanged(*s.state, *s.before)) fuzz::Violated("a refused read changed the state");
  if (!r && r.cause().empty()) fuzz::Violated("a refusal without a cause");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static States states;
  std::span<const uint8_t> image(data, size);
  for (const auto& initial : states.initial) {
    fuzz::Snapshot(*initial, *states.state);
    Check(ReadImageLabels, image, states);
    Check(ReadLabelTexts, image, states);
  }
  return 0;
}
