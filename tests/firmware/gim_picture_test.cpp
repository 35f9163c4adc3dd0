// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/gim_picture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "demo/gim_encoder.h"

namespace qorvi {
namespace {

using demo::EncodeGim;
using demo::GimKind;
using demo::IndexedImage;
using demo::Rgba;
using demo::RgbaImage;

constexpr std::size_t kWorkSize = 2 * 1024 * 1024;
constexpr GimKind kAllKinds[] = {GimKind::ImageFirst32,        GimKind::ImageFirst8,
                                 GimKind::PaletteFirst4Linear, GimKind::PaletteFirst4Swizzled,
                                 GimKind::PaletteFirst8Linear, GimKind::PaletteFirst8Swizzled};

std::vector<uint8_t> Convert(const std::vector<uint8_t>& picture, std::size_t work_size = kWorkSize) {
  std::vector<uint8_t> work(work_size, 0xCD);  // old bytes in the work space must not show
  std::span<const uint8_t> bmp = ConvertGim(picture, work);
  return {bmp.begin(), bmp.end()};
}

uint16_t U16(const std::vector<uint8_t>& v, std::size_t at) { return static_cast<uint16_t>(v[at] | v[at + 1] << 8); }
uint32_t U32(const std::vector<uint8_t>& v, std::size_t at) {
  return U16(v, at) | static_cast<uint32_t>(U16(v, at + 2)) << 16;
}
void Put16(std::vector<uint8_t>& v, std::size_t at, uint16_t x) {
  v[at] = static_cast<uint8_t>(x);
  v[at + 1] = static_cast<uint8_t>(x >> 8);
}

// Reads back a bitmap as this converter writes them: top row first, R G B A.
RgbaImage ReadBmp(const std::vector<uint8_t>& bmp) {
  RgbaImage img;
  img.width = static_cast<int>(U32(bmp, 18));
  img.height = static_cast<int>(U32(bmp, 22));
  int bpp = U16(bmp, 28);
  std::size_t row_bytes = bpp == 32 ? img.width * 4u : (img.width + 3u) / 4 * 4;
  img.pixels.resize(static_cast<std::size_t>(img.width) * img.height);
  for (int y = 0; y < img.height; ++y) {
    std::size_t row = U32(bmp, 10) + (img.height - 1 - y) * row_bytes;
    for (int x = 0; x < img.width; ++x) {
      std::size_t p = bpp == 32 ? row + 4 * x : 54 + 4 * bmp[row + x];
      img.at(x, y) = {bmp[p + 2], bmp[p + 1], bmp[p], bmp[p + 3]};
    }
  }
  return img;
}

// A picture of up to `colors` distinct, partly translucent colours.
RgbaImage Pattern(int width, int height, int colors) {
  RgbaImage img{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int c = (x * 3 + y * 5) % colors;
      img.pixels.push_back({static_cast<uint8_t>(c * 17), static_cast<uint8_t>(255 - c * 9),
                            static_cast<uint8_t>(c * 41), static_cast<uint8_t>(c % 2 ? 0x80 : 0xFF)});
    }
  }
  return img;
}

TEST(ConvertGim, SwizzledThirtyTwoBitPicture) {
  RgbaImage img{64, 64, std::vector<Rgba>(64 * 64)};
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) img.at(x, y) = {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7, 0xFF};
  std::vector<uint8_t> bmp = Convert(EncodeGim(img, GimKind::ImageFirst32));
  ASSERT_EQ(bmp.size(), 16438u);
  // File header, then info header, field by field.
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(U32(bmp, 2), 16438u);
  EXPECT_EQ(U32(bmp, 6), 0u);
  EXPECT_EQ(U32(bmp, 10), 54u);
  EXPECT_EQ(U32(bmp, 14), 40u);
  EXPECT_EQ(U32(bmp, 18), 64u);
  EXPECT_EQ(U32(bmp, 22), 64u);
  EXPECT_EQ(U16(bmp, 26), 1);
  EXPECT_EQ(U16(bmp, 28), 32);
  EXPECT_EQ(U32(bmp, 30), 0u);
  EXPECT_EQ(U32(bmp, 34), 16384u);
  EXPECT_EQ(U32(bmp, 38), 0u);
  EXPECT_EQ(U32(bmp, 42), 0u);
  EXPECT_EQ(U32(bmp, 46), 0u);
  EXPECT_EQ(U32(bmp, 50), 0u);
  // The first row in the file is the picture's bottom row, B G R A.
  for (int x = 0; x < 64; ++x) {
    EXPECT_EQ(bmp[54 + 4 * x], 7);
    EXPECT_EQ(bmp[54 + 4 * x + 1], 63);
    EXPECT_EQ(bmp[54 + 4 * x + 2], x);
    EXPECT_EQ(bmp[54 + 4 * x + 3], 0xFF);
  }
}

