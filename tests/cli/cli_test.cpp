// SPDX-License-Identifier: GPL-3.0-or-later
// qorvi-cli end to end: demo sets written, read back by info and icons, and the
// exit statuses and message lines of failures and usage errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "cli_support.h"
#include "demo/demo_set.h"
#include "firmware/byte_reader.h"
#include "model/model.h"

namespace qorvi {
namespace {

using testing::CliResult;
using testing::RunCli;
using testing::ScopedTempDir;
namespace fs = std::filesystem;

const char* VersionText(int32_t v) {
  switch (v) {
    case 390: return "3.90";
    case 395: return "3.95";
    case 401: return "4.01";
    default: return "5.00";
  }
}

std::set<std::string> FilesIn(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

struct CliCase {
  int32_t version;
  bool compressed;
};

class CliDemoSet : public ::testing::TestWithParam<CliCase> {};

TEST_P(CliDemoSet, InfoPrintsThePlantedValues) {
  const CliCase c = GetParam();
  ScopedTempDir dir;
  std::vector<std::string> args{"demo", "--version", VersionText(c.version), dir.path()};
  if (c.compressed) args.insert(args.begin() + 3, "--compressed");
  CliResult demo = RunCli(args);
  ASSERT_EQ(demo.status, 0) << demo.err;
  const std::set<std::string> inputs = FilesIn(dir.path());

  CliResult info = RunCli({"info", "--workdir", dir.path()});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_EQ(info.err, "");
  EXPECT_EQ(info.out.find('\r'), std::string::npos) << "the same bytes on every system, Windows too";
  EXPECT_EQ(FilesIn(dir.path()), inputs) << "info leaves the working directory as it was";

  const auto doc = nlohmann::ordered_json::parse(info.out);
  const demo::DemoExpectation want = demo::ExpectedDemoLoad(c.version);
  EXPECT_EQ(doc["version"], c.version);

  // Every scalar in record order, then the five colours.
  std::vector<std::string> keys;
  for (const auto& [k, v] : doc["layout"].items()) keys.push_back(k);
  ASSERT_EQ(keys.size(), LayoutFields().size() + 5);
  for (std::size_t i = 0; i < LayoutFields().size(); ++i) {
    const LayoutField& f = LayoutFields()[i];
    EXPECT_EQ(keys[i], f.name);
    const auto& v = doc["layout"][keys[i]];
    if (auto* ip = std::get_if<int32_t LayoutRecord::*>(&f.member)) {
      EXPECT_TRUE(v.is_number_integer()) << f.name;
      EXPECT_EQ(v.get<int64_t>(), want.layout.*(*ip)) << f.name;
    } else {
      float got = static_cast<float>(v.get<double>());
      EXPECT_EQ(FloatBits(got), FloatBits(want.layout.*(std::get<float LayoutRecord::*>(f.member)))) << f.name;
    }
  }
  EXPECT_EQ(keys[48], "TextColor");
  EXPECT_EQ(keys[52], "BusyColor");
  ASSERT_EQ(doc["layout"]["TextColor"].size(), 30u);
  for (int i = 0; i < 30; ++i) {
    EXPECT_EQ(static_cast<float>(doc["layout"]["BGColor"][i][1].get<double>()), want.layout.BGColor[i].g);
  }
  EXPECT_EQ(doc["layout"]["ClockColor"][0], want.layout.ClockColor.r);

  ASSERT_EQ(doc["categoryEntries"].size(), 30u);
  EXPECT_EQ(doc["categoryEntries"][3][1], want.categoryEntries[3].Item);
  EXPECT_EQ(doc["categoryLists"].size(), 8u);
  EXPECT_EQ(doc["itemCount"], ProfileFor(c.version)->ItemCount);
  ASSERT_EQ(doc["items"].size(), 40u);
  EXPECT_EQ(doc["items"][1]["NameTag"], std::string(want.items[1].NameTag.data()));
  EXPECT_EQ(doc["items"][1]["ExecIndex"], want.items[1].ExecIndex);
  EXPECT_EQ(doc["imageLabels"].size(), want.imageLabels.size());
  EXPECT_EQ(doc["subIconImageIndex"].size(), 48u);
  ASSERT_EQ(doc["names"]["Japanese"].size(), 56u);
  EXPECT_EQ(doc["names"]["Japanese"][1], std::string(want.japanese[1].data()));
  EXPECT_EQ(doc["names"]["English"][9], std::string(want.english[9].data()));
}

TEST_P(CliDemoSet, IconsWritesExactlyTheLoadsBitmaps) {
  const CliCase c = GetParam();
  ScopedTempDir dir;
  ScopedTempDir out;
  std::vector<std::string> args{"demo", "--version", VersionText(c.version), dir.path()};
  if (c.compressed) args.insert(args.begin() + 3, "--compressed");
  ASSERT_EQ(RunCli(args).status, 0);
  CliResult icons = RunCli({"icons", "--workdir", dir.path(), "--out", out.path()});
  ASSERT_EQ(icons.status, 0) << icons.err;

  const demo::DemoExpectation want = demo::ExpectedDemoLoad(c.version);
  std::map<std::string, std::string> expected;  // name -> "width height mode"
  for (const demo::ExpectedIcon& icon : want.icons) {
    expected[icon.fileName] =
        std::to_string(icon.width) + " " + std::to_string(icon.height) + (icon.bitsPerPixel == 32 ? " RGBA" : " P");
  }
  std::set<std::string> names;
  for (const auto& [name, desc] : expected) names.insert(name);
  ASSERT_EQ(FilesIn(out.path()), names);

  // An independent decoder (Debian's Python imaging library) opens every bitmap.
  CliResult decoded;
  std::string script =
      "import os, sys\n"
      "from PIL import Image\n"
      "d = sys.argv[1]\n"
      "for n in sorted(os.listdir(d)):\n"
      "    im = Image.open(os.path.join(d, n)); im.load()\n"
      "    print(n, im.size[0], im.size[1], 'RGBA' if im.mode in ('RGBA', 'RGB') else im.mode)\n";
  ScopedTempDir py;
  testing::WriteBytes(py / "check.py", std::vector<uint8_t>(script.begin(), script.end()));
  std::string cmd = "/usr/bin/python3 " + py / "check.py" + " " + out.path() + " > " + py / "out.txt 2>&1";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << testing::ReadText(py / "out.txt");
  std::istringstream lines(testing::ReadText(py / "out.txt"));
  std::string name, w, h, mode;
  int seen = 0;
  while (lines >> name >> w >> h >> mode) {
    EXPECT_EQ(expected[name], w + " " + h + " " + mode) << name;
    ++seen;
  }
  EXPECT_EQ(seen, static_cast<int>(expected.size()));
}

INSTANTIATE_TEST_SUITE_P(AllVersions, CliDemoSet,
                         ::testing::Values(CliCase{390, false}, CliCase{395, false}, CliCase{401, false},
                                           CliCase{500, false}, CliCase{390, true}, CliCase{395, true},
                                           CliCase{401, true}, CliCase{500, true}),
                         [](const auto& param_info) {
                           return std::to_string(param_info.param.version) +
                                  (param_info.param.compressed ? "Compressed" : "Plain");
                         });

TEST(Cli, MessagesGoToStandardErrorWithStatusOne) {
  ScopedTempDir dir;
  CliResult r = RunCli({"info", "--workdir", dir.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "qorvi-cli: vshmain.prx open error\n");

  ASSERT_EQ(RunCli({"demo", "--version", "5.00", dir.path()}).status, 0);
  ScopedTempDir other;
  ASSERT_EQ(RunCli({"demo", "--version", "3.95", other.path()}).status, 0);
  r = RunCli({"info", "--workdir", dir.path(), "--paf", other / "paf.prx"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qorvi-cli: paf.prx filesize not match / are you decrypted?\n");
  // --verbose adds the cause on a line of its own; the message line stays as it is.
  r = RunCli({"info", "--verbose", "--workdir", dir.path(), "--paf", other / "paf.prx"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.err,
      "qorvi-cli: paf.prx filesize not match / are you decrypted?\n"
      "qorvi-cli:   paf.prx: 1755918 bytes, expected 1759932 bytes for firmware 500, and it has no ~PSP signature\n");

  // A damaged container names the check and the offset.
  ScopedTempDir damaged;
  ASSERT_EQ(RunCli({"demo", "--version", "5.00", damaged.path()}).status, 0);
  {
    std::fstream f(damaged / "system_plugin_fg.rco", std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(0x30);
    f.write("\xf0\xff\xff\x7f", 4);
  }
  r = RunCli({"check", "--workdir", damaged.path(), "--verbose"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1), "qorvi-cli: cannot inflate system_plugin_fg.rco / use RCO Editor\n");
  EXPECT_NE(r.err.find("qorvi-cli:   system_plugin_fg.rco: object table offset 0x7ffffff0 at 0x30 lies past the end"),
            std::string::npos)
      << r.err;

  r = RunCli({"info", "--workdir", dir.path(), "--topmenu-icon", other / "missing.rco"});
  EXPECT_EQ(r.err, "qorvi-cli: topmenu_icon.rco open error / are you decrypted?\n");

  // --boot-sound turns the opening module on: now it must be there.
  fs::remove(dir / "opening_plugin.prx");
  r = RunCli({"info", "--workdir", dir.path(), "--boot-sound", dir / "x.wav"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qorvi-cli: opening_plugin.prx open error\n");
}

TEST(Cli, UsageErrorsExitTwo) {
  ScopedTempDir dir;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {"frobnicate"},
           {"info", "--no-such-option"},
           {"icons", "--workdir", dir.path()},
           {"demo", "--version", "6.60", dir.path()},
           {"demo", dir.path()},
           {"--version", "extra"},
           {"bogus", "--workdir", dir.path()},
           {"--bogus"},
           {"--bogus", "info"},
       }) {
    CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 2) << (args.empty() ? "(no arguments)" : args[0]);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  EXPECT_EQ(RunCli({"bogus"}).err, "qorvi-cli: unknown command 'bogus'\n");
  // Before a command, an unknown option is named (not "A subcommand is required").
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{{"--bogus"}, {"--verbose"}}) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_EQ(r.err, "qorvi-cli: The following argument was not expected: " + args[0] + "\n");
  }
  EXPECT_EQ(RunCli({}).err, "qorvi-cli: A subcommand is required\n");
  EXPECT_EQ(RunCli({"--help"}).status, 0);
  CliResult v = RunCli({"--version"});
  EXPECT_EQ(v.status, 0);
  EXPECT_NE(v.out.find("qorvi-cli"), std::string::npos);
}

TEST(Cli, DemoWritesTheSixFilesAndTheBootSound) {
  ScopedTempDir dir;
  ASSERT_EQ(RunCli({"demo", "--version", "4.01", "--boot-sound", dir.path()}).status, 0);
  EXPECT_EQ(FilesIn(dir.path()),
            (std::set<std::string>{"vshmain.prx", "paf.prx", "opening_plugin.prx", "topmenu_plugin.rco",
                                   "system_plugin_fg.rco", "topmenu_icon.rco", "bootsound.wav"}));
  CliResult r = RunCli({"info", "--workdir", dir.path(), "--boot-sound", dir / "bootsound.wav"});
  EXPECT_EQ(r.status, 0) << r.err;
}

}  // namespace
}  // namespace qorvi
