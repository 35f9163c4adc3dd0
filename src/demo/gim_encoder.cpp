// SPDX-License-Identifier: GPL-3.0-or-later
#include "demo/gim_encoder.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace qorvi::demo {
namespace {

// GIM pixel formats and block ids as the console's tools write them.
constexpr uint16_t kFormatRgba8888 = 3;
constexpr uint16_t kFormatIndex4 = 4;
constexpr uint16_t kFormatIndex8 = 5;
constexpr uint16_t kBlockRoot = 2;
constexpr uint16_t kBlockPicture = 3;
constexpr uint16_t kBlockImage = 4;
constexpr uint16_t kBlockPalette = 5;
constexpr std::size_t kBlockHeader = 0x10;
constexpr std::size_t kImageHeader = 0x40;  // from the image header to the pixel data

struct KindInfo {
  bool paletteFirst;
  bool swizzled;
  int bitsPerPixel;
  uint16_t format;
  int widthAlign;  // pixels
};

KindInfo Info(GimKind kind) {
  switch (kind) {
    case GimKind::ImageFirst32: return {false, true, 32, kFormatRgba8888, 8};
    case GimKind::ImageFirst8: return {false, true, 8, kFormatIndex8, 16};
    case GimKind::PaletteFirst4Linear: return {true, false, 4, kFormatIndex4, 32};
    case GimKind::PaletteFirst4Swizzled: return {true, true, 4, kFormatIndex4, 32};
    case GimKind::PaletteFirst8Linear: return {true, false, 8, kFormatIndex8, 16};
    case GimKind::PaletteFirst8Swizzled: return {true, true, 8, kFormatIndex8, 16};
  }
  return {};
}

std::size_t AlignUp(std::size_t v, std::size_t a) { return (v + a - 1) / a * a; }

void Put16(std::vector<uint8_t>& v, std::size_t at, uint16_t x) {
  v[at] = static_cast<uint8_t>(x);
  v[at + 1] = static_cast<uint8_t>(x >> 8);
}

void Put32(std::vector<uint8_t>& v, std::size_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}

void PutBlockHeader(std::vector<uint8_t>& v, std::size_t at, uint16_t id, std::size_t size) {
  Put16(v, at, id);
  Put32(v, at + 4, static_cast<uint32_t>(size));
  Put32(v, at + 8, static_cast<uint32_t>(size));
  Put32(v, at + 12, kBlockHeader);
}

// The image header that follows a block header; pixel data starts kImageHeader after it.
void PutImageHeader(std::vector<uint8_t>& v, std::size_t at, uint16_t format, bool swizzled, int width, int height,
                    int bpp, std::size_t dataBytes) {
  Put16(v, at + 0x00, 0x30);
  Put16(v, at + 0x04, format);
  Put16(v, at + 0x06, swizzled ? 1 : 0);
  Put16(v, at + 0x08, static_cast<uint16_t>(width));
  Put16(v, at + 0x0A, static_cast<uint16_t>(height));
  Put16(v, at + 0x0C, static_cast<uint16_t>(bpp));
  Put16(v, at + 0x0E, 16);
  Put16(v, at + 0x10, 8);
  Put16(v, at + 0x12, 2);
  Put32(v, at + 0x18, 0x30);
  Put32(v, at + 0x1C, kImageHeader);
  Put32(v, at + 0x20, static_cast<uint32_t>(kImageHeader + dataBytes));
  Put16(v, at + 0x2A, 1);
  Put16(v, at + 0x2E, 1);
}

void PutColor(std::vector<uint8_t>& v, std::size_t at, const Rgba& c) {
  v[at] = c.r;
  v[at + 1] = c.g;
  v[at + 2] = c.b;
  v[at + 3] = c.a;
}

// Rearranges a row-major plane (rowBytes x rows) into tiles of 16 bytes x 8 rows,
// tiles stored row-major, the 8 rows of a tile one after the other.
std::vector<uint8_t> Swizzle(const std::vector<uint8_t>& plane, std::size_t rowBytes, std::size_t rows) {
  std::vector<uint8_t> out(plane.size());
  std::size_t tilesPerRow = rowBytes / 16;
  std::size_t t = 0;
  for (std::size_t ty = 0; ty < rows / 8; ++ty) {
    for (std::size_t tx = 0; tx < tilesPerRow; ++tx, ++t) {
      for (std::size_t r = 0; r < 8; ++r) {
        std::memcpy(&out[t * 128 + r * 16], &plane[(ty * 8 + r) * rowBytes + tx * 16], 16);
      }
    }
  }
  return out;
}

// Pixel bytes of the aligned picture (top row first, padding zero), swizzled if asked.
std::vector<uint8_t> PixelData(int width, int height, const KindInfo& info, const Rgba* rgba, const uint8_t* indices,
                               std::size_t& rowBytes, std::size_t& rows) {
  std::size_t alignedWidth = AlignUp(static_cast<std::size_t>(width), info.widthAlign);
  rows = info.swizzled ? AlignUp(static_cast<std::size_t>(height), 8) : static_cast<std::size_t>(height);
  rowBytes = alignedWidth * info.bitsPerPixel / 8;
  std::vector<uint8_t> plane(rowBytes * rows);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = &plane[static_cast<std::size_t>(y) * rowBytes];
    for (int x = 0; x < width; ++x) {
      std::size_t i = static_cast<std::size_t>(y) * width + x;
      if (info.bitsPerPixel == 32) {
        row[4 * x] = rgba[i].r;
        row[4 * x + 1] = rgba[i].g;
        row[4 * x + 2] = rgba[i].b;
        row[4 * x + 3] = rgba[i].a;
      } else if (info.bitsPerPixel == 8) {
        row[x] = indices[i];
      } else {
        // Two pixels a byte, the left one in the low nibble.
        row[x / 2] |= static_cast<uint8_t>((indices[i] & 0x0F) << (x % 2 == 0 ? 0 : 4));
      }
    }
  }
  return info.swizzled ? Swizzle(plane, rowBytes, rows) : plane;
}