// Built by hand from the tile rule, not with the encoder: stream word k belongs to
// tile k / 32 (4 pixels x 8 rows of a row of two tiles), row (k % 32) / 4.
TEST(ConvertGim, UnswizzlesTilesAndDropsPadding) {
  for (int width : {8, 6}) {
    for (int height : {8, 5}) {
      std::vector<uint8_t> gim(0x80 + 32 * 8);
      Put16(gim, 0x30, 4);
      gim[0x44] = 3;
      Put16(gim, 0x48, static_cast<uint16_t>(width));
      Put16(gim, 0x4A, static_cast<uint16_t>(height));
      gim[0x4C] = 32;
      for (int k = 0; k < 64; ++k) {
        gim[0x80 + 4 * k] = static_cast<uint8_t>(k);
        gim[0x80 + 4 * k + 3] = 0xFF;
      }
      RgbaImage out = ReadBmp(Convert(gim));
      ASSERT_EQ(out.width, width);
      ASSERT_EQ(out.height, height);
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) EXPECT_EQ(out.at(x, y).r, (x / 4) * 32 + y * 4 + x % 4) << x << "," << y;
    }
  }
}

TEST(ConvertGim, EightBitImageFirstPicture) {
  IndexedImage img{30, 20, {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {9, 8, 7, 255}}, {}};
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) img.indices.push_back(static_cast<uint8_t>((x + y) % 4));
  std::vector<uint8_t> gim = EncodeGim(img, GimKind::ImageFirst8);
  // The palette block follows the W' x H' = 32 x 24 pixel bytes.
  ASSERT_EQ(U16(gim, 0x80 + 32 * 24 + 0x18), 4);

  std::vector<uint8_t> bmp = Convert(gim);
  ASSERT_EQ(bmp.size(), 54u + 16 + 32 * 20);
  EXPECT_EQ(U32(bmp, 2), bmp.size());
  EXPECT_EQ(U32(bmp, 10), 70u);
  EXPECT_EQ(U32(bmp, 18), 30u);
  EXPECT_EQ(U32(bmp, 22), 20u);
  EXPECT_EQ(U16(bmp, 28), 8);
  EXPECT_EQ(U32(bmp, 34), 640u);
  EXPECT_EQ(U32(bmp, 46), 4u);
  EXPECT_EQ(U32(bmp, 50), 0u);
  // Palette as B G R A.
  EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + 54, bmp.begin() + 70),
            (std::vector<uint8_t>{0, 0, 255, 255, 0, 255, 0, 255, 255, 0, 0, 255, 7, 8, 9, 255}));
  // The picture's top row is the last row of the file; rows are padded with zeros.
  std::size_t last = 70 + 19 * 32;
  for (int x = 0; x < 30; ++x) EXPECT_EQ(bmp[last + x], x % 4);
  EXPECT_EQ(bmp[last + 30], 0);
  EXPECT_EQ(bmp[last + 31], 0);
}

TEST(ConvertGim, TransparentColoursBecomeZero) {
  RgbaImage img{2, 1, {{10, 20, 30, 0}, {10, 20, 30, 1}}};
  std::vector<uint8_t> bmp = Convert(EncodeGim(img, GimKind::ImageFirst32));
  ASSERT_FALSE(bmp.empty());
  EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + 54, bmp.end()), (std::vector<uint8_t>{0, 0, 0, 0, 30, 20, 10, 1}));

  bmp = Convert(EncodeGim(img, GimKind::PaletteFirst8Linear));
  ASSERT_FALSE(bmp.empty());
  EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + 54, bmp.begin() + 62),
            (std::vector<uint8_t>{0, 0, 0, 0, 30, 20, 10, 1}));  // the palette
}

