// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/psp_package.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <string>

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

std::string FirstBytes(std::span<const uint8_t> bytes, std::size_t n) {
  return HexBytes(bytes.data(), bytes.size(), n);
}

// Length of the gzip member header at the start of `member` (at image offset
// `at`), or why it is not one this program understands.
Result<std::size_t> GzipHeaderLength(std::span<const uint8_t> member, uint64_t at) {
  ByteReader r(member);
  if (!r.has(0, 10)) {
    return Refusal{"gzip member header at " + Hex(at) + " is cut off (" + std::to_string(member.size()) +
                   " bytes left, 10 needed)"};
  }
  if (r.u8(0) != 0x1F || r.u8(1) != 0x8B) {
    return Refusal{"gzip magic 1f 8b expected at " + Hex(at) + ", found " + FirstBytes(member, 2)};
  }
  if (r.u8(2) != 8) {
    return Refusal{"gzip compression method 8 (deflate) expected at " + Hex(at + 2) + ", found " +
                   std::to_string(r.u8(2))};
  }
  const uint8_t flags = r.u8(3);
  if ((flags & kFlagReserved) != 0) {
    return Refusal{"gzip flags " + Hex(flags) + " at " + Hex(at + 3) + " set reserved bits"};
  }
  uint64_t pos = 10;
  if (flags & kFlagExtra) {
    pos += 2 + static_cast<uint64_t>(r.u16(pos));
  }
  if (flags & kFlagName) pos += r.cstring(pos).size() + 1;
  if (flags & kFlagComment) pos += r.cstring(pos).size() + 1;
  if (flags & kFlagHeaderCrc) pos += 2;
  if (!r.ok() || !r.has(pos, 0)) {
    return Refusal{"gzip member header at " + Hex(at) + " (flags " + Hex(flags) + ") runs past the end of the file"};
  }
  return static_cast<std::size_t>(pos);
}

}  // namespace

bool HasPspSignature(std::span<const uint8_t> image) {
  return image.size() >= 4 && std::memcmp(image.data(), "~PSP", 4) == 0;
}

Result<std::size_t> UnpackPsp(std::span<const uint8_t> image, std::span<uint8_t> out) {
  if (!HasPspSignature(image)) {
    return Refusal{"no ~PSP signature at 0x0 (found " + FirstBytes(image, 4) + ")"};
  }
  std::span<uint8_t> output = out.first(std::min(out.size(), kInflateLimit));
  std::fill(output.begin(), output.end(), uint8_t{0});

  if (image.size() < kPspHeaderSize) {
    return Refusal{std::to_string(image.size()) + " bytes, shorter than the " + std::to_string(kPspHeaderSize) +
                   "-byte ~PSP header"};
  }
  std::span<const uint8_t> member = image.subspan(kPspHeaderSize);
  Result<std::size_t> header_length = GzipHeaderLength(member, kPspHeaderSize);
  if (!header_length) return header_length.refusal();
  const uint64_t deflate_at = kPspHeaderSize + *header_length;
  std::span<const uint8_t> deflated = member.subspan(*header_length);
  if (deflated.size() > UINT_MAX) return Refusal{"gzip member larger than 4 GiB"};

  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return Refusal{"zlib cannot start inflating"};
  // zlib's interface is not const-correct; it never writes through next_in.
  z.next_in = const_cast<Bytef*>(deflated.data());
  z.avail_in = static_cast<uInt>(deflated.size());
  z.next_out = output.data();
  z.avail_out = static_cast<uInt>(output.size());
  const int rc = inflate(&z, Z_FINISH);
  const std::string zlib_message = z.msg != nullptr ? z.msg : "";
  const std::size_t produced = output.size() - z.avail_out;
  const std::size_t consumed = deflated.size() - z.avail_in;
  const int end_rc = inflateEnd(&z);
  if (rc != Z_STREAM_END) {
    const std::string where = "deflate data at " + Hex(deflate_at) + ": ";
    if (rc == Z_DATA_ERROR) {
      return Refusal{where + "corrupt at about " + Hex(deflate_at + consumed) + " (" + zlib_message + ")"};
    }
    if (z.avail_out == 0) {
      return Refusal{where + "content larger than the " + std::to_string(output.size()) + " bytes of room"};
    }
    return Refusal{where + "ends at " + Hex(deflate_at + consumed) + " before its last block (" +
                   std::to_string(produced) + " bytes inflated)"};
  }
  if (end_rc != Z_OK) return Refusal{"zlib cannot finish inflating"};

  // The trailer right behind the deflate data must describe what came out.
  const uint64_t trailer_at = deflate_at + consumed;
  ByteReader trailer(deflated);
  const uint32_t crc = trailer.u32(consumed);
  const uint32_t size = trailer.u32(consumed + 4);
  if (!trailer.ok()) {
    return Refusal{"gzip trailer at " + Hex(trailer_at) + " is cut off (" + std::to_string(deflated.size() - consumed) +
                   " of its 8 bytes there)"};
  }
  const auto actual_crc =
      static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), output.data(), static_cast<uInt>(produced)));
  if (crc != actual_crc) {
    return Refusal{"gzip trailer CRC-32 " + Hex32(crc) + " at " + Hex(trailer_at) + ", content has " +
                   Hex32(actual_crc)};
  }
  if (size != static_cast<uint32_t>(produced)) {
    return Refusal{"gzip trailer length " + std::to_string(size) + " at " + Hex(trailer_at + 4) + ", content has " +
                   std::to_string(produced) + " bytes"};
  }
  return produced;
}

std::optional<std::span<const uint8_t>> PackPsp(std::span<const uint8_t> image, PspHeader& header,
                                                std::span<uint8_t> work) {
  constexpr std::size_t kHalf = kScratchSize / 2;
  if (work.size() < kScratchSize || image.size() > kHalf) return std::nullopt;
  // Every byte of the file returned is written below, so the work space is not
  // cleared first (8 MiB a save, for nothing).
  work = work.first(kScratchSize);
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
