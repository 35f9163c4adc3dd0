// SPDX-License-Identifier: GPL-3.0-or-later
// The apply steps on hand-built images: the places and encodings the file formats
// fix, the bounds every write keeps, and the boot sound area. (That every value of
// every version lands where a load finds it, and nothing else changes, is shown on
// whole demo sets in tests/save/save_round_trip_test.cpp.)
#include "firmware/apply_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "firmware/byte_reader.h"
#include "firmware/exec_functions.h"
#include "firmware/module_image.h"
#include "firmware/rco_container.h"
#include "support/scoped_temp_dir.h"

namespace qorvi {
namespace {

using testing::ScopedTempDir;
using testing::WriteBytes;

std::vector<uint8_t> Patterned(std::size_t size) {
  std::vector<uint8_t> v(size);
  for (std::size_t i = 0; i < size; ++i) v[i] = static_cast<uint8_t>(i * 131 + 7);
  return v;
}

void Put32(std::vector<uint8_t>& v, uint64_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.at(at + i) = static_cast<uint8_t>(x >> (8 * i));
}
void PutF(std::vector<uint8_t>& v, uint64_t at, float f) { Put32(v, at, FloatBits(f)); }
uint32_t Get32(const std::vector<uint8_t>& v, uint64_t at) {
  ByteReader r(v);
  return r.u32(at);
}

// The first differing offset, for a readable failure.
std::string FirstDifference(const std::vector<uint8_t>& got, const std::vector<uint8_t>& want) {
  if (got.size() != want.size()) return "sizes differ";
  auto m = std::mismatch(got.begin(), got.end(), want.begin());
  if (m.first == got.end()) return "none";
  return "at 0x" + std::to_string(m.first - got.begin());
}

// Distinct values in every field: integers (some negative), floats, colours.
LayoutRecord DistinctLayout() {
  LayoutRecord l;
  int i = 0;
  for (const LayoutField& f : LayoutFields()) {
    ++i;
    if (auto* ip = std::get_if<int32_t LayoutRecord::*>(&f.member)) {
      l.*(*ip) = (i % 3 == 0 ? -1 : 1) * (17 * i + 5);
    } else {
      l.*std::get<float LayoutRecord::*>(f.member) = 0.25f + 1.5f * static_cast<float>(i);
    }
  }
  l.Bmp01_12size = 0x1234;
  for (int k = 0; k < kColorTableEntries; ++k) {
    l.TextColor[k] = {k / 30.0f, 0.5f, 1.0f - k / 60.0f};
    l.BGColor[k] = {0.125f, k / 45.0f, 0.75f};
  }
  l.BatteryColor = {255, 0, 17};
  l.ClockColor = {1, 128, 254};
  l.BusyColor = {200, 100, 50};
  return l;
}

FirmwareState StateFor(int32_t version) {
  FirmwareState s;
  SelectProfile(s, version);
  for (int i = 0; i < kCategoryEntrySlots; ++i) {
    s.CategoryEntries[i] = {static_cast<uint8_t>(i % 8), static_cast<uint8_t>(i + 1), static_cast<uint8_t>(i % 3),
                            static_cast<uint8_t>(0xF0 + i % 4)};
  }
  for (int i = 0; i < kItemSlots; ++i) {
    ItemRecord& r = s.ItemTable[i];
    r.Word0 = 0x01000000u + i;
    r.Media = 1 + i % 3;
    r.ExecGroup = 0x10 + i;
    r.ExecFunction = 0x20 + i;
    r.Word4 = 0xA0000000u + i;
    r.Word5 = 0xB0000000u + i;
    r.Word6 = 0xC0000000u + i;
    r.UmdFlag = static_cast<uint8_t>(i % 2);
    std::snprintf(r.MainImageTag.data(), r.MainImageTag.size(), "tex_item_%d", i);
    std::snprintf(r.ShadowImageTag.data(), r.ShadowImageTag.size(), "tex_shadow_%d", i);
    std::snprintf(r.ConfImageTag.data(), r.ConfImageTag.size(), "c%d", i);
    std::snprintf(r.NameTag.data(), r.NameTag.size(), "msg_item_name_%d", i);
  }
  for (int i = 0; i < kVshConstantEntries; ++i) s.VshConstants[i] = 0xC0DE0000u + i;
  for (int i = 0; i < kPafConstantEntries; ++i) s.PafConstants[i] = 0xFACE0000u + i;
  return s;
}

// The places the file formats fix, spelled out for one version each.
TEST(ApplyVshmain, LiteralPlaces) {
  FirmwareState s = StateFor(395);
  LayoutRecord l = DistinctLayout();
  l.UnfIconY = 99;
  l.Bmp01_12size = 32767;
  std::vector<uint8_t> image = Patterned(300830);
  ASSERT_TRUE(ApplyVshmainValues(image, l, s));
  EXPECT_EQ(Get32(image, 0x3D068), FloatBits(99.0f));
  EXPECT_EQ(Get32(image, 0x3D06C), FloatBits(100.0f)) << "slot 4 receives UnfIconY + 1";
  EXPECT_EQ(image[0x253E4], 0xFF);
  EXPECT_EQ(image[0x253E5], 0x7F);

  FirmwareState s5 = StateFor(500);
  l.MainIconX = -7;
  std::vector<uint8_t> image5 = Patterned(325340);
  ASSERT_TRUE(ApplyVshmainValues(image5, l, s5));
  for (int e : {0x41C / 4, 361, 428, 432, 466}) EXPECT_EQ(s5.VshConstants[e], FloatBits(-7.0f)) << e;
  EXPECT_EQ(s5.VshConstants[0x1F8 / 4], FloatBits(100.0f));
  EXPECT_EQ(Get32(image5, 0x1A0E8), 0u);
  EXPECT_EQ(image5[0x27550], 0xFF);
  EXPECT_EQ(image5[0x27551], 0x7F);
}

TEST(ApplyVshmain, MovedEntryAndCameraItemAndTags) {
  FirmwareState s = StateFor(401);
  const auto& S = s.Profile.VshOffsets;
  // The Category window moved entry 5 to position 0.
  std::swap(s.CategoryEntries[0], s.CategoryEntries[5]);
  const CategoryEntry moved = s.CategoryEntries[0];
  // The Advance window gave item 3 the function "Camera".
  const auto& table = ExecFunctionTable();
  auto camera = std::find_if(table.begin(), table.end(), [](const ExecFunction& f) { return f.English == "Camera"; });
  ASSERT_NE(camera, table.end());
  s.ItemTable[3].ExecGroup = camera->Group;
  s.ItemTable[3].ExecFunction = camera->Function;
  // A tag filling its whole field has no zero; it is written back as it is, all 24
  // bytes, with no zero forced into its last byte.
  s.ItemTable[4].NameTag.fill('x');
  s.ItemTable[4].MainImageTag = {'a', 'b', '\0'};

  std::vector<uint8_t> image = Patterned(302722);
  const std::vector<uint8_t> before = image;
  ASSERT_TRUE(ApplyVshmainValues(image, DistinctLayout(), s));

  EXPECT_EQ(Get32(image, S[0]) & 0xFF, moved.Category);
  EXPECT_EQ(Get32(image, S[0] + 4) & 0xFF, moved.Item);
  EXPECT_EQ(Get32(image, S[0]) >> 8, Get32(before, S[0]) >> 8) << "upper bytes stay as loaded";
  // Records from CategoryEntryCount (27 for 4.01) on are not touched.
  EXPECT_TRUE(
      std::equal(image.begin() + S[0] + 16 * 27, image.begin() + S[0] + 16 * 30, before.begin() + S[0] + 16 * 27));

  const uint64_t item3 = S[11] + 140 * 3;
  EXPECT_EQ(Get32(image, item3 + 8), 19u);
  EXPECT_EQ(Get32(image, item3 + 12), 0u);
  EXPECT_EQ(image[item3 + 29], before[item3 + 29]) << "bytes 29 and 30 stay";
  EXPECT_EQ(image[item3 + 30], before[item3 + 30]);

  const uint64_t item4 = S[11] + 140 * 4;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[item4 + 103]), 24), std::string(24, 'x'));
  EXPECT_EQ(image[item4 + 127], before[item4 + 127]) << "the byte behind the tag stays";
  EXPECT_EQ(image[item4 + 31], 'a');
  EXPECT_EQ(image[item4 + 33], 0);
  EXPECT_TRUE(std::equal(image.begin() + item4 + 34, image.begin() + item4 + 55, before.begin() + item4 + 34))
      << "what lies behind a shorter tag stays as loaded";
  EXPECT_TRUE(std::equal(image.begin() + item4 + 127, image.begin() + item4 + 140, before.begin() + item4 + 127));
}

