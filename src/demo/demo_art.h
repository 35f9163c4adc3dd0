// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures and the sound of the demo sets: simple shapes drawn with integer
// arithmetic only, so that every run gives the same bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "demo/gim_encoder.h"

namespace qorvi::demo {

// A category icon: a glyph per category (0 settings: a gear, 1 photo: a camera,
// 2 music: notes, 3 video: a film strip, 4 TV: a screen, 5 game: a pad,
// 6 network: a globe, 7 PSN: the four button symbols) in the category's colour.
// The background is black, transparent (alpha 0) unless `opaque`.
RgbaImage CategoryIconPicture(int category, int width, int height, bool opaque);

// An item icon: a shape (item % 6: disc, square, diamond, triangle, ring, cross) in
// a colour ((item / 6) % 7), with the item number in binary as white dots along
// the bottom edge. Three colours at most, so every GIM kind can hold it.
RgbaImage ItemIconPicture(int item, int width, int height, bool opaque);

// A picture that is wrong on purpose (a red X), for an image no load may pick.
RgbaImage DecoyPicture(int width, int height);

// A small picture for the other images of system_plugin_fg.rco.
RgbaImage SmallPicture(int k, int width, int height);

// The battery strip: 1 column x 4 rows of 44 x 16 cells (full, two bars, one bar, empty).
inline constexpr int kBatteryWidth = 44;
inline constexpr int kBatteryHeight = 64;
RgbaImage BatteryStrip();

// The busy animation: 2 columns x 30 rows of 25 x 25 cells; frame f (row * 2 +
// column) lights dot f % 8 of a ring of eight.
inline constexpr int kBusyWidth = 50;
inline constexpr int kBusyHeight = 750;
RgbaImage BusyStrip();

// A quarter second of a 441 Hz triangle tone, 22050 Hz, 16-bit mono PCM, as a
// RIFF/WAVE file.
std::vector<uint8_t> ToneWav();

}  // namespace qorvi::demo
