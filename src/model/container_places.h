// SPDX-License-Identifier: GPL-3.0-or-later
// The places of the unpacked resource containers (.rco) that this program reads
// and writes, written down once for the readers, the apply step of Save and the
// synthetic sets. All values are 32-bit little-endian unless said otherwise; the
// places are the same for every firmware version.
#pragma once

#include <array>
#include <cstdint>

namespace qorvi::rco {

// Header: signature 00 'P' 'R' 'F', then a version whose low byte is 0x71.
inline constexpr std::array<uint8_t, 5> kSignature{0x00, 'P', 'R', 'F', 0x71};
inline constexpr uint32_t kTextTableField = 0x18;    // offset of the text table
inline constexpr uint32_t kObjectTableField = 0x30;  // offset of the object table
inline constexpr uint32_t kTextDataField = 0x38;     // offset of the text data area
inline constexpr uint32_t kLabelDataField = 0x40;    // offset of the label data area
inline constexpr uint32_t kImageDataField = 0x80;    // offset of the image data area

// Every table entry starts with a 40-byte header; a table's first child follows
// the table's own header.
inline constexpr uint32_t kEntryHeaderSize = 40;
inline constexpr uint32_t kNextSiblingField = 0x14;  // offset from the entry to its next sibling
inline constexpr uint32_t kFirstChildField = 0x18;   // offset from the entry to its first child

// The image table as the containers lay it out: its entry at 0xCC, its 56-byte
// picture entries from 0xF4 on. Picture entry k holds the packed size at +0x2C,
// the offset of its data within the image data area at +0x30 and the byte count
// handed to inflate (the picture's unpacked size) at +0x34.
inline constexpr uint32_t kImageTable = 0xCC;
inline constexpr uint32_t kImageEntries = kImageTable + kEntryHeaderSize;
inline constexpr uint32_t kImageEntrySize = 56;
inline constexpr uint32_t kImagePackedSize = 0x2C;
inline constexpr uint32_t kImageDataOffset = 0x30;
inline constexpr uint32_t kImageCount = 0x34;
// topmenu_icon.rco keeps its number of pictures in a signed byte: the low byte of
// the image table's child count.
inline constexpr uint32_t kImageCountByte = kImageTable + 0x10;  // 0xDC

// system_plugin_fg.rco: the battery picture starts the image data area, with the
// byte count of the first entry's packed-size field; the busy picture is entry 7.
inline constexpr uint32_t kBatteryPictureCount = kImageEntries + kImagePackedSize;  // 0x120
inline constexpr uint32_t kBusyPictureEntry = 7;
inline constexpr uint32_t kBusyPictureOffset = kImageEntries + kImageEntrySize * kBusyPictureEntry + kImageDataOffset;
inline constexpr uint32_t kBusyPictureCount = kImageEntries + kImageEntrySize * kBusyPictureEntry + kImageCount;

// system_plugin_fg.rco: the second and third objects of the object table hold the
// battery and the busy icon. Within each (IEEE singles):
inline constexpr uint32_t kObjectShadowX = 0x74;  // written only: the position + 2
inline constexpr uint32_t kObjectShadowY = 0x78;  // written only: the position - 2
inline constexpr uint32_t kObjectX = 0xE8;
inline constexpr uint32_t kObjectY = 0xEC;
inline constexpr uint32_t kObjectColor = 0xF4;    // red, green, blue
inline constexpr uint32_t kClockColor = 0x168;    // battery object only
inline constexpr uint32_t kObjectExtent = 0x174;  // one past the last byte read or written

// topmenu_plugin.rco: the object after the first has one child whose first value
// (behind the child's header) is the x of the focused category icon.

// The text table of topmenu_plugin.rco: the first language's entry holds the
// number of strings at +0x54 and its index from +0x58; the second language's
// index starts 72 bytes behind the end of the first. Index entries: label offset
// (into the label data area), length, text offset (into the text data area).
inline constexpr uint32_t kTextCount = 0x54;
inline constexpr uint32_t kTextIndex = 0x58;
inline constexpr uint32_t kSecondIndexGap = 72;
inline constexpr uint32_t kTextIndexEntrySize = 12;

}  // namespace qorvi::rco
