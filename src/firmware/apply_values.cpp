#include "firmware/apply_values.h"

#include <algorithm>
#include <optional>

#include "firmware/byte_reader.h"
#include "firmware/file_io.h"
#include "firmware/rco_container.h"
#include "model/colors.h"

namespace qorvi {
namespace {

constexpr int32_t kVersion500 = 500;

// vshmain.prx records.
constexpr uint64_t kCategoryRecordSize = 16;  // four 32-bit words; the entry's bytes are their low bytes
constexpr uint64_t kColorEntrySize = 12;
constexpr uint64_t kItemRecordSize = 140;
constexpr uint64_t kUmdFlagByte = 28;
constexpr uint64_t kMainImageTagByte = 31;
constexpr uint64_t kShadowImageTagByte = 55;
constexpr uint64_t kConfImageTagByte = 79;
constexpr uint64_t kNameTagByte = 103;

// Within the battery and busy objects of system_plugin_fg.rco.
constexpr uint64_t kObjectShadowX = 0x74;  // a copy of the position, 2 pixels right and up
constexpr uint64_t kObjectShadowY = 0x78;
constexpr uint64_t kObjectX = 0xE8;
constexpr uint64_t kObjectY = 0xEC;
constexpr uint64_t kObjectColor = 0xF4;
constexpr uint64_t kClockColor = 0x168;    // battery object only
constexpr uint64_t kObjectExtent = 0x174;  // one past the last byte written into an object

// The single nearest to an integer (computed wide, so UnfIconY + 1 and the like
// cannot overflow).
float Single(int64_t v) { return static_cast<float>(v); }

// Where a module's scalar values go: the image (byte offsets), or on 5.00 the
// harvested constant table (byte offset / 4 = entry). Places outside either are
// not written and make ok() false.
class ScalarTarget {
 public:
  explicit ScalarTarget(std::span<uint8_t> image) : image_(image) {}
  ScalarTarget(std::span<uint8_t> image, std::span<uint32_t> constants)
      : image_(image), constants_(constants), to_constants_(true) {}

  void word(uint64_t offset, uint32_t bits) {
    if (!to_constants_) {
      image_.u32(offset, bits);
    } else if (offset % 4 == 0 && offset / 4 < constants_.size()) {
      constants_[offset / 4] = bits;
    } else {
      constants_ok_ = false;
    }
  }
  void single(uint64_t offset, float v) { word(offset, FloatBits(v)); }
  void whole(uint64_t offset, int64_t v) { single(offset, Single(v)); }
  bool ok() const { return image_.ok() && constants_ok_; }

