// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "model/layout_record.h"
#include "model/message_table.h"
#include "model/paths.h"
#include "model/value_text.h"

namespace qorvi {
namespace {

// A backslash separates folders on Windows only; elsewhere it is part of a name.
#ifdef _WIN32
constexpr bool kBackslashSeparates = true;
#else
constexpr bool kBackslashSeparates = false;
#endif

TEST(BuildPaths, InputsAndBitmapsAreSlashedOutputsKeepTheirSeparators) {
  Paths p;
  BuildPaths(p, "C:\\psp\\work");
  const std::string in = kBackslashSeparates ? "C:/psp/work" : "C:\\psp\\work";
  EXPECT_EQ(p.BootSoundPath, in + "/bootsound.wav");
  EXPECT_EQ(p.VshmainPath, in + "/vshmain.prx");
  EXPECT_EQ(p.PafPath, in + "/paf.prx");
  EXPECT_EQ(p.OpeningPath, in + "/opening_plugin.prx");
  EXPECT_EQ(p.TopmenuPluginPath, in + "/topmenu_plugin.rco");
  EXPECT_EQ(p.SystemPluginFgPath, in + "/system_plugin_fg.rco");
  EXPECT_EQ(p.TopmenuIconPath, in + "/topmenu_icon.rco");
  EXPECT_EQ(p.DoneDir, "C:\\psp\\work/done");
  EXPECT_EQ(p.DoneVshmainPath, "C:\\psp\\work/done/module/vshmain.prx");
  EXPECT_EQ(p.DonePafPath, "C:\\psp\\work/done/module/paf.prx");
  EXPECT_EQ(p.DoneOpeningPath, "C:\\psp\\work/done/module/opening_plugin.prx");
  EXPECT_EQ(p.DoneTopmenuPluginPath, "C:\\psp\\work/done/resource/topmenu_plugin.rco");
  EXPECT_EQ(p.DoneSystemPluginFgPath, "C:\\psp\\work/done/resource/system_plugin_fg.rco");
  EXPECT_EQ(p.DoneTopmenuIconPath, "C:\\psp\\work/done/resource/topmenu_icon.rco");
  EXPECT_EQ(p.BatteryIconPath, in + "/BatteryIcon.bmp");
  EXPECT_EQ(p.BusyIconPath, in + "/BusyIcon.bmp");
}

TEST(BuildPaths, IconBitmapsAreNumbered) {
  Paths p;
  BuildPaths(p, "/w");
  for (int i = 0; i < 8; ++i) EXPECT_EQ(p.MainIconPath[i], "/w/MainIcon" + std::to_string(i) + ".bmp");
  EXPECT_EQ(p.SubIconPath[0], "/w/SubIcon000.bmp");
  EXPECT_EQ(p.SubIconPath[9], "/w/SubIcon009.bmp");
  EXPECT_EQ(p.SubIconPath[10], "/w/SubIcon010.bmp");
  EXPECT_EQ(p.SubIconPath[47], "/w/SubIcon047.bmp");
}

TEST(BuildPaths, PercentSignsAndLongDirectoriesAreKeptWhole) {
  Paths p;
  BuildPaths(p, "/tmp/100%s%d");
  EXPECT_EQ(p.VshmainPath, "/tmp/100%s%d/vshmain.prx");
  EXPECT_EQ(p.SubIconPath[3], "/tmp/100%s%d/SubIcon003.bmp");
  EXPECT_EQ(p.DoneTopmenuIconPath, "/tmp/100%s%d/done/resource/topmenu_icon.rco");

  std::string deep = "/" + std::string(150, 'd');
  BuildPaths(p, deep);
  EXPECT_EQ(p.TopmenuIconPath, deep + "/topmenu_icon.rco");
  EXPECT_EQ(p.DoneSystemPluginFgPath, deep + "/done/resource/system_plugin_fg.rco");
  EXPECT_EQ(p.SubIconPath[47], deep + "/SubIcon047.bmp");
}

TEST(BuildPaths, SetDoneDirMovesOnlyTheOutputs) {
  Paths p;
  BuildPaths(p, "/w");
  SetDoneDir(p, "/out\\x");
  EXPECT_EQ(p.DoneDir, "/out\\x");
  EXPECT_EQ(p.DoneVshmainPath, "/out\\x/module/vshmain.prx");
  EXPECT_EQ(p.DonePafPath, "/out\\x/module/paf.prx");
  EXPECT_EQ(p.DoneOpeningPath, "/out\\x/module/opening_plugin.prx");
  EXPECT_EQ(p.DoneTopmenuPluginPath, "/out\\x/resource/topmenu_plugin.rco");
  EXPECT_EQ(p.DoneSystemPluginFgPath, "/out\\x/resource/system_plugin_fg.rco");
  EXPECT_EQ(p.DoneTopmenuIconPath, "/out\\x/resource/topmenu_icon.rco");
  EXPECT_EQ(p.VshmainPath, "/w/vshmain.prx");
  EXPECT_EQ(p.MainIconPath[0], "/w/MainIcon0.bmp");
}

TEST(BuildPaths, SlashPathReplacesEveryBackslashWhereItSeparates) {
  std::string path = "\\\\server\\share\\a/b\\";
  SlashPath(path);
  EXPECT_EQ(path, kBackslashSeparates ? "//server/share/a/b/" : "\\\\server\\share\\a/b\\");
}

TEST(EscapedForMessage, EveryMessageStaysOneVisibleLine) {
  const std::string backslash = kBackslashSeparates ? "\\" : "\\\\";
  const struct {
    std::string text;
    std::string shown;
  } rows[] = {
      {"/tmp/plain dir/vshmain.prx", "/tmp/plain dir/vshmain.prx"},
      {"a\nb\tc\rd", "a\\nb\\tc\\rd"},
      {std::string("nul\0x", 5), "nul\\x00x"},
      {"\x1b[31mred\x7f", "\\x1b[31mred\\x7f"},
      {"T/a\\b", "T/a" + backslash + "b"},
      {"\xe3\x83\x95\xe3\x82\xa9\xe3\x83\xab\xe3\x83\x80/\xc3\xa9/\xf0\x9f\x8e\xae",
       "\xe3\x83\x95\xe3\x82\xa9\xe3\x83\xab\xe3\x83\x80/\xc3\xa9/\xf0\x9f\x8e\xae"},
      {"latin1 \xe9t\xe9", "latin1 \\xe9t\\xe9"},
      {"cut \xe3\x83", "cut \\xe3\\x83"},
      {"overlong \xc0\xaf \xe0\x80\xaf", "overlong \\xc0\\xaf \\xe0\\x80\\xaf"},
      {"surrogate \xed\xa0\x80", "surrogate \\xed\\xa0\\x80"},
      {"too high \xf4\x90\x80\x80", "too high \\xf4\\x90\\x80\\x80"},
      {"next line \xc2\x85", "next line \\xc2\\x85"},
      {"", ""},
  };
  for (const auto& row : rows) EXPECT_EQ(EscapedForMessage(row.text), row.shown) << row.shown;
}

TEST(MessageTable, TextsOfEveryCode) {
  const std::array<const char*, kMessageCount> expected = {
      "cannot allocate memory",
      "vshmain.prx open error",
      "vshmain.prx filesize not match\nare you decrypted?",
      "paf.prx open error",
      "paf.prx filesize not match\nare you decrypted?",
      "topmenu_plugin.rco open error",
      "topmenu_plugin.rco filesize not match\nyou have to use Resurssiklunssi",
      "system_plugin_fg.rco open error",
      "system_plugin_fg.rco filesize not match\nyou have to use Resurssiklunssi",
      "vshmain.prx write error",
      "paf.prx write error",
      "opening_plugin.prx write error",
      "topmenu_plugin.rco write error",
      "system_plugin_fg.rco write error",
      "topmenu_icon.rco write error",
      ".wav file size too big",
      "opening_plugin.prx open error",
      "opening_plugin.prx filesize not match\nare you decrypted?",
      "topmenu_icon.rco open error\nare you decrypted?",
      "topmenu_icon.rco filesize not match\nyou have to use Resurssiklunssi",
      "cannot inflate topmenu_icon.rco",
      "cannot inflate topmenu_plugin.rco\nuse RCO Editor",
      "cannot inflate system_plugin_fg.rco\nuse RCO Editor",
  };
  for (int code = 0; code < kMessageCount; ++code) {
    EXPECT_EQ(MessageText(static_cast<Message>(code)), expected[code]) << code;
  }
  EXPECT_EQ(MessageText(Message::TopmenuIconCannotInflate), expected[20]);
  EXPECT_EQ(MessageText(Message::WavTooBig), expected[15]);
  EXPECT_EQ(MessageText(static_cast<Message>(kMessageCount)), "");
  EXPECT_EQ(MessageText(static_cast<Message>(-1)), "");
  EXPECT_EQ(kMessageCaption, "Qorvi");
  EXPECT_EQ(kDoneText, "done");
}

TEST(MessageTable, OneLineFormJoinsLinesWithASlash) {
  EXPECT_EQ(MessageLine(Message::TopmenuIconOpenError), "topmenu_icon.rco open error / are you decrypted?");
  EXPECT_EQ(MessageLine(Message::PafOpenError), "paf.prx open error");
}

TEST(LayoutFields, FortyEightNamesInRecordOrder) {
  const std::array<const char*, 48> names = {
      "MainIconX",
      "MainIconY",
      "MainIconSpace1",
      "MainIconSpace2",
      "Bmp01_12size",
      "UnfIconY",
      "UnfIconSize",
      "SubIconLowerSpace1",
      "SubIconUpperSpace1",
      "SubIconLowerSpace2",
      "SubIconUpperSpace2",
      "SubIconSize",
      "ClockX",
      "ClockY",
      "BatteryX",
      "BatteryY",
      "BusyX",
      "BusyY",
      "IconSpeedX1",
      "IconSpeedX2",
      "IconSpeedY1",
      "IconSpeedY2",
      "BusySpeed",
      "WaveSpeed",
      "MainMenuTextY",
      "MainMenuTextSize",
      "SubMenuTextX",
      "SubMenuTextX2",
      "SubMenuTextX3",
      "SubMenuTextX1Seg",
      "SubMenuTextY",
      "SubMenuMSTextY",
      "SubMenuUnderMSTextY",
      "SubMenuTextSize",
      "Sub2NetSearchX",
      "Sub2NetRadioX",
      "Sub2GameTitleX",
      "Sub2PhotVideoX",
      "Sub2RSSFeedsX",
      "Sub2SettingOptX",
      "Sub2SettingOptY",
      "OptSize1",
      "OptSize2",
      "GameSpace",
      "VideoSpace",
      "MusicSpace",
      "PhotoSpace",
      "OptSpace",
  };
  auto fields = LayoutFields();
  ASSERT_EQ(fields.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(fields[i].name, names[i]) << i;
    EXPECT_EQ(fields[i].group, i < 24 ? FieldGroup::IconData : FieldGroup::Text) << names[i];
    EXPECT_EQ(FindLayoutField(names[i]), &fields[i]);
  }
  EXPECT_EQ(FindLayoutField("mainiconx"), nullptr);
  EXPECT_EQ(FindLayoutField("TextColor"), nullptr);
}

TEST(LayoutFields, EachFieldNamesItsOwnMember) {
  // Writing a distinct value through every field and reading it back finds two
  // entries sharing one member (a copy-and-paste slip in the table).
  LayoutRecord layout;
  auto fields = LayoutFields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (auto* ip = std::get_if<int32_t LayoutRecord::*>(&fields[i].member)) {
      layout.*(*ip) = static_cast<int32_t>(i + 1);
    } else {
      layout.*(std::get<float LayoutRecord::*>(fields[i].member)) = static_cast<float>(i + 1);
    }
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    EXPECT_EQ(FieldText(layout, fields[i]), std::to_string(i + 1)) << fields[i].name;
  }
}

TEST(LayoutFields, ParseRulesFollowTheFieldTypes) {
  EXPECT_EQ(FindLayoutField("Bmp01_12size")->rule, ParseRule::ClampedSize);
  for (const char* name : {"SubIconLowerSpace1", "SubIconUpperSpace1", "SubIconLowerSpace2", "SubIconUpperSpace2"}) {
    EXPECT_EQ(FindLayoutField(name)->rule, ParseRule::RealTruncated) << name;
  }
  for (const LayoutField& f : LayoutFields()) {
    bool is_float = std::holds_alternative<float LayoutRecord::*>(f.member);
    EXPECT_EQ(is_float, f.rule == ParseRule::Real) << f.name;
  }
}

}  // namespace
}  // namespace qorvi
