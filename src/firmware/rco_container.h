// The unpacked resource containers (.rco). The program reads fixed places of
// them, the same for every firmware version:
//
//   0x00  signature 00 'P' 'R' 'F'      0x30  offset of the object table
//   0x04  version, low byte 0x71        0x38  offset of the text data area
//   0x18  offset of the text table      0x40  offset of the label data area
//                                       0x80  offset of the image data area
//
// Every table entry starts with a 40-byte header whose word at +0x14 is the offset
// from the entry to its next sibling; a table's first child follows the table's
// own 40-byte header.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "model/model.h"

namespace qorvi {

inline constexpr uint32_t kRcoTextTable = 0x18;
inline constexpr uint32_t kRcoObjectTable = 0x30;
inline constexpr uint32_t kRcoTextData = 0x38;
inline constexpr uint32_t kRcoLabelData = 0x40;
inline constexpr uint32_t kRcoImageData = 0x80;
inline constexpr uint32_t kRcoEntryHeaderSize = 40;

// 00 'P' 'R' 'F' and a version whose low byte is 0x71.
bool HasRcoSignature(std::span<const uint8_t> image);

// system_plugin_fg.rco: the second and third object of the object table hold the
// battery and busy icon values. Nothing when either object (up to the last value
// read or written, +0x174) lies outside the image.
struct SystemPluginObjects {
  uint32_t battery;
  uint32_t busy;
};
std::optional<SystemPluginObjects> LocateSystemPluginObjects(std::span<const uint8_t> image);

// Sets BatteryObject, BusyObject, BatteryX/Y, BusyX/Y and the battery, clock and
// busy colours. False when the objects cannot be located.
bool ExtractSystemPluginFg(std::span<const uint8_t> image, FirmwareState& state);

// topmenu_plugin.rco: the place of the float Save sets to MainIconX (the first
// object's sibling's ... see ApplyTopmenuPluginValues). Nothing when it lies
// outside the image.
std::optional<uint32_t> LocateTopmenuPluginValue(std::span<const uint8_t> image);

// Inflates one zlib-wrapped GIM picture through `scratch` (8 MiB: the picture
// inflates into its first 2 MiB, the conversion works in the next 2 MiB) and
// writes it as a BMP file. False, writing nothing, when the stream or the picture
// fails a check or the file cannot be written.
bool ExtractImage(const std::string& bmpPath, std::span<const uint8_t> data, std::span<uint8_t> scratch);

// Writes BatteryIconPath and BusyIconPath from system_plugin_fg.rco. A picture that
// fails a check is skipped.
void ExtractSystemPluginIcons(std::span<const uint8_t> image, const Paths& paths, std::span<uint8_t> scratch);

// Writes the category icons (0..6, and 7 for 5.00) and the item icons of the
// item slots that have one, from topmenu_icon.rco. Pictures that fail a check are
// skipped.
void ExtractIcons(std::span<const uint8_t> image, const FirmwareState& state, const Paths& paths,
                  std::span<uint8_t> scratch);

}  // namespace qorvi
