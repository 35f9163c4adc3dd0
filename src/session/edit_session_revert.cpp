// SPDX-License-Identifier: GPL-3.0-or-later
// The session's Revert: one value of what Save would change put back from the last
// load (the Changes window).
#include <algorithm>

#include "model/item_fields.h"
#include "model/record_layouts.h"
#include "session/edit_session.h"

namespace qorvi::session {
namespace {

bool IsExecuteFunction(const ItemField& field) {
  return field.name == "ExecGroup" || field.name == "ExecFunction" || field.name == "ExecIndex";
}

}  // namespace

void EditSession::RevertValue(const ValuePlace& place) {
  if (!loaded_) return;
  const auto i = static_cast<std::size_t>(place.index);
  const std::string what = "revert of " + KeyOf(place);
  switch (place.kind) {
    case ValuePlace::Kind::Version: return;
    case ValuePlace::Kind::Field:
      if (place.field != nullptr) RestoreField(*place.field);
      return;
    case ValuePlace::Kind::TextColor:
    case ValuePlace::Kind::BGColor: RestoreTableColor(place.kind == ValuePlace::Kind::BGColor, place.index); return;
    case ValuePlace::Kind::IconColor:
      if (place.icon_color != nullptr) RestoreIconColor(place.icon_color);
      return;
    case ValuePlace::Kind::EntryByte: {
      if (i >= kCategoryEntrySlots || place.part < 0 ||
          place.part >= static_cast<int>(CategoryEntryRecord::kBytes.size())) {
        return;
      }
      Entries next = model_.CategoryEntries;
      const auto byte = CategoryEntryRecord::kBytes[static_cast<std::size_t>(place.part)];
      next[i].*byte = model_.LoadedCategoryEntries[i].*byte;
      Push(ModelChange::Of(next, Focus{view_.CurrentCategory, view_.CurrentItem}), what, MergeKey::None(),
           Origin::Restore);
      return;
    }
    case ValuePlace::Kind::ItemField: {
      if (i >= kItemSlots || place.part < 0 || place.part >= static_cast<int>(kItemFields.size())) return;
      Items next = model_.ItemTable;
      const ItemRecord& loaded = model_.LoadedItemTable[i];
      const ItemField& field = kItemFields[static_cast<std::size_t>(place.part)];
      for (const ItemField& f : kItemFields) {
        if (&f == &field || (IsExecuteFunction(field) && IsExecuteFunction(f))) {
          std::visit([&](auto member) { next[i].*member = loaded.*member; }, f.member);
        }
      }
      Push(ModelChange::Of(next), what, MergeKey::None(), Origin::Restore);
      return;
    }
  }
}

}  // namespace qorvi::session
