// SPDX-License-Identifier: GPL-3.0-or-later
// GIM pictures (the console's image format) to Windows bitmaps.
#pragma once

#include <cstdint>
#include <span>

namespace qorvi {

// Converts an inflated GIM picture into a complete BMP file (32-bit for 32-bit
// RGBA pictures, 8-bit with palette for indexed ones). The first half of `work`
// receives the file, the second half holds the picture's padded pixels while they
// are put in order, so 2 MiB are enough for any picture whose padded pixels and
// bitmap each fit in 1 MiB. Returns the file's bytes, a view into `work`, or an
// empty span when the picture fails a check (a zero size, a part outside the
// picture, a palette of no or more than 256 colours, indexed pixels of other than
// 4 or 8 bits, a picture too large for `work`).
std::span<const uint8_t> ConvertGim(std::span<const uint8_t> picture, std::span<uint8_t> work);

}  // namespace qorvi
