// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/constants_harvest.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace qorvi {
namespace {

constexpr uint32_t Lui(uint32_t hi) { return 0x3C010000 | hi; }
constexpr uint32_t Ori(uint32_t lo) { return 0x34210000 | lo; }
constexpr uint32_t kMtc1 = 0x44816000;  // mtc1 $at, $f12
constexpr uint32_t kNop = 0x00000000;
constexpr uint32_t kOther = 0x27BDFFF0;  // addiu $sp, $sp, -16

std::vector<uint8_t> Bytes(const std::vector<uint32_t>& words) {
  std::vector<uint8_t> out;
  for (uint32_t w : words) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(w >> (8 * i)));
  }
  return out;
}

uint32_t WordAt(const std::vector<uint8_t>& bytes, std::size_t index) {
  uint32_t w = 0;
  for (int i = 0; i < 4; ++i) w |= static_cast<uint32_t>(bytes[4 * index + i]) << (8 * i);
  return w;
}

TEST(HarvestConstants, RecognisesGroupsAndNumbersThemFromTheEnd) {
  // In file order. The scan runs backwards, so the last group is entry 0.
  const std::vector<uint8_t> image = Bytes({
      Lui(0x4120), kNop, kMtc1,                 // entry 2: 10.0, no ori
      Ori(0x1111),                              // ori not followed by mtc1: ignored
      Lui(0x4334), kMtc1,                       // entry 1: lui directly followed by mtc1
      kOther, Lui(0x3F80), Ori(0x0000), kMtc1,  // entry 0: 1.0
      Ori(0x2222),                              // trailing ori, no mtc1 after it
  });
  std::array<uint32_t, 8> table;
  table.fill(0xDEADBEEF);
  EXPECT_EQ(HarvestConstants(image, table), 3 * 4);
  EXPECT_EQ(table[0], 0x3F800000u);
  EXPECT_EQ(table[1], 0x43340000u);
  EXPECT_EQ(table[2], 0x41200000u);
  EXPECT_EQ(table[3], 0u) << "entries no group reaches are cleared";
}

TEST(HarvestConstants, CountsGroupsPastTheTableButDropsThem) {
  const std::vector<uint8_t> image = Bytes({Lui(0x1000), kMtc1, Lui(0x2000), kMtc1, Lui(0x3000), kMtc1});
  std::array<uint32_t, 2> table{};
  EXPECT_EQ(HarvestConstants(image, table), 12);
  EXPECT_EQ(table[0], 0x30000000u);
  EXPECT_EQ(table[1], 0x20000000u);
}

TEST(HarvestConstants, IgnoresATrailingPartialWord) {
  std::vector<uint8_t> image = Bytes({Lui(0x3F80), kMtc1});
  image.push_back(0x81);
  image.push_back(0x44);  // would look like half of an mtc1 if it were read
  std::array<uint32_t, 2> table{};
  EXPECT_EQ(HarvestConstants(image, table), 4);
  EXPECT_EQ(table[0], 0x3F800000u);
}

// Several groups among other code: entry 0 has an ori, entry 1 has none, entry 2 has one.
std::vector<uint8_t> SampleCode() {
  return Bytes({kOther, Lui(0x4040), Ori(0x1234), kOther, kMtc1,  // entry 2
                kNop, Lui(0x4334), kMtc1,                         // entry 1
                Lui(0x3F80), Ori(0x0001), kMtc1, kOther});        // entry 0
}

TEST(PatchFloatImmediates, UnchangedTableLeavesTheCodeIdentical) {
  std::vector<uint8_t> image = SampleCode();
  std::array<uint32_t, 4> table{};
  HarvestConstants(image, table);
  PatchFloatImmediates(table, image);
  EXPECT_EQ(image, SampleCode());
}

TEST(PatchFloatImmediates, ChangedEntryRewritesOnlyItsGroup) {
  std::vector<uint8_t> image = SampleCode();
  std::array<uint32_t, 4> table{};
  HarvestConstants(image, table);
  table[2] = 0xC2AB8000;  // -85.75
  PatchFloatImmediates(table, image);

  const std::vector<uint8_t> before = SampleCode();
  for (std::size_t i = 0; i < before.size() / 4; ++i) {
    if (i == 1) {
      EXPECT_EQ(WordAt(image, i), Lui(0xC2AB));
    } else if (i == 2) {
      EXPECT_EQ(WordAt(image, i), Ori(0x8000));
    } else {
      EXPECT_EQ(WordAt(image, i), WordAt(before, i)) << "word " << i;
    }
  }
  std::array<uint32_t, 4> again{};
  EXPECT_EQ(HarvestConstants(image, again), 12);
  EXPECT_EQ(again, table);
}

TEST(PatchFloatImmediates, GroupWithoutOriGetsOnlyItsUpperHalf) {
  std::vector<uint8_t> image = SampleCode();
  std::array<uint32_t, 4> table{};
  HarvestConstants(image, table);
  table[1] = 0x12345678;
  PatchFloatImmediates(table, image);
  EXPECT_EQ(WordAt(image, 6), Lui(0x1234));
  std::array<uint32_t, 4> again{};
  HarvestConstants(image, again);
  EXPECT_EQ(again[1], 0x12340000u);
  EXPECT_EQ(again[0], table[0]);
  EXPECT_EQ(again[2], table[2]);
}

TEST(PatchFloatImmediates, LeavesGroupsPastTheTableAlone) {
  std::vector<uint8_t> image = SampleCode();
  std::array<uint32_t, 1> table{0x40000000};
  PatchFloatImmediates(table, image);
  const std::vector<uint8_t> before = SampleCode();
  EXPECT_EQ(WordAt(image, 8), Lui(0x4000));
  EXPECT_EQ(WordAt(image, 9), Ori(0x0000));
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(WordAt(image, i), WordAt(before, i)) << "word " << i;
}

}  // namespace
}  // namespace qorvi
