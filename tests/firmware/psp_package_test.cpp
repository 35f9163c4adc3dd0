// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/psp_package.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "model/work_area.h"

namespace qorvi {
namespace {

std::vector<uint8_t> SampleImage(std::size_t size) {
  std::vector<uint8_t> v(size);
  uint32_t x = 12345;
  for (std::size_t i = 0; i < size; ++i) {
    x = x * 1103515245u + 12345u;
    v[i] = (i % 7 == 0) ? static_cast<uint8_t>(x >> 24) : static_cast<uint8_t>(i / 64);
  }
  return v;
}

std::vector<uint8_t> RawDeflate(const std::vector<uint8_t>& data) {
  z_stream z{};
  EXPECT_EQ(deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
  std::vector<uint8_t> out(deflateBound(&z, data.size()));
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(out.size() - z.avail_out);
  deflateEnd(&z);
  return out;
}

void Put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

uint32_t Get32(std::span<const uint8_t> v, std::size_t at) {
  uint32_t x = 0;
  for (int i = 0; i < 4; ++i) x |= static_cast<uint32_t>(v[at + i]) << (8 * i);
  return x;
}

struct MemberOptions {
  uint8_t flags = 0;
  std::string name;
  std::string comment;
  std::vector<uint8_t> extra;
};

// A "~PSP" file: a header of 336 bytes, then one gzip member holding `content`.
std::vector<uint8_t> PspFile(const std::vector<uint8_t>& content, const MemberOptions& o = {}) {
  std::vector<uint8_t> f(kPspHeaderSize, 0);
  std::memcpy(f.data(), "~PSP", 4);
  const std::size_t member = f.size();
  for (uint8_t b : {uint8_t{0x1F}, uint8_t{0x8B}, uint8_t{0x08}, o.flags}) f.push_back(b);
  f.resize(f.size() + 5, 0);  // time, extra flags
  f.push_back(0x03);          // operating system
  if (o.flags & 0x04) {
    f.push_back(static_cast<uint8_t>(o.extra.size()));
    f.push_back(static_cast<uint8_t>(o.extra.size() >> 8));
    f.insert(f.end(), o.extra.begin(), o.extra.end());
  }
  if (o.flags & 0x08) f.insert(f.end(), o.name.c_str(), o.name.c_str() + o.name.size() + 1);
  if (o.flags & 0x10) f.insert(f.end(), o.comment.c_str(), o.comment.c_str() + o.comment.size() + 1);
  if (o.flags & 0x02) {
    const uLong crc = crc32(0L, f.data() + member, static_cast<uInt>(f.size() - member));
    f.push_back(static_cast<uint8_t>(crc));
    f.push_back(static_cast<uint8_t>(crc >> 8));
  }
  const std::vector<uint8_t> body = RawDeflate(content);
  f.insert(f.end(), body.begin(), body.end());
  Put32(f, static_cast<uint32_t>(crc32(0L, content.data(), static_cast<uInt>(content.size()))));
  Put32(f, static_cast<uint32_t>(content.size()));
  return f;
}

class UnpackPspTest : public ::testing::Test {
 protected:
  std::vector<uint8_t> out = std::vector<uint8_t>(kInflateLimit);
};

TEST_F(UnpackPspTest, InflatesMembersWithOptionalHeaderFields) {
  const std::vector<uint8_t> content = SampleImage(70000);
  const std::vector<MemberOptions> cases = {
      {},
      {0x08, "paf.prx", "", {}},
      {0x04, "", "", {'A', 'B', 4, 0, 1, 2, 3, 4}},
      {0x10, "", "a comment", {}},
      {0x02, "", "", {}},
      {0x1E, "vshmain.prx", "both", {1, 2}},
  };
  for (const MemberOptions& o : cases) {
    SCOPED_TRACE(static_cast<int>(o.flags));
    ASSERT_EQ(UnpackPsp(PspFile(content, o), out), static_cast<int64_t>(content.size()));
    EXPECT_EQ(0, std::memcmp(out.data(), content.data(), content.size()));
  }
}

TEST_F(UnpackPspTest, ZeroesTheOutputBehindTheImage) {
  std::fill(out.begin(), out.end(), uint8_t{0xAA});
  const std::vector<uint8_t> content = SampleImage(1000);
  ASSERT_EQ(UnpackPsp(PspFile(content), out), 1000);
  EXPECT_EQ(out[1000], 0);
  EXPECT_EQ(out.back(), 0);
}

TEST_F(UnpackPspTest, RefusesBrokenFiles) {
  const std::vector<uint8_t> content = SampleImage(5000);
  const std::vector<uint8_t> good = PspFile(content);
  ASSERT_EQ(UnpackPsp(good, out), 5000);
  const std::size_t trailer = good.size() - 8;
  auto changed = [&](std::size_t at, uint8_t xor_mask) {
    std::vector<uint8_t> f = good;
    f[at] ^= xor_mask;
    return f;
  };
#if defined(__GNUC__) && !defined(__clang__)
// GCC 12 at -O3 sees the inlined copies of these vectors read or write past their
// ends (-Wstringop-overread, -Warray-bounds), though each copy stays within what the
// vector holds or has made room for: known false positives of that compiler.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wstringop-overread"
#pragma GCC diagnostic ignored "-Warray-bounds"
#endif
  auto cut = [&](std::size_t size) { return std::vector<uint8_t>(good.begin(), good.begin() + size); };
  // A bare gzip header with the given flags followed by `tail` and nothing else.
  auto header_then = [&](uint8_t flags, std::vector<uint8_t> tail) {
    std::vector<uint8_t> f = cut(kPspHeaderSize + 10);
    f[kPspHeaderSize + 3] = flags;
    f.insert(f.end(), tail.begin(), tail.end());
    return f;
  };
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
  std::vector<uint8_t> garbage(good.begin(), good.begin() + kPspHeaderSize + 10);
  for (int i = 0; i < 400; ++i) garbage.push_back(static_cast<uint8_t>(i * 37 + 11));

  // Each refusal names the check that failed, where, and what was found.
  const std::string crc = Hex32(Get32(good, trailer));
  const std::string bad_crc = Hex32(Get32(good, trailer) ^ 1);
  const std::vector<std::tuple<const char*, std::vector<uint8_t>, std::string>> cases = {
      {"no signature", changed(0, 0x01), "no ~PSP signature at 0x0 (found 7f 50 53 50)"},
      {"empty", {}, "no ~PSP signature at 0x0 (found )"},
      {"header only", cut(kPspHeaderSize), "gzip member header at 0x150 is cut off (0 bytes left, 10 needed)"},
      {"short gzip header", cut(kPspHeaderSize + 9), "gzip member header at 0x150 is cut off (9 bytes left"},
      {"bad magic", changed(kPspHeaderSize + 1, 0x01), "gzip magic 1f 8b expected at 0x150, found 1f 8a"},
      {"method not deflate", changed(kPspHeaderSize + 2, 0x01),
       "compression method 8 (deflate) expected at 0x152, found 9"},
      {"reserved flag", changed(kPspHeaderSize + 3, 0x20), "gzip flags 0x20 at 0x153 set reserved bits"},
      {"name without its zero", header_then(0x08, {'p', 'a', 'f'}), "(flags 0x8) runs past the end of the file"},
      {"comment without its zero", header_then(0x10, {'x'}), "(flags 0x10) runs past the end of the file"},
      {"extra field past the end", header_then(0x04, {0xFF, 0xFF, 1, 2, 3}), "(flags 0x4) runs past the end"},
      {"header CRC cut off", header_then(0x02, {0x12}), "(flags 0x2) runs past the end"},
      {"wrong CRC", changed(trailer, 0x01),
       "gzip trailer CRC-32 " + bad_crc + " at " + Hex(trailer) + ", content has " + crc},
      {"wrong length", changed(trailer + 4, 0x01),
       "gzip trailer length 5001 at " + Hex(trailer + 4) + ", content has 5000 bytes"},
      {"no trailer", cut(trailer), "gzip trailer at " + Hex(trailer) + " is cut off (0 of its 8 bytes there)"},
      {"half a trailer", cut(trailer + 4), "gzip trailer at " + Hex(trailer) + " is cut off (4 of its 8 bytes there)"},
      {"stream cut short", cut(kPspHeaderSize + 10 + (trailer - kPspHeaderSize - 10) / 2),
       "deflate data at 0x15a: ends at "},
      {"garbage stream", garbage, "deflate data at 0x15a: corrupt at about 0x"},
  };
  for (const auto& [what, file, cause] : cases) {
    const Result<std::size_t> r = UnpackPsp(file, out);
    ASSERT_FALSE(r.ok()) << what;
    EXPECT_NE(r.cause().find(cause), std::string::npos) << what << ": " << r.cause();
  }
}

TEST_F(UnpackPspTest, RefusesContentLargerThanTheOutput) {
  const std::vector<uint8_t> file = PspFile(SampleImage(3000));
  std::vector<uint8_t> small(2999);
  const Result<std::size_t> r = UnpackPsp(file, small);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.cause(), "deflate data at 0x15a: content larger than the 2999 bytes of room");
  std::vector<uint8_t> exact(3000);
  EXPECT_EQ(UnpackPsp(file, exact), 3000);
}

TEST(PackPsp, WritesTheCompressedModuleFormatAndUnpacksAgain) {
  const std::vector<uint8_t> image = SampleImage(0x1ADABC);
  PspHeader header = BuiltinPafPspHeader();
  const PspHeader before = header;
  std::vector<uint8_t> work(kScratchSize);

  std::optional<std::span<const uint8_t>> file = PackPsp(image, header, work);
  ASSERT_TRUE(file.has_value());
  const std::size_t total = file->size();
  ASSERT_GT(total, 0x162u);
  const uint32_t d = static_cast<uint32_t>(total - 0x162);
  EXPECT_EQ(file->data(), work.data() + kScratchSize / 2) << "assembled at the start of the second half";

  // The header: four fields set, everything else from the template.
  EXPECT_EQ(0, std::memcmp(file->data() + 0x0A, "Qorvi compress header", 22));
  EXPECT_EQ(Get32(*file, 0x28), 0x1ADABCu);
  EXPECT_EQ(Get32(*file, 0x2C), d + 0x162);
  EXPECT_EQ(Get32(*file, 0xB0), d + 0x12);
  for (std::size_t i = 0; i < kPspHeaderSize; ++i) {
    const bool written = (i >= 0x0A && i < 0x20) || (i >= 0x28 && i < 0x30) || (i >= 0xB0 && i < 0xB4);
    if (!written) {
      EXPECT_EQ((*file)[i], before[i]) << "header byte " << i;
    }
    EXPECT_EQ((*file)[i], header[i]) << "the template holds the fields last written";
  }
  const uint8_t gzip_header[10] = {0x1F, 0x8B, 0x08, 0, 0, 0, 0, 0, 0, 0x03};
  EXPECT_EQ(0, std::memcmp(file->data() + 0x150, gzip_header, 10));
  EXPECT_EQ(Get32(*file, 0x15A + d), static_cast<uint32_t>(crc32(0L, image.data(), static_cast<uInt>(image.size()))));
  EXPECT_EQ(Get32(*file, 0x15E + d), 0x1ADABCu);

  const std::vector<uint8_t> copy(file->begin(), file->end());
  std::vector<uint8_t> out(kInflateLimit);
  ASSERT_EQ(UnpackPsp(copy, out), static_cast<int64_t>(image.size()));
  EXPECT_EQ(0, std::memcmp(out.data(), image.data(), image.size()));
}

TEST(PackPsp, RefusesTooSmallAWorkSpaceOrTooLargeAnImage) {
  PspHeader header = BuiltinVshmainPspHeader();
  const PspHeader before = header;
  std::vector<uint8_t> small(kScratchSize - 1);
  EXPECT_FALSE(PackPsp(SampleImage(100), header, small).has_value());
  std::vector<uint8_t> work(kScratchSize);
  EXPECT_FALSE(PackPsp(std::vector<uint8_t>(kScratchSize / 2 + 1), header, work).has_value());
  EXPECT_EQ(header, before);
}

}  // namespace
}  // namespace qorvi
