// How a double click in the category grid changes a byte of a menu entry.
#pragma once

#include <cstdint>

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

}  // namespace qorvi::session
