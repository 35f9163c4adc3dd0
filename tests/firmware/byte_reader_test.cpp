// SPDX-License-Identifier: GPL-3.0-or-later
// The bounds-checked reader and writer on their own: every access at the edges of
// a buffer, the values read and written, and the first failure they remember.
#include "firmware/byte_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace qorvi {
namespace {

constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();

TEST(InRange, EdgesAndOverflow) {
  struct Case {
    std::size_t size;
    uint64_t offset;
    uint64_t count;
    bool in;
  } cases[] = {
      {8, 0, 8, true},
      {8, 8, 0, true},
      {8, 7, 1, true},
      {8, 7, 2, false},
      {8, 9, 0, false},
      {0, 0, 0, true},
      {0, 0, 1, false},
      {8, kMax, 1, false},
      {8, 1, kMax, false},  // offset + count would wrap
                            // to 0
      {8, kMax, kMax, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InRange(c.size, c.offset, c.count), c.in) << c.size << " " << c.offset << " " << c.count;
  }
}

TEST(ByteReader, ReadsLittleEndianValuesInsideTheBuffer) {
  const std::vector<uint8_t> bytes{0x01, 0x02, 0x03, 0x04, 0x00, 0x00, 0x80, 0x3F, 0xFE, 'a', 'b', 0, 'c'};
  ByteReader r(bytes);
  EXPECT_EQ(r.u8(0), 0x01);
  EXPECT_EQ(r.u16(0), 0x0201);
  EXPECT_EQ(r.u32(0), 0x04030201u);
  EXPECT_EQ(r.f32(4), 1.0f);
  EXPECT_EQ(r.s8(8), -2);
  EXPECT_EQ(r.cstring(9), "ab");
  EXPECT_EQ(r.cstring(11), "");
  EXPECT_EQ(r.bytes(9, 2).size(), 2u);
  EXPECT_EQ(r.bytes(13, 0).size(), 0u);
  EXPECT_EQ(r.rest(12).size(), 1u);
  EXPECT_EQ(r.rest(13).size(), 0u);
  EXPECT_TRUE(r.has(12, 1));
  EXPECT_FALSE(r.has(12, 2));
  EXPECT_TRUE(r.ok()) << r.failure();
  EXPECT_EQ(r.failure(), "");
}

// One access outside the buffer per row: it yields zero or nothing, fails the
// reader and says where.
TEST(ByteReader, RefusesEveryAccessOutsideAndRemembersTheFirst) {
  const std::vector<uint8_t> bytes{1, 2, 3, 4, 5, 6, 'x', 'y'};
  struct Case {
    const char* what;
    uint64_t (*read)(ByteReader&);  // the value read, 0 for nothing
    const char* failure;
  } cases[] = {
      {"u8 at the end", [](ByteReader& r) -> uint64_t { return r.u8(8); }, "1 byte at 0x8 run past the end (8 bytes)"},
      {"u16 across the end", [](ByteReader& r) -> uint64_t { return r.u16(7); },
       "2 bytes at 0x7 run past the end (8 bytes)"},
      {"u32 across the end", [](ByteReader& r) -> uint64_t { return r.u32(5); },
       "4 bytes at 0x5 run past the end (8 bytes)"},
      {"u32 far out", [](ByteReader& r) -> uint64_t { return r.u32(0xFFFFFFFFFFFFFFFE); },
       "offset 0xfffffffffffffffe lies past the end (8 bytes)"},
      {"f32 across the end", [](ByteReader& r) -> uint64_t { return r.f32(6) != 0.0f; },
       "4 bytes at 0x6 run past the end (8 bytes)"},
      {"bytes across the end", [](ByteReader& r) -> uint64_t { return r.bytes(4, 5).size(); },
       "5 bytes at 0x4 run past the end (8 bytes)"},
      {"bytes with a wrapping count", [](ByteReader& r) -> uint64_t { return r.bytes(1, kMax).size(); },
       "18446744073709551615 bytes at 0x1 run past the end (8 bytes)"},
      {"rest past the end", [](ByteReader& r) -> uint64_t { return r.rest(9).size(); },
       "offset 0x9 lies past the end (8 bytes)"},
      {"string without a zero", [](ByteReader& r) -> uint64_t { return r.cstring(6).size(); },
       "the string at 0x6 has no terminating zero before the end (8 bytes)"},
      {"string at the end", [](ByteReader& r) -> uint64_t { return r.cstring(8).size(); },
       "the string at 0x8 has no terminating zero before the end (8 bytes)"},
      {"string past the end", [](ByteReader& r) -> uint64_t { return r.cstring(9).size(); },
       "offset 0x9 lies past the end (8 bytes)"},
  };
  for (const Case& c : cases) {
    ByteReader r(bytes);
    EXPECT_EQ(c.read(r), 0u) << c.what;
    EXPECT_FALSE(r.ok()) << c.what;
    EXPECT_EQ(r.failure(), c.failure) << c.what;
    // The first failure is the one kept; later reads inside still work.
    EXPECT_EQ(r.u8(100), 0);
    EXPECT_EQ(r.u8(0), 1);
    EXPECT_EQ(r.failure(), c.failure) << c.what;
  }
}

TEST(ByteReader, FailForAReasonOfTheCaller) {
  ByteReader r(std::vector<uint8_t>(4));
  r.fail("bits per pixel 3 at 0x4c");
  r.u32(2);
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.failure(), "bits per pixel 3 at 0x4c");
}

