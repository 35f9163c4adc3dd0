// SPDX-License-Identifier: GPL-3.0-or-later
// The fields of an item record by the names the layout document gives them, in
// document order, with the member of ItemRecord each one names. One table for the
// document's writer and reader and for the comparison of two models, so that the
// names and their order cannot drift apart.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <variant>

#include "model/model.h"

namespace qorvi {

struct ItemField {
  std::string_view name;
  std::variant<uint32_t ItemRecord::*, uint8_t ItemRecord::*, int32_t ItemRecord::*, ItemTag ItemRecord::*> member;
};

inline constexpr std::array<ItemField, 13> kItemFields{{
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

}  // namespace qorvi
