// SPDX-License-Identifier: GPL-3.0-or-later
// Label names of the icon images (topmenu_icon.rco) and the display names of
// categories and items in Japanese and English (topmenu_plugin.rco).
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/model.h"
#include "model/result.h"

namespace qorvi {

// Fills ImageLabelCount, ImageLabels and SubIconImageIndex (a slot without a
// matching label keeps its value). Refused, changing nothing, when the label area
// or the count cannot be read from the image.
Status ReadImageLabels(std::span<const uint8_t> image, FirmwareState& state);

// Fills LabelTextsJapanese and LabelTextsEnglish. Needs ItemTable, ItemCount,
// ImageLabelCount and Profile of `state`. Refused, changing nothing, when the text
// table cannot be read from the image.
Status ReadLabelTexts(std::span<const uint8_t> image, FirmwareState& state);

// Converts at most 128 UTF-16LE units (stopping at a zero unit) into UTF-8 in a
// zero-filled slot, cut at a character boundary so that it fits 47 bytes plus the
// terminating zero. Unpaired surrogates become U+FFFD.
void ConvertName(std::span<const uint8_t> utf16le, std::array<char, kLabelTextBytes>& slot);

}  // namespace qorvi
