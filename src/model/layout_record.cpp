// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/layout_record.h"

#include <bit>
#include <cstdint>
#include <type_traits>

namespace qorvi {

std::span<const LayoutField> LayoutFields() { return kLayoutFieldTable; }

const LayoutField* FindLayoutField(std::string_view name) {
  for (const LayoutField& f : kLayoutFieldTable) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

void CopyLayoutField(LayoutRecord& to, const LayoutRecord& from, const LayoutField& field) {
  std::visit([&](auto member) { to.*member = from.*member; }, field.member);
}

bool SameFieldValue(const LayoutRecord& a, const LayoutRecord& b, const LayoutField& field) {
  return std::visit(
      [&](auto member) {
        if constexpr (std::is_same_v<decltype(member), float LayoutRecord::*>) {
          return std::bit_cast<uint32_t>(a.*member) == std::bit_cast<uint32_t>(b.*member);
        } else {
          return a.*member == b.*member;
        }
      },
      field.member);
}

}  // namespace qorvi
