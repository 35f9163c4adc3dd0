// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the layout document, and the float forms both directions share.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "firmware/byte_reader.h"
#include "layout_json/item_keys.h"
#include "layout_json/layout_json.h"

namespace qorvi::layout_json {
namespace {

constexpr std::string_view kNanPrefix = "nan:0x";
constexpr std::string_view kTagBytesKey = "bytes";
constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The smallest magnitude that no longer rounds to a finite single: halfway between
// the largest single and 2^128 (that tie rounds to the even 2^128, infinity).
const double kSingleOverflow = std::ldexp(0x1.ffffffp0, 127);

std::string Text(std::span<const char> field) { return std::string(TextOf(field)); }

Json Triple(const RgbF& c) { return Json::array({FloatToJson(c.r), FloatToJson(c.g), FloatToJson(c.b)}); }
Json Triple(const Rgb8& c) { return Json::array({c.r, c.g, c.b}); }

Json ItemJson(const ItemRecord& item) {
  Json o = Json::object();
  for (const ItemKey& key : kItemKeys) {
    std::visit(
        [&](auto member) {
          if constexpr (std::is_same_v<decltype(member), ItemTag ItemRecord::*>) {
            o[std::string(key.name)] = TagToJson(TextOf(item.*member));
          } else {
            o[std::string(key.name)] = item.*member;
          }
        },
        key.member);
  }
  return o;
}

}  // namespace

Json FloatToJson(float value) {
  if (std::isnan(value)) {
    char text[32];
    std::snprintf(text, sizeof text, "nan:0x%08x", static_cast<unsigned>(FloatBits(value)));
    return text;
  }
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // The shortest decimal that reads back as the same single; the double nearest to
  // it prints as that decimal again.
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  if (ec != std::errc{}) return static_cast<double>(value);
  double shortest = 0.0;
  std::from_chars(buf, end, shortest);
  return shortest;
}

std::optional<float> FloatFromJson(const Json& value, std::string& error) {
  if (value.is_number()) {
    const double d = value.get<double>();
    if (!std::isfinite(d) || std::fabs(d) >= kSingleOverflow) {
      error = Json(d).dump() + " is not a finite single-precision number";
      return std::nullopt;
    }
    return static_cast<float>(d);
  }
  if (value.is_string()) {
    const std::string& s = value.get_ref<const std::string&>();
    if (s == "inf") return std::numeric_limits<float>::infinity();
    if (s == "-inf") return -std::numeric_limits<float>::infinity();
    if (s.size() == kNanPrefix.size() + 8 && s.starts_with(kNanPrefix)) {
      uint32_t bits = 0;
      const char* digits = s.data() + kNanPrefix.size();
      auto [end, ec] = std::from_chars(digits, s.data() + s.size(), bits, 16);
      const float f = BitsFloat(bits);
      if (ec == std::errc{} && end == s.data() + s.size() && std::isnan(f)) return f;
    }
    error = "expected a number, \"inf\", \"-inf\" or \"nan:0x\" and the 8 hexadecimal digits of a NaN";
    return std::nullopt;
  }
  error = "expected a number";
  return std::nullopt;
}

bool IsUtf8(std::string_view text) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char b = byte(i);
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range of the second byte
    unsigned char high = 0xBF;
    if (b < 0x80) {
      length = 1;
    } else if (b >= 0xC2 && b <= 0xDF) {
      length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3;
      if (b == 0xE0) low = 0xA0;   // no overlong form
      if (b == 0xED) high = 0x9F;  // no surrogate
    } else if (b >= 0xF0 && b <= 0xF4) {
      length = 4;
      if (b == 0xF0) low = 0x90;   // no overlong form
      if (b == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
    } else {
      return false;
    }
    if (length > text.size() - i) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const unsigned char c = byte(i + k);
      if (k == 1 ? (c < low || c > high) : (c & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

Json TagToJson(std::string_view tag) {
  if (IsUtf8(tag)) return std::string(tag);
  std::string escaped;
  for (const char ch : tag) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c < 0x7F && c != '%') {
      escaped += ch;
    } else {
      escaped += '%';
      escaped += kHexDigits[c >> 4];
      escaped += kHexDigits[c & 0xF];
    }
  }
  Json o = Json::object();
  o[std::string(kTagBytesKey)] = escaped;
  return o;
}

std::optional<std::string> TagFromJson(const Json& value, std::string& error) {
  if (value.is_string()) return value.get<std::string>();
  const Json::const_iterator bytes = value.is_object() && value.size() == 1 ? value.find(kTagBytesKey) : value.end();
  if (!value.is_object() || bytes == value.end() || !bytes->is_string()) {
    error = "expected a string or {\"bytes\": \"...\"}";
    return std::nullopt;
  }
  const std::string& escaped = bytes->get_ref<const std::string&>();
  std::string tag;
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] != '%') {
      tag += escaped[i];
      continue;
    }
    const int high = i + 2 < escaped.size() ? HexValue(escaped[i + 1]) : -1;
    const int low = high >= 0 ? HexValue(escaped[i + 2]) : -1;
    if (low < 0) {
      error = "'%' must be followed by two hexadecimal digits";
      return std::nullopt;
    }
    tag += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return tag;
}

