// SPDX-License-Identifier: GPL-3.0-or-later
// A text field of fixed width as the firmware stores it: N bytes, the text ending
// at the first zero or, when the field holds none, filling all N bytes (no zero is
// forced into the last byte).
//
// Read from a file the field keeps its text bytes exactly, all N of them when there
// is no zero; what a file holds behind a zero is not part of the text, and a writer
// leaves it where it is (StoredBytes), so an unedited field goes back into the file
// byte for byte. It is a std::array<char, N> with a text view on top, so code
// written for the plain array keeps working.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace qorvi {

// The text of a zero-terminated field of fixed width (an item tag, an image label,
// a name): the bytes up to the first zero, all of them when the field holds none.
inline std::string_view TextOf(std::span<const char> field) {
  const auto end = std::find(field.begin(), field.end(), '\0');
  return {field.data(), static_cast<std::size_t>(end - field.begin())};
}

template <std::size_t N>
struct FixedString : std::array<char, N> {
  // The field holding `text` and zeros behind it; text beyond N bytes is cut.
  static FixedString FromText(std::string_view text) {
    FixedString s{};
    s.SetText(text);
    return s;
  }
  // The field as a file stores it in `bytes` (N of them; fewer count as cut off):
  // its text up to the first zero, all N bytes when there is none, zeros behind.
  static FixedString FromBytes(std::span<const uint8_t> bytes) {
    FixedString s{};
    const std::span<const uint8_t> field = bytes.first(std::min(bytes.size(), N));
    const auto end = std::find(field.begin(), field.end(), uint8_t{0});
    std::copy(field.begin(), end, s.begin());
    return s;
  }

  // The text: the bytes up to the first zero, all N when there is none.
  std::string_view view() const { return TextOf(*this); }
  // Whether the text ends in a zero inside the field.
  bool terminated() const { return view().size() < N; }

  // Replaces the whole field by `text` (cut at N bytes) and zeros behind it.
  void SetText(std::string_view text) {
    this->fill('\0');
    std::memcpy(this->data(), text.data(), std::min(text.size(), N));
  }

  // The bytes a writer puts into the file for this text: the text and its zero,
  // or all N bytes when the field holds no zero. Whatever the file holds behind a
  // shorter text is not part of it.
  std::span<const uint8_t> StoredBytes() const {
    const std::size_t n = terminated() ? view().size() + 1 : N;
    return {reinterpret_cast<const uint8_t*>(this->data()), n};
  }
};

// The four label fields of an item record of vshmain.prx.
inline constexpr std::size_t kItemTagBytes = 24;
using ItemTag = FixedString<kItemTagBytes>;

}  // namespace qorvi
