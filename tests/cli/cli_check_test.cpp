// SPDX-License-Identifier: GPL-3.0-or-later
// qorvi-cli check: nothing to say about the demo sets as they are; one warning
// line per planted problem, exit 1; the working directory left as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>

#include "cli_support.h"

namespace qorvi {
namespace {

using testing::CliResult;
using testing::RunCli;
using testing::ScopedTempDir;
namespace fs = std::filesystem;

const char* VersionText(int v) { return v == 390 ? "3.90" : v == 395 ? "3.95" : v == 401 ? "4.01" : "5.00"; }

std::set<std::string> FilesIn(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

TEST(CliCheck, TheDemoSetsGiveNothing) {
  for (int version : {390, 395, 401, 500}) {
    ScopedTempDir dir;
    ASSERT_EQ(RunCli({"demo", "--version", VersionText(version), dir.path()}).status, 0);
    const std::set<std::string> inputs = FilesIn(dir.path());
    CliResult r = RunCli({"check", "--workdir", dir.path()});
    EXPECT_EQ(r.status, 0) << version << ": " << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(FilesIn(dir.path()), inputs) << "check writes nothing";
  }
}

struct CheckCase {
  const char* name;
  int version;
  std::vector<std::string> args;  // --set NAME=VALUE, or a layout document as text after "layout"
  std::string err;
};

std::vector<CheckCase> CheckCases() {
  // 3.90: the sixteenth entry lists item 31 under category 4, its only item.
  std::string emptyCategory = R"({"version": 390, "categoryEntries": [)";
  for (int i = 0; i < 15; ++i) emptyCategory += "[0, 1, 7, 0], ";
  emptyCategory += "[4, 31, 2, 8]]}";
  // Item 27 (the camera, category 1) with a function no table entry names.
  std::string unknownFunction = R"({"version": 500, "items": [)";
  for (int i = 0; i < 27; ++i) unknownFunction += "{}, ";
  unknownFunction += R"({"ExecGroup": 99}]})";
  const std::string w = "qorvi-cli: warning: ";
  return {
      {"OutsideTheScreen", 401, {"--set", "ClockX=700"}, w + "Clock is outside the screen (category 0, item 0)\n"},
      {"ScaledToNothing",
       390,
       {"--set", "UnfIconSize=0"},
       w + "MainIcon2 is scaled to nothing (category 0, item 0)\n" + w +
           "MainIcon3 is scaled to nothing (category 0, item 0)\n" + w +
           "MainIcon4 is scaled to nothing (category 0, item 0)\n" + w +
           "MainIcon5 is scaled to nothing (category 0, item 0)\n" + w +
           "MainIcon6 is scaled to nothing (category 0, item 0)\n" + w +
           "MainIcon7 is scaled to nothing (category 0, item 0)\n" + w +
           "MainIcon1 is scaled to nothing (category 1, item 0)\n"},
      {"ScaledBeyondTheScreen",
       395,
       {"--set", "UnfIconSize=9"},
       w + "MainIcon2 is scaled beyond the screen (category 0, item 0)\n" + w +
           "MainIcon3 is scaled beyond the screen (category 0, item 0)\n" + w +
           "MainIcon4 is scaled beyond the screen (category 0, item 0)\n" + w +
           "MainIcon5 is scaled beyond the screen (category 0, item 0)\n" + w +
           "MainIcon6 is scaled beyond the screen (category 0, item 0)\n" + w +
           "MainIcon7 is scaled beyond the screen (category 0, item 0)\n" + w +
           "MainIcon1 is scaled beyond the screen (category 1, item 0)\n"},
      {"TextsOverlap",
       500,
       {"--set", "ClockX=-6", "--set", "ClockY=1"},
       w + "SubMenuText1 overlaps Clock (category 0, item 0)\n"},
      {"EmptyCategory",
       390,
       {"layout", emptyCategory},
       w + "MainIcon5 opens a category that lists no item (category 4, item 0)\n"},
      {"TwoFieldsInOnePlace",
       390,
       {"--set", "SubMenuTextX2=40"},
       w + "SubMenuTextX2 is 40, but paf.prx keeps SubMenuTextX1Seg's 31 in the place the two share (category 0, "
           "item 0)\n"},
      {"UnknownExecuteFunction",
       500,
       {"layout", unknownFunction},
       w + "SubIcon1 shows item 27, whose execute function (99, 0) matches no table entry (category 1, item 0)\n"},
  };
}

class CliCheckFinds : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CliCheckFinds, APlantedProblem) {
  const CheckCase& c = GetParam();
  ScopedTempDir dir;
  ASSERT_EQ(RunCli({"demo", "--version", VersionText(c.version), dir.path()}).status, 0);
  std::vector<std::string> args{"check", "--workdir", dir.path()};
  if (c.args[0] == "layout") {
    testing::WriteBytes(dir / "preset.json", std::vector<uint8_t>(c.args[1].begin(), c.args[1].end()));
    args.insert(args.end(), {"--layout", dir / "preset.json"});
  } else {
    args.insert(args.end(), c.args.begin(), c.args.end());
  }
  CliResult r = RunCli(args);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, c.err);
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(fs::exists(dir / "done"));
}

INSTANTIATE_TEST_SUITE_P(DemoSets, CliCheckFinds, ::testing::ValuesIn(CheckCases()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(CliCheck, AMessageOfTheLoadIsExitOne) {
  ScopedTempDir dir;
  CliResult r = RunCli({"check", "--workdir", dir.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qorvi-cli: vshmain.prx open error\n");
}

}  // namespace
}  // namespace qorvi
