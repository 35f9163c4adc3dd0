// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison of two models: a table of model pairs (the standard demo values
// of a version, each row changing one side) and the lines `qorvi-cli diff` prints
// for them; then the comparison with the loaded copy that the Changes window shows.
#include "save/model_diff.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>

#include "demo/demo_set.h"
#include "firmware/byte_reader.h"
#include "firmware/category_lists.h"
#include "layout_json/difference_text.h"

namespace qorvi {
namespace {

// A model as a load of the standard demo set of `version` leaves it (no files read).
std::unique_ptr<FirmwareState> DemoState(int32_t version) {
  auto s = demo::ExpectedDemoState(version);
  // What follows a load: the loaded copy, one build of the lists (which takes the
  // unlisted entries off the count).
  TakeLoadedCopy(*s);
  RebuildCategoryLists(*s, false);
  return s;
}

std::vector<std::string> Lines(const std::vector<ValueDifference>& differences) {
  std::vector<std::string> lines;
  for (const ValueDifference& d : differences) lines.push_back(layout_json::DifferenceLine(d));
  return lines;
}

using Edit = std::function<void(FirmwareState& from, FirmwareState& to)>;

struct DiffCase {
  const char* name;
  int32_t from_version;
  int32_t to_version;
  Edit edit;
  std::vector<std::string> lines;
};

std::vector<DiffCase> DiffCases() {
  const float nan = BitsFloat(0x7FC00001);
  return {
      {"SameModel", 500, 500, [](FirmwareState&, FirmwareState&) {}, {}},
      {"IntegerField",
       500,
       500,
       [](FirmwareState& a, FirmwareState& b) {
         a.Layout.MainIconX = -130;
         b.Layout.MainIconX = -100;
       },
       {"layout.MainIconX: -130 -> -100"}},
      {"FloatsAsInfoPrintsThem",
       500,
       500,
       [nan](FirmwareState& a, FirmwareState& b) {
         a.Layout.UnfIconSize = 0.78f;
         b.Layout.UnfIconSize = nan;
         a.Layout.SubIconSize = 100.0f;
         b.Layout.SubIconSize = std::numeric_limits<float>::infinity();
         a.Layout.WaveSpeed = 8.0f;
         b.Layout.WaveSpeed = -8.0f;
         a.Layout.OptSize1 = 0.0f;
         b.Layout.OptSize1 = -0.0f;  // another value in the file, and another text
       },
       {"layout.UnfIconSize: 0.78 -> \"nan:0x7fc00001\"", "layout.SubIconSize: 100.0 -> \"inf\"",
        "layout.WaveSpeed: 8.0 -> -8.0", "layout.OptSize1: 0.0 -> -0.0"}},
      {"ANanEqualsItself",
       500,
       500,
       [nan](FirmwareState& a, FirmwareState& b) { a.Layout.BusySpeed = b.Layout.BusySpeed = nan; },
       {}},
      // No file of the version holds these: Save would not write them.
      {"FieldsTheVersionDoesNotStore",
       390,
       390,
       [](FirmwareState&, FirmwareState& b) {
         b.Layout.Sub2NetSearchX = 9.0f;
         b.Layout.IconSpeedY2 = 4;
         b.Layout.SubIconUpperSpace2 = 61;
         b.Layout.TextColor[28] = {1.0f, 1.0f, 1.0f};  // 3.90 holds 28 entries per table
         b.CategoryEntries[26].Show = 2;               // and 26 menu entries
         b.ItemTable[35].Media = 3;                    // and 35 items
       },
       {}},
      {"FieldsOnlyTheNewerVersionStores",
       500,
       500,
       [](FirmwareState& a, FirmwareState& b) {
         a.Layout.Sub2NetSearchX = 0.0f;
         b.Layout.Sub2NetSearchX = 9.0f;
         b.Layout.SubIconUpperSpace2 = 61;  // fixed at 60, in no file
         b.CategoryEntries[29].Show = 2;    // beyond the entries the build of the lists leaves
       },
       {"layout.Sub2NetSearchX: 0.0 -> 9.0"}},
      {"EveryKindInDocumentOrder",
       500,
       500,
       [](FirmwareState& a, FirmwareState& b) {
         a.ItemTable[39].NameTag = ItemTag::FromText("msg_ps_store");
         b.ItemTable[39].NameTag = ItemTag::FromText("msg_new");
         a.ItemTable[7].ExecIndex = 6;
         b.ItemTable[7].ExecIndex = 5;
         b.CategoryEntries[4].Category = 3;
         a.CategoryEntries[4].Category = 2;
         a.Layout.ClockColor = {0, 0, 0};
         b.Layout.ClockColor = {1, 2, 3};
         a.Layout.BGColor[29] = {0.5f, 0.25f, 1.0f};
         b.Layout.BGColor[29] = {0.5f, 0.25f, 0.75f};
         a.Layout.TextColor[3] = {0.0f, 0.5f, 1.0f};
         b.Layout.TextColor[3] = {0.0f, 0.5f, 0.0f};
         a.Layout.OptSpace = 0.0f;
         b.Layout.OptSpace = 1.5f;
         a.Layout.MainIconY = 66;
         b.Layout.MainIconY = 70;
       },
       {"layout.MainIconY: 66 -> 70", "layout.OptSpace: 0.0 -> 1.5",
        "layout.TextColor[3]: [0.0, 0.5, 1.0] -> [0.0, 0.5, 0.0]",
        "layout.BGColor[29]: [0.5, 0.25, 1.0] -> [0.5, 0.25, 0.75]", "layout.ClockColor: [0, 0, 0] -> [1, 2, 3]",
        "categoryEntries[4].category: 2 -> 3", "items[7].ExecIndex: 6 -> 5",
        "items[39].NameTag: \"msg_ps_store\" -> \"msg_new\""}},
      {"ItemWordsAndTagsAsTheDocumentHasThem",
       401,
       401,
       [](FirmwareState& a, FirmwareState& b) {
         a.ItemTable[0].Word6 = 0xFFFFFFFFu;
         b.ItemTable[0].Word6 = 1;
         a.ItemTable[1].UmdFlag = 0;
         b.ItemTable[1].UmdFlag = 1;
         a.ItemTable[2].MainImageTag = ItemTag::FromText("tex_\"q\"\x01");
         b.ItemTable[2].MainImageTag = ItemTag::FromText("");
       },
       {"items[0].Word6: 4294967295 -> 1", "items[1].UmdFlag: 0 -> 1",
        "items[2].MainImageTag: \"tex_\\\"q\\\"\\u0001\" -> \"\""}},
      // Another version: said first, then only what both store (the fields of 3.90,
      // 28 colours, 26 entries, 35 items).
      {"AcrossVersions",
       390,
       500,
       [](FirmwareState& a, FirmwareState& b) {
         a.Layout.ClockX = 207;
         b.Layout = a.Layout;
         b.Layout.Sub2NetSearchX = 9.0f;
         b.Layout.TextColor[29] = {1.0f, 1.0f, 1.0f};
         b.Layout.ClockX = 208;
         b.CategoryEntries = a.CategoryEntries;
         b.CategoryEntries[26].Show = 2;
         b.ItemTable = a.ItemTable;
         b.ItemTable[36].Media = 3;
         b.ItemTable[34].Media = 3;
         a.ItemTable[34].Media = 1;
       },
       {"version: 3.90 -> 5.00", "layout.ClockX: 207 -> 208", "items[34].Media: 1 -> 3"}},
  };
}

TEST(ModelDiff, LinesForModelPairs) {
  for (const DiffCase& c : DiffCases()) {
    SCOPED_TRACE(c.name);
    auto from = DemoState(c.from_version);
    auto to = DemoState(c.to_version);
    c.edit(*from, *to);
    EXPECT_EQ(Lines(DiffModels(*from, *to)), c.lines);
  }
}

TEST(ModelDiff, AgainstTheLoadedCopy) {
  auto s = DemoState(500);
  EXPECT_TRUE(DiffFromLoaded(*s).empty());
  s->Layout.ClockY = s->LoadedLayout.ClockY - 10;
  s->CategoryEntries[2].Region = 64;
  s->ItemTable[3].Media = 3;
  s->LoadedItemTable[5].UmdFlag = 1 - s->ItemTable[5].UmdFlag;
  const std::vector<ValueDifference> d = DiffFromLoaded(*s);
  ASSERT_EQ(d.size(), 4u);
  EXPECT_EQ(d[0].key, "layout.ClockY");
  EXPECT_EQ(std::get<int64_t>(d[0].from), s->LoadedLayout.ClockY);
  EXPECT_EQ(std::get<int64_t>(d[0].to), s->Layout.ClockY);
  EXPECT_EQ(d[1].place, (ValuePlace{.kind = ValuePlace::Kind::EntryByte, .index = 2, .part = 3}));
  EXPECT_EQ(d[2].key, "items[3].Media");
  EXPECT_EQ(d[3].key, "items[5].UmdFlag");

  // Nothing is loaded: nothing to compare with.
  FirmwareState empty;
  empty.Layout.ClockX = 5;
  EXPECT_TRUE(DiffFromLoaded(empty).empty());
}

}  // namespace
}  // namespace qorvi
