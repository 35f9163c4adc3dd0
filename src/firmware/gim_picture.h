// GIM pictures (the console's image format) to Windows bitmaps.
#pragma once

#include <cstdint>
#include <span>

namespace qorvi {

// Converts an inflated GIM picture into a complete BMP file (32-bit for 32-bit
// RGBA pictures, 8-bit with palette for indexed ones) built inside `work` (2 MiB
// are enough for any picture whose pixels fit in 1 MiB). Returns the file's bytes,
// a view into `work`, or an empty span when the picture fails a check (sizes or
// offsets outside the picture, a picture too large for `work`, a zero size).
std::span<const uint8_t> ConvertGim(std::span<const uint8_t> picture, std::span<uint8_t> work);

}  // namespace qorvi
