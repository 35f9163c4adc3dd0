// SPDX-License-Identifier: GPL-3.0-or-later
// The session's edits of the menu entries and the item records.
#include <algorithm>
#include <string>

#include "firmware/exec_functions.h"
#include "session/edit_session.h"
#include "session/entry_rules.h"

namespace qorvi::session {
namespace {

std::string EntryName(int entry) { return "entry " + std::to_string(entry + 1); }
std::string ItemName(int item) { return "item " + std::to_string(item); }

std::string TagName(TagMember which) {
  if (which == &ItemRecord::MainImageTag) return "Icon Main Image Tag";
  if (which == &ItemRecord::ShadowImageTag) return "Icon Shadow Image Tag";
  if (which == &ItemRecord::ConfImageTag) return "Icon Conf Image Tag";
  return "Icon Name Tag";
}

}  // namespace

// --- Menu entries.

void EditSession::CycleEntry(int entry, EntryByte byte) {
  const int count = std::clamp(model_.CategoryEntryCount, 0, kCategoryEntrySlots);
  if (entry < 0 || entry >= count) return;
  Entries next = model_.CategoryEntries;
  CategoryEntry& e = next[static_cast<std::size_t>(entry)];
  std::string what;
  switch (byte) {
    case EntryByte::Category:
      e.Category = NextCategory(e.Category);
      what = "Category of ";
      break;
    case EntryByte::Region:
      e.Region = NextRegion(e.Region);
      what = "Region of ";
      break;
    case EntryByte::Show:
      e.Show = NextShow(e.Show);
      what = "Show of ";
      break;
  }
  Push(ModelChange::Of(next, Focus{view_.CurrentCategory, view_.CurrentItem}), what + EntryName(entry),
       MergeKey::None(), Origin::Edit);
}

void EditSession::ExchangeEntries(int a, int b) {
  const int count = std::clamp(model_.CategoryEntryCount, 0, kCategoryEntrySlots);
  if (a < 0 || b < 0 || a >= count || b >= count || a == b) return;
  Entries next = model_.CategoryEntries;
  std::swap(next[static_cast<std::size_t>(a)], next[static_cast<std::size_t>(b)]);
  Push(ModelChange::Of(next, Focus{view_.CurrentCategory, view_.CurrentItem}), "move of " + EntryName(a),
       MergeKey::None(), Origin::Edit);
}

void EditSession::ResetEntries() {
  if (Matches(ModelChange::Of(model_.LoadedCategoryEntries))) {
    // Nothing to take back: Reset still brings the focus to the first item.
    SetItem(0);
    return;
  }
  Push(ModelChange::Of(model_.LoadedCategoryEntries, Focus{view_.CurrentCategory, 0}), "Reset of the menu entries",
       MergeKey::None(), Origin::Edit);
}

// --- Item records.

void EditSession::SetItemFunction(int item, int function) {
  if (item < 0 || item >= std::clamp(model_.ItemCount, 0, kItemSlots)) return;
  if (function < 0 || function >= kExecFunctionCount) return;
  Items next = model_.ItemTable;
  ItemRecord& r = next[static_cast<std::size_t>(item)];
  // Positions stand for table indices, whatever function the entry's text names.
  const ExecFunction& f = ExecFunctionTable()[static_cast<std::size_t>(function)];
  r.ExecIndex = function;
  r.ExecGroup = f.Group;
  r.ExecFunction = f.Function;
  Push(ModelChange::Of(next), "Execute Function of " + ItemName(item), MergeKey::None(), Origin::Edit);
}

void EditSession::SetItemMedia(int item, uint32_t media) {
  if (item < 0 || item >= std::clamp(model_.ItemCount, 0, kItemSlots)) return;
  Items next = model_.ItemTable;
  next[static_cast<std::size_t>(item)].Media = media;
  Push(ModelChange::Of(next), "Media of " + ItemName(item), MergeKey::None(), Origin::Edit);
}

void EditSession::SetItemUmdFlag(int item, uint8_t flag) {
  if (item < 0 || item >= std::clamp(model_.ItemCount, 0, kItemSlots)) return;
  Items next = model_.ItemTable;
  next[static_cast<std::size_t>(item)].UmdFlag = flag;
  Push(ModelChange::Of(next), "UMD of " + ItemName(item), MergeKey::None(), Origin::Edit);
}

void EditSession::SetItemTag(int item, TagMember which, const Tag& tag) {
  if (item < 0 || item >= std::clamp(model_.ItemCount, 0, kItemSlots)) return;
  Items next = model_.ItemTable;
  next[static_cast<std::size_t>(item)].*which = tag;  // the bytes as they are
  Push(ModelChange::Of(next), TagName(which) + " of " + ItemName(item), MergeKey::None(), Origin::Edit);
}

}  // namespace qorvi::session
