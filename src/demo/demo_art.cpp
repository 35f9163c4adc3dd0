// SPDX-License-Identifier: GPL-3.0-or-later
#include "demo/demo_art.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace qorvi::demo {
namespace {

constexpr Rgba kWhite{255, 255, 255, 255};

// Shapes are described in half-pixel units around the picture's centre, so that
// they come out symmetric for even and odd sizes alike: pixel (x, y) is the point
// (2x + 1 - W, 2y + 1 - H), W and H the width and height. `p` scales per mille of
// the shorter side (in the same units).
class Canvas {
 public:
  Canvas(int width, int height, Rgba background)
      : image_{width, height, std::vector<Rgba>(static_cast<std::size_t>(width) * height, background)},
        size_(2 * std::min(width, height)) {}

  int p(int perMille) const { return size_ * perMille / 1000; }

  // Paints every pixel whose point satisfies `inside(dx, dy)`.
  template <typename Inside>
  void Fill(Rgba color, Inside inside) {
    for (int y = 0; y < image_.height; ++y) {
      for (int x = 0; x < image_.width; ++x) {
        if (inside(2 * x + 1 - image_.width, 2 * y + 1 - image_.height)) image_.at(x, y) = color;
      }
    }
  }

  RgbaImage Take() { return std::move(image_); }

 private:
  RgbaImage image_;
  int size_;
};

int Sq(int v) { return v * v; }
bool InDisc(int dx, int dy, int r) { return Sq(dx) + Sq(dy) <= Sq(r); }
bool InRing(int dx, int dy, int inner, int outer) {
  int d = Sq(dx) + Sq(dy);
  return d >= Sq(inner) && d <= Sq(outer);
}
bool InBox(int dx, int dy, int halfW, int halfH) { return std::abs(dx) <= halfW && std::abs(dy) <= halfH; }

// Unit vectors (x 1000) of the eight directions, for the gear's teeth.
constexpr std::array<std::array<int, 2>, 8> kDirections{
    {{1000, 0}, {707, 707}, {0, 1000}, {-707, 707}, {-1000, 0}, {-707, -707}, {0, -1000}, {707, -707}}};

constexpr std::array<Rgba, 8> kCategoryColors{{
    {200, 200, 215, 255},  // settings
    {255, 200, 60, 255},   // photo
    {90, 200, 255, 255},   // music
    {255, 100, 100, 255},  // video
    {120, 255, 140, 255},  // TV
    {200, 130, 255, 255},  // game
    {80, 170, 255, 255},   // network
    {170, 200, 255, 255},  // PSN
}};

constexpr std::array<Rgba, 7> kItemColors{{
    {255, 80, 80, 255},
    {255, 170, 60, 255},
    {240, 230, 80, 255},
    {90, 220, 110, 255},
    {80, 200, 240, 255},
    {110, 120, 255, 255},
    {220, 100, 230, 255},
}};

Rgba Background(bool opaque) { return opaque ? Rgba{0, 0, 0, 255} : Rgba{0, 0, 0, 0}; }

void DrawCategory(Canvas& c, int category, Rgba ink, Rgba bg) {
  auto p = [&](int v) { return c.p(v); };
  switch (category) {
    case 0:  // a gear: a ring with eight teeth
      c.Fill(ink, [&](int x, int y) { return InRing(x, y, p(170), p(340)); });
      for (const auto& d : kDirections) {
        int tx = p(390) * d[0] / 1000;
        int ty = p(390) * d[1] / 1000;
        c.Fill(ink, [&](int x, int y) { return InBox(x - tx, y - ty, p(70), p(70)); });
      }
      break;
    case 1:  // a camera: body, viewfinder, lens
      c.Fill(ink, [&](int x, int y) { return InBox(x, y - p(50), p(380), p(250)); });
      c.Fill(ink, [&](int x, int y) { return InBox(x + p(180), y + p(250), p(90), p(60)); });
      c.Fill(bg, [&](int x, int y) { return InDisc(x, y - p(60), p(170)); });
      c.Fill(ink, [&](int x, int y) { return InDisc(x, y - p(60), p(100)); });
      break;
    case 2:  // two notes joined by a beam
      c.Fill(ink, [&](int x, int y) { return InDisc(x + p(220), y - p(250), p(110)); });
      c.Fill(ink, [&](int x, int y) { return InDisc(x - p(200), y - p(180), p(110)); });
      c.Fill(ink, [&](int x, int y) { return x >= -p(160) && x <= -p(110) && y >= -p(330) && y <= p(250); });
      c.Fill(ink, [&](int x, int y) { return x >= p(260) && x <= p(310) && y >= -p(330) && y <= p(180); });
      c.Fill(ink, [&](int x, int y) { return x >= -p(160) && x <= p(310) && y >= -p(330) && y <= -p(240); });
      break;
    case 3:  // a film strip with perforations
      c.Fill(ink, [&](int x, int y) { return InBox(x, y, p(420), p(280)); });
      for (int k = -2; k <= 2; ++k) {
        c.Fill(bg, [&](int x, int y) {
          return InBox(x - k * p(165), y - p(215), p(45), p(35)) || InBox(x - k * p(165), y + p(215), p(45), p(35));
        });
      }
      c.Fill(bg, [&](int x, int y) { return InBox(x, y, p(300), p(120)); });
      break;
    case 4:  // a screen on a stand
      c.Fill(ink, [&](int x, int y) { return InBox(x, y + p(60), p(420), p(270)); });
      c.Fill(bg, [&](int x, int y) { return InBox(x, y + p(60), p(350), p(205)); });
      c.Fill(ink, [&](int x, int y) { return InBox(x, y - p(250), p(60), p(40)); });
      c.Fill(ink, [&](int x, int y) { return InBox(x, y - p(320), p(220), p(30)); });
      break;
    case 5:  // a game pad: body, grips, direction cross and four buttons
      c.Fill(ink, [&](int x, int y) {
        return InBox(x, y, p(300), p(170)) || InDisc(x - p(300), y - p(40), p(190)) ||
               InDisc(x + p(300), y - p(40), p(190));
      });
      c.Fill(bg, [&](int x, int y) {
        int dx = x + p(290);
        return InBox(dx, y, p(40), p(120)) || InBox(dx, y, p(120), p(40));
      });
      c.Fill(bg, [&](int x, int y) {
        int dx = x - p(290);
        return InDisc(dx - p(90), y, p(45)) || InDisc(dx + p(90), y, p(45)) || InDisc(dx, y - p(90), p(45)) ||
               InDisc(dx, y + p(90), p(45));
      });
      break;
    case 6:  // a globe: outline, equator, meridian and one more meridian ellipse
      c.Fill(ink, [&](int x, int y) {
        bool inside = InDisc(x, y, p(390));
        int e = Sq(2 * x) + Sq(y);
        return InRing(x, y, p(330), p(390)) || (inside && std::abs(y) <= p(30)) || (inside && std::abs(x) <= p(30)) ||
               (e >= Sq(p(320)) && e <= Sq(p(390)));
      });
      break;
    default: {  // the four button symbols: triangle, circle, cross, square
      int q = p(230);
      c.Fill(ink, [&](int x, int y) {
        int dx = x + q, dy = y + q;  // upper left: a triangle
        return dy >= -p(160) && dy <= p(140) && 2 * std::abs(dx) <= dy + p(160);
      });
      c.Fill(ink, [&](int x, int y) { return InRing(x - q, y + q, p(100), p(160)); });
      c.Fill(ink, [&](int x, int y) {
        int dx = x + q, dy = y - q;
        return InBox(dx, dy, p(160), p(160)) && (std::abs(dx - dy) <= p(55) || std::abs(dx + dy) <= p(55));
      });
      c.Fill(ink, [&](int x, int y) {
        int m = std::max(std::abs(x - q), std::abs(y - q));
        return m >= p(105) && m <= p(160);
      });
      break;
    }
  }
}

// Appends little-endian numbers and four-letter tags to a file being built.
class Appender {
 public:
  explicit Appender(std::size_t size) : bytes_(size) {}
  void U16(uint16_t v) {
    bytes_[at_++] = static_cast<uint8_t>(v);
    bytes_[at_++] = static_cast<uint8_t>(v >> 8);
  }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
  }
  void Tag(const char (&tag)[5]) {
    std::memcpy(bytes_.data() + at_, tag, 4);
    at_ += 4;
  }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
  std::size_t at_ = 0;
};

}  // namespace

