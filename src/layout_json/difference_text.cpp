// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout_json/difference_text.h"

#include <cstdio>

namespace qorvi::layout_json {
namespace {

// Compact JSON text (a tag that is not UTF-8 arrives in its %-escaped form).
std::string Dumped(const Json& value) { return value.dump(-1, ' ', false, Json::error_handler_t::replace); }

// JSON on one line, with a blank after every comma and colon.
std::string OneLine(const Json& value) {
  if (!value.is_structured()) return Dumped(value);
  std::string text = value.is_array() ? "[" : "{";
  bool first = true;
  for (auto it = value.begin(); it != value.end(); ++it) {
    if (!first) text += ", ";
    first = false;
    if (value.is_object()) text += Dumped(it.key()) + ": ";
    text += OneLine(it.value());
  }
  return text + (value.is_array() ? "]" : "}");
}

}  // namespace

Json DocumentValueJson(const DocumentValue& value) {
  return std::visit(
      [](const auto& v) -> Json {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, float>) {
          return FloatToJson(v);
        } else if constexpr (std::is_same_v<T, RgbF>) {
          return Json::array({FloatToJson(v.r), FloatToJson(v.g), FloatToJson(v.b)});
        } else if constexpr (std::is_same_v<T, Rgb8>) {
          return Json::array({v.r, v.g, v.b});
        } else if constexpr (std::is_same_v<T, VersionNumber>) {
          return v.number;
        } else if constexpr (std::is_same_v<T, std::string>) {
          return TagToJson(v);  // the only texts compared are item tags
        } else {
          return v;
        }
      },
      value);
}

std::string DocumentValueText(const DocumentValue& value) {
  if (const auto* version = std::get_if<VersionNumber>(&value)) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d", version->number / 100, version->number % 100);
    return text;
  }
  return OneLine(DocumentValueJson(value));
}

std::string DifferenceLine(const ValueDifference& difference, std::string_view arrow) {
  return difference.key + ": " + DocumentValueText(difference.from) + " " + std::string(arrow) + " " +
         DocumentValueText(difference.to);
}

Json DifferencesJson(const std::vector<ValueDifference>& differences) {
  Json list = Json::array();
  for (const ValueDifference& d : differences) {
    Json entry = Json::object();
    entry["key"] = d.key;
    entry["from"] = DocumentValueJson(d.from);
    entry["to"] = DocumentValueJson(d.to);
    list.push_back(std::move(entry));
  }
  return list;
}

std::string DifferencesText(const std::vector<ValueDifference>& differences) {
  const Json list = DifferencesJson(differences);
  if (list.empty()) return "[]\n";
  std::string text = "[\n";
  for (std::size_t i = 0; i < list.size(); ++i) text += "  " + OneLine(list[i]) + (i + 1 < list.size() ? ",\n" : "\n");
  return text + "]\n";
}

}  // namespace qorvi::layout_json
