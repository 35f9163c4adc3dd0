// SPDX-License-Identifier: GPL-3.0-or-later
// The standard content of the demo sets: layout values near the firmware's own
// magnitudes (but not equal to any sample figure, and no two alike), a menu in the
// shape of the real one, forty items with their execute functions, tags and names.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "demo/demo_set.h"
#include "firmware/exec_functions.h"
#include "model/firmware_profile.h"

namespace qorvi::demo {
namespace {

struct ItemSpec {
  const char* image;  // MainImageTag; ShadowImageTag and ConfImageTag are derived from it
  const char* name;   // NameTag
  const char* japanese;
  const char* english;
  uint32_t media;  // 1 Flash, 2 UMD, 3 Memory Stick
  int exec;        // index into the execute-function table, or -1 for a pair the table lacks
};

// Items 0..39. The execute functions follow the table's order except items 14 and
// 21 (swapped) and item 32, whose pair (26, 4) the table does not know.
constexpr std::array<ItemSpec, kItemSlots> kItems{{
    {"tex_netupdate", "msg_netupdate", "ネットワークアップデート", "Network Update", 1, 0},
    {"tex_usb", "msg_usb", "USB接続", "USB Connection", 1, 1},
    {"tex_set_video", "msg_set_video", "ビデオ設定", "Video Settings", 1, 2},
    {"tex_set_photo", "msg_set_photo", "フォト設定", "Photo Settings", 1, 3},
    {"tex_set_system", "msg_set_system", "本体設定", "System Settings", 1, 4},
    {"tex_set_theme", "msg_set_theme", "テーマ設定", "Theme Settings", 1, 5},
    {"tex_set_date", "msg_set_date", "日付と時刻設定", "Date & Time Settings", 1, 6},
    {"tex_set_power", "msg_set_power", "省電力設定", "Power Save Settings", 1, 7},
    {"tex_set_display", "msg_set_display", "外部ディスプレイ設定", "Connected Display", 1, 8},
    {"tex_set_sound", "msg_set_sound", "サウンド設定", "Sound Settings", 1, 9},
    {"tex_set_security", "msg_set_security", "セキュリティー設定", "Security Settings", 1, 10},
    {"tex_set_rss", "msg_set_rss", "RSSチャンネル設定", "RSS Channel Settings", 1, 11},
    {"tex_set_network", "msg_set_network", "ネットワーク設定", "Network Settings", 1, 12},
    {"tex_ms_photo", "msg_ms_photo", "メモリースティック フォト", "Memory Stick Photo", 3, 13},
    {"tex_umd_game", "msg_umd_game", "UMD ゲーム", "UMD Game", 2, 21},
    {"tex_ms_music", "msg_ms_music", "メモリースティック ミュージック", "Memory Stick Music", 3, 15},
    {"tex_umd_music", "msg_umd_music", "UMD ミュージック", "UMD Music", 2, 16},
    {"tex_umd_video", "msg_umd_video", "UMD ビデオ", "UMD Video", 2, 17},
    {"tex_ms_video", "msg_ms_video", "メモリースティック ビデオ", "Memory Stick Video", 3, 18},
    {"tex_gamesharing", "msg_gamesharing", "ゲームシェアリング", "Game Sharing", 1, 19},
    {"tex_savedata", "msg_savedata", "セーブデータ管理", "Saved Data Utility", 3, 20},
    {"tex_umd_photo", "msg_umd_photo", "UMD フォト", "UMD Photo", 2, 14},
    {"tex_ms_game", "msg_ms_game", "メモリースティック ゲーム", "Memory Stick Game", 3, 22},
    {"tex_umd_update", "msg_umd_update", "UMD アップデート", "UMD Update", 2, 23},
    {"tex_browser", "msg_browser", "インターネットブラウザー", "Internet Browser", 1, 24},
    {"tex_lftv", "msg_lftv", "ロケーションフリー プレーヤー", "LocationFree Player", 1, 25},
    {"tex_rss", "msg_rss", "RSSチャンネル", "RSS Channel", 1, 26},
    {"tex_camera", "msg_camera", "カメラ", "Camera", 1, 27},
    {"tex_remoteplay", "msg_remoteplay", "リモートプレイ", "Remote Play", 1, 28},
    {"tex_manual", "msg_manual", "オンラインマニュアル", "Online Manuals", 1, 29},
    {"tex_skype", "msg_skype", "スカイプ", "Skype", 1, 30},
    {"tex_1seg", "msg_1seg", "ワンセグ", "1Seg", 1, 31},
    {"tex_psspot", "msg_psspot", "プレイステーション スポット", "PlayStation Spot", 1, -1},
    {"tex_radio", "msg_radio", "インターネットラジオ", "Internet Radio", 1, 33},
    {"tex_gomessenger", "msg_gomessenger", "GO Messenger", "GO Messenger", 1, 34},
    {"tex_search", "msg_search", "インターネット検索", "Internet Search", 1, 35},
    {"tex_psn_signup", "msg_psn_signup", "サインアップ", "Sign Up", 1, 36},
    {"tex_psn_account", "msg_psn_account", "アカウント管理", "Account Management", 1, 37},
    {"tex_psn_store", "msg_psn_store", "PlayStation Store", "PlayStation Store", 1, 38},
    {"tex_tdmb", "msg_tdmb", "T-DMB", "T-DMB", 1, 39},
}};
constexpr uint32_t kUnknownExecGroup = 26;
constexpr uint32_t kUnknownExecFunction = 4;

// Show codes and regions of the menu entries.
constexpr uint8_t kShown = 7;
constexpr uint8_t kShown2000 = 6;
constexpr uint8_t kHidden = 2;
constexpr uint8_t kJapan = 8;
constexpr uint8_t kUs = 240;
constexpr uint8_t kEurope = 160;
constexpr uint8_t kKorea = 64;
constexpr uint8_t kUnlisted = 255;

// The settings entries every version has (item 11 stands unlisted at the end).
constexpr std::array<CategoryEntry, 12> kSettings{{{0, 1, kShown, 0},
                                                   {0, 2, kShown, 0},
                                                   {0, 3, kShown, 0},
                                                   {0, 4, kShown, 0},
                                                   {0, 5, kShown, 0},
                                                   {0, 6, kShown, 0},
                                                   {0, 7, kShown, 0},
                                                   {0, 8, kShown2000, 0},
                                                   {0, 9, kShown, 0},
                                                   {0, 10, kShown, 0},
                                                   {0, 12, kShown, 0},
                                                   {0, 0, kShown, 0}}};

std::vector<CategoryEntry> MenuEntries(int32_t version) {
  std::vector<CategoryEntry> e(kSettings.begin(), kSettings.end());
  const FirmwareProfile* profile = ProfileFor(version);
  if (profile != nullptr && profile->HasEighthCategory) {
    e.insert(e.end(), {{1, 27, kShown, 0},
                       {2, 26, kShown, kUs},
                       {2, 33, kShown, 0},
                       {2, 16, kHidden, 0},
                       {4, 31, kShown, kJapan},
                       {4, 39, kShown, kKorea},
                       {3, 17, kHidden, 0},
                       {5, 19, kShown, 0},
                       {5, 20, kShown, 0},
                       {5, 21, kHidden, 0},
                       {6, 24, kShown, 0},
                       {6, 28, kShown, 0},
                       {6, 30, kShown, kEurope},
                       {6, 35, kShown, 0},
                       {7, 36, kShown, 0},
                       {7, 37, kShown, 0},
                       {7, 38, kShown, 0}});
  } else {
    e.insert(e.end(), {{1, 27, kShown, 0},
                       {2, 26, kShown, kUs},
                       {2, 16, kHidden, 0},
                       {4, 31, kShown, kJapan},
                       {3, 17, kHidden, 0},
                       {5, 19, kShown, 0},
                       {5, 20, kShown, 0},
                       {5, 21, kHidden, 0},
                       {6, 24, kShown, 0},
                       {6, 25, kShown, 0},
                       {6, 28, kShown, 0},
                       {6, 29, kShown, kEurope},
                       {7, 32, kShown, 0}});
    if (version == 401) e.insert(e.end(), {{6, 35, kShown, 0}});
  }
  e.push_back({kUnlisted, 11, kShown, 0});
  return e;
}

DemoItem MakeItem(int i) {
  const ItemSpec& s = kItems[i];
  DemoItem item;
  ItemRecord& r = item.record;
  r.MainImageTag.SetText(s.image);
  if (i % 3 != 2) r.ShadowImageTag.SetText(std::string(s.image) + "_sh");
  if (i <= 12) r.ConfImageTag.SetText("tex_conf_" + std::to_string(i));
  r.NameTag.SetText(s.name);
  r.Word0 = 0x00010000u | static_cast<uint32_t>(i);
  r.Media = s.media;
  if (s.exec >= 0) {
    r.ExecGroup = ExecFunctionTable()[s.exec].Group;
    r.ExecFunction = ExecFunctionTable()[s.exec].Function;
  } else {
    r.ExecGroup = kUnknownExecGroup;
    r.ExecFunction = kUnknownExecFunction;
  }
  r.Word4 = static_cast<uint32_t>(i % 4 + 1);
  r.Word5 = 0x00A00000u + 16u * static_cast<uint32_t>(i);
  r.Word6 = i % 3 == 0 ? 0xFFFFFFFFu : 0x40u * static_cast<uint32_t>(i);
  r.UmdFlag = s.media == 2 ? 0 : 1;
  item.japanese = s.japanese;
  item.english = s.english;
  // The UMD music, video and photo entries are hidden and have no icon.
  item.hasIcon = i != 16 && i != 17 && i != 21;
  return item;
}

LayoutRecord DefaultLayout() {
  LayoutRecord L;
  L.MainIconX = -127;
  L.MainIconY = 68;
  L.MainIconSpace1 = 7;
  L.MainIconSpace2 = 83;
  L.Bmp01_12size = 6188;
  L.UnfIconY = 61;
  L.UnfIconSize = 0.7f;
  L.SubIconLowerSpace1 = 67;
  L.SubIconUpperSpace1 = 58;
  L.SubIconLowerSpace2 = 69;
  L.SubIconSize = 0.95f;
  L.ClockX = 207;
  L.ClockY = 119;
  // The battery and busy icons stand in the screen's right corners, wholly on it
  // (their cells are 44 x 16 and 25 x 25 pixels).
  L.BatteryX = 214;
  L.BatteryY = 126;
  L.BusyX = 224;
  L.BusyY = -119;
  L.IconSpeedX1 = 190;
  L.IconSpeedX2 = 210;
  L.IconSpeedY1 = 180;
  L.IconSpeedY2 = 220;
  L.BusySpeed = 62.5f;
  L.WaveSpeed = 9.5f;
  // Text places as the menu has them: the category name under the focused icon,
  // the item names just right of the item icons.
  L.MainMenuTextY = 21;
  L.MainMenuTextSize = 0.83f;
  L.SubMenuTextX = 17;
  L.SubMenuTextX2 = 22;
  L.SubMenuTextX3 = 26;
  L.SubMenuTextX1Seg = 31;
  L.SubMenuTextY = 9;
  L.SubMenuMSTextY = 11;
  L.SubMenuUnderMSTextY = 14;
  L.SubMenuTextSize = 0.72f;
  L.Sub2NetSearchX = 150.5f;
  L.Sub2NetRadioX = 155.25f;
  L.Sub2GameTitleX = 160.75f;
  L.Sub2PhotVideoX = 165.5f;
  L.Sub2RSSFeedsX = 171.25f;
  L.Sub2SettingOptX = 240.5f;
  L.Sub2SettingOptY = 98.25f;
  L.OptSize1 = 0.66f;
  L.OptSize2 = 0.58f;
  L.GameSpace = 28.5f;
  L.VideoSpace = 46.5f;
  L.MusicSpace = 44.25f;
  L.PhotoSpace = 24.75f;
  L.OptSpace = 22.5f;
  // Colours in steps of 1/64, so that every channel is exact.
  for (int i = 0; i < kColorTableEntries; ++i) {
    auto step = [](int k) { return static_cast<float>(k % 65) / 64.0f; };
    L.TextColor[i] = {step(5 * i + 3), step(11 * i + 17), step(7 * i + 40)};
    L.BGColor[i] = {step(3 * i + 9), step(13 * i + 1), step(9 * i + 25)};
  }
  return L;
}

}  // namespace

DemoContent DefaultDemoContent(int32_t version) {
  DemoContent c;
  c.version = version;  // an unknown version builds nothing
  const FirmwareProfile* profile = ProfileFor(version);
  if (profile == nullptr) return c;
  c.layout = DefaultLayout();
  // x 255 truncated: 255 127 63, 191 223 255, 127 255 159.
  c.batteryColor = {1.0f, 0.5f, 0.25f};
  c.clockColor = {0.75f, 0.875f, 1.0f};
  c.busyColor = {0.5f, 1.0f, 0.625f};
  c.categoryEntries = MenuEntries(version);
  c.categoryEntries.resize(static_cast<std::size_t>(profile->CategoryEntryCount));
  for (int i = 0; i < profile->ItemCount; ++i) c.items.push_back(MakeItem(i));
  c.categoryJapanese = {"設定",   "フォト", "ミュージック", "ビデオ",
                        "テレビ", "ゲーム", "ネットワーク", "PlayStation Network"};
  c.categoryEnglish = {"Settings", "Photo", "Music", "Video", "TV", "Game", "Network", "PlayStation Network"};
  return c;
}

}  // namespace qorvi::demo
