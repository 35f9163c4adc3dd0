// SPDX-License-Identifier: GPL-3.0-or-later
// The writer of one output file: plain and compressed modules, the module told by
// its length, the ~PSP header fields, and failures that never leave a cut file.
#include "firmware/module_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "firmware/byte_reader.h"
#include "firmware/constants_harvest.h"
#include "firmware/module_image.h"
#include "firmware/psp_inflate_check.h"
#include "platform/file_size_limit.h"
#include "support/scoped_temp_dir.h"

namespace qorvi {
namespace {

using testing::InflateWithPython;
using testing::ReadBytes;
using testing::ScopedFileSizeLimit;
using testing::ScopedTempDir;
using testing::WriteBytes;

namespace fs = std::filesystem;

// A module image whose 32-bit words are their own indices: no word looks like a
// lui, ori or mtc1 of $at.
std::vector<uint8_t> Counting(std::size_t size) {
  std::vector<uint8_t> v(size);
  ByteWriter w(v);
  for (std::size_t i = 0; i + 4 <= size; i += 4) w.u32(i, static_cast<uint32_t>(i / 4));
  return v;
}

uint32_t Word(std::span<const uint8_t> bytes, uint64_t at) { return ByteReader(bytes).u32(at); }

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class Writer : public ::testing::Test {
 protected:
  ScopedTempDir dir;
  std::vector<uint8_t> scratch = std::vector<uint8_t>(8 << 20);
  FirmwareState state;
  LayoutRecord layout;

  void Select(int32_t version) {
    SelectProfile(state, version);
    layout.MainIconX = 123;
    layout.MainMenuTextY = -40;
  }
  FileWriteResult Write(const std::string& name, std::vector<uint8_t>& image, bool compress,
                        const std::string& sound = "") {
    return WriteFirmwareFile(dir / name, image, image.size(), image.size(), layout, state, compress, sound, scratch,
                             "out/" + name);
  }
};

TEST_F(Writer, PlainModuleIsThePatchedImage) {
  Select(390);
  std::vector<uint8_t> image = Counting(state.Profile.VshmainSize);
  ASSERT_EQ(Write("vshmain.prx", image, false), kFileWritten);
  EXPECT_EQ(Word(image, 0x3D25C), FloatBits(123.0f)) << "the image in memory stays patched";
  EXPECT_TRUE(ReadBytes(dir / "vshmain.prx") == image);
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"vshmain.prx"}) << "no temporary file is left";
}

TEST_F(Writer, NothingLoadedWritesNothing) {
  Select(390);
  std::vector<uint8_t> image(16);
  EXPECT_EQ(WriteFirmwareFile(dir / "x", image, 16, 0, layout, state, true, "", scratch), kFileWritten);
  EXPECT_FALSE(fs::exists(dir / "x"));
  const FileWriteResult longer = WriteFirmwareFile(dir / "x", image, 16, 17, layout, state, false, "", scratch, "x");
  EXPECT_EQ(longer, kWriteFailed);
  EXPECT_EQ(longer.cause, "x: 17 bytes do not fit the 16-byte area");
  EXPECT_EQ(WriteFirmwareFile(dir / "x", image, 8, 12, layout, state, false, "", scratch), kWriteFailed);
  EXPECT_FALSE(fs::exists(dir / "x"));
}

// Compressed modules of 4.01 with the built-in headers.
struct PackCase {
  const char* label;
  const char* name;
  int32_t FirmwareProfile::*size;
  bool pafHeader;
};

class Compressed : public Writer, public ::testing::WithParamInterface<PackCase> {};

TEST_P(Compressed, HeaderFieldsAndAMemberAnyInflaterReads) {
  const PackCase c = GetParam();
  Select(401);
  WriteBytes(dir / "boot.wav", std::vector<uint8_t>(100, 0x5A));
  const PspHeader template_header = c.pafHeader ? BuiltinPafPspHeader() : BuiltinVshmainPspHeader();
  std::vector<uint8_t> image = Counting(state.Profile.*(c.size));
  ASSERT_EQ(Write(c.name, image, true, dir / "boot.wav"), kFileWritten);

  const std::vector<uint8_t> file = ReadBytes(dir / c.name);
  ASSERT_GT(file.size(), 0x162u);
  const uint32_t deflated = static_cast<uint32_t>(file.size() - 0x162);
  EXPECT_EQ(Word(file, 0x28), image.size());
  EXPECT_EQ(Word(file, 0x2C), file.size()) << "total length D + 0x162";
  EXPECT_EQ(Word(file, 0xB0), deflated + 0x12) << "gzip member length";
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[0x0A])), "Qorvi compress header");
  // Everything else comes from the template.
  PspHeader want = template_header;
  std::copy(file.begin() + 0x0A, file.begin() + 0x20, want.begin() + 0x0A);
  for (std::size_t at : {0x28u, 0x2Cu, 0xB0u}) std::copy(file.begin() + at, file.begin() + at + 4, want.begin() + at);
  EXPECT_TRUE(std::equal(want.begin(), want.end(), file.begin()));
  EXPECT_EQ(Word(file, 0x130), kPspDecryptedGzipTag);
  // The header buffer keeps the fields of this packing.
  const PspHeader& kept = c.pafHeader ? state.PafPspHeader : state.VshmainPspHeader;
  EXPECT_TRUE(std::equal(kept.begin(), kept.end(), file.begin()));

  const auto inflated = InflateWithPython(dir / c.name);
  ASSERT_TRUE(inflated.has_value());
  EXPECT_TRUE(*inflated == image) << "the member holds the patched image";
}

