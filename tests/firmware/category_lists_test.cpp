// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/category_lists.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace qorvi {
namespace {

std::vector<int32_t> List(const FirmwareState& s, int category) {
  const CategoryList& list = s.CategoryTable[category];
  return {list.Items.begin(), list.Items.begin() + list.Count};
}

// Entries as (category, item, show) triples; the region byte plays no part.
FirmwareState WithEntries(std::initializer_list<std::array<uint8_t, 3>> entries) {
  FirmwareState s;
  for (const auto& e : entries) s.CategoryEntries[s.CategoryEntryCount++] = {e[0], e[1], e[2], 8};
  return s;
}

using Items = std::vector<int32_t>;

TEST(CategoryLists, FixedItemsFollowTheTablesItems) {
  FirmwareState s = WithEntries({{0, 0, 7}, {1, 5, 7}, {5, 30, 6}, {0, 1, 7}, {4, 31, 7}, {5, 21, 7}});
  RebuildCategoryLists(s, false);
  EXPECT_EQ(List(s, 0), (Items{0, 1}));
  EXPECT_EQ(List(s, 1), (Items{5, 13}));
  EXPECT_EQ(List(s, 2), (Items{15}));
  EXPECT_EQ(List(s, 3), (Items{18}));
  EXPECT_EQ(List(s, 4), (Items{31}));
  EXPECT_EQ(List(s, 5), (Items{30, 21, 14, 23, 22}));
  EXPECT_EQ(List(s, 6), Items{});
  EXPECT_EQ(List(s, 7), Items{});
  EXPECT_EQ(s.CategoryEntryCount, 6);

  RebuildCategoryLists(s, true);
  EXPECT_EQ(List(s, 5), (Items{30, 21, 22}));
  EXPECT_EQ(List(s, 1), (Items{5, 13}));  // a rebuild replaces the lists, never appends twice
}

TEST(CategoryLists, ShowCodeTwoIsLeftOutAndLaterItemsMoveUp) {
  FirmwareState s = WithEntries({{2, 8, 7}, {2, 9, 2}, {2, 10, 6}, {2, 11, 0}});
  RebuildCategoryLists(s, false);
  EXPECT_EQ(List(s, 2), (Items{8, 10, 11, 15}));
}

TEST(CategoryLists, TrailingUnlistedEntriesLeaveTheCountOnce) {
  FirmwareState s = WithEntries({{0, 0, 7}, {3, 4, 7}, {255, 20, 7}, {255, 21, 7}});
  RebuildCategoryLists(s, false);
  EXPECT_EQ(s.CategoryEntryCount, 2);
  EXPECT_EQ(List(s, 3), (Items{4, 18}));
  RebuildCategoryLists(s, false);
  EXPECT_EQ(s.CategoryEntryCount, 2);
  EXPECT_EQ(List(s, 3), (Items{4, 18}));
}

TEST(CategoryLists, UnlistedEntryBeforeUsedOnesIsCountedOncePerLoad) {
  FirmwareState s = WithEntries({{0, 1, 7}, {255, 20, 7}, {0, 2, 7}, {0, 3, 7}});
  RebuildCategoryLists(s, false);
  EXPECT_EQ(List(s, 0), (Items{1, 2, 3}));
  EXPECT_EQ(s.CategoryEntryCount, 3);
  EXPECT_TRUE(s.UnlistedEntriesCounted);
  // The table now ends before entry 3; later rebuilds shorten it no further.
  for (int i = 0; i < 3; ++i) {
    RebuildCategoryLists(s, false);
    EXPECT_EQ(s.CategoryEntryCount, 3);
    EXPECT_EQ(List(s, 0), (Items{1, 2}));
  }
}

TEST(CategoryLists, UnlistedEntryWithShowCodeTwoIsNotCounted) {
  FirmwareState s = WithEntries({{0, 1, 7}, {255, 20, 2}});
  RebuildCategoryLists(s, false);
  EXPECT_EQ(s.CategoryEntryCount, 2);
}

TEST(CategoryLists, EntriesNamingNoListOrNoItemAreSkipped) {
  FirmwareState s = WithEntries({{8, 1, 7}, {254, 2, 7}, {6, 48, 7}, {6, 255, 7}, {6, 47, 7}, {7, 0, 7}});
  RebuildCategoryLists(s, false);
  EXPECT_EQ(List(s, 6), (Items{47}));
  EXPECT_EQ(List(s, 7), (Items{0}));
  EXPECT_EQ(s.CategoryEntryCount, 6);  // only category 255 lowers the count
}

TEST(CategoryLists, CountOutsideTheTableIsHeldToIt) {
  FirmwareState s;
  for (auto& e : s.CategoryEntries) e = {5, 1, 7, 8};
  s.CategoryEntryCount = 1000;
  RebuildCategoryLists(s, false);
  EXPECT_EQ(s.CategoryEntryCount, kCategoryEntrySlots);
  EXPECT_EQ(s.CategoryTable[5].Count, kCategoryEntrySlots + 3);  // the longest list there is

  FirmwareState empty;
  empty.CategoryEntryCount = -4;
  RebuildCategoryLists(empty, true);
  EXPECT_EQ(List(empty, 5), (Items{22}));
  EXPECT_GE(empty.CategoryEntryCount, 0);
}

}  // namespace
}  // namespace qorvi
