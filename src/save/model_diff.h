// SPDX-License-Identifier: GPL-3.0-or-later
// What differs between two states of the model, value by value: what Save would
// change against the loaded files (the desktop program's Changes window and its
// "Save changes?" prompt), and `qorvi-cli diff`, which compares a loaded set with
// another set or with a layout document applied to it.
//
// Values are named and ordered as the layout document has them: "version", then
// the layout fields in record order ("layout.MainIconX"), the colour tables entry
// by entry ("layout.TextColor[3]", then "layout.BGColor[0]" ...), the three icon
// colours, the menu entries byte by byte ("categoryEntries[4].category"), the items
// field by field ("items[7].ExecIndex"). Only what the files of both versions hold
// is compared (StoresField, the colour entries, menu entries and items a version
// has, counted as Save writes them); the version itself is the first difference
// when the two differ. The values are the document's too (a float by its bits, so
// a NaN equals itself and -0 differs from 0); layout_json/difference_text.h writes
// them exactly as `qorvi-cli info` does.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/layout_record.h"
#include "model/model.h"

namespace qorvi {

// Where a value stands in the model.
struct ValuePlace {
  enum class Kind {
    Version,    // FirmwareVersion
    Field,      // a scalar field: `field`
    TextColor,  // entry `index` of the text colour table
    BGColor,    // entry `index` of the background colour table
    IconColor,  // `icon_color`: the battery, clock or busy colour
    EntryByte,  // byte `part` of menu entry `index` (CategoryEntryRecord::kBytes order)
    ItemField,  // field `part` of item `index` (kItemFields order)
  };
  Kind kind = Kind::Version;
  const LayoutField* field = nullptr;
  Rgb8 LayoutRecord::*icon_color = nullptr;
  int index = 0;
  int part = 0;

  bool operator==(const ValuePlace&) const = default;
};

// A firmware version, 390 for 3.90: the document writes it as that number, a
// difference line as "3.90".
struct VersionNumber {
  int32_t number = 0;
  bool operator==(const VersionNumber&) const = default;
};

// One value as the layout document holds it: an integer field or byte, a float
// field, a text (an item's tag), a colour of a table, an icon colour, a version.
using DocumentValue = std::variant<int64_t, float, std::string, RgbF, Rgb8, VersionNumber>;

struct ValueDifference {
  ValuePlace place;
  std::string key;  // the key path: "layout.ClockX", "items[7].NameTag"
  DocumentValue from;
  DocumentValue to;
};

// The names of a menu entry's bytes in key paths, in CategoryEntryRecord::kBytes
// order.
inline constexpr std::array<std::string_view, 4> kEntryByteNames{"category", "item", "show", "region"};

// Every difference from `from` to `to`, in document order; empty when the two
// hold the same values.
std::vector<ValueDifference> DiffModels(const FirmwareState& from, const FirmwareState& to);

// What Save would change against the files of the last load: from LoadedLayout,
// LoadedCategoryEntries and LoadedItemTable to Layout, CategoryEntries and
// ItemTable. Empty before the first load.
std::vector<ValueDifference> DiffFromLoaded(const FirmwareState& state);

// The key path of a place ("layout.TextColor[3]").
std::string KeyOf(const ValuePlace& place);

}  // namespace qorvi
