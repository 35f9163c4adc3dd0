#include "firmware/psp_package.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

#include "firmware/byte_reader.h"
#include "model/work_area.h"

namespace qorvi {
namespace {

// gzip member header flags (RFC 1952).
constexpr uint8_t kFlagHeaderCrc = 0x02;
constexpr uint8_t kFlagExtra = 0x04;
constexpr uint8_t kFlagName = 0x08;
constexpr uint8_t kFlagComment = 0x10;
constexpr uint8_t kFlagReserved = 0xE0;

constexpr std::size_t kGzipTrailerSize = 8;  // CRC-32 and ISIZE

// What the writer puts in front of the deflate data: magic, method deflate, no
// flags, no time, no extra flags, operating system 3 (Unix).
constexpr std::array<uint8_t, 10> kGzipMemberHeader{0x1F, 0x8B, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03};

constexpr char kToolName[] = "Qorvi compress header";  // written with its zero: 22 bytes

// Length of the gzip member header at the start of `member`, or nothing when it is
// not one this program understands or runs past the end.
std::optional<std::size_t> GzipHeaderLength(std::span<const uint8_t> member) {
  ByteReader r(member);
  if (r.u8(0) != 0x1F || r.u8(1) != 0x8B || r.u8(2) != 8) return std::nullopt;
  const uint8_t flags = r.u8(3);
  if ((flags & kFlagReserved) != 0 || !r.has(0, 10)) return std::nullopt;
  uint64_t pos = 10;
  if (flags & kFlagExtra) {
    pos += 2 + static_cast<uint64_t>(r.u16(pos));
  }
  if (flags & kFlagName) pos += r.cstring(pos).size() + 1;
  if (flags & kFlagComment) pos += r.cstring(pos).size() + 1;
  if (flags & kFlagHeaderCrc) pos += 2;
  if (!r.ok() || !r.has(pos, 0)) return std::nullopt;
  return static_cast<std::size_t>(pos);
}

}  // namespace

bool HasPspSignature(std::span<const uint8_t> image) {
  return image.size() >= 4 && std::memcmp(image.data(), "~PSP", 4) == 0;
}

int64_t UnpackPsp(std::span<const uint8_t> image, std::span<uint8_t> out) {
  constexpr int64_t kRefused = -2;
  if (!HasPspSignature(image)) return kRefused;
  std::span<uint8_t> output = out.first(std::min(out.size(), kInflateLimit));
  std::fill(output.begin(), output.end(), uint8_t{0});

  ByteReader whole(image);
  std::span<const uint8_t> member = whole.rest(kPspHeaderSize);
  if (!whole.ok()) return kRefused;
  std::optional<std::size_t> header_length = GzipHeaderLength(member);
  if (!header_length) return kRefused;
  std::span<const uint8_t> deflated = member.subspan(*header_length);
  if (deflated.size() > UINT_MAX) return kRefused;

  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return kRefused;
  // zlib's interface is not const-correct; it never writes through next_in.
  z.next_in = const_cast<Bytef*>(deflated.data());
  z.avail_in = static_cast<uInt>(deflated.size());
  z.next_out = output.data();
  z.avail_out = static_cast<uInt>(output.size());
  const int rc = inflate(&z, Z_FINISH);
  const std::size_t produced = output.size() - z.avail_out;
  const std::size_t consumed = deflated.size() - z.avail_in;
  if (inflateEnd(&z) != Z_OK || rc != Z_STREAM_END) return kRefused;

  // The trailer right behind the deflate data must describe what came out.
  ByteReader trailer(deflated);
  const uint32_t crc = trailer.u32(consumed);
  const uint32_t size = trailer.u32(consumed + 4);
  if (!trailer.ok()) return kRefused;
  const uLong actual_crc = crc32(crc32(0L, Z_NULL, 0), output.data(), static_cast<uInt>(produced));
  if (crc != static_cast<uint32_t>(actual_crc) || size != static_cast<uint32_t>(produced)) return kRefused;
  return static_cast<int64_t>(produced);
}

std::optional<std::span<const uint8_t>> PackPsp(std::span<const uint8_t> image, PspHeader& header,
                                                std::span<uint8_t> work) {
  constexpr std::size_t kHalf = kScratchSize / 2;
  if (work.size() < kScratchSize || image.size() > kHalf) return std::nullopt;
  work = work.first(kScratchSize);
  std::fill(work.begin(), work.end(), uint8_t{0});
  std::span<uint8_t> deflate_out = work.first(kHalf);
  std::span<uint8_t> file_out = work.subspan(kHalf);

  const uint32_t crc =
      static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), image.data(), static_cast<uInt>(image.size())));

  z_stream z{};
  if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    return std::nullopt;
  }
  z.next_in = const_cast<Bytef*>(image.data());
  z.avail_in = static_cast<uInt>(image.size());
  z.next_out = deflate_out.data();
  z.avail_out = static_cast<uInt>(deflate_out.size());
  const int rc = deflate(&z, Z_FINISH);
  const std::size_t deflated = deflate_out.size() - z.avail_out;
  // deflateEnd reports Z_DATA_ERROR when the stream was not finished; both must hold.
  if (deflateEnd(&z) != Z_OK || rc != Z_STREAM_END) return std::nullopt;

  const std::size_t total = kPspHeaderSize + kGzipMemberHeader.size() + deflated + kGzipTrailerSize;
  if (total > file_out.size()) return std::nullopt;

  ByteWriter h(header);
  h.bytes(kPspNameOffset, std::span(reinterpret_cast<const uint8_t*>(kToolName), sizeof kToolName));
  h.u32(kPspImageSizeOffset, static_cast<uint32_t>(image.size()));
  h.u32(kPspFileSizeOffset, static_cast<uint32_t>(total));
  h.u32(kPspGzipSizeOffset, static_cast<uint32_t>(kGzipMemberHeader.size() + deflated + kGzipTrailerSize));

  ByteWriter w(file_out);
  std::size_t at = 0;
  w.bytes(at, header);
  at += kPspHeaderSize;
  w.bytes(at, kGzipMemberHeader);
  at += kGzipMemberHeader.size();
  w.bytes(at, deflate_out.first(deflated));
  at += deflated;
  w.u32(at, crc);
  w.u32(at + 4, static_cast<uint32_t>(image.size()));
  if (!w.ok() || !h.ok()) return std::nullopt;
  return std::span<const uint8_t>(file_out.first(total));
}

}  // namespace qorvi
