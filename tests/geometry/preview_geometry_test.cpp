// SPDX-License-Identifier: GPL-3.0-or-later
// The preview's placement formulas without a window: the places where a plausible
// rewrite goes wrong (offsets applied on one side only, halves rounded instead of
// truncated, the main text following R[0], the clock centred on its value).
#include "geometry/preview_geometry.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <vector>

namespace qorvi {
namespace {

LayoutRecord SampleLayout() {
  LayoutRecord L;
  L.MainIconX = -130;
  L.MainIconY = 66;
  L.MainIconSpace1 = 5;
  L.MainIconSpace2 = 80;
  L.UnfIconY = 63;
  L.SubIconUpperSpace1 = 60;
  L.SubIconLowerSpace1 = 65;
  L.SubIconUpperSpace2 = 50;
  L.SubIconLowerSpace2 = 55;
  L.MainMenuTextY = 52;
  L.SubMenuTextX = 162;
  L.SubMenuTextX2 = 170;
  L.SubMenuTextX3 = 158;
  L.SubMenuTextX1Seg = 166;
  L.SubMenuTextY = 132;
  L.SubMenuMSTextY = 118;
  L.BatteryX = 221;
  L.BatteryY = 126;
  L.BusyX = 229;
  L.BusyY = -119;
  return L;
}

struct Offset {
  RepositionItem item;
  int8_t value;
};

PreviewState ViewWith(int category, std::initializer_list<Offset> offsets = {}) {
  PreviewState v;
  v.CurrentCategory = category;
  for (const Offset& o : offsets) v.RepositionOffset[o.item] = o.value;
  return v;
}

struct MainIconCase {
  const char* what;
  int category;
  int index;
  std::vector<Offset> offsets;
  Extent icon;
  TopLeft expected;
};

TEST(MainIconPlacement, FollowsTheFormulaOnEachSideOfTheFocus) {
  // Column centre 256 - 130 = 126 unless R[0] moves it.
  const Offset r0{kMainIconX, 3}, r1{kMainIconY, -2}, r4{kUnfocusedIconY, 5};
  const Offset r5{kFocusedToUnfocusedSpace, 4}, r6{kUnfocusedToUnfocusedSpace, 2};
  const std::vector<MainIconCase> cases = {
      {"focused, odd size halves truncate", 0, 0, {}, {57, 57}, {126 - 28, 152 - 66 - 28}},
      {"right neighbour", 0, 1, {}, {40, 40}, {126 - 20 + 5 + 80, 152 - 63 - 20}},
      {"R[5] is added on the left side too", 3, 2, {r5}, {40, 40}, {126 - 20 - 5 + 4 - 80, 69}},
      {"R[5] on the right side", 3, 5, {r5}, {40, 40}, {126 - 20 + 5 + 4 + 160, 69}},
      {"R[6] mirrored on the left", 3, 0, {r6}, {40, 40}, {126 - 20 - 5 - 82 * 3, 69}},
      {"R[6] on the right", 3, 6, {r6}, {40, 40}, {126 - 20 + 5 + 82 * 3, 69}},
      {"R[0] moves the column, R[1] the focused top", 2, 2, {r0, r1, r4}, {57, 39}, {129 - 28, 152 - 66 - 19 - 2}},
      {"R[4] moves only unfocused tops", 2, 3, {r0, r1, r4}, {39, 39}, {129 - 19 + 5 + 80, 152 - 63 - 19 + 5}},
  };
  const LayoutRecord L = SampleLayout();
  for (const MainIconCase& c : cases) {
    PreviewState v = ViewWith(c.category);
    for (const Offset& o : c.offsets) v.RepositionOffset[o.item] = o.value;
    const int column = MainColumnCentre(L, v);
    const TopLeft p = MainIconTopLeft(L, v, column, c.index, c.icon);
    EXPECT_EQ(p.left, c.expected.left) << c.what;
    EXPECT_EQ(p.top, c.expected.top) << c.what;
  }
}

TEST(MainIconPlacement, LastCategoryHasEveryOtherIconSpacedToItsLeft) {
  const LayoutRecord L = SampleLayout();
  const PreviewState v = ViewWith(7);
  const int column = MainColumnCentre(L, v);
  const Extent icon{44, 44};
  for (int k = 1; k <= 7; ++k) {
    const TopLeft p = MainIconTopLeft(L, v, column, 7 - k, icon);
    EXPECT_EQ(column - (p.left + Half(icon.width)), L.MainIconSpace1 + k * L.MainIconSpace2) << "k = " << k;
  }
}

TEST(SubIconPlacement, SecondSpacingOnlyOn500AwayFromTheFirstCategory) {
  const LayoutRecord L = SampleLayout();
  struct Case {
    int32_t version;
    int hscroll;
    int upper, lower;
  };
  for (const Case& c : std::vector<Case>{{500, 0, 60, 65},
                                         {500, 3, 50, 55},
                                         {500, 7, 50, 55},
                                         {401, 3, 60, 65},
                                         {395, 6, 60, 65},
                                         {390, 1, 60, 65},
                                         {0, 3, 60, 65}}) {
    const FirmwareProfile* known = ProfileFor(c.version);
    const SubIconSpacing s = SubIconSpaces(L, known != nullptr ? *known : FirmwareProfile{}, c.hscroll);
    EXPECT_EQ(s.upper, c.upper) << c.version << " at " << c.hscroll;
    EXPECT_EQ(s.lower, c.lower) << c.version << " at " << c.hscroll;
  }
}

TEST(SubIconPlacement, ColumnAboveAndBelowTheCentredFocus) {
  PreviewState v = ViewWith(1, {{kUpperSubIconY, 3}, {kLowerSubIconY, -1}});
  v.MainColumnX = 126;
  const SubIconSpacing s{60, 65};
  const Extent icon{45, 48};  // hw 22, hh 24
  const std::vector<int> tops = {152 - 24 - 65 - 60 + 3, 128, 128 + 64, 128 + 128, 128 + 192, 128 + 256};
  for (int k = 0; k < kSubPositions; ++k) {
    EXPECT_EQ(SubIconTopLeft(v, s, k, icon), (TopLeft{126 - 22, tops[k]})) << "SubIcon" << k;
  }
}

TEST(TextPlacement, SubTextShiftByCategory) {
  const LayoutRecord L = SampleLayout();
  const std::vector<std::pair<int, int>> expected = {{170, 132}, {158, 132}, {158, 118}, {158, 118},
                                                     {166, 132}, {158, 132}, {158, 132}, {158, 132}};
  for (int c = 0; c < kCategories; ++c) {
    const SubTextShift s = SubTextShiftFor(L, c);
    EXPECT_EQ(s.xs, expected[c].first) << "category " << c;
    EXPECT_EQ(s.ys, expected[c].second) << "category " << c;
  }
}

TEST(TextPlacement, SubTextsBesideTheFocusedIcon) {
  const LayoutRecord L = SampleLayout();
  const PreviewState v = ViewWith(2, {{kSubTextX, -4}, {kSubTextY, 6}});
  // Icon 45 x 45: both halves truncate to 22.
  EXPECT_EQ(SubTextTop(L, v, 128, 45), 128 + 22 - 118 + 6);
  EXPECT_EQ(SubTextLeft(L, v, 104, 45), 104 + 22 + 162 + 158 - 4);
}

TEST(TextPlacement, MainTextCentredOn258PlusMainIconXWithoutR0) {
  const LayoutRecord L = SampleLayout();
  const PreviewState plain = ViewWith(0);
  const PreviewState moved = ViewWith(0, {{kMainIconX, 7}, {kMainTextX, 2}, {kMainTextY, -3}});
  EXPECT_EQ(MainTextTopLeft(L, plain, 61), (TopLeft{258 - 130 - 30, 144 - 52}));
  EXPECT_EQ(MainTextTopLeft(L, moved, 61), (TopLeft{258 - 130 - 30 + 2, 144 - 52 - 3}));
}

TEST(StatusPlacement, ClockLeftEdgeFollowsClockX) {
  LayoutRecord L;
  EXPECT_EQ(ClockTopLeft(L, ViewWith(0)), (TopLeft{174, 144}));
  L.ClockX = 10;
  L.ClockY = 20;
  EXPECT_EQ(ClockTopLeft(L, ViewWith(0, {{kClockX, 1}, {kClockY, -1}})),
            (TopLeft{256 + 10 + 1 - 82, 152 - 20 - 1 - 8}));
}

TEST(StatusPlacement, BatteryAndBusyCentredOnTheirValues) {
  const LayoutRecord L = SampleLayout();
  const PreviewState v = ViewWith(0, {{kBatteryX, 1}, {kBatteryY, 2}, {kBusyX, -1}, {kBusyY, -2}});
  EXPECT_EQ(BatteryTopLeft(L, v, {44, 16}), (TopLeft{256 - 22 + 221 + 1, 152 - 8 - 126 + 2}));
  EXPECT_EQ(BatteryTopLeft(L, v, {45, 17}), (TopLeft{256 - 22 + 221 + 1, 152 - 8 - 126 + 2}));
  EXPECT_EQ(BusyTopLeft(L, v, {25, 25}), (TopLeft{256 + 229 - 12 - 1, 152 + 119 - 12 - 2}));
}

TEST(Sizes, IconScaleCapTruncationAndFloor) {
  EXPECT_EQ(CappedScale(5.0f), 3.0f);
  EXPECT_EQ(CappedScale(3.0f), 3.0f);
  EXPECT_EQ(CappedScale(0.1f), 0.1f);
  EXPECT_EQ(CappedScale(-2.0f), -2.0f);
  struct Case {
    int w, h;
    float scale;
    IconBox expected;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (const Case& c : std::vector<Case>{
           {64, 64, 1.0f, {64, 64, false}},
           {64, 64, 3.0f, {192, 192, false}},
           {57, 57, 0.7f, {39, 39, false}},  // 39.9 truncates
           {64, 64, 0.15f, {9, 9, false}},   // 9.6: just large enough
           {64, 64, 0.14f, {8, 8, true}},    // 8.96 truncates to 8
           {64, 64, 0.1f, {8, 8, true}},     // 6.4
           {64, 40, 0.2f, {8, 8, true}},     // only the height is too small; both become 8
           {64, 64, -1.0f, {8, 8, true}},
           {64, 64, nan, {8, 8, true}},
           {64, 64, 1e30f, {kCoordinateLimit, kCoordinateLimit, false}},
       }) {
    EXPECT_EQ(ScaledIconBox(c.w, c.h, c.scale), c.expected) << c.w << "x" << c.h << " at " << c.scale;
  }
  const Extent battery = StripCell(44, 64, 1, 4);
  EXPECT_EQ(battery.width, 44);
  EXPECT_EQ(battery.height, 16);
  const Extent busy = StripCell(50, 750, 2, 30);
  EXPECT_EQ(busy.width, 25);
  EXPECT_EQ(busy.height, 25);
}

TEST(Sizes, FontSizesNeverBelowOne) {
  struct Case {
    int8_t offset;
    int main, sub;
  };
  for (const Case& c :
       std::vector<Case>{{0, 8, 10}, {10, 18, 20}, {-6, 2, 4}, {-7, 1, 3}, {-9, 1, 1}, {-10, 1, 1}, {-128, 1, 1}}) {
    const PreviewState v = ViewWith(0, {{kMainTextSize, c.offset}, {kSubTextSize, c.offset}});
    EXPECT_EQ(MainTextPointSize(v), c.main) << int{c.offset};
    EXPECT_EQ(SubTextPointSize(v), c.sub) << int{c.offset};
  }
}

CategoryList ListOf(std::vector<int32_t> items, int32_t count = -1) {
  CategoryList list;
  for (std::size_t j = 0; j < items.size() && j < list.Items.size(); ++j) list.Items[j] = items[j];
  list.Count = count >= 0 ? count : static_cast<int32_t>(items.size());
  return list;
}

std::vector<int32_t> Range(int32_t first, int32_t n) {
  std::vector<int32_t> v;
  for (int32_t i = 0; i < n; ++i) v.push_back(first + i);
  return v;
}

struct ColumnCase {
  const char* what;
  CategoryList list;
  int category;
  int currentItem;
  std::array<int, kSubPositions> icons;  // item per position, -2 hidden, -1 shown without an item
  std::array<int, kSubPositions> texts;
};

TEST(SubColumns, WhatEachPositionShows) {
  constexpr int H = -2;
  const std::vector<ColumnCase> cases = {
      {"first of three", ListOf({26, 33, 15}), 2, 0, {H, 26, 33, 15, H, H}, {H, 26, H, H, H, H}},
      {"middle of twelve", ListOf(Range(0, 12)), 0, 5, {4, 5, 6, 7, 8, 9}, {4, 5, 6, 7, 8, 9}},
      {"near the end", ListOf(Range(0, 12)), 0, 10, {9, 10, 11, H, H, H}, {9, 10, 11, H, H, H}},
      {"other category names the focus only", ListOf(Range(0, 12)), 6, 10, {9, 10, 11, H, H, H}, {H, 10, H, H, H, H}},
      {"one item", ListOf({27}), 1, 0, {H, 27, H, H, H, H}, {H, 27, H, H, H, H}},
      {"empty", ListOf({}), 0, 0, {H, H, H, H, H, H}, {H, H, H, H, H, H}},
      {"item numbers outside 0..47 show nothing",
       ListOf({5, 48, -1, 60}),
       0,
       0,
       {H, 5, -1, -1, -1, H},
       {H, 5, -1, -1, -1, H}},
      {"a count beyond the table is cut to it",
       ListOf(Range(0, 48), 1000),
       0,
       46,
       {45, 46, 47, H, H, H},
       {45, 46, 47, H, H, H}},
      {"focus beyond the list reads nothing past it",
       ListOf({1, 2, 3}),
       0,
       5,
       {-1, -1, H, H, H, H},
       {-1, -1, H, H, H, H}},
  };
  for (const ColumnCase& c : cases) {
    const SubColumn icons = SubIconColumn(c.list, c.currentItem);
    const SubColumn texts = SubTextColumn(c.list, c.category, c.currentItem);
    for (int k = 0; k < kSubPositions; ++k) {
      EXPECT_EQ(icons.shown[k] ? icons.item[k] : H, c.icons[k]) << c.what << ", SubIcon" << k;
      EXPECT_EQ(texts.shown[k] ? texts.item[k] : H, c.texts[k]) << c.what << ", SubMenuText" << k;
      if (!icons.shown[k]) {
        EXPECT_EQ(icons.item[k], -1);
      }
    }
    EXPECT_EQ(icons.Empty(), c.list.Count == 0) << c.what;
  }
}

TEST(SubColumns, LabelEntriesStayInsideTheTable) {
  EXPECT_EQ(CategoryLabelEntry(0), 0);
  EXPECT_EQ(CategoryLabelEntry(7), 7);
  EXPECT_EQ(CategoryLabelEntry(8), -1);
  EXPECT_EQ(CategoryLabelEntry(-1), -1);
  EXPECT_EQ(ItemLabelEntry(0), 8);
  EXPECT_EQ(ItemLabelEntry(47), 55);
  EXPECT_EQ(ItemLabelEntry(48), -1);
  EXPECT_EQ(ItemLabelEntry(-1), -1);
}

TEST(Extremes, SaturatedValuesStayWithinTheCoordinateLimit) {
  LayoutRecord L;
  L.MainIconX = std::numeric_limits<int32_t>::max();
  L.MainIconSpace2 = std::numeric_limits<int32_t>::max();
  L.UnfIconY = std::numeric_limits<int32_t>::min();
  L.ClockX = std::numeric_limits<int32_t>::min();
  L.BatteryY = std::numeric_limits<int32_t>::min();
  L.MainMenuTextY = std::numeric_limits<int32_t>::min();
  const PreviewState v = ViewWith(0);
  const TopLeft far = MainIconTopLeft(L, v, MainColumnCentre(L, v), 7, {57, 57});
  EXPECT_EQ(far.left, kCoordinateLimit);
  EXPECT_EQ(far.top, kCoordinateLimit);
  EXPECT_EQ(ClockTopLeft(L, v).left, -kCoordinateLimit);
  EXPECT_EQ(BatteryTopLeft(L, v, {44, 16}).top, kCoordinateLimit);
  EXPECT_EQ(MainTextTopLeft(L, v, 10).top, kCoordinateLimit);
}

}  // namespace
}  // namespace qorvi