std::vector<uint8_t> Assemble(int width, int height, GimKind kind, const Rgba* rgba, const IndexedImage* indexed) {
  KindInfo info = Info(kind);
  std::size_t rowBytes = 0;
  std::size_t rows = 0;
  std::vector<uint8_t> pixels =
      PixelData(width, height, info, rgba, indexed ? indexed->indices.data() : nullptr, rowBytes, rows);
  std::size_t colors = indexed ? indexed->palette.size() : 0;
  std::size_t paletteBlock = indexed ? kBlockHeader + kImageHeader + 4 * colors : 0;
  std::size_t imageBlock = kBlockHeader + kImageHeader + pixels.size();
  std::size_t total = 0x30 + paletteBlock + imageBlock;

  std::vector<uint8_t> gim(total);
  std::memcpy(gim.data(), "MIG.00.1PSP", 11);
  PutBlockHeader(gim, 0x10, kBlockRoot, total - 0x10);
  PutBlockHeader(gim, 0x20, kBlockPicture, total - 0x20);

  std::size_t imageAt = info.paletteFirst ? 0x30 + paletteBlock : 0x30;
  std::size_t paletteAt = info.paletteFirst ? 0x30 : 0x30 + imageBlock;
  PutBlockHeader(gim, imageAt, kBlockImage, imageBlock);
  PutImageHeader(gim, imageAt + kBlockHeader, info.format, info.swizzled, width, height, info.bitsPerPixel,
                 pixels.size());
  std::copy(pixels.begin(), pixels.end(), gim.begin() + static_cast<std::ptrdiff_t>(imageAt + 0x50));
  if (indexed) {
    // The palette is itself a linear 32-bit image, `colors` pixels wide and one high.
    PutBlockHeader(gim, paletteAt, kBlockPalette, paletteBlock);
    PutImageHeader(gim, paletteAt + kBlockHeader, kFormatRgba8888, false, static_cast<int>(colors), 1, 32, 4 * colors);
    for (std::size_t c = 0; c < colors; ++c) PutColor(gim, paletteAt + 0x50 + 4 * c, indexed->palette[c]);
  }
  return gim;
}

}  // namespace

std::vector<uint8_t> EncodeGim(const IndexedImage& image, GimKind kind) {
  KindInfo info = Info(kind);
  if (kind == GimKind::ImageFirst32 || image.width <= 0 || image.height <= 0 || image.width > 0xFFFF ||
      image.height > 0xFFFF || image.palette.empty() || image.palette.size() > 256 ||
      image.indices.size() != static_cast<std::size_t>(image.width) * image.height) {
    return {};
  }
  std::size_t limit = info.bitsPerPixel == 4 ? 16 : 256;
  for (uint8_t i : image.indices) {
    if (i >= limit) return {};
  }
  return Assemble(image.width, image.height, kind, nullptr, &image);
}

std::vector<uint8_t> EncodeGim(const RgbaImage& image, GimKind kind) {
  if (image.width <= 0 || image.height <= 0 || image.width > 0xFFFF || image.height > 0xFFFF ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
    return {};
  }
  if (kind == GimKind::ImageFirst32) return Assemble(image.width, image.height, kind, image.pixels.data(), nullptr);

  IndexedImage indexed{image.width, image.height, {}, {}};
  indexed.indices.reserve(image.pixels.size());
  std::size_t limit = Info(kind).bitsPerPixel == 4 ? 16 : 256;
  for (const Rgba& p : image.pixels) {
    auto found = std::find(indexed.palette.begin(), indexed.palette.end(), p);
    if (found == indexed.palette.end()) {
      if (indexed.palette.size() == limit) return {};
      indexed.palette.push_back(p);
      found = indexed.palette.end() - 1;
    }
    indexed.indices.push_back(static_cast<uint8_t>(found - indexed.palette.begin()));
  }
  return EncodeGim(indexed, kind);
}

std::vector<uint8_t> ZlibWrap(const std::vector<uint8_t>& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<uint8_t> out(size);
  if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), Z_BEST_COMPRESSION) != Z_OK) return {};
  out.resize(size);
  return out;
}

}  // namespace qorvi::demo
