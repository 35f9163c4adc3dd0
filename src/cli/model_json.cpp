#include "cli/model_json.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <set>

#include "model/value_text.h"

namespace qorvi::cli {
namespace {

constexpr const char* kColorTables[] = {"TextColor", "BGColor"};
constexpr const char* kByteColors[] = {"BatteryColor", "ClockColor", "BusyColor"};

// The shortest decimal that reads back as the same single, as a JSON number.
Json FloatJson(float f) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, f);
  if (ec != std::errc{}) return Json(static_cast<double>(f));
  *end = '\0';
  return Json(std::strtod(buf, nullptr));
}

template <std::size_t N>
std::string Text(const std::array<char, N>& chars) {
  return std::string(chars.data(), strnlen(chars.data(), N));
}

Json Triple(const RgbF& c) { return Json::array({FloatJson(c.r), FloatJson(c.g), FloatJson(c.b)}); }
Json Triple(const Rgb8& c) { return Json::array({c.r, c.g, c.b}); }

Rgb8& ByteColor(LayoutRecord& l, std::string_view name) {
  if (name == "BatteryColor") return l.BatteryColor;
  if (name == "ClockColor") return l.ClockColor;
  return l.BusyColor;
}

std::array<RgbF, kColorTableEntries>& ColorTable(LayoutRecord& l, std::string_view name) {
  return name == "TextColor" ? l.TextColor : l.BGColor;
}

// Reading a document: each helper checks one value and reports what is wrong.
class Reader {
 public:
  explicit Reader(std::string& error) : error_(error) {}

  bool Fail(const std::string& where, const std::string& what) {
    error_ = where + ": " + what;
    return false;
  }

  bool Integer(const Json& v, const std::string& where, int64_t lo, int64_t hi, int64_t& out) {
    if (!v.is_number_integer()) return Fail(where, "expected an integer");
    if (v.is_number_unsigned()) {
      uint64_t u = v.get<uint64_t>();
      if (u > static_cast<uint64_t>(hi)) return Fail(where, "out of range");
      out = static_cast<int64_t>(u);
    } else {
      out = v.get<int64_t>();
    }
    if (out < lo || out > hi) return Fail(where, "out of range");
    return true;
  }

  bool Number(const Json& v, const std::string& where, float& out) {
    if (!v.is_number()) return Fail(where, "expected a number");
    out = static_cast<float>(v.get<double>());
    return true;
  }

  bool Array(const Json& v, const std::string& where, std::size_t maxSize) {
    if (!v.is_array()) return Fail(where, "expected an array");
    if (v.size() > maxSize) return Fail(where, "more than " + std::to_string(maxSize) + " entries");
    return true;
  }

  bool TripleF(const Json& v, const std::string& where, RgbF& out) {
    if (!v.is_array() || v.size() != 3) return Fail(where, "a colour must be a triple");
    return Number(v[0], where, out.r) && Number(v[1], where, out.g) && Number(v[2], where, out.b);
  }

  bool Triple8(const Json& v, const std::string& where, Rgb8& out) {
    if (!v.is_array() || v.size() != 3) return Fail(where, "a colour must be a triple");
    int64_t c[3];
    for (int i = 0; i < 3; ++i) {
      if (!Integer(v[i], where, 0, 255, c[i])) return false;
    }
    out = {static_cast<uint8_t>(c[0]), static_cast<uint8_t>(c[1]), static_cast<uint8_t>(c[2])};
    return true;
  }

  template <std::size_t N>
  bool Tag(const Json& v, const std::string& where, std::array<char, N>& out) {
    if (!v.is_string()) return Fail(where, "expected a string");
    const std::string& s = v.get_ref<const std::string&>();
    // A field of N bytes holds N characters; a shorter text ends in a zero.
    if (s.size() > N) return Fail(where, "longer than " + std::to_string(N) + " bytes");
    if (s.find('\0') != std::string::npos) return Fail(where, "contains a zero byte");
    out.fill('\0');
    std::memcpy(out.data(), s.data(), s.size());
    return true;
  }

 private:
  std::string& error_;
};