RgbaImage CategoryIconPicture(int category, int width, int height, bool opaque) {
  Rgba bg = Background(opaque);
  Canvas c(width, height, bg);
  DrawCategory(c, category, kCategoryColors[static_cast<std::size_t>(category) % kCategoryColors.size()], bg);
  return c.Take();
}

RgbaImage ItemIconPicture(int item, int width, int height, bool opaque) {
  Canvas c(width, height, Background(opaque));
  Rgba ink = kItemColors[static_cast<std::size_t>(item / 6) % kItemColors.size()];
  auto p = [&](int v) { return c.p(v); };
  const int cy = -p(70);  // the shape sits a little high, above the number
  switch (item % 6) {
    case 0: c.Fill(ink, [&](int x, int y) { return InDisc(x, y - cy, p(280)); }); break;
    case 1: c.Fill(ink, [&](int x, int y) { return InBox(x, y - cy, p(230), p(230)); }); break;
    case 2: c.Fill(ink, [&](int x, int y) { return std::abs(x) + std::abs(y - cy) <= p(290); }); break;
    case 3:
      c.Fill(ink, [&](int x, int y) {
        int dy = y - cy;
        return dy >= -p(270) && dy <= p(230) && 2 * std::abs(x) <= dy + p(270);
      });
      break;
    case 4: c.Fill(ink, [&](int x, int y) { return InRing(x, y - cy, p(160), p(280)); }); break;
    default:
      c.Fill(ink, [&](int x, int y) {
        int dy = y - cy;
        return InBox(x, dy, p(85), p(280)) || InBox(x, dy, p(280), p(85));
      });
      break;
  }
  // The item number in six binary digits, most significant on the left.
  for (int bit = 0; bit < 6; ++bit) {
    if (((item >> bit) & 1) == 0) continue;
    int dotX = p(140) * (2 * (5 - bit) - 5) / 2;
    c.Fill(kWhite, [&](int x, int y) { return InBox(x - dotX, y - p(400), p(40), p(40)); });
  }
  return c.Take();
}

