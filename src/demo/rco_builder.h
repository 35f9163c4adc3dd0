// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the three resource containers of a demo set, unpacked (no compressed
// tables), as an outside tool leaves them:
//
//   0x00  header (0xA4 bytes): signature 00 'P' 'R' 'F', version 0x71, the
//         offsets of the tables and data areas (absent ones 0xFFFFFFFF)
//   0xA4  the main table, whose children are the container's tables
//   ...   tables of 40-byte-headed entries, the label data area, the text data
//         area (topmenu_plugin.rco) and the image data area
//
// Entry header (40 bytes): +0x00 type, +0x01 subtype, +0x04 label offset,
// +0x0C entry size, +0x10 number of children, +0x14 offset to the next sibling
// (0 for the last), +0x18 offset to the first child (0 without children).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demo/demo_set.h"
#include "demo/gim_encoder.h"

namespace qorvi::demo {

// A picture of a container, with the label it is known by.
struct DemoImage {
  std::string label;
  GimKind kind;
  RgbaImage picture;
};

// Bits per pixel of the bitmap a picture of that kind converts to.
constexpr int BitmapBits(GimKind kind) { return kind == GimKind::ImageFirst32 ? 32 : 8; }

// topmenu_icon.rco in image order: the category icons (7, or 8 for 5.00), then one
// icon per item that has one (labelled with its MainImageTag), then a decoy that
// repeats the label of item 5's icon (the first image of a label is the one used).
std::vector<DemoImage> TopmenuIconImages(const DemoContent& content);

// system_plugin_fg.rco in image order: the battery strip first, the busy strip
// last (image 7), small pictures between.
inline constexpr int kSystemPluginImages = 8;
std::vector<DemoImage> SystemPluginImages();

// The strings of topmenu_plugin.rco in table order: a general one first (its text
// is what a slot without a label shows), the eight category names, an outdated
// name of item 27 (a later string of the same label wins), then the item names.
struct DemoText {
  std::string label;
  std::string japanese;  // UTF-8
  std::string english;
};
std::vector<DemoText> TopmenuPluginTexts(const DemoContent& content);

// Label of the category name string of a slot (0 settings .. 7 PSN) for a version.
std::string CategoryTextLabel(int32_t version, int slot);

std::vector<uint8_t> BuildTopmenuPlugin(const DemoContent& content);
std::vector<uint8_t> BuildSystemPluginFg(const DemoContent& content);
std::vector<uint8_t> BuildTopmenuIcon(const DemoContent& content);

// Places in the built containers, for tests.
inline constexpr uint32_t kSystemPluginObjectTable = 0x2C0;
inline constexpr uint32_t kSystemPluginObjectSize = 0x1A0;

}  // namespace qorvi::demo
