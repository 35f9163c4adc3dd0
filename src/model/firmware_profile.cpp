#include "model/firmware_profile.h"

namespace qorvi {
namespace {

// clang-format off
constexpr FirmwareProfile kProfile390{
    313556, 1896458, 67704, 27052, 34348, 191128, 26, 35, 28, 0x3D94,
    {0x3F7CC, 0x3D25C, 0x40D14, 0x40D20, 0x40D24, 0x41298, 0x41928, 0x4191C, 0x41148, 0x41964, 0x27204, 0x425CC},
    {0x1A3044, 0x1A3410, 0x1A4AE4, 0x1A4AE0, 0x1A4B10, 0x1A3040, 0x1A303C, 0x1A40A8, 0x1A40B8, 0x1A3414,
     0x1A3418, 0x1A39B0, 0x1A42C8, 0x1A4290, 0x1A4288, 0x1A4094, 0x1A42E4, 0x1A4290, 0x1A42EC}};

constexpr FirmwareProfile kProfile395{
    300830, 1755918, 61536, 27228, 34348, 191128, 26, 35, 28, 0x27C4,
    {0x3E4C0, 0x3CF34, 0x3D05C, 0x3D068, 0x3D06C, 0x35B9C, 0x3D0E4, 0x3D0D8, 0x35A4C, 0x3D120, 0x253E4, 0x3FBFC},
    {0x166274, 0x16635C, 0x166A18, 0x166A14, 0x166A44, 0x166270, 0x16626C, 0x1665E0, 0x1665F0, 0x166360,
     0x166364, 0x1664A8, 0x166800, 0x1667C8, 0x1667C0, 0x1665CC, 0x16681C, 0x1667D0, 0x166824}};

constexpr FirmwareProfile kProfile401{
    302722, 1756112, 61536, 27404, 34348, 195584, 27, 36, 28, 0x27C4,
    {0x3EA20, 0x3D434, 0x3D55C, 0x3D568, 0x3D56C, 0x360A8, 0x3D5E4, 0x3D5D8, 0x35F58, 0x3D620, 0x255E0, 0x401FC},
    {0x1662F0, 0x1663D8, 0x166AA8, 0x166AA4, 0x166AD4, 0x1662EC, 0x1662E8, 0x16665C, 0x16666C, 0x1663DC,
     0x1663E0, 0x166524, 0x166890, 0x166854, 0x16684C, 0x166648, 0x1668AC, 0x16685C, 0x1668B4}};

constexpr FirmwareProfile kProfile500{
    325340, 1759932, 63580, 29068, 34348, 205816, 30, 40, 30, 0x2EBC,
    {0x43DB4, 0x41C, 0x204, 0x1FC, 0x1F8, 0x3A834, 0x130, 0x13C, 0x3A6C0, 0xDC, 0x27550, 0x45860},
    {0x1018, 0xF34, 0x2C0, 0x2C4, 0x224, 0x101C, 0x1020, 0xA10, 0xA2C, 0xF28, 0xF24, 0xD48, 0x6D0,
     0x684, 0x6F4, 0xA3C, 0x6B8, 0x67C, 0x69C, 0xF2C, 0, 0x1014, 0xF30, 0x6CC, 0x648, 0x650,
     0x660, 0x670, 0x678, 0x658, 0x690, 0x9F0, 0xA40, 0xECC, 0xF00, 0xF10, 0xF18, 0xF20}};
// clang-format on

constexpr std::array<PafSlotField, kPafSlots> kPafSlotFields{{
    {"IconSpeedX1", false},
    {"IconSpeedY1", false},
    {"MainMenuTextY", false},
    {"MainMenuTextSize", true},
    {"UnfIconSize", true},
    {"MainIconSpace1", false},
    {"MainIconSpace2", false},
    {"SubIconSize", true},
    {nullptr, true},  // second copy of SubIconSize, written only
    {"SubIconLowerSpace1", false},
    {"SubIconUpperSpace1", false},
    {"WaveSpeed", true},
    {"SubMenuTextX", false},
    {"SubMenuTextX2", false},
    {"SubMenuTextX3", false},
    {"SubMenuTextSize", true},
    {"SubMenuTextY", false},
    {"SubMenuTextX1Seg", false},
    {"SubMenuMSTextY", false},
    {"SubIconLowerSpace2", false},
    {nullptr, false},  // SubIconUpperSpace2 is not read; a 5.00 load sets it to 60
    {"IconSpeedX2", false},
    {"IconSpeedY2", false},
    {"SubMenuUnderMSTextY", false},
    {"Sub2NetSearchX", true},
    {"Sub2NetRadioX", true},
    {"Sub2GameTitleX", true},
    {"Sub2PhotVideoX", true},
    {"Sub2RSSFeedsX", true},
    {"Sub2SettingOptX", true},
    {"Sub2SettingOptY", true},
    {"OptSize1", true},
    {"OptSize2", true},
    {"GameSpace", true},
    {"VideoSpace", true},
    {"MusicSpace", true},
    {"PhotoSpace", true},
    {"OptSpace", true},
}};

}  // namespace

int32_t VersionFromSize(int64_t size) {
  for (int32_t v : kFirmwareVersions) {
    if (ProfileFor(v)->VshmainSize == size) return v;
  }
  return 0;
}

const FirmwareProfile* ProfileFor(int32_t version) {
  switch (version) {
    case 390: return &kProfile390;
    case 395: return &kProfile395;
    case 401: return &kProfile401;
    case 500: return &kProfile500;
    default: return nullptr;
  }
}

const std::array<PafSlotField, kPafSlots>& PafSlotFields() { return kPafSlotFields; }

}  // namespace qorvi
