// SPDX-License-Identifier: GPL-3.0-or-later
// GIM layouts this converter reads (offsets from the start of the picture; the
// file header and the root and picture block headers, 0x00..0x2F, are skipped):
//
// Image block first (block id 4 at 0x30). Image header at 0x40: pixel format byte
// at 0x44 (3 = 32-bit RGBA), width u16 at 0x48, height u16 at 0x4A, bits per pixel
// byte at 0x4C; pixels at 0x80, always swizzled. A picture that is not 32-bit is
// 8-bit indexed, and its palette block follows the pixels at 0x80 + W' x H': colour
// count u16 at +0x18, colours (R G B A) at +0x50.
//
// Palette block first (any other id at 0x30). Colour count n u16 at 0x48, colours at
// 0x80; the image block follows at B = 0x80 + 4n: pixel order u16 at B + 0x16 (0
// linear, else swizzled), width at B + 0x18, height at B + 0x1A, bits per pixel u16
// (4 or 8) at B + 0x1C, pixels at B + 0x50.
//
// The stored picture is padded to W' x H' pixels: W' is the width rounded up to 16
// pixels (8 for a 32-bit image-first picture, 32 for a 4-bit one), H' the height
// rounded up to 8 (a linear picture is not padded in height). Swizzled pixels are
// stored as tiles of 16 bytes x 8 rows, row-major across the padded picture.
#include "firmware/gim_picture.h"

#include <array>
#include <cstring>

#include "firmware/bmp_writer.h"
#include "firmware/byte_reader.h"

namespace qorvi {
namespace {

constexpr uint16_t kImageBlockId = 4;
constexpr uint8_t kFormatRgba8888 = 3;
constexpr uint64_t kImageFirstPixels = 0x80;
constexpr uint64_t kPaletteFirstColors = 0x80;
constexpr uint32_t kMaxPaletteColors = 256;
constexpr uint64_t kTileBytes = 16;
constexpr uint64_t kTileRows = 8;

constexpr uint64_t AlignUp(uint64_t v, uint64_t a) { return (v + a - 1) / a * a; }

// Where the parts of a picture are and how its pixels are stored.
struct GimLayout {
  uint32_t width = 0;
  uint32_t height = 0;
  uint64_t aligned_width = 0;   // W', pixels
  uint64_t aligned_height = 0;  // H', rows
  int bits_per_pixel = 0;       // 32, 8 or 4, as stored
  bool swizzled = false;
  uint64_t pixel_offset = 0;
  uint64_t palette_offset = 0;
  uint32_t palette_colors = 0;  // 0 for 32-bit pictures

