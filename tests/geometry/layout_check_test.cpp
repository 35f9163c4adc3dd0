// SPDX-License-Identifier: GPL-3.0-or-later
// The layout check on loaded demo sets: nothing on the sets as they are, and each
// kind of problem found when it is planted, at the first focus position that
// shows it.
#include "geometry/layout_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>

#include "demo/demo_set.h"
#include "firmware/layout_check_input.h"
#include "firmware/load_sequence.h"
#include "support/scoped_temp_dir.h"

namespace qorvi {
namespace {

using testing::ScopedTempDir;

std::vector<std::string> Texts(const std::vector<LayoutFinding>& findings) {
  std::vector<std::string> texts;
  for (const LayoutFinding& f : findings) texts.push_back(f.Text());
  return texts;
}

// What the check looks at on the demo set of `version` after `edit`.
LayoutCheckInput DemoInput(int32_t version, const std::function<void(Model&)>& edit = {}) {
  ScopedTempDir dir;
  demo::DemoOptions options;
  options.version = version;
  std::string error;
  EXPECT_TRUE(demo::WriteDemoSet(dir.path(), options, &error)) << error;
  auto model = std::make_unique<Model>();
  EXPECT_TRUE(model->work.Allocate());
  BuildPaths(model->paths, dir.path());
  SetIconDir(model->paths, dir.path());
  EXPECT_EQ(LoadAll(*model), std::nullopt);
  FinishLoad(*model, false);
  if (edit) edit(*model);
  return GatherLayoutCheckInput(*model);
}

// The findings on the demo set of `version` after `edit`.
std::vector<LayoutFinding> CheckDemo(int32_t version, const std::function<void(Model&)>& edit = {}) {
  return CheckLayout(DemoInput(version, edit));
}

// The findings of every position one by one, as the preview finds them where it
// stands, each kept where it shows first.
std::vector<LayoutFinding> PositionByPosition(const LayoutCheckInput& in) {
  std::vector<LayoutFinding> found;
  std::set<std::string> seen;
  for (int option = 0; option < 2; ++option) {
    for (int c = 0; c < (in.profile.HasEighthCategory ? 8 : 7); ++c) {
      for (int item = 0; item < std::max(in.categoryLists[option][c].Count, 1); ++item) {
        for (int language = 0; language < 2; ++language) {
          for (const LayoutFinding& f : CheckLayoutView(in, {c, item, option == 1, language})) {
            if (seen.insert(f.element + " " + f.what).second) found.push_back(f);
          }
        }
      }
    }
  }
  return found;
}

TEST(LayoutCheck, TheDemoSetsAsTheyAreShowNothing) {
  for (int32_t version : kFirmwareVersions) {
    EXPECT_EQ(Texts(CheckDemo(version)), std::vector<std::string>{}) << version;
  }
}

TEST(LayoutCheck, MeasuresThePicturesTheLoadDecodes) {
  ScopedTempDir dir;
  demo::DemoOptions options;
  options.version = 401;
  ASSERT_TRUE(demo::WriteDemoSet(dir.path(), options, nullptr));
  auto model = std::make_unique<Model>();
  ASSERT_TRUE(model->work.Allocate());
  BuildPaths(model->paths, dir.path());
  SetIconDir(model->paths, dir.path());
  ASSERT_EQ(LoadAll(*model), std::nullopt);
  FinishLoad(*model, false);
  const LayoutCheckInput in = GatherLayoutCheckInput(*model);

  for (const demo::ExpectedIcon& icon : demo::ExpectedDemoLoad(401).icons) {
    std::optional<Extent> got;
    if (icon.fileName == "BatteryIcon.bmp") got = in.batteryIcon;
    if (icon.fileName == "BusyIcon.bmp") got = in.busyIcon;
    if (icon.fileName.starts_with("MainIcon")) got = in.mainIcons[std::stoi(icon.fileName.substr(8))];
    if (icon.fileName.starts_with("SubIcon")) got = in.subIcons[std::stoi(icon.fileName.substr(7))];
    ASSERT_TRUE(got.has_value()) << icon.fileName;
    EXPECT_EQ(got->width, icon.width) << icon.fileName;
    EXPECT_EQ(got->height, icon.height) << icon.fileName;
  }
  EXPECT_FALSE(in.mainIcons[7].has_value()) << "4.01 has seven categories";
  // Item 32 runs a pair the table lacks, but no menu entry of 4.01 reaches it.
  EXPECT_EQ(in.unknownExecFunction[32], std::make_pair(26u, 4u));
  EXPECT_EQ(in.categoryLists[0][5].Count, in.categoryLists[1][5].Count + 2) << "UMD items 14 and 23";
}

struct PlantedCase {
  const char* name;
  int32_t version;
  std::function<void(Model&)> plant;
  std::string first;  // the first finding
  std::size_t count;  // how many findings in all
};

std::vector<PlantedCase> PlantedCases() {
  return {
      {"FocusedIconPartlyOff", 500, [](Model& m) { m.Layout.MainIconY = 140; },
       "MainIcon1 is partly outside the screen (category 0, item 0)", 8},
      {"ClockPartlyOff", 390, [](Model& m) { m.Layout.ClockX = 300; },
       "Clock is partly outside the screen (category 0, item 0)", 1},
      {"BusyIconOff", 395, [](Model& m) { m.Layout.BusyY = 500; },
       "BusyIcon is outside the screen (category 0, item 0)", 1},
      {"NextItemOff", 390, [](Model& m) { m.Layout.SubIconLowerSpace1 = 300; },
       "SubIcon2 is outside the screen (category 0, item 0)", 4},
      {"ScaledToNothing", 401, [](Model& m) { m.Layout.UnfIconSize = 0.001f; },
       "MainIcon2 is scaled to nothing (category 0, item 0)", 7},
      {"NegativeScale", 500, [](Model& m) { m.Layout.SubIconSize = -1.0f; },
       "SubIcon1 is scaled to nothing (category 0, item 0)", 6},
      {"ScaledBeyondTheScreen", 500, [](Model& m) { m.Layout.SubIconSize = 10.0f; },
       "SubIcon1 is scaled beyond the screen (category 0, item 0)", 6},
      {"MainIconsOverlap", 395, [](Model& m) { m.Layout.MainIconSpace2 = 40; },
       "MainIcon1 overlaps MainIcon2 (category 0, item 0)", 6},
      {"TextsOverlap", 401,
       [](Model& m) {
         m.Layout.ClockX = -6;
         m.Layout.ClockY = 1;
       },
       "SubMenuText1 overlaps Clock (category 0, item 0)", 1},
      {"EmptyCategory", 390,
       [](Model& m) {
         for (CategoryEntry& e : m.CategoryEntries) {
           if (e.Category == 4) e.Show = 2;
         }
       },
       "MainIcon5 opens a category that lists no item (category 4, item 0)", 1},
      {"UnknownExecuteFunction", 500, [](Model& m) { m.ItemTable[20].ExecGroup = 99; },
       "SubIcon1 shows item 20, whose execute function (99, 0) matches no table entry (category 5, item 1)", 1},
  };
}

class PlantedProblem : public ::testing::TestWithParam<PlantedCase> {};

TEST_P(PlantedProblem, IsFoundWhereItFirstShows) {
  const PlantedCase& c = GetParam();
  const LayoutCheckInput in = DemoInput(c.version, c.plant);
  const std::vector<std::string> found = Texts(CheckLayout(in));
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(found.front(), c.first);
  EXPECT_EQ(found.size(), c.count) << ::testing::PrintToString(found);

  // Position by position the same, but for the findings about the lists.
  std::vector<std::string> placed;
  std::copy_if(found.begin(), found.end(), std::back_inserter(placed), [](const std::string& text) {
    return text.find("opens a category") == std::string::npos && text.find("execute function") == std::string::npos;
  });
  EXPECT_EQ(Texts(PositionByPosition(in)), placed);
  EXPECT_EQ(CheckLayoutView(in, {99, 0, false, 0}).size(), 0u) << "no such category";
}

INSTANTIATE_TEST_SUITE_P(DemoSets, PlantedProblem, ::testing::ValuesIn(PlantedCases()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(LayoutCheck, AFindingSaysWhereItShowsFirst) {
  // Item 22 closes category 5 in both lists; with the UMD items left out it
  // stands second instead of fourth.
  const std::vector<LayoutFinding> found = CheckDemo(500, [](Model& m) {
    m.ItemTable[22].ExecFunction = 77;
    // A long English name runs off the screen; the Japanese one fits.
    std::snprintf(m.LabelTextsEnglish[8 + 1].data(), kLabelTextBytes, "%s",
                  "USB Connection: a name far too long for a line");
  });
  ASSERT_EQ(found.size(), 3u) << ::testing::PrintToString(Texts(found));
  EXPECT_EQ(found[0].Text(), "SubMenuText1 is partly outside the screen (category 0, item 0)");
  EXPECT_EQ(found[0].language, 1);
  // One item further the same name stands above, as far as the clock.
  EXPECT_EQ(found[1].Text(), "SubMenuText0 overlaps Clock (category 0, item 1)");
  EXPECT_EQ(found[2].Text(),
            "SubIcon1 shows item 22, whose execute function (15, 77) matches no table entry (category 5, item 4)");
  EXPECT_FALSE(found[2].noShowUmdIcon);
}

// The menu is checked with "No Show UMD Icon" checked too: its lists can differ in
// any way, and what only they show is found there.
TEST(LayoutCheck, TheListsWithoutUmdItemsAreCheckedToo) {
  ScopedTempDir dir;
  demo::DemoOptions options;
  options.version = 390;
  ASSERT_TRUE(demo::WriteDemoSet(dir.path(), options, nullptr));
  auto model = std::make_unique<Model>();
  ASSERT_TRUE(model->work.Allocate());
  BuildPaths(model->paths, dir.path());
  SetIconDir(model->paths, dir.path());
  ASSERT_EQ(LoadAll(*model), std::nullopt);
  FinishLoad(*model, false);
  LayoutCheckInput in = GatherLayoutCheckInput(*model);
  in.categoryLists[1][4].Count = 0;
  const std::vector<LayoutFinding> found = CheckLayout(in);
  ASSERT_EQ(found.size(), 1u) << ::testing::PrintToString(Texts(found));
  EXPECT_EQ(found[0].Text(), "MainIcon5 opens a category that lists no item (category 4, item 0)");
  EXPECT_TRUE(found[0].noShowUmdIcon);
}

TEST(LayoutCheck, TextExtentEstimate) {
  struct Row {
    const char* text;
    double pixels;
    Extent expected;
  };
  for (const Row& r :
       {Row{"", 13, {0, 0}}, Row{"abc", 10, {18, 13}}, Row{"設定", 10, {20, 13}}, Row{"ｱｲ", 10, {10, 13}},
        Row{"USB接続", 12, {46, 15}}, Row{"\xff", 10, {6, 13}}, Row{"12/31 23:59", 13, {86, 17}}}) {
    const Extent e = EstimateTextExtent(r.text, r.pixels);
    EXPECT_EQ(e.width, r.expected.width) << r.text;
    EXPECT_EQ(e.height, r.expected.height) << r.text;
  }
  EXPECT_DOUBLE_EQ(PointsToPixels(9), 12.0);
}

}  // namespace
}  // namespace qorvi
