// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/module_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <type_traits>
#include <vector>

#include "firmware/byte_reader.h"
#include "firmware/psp_package.h"
#include "model/result.h"

namespace qorvi {
namespace {

static_assert(std::is_trivially_copyable_v<FirmwareState>);

// ---- building module images -------------------------------------------------------------

void Put32(std::vector<uint8_t>& v, std::size_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.at(at + i) = static_cast<uint8_t>(x >> (8 * i));
}
void PutF(std::vector<uint8_t>& v, std::size_t at, float f) { Put32(v, at, FloatBits(f)); }

// Writes lui/ori/mtc1 groups ending at the image's end so that entry k of the
// harvested table is values[k] (the group nearest the end is entry 0).
void PlantConstants(std::vector<uint8_t>& image, const std::vector<uint32_t>& values) {
  std::size_t word = image.size() / 4;
  for (uint32_t v : values) {
    word -= 3;
    Put32(image, 4 * word, 0x3C010000 | (v >> 16));
    Put32(image, 4 * word + 4, 0x34210000 | (v & 0xFFFF));
    Put32(image, 4 * word + 8, 0x44816000);
  }
}

// Places 32-bit values at byte offsets: into the image, or for 5.00 (constants)
// into planted instruction groups (offset / 4 = entry).
struct Planter {
  std::vector<uint8_t>& image;
  bool constants;
  std::vector<uint32_t> entries{};
  void put(uint32_t offset, float f) {
    if (!constants) return PutF(image, offset, f);
    if (entries.size() <= offset / 4) entries.resize(offset / 4 + 1, 0x3F800000);
    entries[offset / 4] = FloatBits(f);
  }
  void finish() {
    if (constants) PlantConstants(image, entries);
  }
};

const FirmwareProfile& ProfileOf(int32_t version) { return *ProfileFor(version); }

std::vector<uint8_t> VshmainImage(int32_t version) {
  const FirmwareProfile& p = ProfileOf(version);
  const auto& S = p.VshOffsets;
  std::vector<uint8_t> img(p.VshmainSize);
  Planter plant{img, version == 500};
  plant.put(S[kVshMainIconX], -12.75f);
  plant.put(S[kVshMainIconY], 0.999f);
  plant.put(S[kVshUnfIconY], 88.5f);
  plant.put(S[kVshClockX], 400.0f);
  plant.put(S[kVshClockY], -3.5f);
  plant.put(S[kVshBusySpeed], 1.25f);
  plant.finish();
  img[S[kVshBmp01_12size]] = 0xFF;
  img[S[kVshBmp01_12size] + 1] = 0xFF;
  for (int i = 0; i < 30; ++i) {
    PutF(img, S[kVshTextColor] + 12 * i, 0.01f * i);
    PutF(img, S[kVshBGColor] + 12 * i + 8, 0.5f + 0.01f * i);
  }
  for (int i = 0; i < p.CategoryEntryCount; ++i) {
    // Only the low byte of each word belongs to the entry.
    for (int b = 0; b < 4; ++b) Put32(img, S[kVshCategoryEntries] + 16 * i + 4 * b, 0xABCDEF00 | (i * 4 + b));
  }
  for (int i = 0; i < p.ItemCount; ++i) {
    const std::size_t at = S[kVshItemTable] + 140 * i;
    Put32(img, at, 0x1000 + i);
    Put32(img, at + 4, 3);
    Put32(img, at + 8, 2);  // (2, 5): USB Connection, table index 1
    Put32(img, at + 12, 5);
    Put32(img, at + 24, 0x60000 + i);
    img[at + 28] = 1;
    std::memcpy(&img[at + 31], "tex_icon", 9);
    std::memcpy(&img[at + 103], "msg_item", 9);
  }
  return img;
}

float PafValue(int slot) { return 10.0f * slot + 0.75f; }

std::vector<uint8_t> PafImage(int32_t version) {
  const FirmwareProfile& p = ProfileOf(version);
  std::vector<uint8_t> img(p.PafSize);
  Planter plant{img, version == 500};
  for (int k = 0; k < kPafSlots; ++k) {
    if (p.PafOffsets[k] != 0) plant.put(p.PafOffsets[k], PafValue(k));
  }
  plant.finish();
  return img;
}

// ---- loading ------------------------------------------------------------------------------

std::vector<uint8_t> Snapshot(const FirmwareState& s) {
  std::vector<uint8_t> bytes(sizeof s);
  std::memcpy(bytes.data(), &s, sizeof s);
  return bytes;
}

class ModuleImageTest : public ::testing::Test {
 protected:
  Result<int64_t> LoadVsh(const std::vector<uint8_t>& file) {
    std::copy(file.begin(), file.end(), vsh.begin());
    return LoadVshmainImage(vsh, file.size(), state, scratch);
  }
  Result<int64_t> LoadPaf(const std::vector<uint8_t>& file) {
    std::copy(file.begin(), file.end(), paf.begin());
    return LoadModuleImage(paf, file.size(), state.Profile.PafSize, state, scratch);
  }
  // The load must be refused, say why (the cause holds `cause`), and leave every
  // byte of the state as it was.
  void ExpectRefused(const std::vector<uint8_t>& file, bool asVshmain, const std::string& cause) {
    const std::vector<uint8_t> before = Snapshot(state);
    const Result<int64_t> r = asVshmain ? LoadVsh(file) : LoadPaf(file);
    ASSERT_FALSE(r.ok()) << cause;
    EXPECT_NE(r.cause().find(cause), std::string::npos) << r.cause();
    EXPECT_EQ(Snapshot(state), before);
  }
  std::vector<uint8_t> Packed(const std::vector<uint8_t>& image, PspHeader header) {
    std::optional<std::span<const uint8_t>> f = PackPsp(image, header, scratch);
    EXPECT_TRUE(f.has_value());
    return f ? std::vector<uint8_t>(f->begin(), f->end()) : std::vector<uint8_t>{};
  }

