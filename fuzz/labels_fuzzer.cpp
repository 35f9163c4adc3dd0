// Any bytes as topmenu_icon.rco and topmenu_plugin.rco, with a few items whose tags
// the labels may match, under every firmware version.
#include <cstddef>
#include <cstdint>
#include <span>

#include "firmware/labels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> image(data, size);
  for (int32_t version : {390, 395, 401, 500}) {
    qorvi::FirmwareState state;
    state.FirmwareVersion = version;
    state.ItemCount = version == 500 ? 40 : 35;
    for (int i = 0; i < 3; ++i) {
      state.ItemTable[i].MainImageTag = {'t', 'e', 'x', static_cast<char>('0' + i)};
      state.ItemTable[i].NameTag = {'m', 's', 'g', static_cast<char>('0' + i)};
    }
    qorvi::ReadImageLabels(image, state);
    qorvi::ReadLabelTexts(image, state);
  }
  return 0;
}
