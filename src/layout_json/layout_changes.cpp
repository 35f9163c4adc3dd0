// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a layout document into a change set, and applying that set.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <set>

#include "layout_json/item_keys.h"
#include "layout_json/layout_json.h"
#include "model/firmware_profile.h"
#include "model/value_text.h"
#include "platform/file_io.h"

namespace qorvi::layout_json {
namespace {

const std::set<std::string, std::less<>> kReadOnlyKeys{"categoryEntryCount", "categoryLists",     "itemCount",
                                                       "imageLabels",        "subIconImageIndex", "names"};

// How many unknown keys the refusal names; the rest are counted.
constexpr std::size_t kUnknownNamed = 5;

// Walks a document, filling a change set; the first wrong value stops it, unknown
// keys are collected so that one message can name the first few and count the
// rest.
class Reader {
 public:
  explicit Reader(LayoutChanges& changes) : c_(changes) {}

  bool Fail(const std::string& where, const std::string& what) {
    if (error_.empty()) error_ = where + ": " + what;
    return false;
  }
  void Unknown(const std::string& where) {
    if (unknown_.size() < kUnknownNamed) unknown_.push_back(where);
    ++unknown_count_;
  }

  std::string Error() const {
    if (!error_.empty()) return error_;
    if (unknown_.empty()) return {};
    std::string names;
    for (const std::string& u : unknown_) names += (names.empty() ? "" : ", ") + u;
    if (unknown_count_ > unknown_.size()) names += " and " + std::to_string(unknown_count_ - unknown_.size()) + " more";
    return (unknown_count_ == 1 ? "unknown field " : "unknown fields ") + names;
  }

  bool Document(const Json& doc) {
    if (!doc.is_object()) return Fail("layout file", "expected a JSON object");
    for (const auto& [key, value] : doc.items()) {
      if (key == "version") {
        int64_t v = 0;
        if (!Integer(value, "version", 0, std::numeric_limits<int32_t>::max(), v)) return false;
        c_.version = v;
      } else if (key == "layout") {
        if (!Layout(value)) return false;
      } else if (key == "categoryEntries") {
        if (!CategoryEntries(value)) return false;
      } else if (key == "items") {
        if (!Items(value)) return false;
      } else if (kReadOnlyKeys.count(key) == 0) {
        Unknown(key);
      }
    }
    return true;
  }

 private:
  bool Integer(const Json& v, const std::string& where, int64_t lo, int64_t hi, int64_t& out) {
    if (!v.is_number_integer()) return Fail(where, "expected an integer");
    if (v.is_number_unsigned()) {
      const uint64_t u = v.get<uint64_t>();
      if (u > static_cast<uint64_t>(hi)) return Fail(where, "out of range");
      out = static_cast<int64_t>(u);
    } else {
      out = v.get<int64_t>();
    }
    if (out < lo || out > hi) return Fail(where, "out of range");
    return true;
  }

  bool Single(const Json& v, const std::string& where, float& out) {
    std::string why;
    const std::optional<float> f = FloatFromJson(v, why);
    if (!f) return Fail(where, why);
    out = *f;
    return true;
  }

  bool Array(const Json& v, const std::string& where, std::size_t max_size) {
    if (!v.is_array()) return Fail(where, "expected an array");
    if (v.size() > max_size) return Fail(where, "more than " + std::to_string(max_size) + " entries");
    return true;
  }

