// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/exec_functions.h"

namespace qorvi {
namespace {

// The texts are the firmware menu's own, spelling included.
constexpr std::array<ExecFunction, kExecFunctionCount> kTable{{
    {"Network Update", "ネットワークアップデート", 4, 0},
    {"USB Connection", "USB接続", 2, 5},
    {"Video Setings", "ビデオ設定", 2, 0},
    {"Photo Settings", "フォト設定", 2, 1},
    {"System Settings", "本体設定", 2, 2},
    {"Theme Settings", "テーマ設定", 2, 3},
    {"Date & Time Settings", "日付と時刻設定", 2, 4},
    {"Power Save Settings", "省電力設定", 2, 8},
    {"Connected Display Settings", "外部ディスプレイ設定", 2, 10},
    {"Sound Settings", "サウンド設定", 2, 6},
    {"Security Settings", "セキュリティ設定", 2, 7},
    {"RSS Channel Settings", "RSSチャンネル設定", 2, 9},
    {"Network Settings", "ネットワーク設定", 3, 3},
    {"Memory Stick/PHOTO", "メモリースティック / PHOTO", 5, 9},
    {"UMD / PHOTO?", "UMD / PHOTO?", 6, 0},
    {"Memory Stick/MUSIC", "メモリースティック / MUSIC", 6, 2},
    {"UMD / MUSIC?", "UMD / MUSIC?", 7, 3},
    {"UMD / VIDEO?", "UMD / VIDEO?", 9, 0},
    {"Memory Stick/VIDEO", "メモリースティック / VIDEO", 10, 0},
    {"Game Sharing", "ゲームシェアリング", 12, 0},
    {"Savedata Utility", "セーブデータ管理", 11, 0},
    {"UMD / GAME?", "UMD / GAME?", 1, 9},
    {"Memory Stick/GAME", "メモリースティック / GAME", 15, 2},
    {"Update", "アップデート", 15, 1},
    {"Internet Browser", "インターネットブラウザ", 16, 0},
    {"LocationFreePlayer", "ロケーションフリープレイヤー", 18, 0},
    {"RSS Channel", "RSSチャンネル", 8, 5},
    {"Camera", "カメラ", 19, 0},
    {"Remote Play", "リモートプレイ", 21, 0},
    {"Online Instruction Manuals", "オンラインマニュアル", 22, 2},
    {"Skype", "Skype", 24, 0},
    {"1Seg", "ワンセグ", 25, 0},
    {"PlayStation Spot", "PS Spot", 26, 3},
    {"Internet Radio", "インターネットラジオ", 27, 0},
    {"GO Messenger", "GO Messenger", 28, 6},
    {"Internet Search", "インターネット検索", 29, 6},
    {"SignUp for PSN", "PSNにサインアップ", 30, 0},
    {"Account Management", "アカウント管理", 30, 1},
    {"PlayStation Store", "PlayStation Store", 30, 2},
    {"T-DMB", "T-DMB", 31, 6},
}};

}  // namespace

const std::array<ExecFunction, kExecFunctionCount>& ExecFunctionTable() { return kTable; }

std::string_view ExecFunctionName(int index, int language) {
  if (index < 0 || index >= kExecFunctionCount) return {};
  return language == 0 ? kTable[index].Japanese : kTable[index].English;
}

std::optional<int> FindExecIndex(uint32_t group, uint32_t function, int itemCount) {
  int limit = itemCount < kExecFunctionCount ? itemCount : kExecFunctionCount;
  for (int k = 0; k < limit; ++k) {
    if (kTable[k].Group == group && kTable[k].Function == function) return k;
  }
  return std::nullopt;
}

}  // namespace qorvi
