// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/value_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

namespace qorvi {
namespace {

std::string_view Limit(std::string_view text) { return text.substr(0, std::min(text.size(), kEditTextLimit)); }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the leading decimal number of `s` (after blanks), accepting only the
// plain decimal syntax: no hexadecimal, no "inf" or "nan".
std::size_t LeadingRealLength(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    std::size_t expDigits = 0;
    while (j < s.size() && IsDigit(s[j])) ++j, ++expDigits;
    if (expDigits > 0) i = j;
  }
  return i;
}

// About the decimal exponent of a number too large or too small for a double;
// only its sign is used, and such numbers lie hundreds of orders from zero.
int64_t MagnitudeOrder(std::string_view number) {
  int64_t order = 0;
  bool point = false;
  bool significant = false;
  std::size_t i = 0;
  for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
    if (number[i] == '.') {
      point = true;
    } else if (!significant && number[i] == '0') {
      if (point) --order;
    } else {
      significant = true;
      if (!point) ++order;
    }
  }
  if (i < number.size()) {
    int64_t exponent = 0;
    bool negative = false;
    for (++i; i < number.size(); ++i) {
      if (number[i] == '-' || number[i] == '+') {
        negative = number[i] == '-';
      } else {
        exponent = std::min<int64_t>(exponent * 10 + (number[i] - '0'), 1000000000);
      }
    }
    order += negative ? -exponent : exponent;
  }
  return order;
}

}  // namespace

int32_t TruncateToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

int32_t ParseIntegerText(std::string_view text) {
  std::string_view s = Limit(text);
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int64_t value = 0;
  while (i < s.size() && IsDigit(s[i])) {
    value = value * 10 + (s[i++] - '0');
    if (value > int64_t{1} << 32) value = int64_t{1} << 32;  // saturate, keep going
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

float ParseRealText(std::string_view text) {
  std::string_view s = Limit(text);
  std::size_t n = LeadingRealLength(s);
  if (n == 0) return 0.0f;
  // from_chars reads the same syntax as the edits, but never through the C
  // locale: a desktop session whose locale writes decimal commas must not change
  // how "0.78" is read.
  std::string_view number = s.substr(0, n);
  while (IsBlank(number.front())) number.remove_prefix(1);
  bool negative = number.front() == '-';
  if (number.front() == '+' || number.front() == '-') number.remove_prefix(1);
  double v = 0.0;
  auto result = std::from_chars(number.data(), number.data() + number.size(), v, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    v = MagnitudeOrder(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return static_cast<float>(negative ? -v : v);
}

int32_t ParseRealTruncatedText(std::string_view text) { return TruncateToInt(ParseRealText(text)); }

int32_t ClampedSize(int64_t v) {
  const auto bits = static_cast<uint32_t>(v);
  return bits < 32768u ? static_cast<int32_t>(bits) : 32767;
}

int32_t ParseClampedSizeText(std::string_view text) { return ClampedSize(ParseIntegerText(text)); }

std::string FormatInteger(int32_t v) { return std::to_string(v); }

std::string FormatUnsigned(int32_t v) { return std::to_string(static_cast<uint32_t>(v)); }

std::string FormatReal(float value) {
  double v = value;
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  if (v == 0.0) return "0";
  // Round to 15 significant digits first; the exponent of that rounding decides
  // between fixed and exponent form. to_chars, like from_chars above, ignores the
  // C locale and always writes ".".
  char buf[64];
  auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14).ptr;
  std::string text(buf, end);  // -d.dddddddddddddde[+-]xx
  std::size_t e = text.find('e');
  int exponent = 0;
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
  auto trim = [](std::string s) {
    if (s.find('.') != std::string::npos) {
      while (s.back() == '0') s.pop_back();
      if (s.back() == '.') s.pop_back();
    }
    return s;
  };
  if (std::fabs(v) >= 1e-5 && exponent < 15) {
    end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, std::max(0, 14 - exponent)).ptr;
    return trim(std::string(buf, end));
  }
  return trim(text.substr(0, e)) + "E" + std::to_string(exponent);
}

void StoreFieldText(LayoutRecord& layout, const LayoutField& field, std::string_view text) {
  if (auto* ip = std::get_if<int32_t LayoutRecord::*>(&field.member)) {
    int32_t v = 0;
    switch (field.rule) {
      case ParseRule::Integer: v = ParseIntegerText(text); break;
      case ParseRule::RealTruncated: v = ParseRealTruncatedText(text); break;
      case ParseRule::ClampedSize: v = ParseClampedSizeText(text); break;
      case ParseRule::Real: v = TruncateToInt(ParseRealText(text)); break;
    }
    layout.*(*ip) = v;
  } else {
    layout.*(std::get<float LayoutRecord::*>(field.member)) = ParseRealText(text);
  }
}

std::string FieldText(const LayoutRecord& layout, const LayoutField& field) {
  if (auto* ip = std::get_if<int32_t LayoutRecord::*>(&field.member)) {
    return field.rule == ParseRule::ClampedSize ? FormatUnsigned(layout.*(*ip)) : FormatInteger(layout.*(*ip));
  }
  return FormatReal(layout.*(std::get<float LayoutRecord::*>(field.member)));
}

bool TextShowsValue(std::string_view text, const LayoutField& field, const LayoutRecord& layout) {
  // A clamped size is compared as the plain integer typed, so that a number out of
  // range does not match the 32767 stored for it.
  if (field.rule == ParseRule::ClampedSize) {
    const auto* member = std::get_if<int32_t LayoutRecord::*>(&field.member);
    return member != nullptr && ParseIntegerText(text) == layout.*(*member);
  }
  LayoutRecord read = layout;
  StoreFieldText(read, field, text);
  return std::visit(
      [&](auto member) {
        if constexpr (std::is_same_v<decltype(member), float LayoutRecord::*>) {
          return std::bit_cast<uint32_t>(read.*member) == std::bit_cast<uint32_t>(layout.*member);
        } else {
          return read.*member == layout.*member;
        }
      },
      field.member);
}

}  // namespace qorvi
