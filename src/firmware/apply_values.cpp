// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/apply_values.h"

#include <algorithm>
#include <variant>

#include "firmware/byte_reader.h"
#include "firmware/rco_container.h"
#include "firmware/read_input.h"
#include "model/colors.h"
#include "model/container_places.h"
#include "model/record_layouts.h"

namespace qorvi {
namespace {

// The single nearest to an integer (computed wide, so UnfIconY + 1 and the like
// cannot overflow).
float Single(int64_t v) { return static_cast<float>(v); }

// Where a module's scalar values go: the image (byte offsets), or where the profile
// HarvestsConstants the constant table (byte offset / 4 = entry). Places outside
// either are not written and make ok() false.
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
    } else if (constants_failure_.empty()) {
      constants_failure_ =
          "constant place " + Hex(offset) + " lies outside the " + std::to_string(constants_.size()) + "-entry table";
    }
  }
  void single(uint64_t offset, float v) { word(offset, FloatBits(v)); }
  void whole(uint64_t offset, int64_t v) { single(offset, Single(v)); }
  Status status() const {
    if (!image_.ok()) return Refusal{"a value place lies outside the image: " + image_.failure()};
    if (!constants_failure_.empty()) return Refusal{constants_failure_};
    return {};
  }

 private:
  ByteWriter image_;
  std::span<uint32_t> constants_;
  bool to_constants_ = false;
  std::string constants_failure_;
};

// Puts one scalar field (plus `added`, an integer field only) into its 32-bit place.
void PutScalar(ScalarTarget& target, uint64_t place, const LayoutField& field, const LayoutRecord& layout,
               int32_t added = 0) {
  if (auto* whole = std::get_if<int32_t LayoutRecord::*>(&field.member)) {
    target.whole(place, int64_t{layout.*(*whole)} + added);
  } else {
    target.single(place, layout.*std::get<float LayoutRecord::*>(field.member));
  }
}

ScalarTarget TargetFor(const FirmwareState& state, std::span<uint8_t> image, std::span<uint32_t> constants) {
  return state.Profile.HarvestsConstants ? ScalarTarget(image, constants) : ScalarTarget(image);
}

void PutColors(ByteWriter& w, uint64_t offset, std::span<const RgbF> colors) {
  for (std::size_t i = 0; i < colors.size(); ++i) {
    for (std::size_t k = 0; k < ColorEntryRecord::kChannels.size(); ++k) {
      w.f32(offset + ColorEntryRecord::kSize * i + 4 * k, colors[i].*ColorEntryRecord::kChannels[k]);
    }
  }
}

void PutItem(ByteWriter& w, uint64_t at, const ItemRecord& item) {
  for (const ItemRecordLayout::Word& word : ItemRecordLayout::kWords) w.u32(at + word.offset, item.*word.field);
  w.u8(at + ItemRecordLayout::kUmdFlag, item.UmdFlag);
  // The text and its zero; what the file holds behind a shorter text stays.
  for (const ItemRecordLayout::Tag& t : ItemRecordLayout::kTags) w.bytes(at + t.offset, (item.*t.field).StoredBytes());
}

uint8_t Component(const Rgb8& c, int index) { return index == 0 ? c.r : index == 1 ? c.g : c.b; }

Status Outcome(const ByteWriter& w, const ScalarTarget& t) {
  if (Status s = t.status(); !s) return s;
  if (!w.ok()) return Refusal{"a table lies outside the image: " + w.failure()};
  return {};
}

}  // namespace

Status ApplyVshmainValues(std::span<uint8_t> image, const LayoutRecord& layout, FirmwareState& state) {
  const FirmwareProfile& p = state.Profile;
  const auto& S = p.VshOffsets;
  ByteWriter f(image);
  ScalarTarget w = TargetFor(state, image, state.VshConstants);

  for (const VshScalar& scalar : VshScalarTable()) {
    if (scalar.halfword) {
      // Always in the image.
      f.u16(S[scalar.slot], static_cast<uint16_t>(layout.*std::get<int32_t LayoutRecord::*>(scalar.field->member)));
    } else {
      PutScalar(w, S[scalar.slot], *scalar.field, layout, scalar.added);
    }
  }
  // The constants that repeat MainIconX, which the load does not read.
  if (p.HarvestsConstants) {
    for (uint32_t entry : p.MainIconXCopies) w.whole(uint64_t{entry} * 4, layout.MainIconX);
  }

  const std::size_t colors = static_cast<std::size_t>(std::clamp(p.ColorEntryCount, 0, kColorTableEntries));
  PutColors(f, S[kVshTextColor], std::span(layout.TextColor).first(colors));
  PutColors(f, S[kVshBGColor], std::span(layout.BGColor).first(colors));

  if (p.ClearedVshWord != 0) f.u32(p.ClearedVshWord, 0);

  // Only the low byte of each word is the entry's; the upper bytes stay as loaded.
  const int entries = std::clamp(std::min(state.CategoryEntryCount, p.CategoryEntryCount), 0, kCategoryEntrySlots);
  for (int i = 0; i < entries; ++i) {
    const uint64_t at = S[kVshCategoryEntries] + CategoryEntryRecord::kSize * i;
    for (std::size_t k = 0; k < CategoryEntryRecord::kBytes.size(); ++k) {
      f.u8(at + CategoryEntryRecord::kWordSize * k, state.CategoryEntries[i].*CategoryEntryRecord::kBytes[k]);
    }
  }

  const int items = std::clamp(std::min(state.ItemCount, p.ItemCount), 0, kItemSlots);
  for (int i = 0; i < items; ++i) PutItem(f, S[kVshItemTable] + ItemRecordLayout::kSize * i, state.ItemTable[i]);
  return Outcome(f, w);
}