  bool TripleF(const Json& v, const std::string& where, RgbF& out) {
    if (!v.is_array() || v.size() != 3) return Fail(where, "a colour must be a triple");
    return Single(v[0], where, out.r) && Single(v[1], where, out.g) && Single(v[2], where, out.b);
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

  bool Tag(const Json& v, const std::string& where, ItemTag& out) {
    std::string why;
    const std::optional<std::string> bytes = TagFromJson(v, why);
    if (!bytes) return Fail(where, why);
    const std::string& s = *bytes;
    // A tag fills at most its 24 bytes; one of all 24 has no terminating zero, as
    // the firmware allows.
    if (s.size() > out.size()) return Fail(where, "longer than " + std::to_string(out.size()) + " bytes");
    if (s.find('\0') != std::string::npos) return Fail(where, "contains a zero byte");
    out.SetText(s);
    return true;
  }

  bool Scalar(const LayoutField& f, std::size_t index, const Json& value, const std::string& where) {
    LayoutRecord& l = c_.layout;
    if (auto* ip = std::get_if<int32_t LayoutRecord::*>(&f.member)) {
      int64_t v = 0;
      if (!Integer(value, where, std::numeric_limits<int32_t>::min(), std::numeric_limits<uint32_t>::max(), v)) {
        return false;
      }
      if (f.rule == ParseRule::ClampedSize) {
        // The 16-bit field is read as its edit reads it: as unsigned, at most 32767.
        l.*(*ip) = ClampedSize(v);
      } else {
        if (v > std::numeric_limits<int32_t>::max()) return Fail(where, "out of range");
        l.*(*ip) = static_cast<int32_t>(v);
      }
    } else if (!Single(value, where, l.*(std::get<float LayoutRecord::*>(f.member)))) {
      return false;
    }
    c_.scalars.set(index);
    return true;
  }

  bool Layout(const Json& layout) {
    if (!layout.is_object()) return Fail("layout", "expected an object");
    const auto fields = LayoutFields();
    for (const auto& [key, value] : layout.items()) {
      const std::string where = "layout." + key;
      if (const LayoutField* f = FindLayoutField(key)) {
        if (!Scalar(*f, static_cast<std::size_t>(f - fields.data()), value, where)) return false;
      } else if (key == "TextColor" || key == "BGColor") {
        const bool text = key == "TextColor";
        if (!Array(value, where, kColorTableEntries)) return false;
        for (std::size_t i = 0; i < value.size(); ++i) {
          RgbF& colour = text ? c_.layout.TextColor[i] : c_.layout.BGColor[i];
          if (!TripleF(value[i], where + "[" + std::to_string(i) + "]", colour)) return false;
          (text ? c_.textColors : c_.bgColors).set(i);
        }
      } else if (key == "BatteryColor") {
        if (!Triple8(value, where, c_.layout.BatteryColor)) return false;
        c_.batteryColor = true;
      } else if (key == "ClockColor") {
        if (!Triple8(value, where, c_.layout.ClockColor)) return false;
        c_.clockColor = true;
      } else if (key == "BusyColor") {
        if (!Triple8(value, where, c_.layout.BusyColor)) return false;
        c_.busyColor = true;
      } else {
        Unknown(where);
      }
    }
    return true;
  }

  bool CategoryEntries(const Json& entries) {
    if (!Array(entries, "categoryEntries", kCategoryEntrySlots)) return false;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const std::string where = "categoryEntries[" + std::to_string(i) + "]";
      const Json& e = entries[i];
      if (!e.is_array() || e.size() != 4) return Fail(where, "expected [category, item, show, region]");
      int64_t b[4];
      for (int k = 0; k < 4; ++k) {
        if (!Integer(e[k], where, 0, 255, b[k])) return false;
      }
      c_.categoryEntries[i] = {static_cast<uint8_t>(b[0]), static_cast<uint8_t>(b[1]), static_cast<uint8_t>(b[2]),
                               static_cast<uint8_t>(b[3])};
    }
    c_.hasCategoryEntries = true;
    c_.categoryEntryCount = static_cast<int>(entries.size());
    return true;
  }

  bool Item(const Json& item, std::size_t slot) {
    const std::string where = "items[" + std::to_string(slot) + "]";
    if (!item.is_object()) return Fail(where, "expected an object");
    ItemRecord& out = c_.items[slot];
    for (const auto& entry : item.items()) {
      // Named copies: the lambdas below cannot capture structured bindings everywhere yet.
      const std::string& key = entry.key();
      const Json& value = entry.value();
      const std::string at = where + "." + key;
      const auto k =
          std::find_if(kItemKeys.begin(), kItemKeys.end(), [&](const ItemKey& ik) { return ik.name == key; });
      if (k == kItemKeys.end()) {
        Unknown(at);
        continue;
      }
      int64_t v = 0;
      const bool ok = std::visit(
          [&](auto member) {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, ItemTag ItemRecord::*>) {
              return Tag(value, at, out.*member);
            } else {
              using T = std::remove_reference_t<decltype(out.*member)>;
              if (!Integer(value, at, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), v)) return false;
              out.*member = static_cast<T>(v);
              return true;
            }
          },
          k->member);
      if (!ok) return false;
      c_.itemFields[slot] |= static_cast<uint16_t>(1u << (k - kItemKeys.begin()));
    }
    return true;
  }

