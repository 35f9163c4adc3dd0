// SPDX-License-Identifier: GPL-3.0-or-later
// Writes GIM pictures (the inverse of the converter in src/firmware/gim_picture),
// in every layout the converter reads, and wraps them as the containers hold them.
#pragma once

#include <cstdint>
#include <vector>

namespace qorvi::demo {

struct Rgba {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  uint8_t a = 0;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

// Pixels row-major, top row first.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<Rgba> pixels;
  Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// An indexed picture with a palette of the caller's choice: indices row-major, top
// row first.
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<Rgba> palette;  // 1..256 colours
  std::vector<uint8_t> indices;
};

enum class GimKind {
  ImageFirst32,         // image block first, 32-bit RGBA, swizzled
  ImageFirst8,          // image block first, 8-bit indexed (swizzled), palette after the pixels
  PaletteFirst4Linear,  // palette block first, 4-bit indexed
  PaletteFirst4Swizzled,
  PaletteFirst8Linear,  // palette block first, 8-bit indexed
  PaletteFirst8Swizzled,
};

// The indexed kinds need an image of at most 16 (4-bit) or 256 (8-bit) distinct
// colours; their palette lists the colours in order of first appearance. Returns
// an empty vector for an image it cannot encode (too many colours, zero or
// mismatched sizes).
std::vector<uint8_t> EncodeGim(const RgbaImage& image, GimKind kind);

// The same for an indexed picture; `kind` must be one of the indexed kinds.
std::vector<uint8_t> EncodeGim(const IndexedImage& image, GimKind kind);

// A zlib stream (2-byte header, deflate data, Adler-32) of `data`, as image
// entries of a container hold their pictures.
std::vector<uint8_t> ZlibWrap(const std::vector<uint8_t>& data);

}  // namespace qorvi::demo
