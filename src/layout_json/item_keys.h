// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of an item object in the layout document, in document order, with the
// member of ItemRecord each one names. Shared by the writer and the reader so the
// two cannot drift apart.
#pragma once

#include <array>
#include <string_view>

#include "model/item_fields.h"

namespace qorvi::layout_json {

using qorvi::ItemTag;

// The item keys are the model's item fields (model/item_fields.h).
using ItemKey = ItemField;
inline constexpr const std::array<ItemKey, 13>& kItemKeys = kItemFields;

// The byte colours of the layout, and the two tables of float colours.
inline constexpr std::array<std::string_view, 3> kByteColorKeys{"BatteryColor", "ClockColor", "BusyColor"};
inline constexpr std::array<std::string_view, 2> kColorTableKeys{"TextColor", "BGColor"};

}  // namespace qorvi::layout_json