  bool Items(const Json& items) {
    if (!Array(items, "items", kItemSlots)) return false;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!Item(items[i], i)) return false;
    }
    c_.hasItems = true;
    return true;
  }

  LayoutChanges& c_;
  std::string error_;
  std::vector<std::string> unknown_;  // the first kUnknownNamed
  std::size_t unknown_count_ = 0;
};

// Builds the document from the parser's events in time linear in its size. The
// library's own builder checks every key of an ordered object against those
// before it, so a document of n keys took n*n/2 comparisons (a 16 MiB one, about
// twenty minutes). Here a key is appended as it comes: a key that repeats stays
// twice, in order, and the reader takes both (for a known field the last value
// stands, as with any JSON reader; an unknown one is named twice).
class LinearBuilder {
 public:
  explicit LinearBuilder(Json& root) : root_(root) {}

  bool null() { return Add(nullptr); }
  bool boolean(bool v) { return Add(v); }
  bool number_integer(Json::number_integer_t v) { return Add(v); }
  bool number_unsigned(Json::number_unsigned_t v) { return Add(v); }
  bool number_float(Json::number_float_t v, const std::string& /*text*/) { return Add(v); }
  bool string(std::string& v) { return Add(std::move(v)); }
  bool binary(Json::binary_t& v) { return Add(Json::binary(std::move(v))); }
  bool start_object(std::size_t /*size*/) { return Open(Json::object()); }
  bool end_object() { return Close(); }
  bool start_array(std::size_t /*size*/) { return Open(Json::array()); }
  bool end_array() { return Close(); }
  bool key(std::string& k) {
    key_ = std::move(k);
    return true;
  }
  bool parse_error(std::size_t /*position*/, const std::string& /*token*/, const nlohmann::detail::exception& e) {
    error_ = e.what();
    return false;
  }

  const std::string& error() const { return error_; }

 private:
  // Where the value goes: the root, the end of the open array, or the end of the
  // open object under the last key. The open containers' addresses stay valid:
  // only the innermost one grows.
  Json* Place(Json&& value) {
    if (open_.empty()) {
      root_ = std::move(value);
      return &root_;
    }
    Json& parent = *open_.back();
    if (parent.is_array()) {
      auto& items = parent.get_ref<Json::array_t&>();
      items.push_back(std::move(value));
      return &items.back();
    }
    // The ordered object is a vector of pairs underneath: appended without the
    // search for an equal key that its own emplace makes.
    using Pairs = std::vector<Json::object_t::value_type, Json::object_t::allocator_type>;
    Pairs& pairs = parent.get_ref<Json::object_t&>();
    pairs.emplace_back(std::move(key_), std::move(value));
    return &pairs.back().second;
  }
  bool Add(Json&& value) {
    Place(std::move(value));
    return true;
  }
  bool Open(Json&& container) {
    open_.push_back(Place(std::move(container)));
    return true;
  }
  bool Close() {
    open_.pop_back();
    return true;
  }

  Json& root_;
  std::vector<Json*> open_;
  std::string key_;
  std::string error_;
};

void ApplyItem(const LayoutChanges& c, std::size_t slot, ItemRecord& to) {
  for (std::size_t k = 0; k < kItemKeys.size(); ++k) {
    if ((c.itemFields[slot] & (1u << k)) == 0) continue;
    std::visit([&](auto member) { to.*member = c.items[slot].*member; }, kItemKeys[k].member);
  }
}

}  // namespace

ParsedLayout ParseLayoutJson(const Json& doc) {
  LayoutChanges changes;
  Reader reader(changes);
  reader.Document(doc);
  ParsedLayout result;
  result.error = reader.Error();
  if (result.error.empty()) result.changes = changes;
  return result;
}

