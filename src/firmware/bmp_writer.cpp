// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/bmp_writer.h"

#include <cstring>

#include "firmware/byte_reader.h"

namespace qorvi {

BmpBuilder::BmpBuilder(std::span<uint8_t> out, uint32_t width, uint32_t height, uint16_t bitsPerPixel,
                       uint32_t paletteColors) {
  bool valid_palette =
      bitsPerPixel == 32 ? paletteColors == 0 : bitsPerPixel == 8 && paletteColors >= 1 && paletteColors <= 256;
  // The info header holds width and height as signed 32-bit numbers.
  if (!valid_palette || width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return;
  uint64_t row_bytes = BmpRowBytes(width, bitsPerPixel);
  uint64_t palette_bytes = uint64_t{paletteColors} * 4;
  uint64_t pixel_bytes = row_bytes * height;  // at most 2^33 * 2^31: no overflow in 64 bits
  uint64_t file_size = kBmpHeadersSize + palette_bytes + pixel_bytes;
  if (file_size > out.size() || file_size > UINT32_MAX) return;

  file_ = out.first(file_size);
  // Zeroed whole, so that row padding and unset palette entries never carry old bytes.
  std::memset(file_.data(), 0, file_.size());
  height_ = height;
  palette_colors_ = paletteColors;
  row_bytes_ = row_bytes;
  pixel_offset_ = kBmpHeadersSize + palette_bytes;

  ByteWriter w(file_);
  // File header.
  w.u8(0, 'B');
  w.u8(1, 'M');
  w.u32(2, static_cast<uint32_t>(file_size));
  w.u32(10, static_cast<uint32_t>(pixel_offset_));
  // Info header: positive height, so the rows run bottom-up; no compression.
  w.u32(14, 40);
  w.u32(18, width);
  w.u32(22, height);
  w.u16(26, 1);
  w.u16(28, bitsPerPixel);
  w.u32(30, 0);
  w.u32(34, static_cast<uint32_t>(pixel_bytes));
  w.u32(46, paletteColors);
}

void BmpBuilder::SetPaletteEntry(uint32_t i, std::span<const uint8_t, 4> bgra) {
  if (i >= palette_colors_) return;
  ByteWriter(file_).bytes(kBmpHeadersSize + uint64_t{i} * 4, bgra);
}

std::span<uint8_t> BmpBuilder::Row(uint32_t j) {
  if (j >= height_) return {};
  return file_.subspan(pixel_offset_ + j * row_bytes_, row_bytes_);
}

}  // namespace qorvi