bool ReadLayout(const Json& layout, LayoutRecord& l, Reader& r) {
  if (!layout.is_object()) return r.Fail("layout", "expected an object");
  for (const auto& [key, value] : layout.items()) {
    std::string where = "layout." + key;
    if (const LayoutField* f = FindLayoutField(key)) {
      if (auto* ip = std::get_if<int32_t LayoutRecord::*>(&f->member)) {
        int64_t v;
        if (!r.Integer(value, where, std::numeric_limits<int32_t>::min(), std::numeric_limits<uint32_t>::max(), v)) {
          return false;
        }
        if (f->rule == ParseRule::ClampedSize) {
          // The 16-bit field is read as its edit reads it: as unsigned, at most 32767.
          l.*(*ip) = static_cast<uint32_t>(v) < 32768u ? static_cast<int32_t>(v) : 32767;
        } else {
          if (v > std::numeric_limits<int32_t>::max()) return r.Fail(where, "out of range");
          l.*(*ip) = static_cast<int32_t>(v);
        }
      } else if (!r.Number(value, where, l.*(std::get<float LayoutRecord::*>(f->member)))) {
        return false;
      }
      continue;
    }
    bool known = false;
    for (const char* name : kColorTables) {
      if (key != name) continue;
      known = true;
      if (!r.Array(value, where, kColorTableEntries)) return false;
      auto& table = ColorTable(l, key);
      for (std::size_t i = 0; i < value.size(); ++i) {
        if (!r.TripleF(value[i], where + "[" + std::to_string(i) + "]", table[i])) return false;
      }
    }
    for (const char* name : kByteColors) {
      if (key != name) continue;
      known = true;
      if (!r.Triple8(value, where, ByteColor(l, key))) return false;
    }
    if (!known) return r.Fail(where, "unknown field");
  }
  return true;
}

bool ReadCategoryEntries(const Json& entries, std::array<CategoryEntry, kCategoryEntrySlots>& out, Reader& r) {
  if (!r.Array(entries, "categoryEntries", kCategoryEntrySlots)) return false;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::string where = "categoryEntries[" + std::to_string(i) + "]";
    const Json& e = entries[i];
    if (!e.is_array() || e.size() != 4) return r.Fail(where, "expected [category, item, show, region]");
    int64_t b[4];
    for (int k = 0; k < 4; ++k) {
      if (!r.Integer(e[k], where, 0, 255, b[k])) return false;
    }
    out[i] = {static_cast<uint8_t>(b[0]), static_cast<uint8_t>(b[1]), static_cast<uint8_t>(b[2]),
              static_cast<uint8_t>(b[3])};
  }
  return true;
}

bool ReadItem(const Json& item, const std::string& where, ItemRecord& out, Reader& r) {
  if (!item.is_object()) return r.Fail(where, "expected an object");
  for (const auto& [key, value] : item.items()) {
    std::string at = where + "." + key;
    int64_t v = 0;
    uint32_t* word = key == "Word0"          ? &out.Word0
                     : key == "Media"        ? &out.Media
                     : key == "ExecGroup"    ? &out.ExecGroup
                     : key == "ExecFunction" ? &out.ExecFunction
                     : key == "Word4"        ? &out.Word4
                     : key == "Word5"        ? &out.Word5
                     : key == "Word6"        ? &out.Word6
                                             : nullptr;
    if (word != nullptr) {
      if (!r.Integer(value, at, 0, std::numeric_limits<uint32_t>::max(), v)) return false;
      *word = static_cast<uint32_t>(v);
    } else if (key == "UmdFlag") {
      if (!r.Integer(value, at, 0, 255, v)) return false;
      out.UmdFlag = static_cast<uint8_t>(v);
    } else if (key == "ExecIndex") {
      if (!r.Integer(value, at, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), v)) {
        return false;
      }
      out.ExecIndex = static_cast<int32_t>(v);
    } else if (key == "MainImageTag") {
      if (!r.Tag(value, at, out.MainImageTag)) return false;
    } else if (key == "ShadowImageTag") {
      if (!r.Tag(value, at, out.ShadowImageTag)) return false;
    } else if (key == "ConfImageTag") {
      if (!r.Tag(value, at, out.ConfImageTag)) return false;
    } else if (key == "NameTag") {
      if (!r.Tag(value, at, out.NameTag)) return false;
    } else {
      return r.Fail(at, "unknown field");
    }
  }
  return true;
}

const std::set<std::string, std::less<>> kReadOnlyKeys{"categoryEntryCount", "categoryLists",     "itemCount",
                                                       "imageLabels",        "subIconImageIndex", "names"};

}  // namespace