ParsedLayout ParseLayoutText(std::string_view text) {
  Json doc;
  LinearBuilder builder(doc);
  try {
    if (!Json::sax_parse(text, &builder)) return {std::nullopt, "not valid JSON: " + builder.error()};
  } catch (const Json::exception& e) {
    return {std::nullopt, std::string("not valid JSON: ") + e.what()};
  }
  return ParseLayoutJson(doc);
}

std::vector<std::string> ApplyLayoutChanges(const LayoutChanges& c, FirmwareState& state) {
  LayoutRecord& l = state.Layout;
  std::vector<std::string> warnings;
  // A field the loaded version has no place for reaches no file: it is skipped, and
  // named when the document would have changed it.
  const FirmwareProfile* profile = ProfileFor(state.FirmwareVersion);
  std::string unstored;
  const auto fields = LayoutFields();
  for (std::size_t i = 0; i < fields.size() && i < c.scalars.size(); ++i) {
    if (!c.scalars.test(i)) continue;
    if (profile != nullptr && !StoresField(*profile, fields[i])) {
      if (!SameFieldValue(l, c.layout, fields[i]))
        unstored += (unstored.empty() ? "layout." : ", layout.") + std::string(fields[i].name);
      continue;
    }
    CopyLayoutField(l, c.layout, fields[i]);
  }
  if (!unstored.empty()) {
    warnings.push_back(unstored + " skipped: the loaded firmware is version " + std::to_string(state.FirmwareVersion) +
                       ", which does not store " + (unstored.find(',') == std::string::npos ? "it" : "them"));
  }
  for (std::size_t i = 0; i < kColorTableEntries; ++i) {
    if (c.textColors.test(i)) l.TextColor[i] = c.layout.TextColor[i];
    if (c.bgColors.test(i)) l.BGColor[i] = c.layout.BGColor[i];
  }
  if (c.batteryColor) l.BatteryColor = c.layout.BatteryColor;
  if (c.clockColor) l.ClockColor = c.layout.ClockColor;
  if (c.busyColor) l.BusyColor = c.layout.BusyColor;

  const bool same_version = c.version && *c.version == state.FirmwareVersion;
  auto skipped = [&](const char* key) {
    const std::string from = c.version ? "version " + std::to_string(*c.version) : "no version";
    warnings.push_back(std::string(key) + " skipped: the layout file is for " + from +
                       ", the loaded firmware is version " + std::to_string(state.FirmwareVersion));
  };
  if (c.hasCategoryEntries) {
    if (!same_version) {
      skipped("categoryEntries");
    } else {
      std::copy_n(c.categoryEntries.begin(), c.categoryEntryCount, state.CategoryEntries.begin());
    }
  }
  if (c.hasItems) {
    if (!same_version) {
      skipped("items");
    } else {
      for (std::size_t i = 0; i < kItemSlots; ++i) ApplyItem(c, i, state.ItemTable[i]);
    }
  }
  return warnings;
}

bool ReadLayoutFile(const std::string& path, std::string& text, std::string& error) {
  std::error_code open_error;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenFile(path, "rb", open_error), &std::fclose);
  if (!file) {
    error = "cannot read the layout file " + path + ": " + open_error.message();
    return false;
  }
  // Read in pieces, and never more than one byte past the limit: a huge file is
  // refused without being held in memory.
  text.clear();
  char buffer[64 * 1024];
  while (text.size() <= kMaxDocumentBytes) {
    const std::size_t want = std::min(sizeof buffer, kMaxDocumentBytes + 1 - text.size());
    const std::size_t got = std::fread(buffer, 1, want, file.get());
    if (got < want && std::ferror(file.get())) {
      const int err = errno;
      error = "cannot read the layout file " + path + ": " + std::strerror(err);
      text.clear();
      return false;
    }
    text.append(buffer, got);
    if (got < want) break;
  }
  if (text.size() > kMaxDocumentBytes) {
    error = "the layout file " + path + " is larger than " + std::to_string(kMaxDocumentBytes / (1024 * 1024)) + " MiB";
    text.clear();
    return false;
  }
  return true;
}

}  // namespace qorvi::layout_json