 private:
  ByteWriter image_;
  std::span<uint32_t> constants_;
  bool to_constants_ = false;
  bool constants_ok_ = true;
};

// A tag of an item record: at most 23 characters and the zero behind them, so the
// field (24 bytes) always ends its string. Bytes behind the zero stay as they were.
void PutTag(ByteWriter& w, uint64_t offset, const std::array<char, 24>& tag) {
  const std::size_t length = std::find(tag.begin(), tag.end() - 1, '\0') - tag.begin();
  w.bytes(offset, std::span(reinterpret_cast<const uint8_t*>(tag.data()), length));
  w.u8(offset + length, 0);
}

void PutColors(ByteWriter& w, uint64_t offset, std::span<const RgbF> colors) {
  for (std::size_t i = 0; i < colors.size(); ++i) {
    const uint64_t at = offset + kColorEntrySize * i;
    w.f32(at, colors[i].r);
    w.f32(at + 4, colors[i].g);
    w.f32(at + 8, colors[i].b);
  }
}

uint8_t Component(const Rgb8& c, int index) { return index == 0 ? c.r : index == 1 ? c.g : c.b; }

// The paf.prx writes in their order: slot and field (a whole field is written as a
// single of its value, a float field as held). On 3.90 slots 13 and 17 share a
// place, so the later write (SubMenuTextX1Seg) is what the file keeps.
struct PafWrite {
  int slot;
  int32_t LayoutRecord::*whole;
  float LayoutRecord::*single;
};

// clang-format off
constexpr PafWrite kPafWrites[] = {
    {0, &LayoutRecord::IconSpeedX1, nullptr},
    {1, &LayoutRecord::IconSpeedY1, nullptr},
    {2, &LayoutRecord::MainMenuTextY, nullptr},
    {3, nullptr, &LayoutRecord::MainMenuTextSize},
    {6, &LayoutRecord::MainIconSpace2, nullptr},
    {5, &LayoutRecord::MainIconSpace1, nullptr},
    {4, nullptr, &LayoutRecord::UnfIconSize},
    {7, nullptr, &LayoutRecord::SubIconSize},
    {8, nullptr, &LayoutRecord::SubIconSize},
    {9, &LayoutRecord::SubIconLowerSpace1, nullptr},
    {10, &LayoutRecord::SubIconUpperSpace1, nullptr},
    {11, nullptr, &LayoutRecord::WaveSpeed},
    {12, &LayoutRecord::SubMenuTextX, nullptr},
    {13, &LayoutRecord::SubMenuTextX2, nullptr},
    {14, &LayoutRecord::SubMenuTextX3, nullptr},
    {17, &LayoutRecord::SubMenuTextX1Seg, nullptr},
    {16, &LayoutRecord::SubMenuTextY, nullptr},
    {18, &LayoutRecord::SubMenuMSTextY, nullptr},
    {15, nullptr, &LayoutRecord::SubMenuTextSize},
};
// clang-format on

// 5.00 only. Slot 20 has no place: SubIconUpperSpace2 is not saved.
// clang-format off
constexpr PafWrite kPafWrites500[] = {
    {19, &LayoutRecord::SubIconLowerSpace2, nullptr},
    {21, &LayoutRecord::IconSpeedX2, nullptr},
    {22, &LayoutRecord::IconSpeedY2, nullptr},
    {23, &LayoutRecord::SubMenuUnderMSTextY, nullptr},
    {24, nullptr, &LayoutRecord::Sub2NetSearchX},
    {25, nullptr, &LayoutRecord::Sub2NetRadioX},
    {26, nullptr, &LayoutRecord::Sub2GameTitleX},
    {27, nullptr, &LayoutRecord::Sub2PhotVideoX},
    {28, nullptr, &LayoutRecord::Sub2RSSFeedsX},
    {29, nullptr, &LayoutRecord::Sub2SettingOptX},
    {30, nullptr, &LayoutRecord::Sub2SettingOptY},
    {31, nullptr, &LayoutRecord::OptSize1},
    {32, nullptr, &LayoutRecord::OptSize2},
    {33, nullptr, &LayoutRecord::GameSpace},
    {34, nullptr, &LayoutRecord::VideoSpace},
    {35, nullptr, &LayoutRecord::MusicSpace},
    {36, nullptr, &LayoutRecord::PhotoSpace},
    {37, nullptr, &LayoutRecord::OptSpace},
};
// clang-format on

void ApplyPafWrites(std::span<const PafWrite> writes, const FirmwareProfile& profile, const LayoutRecord& layout,
                    ScalarTarget& target) {
  for (const PafWrite& w : writes) {
    const uint32_t place = profile.PafOffsets[w.slot];
    if (w.whole != nullptr) {
      target.whole(place, layout.*(w.whole));
    } else {
      target.single(place, layout.*(w.single));
    }
  }
}

}  // namespace

bool ApplyVshmainValues(std::span<uint8_t> image, const LayoutRecord& layout, FirmwareState& state) {
  const FirmwareProfile& p = state.Profile;
  const auto& S = p.VshOffsets;
  const bool is500 = state.FirmwareVersion == kVersion500;
  ByteWriter f(image);
  ScalarTarget w = is500 ? ScalarTarget(image, state.VshConstants) : ScalarTarget(image);

  w.whole(S[kVshMainIconX], layout.MainIconX);
  if (is500) {
    for (uint32_t entry : kVsh500ExtraMainIconX) w.whole(uint64_t{entry} * 4, layout.MainIconX);
  }
  w.whole(S[kVshMainIconY], layout.MainIconY);
  w.whole(S[kVshUnfIconY], layout.UnfIconY);
  w.whole(S[kVshUnfIconYPlusOne], int64_t{layout.UnfIconY} + 1);
  w.whole(S[kVshClockX], layout.ClockX);
  w.whole(S[kVshClockY], layout.ClockY);
  w.single(S[kVshBusySpeed], layout.BusySpeed);
  // A 16-bit field, always in the image.
  f.u16(S[kVshBmp01_12size], static_cast<uint16_t>(layout.Bmp01_12size));

  const std::size_t colors = static_cast<std::size_t>(std::clamp(p.ColorEntryCount, 0, kColorTableEntries));
  PutColors(f, S[kVshTextColor], std::span(layout.TextColor).first(colors));
  PutColors(f, S[kVshBGColor], std::span(layout.BGColor).first(colors));

  if (is500) f.u32(kVsh500ClearedWord, 0);

  // Only the low byte of each word is the entry's; the upper bytes stay as loaded.
  const int entries = std::clamp(std::min(state.CategoryEntryCount, p.CategoryEntryCount), 0, kCategoryEntrySlots);
  for (int i = 0; i < entries; ++i) {
    const uint64_t at = S[kVshCategoryEntries] + kCategoryRecordSize * i;
    const CategoryEntry& e = state.CategoryEntries[i];
    f.u8(at, e.Category);
    f.u8(at + 4, e.Item);
    f.u8(at + 8, e.Show);
    f.u8(at + 12, e.Region);
  }

  const int items = std::clamp(std::min(state.ItemCount, p.ItemCount), 0, kItemSlots);
  for (int i = 0; i < items; ++i) {
    const uint64_t at = S[kVshItemTable] + kItemRecordSize * i;
    const ItemRecord& item = state.ItemTable[i];
    f.u32(at, item.Word0);
    f.u32(at + 4, item.Media);
    f.u32(at + 8, item.ExecGroup);
    f.u32(at + 12, item.ExecFunction);
    f.u32(at + 16, item.Word4);
    f.u32(at + 20, item.Word5);
    f.u32(at + 24, item.Word6);
    f.u8(at + kUmdFlagByte, item.UmdFlag);
    PutTag(f, at + kMainImageTagByte, item.MainImageTag);
    PutTag(f, at + kShadowImageTagByte, item.ShadowImageTag);
    PutTag(f, at + kConfImageTagByte, item.ConfImageTag);
    PutTag(f, at + kNameTagByte, item.NameTag);
  }
  return f.ok() && w.ok();
}

bool ApplyPafValues(std::span<uint8_t> image, const LayoutRecord& layout, FirmwareState& state) {
  const bool is500 = state.FirmwareVersion == kVersion500;
  ScalarTarget w = is500 ? ScalarTarget(image, state.PafConstants) : ScalarTarget(image);
  ApplyPafWrites(kPafWrites, state.Profile, layout, w);
  if (is500) ApplyPafWrites(kPafWrites500, state.Profile, layout, w);
  return w.ok();
}

int InsertBootSound(std::span<uint8_t> image, const FirmwareState& state, const std::string& path,
                    std::span<uint8_t> scratch) {
  if (state.Profile.BootSoundOffset <= 0) return kWriteFailed;
  const uint64_t area = static_cast<uint64_t>(state.Profile.BootSoundOffset);
  if (!InRange(image.size(), area, kBootSoundAreaBytes) || scratch.size() < kBootSoundAreaBytes) return kWriteFailed;
  // A sound that does not fit the area is refused; only the area's worth is ever read.
  const ReadResult sound = ReadFileInto(path, scratch.first(kBootSoundAreaBytes));
  if (sound.status == ReadStatus::CannotOpen) return kBootSoundCannotOpen;
  if (sound.status == ReadStatus::TooLong) return kBootSoundTooBig;

  // The .wav goes in whole, header included; the rest of the area is cleared.
  ByteWriter w(image);
  w.fill(area, kBootSoundAreaBytes, 0);
  w.bytes(area, scratch.first(sound.size));
  return w.ok() ? kFileWritten : kWriteFailed;
}

bool ApplyTopmenuPluginValues(std::span<uint8_t> image, const LayoutRecord& layout) {
  const std::optional<uint32_t> place = LocateTopmenuPluginValue(image);
  if (!place) return false;
  ByteWriter w(image);
  w.f32(*place, Single(layout.MainIconX));
  return w.ok();
}

bool ApplySystemPluginValues(std::span<uint8_t> image, const FirmwareState& state, const LayoutRecord& layout) {
  const uint64_t battery = state.BatteryObject;
  const uint64_t busy = state.BusyObject;
  if (!InRange(image.size(), battery, kObjectExtent) || !InRange(image.size(), busy, kObjectExtent)) return false;
  ByteWriter w(image);
  w.f32(battery + kObjectX, Single(layout.BatteryX));
  w.f32(battery + kObjectY, Single(layout.BatteryY));
  w.f32(busy + kObjectX, Single(layout.BusyX));
  w.f32(busy + kObjectY, Single(layout.BusyY));
  w.f32(battery + kObjectShadowX, Single(int64_t{layout.BatteryX} + 2));
  w.f32(battery + kObjectShadowY, Single(int64_t{layout.BatteryY} - 2));
  w.f32(busy + kObjectShadowX, Single(int64_t{layout.BusyX} + 2));
  w.f32(busy + kObjectShadowY, Single(int64_t{layout.BusyY} - 2));
  // Component by component: the red of all three colours, then green, then blue.
  for (int c = 0; c < 3; ++c) {
    w.f32(battery + kObjectColor + 4 * c, FloatFromColorByte(Component(layout.BatteryColor, c)));
    w.f32(battery + kClockColor + 4 * c, FloatFromColorByte(Component(layout.ClockColor, c)));
    w.f32(busy + kObjectColor + 4 * c, FloatFromColorByte(Component(layout.BusyColor, c)));
  }
  return w.ok();
}

}  // namespace qorvi