  std::unique_ptr<FirmwareState> owner = std::make_unique<FirmwareState>();
  FirmwareState& state = *owner;
  std::vector<uint8_t> vsh = std::vector<uint8_t>(Capacity(FileArea::Vshmain));
  std::vector<uint8_t> paf = std::vector<uint8_t>(Capacity(FileArea::Paf));
  std::vector<uint8_t> scratch = std::vector<uint8_t>(kScratchSize);
};

class VshmainByVersion : public ModuleImageTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(VshmainByVersion, DetectsTheVersionAndReadsTheValues) {
  const int32_t version = GetParam();
  const FirmwareProfile& p = ProfileOf(version);
  state.Layout.TextColor[29].r = 9.0f;  // must survive unless the version has 30 entries
  state.ItemTable[0].ExecIndex = 77;
  state.UnlistedEntriesCounted = true;

  ASSERT_EQ(LoadVsh(VshmainImage(version)), p.VshmainSize);
  EXPECT_EQ(state.FirmwareVersion, version);
  EXPECT_EQ(state.Profile.PafSize, p.PafSize);
  EXPECT_EQ(state.CategoryEntryCount, p.CategoryEntryCount);
  EXPECT_EQ(state.ItemCount, p.ItemCount);
  EXPECT_EQ(state.VshmainLoadedSize, p.VshmainSize);
  EXPECT_FALSE(state.UnlistedEntriesCounted);

