// What differs between the supported firmware versions: file sizes, table
// lengths and the places of the layout values in the two modules.
#pragma once

#include <array>
#include <cstdint>

namespace qorvi {

inline constexpr int kVshSlots = 12;
inline constexpr int kPafSlots = 38;

// Slots of VshOffsets. For 5.00 the slots marked "constant" are byte offsets into
// VshConstants (entry = offset / 4) instead of into the module image.
enum VshSlot : int {
  kVshCategoryEntries = 0,  // 16-byte records, image
  kVshMainIconX = 1,        // constant on 5.00
  kVshMainIconY = 2,        // constant on 5.00
  kVshUnfIconY = 3,         // constant on 5.00
  kVshUnfIconYPlusOne = 4,  // written only; constant on 5.00
  kVshTextColor = 5,        // 12-byte entries, image
  kVshClockX = 6,           // constant on 5.00
  kVshClockY = 7,           // constant on 5.00
  kVshBGColor = 8,          // 12-byte entries, image
  kVshBusySpeed = 9,        // constant on 5.00
  kVshBmp01_12size = 10,    // 16 bits, image
  kVshItemTable = 11,       // 140-byte records, image
};

struct FirmwareProfile {
  int32_t VshmainSize = 0;
  int32_t PafSize = 0;
  int32_t OpeningSize = 0;
  int32_t TopmenuPluginStockSize = 0;
  int32_t SystemPluginFgStockSize = 0;
  int32_t TopmenuIconStockSize = 0;
  int32_t CategoryEntryCount = 0;
  int32_t ItemCount = 0;
  int32_t ColorEntryCount = 0;  // entries of each colour table held by vshmain.prx
  int32_t BootSoundOffset = 0;  // start of the boot sound area in opening_plugin.prx
  std::array<uint32_t, kVshSlots> VshOffsets{};
  // 0 marks a slot the version does not use.
  std::array<uint32_t, kPafSlots> PafOffsets{};
};

inline constexpr std::array<int32_t, 4> kFirmwareVersions{390, 395, 401, 500};

// 390, 395, 401 or 500 for the size of a decrypted, uncompressed vshmain.prx; 0 otherwise.
int32_t VersionFromSize(int64_t size);

// The profile of a known version, or nullptr.
const FirmwareProfile* ProfileFor(int32_t version);

// The layout field each PafOffsets slot loads (by name), nullptr for the two slots
// nothing is read from (8: second copy of SubIconSize; 20: unused).
struct PafSlotField {
  const char* field;
  bool asFloat;  // true: 32 bits copied; false: float truncated to an integer
};
const std::array<PafSlotField, kPafSlots>& PafSlotFields();

}  // namespace qorvi