RgbaImage DecoyPicture(int width, int height) {
  Canvas c(width, height, Rgba{0, 0, 0, 255});
  c.Fill(Rgba{255, 0, 0, 255}, [&](int x, int y) {
    return InBox(x, y, c.p(400), c.p(400)) && (std::abs(x - y) <= c.p(60) || std::abs(x + y) <= c.p(60));
  });
  return c.Take();
}

RgbaImage SmallPicture(int k, int width, int height) { return ItemIconPicture(7 * k + 3, width, height, k % 2 == 1); }

RgbaImage BatteryStrip() {
  RgbaImage image{kBatteryWidth, kBatteryHeight,
                  std::vector<Rgba>(static_cast<std::size_t>(kBatteryWidth) * kBatteryHeight, Rgba{})};
  const Rgba bar{120, 255, 140, 255};
  for (int cell = 0; cell < 4; ++cell) {
    const int top = 16 * cell;
    for (int x = 2; x <= 37; ++x) {
      image.at(x, top + 3) = kWhite;
      image.at(x, top + 12) = kWhite;
    }
    for (int y = top + 3; y <= top + 12; ++y) {
      image.at(2, y) = kWhite;
      image.at(37, y) = kWhite;
    }
    for (int y = top + 6; y <= top + 9; ++y) {
      for (int x = 38; x <= 40; ++x) image.at(x, y) = kWhite;
    }
    for (int b = 0; b < 3 - cell; ++b) {
      for (int y = top + 5; y <= top + 10; ++y) {
        for (int x = 4 + 11 * b; x <= 13 + 11 * b; ++x) image.at(x, y) = bar;
      }
    }
  }
  return image;
}

RgbaImage BusyStrip() {
  RgbaImage image{kBusyWidth, kBusyHeight,
                  std::vector<Rgba>(static_cast<std::size_t>(kBusyWidth) * kBusyHeight, Rgba{})};
  // The ring of dots around the cell's centre (12, 12), clockwise from the top.
  constexpr std::array<std::array<int, 2>, 8> kDots{
      {{12, 3}, {18, 6}, {21, 12}, {18, 18}, {12, 21}, {6, 18}, {3, 12}, {6, 6}}};
  for (int frame = 0; frame < 60; ++frame) {
    const int left = 25 * (frame % 2);
    const int top = 25 * (frame / 2);
    for (int d = 0; d < 8; ++d) {
      Rgba color = d == frame % 8 ? kWhite : d == (frame + 7) % 8 ? Rgba{180, 180, 180, 255} : Rgba{90, 90, 90, 255};
      for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
          if (dx * dx + dy * dy <= 5) image.at(left + kDots[d][0] + dx, top + kDots[d][1] + dy) = color;
        }
      }
    }
  }
  return image;
}

std::vector<uint8_t> ToneWav() {
  constexpr uint32_t kRate = 22050;
  constexpr int kSamples = kRate / 4;
  constexpr int kPeriod = 50;  // 441 Hz
  constexpr int kAmplitude = 12000;
  constexpr int kFade = 441;
  constexpr uint32_t kDataBytes = 2 * kSamples;
  Appender wav(44 + kDataBytes);
  wav.Tag("RIFF");
  wav.U32(36 + kDataBytes);
  wav.Tag("WAVE");
  wav.Tag("fmt ");
  wav.U32(16);
  wav.U16(1);  // PCM
  wav.U16(1);  // mono
  wav.U32(kRate);
  wav.U32(2 * kRate);  // bytes per second
  wav.U16(2);          // bytes per frame
  wav.U16(16);         // bits per sample
  wav.Tag("data");
  wav.U32(kDataBytes);
  for (int t = 0; t < kSamples; ++t) {
    int phase = t % kPeriod;
    int half = kPeriod / 2;
    int v = phase < half ? -kAmplitude + 2 * kAmplitude * phase / half
                         : kAmplitude - 2 * kAmplitude * (phase - half) / half;
    int envelope = std::min({t, kSamples - 1 - t, kFade});
    v = v * envelope / kFade;
    wav.U16(static_cast<uint16_t>(static_cast<int16_t>(v)));
  }
  return wav.Take();
}

}  // namespace qorvi::demo