INSTANTIATE_TEST_SUITE_P(Modules, Compressed,
                         ::testing::Values(PackCase{"vshmain", "vshmain.prx", &FirmwareProfile::VshmainSize, false},
                                           PackCase{"paf", "paf.prx", &FirmwareProfile::PafSize, true},
                                           PackCase{"opening", "opening_plugin.prx", &FirmwareProfile::OpeningSize,
                                                    false}),
                         [](const auto& param_info) { return std::string(param_info.param.label); });

// A 5.00 paf.prx whose constants are built in code: constant group k holds the
// single k (so every integer field loads and saves as itself); groups are written
// lui, ori, mtc1 with group 0 last, as the backward scan numbers them.
std::vector<uint8_t> Paf500WithCode(int32_t size, int groups) {
  std::vector<uint8_t> image = Counting(size);
  ByteWriter w(image);
  const uint64_t start = 0x10000;
  for (int k = 0; k < groups; ++k) {
    // Slot 8 (entry 651) holds the second copy of SubIconSize (slot 7, entry 644).
    const uint32_t bits = FloatBits(static_cast<float>(k == 651 ? 644 : k));
    const uint64_t at = start + 12 * static_cast<uint64_t>(groups - 1 - k);
    w.u32(at, 0x3C010000u | (bits >> 16));
    w.u32(at + 4, 0x34210000u | (bits & 0xFFFF));
    w.u32(at + 8, 0x44816000u);
  }
  return image;
}

TEST_F(Writer, Paf500ChangedValueLandsInItsLuiOriPairOnly) {
  Select(500);
  std::vector<uint8_t> image = Paf500WithCode(state.Profile.PafSize, 1100);
  const std::vector<uint8_t> original = image;
  HarvestConstants(image, state.PafConstants);
  ASSERT_TRUE(ExtractPaf(image, state));
  layout = state.Layout;

  // Unchanged values leave the code as it is.
  ASSERT_EQ(Write("paf.prx", image, false), kFileWritten);
  EXPECT_TRUE(ReadBytes(dir / "paf.prx") == original);

  layout.MainMenuTextY = 1234;  // slot 2: entry 0x2C0 / 4 = 176; 1234.0f = 0x449A4000
  ASSERT_EQ(Write("paf.prx", image, false), kFileWritten);
  const std::vector<uint8_t> file = ReadBytes(dir / "paf.prx");
  const uint64_t group = 0x10000 + 12 * (1100 - 1 - 176);
  EXPECT_EQ(Word(file, group), 0x3C01449Au);
  EXPECT_EQ(Word(file, group + 4), 0x34214000u);
  std::vector<uint8_t> rest = file;
  ByteWriter(rest).u32(group, Word(original, group));
  ByteWriter(rest).u32(group + 4, Word(original, group + 4));
  EXPECT_TRUE(rest == original) << "no other word changes";
}

TEST_F(Writer, ResourceIsNeverTakenForAModule) {
  Select(390);
  // A container that happens to be as long as the version's vshmain.prx.
  std::vector<uint8_t> image = Counting(state.Profile.VshmainSize);
  ASSERT_EQ(WriteResourceFile(dir / "topmenu_icon.rco", image, 0x80000, image.size()), kFileWritten);
  EXPECT_TRUE(ReadBytes(dir / "topmenu_icon.rco") == Counting(state.Profile.VshmainSize));
  EXPECT_EQ(WriteResourceFile(dir / "empty.rco", image, 0x80000, 0), kFileWritten);
  EXPECT_FALSE(fs::exists(dir / "empty.rco"));
}

TEST_F(Writer, BootSoundFailureWritesNothingAndKeepsTheOldFile) {
  Select(401);
  WriteBytes(dir / "opening_plugin.prx", {1, 2, 3});
  WriteBytes(dir / "big.wav", std::vector<uint8_t>(49377, 1));
  std::vector<uint8_t> image = Counting(state.Profile.OpeningSize);
  EXPECT_EQ(Write("opening_plugin.prx", image, true, dir / "big.wav"), kBootSoundTooBig);
  EXPECT_EQ(Write("opening_plugin.prx", image, false, dir / "missing.wav"), kBootSoundCannotOpen);
  EXPECT_TRUE(ReadBytes(dir / "opening_plugin.prx") == std::vector<uint8_t>({1, 2, 3}));
  EXPECT_TRUE(image == Counting(state.Profile.OpeningSize));
}

// The disk fills during the write: the write error, no cut file, and the earlier
// good output stays.
TEST_F(Writer, FullDiskKeepsTheEarlierOutput) {
  Select(390);
  std::vector<uint8_t> image = Counting(state.Profile.VshmainSize);
  ASSERT_EQ(Write("vshmain.prx", image, false), kFileWritten);
  const std::vector<uint8_t> good = ReadBytes(dir / "vshmain.prx");
  layout.MainIconX = 7;
  for (bool compress : {false, true}) {
    SCOPED_TRACE(compress ? "compressed" : "plain");
    {
      ScopedFileSizeLimit full(64 * 1024);
      const FileWriteResult r = Write("vshmain.prx", image, compress);
      EXPECT_EQ(r, kWriteFailed);
      EXPECT_EQ(r.cause, "out/vshmain.prx: File too large") << "the output and the system's reason";
    }
    EXPECT_TRUE(ReadBytes(dir / "vshmain.prx") == good);
    EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"vshmain.prx"});
  }
  // With room again the same call succeeds.
  EXPECT_EQ(Write("vshmain.prx", image, false), kFileWritten);
  EXPECT_FALSE(ReadBytes(dir / "vshmain.prx") == good);
}

}  // namespace
}  // namespace qorvi