TEST(ApplyVshmain, CountsAreBoundedByTheVersion) {
  FirmwareState s = StateFor(390);
  s.CategoryEntryCount = 30;  // more than the version's 26 records
  s.ItemCount = 40;           // more than its 35
  std::vector<uint8_t> image = Patterned(313556);
  const std::vector<uint8_t> before = image;
  ASSERT_TRUE(ApplyVshmainValues(image, DistinctLayout(), s));
  const auto& S = s.Profile.VshOffsets;
  EXPECT_TRUE(
      std::equal(image.begin() + S[0] + 16 * 26, image.begin() + S[0] + 16 * 30, before.begin() + S[0] + 16 * 26));
  EXPECT_TRUE(std::equal(image.begin() + S[11] + 140 * 35, image.begin() + S[11] + 140 * 36,
                         before.begin() + S[11] + 140 * 35));
}

TEST(ApplyVshmain, ShortImageIsReportedAndNotOverrun) {
  FirmwareState s = StateFor(390);
  std::vector<uint8_t> image = Patterned(0x30000);  // ends before most of the tables
  EXPECT_FALSE(ApplyVshmainValues(image, DistinctLayout(), s));
  std::vector<uint8_t> paf = Patterned(0x1000);
  EXPECT_FALSE(ApplyPafValues(paf, DistinctLayout(), s));
  EXPECT_TRUE(paf == Patterned(0x1000));
}

