// SPDX-License-Identifier: GPL-3.0-or-later
// What the preview shows besides the layout values: the focused category and
// item, the name language, the preview-only offsets. Plain data: the desktop
// program keeps one, the placement formulas read it.
#pragma once

#include <array>
#include <cstdint>

namespace qorvi {

// The 19 preview-only offsets, by index (the Positioning window's items).
enum RepositionItem : int {
  kMainIconX = 0,
  kMainIconY = 1,
  kUpperSubIconY = 2,
  kLowerSubIconY = 3,
  kUnfocusedIconY = 4,
  kFocusedToUnfocusedSpace = 5,
  kUnfocusedToUnfocusedSpace = 6,
  kClockX = 7,
  kClockY = 8,
  kBatteryX = 9,
  kBatteryY = 10,
  kBusyX = 11,
  kBusyY = 12,
  kMainTextX = 13,
  kMainTextY = 14,
  kMainTextSize = 15,
  kSubTextX = 16,
  kSubTextY = 17,
  kSubTextSize = 18,
};
inline constexpr int kRepositionItems = 19;

struct PreviewState {
  int32_t CurrentCategory = 0;  // position of XMB_HScroll
  int32_t CurrentItem = 0;      // position of XMB_VScroll
  uint8_t PreviewReady = 0;     // 1 from the first refresh after a load on
  int32_t Language = 0;         // 0 Japanese, 1 English
  int32_t MainColumnX = 0;      // centre x of the focused main icon, kept by PlaceMainIcons
  std::array<int8_t, kRepositionItems> RepositionOffset{};
  // Centre of the 480 x 272 screen area in Panel1 coordinates (the wallpaper stands
  // at 16, 16).
  int32_t PreviewCenterX = 256;
  int32_t PreviewCenterY = 152;
};

}  // namespace qorvi
