// SPDX-License-Identifier: GPL-3.0-or-later
// The session's edits of the menu entries and the item records.
#include <algorithm>
#include <string>

#include "firmware/exec_functions.h"
#include "session/edit_session.h"
#include "session/entry_rules.h"
#include "session/step_names.h"

namespace qorvi::session {
namespace {

// The function of an item record as the Advance window names it (English).
std::string_view FunctionText(const ItemRecord& item) {
  return item.ExecIndex >= 0 && item.ExecIndex < kExecFunctionCount ? ExecFunctionName(item.ExecIndex, 1)
                                                                    : std::string_view();
}

std::string_view TagTitle(TagMember which) {
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
  const CategoryEntry was = e;
  std::string what;
  switch (byte) {
    case EntryByte::Category:
      e.Category = NextCategory(e.Category);
      what = EntryStepName("Category", entry, CategoryText(was.Category), CategoryText(e.Category));
      break;
    case EntryByte::Region:
      e.Region = NextRegion(e.Region);
      what = EntryStepName("Region", entry, RegionText(was.Region), RegionText(e.Region));
      break;
    case EntryByte::Show:
      e.Show = NextShow(e.Show);
      what = EntryStepName("Show", entry, ShowText(was.Show), ShowText(e.Show));
      break;
  }
  Push(ModelChange::Of(next, Focus{view_.CurrentCategory, view_.CurrentItem}), what, MergeKey::None(), Origin::Edit);
}

void EditSession::ExchangeEntries(int a, int b) {
  const int count = std::clamp(model_.CategoryEntryCount, 0, kCategoryEntrySlots);
  if (a < 0 || b < 0 || a >= count || b >= count || a == b) return;
  Entries next = model_.CategoryEntries;
  std::swap(next[static_cast<std::size_t>(a)], next[static_cast<std::size_t>(b)]);
  Push(ModelChange::Of(next, Focus{view_.CurrentCategory, view_.CurrentItem}), ExchangeStepName(a, b), MergeKey::None(),
       Origin::Edit);
}

void EditSession::ResetEntries() {
  if (Matches(ModelChange::Of(model_.LoadedCategoryEntries))) {
    // Nothing to take back: Reset still brings the focus to the first item.
    SetItem(0);
    return;
  }
  Push(ModelChange::Of(model_.LoadedCategoryEntries, Focus{view_.CurrentCategory, 0}), "Menu entries: Reset Value",
       MergeKey::None(), Origin::Edit);
}

// --- Item records.

void EditSession::SetItemFunction(int item, int function) {
  if (item < 0 || item >= std::clamp(model_.ItemCount, 0, kItemSlots)) return;
  if (function < 0 || function >= kExecFunctionCount) return;
  Items next = model_.ItemTable;
  ItemRecord& r = next[static_cast<std::size_t>(item)];
  const std::string from(FunctionText(r));
  // Positions stand for table indices, whatever function the entry's text names.
  const ExecFunction& f = ExecFunctionTable()[static_cast<std::size_t>(function)];
  r.ExecIndex = function;
  r.ExecGroup = f.Group;
  r.ExecFunction = f.Function;
  Push(ModelChange::Of(next), ItemStepName(item, "Execute Function", from, FunctionText(r)), MergeKey::None(),
       Origin::Edit);
}

void EditSession::SetItemMedia(int item, uint32_t media) {
  if (item < 0 || item >= std::clamp(model_.ItemCount, 0, kItemSlots)) return;
  Items next = model_.ItemTable;
  ItemRecord& r = next[static_cast<std::size_t>(item)];
  const std::string from(MediaText(r.Media));
  r.Media = media;
  Push(ModelChange::Of(next), ItemStepName(item, "Media", from, MediaText(media)), MergeKey::None(), Origin::Edit);
}

void EditSession::SetItemUmdFlag(int item, uint8_t flag) {
  if (item < 0 || item >= std::clamp(model_.ItemCount, 0, kItemSlots)) return;
  Items next = model_.ItemTable;
  ItemRecord& r = next[static_cast<std::size_t>(item)];
  const std::string from(UmdText(r.UmdFlag));
  r.UmdFlag = flag;
  Push(ModelChange::Of(next), ItemStepName(item, "UMD", from, UmdText(flag)), MergeKey::None(), Origin::Edit);
}

void EditSession::SetItemTag(int item, TagMember which, const Tag& tag) {
  if (item < 0 || item >= std::clamp(model_.ItemCount, 0, kItemSlots)) return;
  Items next = model_.ItemTable;
  ItemRecord& r = next[static_cast<std::size_t>(item)];
  const std::string from(TextOf(r.*which));
  r.*which = tag;  // the bytes as they are
  Push(ModelChange::Of(next), ItemStepName(item, TagTitle(which), from, TextOf(tag)), MergeKey::None(), Origin::Edit);
}

}  // namespace qorvi::session