Status ApplyPafValues(std::span<uint8_t> image, const LayoutRecord& layout, FirmwareState& state) {
  const FirmwareProfile& p = state.Profile;
  ScalarTarget w = TargetFor(state, image, state.PafConstants);
  for (const PafSlot& slot : PafSlotTable()) {
    if (slot.extended && !p.HasExtendedFields) continue;
    PutScalar(w, p.PafOffsets[slot.slot], *slot.field, layout);
  }
  return w.status();
}

FileWriteResult InsertBootSound(std::span<uint8_t> image, const FirmwareState& state, const std::string& path,
                                std::span<uint8_t> scratch) {
  if (state.Profile.BootSoundOffset <= 0) return {kWriteFailed, "no boot sound area: no firmware version is known"};
  const uint64_t area = static_cast<uint64_t>(state.Profile.BootSoundOffset);
  if (!InRange(image.size(), area, kBootSoundAreaBytes)) {
    return {kWriteFailed, "the boot sound area at " + Hex(area) + " lies past the end of the image (" +
                              std::to_string(image.size()) + " bytes)"};
  }
  if (scratch.size() < kBootSoundAreaBytes) return {kWriteFailed, "no room to read the boot sound"};
  // A sound that does not fit the area is refused; only the area's worth is ever read.
  Result<std::size_t, InputRefusal> sound = ReadInput(path, scratch.first(kBootSoundAreaBytes));
  if (!sound) {
    if (sound.refusal().kind == InputFailure::TooLong) {
      return {kBootSoundTooBig,
              "the boot sound has more than the " + std::to_string(kBootSoundAreaBytes) + " bytes its area holds"};
    }
    return {kBootSoundCannotOpen, "boot sound: " + sound.cause()};
  }

  // The .wav goes in whole, header included; the rest of the area is cleared.
  ByteWriter w(image);
  w.fill(area, kBootSoundAreaBytes, 0);
  w.bytes(area, scratch.first(*sound));
  if (!w.ok()) return {kWriteFailed, "boot sound area: " + w.failure()};
  return {};
}

Status ApplyTopmenuPluginValues(std::span<uint8_t> image, const LayoutRecord& layout) {
  const Result<uint32_t> place = LocateTopmenuPluginValue(image);
  if (!place) return place.refusal();
  ByteWriter w(image);
  w.f32(*place, Single(layout.MainIconX));
  if (!w.ok()) return Refusal{w.failure()};
  return {};
}

Status ApplySystemPluginValues(std::span<uint8_t> image, const FirmwareState& state, const LayoutRecord& layout) {
  const uint64_t battery = state.BatteryObject;
  const uint64_t busy = state.BusyObject;
  for (auto [at, what] : {std::pair{battery, "battery"}, std::pair{busy, "busy"}}) {
    if (!InRange(image.size(), at, rco::kObjectExtent)) {
      return Refusal{std::string(what) + " object at " + Hex(at) + " (" + std::to_string(rco::kObjectExtent) +
                     " bytes) lies past the end (" + std::to_string(image.size()) + " bytes)"};
    }
  }
  ByteWriter w(image);
  w.f32(battery + rco::kObjectX, Single(layout.BatteryX));
  w.f32(battery + rco::kObjectY, Single(layout.BatteryY));
  w.f32(busy + rco::kObjectX, Single(layout.BusyX));
  w.f32(busy + rco::kObjectY, Single(layout.BusyY));
  w.f32(battery + rco::kObjectShadowX, Single(int64_t{layout.BatteryX} + 2));
  w.f32(battery + rco::kObjectShadowY, Single(int64_t{layout.BatteryY} - 2));
  w.f32(busy + rco::kObjectShadowX, Single(int64_t{layout.BusyX} + 2));
  w.f32(busy + rco::kObjectShadowY, Single(int64_t{layout.BusyY} - 2));
  // Component by component: the red of all three colours, then green, then blue.
  for (int c = 0; c < 3; ++c) {
    w.f32(battery + rco::kObjectColor + 4 * c, FloatFromColorByte(Component(layout.BatteryColor, c)));
    w.f32(battery + rco::kClockColor + 4 * c, FloatFromColorByte(Component(layout.ClockColor, c)));
    w.f32(busy + rco::kObjectColor + 4 * c, FloatFromColorByte(Component(layout.BusyColor, c)));
  }
  if (!w.ok()) return Refusal{w.failure()};
  return {};
}

}  // namespace qorvi