  const LayoutRecord& L = state.Layout;
  EXPECT_EQ(L.MainIconX, -12);  // float truncated toward zero
  EXPECT_EQ(L.MainIconY, 0);
  EXPECT_EQ(L.UnfIconY, 88);
  EXPECT_EQ(L.ClockX, 400);
  EXPECT_EQ(L.ClockY, -3);
  EXPECT_EQ(L.BusySpeed, 1.25f);
  EXPECT_EQ(L.Bmp01_12size, 65535);  // unsigned 16 bits
  EXPECT_EQ(L.TextColor[27].r, 0.01f * 27);
  EXPECT_EQ(L.BGColor[27].b, 0.5f + 0.01f * 27);
  EXPECT_EQ(L.TextColor[29].r, version == 500 ? 0.01f * 29 : 9.0f);

  const int last = p.CategoryEntryCount - 1;
  EXPECT_EQ(state.CategoryEntries[last].Category, last * 4);
  EXPECT_EQ(state.CategoryEntries[last].Region, last * 4 + 3);

  const ItemRecord& item = state.ItemTable[p.ItemCount - 1];
  EXPECT_EQ(item.Word0, 0x1000u + p.ItemCount - 1);
  EXPECT_EQ(item.Media, 3u);
  EXPECT_EQ(item.Word6, 0x60000u + p.ItemCount - 1);
  EXPECT_EQ(item.UmdFlag, 1);
  EXPECT_STREQ(item.MainImageTag.data(), "tex_icon");
  EXPECT_STREQ(item.NameTag.data(), "msg_item");
  EXPECT_STREQ(item.ShadowImageTag.data(), "");
  EXPECT_EQ(item.ExecIndex, 1);
  EXPECT_EQ(state.ItemTable[p.ItemCount].Word0, 0u) << "records past ItemCount are not loaded";
}

INSTANTIATE_TEST_SUITE_P(AllVersions, VshmainByVersion, ::testing::Values(390, 395, 401, 500));

TEST_F(ModuleImageTest, ItemDetailsTagsAndExecIndex) {
  std::vector<uint8_t> img = VshmainImage(390);
  const std::size_t at = ProfileOf(390).VshOffsets[kVshItemTable];
  std::memset(&img[at + 31], 'x', 24);  // no zero inside the field: all 24 bytes are the text
  Put32(img, at + 140 + 8, 31);         // (31, 6) is entry 39, beyond the 35 items of 3.90
  Put32(img, at + 140 + 12, 6);
  state.ItemTable[1].ExecIndex = 5;
  ASSERT_TRUE(LoadVsh(img).ok());
  EXPECT_EQ(state.ItemTable[0].MainImageTag.view(), std::string(24, 'x'));
  EXPECT_FALSE(state.ItemTable[0].MainImageTag.terminated());
  EXPECT_EQ(state.ItemTable[1].ExecIndex, 5) << "no match: left unchanged";
}

class PafByVersion : public ModuleImageTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(PafByVersion, EveryUsedSlotLoadsItsField) {
  const int32_t version = GetParam();
  ASSERT_TRUE(LoadVsh(VshmainImage(version)).ok());
  state.Layout.SubIconUpperSpace2 = 5;
  state.Layout.Sub2NetSearchX = 7.0f;
  state.Layout.IconSpeedX2 = 7;