TEST(ApplyPaf, SharedPlaceOf390KeepsSubMenuTextX1Seg) {
  FirmwareState s = StateFor(390);
  LayoutRecord l = DistinctLayout();
  l.SubMenuTextX2 = 11;
  l.SubMenuTextX1Seg = 22;
  std::vector<uint8_t> image = Patterned(1896458);
  ASSERT_TRUE(ApplyPafValues(image, l, s));
  EXPECT_EQ(Get32(image, 0x1A4290), FloatBits(22.0f));
}

// Boot sounds of several sizes into a 5.00 opening_plugin.prx (area at 0x2EBC).
class BootSound : public ::testing::Test {
 protected:
  FirmwareState s = StateFor(500);
  ScopedTempDir dir;
  std::vector<uint8_t> image = Patterned(63580);
  std::vector<uint8_t> scratch = std::vector<uint8_t>(kBootSoundAreaBytes);

  FileWriteResult Insert(std::size_t size) {
    std::vector<uint8_t> wav(size);
    for (std::size_t i = 0; i < size; ++i) wav[i] = static_cast<uint8_t>(i % 251 + 1);
    WriteBytes(dir / "boot.wav", wav);
    return InsertBootSound(image, s, dir / "boot.wav", scratch);
  }
};

TEST_F(BootSound, ShortSoundLeavesTheRestOfTheAreaZero) {
  ASSERT_EQ(Insert(100), kFileWritten);
  std::vector<uint8_t> want = Patterned(63580);
  std::fill(want.begin() + 0x2EBC, want.begin() + 0x2EBC + 0xC0E0, 0);
  for (int i = 0; i < 100; ++i) want[0x2EBC + i] = static_cast<uint8_t>(i % 251 + 1);
  EXPECT_TRUE(image == want) << FirstDifference(image, want);
}

