// SPDX-License-Identifier: GPL-3.0-or-later
// Windows bitmap files (BMP) as the preview loads them: a 14-byte file header, a
// 40-byte info header, for 8-bit pictures a palette of 4-byte colours (B G R A),
// then the pixel rows bottom row first. 32-bit rows are width x 4 bytes; 8-bit rows
// are padded to a multiple of 4 bytes.
#pragma once

#include <cstdint>
#include <span>

namespace qorvi {

inline constexpr uint32_t kBmpHeadersSize = 14 + 40;

// Bytes per row of a bitmap of `width` pixels at 32 or 8 bits per pixel.
constexpr uint64_t BmpRowBytes(uint32_t width, uint16_t bitsPerPixel) {
  return bitsPerPixel == 32 ? uint64_t{width} * 4 : (uint64_t{width} + 3) / 4 * 4;
}

// A bitmap file assembled in a caller's buffer. The constructor writes both
// headers; the caller then fills the palette entries and the rows.
class BmpBuilder {
 public:
  // `bitsPerPixel` is 32 (no palette) or 8 (1..256 palette colours). The builder
  // is not ok() when the sizes are invalid or the file would not fit `out`.
  BmpBuilder(std::span<uint8_t> out, uint32_t width, uint32_t height, uint16_t bitsPerPixel, uint32_t paletteColors);

  [[nodiscard]] bool ok() const { return !file_.empty(); }

  // Palette entry i from a colour already in file order (B G R A).
  void SetPaletteEntry(uint32_t i, std::span<const uint8_t, 4> bgra);
  // Row j of the file (j = 0 is the bottom row of the picture), its full padded width.
  std::span<uint8_t> Row(uint32_t j);
  // The whole file.
  std::span<const uint8_t> File() const { return file_; }

 private:
  std::span<uint8_t> file_;
  uint32_t height_ = 0;
  uint32_t palette_colors_ = 0;
  uint64_t row_bytes_ = 0;
  uint64_t pixel_offset_ = 0;
};

}  // namespace qorvi
