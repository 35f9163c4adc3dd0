// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/rco_container.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "demo/gim_encoder.h"
#include "firmware/byte_reader.h"
#include "firmware/gim_picture.h"

namespace qorvi {
namespace {

using demo::EncodeGim;
using demo::GimKind;
using demo::Rgba;
using demo::RgbaImage;
using demo::ZlibWrap;

constexpr std::size_t kScratchSize = 4 * 1024 * 1024;

std::vector<uint8_t>& Scratch() {
  static std::vector<uint8_t> scratch(kScratchSize);
  return scratch;
}

std::vector<uint8_t> Bytes(std::span<const uint8_t> s) { return {s.begin(), s.end()}; }

std::vector<uint8_t> Picture(int width, int height) {
  RgbaImage img{width, height, std::vector<Rgba>(static_cast<std::size_t>(width) * height, {1, 2, 3, 255})};
  return EncodeGim(img, GimKind::ImageFirst32);
}

// system_plugin_fg.rco, the object places only: object table at 0x100, first
// object at 0x128, battery object at 0x328, busy object at 0x4A8.
constexpr uint32_t kBattery = 0x328;
constexpr uint32_t kBusy = 0x4A8;

std::vector<uint8_t> SystemPluginImage(std::size_t size = kBusy + 0x174) {
  std::vector<uint8_t> image(size);
  ByteWriter w(image);
  w.bytes(0, std::vector<uint8_t>{0x00, 'P', 'R', 'F', 0x71, 0x01, 0x00, 0x00});
  w.u32(0x30, 0x100);
  w.u32(0x128 + 0x14, kBattery - 0x128);
  w.u32(kBattery + 0x14, kBusy - kBattery);
  w.f32(kBattery + 0xE8, 12.9f);
  w.f32(kBattery + 0xEC, -3.7f);
  w.f32(kBusy + 0xE8, 400.0f);
  w.f32(kBusy + 0xEC, -0.5f);
  const float battery[] = {1.0f, 0.5f, 0.0f}, clock[] = {0.25f, 0.999f, 2.0f}, busy[] = {0.1f, 0.2f, 0.3f};
  for (int i = 0; i < 3; ++i) {
    w.f32(kBattery + 0xF4 + 4 * i, battery[i]);
    w.f32(kBattery + 0x168 + 4 * i, clock[i]);
    w.f32(kBusy + 0xF4 + 4 * i, busy[i]);
  }
  return image;
}

TEST(RcoContainer, Signature) {
  std::vector<uint8_t> good{0x00, 'P', 'R', 'F', 0x71, 0x01, 0x00, 0x00};
  EXPECT_TRUE(HasRcoSignature(good));
  for (std::size_t i = 0; i < 5; ++i) {
    std::vector<uint8_t> bad = good;
    bad[i] ^= 0x20;
    EXPECT_FALSE(HasRcoSignature(bad)) << i;
  }
  EXPECT_FALSE(HasRcoSignature(std::span(good).first(4)));
}

TEST(RcoContainer, SystemPluginValues) {
  std::vector<uint8_t> image = SystemPluginImage();
  FirmwareState state;
  ASSERT_TRUE(ExtractSystemPluginFg(image, state));
  EXPECT_EQ(state.BatteryObject, kBattery);
  EXPECT_EQ(state.BusyObject, kBusy);
  // Positions truncated toward zero.
  EXPECT_EQ(state.Layout.BatteryX, 12);
  EXPECT_EQ(state.Layout.BatteryY, -3);
  EXPECT_EQ(state.Layout.BusyX, 400);
  EXPECT_EQ(state.Layout.BusyY, 0);
  // Colours times 255, truncated; a channel outside 0..1 wraps (2.0: 510 & 255).
  auto rgb = [](Rgb8 c) { return std::vector<int>{c.r, c.g, c.b}; };
  EXPECT_EQ(rgb(state.Layout.BatteryColor), (std::vector<int>{255, 127, 0}));
  EXPECT_EQ(rgb(state.Layout.ClockColor), (std::vector<int>{63, 254, 254}));
  EXPECT_EQ(rgb(state.Layout.BusyColor), (std::vector<int>{25, 51, 76}));
}

TEST(RcoContainer, SystemPluginObjectsOutOfRange) {
  struct Case {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> change;
    const char* cause;  // nullptr: found
  };
  const std::vector<Case> cases{
      {"as built, busy object ends at the last byte", [](auto&) {}, nullptr},
      {"one byte short", [](auto& im) { im.pop_back(); },
       "busy object at 0x4a8 (372 bytes) lies past the end (1563 bytes)"},
      {"object table past the end", [](auto& im) { ByteWriter(im).u32(0x30, 0xFFFFFFF0); },
       "object table offset 0xfffffff0 at 0x30 lies past the end (1564 bytes)"},
      {"first object's link past the end", [](auto& im) { ByteWriter(im).u32(0x30, kBusy + 0x174 - 0x28 - 0x10); },
       "first object at 0x60c: link at 0x620 lies past the end (1564 bytes)"},
      // 0x328 + 0xFFFFFF00 wraps to 0x228 in 32 bits; it must not.
      {"battery link wraps in 32 bits", [](auto& im) { ByteWriter(im).u32(kBattery + 0x14, 0xFFFFFF00); },
       "busy object at 0x100000228 (372 bytes) lies past the end (1564 bytes)"},
      {"battery object too close to the end",
       [](auto& im) { ByteWriter(im).u32(0x128 + 0x14, static_cast<uint32_t>(im.size() - 0x128 - 0x100)); },
       "battery object at 0x51c (372 bytes) lies past the end (1564 bytes)"},
      {"no object table offset at all", [](auto& im) { im.resize(0x32); },
       "object table offset at 0x30 lies past the end (50 bytes)"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> image = SystemPluginImage();
    c.change(image);
    const Result<SystemPluginObjects> objects = LocateSystemPluginObjects(image);
    EXPECT_EQ(objects.ok(), c.cause == nullptr) << c.what;
    FirmwareState state;
    state.BatteryObject = 77;
    state.Layout.BatteryX = 5;
    const Status extracted = ExtractSystemPluginFg(image, state);
    EXPECT_EQ(extracted.ok(), c.cause == nullptr) << c.what;
    if (c.cause != nullptr) {
      EXPECT_EQ(objects.cause(), c.cause) << c.what;
      EXPECT_EQ(extracted.cause(), c.cause) << c.what;
      EXPECT_EQ(state.BatteryObject, 77u) << c.what;
      EXPECT_EQ(state.Layout.BatteryX, 5) << c.what;
    }
  }
}

TEST(RcoContainer, TopmenuPluginValuePlace) {
  // Object table 0x40: E1 = 0x68, E2 = E1 + 0x30 = 0x98, E3 = E2 + 0x20 + 0x28 = 0xE0.
  std::vector<uint8_t> image(0xE4);
  ByteWriter w(image);
  w.u32(0x30, 0x40);
  w.u32(0x68 + 0x14, 0x30);
  w.u32(0x98 + 0x18, 0x20);
  EXPECT_EQ(LocateTopmenuPluginValue(image), 0xE0u);

  std::vector<uint8_t> short_image(image.begin(), image.end() - 1);
  EXPECT_FALSE(LocateTopmenuPluginValue(short_image));
  ByteWriter(image).u32(0x98 + 0x18, 0xFFFFFFF0);  // wraps back into the image in 32 bits
  EXPECT_FALSE(LocateTopmenuPluginValue(image));
  EXPECT_EQ(LocateTopmenuPluginValue(image).cause(),
            "MainIconX value (second object's first child) at 0x1000000b0 (4 bytes) lies past the end (228 bytes)");
  ByteWriter(image).u32(0x30, 0xE0);  // the object table's own header lies past the end
  EXPECT_EQ(LocateTopmenuPluginValue(image).cause(), "object table offset 0xe0 at 0x30 lies past the end (228 bytes)");
  ByteWriter(image).u32(0x30, 0xB0);  // E1's link word lies past the end
  EXPECT_EQ(LocateTopmenuPluginValue(image).cause(),
            "first object at 0xd8: link at 0xec lies past the end (228 bytes)");
  EXPECT_FALSE(LocateTopmenuPluginValue({}));
}

TEST(RcoContainer, DecodeImage) {
  std::vector<uint8_t> picture = Picture(20, 10);
  std::vector<uint8_t> work(2 * 1024 * 1024);
  std::vector<uint8_t> expected = Bytes(ConvertGim(picture, work));
  ASSERT_FALSE(expected.empty());
  std::vector<uint8_t> stream = ZlibWrap(picture);
  EXPECT_EQ(Bytes(DecodeImage(stream, Scratch())), expected);

  // The Adler-32 trailer is not needed; the deflate data is.
  EXPECT_EQ(Bytes(DecodeImage(std::span(stream).first(stream.size() - 4), Scratch())), expected);
  EXPECT_TRUE(DecodeImage(std::span(stream).first(stream.size() - 8), Scratch()).empty());
  EXPECT_TRUE(DecodeImage({}, Scratch()).empty());
  EXPECT_TRUE(DecodeImage(std::span(stream).first(1), Scratch()).empty());
  EXPECT_TRUE(DecodeImage(std::span(stream).first(2), Scratch()).empty());
  std::vector<uint8_t> garbage(stream.size(), 0xFF);
  EXPECT_TRUE(DecodeImage(garbage, Scratch()).empty());
  std::vector<uint8_t> small_scratch(kScratchSize - 1);
  EXPECT_TRUE(DecodeImage(stream, small_scratch).empty());

  // Trailing bytes after the picture are allowed up to 2 MiB of inflated data, no further.
  std::vector<uint8_t> padded = picture;
  padded.resize(2 * 1024 * 1024);
  EXPECT_EQ(Bytes(DecodeImage(ZlibWrap(padded), Scratch())), expected);
  padded.push_back(0);
  EXPECT_TRUE(DecodeImage(ZlibWrap(padded), Scratch()).empty());
}

// topmenu_icon.rco with `count` images; image k is (k + 1) x 2 pixels. The image
// data area starts at 0x2000.
std::vector<uint8_t> TopmenuIconImage(int count) {
  std::vector<uint8_t> image(0x2000);
  ByteWriter(image).u32(0x80, 0x2000);
  for (int k = 0; k < count; ++k) {
    std::vector<uint8_t> stream = ZlibWrap(Picture(k + 1, 2));
    ByteWriter w(image);
    w.u32(0x124 + 56 * k, static_cast<uint32_t>(image.size() - 0x2000));
    w.u32(0x128 + 56 * k, static_cast<uint32_t>(stream.size()));
    image.insert(image.end(), stream.begin(), stream.end());
  }
  return image;
}

// Decodes the icons and returns each bitmap's width by file name.
std::map<std::string, uint32_t> DecodedIcons(std::span<const uint8_t> image, const FirmwareState& state) {
  Paths paths;
  SetIconDir(paths, "icons");
  std::map<std::string, uint32_t> widths;
  DecodeIcons(image, state, Scratch(), [&](int picture, std::span<const uint8_t> bmp) {
    ByteReader r(bmp);
    widths[IconBitmapPath(paths, picture).substr(6)] = r.u32(18);
  });
  return widths;
}

std::map<std::string, uint32_t> ExpectedIcons(const FirmwareState& state, std::set<int> broken = {}) {
  std::map<std::string, uint32_t> widths;
  char name[32];
  for (int i = 0; i < (state.FirmwareVersion == 500 ? 8 : 7); ++i) {
    std::snprintf(name, sizeof name, "MainIcon%d.bmp", i);
    if (!broken.contains(i)) widths[name] = i + 1;
  }
  for (int s = 0; s < (state.FirmwareVersion == 500 ? 40 : 36); ++s) {
    int k = state.SubIconImageIndex[s];
    if (s == 16 || s == 17 || s == 21 || broken.contains(k)) continue;
    std::snprintf(name, sizeof name, "SubIcon0%02d.bmp", s);
    widths[name] = static_cast<uint32_t>(k + 1);
  }
  return widths;
}

TEST(RcoContainer, CategoryAndItemIcons) {
  std::vector<uint8_t> image = TopmenuIconImage(45);
  for (int version : {401, 500}) {
    FirmwareState state;
    state.FirmwareVersion = version;
    state.Profile = *ProfileFor(version);
    for (int s = 0; s < kItemNumbers; ++s) state.SubIconImageIndex[s] = (s * 7) % 45;
    EXPECT_EQ(DecodedIcons(image, state), ExpectedIcons(state)) << version;
  }
}

TEST(RcoContainer, BrokenImageEntriesAreSkipped) {
  std::vector<uint8_t> image = TopmenuIconImage(45);
  ByteWriter w(image);
  w.u32(0x124 + 56 * 3, 0xFFFFFFF0);  // data offset past the end
  w.u32(0x128 + 56 * 4, 0xFFFFFFFF);  // byte count past the end: cut at the end, the picture stays
  w.u32(0x128 + 56 * 5, 1);           // shorter than the zlib header
  w.u32(0x124 + 56 * 6, 0x10);        // data that is not a zlib stream
  FirmwareState state;
  state.FirmwareVersion = 500;
  state.Profile = *ProfileFor(500);
  for (int s = 0; s < kItemNumbers; ++s) state.SubIconImageIndex[s] = s % 45;
  std::map<std::string, uint32_t> expected = ExpectedIcons(state, {3, 5, 6});
  // Image numbers whose table entry lies outside the image, or that are negative.
  state.SubIconImageIndex[0] = -1;
  state.SubIconImageIndex[1] = 1000000;
  state.SubIconImageIndex[2] = INT32_MAX;
  for (const char* gone : {"SubIcon000.bmp", "SubIcon001.bmp", "SubIcon002.bmp"}) expected.erase(gone);
  EXPECT_EQ(DecodedIcons(image, state), expected);

  FirmwareState any;
  EXPECT_TRUE(DecodedIcons(std::vector<uint8_t>(0x10), any).empty());
}

TEST(RcoContainer, BatteryAndBusyIcons) {
  // system_plugin_fg.rco: battery at the start of the image data area (count at
  // 0x120), busy at data area + u32 at 0x2AC (count at 0x2B0).
  std::vector<uint8_t> battery = ZlibWrap(Picture(24, 12));
  std::vector<uint8_t> busy = ZlibWrap(Picture(8, 8));
  std::vector<uint8_t> image(0x400);
  ByteWriter w(image);
  w.u32(0x80, 0x400);
  w.u32(0x120, static_cast<uint32_t>(battery.size()));
  w.u32(0x2AC, static_cast<uint32_t>(battery.size() + 16));
  w.u32(0x2B0, static_cast<uint32_t>(busy.size()));
  image.insert(image.end(), battery.begin(), battery.end());
  image.resize(image.size() + 16);
  image.insert(image.end(), busy.begin(), busy.end());
  IconPictures pictures;
  const BitmapSink keep = [&](int picture, std::span<const uint8_t> bmp) { pictures.Set(picture, bmp); };
  DecodeSystemPluginIcons(image, Scratch(), keep);
  EXPECT_EQ(Bytes(pictures.Get(kBatteryPicture)), Bytes(DecodeImage(battery, Scratch())));
  EXPECT_EQ(Bytes(pictures.Get(kBusyPicture)), Bytes(DecodeImage(busy, Scratch())));
  EXPECT_EQ(pictures.Get(kBatteryPicture).size(), 54u + 24 * 12 * 4);

  // A picture that fails is skipped: the one kept before stays.
  DecodeSystemPluginIcons(std::vector<uint8_t>(0x400), Scratch(), keep);
  EXPECT_EQ(pictures.Get(kBatteryPicture).size(), 54u + 24 * 12 * 4);
}

}  // namespace
}  // namespace qorvi
