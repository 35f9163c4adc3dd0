// SPDX-License-Identifier: GPL-3.0-or-later
// How a double click in the category grid changes a byte of a menu entry.
#pragma once

#include <cstdint>
#include <string_view>

namespace qorvi::session {

// b0 + 1, and 8 becomes 0: the eight categories cycle; a byte that names no
// category counts on (9 becomes 10, 254 becomes 255) and 255 wraps to 0.
uint8_t NextCategory(uint8_t category);
// 7 -> 6 -> 2 -> 7; any other code becomes 7.
uint8_t NextShow(uint8_t show);
// 8 -> 240 -> 160 -> 64 -> 255 -> 8; any other code becomes 8.
uint8_t NextRegion(uint8_t region);

inline constexpr uint8_t kShowYes = 7;
inline constexpr uint8_t kShow2000 = 6;
inline constexpr uint8_t kShowLeftOut = 2;

// The texts of the category grid's columns, the same in both languages; the
// history names its steps with them too.
// "System" .. "PSNet" for 0..7; empty for any other byte.
std::string_view CategoryText(int category);
// "Yes" (7), "2000" (6), "No" for every other code.
std::string_view ShowText(uint8_t show);
// "JPN" (8), "US" (240), "EU" (160), "KOR" (64), "-" for every other code.
std::string_view RegionText(uint8_t region);
// The Advance window's lists: Media 1 "Flash", 2 "UMD", 3 "MS" (empty for any other
// number); the UMD flag 0 "Yes", 1 "No" (empty for any other).
inline constexpr std::string_view kMediaTexts[] = {"Flash", "UMD", "MS"};
inline constexpr std::string_view kUmdTexts[] = {"Yes", "No"};
std::string_view MediaText(uint32_t media);
std::string_view UmdText(uint8_t flag);

}  // namespace qorvi::session