TEST_F(BootSound, SoundOfTheAreaSizeFillsIt) {
  ASSERT_EQ(Insert(49376), kFileWritten);
  EXPECT_EQ(image[0x2EBC + 49375], static_cast<uint8_t>(49375 % 251 + 1));
  EXPECT_EQ(image[0x2EBC + 49376], Patterned(63580)[0x2EBC + 49376]) << "the byte behind the area stays";
  EXPECT_EQ(image[0x2EBB], Patterned(63580)[0x2EBB]);
}

TEST_F(BootSound, TooBigOrMissingLeavesTheImage) {
  const std::pair<FileWriteResult, FileWriteResult> cases[] = {
      {Insert(49377), {kBootSoundTooBig, "the boot sound has more than the 49376 bytes its area holds"}},
      {InsertBootSound(image, s, dir / "missing.wav", scratch),
       {kBootSoundCannotOpen, "boot sound: No such file or directory"}},
      {InsertBootSound(image, s, dir.path(), scratch), {kBootSoundCannotOpen, "boot sound: is a folder"}},
  };
  for (const auto& [got, want] : cases) {
    EXPECT_EQ(got.code, want.code) << want.cause;
    EXPECT_EQ(got.cause, want.cause);
  }
  EXPECT_TRUE(image == Patterned(63580));
}

TEST_F(BootSound, AreaOutsideTheImageIsAWriteError) {
  image.resize(0x2EBC + 0xC0DF);
  const FileWriteResult r = Insert(10);
  EXPECT_EQ(r, kWriteFailed);
  EXPECT_EQ(r.cause, "the boot sound area at 0x2ebc lies past the end of the image (61339 bytes)");
}

TEST(BootSoundPlace, PerVersion) {
  const std::pair<int32_t, std::size_t> places[] = {{390, 0x3D94}, {395, 0x27C4}, {401, 0x27C4}, {500, 0x2EBC}};
  ScopedTempDir dir;
  WriteBytes(dir / "one.wav", {0x42});
  std::vector<uint8_t> scratch(kBootSoundAreaBytes);
  for (auto [version, at] : places) {
    FirmwareState s = StateFor(version);
    std::vector<uint8_t> image(s.Profile.OpeningSize, 0xEE);
    ASSERT_EQ(InsertBootSound(image, s, dir / "one.wav", scratch), kFileWritten);
    EXPECT_EQ(image[at - 1], 0xEE) << version;
    EXPECT_EQ(image[at], 0x42) << version;
    EXPECT_EQ(image[at + 1], 0) << version;
    EXPECT_EQ(image[at + 0xC0DF], 0) << version;
    EXPECT_EQ(image[at + 0xC0E0], 0xEE) << version;
  }
}

// A minimal topmenu_plugin.rco: object table at 0x100, E1 = 0x128, E2 = E1 + 0x40,
// E3 = E2 + 0x20 + 0x28 = 0x1B0.
std::vector<uint8_t> TopmenuPlugin() {
  std::vector<uint8_t> v = Patterned(0x400);
  Put32(v, 0x30, 0x100);
  Put32(v, 0x128 + 0x14, 0x40);
  Put32(v, 0x168 + 0x18, 0x20);
  return v;
}

TEST(ApplyTopmenuPlugin, MainIconXAtTheThirdEntry) {
  std::vector<uint8_t> image = TopmenuPlugin();
  LayoutRecord l;
  l.MainIconX = -36;
  ASSERT_TRUE(ApplyTopmenuPluginValues(image, l));
  std::vector<uint8_t> want = TopmenuPlugin();
  PutF(want, 0x1B0, -36.0f);
  EXPECT_TRUE(image == want) << FirstDifference(image, want);

  std::vector<uint8_t> broken = TopmenuPlugin();
  Put32(broken, 0x168 + 0x18, 0x7FFFFFF0);
  const std::vector<uint8_t> before = broken;
  EXPECT_FALSE(ApplyTopmenuPluginValues(broken, l));
  EXPECT_TRUE(broken == before);
}

