// The keys of an item object in the layout document, in document order, with the
// member of ItemRecord each one names. Shared by the writer and the reader so the
// two cannot drift apart.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <variant>

#include "model/model.h"

namespace qorvi::layout_json {

using qorvi::ItemTag;

struct ItemKey {
  std::string_view name;
  std::variant<uint32_t ItemRecord::*, uint8_t ItemRecord::*, int32_t ItemRecord::*, ItemTag ItemRecord::*> member;
};

inline constexpr std::array<ItemKey, 13> kItemKeys{{
    {"Word0", &ItemRecord::Word0},
    {"Media", &ItemRecord::Media},
    {"ExecGroup", &ItemRecord::ExecGroup},
    {"ExecFunction", &ItemRecord::ExecFunction},
    {"Word4", &ItemRecord::Word4},
    {"Word5", &ItemRecord::Word5},
    {"Word6", &ItemRecord::Word6},
    {"UmdFlag", &ItemRecord::UmdFlag},
    {"ExecIndex", &ItemRecord::ExecIndex},
    {"MainImageTag", &ItemRecord::MainImageTag},
    {"ShadowImageTag", &ItemRecord::ShadowImageTag},
    {"ConfImageTag", &ItemRecord::ConfImageTag},
    {"NameTag", &ItemRecord::NameTag},
}};

// The byte colours of the layout, and the two tables of float colours.
inline constexpr std::array<std::string_view, 3> kByteColorKeys{"BatteryColor", "ClockColor", "BusyColor"};
inline constexpr std::array<std::string_view, 2> kColorTableKeys{"TextColor", "BGColor"};

}  // namespace qorvi::layout_json