TEST(ByteWriter, WritesLittleEndianAndRefusesOutsideWithoutTouchingAByte) {
  std::vector<uint8_t> bytes(8, 0xEE);
  ByteWriter w(bytes);
  w.u8(0, 0x01);
  w.u16(1, 0x0302);
  w.u32(3, 0x07060504);
  EXPECT_TRUE(w.ok());
  EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 0xEE}));
  w.f32(4, 1.0f);
  EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3, 4, 0, 0, 0x80, 0x3F}));
  w.fill(0, 2, 0xAA);
  w.bytes(6, std::vector<uint8_t>{9, 8});
  w.bytes(8, {});  // nothing at the very end is fine
  w.fill(8, 0, 0);
  EXPECT_TRUE(w.ok()) << w.failure();
  const std::vector<uint8_t> written{0xAA, 0xAA, 3, 4, 0, 0, 9, 8};
  EXPECT_EQ(bytes, written);

  struct Case {
    const char* what;
    void (*write)(ByteWriter&);
    const char* failure;
  } cases[] = {
      {"u8 at the end", [](ByteWriter& x) { x.u8(8, 1); }, "1 byte at 0x8 run past the end (8 bytes)"},
      {"u16 across the end", [](ByteWriter& x) { x.u16(7, 1); }, "2 bytes at 0x7 run past the end (8 bytes)"},
      {"u32 across the end", [](ByteWriter& x) { x.u32(5, 1); }, "4 bytes at 0x5 run past the end (8 bytes)"},
      {"f32 far out", [](ByteWriter& x) { x.f32(kMax, 1.0f); },
       "offset 0xffffffffffffffff lies past the end (8 bytes)"},
      {"bytes across the end",
       [](ByteWriter& x) {
         x.bytes(6, std::vector<uint8_t>{1, 2, 3});
       },
       "3 bytes at 0x6 run past the end (8 bytes)"},
      {"fill with a wrapping count", [](ByteWriter& x) { x.fill(2, kMax - 1, 0); },
       "18446744073709551614 bytes at 0x2 run past the end (8 bytes)"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> copy = written;
    ByteWriter x(copy);
    c.write(x);
    EXPECT_FALSE(x.ok()) << c.what;
    EXPECT_EQ(x.failure(), c.failure) << c.what;
    EXPECT_EQ(copy, written) << c.what << ": nothing written, not even the part inside";
  }
}

TEST(WordView, WholeWordsOnlyAndNothingPastThem) {
  const std::vector<uint8_t> bytes{0x01, 0x02, 0x03, 0x04, 0x81, 0x44, 0x00, 0x00, 0xAA, 0xBB};
  const WordView words(bytes);
  ASSERT_EQ(words.size(), 2u) << "the two trailing bytes make no word";
  EXPECT_EQ(words[0], 0x04030201u);
  EXPECT_EQ(words[1], 0x00004481u);
  EXPECT_EQ(words[2], 0u);
  EXPECT_EQ(words[std::numeric_limits<std::size_t>::max() / 2], 0u);
  EXPECT_EQ(WordView(std::vector<uint8_t>(3)).size(), 0u);
}

TEST(FloatBits, RoundTripsEveryKindOfSingle) {
  for (uint32_t bits : {0x00000000u, 0x80000000u, 0x3F800000u, 0x7F800000u, 0x7FC00001u, 0x00000001u}) {
    EXPECT_EQ(FloatBits(BitsFloat(bits)), bits);
  }
}

}  // namespace
}  // namespace qorvi
