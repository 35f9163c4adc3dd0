// SPDX-License-Identifier: GPL-3.0-or-later
// The one way this program reads bytes that came from a file: every access is
// checked against the bytes that are really there. A read outside them is not
// performed; it yields zero and marks the reader as failed, so a caller can do a
// group of reads and test ok() once. The first failed access is remembered, so
// the refusal can say where it was (failure()).
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "model/result.h"

namespace qorvi {

// True when [offset, offset + count) lies inside a buffer of `size` bytes.
constexpr bool InRange(std::size_t size, uint64_t offset, uint64_t count) {
  return offset <= size && count <= size - offset;
}

// The first access outside a buffer, kept by the reader and the writer.
class AccessFailure {
 public:
  bool failed() const { return failed_; }
  void Note(uint64_t offset, uint64_t count, bool unterminated = false) {
    if (failed_) return;
    failed_ = true;
    offset_ = offset;
    count_ = count;
    unterminated_ = unterminated;
  }
  void Note(std::string cause) {
    if (failed_) return;
    failed_ = true;
    cause_ = std::move(cause);
  }
  // "4 bytes at 0x1234 run past the end (4100 bytes)" and the like; empty when
  // nothing failed.
  std::string Describe(std::size_t size) const {
    if (!failed_) return {};
    if (!cause_.empty()) return cause_;
    const std::string end = "the end (" + std::to_string(size) + " bytes)";
    if (unterminated_) return "the string at " + Hex(offset_) + " has no terminating zero before " + end;
    if (offset_ > size) return "offset " + Hex(offset_) + " lies past " + end;
    return std::to_string(count_) + (count_ == 1 ? " byte at " : " bytes at ") + Hex(offset_) + " run past " + end;
  }

 private:
  bool failed_ = false;
  bool unterminated_ = false;
  uint64_t offset_ = 0;
  uint64_t count_ = 0;
  std::string cause_;
};

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }
  bool has(uint64_t offset, uint64_t count) const { return InRange(bytes_.size(), offset, count); }
  [[nodiscard]] bool ok() const { return !failure_.failed(); }
  // Marks the reader failed for a reason of the caller's (a value read was not
  // acceptable); the first failure is the one kept.
  void fail(std::string cause) { failure_.Note(std::move(cause)); }
  // What the first failed access was, as a cause; empty while ok().
  std::string failure() const { return failure_.Describe(bytes_.size()); }

  uint8_t u8(uint64_t offset) { return check(offset, 1) ? bytes_[offset] : 0; }
  int8_t s8(uint64_t offset) { return static_cast<int8_t>(u8(offset)); }
  uint16_t u16(uint64_t offset) {
    if (!check(offset, 2)) return 0;
    return static_cast<uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
  }
  uint32_t u32(uint64_t offset) {
    if (!check(offset, 4)) return 0;
    return static_cast<uint32_t>(bytes_[offset]) | (static_cast<uint32_t>(bytes_[offset + 1]) << 8) |
           (static_cast<uint32_t>(bytes_[offset + 2]) << 16) | (static_cast<uint32_t>(bytes_[offset + 3]) << 24);
  }
  float f32(uint64_t offset) {
    uint32_t bits = u32(offset);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }
  // `count` bytes at `offset`, or an empty span (and failure) when they are not all there.
  std::span<const uint8_t> bytes(uint64_t offset, uint64_t count) {
    if (!check(offset, count)) return {};
    return bytes_.subspan(offset, count);
  }
  // The bytes from `offset` to the end.
  std::span<const uint8_t> rest(uint64_t offset) {
    if (!check(offset, 0)) return {};
    return bytes_.subspan(offset);
  }
  // The zero-terminated string at `offset`, without its zero. A string that runs to
  // the end of the bytes without a zero fails.
  std::string_view cstring(uint64_t offset) {
    if (!check(offset, 0)) return {};
    const uint8_t* begin = bytes_.data() + offset;
    const void* zero = std::memchr(begin, 0, bytes_.size() - offset);
    if (zero == nullptr) {
      failure_.Note(offset, bytes_.size() - offset, /*unterminated=*/true);
      return {};
    }
    return {reinterpret_cast<const char*>(begin), static_cast<std::size_t>(static_cast<const uint8_t*>(zero) - begin)};
  }

 private:
  bool check(uint64_t offset, uint64_t count) {
    if (InRange(bytes_.size(), offset, count)) return true;
    failure_.Note(offset, count);
    return false;
  }

  std::span<const uint8_t> bytes_;
  AccessFailure failure_;
};

// The whole 32-bit little-endian words of a buffer, for scans that visit every
// word of a module: the range is fixed when the view is made, so reading word i
// checks only i against the number of words (a word past them reads as zero).
class WordView {
 public:
  explicit WordView(std::span<const uint8_t> bytes) : bytes_(bytes), count_(bytes.size() / 4) {}

  std::size_t size() const { return count_; }
  uint32_t operator[](std::size_t i) const {
    if (i >= count_) return 0;
    uint8_t w[4];
    std::memcpy(w, bytes_.data() + 4 * i, 4);  // one load of the whole word
    return static_cast<uint32_t>(w[0]) | (static_cast<uint32_t>(w[1]) << 8) | (static_cast<uint32_t>(w[2]) << 16) |
           (static_cast<uint32_t>(w[3]) << 24);
  }

 private:
  std::span<const uint8_t> bytes_;
  std::size_t count_;
};

// The matching checked writer for images the program patches in place.
class ByteWriter {
 public:
  explicit ByteWriter(std::span<uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }
  [[nodiscard]] bool ok() const { return !failure_.failed(); }
  // What the first refused write was, as a cause; empty while ok().
  std::string failure() const { return failure_.Describe(bytes_.size()); }

  void u8(uint64_t offset, uint8_t v) {
    if (check(offset, 1)) bytes_[offset] = v;
  }
  void u16(uint64_t offset, uint16_t v) {
    if (!check(offset, 2)) return;
    bytes_[offset] = static_cast<uint8_t>(v);
    bytes_[offset + 1] = static_cast<uint8_t>(v >> 8);
  }
  void u32(uint64_t offset, uint32_t v) {
    if (!check(offset, 4)) return;
    for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<uint8_t>(v >> (8 * i));
  }
  void f32(uint64_t offset, float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    u32(offset, bits);
  }
  void bytes(uint64_t offset, std::span<const uint8_t> src) {
    if (check(offset, src.size()) && !src.empty()) std::memcpy(bytes_.data() + offset, src.data(), src.size());
  }
  void fill(uint64_t offset, uint64_t count, uint8_t value) {
    if (check(offset, count) && count > 0) std::memset(bytes_.data() + offset, value, count);
  }

 private:
  bool check(uint64_t offset, uint64_t count) {
    if (InRange(bytes_.size(), offset, count)) return true;
    failure_.Note(offset, count);
    return false;
  }

  std::span<uint8_t> bytes_;
  AccessFailure failure_;
};

inline uint32_t FloatBits(float f) {
  uint32_t b;
  std::memcpy(&b, &f, sizeof b);
  return b;
}

inline float BitsFloat(uint32_t b) {
  float f;
  std::memcpy(&f, &b, sizeof f);
  return f;
}

}  // namespace qorvi