// A minimal system_plugin_fg.rco: object table at 0x40, first object 0x68, the
// battery object at 0xB8 and the busy object at 0x2B8.
std::vector<uint8_t> SystemPlugin() {
  std::vector<uint8_t> v = Patterned(0x800);
  Put32(v, 0x30, 0x40);
  Put32(v, 0x68 + 0x14, 0x50);
  Put32(v, 0xB8 + 0x14, 0x200);
  return v;
}

TEST(ApplySystemPlugin, PositionsCopiesAndColours) {
  std::vector<uint8_t> image = SystemPlugin();
  const auto located = LocateSystemPluginObjects(image);
  ASSERT_TRUE(located.ok());
  ASSERT_EQ(located->battery, 0xB8u);
  ASSERT_EQ(located->busy, 0x2B8u);
  FirmwareState s;
  s.BatteryObject = 0xB8;
  s.BusyObject = 0x2B8;
  LayoutRecord l = DistinctLayout();
  l.BatteryX = 400;
  l.BatteryY = -3;
  l.BusyX = 10;
  l.BusyY = 250;
  ASSERT_TRUE(ApplySystemPluginValues(image, s, l));

  std::vector<uint8_t> want = SystemPlugin();
  PutF(want, 0xB8 + 0xE8, 400.0f), PutF(want, 0xB8 + 0xEC, -3.0f);
  PutF(want, 0x2B8 + 0xE8, 10.0f), PutF(want, 0x2B8 + 0xEC, 250.0f);
  PutF(want, 0xB8 + 0x74, 402.0f), PutF(want, 0xB8 + 0x78, -5.0f);
  PutF(want, 0x2B8 + 0x74, 12.0f), PutF(want, 0x2B8 + 0x78, 248.0f);
  // BatteryColor {255, 0, 17}: 255 is 1.0 and 0 is 0.0 exactly.
  PutF(want, 0xB8 + 0xF4, 1.0f), PutF(want, 0xB8 + 0xF8, 0.0f);
  PutF(want, 0xB8 + 0xFC, static_cast<float>(17 * 0.00392156862745098L));
  const uint8_t clock[3] = {1, 128, 254};
  const uint8_t busy[3] = {200, 100, 50};
  for (int c = 0; c < 3; ++c) {
    PutF(want, 0xB8 + 0x168 + 4 * c, static_cast<float>(clock[c] * 0.00392156862745098L));
    PutF(want, 0x2B8 + 0xF4 + 4 * c, static_cast<float>(busy[c] * 0.00392156862745098L));
  }
  EXPECT_TRUE(image == want) << FirstDifference(image, want);

  // Loading the colours back gives the bytes that were saved.
  FirmwareState back;
  ASSERT_TRUE(ExtractSystemPluginFg(image, back));
  EXPECT_EQ(back.Layout.BatteryColor.r, 255);
  EXPECT_EQ(back.Layout.BatteryColor.g, 0);
  EXPECT_EQ(back.Layout.BatteryX, 400);
  EXPECT_EQ(back.Layout.BusyY, 250);
}

TEST(ApplySystemPlugin, ObjectOutsideTheImageWritesNothing) {
  std::vector<uint8_t> image = SystemPlugin();
  FirmwareState s;
  s.BatteryObject = 0xB8;
  s.BusyObject = 0x800 - 0x173;  // its last value would end one byte past the image
  const Status r = ApplySystemPluginValues(image, s, DistinctLayout());
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.cause(), "busy object at 0x68d (372 bytes) lies past the end (2048 bytes)");
  EXPECT_TRUE(image == SystemPlugin());
}

}  // namespace
}  // namespace qorvi
