// SPDX-License-Identifier: GPL-3.0-or-later
// What a reader hands back: its result, or why it refused the input. The cause
// is for a person holding the file: which check failed, at which offset, what
// was found ("object table offset 0x12345678 at 0x30 lies past the end (34000
// bytes)"). The caller adds the message code (message_table.h) and the name of
// the file.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace qorvi {

struct Refusal {
  std::string cause;
};

// The cause with what it concerns in front: "paf.prx: <cause>".
inline Refusal Within(std::string_view what, const Refusal& r) { return {std::string(what) + ": " + r.cause}; }

// A value, or the refusal `E` (a Refusal, or a type of the same kind with a
// `cause` member and more detail).
template <typename T, typename E = Refusal>
class [[nodiscard]] Result {
 public:
  Result(T value) : v_(std::move(value)) {}      // NOLINT: a value is a result
  Result(E refusal) : v_(std::move(refusal)) {}  // NOLINT: so is a refusal

  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // Only when ok().
  T& operator*() { return std::get<0>(v_); }
  const T& operator*() const { return std::get<0>(v_); }
  T* operator->() { return &std::get<0>(v_); }
  const T* operator->() const { return &std::get<0>(v_); }

  // Only when not ok().
  const E& refusal() const { return std::get<1>(v_); }
  const std::string& cause() const { return refusal().cause; }

  // True for a result holding `value`.
  friend bool operator==(const Result& r, const T& value) { return r.ok() && *r == value; }

 private:
  std::variant<T, E> v_;
};

// A result without a value: passed, or refused with a cause.
class [[nodiscard]] Status {
 public:
  Status() = default;                                        // passed
  Status(Refusal refusal) : refusal_(std::move(refusal)) {}  // NOLINT: a refusal is a status

  bool ok() const { return !refusal_.has_value(); }
  explicit operator bool() const { return ok(); }
  const Refusal& refusal() const { return *refusal_; }
  const std::string& cause() const { return refusal_->cause; }

 private:
  std::optional<Refusal> refusal_;
};

// A number as the causes show offsets and words: "0x1a2b".
inline std::string Hex(uint64_t v) {
  char buf[2 + 16];
  buf[0] = '0';
  buf[1] = 'x';
  auto end = std::to_chars(buf + 2, buf + sizeof buf, v, 16).ptr;
  return std::string(buf, end);
}

// The first `n` bytes (fewer when there are fewer) in hex, two digits each:
// "7f 45 4c 46".
inline std::string HexBytes(const uint8_t* bytes, std::size_t size, std::size_t n) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < n && i < size; ++i) {
    if (i > 0) out += ' ';
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 0x0F];
  }
  return out;
}

// A 32-bit word with all eight digits: "0x0000abcd".
inline std::string Hex32(uint32_t v) {
  std::string digits = Hex(v).substr(2);
  return "0x" + std::string(8 - digits.size(), '0') + digits;
}

}  // namespace qorvi
