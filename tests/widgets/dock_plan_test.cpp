// SPDX-License-Identifier: GPL-3.0-or-later
// Where the editors dock: every editor docked once, none behind a tab where the
// screen has room, few tabs and little scrolling where it has not.
#include "widgets/dock_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace qorvi::widgets {
namespace {

// Icon data, Color, Category and Text data (5.00) as they are.
const std::vector<QSize> kEditors{{421, 402}, {547, 294}, {425, 293}, {410, 508}};
const QSize kMainForm(555, 448);

struct Screen {
  const char* name;
  QSize available;  // the main window's client area at most
  int most_hidden;
  int most_overflow;
};

std::string Describe(const DockPlan& plan) {
  std::string text = "right:";
  for (const auto& column : plan.columns) {
    text += " [";
    for (const auto& row : column) {
      text += " (";
      for (int i : row) text += std::to_string(i) + " ";
      text += ")";
    }
    text += " ]";
  }
  text += " below: (";
  for (int i : plan.below) text += std::to_string(i) + " ";
  return text + ") " + std::to_string(plan.size.width()) + "x" + std::to_string(plan.size.height()) + " hidden " +
         std::to_string(plan.hidden) + " overflow " + std::to_string(plan.overflow);
}

class Docks : public ::testing::TestWithParam<Screen> {};

TEST_P(Docks, EveryEditorDockedOnceFewTabsLittleScrolling) {
  const Screen& s = GetParam();
  const DockPlan plan = PlanDocks({.available = s.available, .central = kMainForm}, kEditors);
  SCOPED_TRACE(Describe(plan));
  std::vector<int> seen = plan.below;
  for (const auto& column : plan.columns) {
    for (const auto& row : column) {
      ASSERT_FALSE(row.empty());
      seen.insert(seen.end(), row.begin(), row.end());
    }
  }
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_LE(plan.hidden, s.most_hidden);
  EXPECT_LE(plan.overflow, s.most_overflow);
  EXPECT_LE(plan.size.width(), s.available.width()) << "nothing scrolls sideways";
  if (plan.overflow == 0) {
    EXPECT_LE(plan.size.height(), s.available.height());
  }
}

// Client areas of a maximised window: the screen less a title bar and a menu bar.
// On 1366 x 768 two editors stand behind tabs and one scrolls a little; with less
// room than the main form and one editor take, the forms scroll up and down.
INSTANTIATE_TEST_SUITE_P(Screens, Docks,
                         ::testing::Values(Screen{"Laptop1366x768", {1366, 720}, 2, 60},
                                           Screen{"Square1280x1024", {1280, 976}, 1, 0},
                                           Screen{"Full1920x1080", {1920, 1032}, 0, 0},
                                           Screen{"Wide2560x1440", {2560, 1392}, 0, 0},
                                           Screen{"Small1000x560", {1000, 560}, 3, 300}),
                         [](const ::testing::TestParamInfo<Screen>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace qorvi::widgets