TEST(ConvertGim, FourBitPixelsLowNibbleFirst) {
  IndexedImage img{8, 2, {{0, 0, 0, 255}, {1, 1, 1, 255}, {2, 2, 2, 255}}, {}};
  for (int i = 0; i < 16; ++i) img.indices.push_back(i % 2 ? 2 : 1);
  std::vector<uint8_t> gim = EncodeGim(img, GimKind::PaletteFirst4Linear);
  ASSERT_EQ(gim[0xD0 + 4 * 3], 0x21);  // the stored byte the rule is about
  std::vector<uint8_t> bmp = Convert(gim);
  ASSERT_EQ(bmp.size(), 54u + 12 + 8 * 2);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(bmp[66 + x], x % 2 ? 2 : 1);
}

TEST(ConvertGim, LinearAndSwizzledGiveTheSameBitmap) {
  RgbaImage img = Pattern(45, 11, 16);
  EXPECT_EQ(Convert(EncodeGim(img, GimKind::PaletteFirst4Linear)),
            Convert(EncodeGim(img, GimKind::PaletteFirst4Swizzled)));
  EXPECT_EQ(Convert(EncodeGim(img, GimKind::PaletteFirst8Linear)),
            Convert(EncodeGim(img, GimKind::PaletteFirst8Swizzled)));
}

TEST(ConvertGim, EveryKindRoundTrips) {
  for (GimKind kind : kAllKinds) {
    for (auto [w, h] : {std::pair{1, 1}, {37, 13}, {32, 8}, {33, 9}, {3, 40}}) {
      RgbaImage img = Pattern(w, h, 16);
      std::vector<uint8_t> bmp = Convert(EncodeGim(img, kind));
      ASSERT_FALSE(bmp.empty()) << static_cast<int>(kind) << " " << w << "x" << h;
      EXPECT_EQ(U16(bmp, 28), kind == GimKind::ImageFirst32 ? 32 : 8);
      RgbaImage back = ReadBmp(bmp);
      EXPECT_EQ(back.width, w);
      EXPECT_EQ(back.height, h);
      EXPECT_TRUE(back.pixels == img.pixels) << static_cast<int>(kind) << " " << w << "x" << h;
    }
  }
}

// An independent decoder (Pillow, from the system's Python) must read each kind of
// bitmap the same way.
TEST(ConvertGim, BitmapsOpenInAnIndependentDecoder) {
  const char* python = "/usr/bin/python3";
  if (access(python, X_OK) != 0 || std::system("/usr/bin/python3 -c 'import PIL' 2>/dev/null") != 0) {
    GTEST_SKIP() << "no Python with Pillow at /usr/bin/python3";
  }
  RgbaImage img = Pattern(37, 13, 16);
  for (Rgba& p : img.pixels) p.a = 0xFF;  // the decoder drops alpha
  const std::vector<std::pair<int, int>> points{{0, 0}, {36, 0}, {0, 12}, {36, 12}, {17, 6}, {5, 9}};
  std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("qorvi_gim_" + std::to_string(getpid()) + ".bmp");
  for (GimKind kind : kAllKinds) {
    std::vector<uint8_t> bmp = Convert(EncodeGim(img, kind));
    ASSERT_FALSE(bmp.empty());
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), bmp.size());

    std::string cmd = std::string(python) +
                      " -c \"import sys; from PIL import Image; im = Image.open(sys.argv[1]).convert('RGB'); "
                      "print(*im.size); a = sys.argv[2:]; "
                      "[print(*im.getpixel((int(a[i]), int(a[i + 1])))) for i in range(0, len(a), 2)]\" " +
                      file.string();
    std::ostringstream expected;
    expected << "37 13\n";
    for (auto [x, y] : points) {
#if defined(__GNUC__) && !defined(__clang__)
// GCC 12 at -O3 takes the inlined copies of this concatenation for overlapping
// (-Wrestrict); they are separate strings, a known false positive of that compiler.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
      cmd += " " + std::to_string(x) + " " + std::to_string(y);
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
      expected << +img.at(x, y).r << " " << +img.at(x, y).g << " " << +img.at(x, y).b << "\n";
    }
    FILE* pipe = popen(cmd.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buf[256];
    while (std::fgets(buf, sizeof buf, pipe)) output += buf;
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(output, expected.str()) << "kind " << static_cast<int>(kind);
  }
  std::filesystem::remove(file);
}

