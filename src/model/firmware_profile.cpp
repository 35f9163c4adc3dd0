// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/firmware_profile.h"

#include <algorithm>
#include <bit>

namespace qorvi {
namespace {

// clang-format off
constexpr FirmwareProfile kProfile390{
    .VshmainSize = 313556, .PafSize = 1896458, .OpeningSize = 67704,
    .TopmenuPluginStockSize = 27052, .SystemPluginFgStockSize = 34348, .TopmenuIconStockSize = 191128,
    .CategoryEntryCount = 26, .ItemCount = 35, .ColorEntryCount = 28, .BootSoundOffset = 0x3D94,
    .VshOffsets = {0x3F7CC, 0x3D25C, 0x40D14, 0x40D20, 0x40D24, 0x41298, 0x41928, 0x4191C, 0x41148, 0x41964,
                   0x27204, 0x425CC},
    .PafOffsets = {0x1A3044, 0x1A3410, 0x1A4AE4, 0x1A4AE0, 0x1A4B10, 0x1A3040, 0x1A303C, 0x1A40A8, 0x1A40B8,
                   0x1A3414, 0x1A3418, 0x1A39B0, 0x1A42C8, 0x1A4290, 0x1A4288, 0x1A4094, 0x1A42E4, 0x1A4290,
                   0x1A42EC},
};

constexpr FirmwareProfile kProfile395{
    .VshmainSize = 300830, .PafSize = 1755918, .OpeningSize = 61536,
    .TopmenuPluginStockSize = 27228, .SystemPluginFgStockSize = 34348, .TopmenuIconStockSize = 191128,
    .CategoryEntryCount = 26, .ItemCount = 35, .ColorEntryCount = 28, .BootSoundOffset = 0x27C4,
    .VshOffsets = {0x3E4C0, 0x3CF34, 0x3D05C, 0x3D068, 0x3D06C, 0x35B9C, 0x3D0E4, 0x3D0D8, 0x35A4C, 0x3D120,
                   0x253E4, 0x3FBFC},
    .PafOffsets = {0x166274, 0x16635C, 0x166A18, 0x166A14, 0x166A44, 0x166270, 0x16626C, 0x1665E0, 0x1665F0,
                   0x166360, 0x166364, 0x1664A8, 0x166800, 0x1667C8, 0x1667C0, 0x1665CC, 0x16681C, 0x1667D0,
                   0x166824},
    .AlwaysPlainModules = true,
};

constexpr FirmwareProfile kProfile401{
    .VshmainSize = 302722, .PafSize = 1756112, .OpeningSize = 61536,
    .TopmenuPluginStockSize = 27404, .SystemPluginFgStockSize = 34348, .TopmenuIconStockSize = 195584,
    .CategoryEntryCount = 27, .ItemCount = 36, .ColorEntryCount = 28, .BootSoundOffset = 0x27C4,
    .VshOffsets = {0x3EA20, 0x3D434, 0x3D55C, 0x3D568, 0x3D56C, 0x360A8, 0x3D5E4, 0x3D5D8, 0x35F58, 0x3D620,
                   0x255E0, 0x401FC},
    .PafOffsets = {0x1662F0, 0x1663D8, 0x166AA8, 0x166AA4, 0x166AD4, 0x1662EC, 0x1662E8, 0x16665C, 0x16666C,
                   0x1663DC, 0x1663E0, 0x166524, 0x166890, 0x166854, 0x16684C, 0x166648, 0x1668AC, 0x16685C,
                   0x1668B4},
    .NewLabelNames = true,
};

constexpr FirmwareProfile kProfile500{
    .VshmainSize = 325340, .PafSize = 1759932, .OpeningSize = 63580,
    .TopmenuPluginStockSize = 29068, .SystemPluginFgStockSize = 34348, .TopmenuIconStockSize = 205816,
    .CategoryEntryCount = 30, .ItemCount = 40, .ColorEntryCount = 30, .BootSoundOffset = 0x2EBC,
    .VshOffsets = {0x43DB4, 0x41C, 0x204, 0x1FC, 0x1F8, 0x3A834, 0x130, 0x13C, 0x3A6C0, 0xDC, 0x27550, 0x45860},
    .PafOffsets = {0x1018, 0xF34, 0x2C0, 0x2C4, 0x224, 0x101C, 0x1020, 0xA10, 0xA2C, 0xF28, 0xF24, 0xD48, 0x6D0,
                   0x684, 0x6F4, 0xA3C, 0x6B8, 0x67C, 0x69C, 0xF2C, 0, 0x1014, 0xF30, 0x6CC, 0x648, 0x650,
                   0x660, 0x670, 0x678, 0x658, 0x690, 0x9F0, 0xA40, 0xECC, 0xF00, 0xF10, 0xF18, 0xF20},
    .HasEighthCategory = true,
    .HarvestsConstants = true,
    .NewLabelNames = true,
    .SubIconSecondSpacing = true,
    .HasExtendedFields = true,
    .MainIconXCopies = {361, 428, 432, 466},
    .ClearedVshWord = 0x1A0E8,
};

using L = LayoutRecord;
constexpr VshScalar kVshScalarTable[] = {
    {kVshMainIconX, &LayoutFieldOf(&L::MainIconX)},
    {kVshMainIconY, &LayoutFieldOf(&L::MainIconY)},
    {kVshUnfIconY, &LayoutFieldOf(&L::UnfIconY)},
    {.slot = kVshUnfIconYPlusOne, .field = &LayoutFieldOf(&L::UnfIconY), .loaded = false, .added = 1},
    {kVshClockX, &LayoutFieldOf(&L::ClockX)},
    {kVshClockY, &LayoutFieldOf(&L::ClockY)},
    {kVshBusySpeed, &LayoutFieldOf(&L::BusySpeed)},
    {.slot = kVshBmp01_12size, .field = &LayoutFieldOf(&L::Bmp01_12size), .halfword = true},
};
// A 16-bit place holds an integer, and only a slot the load skips may hold another
// value than its field's own (the load could not take it back).
static_assert(std::ranges::all_of(kVshScalarTable, [](const VshScalar& s) {
  const bool integer = std::holds_alternative<int32_t L::*>(s.field->member);
  return (!s.halfword || integer) && (s.added == 0 || (!s.loaded && integer));
}));

constexpr PafSlot kPafSlotTable[] = {
    {0, &LayoutFieldOf(&L::IconSpeedX1), true, false},
    {1, &LayoutFieldOf(&L::IconSpeedY1), true, false},
    {2, &LayoutFieldOf(&L::MainMenuTextY), true, false},
    {3, &LayoutFieldOf(&L::MainMenuTextSize), true, false},
    {6, &LayoutFieldOf(&L::MainIconSpace2), true, false},
    {5, &LayoutFieldOf(&L::MainIconSpace1), true, false},
    {4, &LayoutFieldOf(&L::UnfIconSize), true, false},
    {7, &LayoutFieldOf(&L::SubIconSize), true, false},
    {8, &LayoutFieldOf(&L::SubIconSize), false, false},
    {9, &LayoutFieldOf(&L::SubIconLowerSpace1), true, false},
    {10, &LayoutFieldOf(&L::SubIconUpperSpace1), true, false},
    {11, &LayoutFieldOf(&L::WaveSpeed), true, false},
    {12, &LayoutFieldOf(&L::SubMenuTextX), true, false},
    {13, &LayoutFieldOf(&L::SubMenuTextX2), true, false},
    {14, &LayoutFieldOf(&L::SubMenuTextX3), true, false},
    {17, &LayoutFieldOf(&L::SubMenuTextX1Seg), true, false},
    {16, &LayoutFieldOf(&L::SubMenuTextY), true, false},
    {18, &LayoutFieldOf(&L::SubMenuMSTextY), true, false},
    {15, &LayoutFieldOf(&L::SubMenuTextSize), true, false},
    {19, &LayoutFieldOf(&L::SubIconLowerSpace2), true, true},
    {21, &LayoutFieldOf(&L::IconSpeedX2), true, true},
    {22, &LayoutFieldOf(&L::IconSpeedY2), true, true},
    {23, &LayoutFieldOf(&L::SubMenuUnderMSTextY), true, true},
    {24, &LayoutFieldOf(&L::Sub2NetSearchX), true, true},
    {25, &LayoutFieldOf(&L::Sub2NetRadioX), true, true},
    {26, &LayoutFieldOf(&L::Sub2GameTitleX), true, true},
    {27, &LayoutFieldOf(&L::Sub2PhotVideoX), true, true},
    {28, &LayoutFieldOf(&L::Sub2RSSFeedsX), true, true},
    {29, &LayoutFieldOf(&L::Sub2SettingOptX), true, true},
    {30, &LayoutFieldOf(&L::Sub2SettingOptY), true, true},
    {31, &LayoutFieldOf(&L::OptSize1), true, true},
    {32, &LayoutFieldOf(&L::OptSize2), true, true},
    {33, &LayoutFieldOf(&L::GameSpace), true, true},
    {34, &LayoutFieldOf(&L::VideoSpace), true, true},
    {35, &LayoutFieldOf(&L::MusicSpace), true, true},
    {36, &LayoutFieldOf(&L::PhotoSpace), true, true},
    {37, &LayoutFieldOf(&L::OptSpace), true, true},
};
// clang-format on

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

std::span<const VshScalar> VshScalarTable() { return kVshScalarTable; }

std::span<const PafSlot> PafSlotTable() { return kPafSlotTable; }

namespace {

// The battery and busy positions live in system_plugin_fg.rco, whatever the version.
constexpr const LayoutField* kContainerFields[] = {&LayoutFieldOf(&L::BatteryX), &LayoutFieldOf(&L::BatteryY),
                                                   &LayoutFieldOf(&L::BusyX), &LayoutFieldOf(&L::BusyY)};

bool HasSlot(const FirmwareProfile& profile, const PafSlot& slot) {
  return (!slot.extended || profile.HasExtendedFields) && profile.PafOffsets[slot.slot] != 0;
}

// One written place of a module: its bytes [begin, end) within one address space
// (the image, or the constants table of a version that HarvestsConstants).
struct Place {
  const LayoutField* field;
  bool in_constants;
  uint32_t begin;
  uint32_t end;
  bool Overlaps(const Place& o) const { return in_constants == o.in_constants && begin < o.end && o.begin < end; }
};

// The places of one module in the order Save writes them.
std::vector<Place> VshPlaces(const FirmwareProfile& p) {
  std::vector<Place> places;
  for (const VshScalar& s : kVshScalarTable) {
    const uint32_t at = p.VshOffsets[s.slot];
    places.push_back({s.field, p.HarvestsConstants && !s.halfword, at, at + (s.halfword ? 2u : 4u)});
  }
  return places;
}

std::vector<Place> PafPlaces(const FirmwareProfile& p) {
  std::vector<Place> places;
  for (const PafSlot& s : kPafSlotTable) {
    if (!HasSlot(p, s)) continue;
    const uint32_t at = p.PafOffsets[s.slot];
    places.push_back({s.field, p.HarvestsConstants, at, at + 4});
  }
  return places;
}

// The bits a field becomes in a 32-bit place: the single of an integer, a float as held.
uint32_t WrittenBits(const LayoutRecord& l, const LayoutField& f) {
  if (auto* ip = std::get_if<int32_t LayoutRecord::*>(&f.member))
    return std::bit_cast<uint32_t>(static_cast<float>(l.*(*ip)));
  return std::bit_cast<uint32_t>(l.*(std::get<float LayoutRecord::*>(f.member)));
}

}  // namespace

bool StoresField(const FirmwareProfile& profile, const LayoutField& field) {
  if (profile.VshmainSize == 0) return false;  // nothing loaded: no version, no places
  for (const VshScalar& s : kVshScalarTable) {
    if (s.loaded && s.field == &field) return true;
  }
  for (const PafSlot& s : kPafSlotTable) {
    if (s.loaded && s.field == &field && HasSlot(profile, s)) return true;
  }
  return std::ranges::find(kContainerFields, &field) != std::end(kContainerFields);
}

std::vector<SharedPlace> SharedPlaces(const FirmwareProfile& profile) {
  std::vector<SharedPlace> shared;
  auto collect = [&](std::string_view file, const std::vector<Place>& places) {
    for (std::size_t a = 0; a < places.size(); ++a) {
      // The last write over the place is what the file keeps.
      const Place* kept = nullptr;
      for (std::size_t b = a + 1; b < places.size(); ++b) {
        if (places[b].field != places[a].field && places[b].Overlaps(places[a])) kept = &places[b];
      }
      if (kept != nullptr) shared.push_back({file, places[a].field, kept->field});
    }
  };
  collect("vshmain.prx", VshPlaces(profile));
  collect("paf.prx", PafPlaces(profile));
  return shared;
}

std::vector<SharedPlace> SharedPlaceConflicts(const FirmwareProfile& profile, const LayoutRecord& layout) {
  std::vector<SharedPlace> conflicts;
  for (const SharedPlace& s : SharedPlaces(profile)) {
    if (WrittenBits(layout, *s.overwritten) != WrittenBits(layout, *s.kept)) conflicts.push_back(s);
  }
  return conflicts;
}

}  // namespace qorvi
