// SPDX-License-Identifier: GPL-3.0-or-later
// qorvi-cli diff: a set against itself, against what a save wrote (its module/ and
// resource/), against another version and with a layout document applied; the
// lines and the JSON list, the exit statuses, and that nothing is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>

#include "cli_support.h"

namespace qorvi {
namespace {

using Json = nlohmann::ordered_json;
using testing::CliResult;
using testing::RunCli;
using testing::ScopedTempDir;
namespace fs = std::filesystem;

std::set<std::string> FilesBelow(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(dir)) names.insert(e.path().string());
  return names;
}

void WriteText(const std::string& path, const std::string& text) {
  testing::WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

class CliDiff : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RunCli({"demo", "--version", "5.00", Set()}).status, 0);
    ASSERT_EQ(RunCli({"demo", "--version", "3.90", dir_ / "set390"}).status, 0);
  }
  std::string Set() const { return dir_ / "set500"; }
  std::string Path(const std::string& name) const { return dir_ / name; }

  ScopedTempDir dir_;
};

TEST_F(CliDiff, ASetAgainstItselfSaysNothing) {
  const std::set<std::string> before = FilesBelow(dir_.path());
  for (const bool json : {false, true}) {
    std::vector<std::string> args{"diff", "--workdir", Set(), "--against", Set()};
    if (json) args.push_back("--json");
    CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, json ? "[]\n" : "");
    EXPECT_EQ(r.err, "");
  }
  EXPECT_EQ(FilesBelow(dir_.path()), before) << "diff writes nothing";
}

TEST_F(CliDiff, WhatASaveWroteInItsOutputFolder) {
  ASSERT_EQ(
      RunCli({"save", "--workdir", Set(), "--set", "MainIconX=-100", "--set", "WaveSpeed=2.5", "--out", Path("out")})
          .status,
      0);
  CliResult r = RunCli({"diff", "--workdir", Set(), "--against", Path("out")});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out, "layout.MainIconX: -127 -> -100\nlayout.WaveSpeed: 9.5 -> 2.5\n");
  EXPECT_EQ(r.err, "");

  r = RunCli({"diff", "--workdir", Set(), "--against", Path("out"), "--json"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(Json::parse(r.out), Json::parse(R"([{"key": "layout.MainIconX", "from": -127, "to": -100},
                                                {"key": "layout.WaveSpeed", "from": 9.5, "to": 2.5}])"));
}

TEST_F(CliDiff, AnotherVersionIsSaidFirst) {
  CliResult r = RunCli({"diff", "--workdir", Set(), "--against", Path("set390")});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_TRUE(r.out.starts_with("version: 5.00 -> 3.90\n")) << r.out;
  // Only what both versions store: 3.90 has 26 menu entries, and none of 5.00's extended fields.
  EXPECT_EQ(r.out.find("categoryEntries[26]"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("layout.Sub2NetSearchX"), std::string::npos) << r.out;

  r = RunCli({"diff", "--workdir", Set(), "--against", Path("set390"), "--json"});
  const Json list = Json::parse(r.out);
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list[0], Json::parse(R"({"key": "version", "from": 500, "to": 390})"));
}

TEST_F(CliDiff, ALayoutDocumentAppliedAsSaveAppliesIt) {
  WriteText(Path("layout.json"), R"({"version": 500,
    "layout": {"ClockX": 300, "UnfIconSize": "nan:0x7fc00000", "TextColor": [[0.5, 0.25, 1.0]]},
    "categoryEntries": [[1, 4, 7, 0]],
    "items": [{}, {"NameTag": "msg_x"}]})");
  CliResult r = RunCli({"diff", "--workdir", Set(), "--layout", Path("layout.json")});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out,
            "layout.UnfIconSize: 0.7 -> \"nan:0x7fc00000\"\n"
            "layout.ClockX: 207 -> 300\n"
            "layout.TextColor[0]: [0.046875, 0.265625, 0.625] -> [0.5, 0.25, 1.0]\n"
            "categoryEntries[0].category: 0 -> 1\n"
            "categoryEntries[0].item: 1 -> 4\n"
            "items[1].NameTag: \"msg_usb\" -> \"msg_x\"\n");

  // Entries and items of another version are skipped, as save skips them.
  r = RunCli({"diff", "--workdir", Path("set390"), "--layout", Path("layout.json")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.find("categoryEntries"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("qorvi-cli: warning: categoryEntries skipped"), std::string::npos) << r.err;

  // A document that changes nothing.
  WriteText(Path("same.json"), R"({"layout": {"ClockX": 207}})");
  r = RunCli({"diff", "--workdir", Set(), "--layout", Path("same.json")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
}

TEST_F(CliDiff, UsageErrorsAndMessages) {
  WriteText(Path("bad.json"), R"({"layout": {"ClockX": "left"}})");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"diff", "--workdir", Set()},
           {"diff", "--workdir", Set(), "--against", Set(), "--layout", Path("bad.json")},
           {"diff", "--workdir", Set(), "--against", ""},
           {"diff", "--workdir", Set(), "--layout", Path("bad.json")},
           {"diff", "--workdir", Set(), "--layout", Path("missing.json")},
           {"diff", "--workdir", Set(), "--against", Set(), "--set", "ClockX=1"}}) {
    CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with("qorvi-cli: ")) << r.err;
  }
  // A folder without a set: the loader's message.
  fs::create_directory(Path("empty"));
  CliResult r = RunCli({"diff", "--workdir", Set(), "--against", Path("empty")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "qorvi-cli: vshmain.prx open error\n");
}

}  // namespace
}  // namespace qorvi