// Broken pictures are refused, never read past.
TEST(ConvertGim, RefusesBrokenPictures) {
  std::vector<uint8_t> image_first8 = EncodeGim(Pattern(30, 20, 4), GimKind::ImageFirst8);
  std::vector<uint8_t> palette_first = EncodeGim(Pattern(30, 20, 4), GimKind::PaletteFirst8Swizzled);
  std::vector<uint8_t> rgba32 = EncodeGim(Pattern(30, 20, 4), GimKind::ImageFirst32);
  const std::size_t palette_block = 0x80 + 32 * 24;
  const std::size_t image_block = 0x80 + 4 * 4;  // palette-first, 4 colours

  struct Case {
    const char* what;
    std::vector<uint8_t> base;
    std::function<void(std::vector<uint8_t>&)> change;
  };
  const std::vector<Case> cases{
      {"empty", {}, [](auto&) {}},
      {"cut inside the header", rgba32, [](auto& g) { g.resize(0x4B); }},
      {"cut inside the pixels", rgba32, [](auto& g) { g.pop_back(); }},
      {"cut before the palette", image_first8, [&](auto& g) { g.resize(palette_block + 0x50 + 4 * 4 - 1); }},
      {"cut palette-first pixels", palette_first, [](auto& g) { g.pop_back(); }},
      {"zero width", rgba32, [](auto& g) { Put16(g, 0x48, 0); }},
      {"zero height", rgba32, [](auto& g) { Put16(g, 0x4A, 0); }},
      {"huge width", rgba32, [](auto& g) { Put16(g, 0x48, 0xFFFF); }},
      {"huge height", palette_first, [&](auto& g) { Put16(g, image_block + 0x1A, 0xFFFF); }},
      {"palette count 0", image_first8, [&](auto& g) { Put16(g, palette_block + 0x18, 0); }},
      {"palette count 1000", image_first8, [&](auto& g) { Put16(g, palette_block + 0x18, 1000); }},
      {"palette count 257", image_first8,
       [&](auto& g) {
         Put16(g, palette_block + 0x18, 257);
         g.resize(g.size() + 4 * 300);
       }},
      {"palette-first count 0", palette_first, [](auto& g) { Put16(g, 0x48, 0); }},
      {"palette-first count 1000", palette_first, [](auto& g) { Put16(g, 0x48, 1000); }},
      {"16 bits per pixel", palette_first, [&](auto& g) { Put16(g, image_block + 0x1C, 16); }},
      {"format 3 but 8-bit, half a tile wide", rgba32,
       [](auto& g) {
         Put16(g, 0x48, 8);
         g[0x4C] = 8;
       }},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> g = c.base;
    c.change(g);
    EXPECT_TRUE(Convert(g).empty()) << c.what;
  }
}

TEST(ConvertGim, RefusesPicturesTooLargeForTheWorkSpace) {
  // 1024 x 512 at 32 bits: 2 MiB of pixels, all present, more than the 1 MiB plane.
  std::vector<uint8_t> gim(0x80 + 1024 * 512 * 4);
  Put16(gim, 0x30, 4);
  gim[0x44] = 3;
  Put16(gim, 0x48, 1024);
  Put16(gim, 0x4A, 512);
  gim[0x4C] = 32;
  EXPECT_TRUE(Convert(gim).empty());
  // 512 x 511 fits: 1 MiB of padded pixels, a bitmap just under 1 MiB.
  Put16(gim, 0x48, 512);
  Put16(gim, 0x4A, 511);
  EXPECT_EQ(Convert(gim).size(), 54u + 512 * 511 * 4);
  // A small picture in a work space that is too small.
  EXPECT_TRUE(Convert(EncodeGim(Pattern(16, 16, 4), GimKind::ImageFirst32), 1024).empty());
}

}  // namespace
}  // namespace qorvi
