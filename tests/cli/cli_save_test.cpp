// SPDX-License-Identifier: GPL-3.0-or-later
// qorvi-cli save: layouts and settings applied, read back by info from the saved
// files; presets moved between firmware versions; usage errors write nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>

#include "cli_support.h"
#include "demo/demo_set.h"
#include "firmware/byte_reader.h"
#include "model/firmware_profile.h"

namespace qorvi {
namespace {

using Json = nlohmann::ordered_json;
using testing::CliResult;
using testing::ReadBytes;
using testing::ReadText;
using testing::RunCli;
using testing::ScopedTempDir;
namespace fs = std::filesystem;

const char* VersionText(int v) { return v == 390 ? "3.90" : v == 395 ? "3.95" : v == 401 ? "4.01" : "5.00"; }

void MakeDemo(const std::string& dir, int version, bool compressed = false) {
  std::vector<std::string> args{"demo", "--version", VersionText(version)};
  if (compressed) args.push_back("--compressed");
  args.push_back(dir);
  ASSERT_EQ(RunCli(args).status, 0);
}

// info on the files a save wrote into `out`.
Json InfoOfSaved(const std::string& out) {
  CliResult r = RunCli({"info", "--vshmain", out + "/module/vshmain.prx", "--paf", out + "/module/paf.prx",
                        "--topmenu-plugin", out + "/resource/topmenu_plugin.rco", "--system-plugin-fg",
                        out + "/resource/system_plugin_fg.rco", "--topmenu-icon", out + "/resource/topmenu_icon.rco"});
  EXPECT_EQ(r.status, 0) << r.err;
  return r.status == 0 ? Json::parse(r.out) : Json();
}

Json Info(const std::string& workdir) {
  CliResult r = RunCli({"info", "--workdir", workdir});
  EXPECT_EQ(r.status, 0) << r.err;
  return Json::parse(r.out);
}

void WriteJson(const std::string& path, const Json& doc) {
  std::string text = doc.dump(2);
  testing::WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

struct SaveCase {
  int version;
  bool compressed;
};

class CliSaveRoundTrip : public ::testing::TestWithParam<SaveCase> {};

TEST_P(CliSaveRoundTrip, InfoOnTheSavedFilesShowsTheRequestedValues) {
  const SaveCase c = GetParam();
  ScopedTempDir dir;
  ScopedTempDir out;
  MakeDemo(dir.path(), c.version, c.compressed);

  Json layout;
  layout["version"] = c.version;
  layout["layout"]["MainIconX"] = -101;
  layout["layout"]["UnfIconY"] = 70;
  layout["layout"]["UnfIconSize"] = 0.625;
  layout["layout"]["SubMenuTextX1Seg"] = 33;
  layout["layout"]["MainMenuTextY"] = 47;
  layout["layout"]["WaveSpeed"] = 12.5;
  layout["layout"]["BatteryX"] = 200;
  layout["layout"]["TextColor"] = Json::array({Json::array({0.25, 0.5, 1.0})});
  layout["layout"]["ClockColor"] = Json::array({10, 20, 255});
  layout["categoryEntries"] = Json::array({Json::array({3, 18, 7, 240})});
  layout["items"] = Json::array({Json::object({{"ExecGroup", 19}, {"ExecFunction", 0}, {"ExecIndex", 27}})});
  if (c.version == 500) layout["layout"]["OptSpace"] = 21.75;
  WriteJson(dir / "preset.json", layout);

  CliResult save = RunCli({"save", "--workdir", dir.path(), "--layout", dir / "preset.json", "--set", "ClockY=99",
                           "--set", "SubIconLowerSpace1=65.9", "--out", out.path()});
  ASSERT_EQ(save.status, 0) << save.err;
  // 3.90 keeps SubMenuTextX2 in the same place as SubMenuTextX1Seg.
  EXPECT_EQ(save.err, c.version == 390 ? "qorvi-cli: warning: SubMenuTextX2 (31) and SubMenuTextX1Seg (33) share one "
                                         "place in paf.prx: the file keeps 33\n"
                                       : "");

  Json info = InfoOfSaved(out.path());
  const Json& l = info["layout"];
  EXPECT_EQ(l["MainIconX"], -101);
  EXPECT_EQ(l["UnfIconY"], 70);
  EXPECT_EQ(l["UnfIconSize"], 0.625);
  EXPECT_EQ(l["SubMenuTextX1Seg"], 33);
  EXPECT_EQ(l["MainMenuTextY"], 47);
  EXPECT_EQ(l["WaveSpeed"], 12.5);
  EXPECT_EQ(l["BatteryX"], 200);
  EXPECT_EQ(l["ClockY"], 99);
  EXPECT_EQ(l["SubIconLowerSpace1"], 65);
  EXPECT_EQ(l["TextColor"][0], Json::array({0.25, 0.5, 1.0}));
  EXPECT_EQ(l["ClockColor"], Json::array({10, 20, 255}));
  if (c.version == 500) {
    EXPECT_EQ(l["OptSpace"], 21.75);
  }
  EXPECT_EQ(info["categoryEntries"][0], Json::array({3, 18, 7, 240}));
  EXPECT_EQ(info["items"][0]["ExecGroup"], 19);
  EXPECT_EQ(info["items"][0]["ExecFunction"], 0);
  EXPECT_EQ(info["items"][0]["ExecIndex"], 27);

  // Compressed modules by default, except on 3.95.
  auto head = ReadBytes(out / "module/paf.prx");
  bool packed = head.size() > 4 && std::string(head.begin(), head.begin() + 4) == "~PSP";
  EXPECT_EQ(packed, c.version != 395);
}

TEST_P(CliSaveRoundTrip, InfoFedBackReproducesTheSameFiles) {
  const SaveCase c = GetParam();
  ScopedTempDir dir;
  ScopedTempDir plain;
  ScopedTempDir viaLayout;
  MakeDemo(dir.path(), c.version, c.compressed);
  CliResult info = RunCli({"info", "--workdir", dir.path()});
  ASSERT_EQ(info.status, 0);
  testing::WriteBytes(dir / "info.json", std::vector<uint8_t>(info.out.begin(), info.out.end()));

  ASSERT_EQ(RunCli({"save", "--workdir", dir.path(), "--out", plain.path()}).status, 0);
  CliResult r = RunCli({"save", "--workdir", dir.path(), "--layout", dir / "info.json", "--out", viaLayout.path()});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* file : {"module/vshmain.prx", "module/paf.prx", "resource/topmenu_plugin.rco",
                           "resource/system_plugin_fg.rco", "resource/topmenu_icon.rco"}) {
    EXPECT_EQ(ReadBytes(plain / file), ReadBytes(viaLayout / file)) << file;
  }
}

INSTANTIATE_TEST_SUITE_P(AllVersions, CliSaveRoundTrip,
                         ::testing::Values(SaveCase{390, false}, SaveCase{395, false}, SaveCase{401, false},
                                           SaveCase{500, false}, SaveCase{390, true}, SaveCase{395, true},
                                           SaveCase{401, true}, SaveCase{500, true}),
                         [](const auto& param_info) {
                           return std::to_string(param_info.param.version) +
                                  (param_info.param.compressed ? "Compressed" : "Plain");
                         });

TEST(CliSave, PresetMovesFromOneVersionToAnother) {
  ScopedTempDir v500;
  ScopedTempDir v395;
  ScopedTempDir out;
  MakeDemo(v500.path(), 500);
  MakeDemo(v395.path(), 395);
  CliResult info = RunCli({"info", "--workdir", v500.path()});
  testing::WriteBytes(v500 / "preset.json", std::vector<uint8_t>(info.out.begin(), info.out.end()));
  const Json from = Json::parse(info.out);

  CliResult save = RunCli({"save", "--workdir", v395.path(), "--layout", v500 / "preset.json", "--out", out.path()});
  ASSERT_EQ(save.status, 0) << save.err;
  // The menu entries and items belong to the other version's tables: skipped, with warnings.
  EXPECT_NE(save.err.find("qorvi-cli: warning: categoryEntries skipped"), std::string::npos) << save.err;
  EXPECT_NE(save.err.find("qorvi-cli: warning: items skipped"), std::string::npos) << save.err;
  // So are the fields 3.95 has no place for, all named on one line.
  EXPECT_NE(save.err.find("qorvi-cli: warning: layout.SubIconLowerSpace2, layout.SubIconUpperSpace2, "),
            std::string::npos)
      << save.err;
  EXPECT_NE(save.err.find(", layout.OptSpace skipped: the loaded firmware is version 395, which does not store them\n"),
            std::string::npos)
      << save.err;
  EXPECT_EQ(std::count(save.err.begin(), save.err.end(), '\n'), 3) << save.err;

  Json saved = InfoOfSaved(out.path());
  EXPECT_EQ(saved["version"], 395);
  for (const char* field : {"MainIconX", "MainIconY", "UnfIconY", "UnfIconSize", "ClockX", "BusySpeed", "WaveSpeed",
                            "MainMenuTextY", "SubMenuTextX1Seg", "SubMenuMSTextY", "BatteryX", "BusyY"}) {
    EXPECT_EQ(saved["layout"][field], from["layout"][field]) << field;
  }
  for (int i = 0; i < 28; ++i) EXPECT_EQ(saved["layout"]["BGColor"][i], from["layout"]["BGColor"][i]);
  EXPECT_EQ(saved["layout"]["ClockColor"], from["layout"]["ClockColor"]);
  EXPECT_EQ(saved["categoryEntries"], Info(v395.path())["categoryEntries"]);
}

TEST(CliSave, UsageErrorsWriteNothing) {
  ScopedTempDir dir;
  MakeDemo(dir.path(), 401);
  auto layoutWith = [&](const std::string& name, const std::string& text) {
    testing::WriteBytes(dir / name, std::vector<uint8_t>(text.begin(), text.end()));
    return dir / name;
  };
  // A document over the 16 MiB limit, as a sparse file.
  const std::string overLimit = layoutWith("over.json", "{}");
  fs::resize_file(overLimit, 16 * 1024 * 1024 + 1);
  const std::vector<std::vector<std::string>> cases{
      {"--layout", layoutWith("type.json", R"({"layout": {"MainIconX": "left"}})")},
      {"--layout", layoutWith("float-int.json", R"({"layout": {"ClockX": 1.5}})")},
      {"--layout", layoutWith("pair.json", R"({"layout": {"ClockColor": [1, 2]}})")},
      {"--layout", layoutWith("table.json", R"({"layout": {"TextColor": [[0.1, 0.2]]}})")},
      {"--layout", layoutWith("byte.json", R"({"layout": {"BusyColor": [1, 2, 300]}})")},
      {"--layout", layoutWith("unknown.json", R"({"layout": {"MainIconZ": 1}})")},
      {"--layout", layoutWith("broken.json", R"({"layout": )")},
      {"--layout", layoutWith("entry.json", R"({"version": 401, "categoryEntries": [[1, 2, 3]]})")},
      {"--layout", dir / "missing.json"},
      {"--layout", layoutWith("huge.json", R"({"layout": {"WaveSpeed": 1e39}})")},
      {"--layout", layoutWith("nan.json", R"({"layout": {"WaveSpeed": "NaN"}})")},
      {"--layout", dir.path()},
      {"--layout", "/proc/self/mem"},
      {"--layout", overLimit},
      {"--set", "NoSuchField=1"},
      {"--set", "BatteryColor=1"},
      {"--set", "MainIconX"},
      {"--set", "WaveSpeed=1e39"},
      {"--set", "UnfIconSize=-4e38"},
      // Fields 4.01 has no place for.
      {"--set", "Sub2NetSearchX=1"},
      {"--set", "SubIconUpperSpace2=60"},
  };
  for (const char* command : {"save", "check"}) {
    for (const auto& extra : cases) {
      std::vector<std::string> args{command, "--workdir", dir.path()};
      args.insert(args.end(), extra.begin(), extra.end());
      CliResult r = RunCli(args);
      EXPECT_EQ(r.status, 2) << command << " " << extra[1];
      EXPECT_EQ(r.err.rfind("qorvi-cli: ", 0), 0u) << r.err;
      EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
      EXPECT_EQ(r.out, "");
      EXPECT_FALSE(fs::exists(dir / "done")) << extra[1];
    }
  }
}

TEST(CliSave, SettingsFollowTheEditRules) {
  ScopedTempDir dir;
  ScopedTempDir out;
  MakeDemo(dir.path(), 500);
  CliResult r = RunCli({"save", "--workdir", dir.path(), "--out", out.path(), "--no-compress", "--set",
                        "Bmp01_12size=40000", "--set", "SubIconUpperSpace1=-3.7", "--set", "MainIconY=12abc", "--set",
                        "SubIconSize=1e0", "--set", "ClockX="});
  ASSERT_EQ(r.status, 0) << r.err;
  Json l = InfoOfSaved(out.path())["layout"];
  EXPECT_EQ(l["Bmp01_12size"], 32767);
  EXPECT_EQ(l["SubIconUpperSpace1"], -3);
  EXPECT_EQ(l["MainIconY"], 12);
  EXPECT_EQ(l["SubIconSize"], 1.0);
  EXPECT_EQ(l["ClockX"], 0);
  auto head = ReadBytes(out / "module/vshmain.prx");
  EXPECT_EQ(head.size(), 325340u) << "--no-compress writes the plain image";
}

// A NaN or an infinity read from a firmware file: info prints it as a string that
// --layout reads back to the same bits, so the files come out the same.
TEST(CliSave, NonNumbersFromAFileSurviveInfoAndLayout) {
  for (int version : {390, 500}) {
    ScopedTempDir dir;
    ScopedTempDir plain;
    ScopedTempDir viaLayout;
    demo::DemoContent content = demo::DefaultDemoContent(version);
    content.layout.WaveSpeed = BitsFloat(0x7FC00123);
    content.layout.BusySpeed = -std::numeric_limits<float>::infinity();
    content.layout.TextColor[4].g = BitsFloat(0xFF800001);
    demo::DemoOptions options;
    options.version = version;
    std::string error;
    ASSERT_TRUE(demo::WriteDemoFiles(dir.path(), demo::BuildDemoSet(content, options), &error)) << error;

    CliResult info = RunCli({"info", "--workdir", dir.path()});
    ASSERT_EQ(info.status, 0) << info.err;
    const Json doc = Json::parse(info.out);  // valid JSON
    EXPECT_EQ(doc["layout"]["WaveSpeed"], "nan:0x7fc00123");
    EXPECT_EQ(doc["layout"]["BusySpeed"], "-inf");
    EXPECT_EQ(doc["layout"]["TextColor"][4][1], "nan:0xff800001");
    testing::WriteBytes(dir / "info.json", std::vector<uint8_t>(info.out.begin(), info.out.end()));

    ASSERT_EQ(RunCli({"save", "--workdir", dir.path(), "--out", plain.path()}).status, 0);
    CliResult r = RunCli({"save", "--workdir", dir.path(), "--layout", dir / "info.json", "--out", viaLayout.path()});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* file : {"module/vshmain.prx", "module/paf.prx"}) {
      EXPECT_EQ(ReadBytes(plain / file), ReadBytes(viaLayout / file)) << version << " " << file;
    }
    EXPECT_EQ(InfoOfSaved(viaLayout.path())["layout"]["WaveSpeed"], "nan:0x7fc00123");
  }
}

// --set of a field the loaded version has no place for would reach no file.
TEST(CliSave, SettingAFieldTheVersionDoesNotStoreIsAUsageError) {
  const struct {
    int version;
    const char* setting;
  } rows[] = {{390, "Sub2NetSearchX=3"}, {401, "OptSpace=1"}, {500, "SubIconUpperSpace2=70"}};
  for (const auto& row : rows) {
    ScopedTempDir dir;
    MakeDemo(dir.path(), row.version);
    const std::string name = std::string(row.setting).substr(0, std::string(row.setting).find('='));
    for (const char* command : {"save", "check"}) {
      CliResult r = RunCli({command, "--workdir", dir.path(), "--set", "ClockX=3", "--set", row.setting});
      EXPECT_EQ(r.status, 2) << command << " " << row.setting;
      EXPECT_EQ(r.err, "qorvi-cli: --set " + std::string(row.setting) + ": the loaded firmware is version " +
                           std::to_string(row.version) + ", which does not store " + name + "\n");
      EXPECT_FALSE(fs::exists(dir / "done"));
    }
  }
}

// 3.90 keeps SubMenuTextX2 and SubMenuTextX1Seg in one place of paf.prx: a save
// that gives them different values says which one the file keeps.
TEST(CliSave, TwoFieldsInOnePlaceAreWarnedAbout) {
  ScopedTempDir dir;
  ScopedTempDir out;
  MakeDemo(dir.path(), 390);
  const Json loaded = Info(dir.path())["layout"];
  const std::string kept = loaded["SubMenuTextX1Seg"].dump();
  CliResult r = RunCli({"save", "--workdir", dir.path(), "--out", out.path(), "--set", "SubMenuTextX2=77"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "qorvi-cli: warning: SubMenuTextX2 (77) and SubMenuTextX1Seg (" + kept +
                       ") share one place in paf.prx: the file keeps " + kept + "\n");
  EXPECT_EQ(InfoOfSaved(out.path())["layout"]["SubMenuTextX2"].dump(), kept);

  // The same value in both, or another version: nothing to say.
  r = RunCli({"save", "--workdir", dir.path(), "--out", out.path(), "--set", "SubMenuTextX2=40", "--set",
              "SubMenuTextX1Seg=40"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  ScopedTempDir other;
  MakeDemo(other.path(), 395);
  r = RunCli({"save", "--workdir", other.path(), "--set", "SubMenuTextX2=77"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
}

// A tag byte that is not UTF-8: info prints the tag in its byte form, and the
// save of info's own output writes modules identical to the input, byte for byte.
TEST(CliSave, TagsThatAreNotUtf8SurviveInfoAndLayout) {
  for (int version : {390, 395, 401, 500}) {
    SCOPED_TRACE(version);
    ScopedTempDir dir;
    ScopedTempDir out;
    demo::DemoContent content = demo::DefaultDemoContent(version);
    content.items[1].record.NameTag = ItemTag::FromText("msg_\xe9sb");
    // Eight bytes that would each grow to three as U+FFFD, and no zero in the field.
    content.items[2].record.MainImageTag = ItemTag::FromText("tex_\xff\xfe\xfd\xfc\xfb\xfa\xf9\xf8%_abcdefghij");
    content.items[3].record.ConfImageTag = ItemTag::FromText("\xc0\xafx");
    demo::DemoOptions options;
    options.version = version;
    std::string error;
    ASSERT_TRUE(demo::WriteDemoFiles(dir.path(), demo::BuildDemoSet(content, options), &error)) << error;

    CliResult info = RunCli({"info", "--workdir", dir.path()});
    ASSERT_EQ(info.status, 0) << info.err;
    const Json doc = Json::parse(info.out);
    EXPECT_EQ(doc["items"][1]["NameTag"], Json::parse(R"({"bytes": "msg_%E9sb"})"));
    EXPECT_EQ(doc["items"][2]["MainImageTag"],
              Json::parse(R"({"bytes": "tex_%FF%FE%FD%FC%FB%FA%F9%F8%25_abcdefghij"})"));
    EXPECT_EQ(doc["items"][0]["NameTag"].is_string(), true) << "UTF-8 tags stay strings";
    testing::WriteBytes(dir / "info.json", std::vector<uint8_t>(info.out.begin(), info.out.end()));

    CliResult r =
        RunCli({"save", "--workdir", dir.path(), "--layout", dir / "info.json", "--no-compress", "--out", out.path()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // Every save of 5.00 clears one word of vshmain.prx (the demo set holds another
    // value there); everything else comes out as it went in.
    std::vector<uint8_t> vshmain = ReadBytes(dir / "vshmain.prx");
    if (const uint32_t cleared = ProfileFor(version)->ClearedVshWord; cleared != 0) ByteWriter(vshmain).u32(cleared, 0);
    EXPECT_TRUE(ReadBytes(out / "module/vshmain.prx") == vshmain);
    EXPECT_TRUE(ReadBytes(out / "module/paf.prx") == ReadBytes(dir / "paf.prx"));
  }
}

// Every save loads its files back and compares them; a passing check says nothing.
TEST(CliSave, SavesOfEveryVersionVerify) {
  for (int version : {390, 395, 401, 500}) {
    ScopedTempDir dir;
    ASSERT_EQ(RunCli({"demo", "--version", VersionText(version), "--compressed", "--boot-sound", dir.path()}).status,
              0);
    CliResult r = RunCli({"save", "--workdir", dir.path(), "--boot-sound", dir / "bootsound.wav", "--set",
                          "MainIconX=12345", "--set", "SubMenuTextX2=-3"});
    EXPECT_EQ(r.status, 0) << version << ": " << r.err;
    // The one thing said: on 3.90 the file keeps SubMenuTextX1Seg where SubMenuTextX2 goes too.
    EXPECT_EQ(r.err, version == 390 ? "qorvi-cli: warning: SubMenuTextX2 (-3) and SubMenuTextX1Seg (31) share one "
                                      "place in paf.prx: the file keeps 31\n"
                                    : "");
    r = RunCli({"save", "--workdir", dir.path(), "--no-verify", "--out", dir / "unverified"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir / "unverified/resource/topmenu_icon.rco"));
  }
}

TEST(CliSave, BootSoundMessagesStillWriteTheOtherFiles) {
  ScopedTempDir dir;
  MakeDemo(dir.path(), 500);
  std::vector<uint8_t> big(49377, 0x11);
  testing::WriteBytes(dir / "big.wav", big);
  CliResult r = RunCli({"save", "--workdir", dir.path(), "--boot-sound", dir / "big.wav"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qorvi-cli: .wav file size too big\n");
  EXPECT_FALSE(fs::exists(dir / "done/module/opening_plugin.prx"));
  EXPECT_TRUE(fs::exists(dir / "done/module/vshmain.prx"));
  EXPECT_TRUE(fs::exists(dir / "done/resource/topmenu_icon.rco"));
  // Exactly what the save adds: the done folder.
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir.path())) names.insert(e.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"vshmain.prx", "paf.prx", "opening_plugin.prx", "topmenu_plugin.rco",
                                          "system_plugin_fg.rco", "topmenu_icon.rco", "big.wav", "done"}));

  testing::WriteBytes(dir / "ok.wav", std::vector<uint8_t>(100, 0x22));
  r = RunCli({"save", "--workdir", dir.path(), "--boot-sound", dir / "ok.wav", "--no-compress"});
  EXPECT_EQ(r.status, 0) << r.err;
  auto opening = ReadBytes(dir / "done/module/opening_plugin.prx");
  ASSERT_EQ(opening.size(), 63580u);
  EXPECT_EQ(opening[0x2EBC], 0x22);
  EXPECT_EQ(opening[0x2EBC + 100], 0);
}

}  // namespace
}  // namespace qorvi