Json ModelToJson(const FirmwareState& s) {
  Json doc;
  doc["version"] = s.FirmwareVersion;

  Json layout = Json::object();
  for (const LayoutField& f : LayoutFields()) {
    if (auto* ip = std::get_if<int32_t LayoutRecord::*>(&f.member)) {
      layout[std::string(f.name)] = s.Layout.*(*ip);
    } else {
      layout[std::string(f.name)] = FloatToJson(s.Layout.*(std::get<float LayoutRecord::*>(f.member)));
    }
  }
  for (const auto* table : {&s.Layout.TextColor, &s.Layout.BGColor}) {
    Json triples = Json::array();
    for (const RgbF& c : *table) triples.push_back(Triple(c));
    layout[table == &s.Layout.TextColor ? "TextColor" : "BGColor"] = triples;
  }
  layout["BatteryColor"] = Triple(s.Layout.BatteryColor);
  layout["ClockColor"] = Triple(s.Layout.ClockColor);
  layout["BusyColor"] = Triple(s.Layout.BusyColor);
  doc["layout"] = layout;

  doc["categoryEntryCount"] = s.CategoryEntryCount;
  Json entries = Json::array();
  for (const CategoryEntry& e : s.CategoryEntries) {
    entries.push_back(Json::array({e.Category, e.Item, e.Show, e.Region}));
  }
  doc["categoryEntries"] = entries;

  Json lists = Json::array();
  for (const CategoryList& list : s.CategoryTable) {
    Json items = Json::array();
    for (int32_t i = 0; i < list.Count && i < kItemNumbers; ++i) items.push_back(list.Items[i]);
    lists.push_back(items);
  }
  doc["categoryLists"] = lists;

  doc["itemCount"] = s.ItemCount;
  Json items = Json::array();
  for (const ItemRecord& item : s.ItemTable) items.push_back(ItemJson(item));
  doc["items"] = items;

  Json labels = Json::array();
  for (int32_t i = 0; i < s.ImageLabelCount && i < kImageLabelSlots; ++i) labels.push_back(Text(s.ImageLabels[i]));
  doc["imageLabels"] = labels;
  doc["subIconImageIndex"] = s.SubIconImageIndex;

  Json names;
  for (int language = 0; language < 2; ++language) {
    Json list = Json::array();
    for (const auto& name : LabelTextsFor(s, language)) list.push_back(Text(name));
    names[language == 0 ? "Japanese" : "English"] = list;
  }
  doc["names"] = names;
  return doc;
}

std::string ModelToText(const FirmwareState& state) {
  return ModelToJson(state).dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

}  // namespace qorvi::layout_json
