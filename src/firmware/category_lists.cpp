// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/category_lists.h"

#include <algorithm>

namespace qorvi {
namespace {

constexpr uint8_t kUnlisted = 255;
constexpr uint8_t kShowLeftOut = 2;

void Append(CategoryList& list, int32_t item) {
  if (list.Count < static_cast<int32_t>(list.Items.size())) list.Items[list.Count++] = item;
}

}  // namespace

void RebuildCategoryLists(FirmwareState& state, bool noShowUmdIcon) {
  for (CategoryList& list : state.CategoryTable) list.Count = 0;

  int32_t count = std::clamp(state.CategoryEntryCount, 0, kCategoryEntrySlots);
  int32_t unlisted = 0;
  for (int32_t i = 0; i < count; ++i) {
    const CategoryEntry& e = state.CategoryEntries[i];
    if (e.Show == kShowLeftOut) continue;
    if (e.Category == kUnlisted) {
      ++unlisted;
    } else if (e.Category < kCategories && e.Item < kItemNumbers) {
      // Category bytes 8..254 name no list, and item numbers past 47 have neither
      // icon nor name: such entries are skipped rather than shown from outside a table.
      Append(state.CategoryTable[e.Category], e.Item);
    }
  }
  if (!state.UnlistedEntriesCounted) {
    state.CategoryEntryCount = count - unlisted;
    state.UnlistedEntriesCounted = true;
  }

  Append(state.CategoryTable[1], 13);
  Append(state.CategoryTable[2], 15);
  Append(state.CategoryTable[3], 18);
  if (!noShowUmdIcon) {
    Append(state.CategoryTable[5], 14);
    Append(state.CategoryTable[5], 23);
  }
  Append(state.CategoryTable[5], 22);
}

}  // namespace qorvi