  uint64_t RowBytes() const { return aligned_width * bits_per_pixel / 8; }
  uint64_t PixelBytes() const { return RowBytes() * aligned_height; }
};

GimLayout ReadImageFirst(ByteReader& r) {
  GimLayout g;
  uint8_t format = r.u8(0x44);
  g.width = r.u16(0x48);
  g.height = r.u16(0x4A);
  g.bits_per_pixel = r.u8(0x4C) == 32 ? 32 : 8;  // anything else is read as 8-bit indexed
  g.aligned_width = AlignUp(g.width, format == kFormatRgba8888 ? 8 : 16);
  g.aligned_height = AlignUp(g.height, kTileRows);
  g.swizzled = true;
  g.pixel_offset = kImageFirstPixels;
  if (g.bits_per_pixel == 8) {
    uint64_t palette_block = g.pixel_offset + g.aligned_width * g.aligned_height;
    g.palette_colors = r.u16(palette_block + 0x18);
    g.palette_offset = palette_block + 0x50;
  }
  return g;
}

GimLayout ReadPaletteFirst(ByteReader& r) {
  GimLayout g;
  g.palette_colors = r.u16(0x48);
  g.palette_offset = kPaletteFirstColors;
  uint64_t image_block = kPaletteFirstColors + uint64_t{g.palette_colors} * 4;
  g.swizzled = r.u16(image_block + 0x16) != 0;
  g.width = r.u16(image_block + 0x18);
  g.height = r.u16(image_block + 0x1A);
  uint16_t bpp = r.u16(image_block + 0x1C);
  if (bpp != 4 && bpp != 8) r.fail("indexed pixels of " + std::to_string(bpp) + " bits at " + Hex(image_block + 0x1C));
  g.bits_per_pixel = bpp;
  g.aligned_width = AlignUp(g.width, bpp == 4 ? 32 : 16);
  g.aligned_height = g.swizzled ? AlignUp(g.height, kTileRows) : g.height;
  g.pixel_offset = image_block + 0x50;
  return g;
}

// Every part inside the picture, sizes sensible, the padded pixels within `plane_limit`.
bool Acceptable(const GimLayout& g, const ByteReader& r, uint64_t plane_limit) {
  if (g.width == 0 || g.height == 0) return false;
  if (g.bits_per_pixel != 32 && (g.palette_colors == 0 || g.palette_colors > kMaxPaletteColors)) return false;
  // A swizzled row must be whole tiles (not so for an 8-bit picture marked as format 3).
  if (g.swizzled && (g.RowBytes() % kTileBytes != 0 || g.aligned_height % kTileRows != 0)) return false;
  if (!r.has(g.pixel_offset, g.PixelBytes())) return false;
  if (!r.has(g.palette_offset, uint64_t{g.palette_colors} * 4)) return false;
  return g.PixelBytes() <= plane_limit;
}

// R G B A to the bitmap's B G R A; a fully transparent colour becomes all zero.
std::array<uint8_t, 4> BitmapColor(std::span<const uint8_t> rgba) {
  if (rgba.size() < 4 || rgba[3] == 0) return {0, 0, 0, 0};
  return {rgba[2], rgba[1], rgba[0], rgba[3]};
}

// Copies the stored pixels into `plane` (RowBytes x H', row-major) turned upside
// down: picture row y lands in plane row H' - 1 - y, as the bitmap runs bottom-up.
void PlacePixels(const GimLayout& g, std::span<const uint8_t> pixels, std::span<uint8_t> plane) {
  ByteReader in(pixels);
  ByteWriter out(plane);
  uint64_t row_bytes = g.RowBytes();
  if (!g.swizzled) {
    for (uint64_t y = 0; y < g.aligned_height; ++y) {
      out.bytes((g.aligned_height - 1 - y) * row_bytes, in.bytes(y * row_bytes, row_bytes));
    }
    return;
  }
  uint64_t tiles_per_row = row_bytes / kTileBytes;
  uint64_t tiles = tiles_per_row * (g.aligned_height / kTileRows);
  for (uint64_t t = 0; t < tiles; ++t) {
    uint64_t column = (t % tiles_per_row) * kTileBytes;
    uint64_t first_row = (t / tiles_per_row) * kTileRows;
    for (uint64_t r = 0; r < kTileRows; ++r) {
      uint64_t y = first_row + r;
      out.bytes((g.aligned_height - 1 - y) * row_bytes + column,
                in.bytes((t * kTileRows + r) * kTileBytes, kTileBytes));
    }
  }
}

// Fills the bitmap's rows from the upside-down plane, leaving out the H' - height
// padding rows that come first in it.
void PackRows(const GimLayout& g, std::span<const uint8_t> plane, BmpBuilder& bmp) {
  ByteReader in(plane);
  uint64_t row_bytes = g.RowBytes();
  uint64_t skipped = g.aligned_height - g.height;
  for (uint32_t j = 0; j < g.height; ++j) {
    std::span<const uint8_t> src = in.bytes((skipped + j) * row_bytes, row_bytes);
    std::span<uint8_t> dst = bmp.Row(j);
    if (src.empty() || dst.empty()) return;
    for (uint32_t x = 0; x < g.width; ++x) {
      switch (g.bits_per_pixel) {
        case 32: {
          std::array<uint8_t, 4> c = BitmapColor(src.subspan(uint64_t{x} * 4, 4));
          std::memcpy(dst.data() + uint64_t{x} * 4, c.data(), 4);
          break;
        }
        case 8: dst[x] = src[x]; break;
        default:  // 4-bit: two pixels a byte, the left one in the low nibble
          dst[x] = static_cast<uint8_t>((src[x / 2] >> (x % 2 == 0 ? 0 : 4)) & 0x0F);
          break;
      }
    }
  }
}

}  // namespace

std::span<const uint8_t> ConvertGim(std::span<const uint8_t> picture, std::span<uint8_t> work) {
  // The first half of `work` receives the bitmap file, the second the placed pixels.
  std::size_t half = work.size() / 2;
  std::span<uint8_t> out = work.first(half);
  std::span<uint8_t> plane_space = work.subspan(half, half);

  ByteReader r(picture);
  GimLayout g = r.u16(0x30) == kImageBlockId ? ReadImageFirst(r) : ReadPaletteFirst(r);
  if (!r.ok() || !Acceptable(g, r, plane_space.size())) return {};

  uint16_t out_bpp = g.bits_per_pixel == 32 ? 32 : 8;
  BmpBuilder bmp(out, g.width, g.height, out_bpp, g.palette_colors);
  if (!bmp.ok()) return {};
  for (uint32_t c = 0; c < g.palette_colors; ++c) {
    std::array<uint8_t, 4> color = BitmapColor(r.bytes(g.palette_offset + uint64_t{c} * 4, 4));
    bmp.SetPaletteEntry(c, color);
  }
  std::span<uint8_t> plane = plane_space.first(g.PixelBytes());
  PlacePixels(g, r.bytes(g.pixel_offset, g.PixelBytes()), plane);
  PackRows(g, plane, bmp);
  if (!r.ok()) return {};
  return bmp.File();
}

}  // namespace qorvi
