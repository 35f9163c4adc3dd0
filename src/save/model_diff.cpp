// SPDX-License-Identifier: GPL-3.0-or-later
#include "save/model_diff.h"

#include <algorithm>
#include <bit>

#include "model/item_fields.h"
#include "model/record_layouts.h"

namespace qorvi {
namespace {

// What the comparison reads of one side.
struct Side {
  int32_t version;
  const FirmwareProfile& profile;
  const LayoutRecord& layout;
  const std::array<CategoryEntry, kCategoryEntrySlots>& entries;
  int32_t entry_count;
  const std::array<ItemRecord, kItemSlots>& items;
  int32_t item_count;
};

Side Current(const FirmwareState& s) {
  return {s.FirmwareVersion, s.Profile, s.Layout, s.CategoryEntries, s.CategoryEntryCount, s.ItemTable, s.ItemCount};
}

Side Loaded(const FirmwareState& s) {
  return {s.FirmwareVersion,    s.Profile,         s.LoadedLayout, s.LoadedCategoryEntries,
          s.CategoryEntryCount, s.LoadedItemTable, s.ItemCount};
}

constexpr Rgb8 LayoutRecord::*kIconColors[] = {&LayoutRecord::BatteryColor, &LayoutRecord::ClockColor,
                                               &LayoutRecord::BusyColor};

std::string_view IconColorName(Rgb8 LayoutRecord::*color) {
  if (color == &LayoutRecord::BatteryColor) return "BatteryColor";
  if (color == &LayoutRecord::ClockColor) return "ClockColor";
  return "BusyColor";
}

// The value at `place` on one side, as the document holds it.
DocumentValue ValueAt(const Side& side, const ValuePlace& place) {
  const auto i = static_cast<std::size_t>(place.index);
  switch (place.kind) {
    case ValuePlace::Kind::Version: return VersionNumber{side.version};
    case ValuePlace::Kind::Field:
      return std::visit(
          [&](auto member) -> DocumentValue {
            if constexpr (std::is_same_v<decltype(member), float LayoutRecord::*>) {
              return side.layout.*member;
            } else {
              return int64_t{side.layout.*member};
            }
          },
          place.field->member);
    case ValuePlace::Kind::TextColor: return side.layout.TextColor[i];
    case ValuePlace::Kind::BGColor: return side.layout.BGColor[i];
    case ValuePlace::Kind::IconColor: return side.layout.*place.icon_color;
    case ValuePlace::Kind::EntryByte:
      return int64_t{side.entries[i].*CategoryEntryRecord::kBytes[static_cast<std::size_t>(place.part)]};
    case ValuePlace::Kind::ItemField:
      return std::visit(
          [&](auto member) -> DocumentValue {
            if constexpr (std::is_same_v<decltype(member), ItemTag ItemRecord::*>) {
              return std::string((side.items[i].*member).view());
            } else {
              return int64_t{side.items[i].*member};
            }
          },
          kItemFields[static_cast<std::size_t>(place.part)].member);
  }
  return int64_t{0};
}

bool SameBits(float a, float b) { return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b); }

// Equal as the document shows them: floats by their bits.
bool SameValue(const DocumentValue& a, const DocumentValue& b) {
  if (a.index() != b.index()) return false;
  if (const auto* f = std::get_if<float>(&a)) return SameBits(*f, std::get<float>(b));
  if (const auto* c = std::get_if<RgbF>(&a)) {
    const RgbF& d = std::get<RgbF>(b);
    return SameBits(c->r, d.r) && SameBits(c->g, d.g) && SameBits(c->b, d.b);
  }
  if (const auto* c = std::get_if<Rgb8>(&a)) {
    const Rgb8& d = std::get<Rgb8>(b);
    return c->r == d.r && c->g == d.g && c->b == d.b;
  }
  if (const auto* t = std::get_if<std::string>(&a)) return *t == std::get<std::string>(b);
  if (const auto* v = std::get_if<VersionNumber>(&a)) return *v == std::get<VersionNumber>(b);
  return std::get<int64_t>(a) == std::get<int64_t>(b);
}

// How many records of a table both sides hold: as Save counts them, the side's
// count within what its version stores.
int Common(int32_t a_count, int32_t b_count, int32_t a_stored, int32_t b_stored, int slots) {
  return std::clamp(std::min({a_count, b_count, a_stored, b_stored}), 0, slots);
}

std::vector<ValueDifference> DiffSides(const Side& from, const Side& to) {
  std::vector<ValueDifference> out;
  auto compare = [&](const ValuePlace& place) {
    DocumentValue a = ValueAt(from, place);
    DocumentValue b = ValueAt(to, place);
    if (!SameValue(a, b)) out.push_back({place, KeyOf(place), std::move(a), std::move(b)});
  };
  using Kind = ValuePlace::Kind;

  compare({.kind = Kind::Version});
  for (const LayoutField& field : LayoutFields()) {
    if (StoresField(from.profile, field) && StoresField(to.profile, field)) {
      compare({.kind = Kind::Field, .field = &field});
    }
  }
  const int colors =
      std::clamp(std::min(from.profile.ColorEntryCount, to.profile.ColorEntryCount), 0, kColorTableEntries);
  for (const Kind table : {Kind::TextColor, Kind::BGColor}) {
    for (int i = 0; i < colors; ++i) compare({.kind = table, .index = i});
  }
  // Where no version is known there is no file to hold the icon colours either.
  if (from.profile.VshmainSize != 0 && to.profile.VshmainSize != 0) {
    for (Rgb8 LayoutRecord::*color : kIconColors) compare({.kind = Kind::IconColor, .icon_color = color});
  }
  const int entries = Common(from.entry_count, to.entry_count, from.profile.CategoryEntryCount,
                             to.profile.CategoryEntryCount, kCategoryEntrySlots);
  for (int i = 0; i < entries; ++i) {
    for (int b = 0; b < static_cast<int>(kEntryByteNames.size()); ++b) {
      compare({.kind = Kind::EntryByte, .index = i, .part = b});
    }
  }
  const int items = Common(from.item_count, to.item_count, from.profile.ItemCount, to.profile.ItemCount, kItemSlots);
  for (int i = 0; i < items; ++i) {
    for (int f = 0; f < static_cast<int>(kItemFields.size()); ++f) {
      compare({.kind = Kind::ItemField, .index = i, .part = f});
    }
  }
  return out;
}

}  // namespace

std::string KeyOf(const ValuePlace& place) {
  const std::string index = "[" + std::to_string(place.index) + "]";
  switch (place.kind) {
    case ValuePlace::Kind::Version: return "version";
    case ValuePlace::Kind::Field: return "layout." + std::string(place.field->name);
    case ValuePlace::Kind::TextColor: return "layout.TextColor" + index;
    case ValuePlace::Kind::BGColor: return "layout.BGColor" + index;
    case ValuePlace::Kind::IconColor: return "layout." + std::string(IconColorName(place.icon_color));
    case ValuePlace::Kind::EntryByte:
      return "categoryEntries" + index + "." + std::string(kEntryByteNames[static_cast<std::size_t>(place.part)]);
    case ValuePlace::Kind::ItemField:
      return "items" + index + "." + std::string(kItemFields[static_cast<std::size_t>(place.part)].name);
  }
  return {};
}

std::vector<ValueDifference> DiffModels(const FirmwareState& from, const FirmwareState& to) {
  return DiffSides(Current(from), Current(to));
}

std::vector<ValueDifference> DiffFromLoaded(const FirmwareState& state) {
  if (state.FirmwareVersion == 0) return {};
  return DiffSides(Loaded(state), Current(state));
}

}  // namespace qorvi