  ASSERT_EQ(LoadPaf(PafImage(version)), ProfileOf(version).PafSize);
  EXPECT_EQ(state.PafLoadedSize, ProfileOf(version).PafSize);
  const LayoutRecord& L = state.Layout;
  for (const PafSlot& slot : PafSlotTable()) {
    const int k = slot.slot;
    if (!slot.loaded || (version != 500 && k > 18)) continue;
    // 3.90 names one place for slots 13 and 17; the value there is slot 17's.
    const float planted = PafValue(version == 390 && k == 13 ? 17 : k);
    if (auto* whole = std::get_if<int32_t LayoutRecord::*>(&slot.field->member)) {
      EXPECT_EQ(L.*(*whole), static_cast<int32_t>(planted)) << "slot " << k;
    } else {
      EXPECT_EQ(L.*std::get<float LayoutRecord::*>(slot.field->member), planted) << "slot " << k;
    }
  }
  if (version == 500) {
    EXPECT_EQ(L.SubIconUpperSpace2, 60);
    EXPECT_EQ(L.IconSpeedX2, 210);
  } else {
    EXPECT_EQ(L.SubIconUpperSpace2, 5) << "5.00-only fields stay as they were";
    EXPECT_EQ(L.Sub2NetSearchX, 7.0f);
    EXPECT_EQ(L.IconSpeedX2, 7);
  }
  if (version == 390) {
    EXPECT_EQ(L.SubMenuTextX2, L.SubMenuTextX1Seg);
  }
}

INSTANTIATE_TEST_SUITE_P(AllVersions, PafByVersion, ::testing::Values(390, 395, 401, 500));

TEST_F(ModuleImageTest, RefusalsLeaveTheStateAsItWas) {
  ASSERT_TRUE(LoadVsh(VshmainImage(500)).ok());
  ASSERT_TRUE(LoadPaf(PafImage(500)).ok());

  ExpectRefused(std::vector<uint8_t>(ProfileOf(500).VshmainSize + 1), true,
                "325341 bytes, no known version has this size and it has no ~PSP signature");
  ExpectRefused(std::vector<uint8_t>(100), true, "100 bytes, no known version");
  ExpectRefused({}, true, "0 bytes");
  // A 3.95 paf.prx after a 5.00 vshmain.prx.
  ExpectRefused(PafImage(395), false, "1755918 bytes, expected 1759932 bytes for firmware 500");

  // Compressed images that are broken or hold the wrong size.
  std::vector<uint8_t> packed = Packed(VshmainImage(401), BuiltinVshmainPspHeader());
  std::vector<uint8_t> bad_crc = packed;
  bad_crc[bad_crc.size() - 8] ^= 1;
  ExpectRefused(bad_crc, true, "gzip trailer CRC-32 0x");
  std::vector<uint8_t> bad_length = packed;
  bad_length[bad_length.size() - 1] ^= 0x80;
  ExpectRefused(bad_length, true, "gzip trailer length 2147786370 at " + Hex(packed.size() - 4));
  ExpectRefused(std::vector<uint8_t>(packed.begin(), packed.end() - 100), true, "before its last block");
  ExpectRefused(Packed(std::vector<uint8_t>(1234, 7), BuiltinVshmainPspHeader()), true,
                "~PSP image unpacks to 1234 bytes, no known version has this size");
  ExpectRefused(Packed(PafImage(395), BuiltinPafPspHeader()), false,
                "~PSP image unpacks to 1755918 bytes, expected 1759932 bytes");

  // A module load without a detected version has no size to compare with.
  FirmwareState fresh;
  std::copy(packed.begin(), packed.end(), paf.begin());
  EXPECT_FALSE(LoadModuleImage(paf, packed.size(), fresh.Profile.PafSize, fresh, scratch).ok());
}

TEST_F(ModuleImageTest, CompressedVshmainSelectsItsVersionAndKeepsItsHeader) {
  PspHeader header = BuiltinVshmainPspHeader();
  header[0x80] = 0x5A;  // something the built-in header does not hold
  const std::vector<uint8_t> plain = VshmainImage(401);
  const std::vector<uint8_t> file = Packed(plain, header);

  ASSERT_EQ(LoadVsh(file), 302722);
  EXPECT_EQ(state.FirmwareVersion, 401);
  EXPECT_TRUE(std::equal(state.VshmainPspHeader.begin(), state.VshmainPspHeader.end(), file.begin()));
  EXPECT_EQ(state.VshmainPspHeader[0x80], 0x5A);
  EXPECT_EQ(state.PafPspHeader, BuiltinPafPspHeader());
  EXPECT_EQ(0, std::memcmp(vsh.data(), plain.data(), plain.size())) << "the area holds the plain image";
  EXPECT_EQ(state.Layout.MainIconX, -12);
}

TEST_F(ModuleImageTest, CompressedPafWithAFileNameInflates) {
  ASSERT_TRUE(LoadVsh(VshmainImage(395)).ok());
  PspHeader header = BuiltinPafPspHeader();
  header[0x140] = 0xC3;
  std::vector<uint8_t> file = Packed(PafImage(395), header);
  // Give the gzip member a name field: FNAME flag and "paf.prx" with its zero.
  file[kPspHeaderSize + 3] |= 0x08;
  const char name[] = "paf.prx";
  file.insert(file.begin() + kPspHeaderSize + 10, name, name + sizeof name);

  ASSERT_EQ(LoadPaf(file), ProfileOf(395).PafSize);
  EXPECT_EQ(state.Layout.SubMenuTextY, static_cast<int32_t>(PafValue(16)));
  EXPECT_EQ(state.PafPspHeader[0x140], 0xC3);
}

TEST_F(ModuleImageTest, CompressedOpeningKeepsNoHeader) {
  ASSERT_TRUE(LoadVsh(VshmainImage(500)).ok());
  const int32_t size = ProfileOf(500).OpeningSize;
  PspHeader header = BuiltinVshmainPspHeader();
  header[0x80] = 0x11;
  const std::vector<uint8_t> file = Packed(std::vector<uint8_t>(size, 0x42), header);
  std::vector<uint8_t> area(Capacity(FileArea::Opening));
  std::copy(file.begin(), file.end(), area.begin());
  const std::vector<uint8_t> before = Snapshot(state);

  ASSERT_EQ(LoadModuleImage(area, file.size(), size, state, scratch), size);
  EXPECT_EQ(state.OpeningLoadedSize, size);
  EXPECT_EQ(area[size - 1], 0x42);
  state.OpeningLoadedSize = 0;
  EXPECT_EQ(Snapshot(state), before) << "nothing but the loaded size changes";
}

// ---- files ----------------------------------------------------------------------------------

std::string WriteTemp(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = ::testing::TempDir() + "qorvi_module_image_" + name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return path;
}

TEST_F(ModuleImageTest, LoadsFromFilesAndReportsOpenAndSizeFailures) {
  const std::string vsh_path = WriteTemp("vshmain.prx", VshmainImage(390));
  const std::string paf_path = WriteTemp("paf.prx", PafImage(390));
  ASSERT_EQ(LoadVshmain(vsh_path, vsh, state, scratch), 313556);
  ASSERT_EQ(LoadModule(paf_path, paf, state.Profile.PafSize, state, scratch), 1896458);
  EXPECT_EQ(state.Layout.IconSpeedX1, static_cast<int32_t>(PafValue(0)));

  const std::vector<uint8_t> before = Snapshot(state);
  auto refused = [](const Result<int64_t, ModuleRefusal>& r, ModuleFailure kind, const std::string& cause) {
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.refusal().kind, kind);
    EXPECT_EQ(r.cause(), cause);
  };
  refused(LoadVshmain(vsh_path + ".missing", vsh, state, scratch), ModuleFailure::CannotOpen,
          "No such file or directory");
  refused(LoadModule(paf_path + ".missing", paf, state.Profile.PafSize, state, scratch), ModuleFailure::CannotOpen,
          "No such file or directory");
  refused(LoadVshmain(::testing::TempDir(), vsh, state, scratch), ModuleFailure::CannotOpen, "is a folder");
  // A file longer than its area is refused even though its first bytes would fit.
  std::span<uint8_t> short_area = std::span(vsh).first(313555);
  refused(LoadVshmain(vsh_path, short_area, state, scratch), ModuleFailure::SizeMismatch,
          "larger than the 313555 bytes it may hold");
  EXPECT_EQ(Snapshot(state), before);
  std::remove(vsh_path.c_str());
  std::remove(paf_path.c_str());
}

}  // namespace
}  // namespace qorvi
