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
            o[std::string(key.name)] = Text(item.*member);
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