Json ModelToJson(const FirmwareState& s) {
  Json doc;
  doc["version"] = s.FirmwareVersion;

  Json layout = Json::object();
  for (const LayoutField& f : LayoutFields()) {
    if (auto* ip = std::get_if<int32_t LayoutRecord::*>(&f.member)) {
      layout[std::string(f.name)] = s.Layout.*(*ip);
    } else {
      layout[std::string(f.name)] = FloatJson(s.Layout.*(std::get<float LayoutRecord::*>(f.member)));
    }
  }
  for (const char* name : kColorTables) {
    Json table = Json::array();
    for (const RgbF& c : ColorTable(const_cast<LayoutRecord&>(s.Layout), name)) table.push_back(Triple(c));
    layout[name] = table;
  }
  layout["BatteryColor"] = Triple(s.Layout.BatteryColor);
  layout["ClockColor"] = Triple(s.Layout.ClockColor);
  layout["BusyColor"] = Triple(s.Layout.BusyColor);
  doc["layout"] = layout;

  doc["categoryEntryCount"] = s.CategoryEntryCount;
  Json entries = Json::array();
  for (const CategoryEntry& e : s.CategoryEntries)
    entries.push_back(Json::array({e.Category, e.Item, e.Show, e.Region}));
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
  for (const ItemRecord& it : s.ItemTable) {
    Json o;
    o["Word0"] = it.Word0;
    o["Media"] = it.Media;
    o["ExecGroup"] = it.ExecGroup;
    o["ExecFunction"] = it.ExecFunction;
    o["Word4"] = it.Word4;
    o["Word5"] = it.Word5;
    o["Word6"] = it.Word6;
    o["UmdFlag"] = it.UmdFlag;
    o["ExecIndex"] = it.ExecIndex;
    o["MainImageTag"] = Text(it.MainImageTag);
    o["ShadowImageTag"] = Text(it.ShadowImageTag);
    o["ConfImageTag"] = Text(it.ConfImageTag);
    o["NameTag"] = Text(it.NameTag);
    items.push_back(o);
  }
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

bool ApplyLayoutJson(const Json& doc, FirmwareState& state, std::vector<std::string>& warnings, std::string& error) {
  Reader r(error);
  if (!doc.is_object()) return r.Fail("layout file", "expected a JSON object");

  LayoutRecord layout = state.Layout;
  auto entries = state.CategoryEntries;
  auto itemTable = state.ItemTable;
  int64_t version = 0;
  bool hasVersion = false;

  for (const auto& [key, value] : doc.items()) {
    if (key == "version") {
      if (!r.Integer(value, "version", 0, std::numeric_limits<int32_t>::max(), version)) return false;
      hasVersion = true;
    } else if (key == "layout") {
      if (!ReadLayout(value, layout, r)) return false;
    } else if (key == "categoryEntries") {
      if (!ReadCategoryEntries(value, entries, r)) return false;
    } else if (key == "items") {
      if (!r.Array(value, "items", kItemSlots)) return false;
      for (std::size_t i = 0; i < value.size(); ++i) {
        if (!ReadItem(value[i], "items[" + std::to_string(i) + "]", itemTable[i], r)) return false;
      }
    } else if (kReadOnlyKeys.count(key) == 0) {
      return r.Fail(key, "unknown field");
    }
  }

  state.Layout = layout;
  bool sameVersion = hasVersion && version == state.FirmwareVersion;
  for (const char* key : {"categoryEntries", "items"}) {
    if (!doc.contains(key)) continue;
    if (!sameVersion) {
      std::string from = hasVersion ? "version " + std::to_string(version) : "no version";
      warnings.push_back(std::string(key) + " skipped: the layout file is for " + from +
                         ", the loaded firmware is version " + std::to_string(state.FirmwareVersion));
    } else if (std::string_view(key) == "categoryEntries") {
      state.CategoryEntries = entries;
    } else {
      state.ItemTable = itemTable;
    }
  }
  return true;
}

bool ApplySetting(const std::string& assignment, LayoutRecord& layout, std::string& error) {
  std::size_t eq = assignment.find('=');
  if (eq == std::string::npos) {
    error = "--set " + assignment + ": expected NAME=VALUE";
    return false;
  }
  std::string name = assignment.substr(0, eq);
  const LayoutField* field = FindLayoutField(name);
  if (field == nullptr) {
    bool colour = false;
    for (const char* c : kColorTables) colour = colour || name == c;
    for (const char* c : kByteColors) colour = colour || name == c;
    error = "--set " + name + ": " + (colour ? "not a scalar field" : "unknown field");
    return false;
  }
  StoreFieldText(layout, *field, std::string_view(assignment).substr(eq + 1));
  return true;
}

}  // namespace qorvi::cli
