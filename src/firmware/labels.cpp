// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/labels.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <tuple>

#include "firmware/byte_reader.h"
#include "model/container_places.h"

namespace qorvi {
namespace {

constexpr uint32_t kMaxTexts = 96;
constexpr uint32_t kNoLength = 0xFFFFFFFF;
constexpr std::size_t kMaxLabelChars = 127;
constexpr std::size_t kMaxNameUnits = 128;

// The label of a string: where its name and its text lie.
struct IndexEntry {
  uint32_t label = 0;  // offset into the label data area
  uint32_t text = 0;   // offset into the text data area
};

// The bytes of a zero-terminated label, up to `limit` characters. A label that
// starts outside the image is empty; one that reaches the end of the image before
// its zero (and before `limit`) is cut there.
std::string_view LabelAt(ByteReader& reader, uint64_t offset, std::size_t limit) {
  if (!reader.has(offset, 0)) return {};
  std::span<const uint8_t> rest = reader.rest(offset);
  rest = rest.first(std::min(rest.size(), limit));
  auto zero = std::find(rest.begin(), rest.end(), uint8_t{0});
  return {reinterpret_cast<const char*>(rest.data()), static_cast<std::size_t>(zero - rest.begin())};
}

void AppendUtf8(char32_t c, char* out, std::size_t& length) {
  if (c < 0x80) {
    out[length++] = static_cast<char>(c);
  } else if (c < 0x800) {
    out[length++] = static_cast<char>(0xC0 | (c >> 6));
    out[length++] = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out[length++] = static_cast<char>(0xE0 | (c >> 12));
    out[length++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[length++] = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out[length++] = static_cast<char>(0xF0 | (c >> 18));
    out[length++] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[length++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[length++] = static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::size_t Utf8Length(char32_t c) { return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4; }

// Reads `count` index entries from `offset`; an entry without a label (offset 0)
// or marked unused (length 0xFFFFFFFF) points at the start of both areas.
bool ReadIndex(ByteReader& reader, uint64_t offset, uint32_t count, std::array<IndexEntry, kMaxTexts>& index) {
  for (uint32_t i = 0; i < count; ++i) {
    uint64_t at = offset + i * rco::kTextIndexEntrySize;
    uint32_t label = reader.u32(at);
    uint32_t length = reader.u32(at + 4);
    uint32_t text = reader.u32(at + 8);
    if (label == 0 || length == kNoLength) label = text = 0;
    index[i] = {label, text};
  }
  return reader.ok();
}

// Fills one language's table: finds the string of each category and item slot by
// its label, then converts those strings.
void FillLanguage(ByteReader& reader, const FirmwareState& state, const std::array<IndexEntry, kMaxTexts>& index,
                  uint32_t count, LabelTexts& out) {
  const uint64_t label_area = reader.u32(rco::kLabelDataField);
  const uint64_t text_area = reader.u32(rco::kTextDataField);
  std::array<uint32_t, kLabelTextSlots> string_of{};  // slot -> string number; 0 when no label matched
  const bool new_labels = state.Profile.NewLabelNames;
  const std::string_view settings_label = new_labels ? "msgshare_settings" : "msgtop_sysconf";
  const std::string_view game_label = new_labels ? "msgshare_game" : "msgtop_game";
  // Before a version is known (no profile) no label names the settings or game category.
  const bool known_version = state.Profile.VshmainSize != 0;
  // Item slots take part only below the number of images read from
  // topmenu_icon.rco; the slots past it show string 0.
  const int32_t item_limit =
      std::min(std::clamp(state.ItemCount, 0, kItemSlots), std::clamp(state.ImageLabelCount, 0, kImageLabelSlots));

  for (uint32_t i = 0; i < count; ++i) {
    std::string_view name = LabelAt(reader, label_area + index[i].label, kMaxLabelChars);
    if (name == "msgtop_photo") {
      string_of[1] = i;
    } else if (name == "msgtop_music") {
      string_of[2] = i;
    } else if (name == "msgtop_video") {
      string_of[3] = i;
    } else if (name == "msg_tv") {
      string_of[4] = i;
    } else if (name == "msgtop_network") {
      string_of[6] = i;
    } else if (name == "msg_psn") {
      string_of[7] = i;
    } else {
      if (known_version && name == settings_label) string_of[0] = i;
      if (known_version && name == game_label) string_of[5] = i;
      for (int32_t j = 0; j < item_limit; ++j) {
        if (name == state.ItemTable[j].NameTag.view()) string_of[kCategories + j] = i;
      }
    }
  }

  for (int slot = 0; slot < kLabelTextSlots; ++slot) {
    std::array<char, kLabelTextBytes>& name = out[slot];
    name.fill(0);
    if (string_of[slot] >= count) continue;  // no strings at all
    uint64_t at = text_area + index[string_of[slot]].text;
    if (!reader.has(at, 0)) continue;
    std::span<const uint8_t> text = reader.rest(at);
    ConvertName(text.first(std::min<std::size_t>(text.size(), kMaxNameUnits * 2)), name);
  }
}

}  // namespace

Status ReadImageLabels(std::span<const uint8_t> image, FirmwareState& state) {
  ByteReader reader(image);
  int32_t count = reader.s8(rco::kImageCountByte);
  const uint64_t area = reader.u32(rco::kLabelDataField);
  if (!reader.ok()) return Refusal{"header: " + reader.failure()};
  count = std::clamp(count, 0, kImageLabelSlots);

  // The label area holds the container's own name first, then one name per image;
  // each name is followed by its zero and possibly more zero padding.
  uint64_t p = area;
  auto next = [&](std::string_view& label) {
    label = reader.cstring(p);
    if (!reader.ok()) return false;
    p += label.size();
    while (reader.has(p, 1) && reader.u8(p) == 0) ++p;
    return true;
  };
  auto refused = [&](int32_t i) {
    const std::string which = i < 0 ? "container name" : "label of image " + std::to_string(i);
    return Refusal{which + " (label area " + Hex(area) + " at " + Hex(rco::kLabelDataField) + ", " +
                   std::to_string(count) + " images at " + Hex(rco::kImageCountByte) + "): " + reader.failure()};
  };
  std::string_view label;
  if (!next(label)) return refused(-1);

  std::array<std::array<char, kImageLabelChars>, kImageLabelSlots> labels{};
  for (int32_t i = 0; i < count; ++i) {
    if (!next(label)) return refused(i);
    std::memcpy(labels[i].data(), label.data(), std::min<std::size_t>(label.size(), kImageLabelChars - 1));
  }

  state.ImageLabels = labels;
  state.ImageLabelCount = count;

  // The first image whose label equals an item's image tag is its icon.
  const int32_t items = std::min(std::clamp(state.ItemCount, 0, kItemSlots), kItemNumbers);
  for (int32_t s = 0; s < items; ++s) {
    std::string_view tag = state.ItemTable[s].MainImageTag.view();
    for (int32_t j = 0; j < count; ++j) {
      if (TextOf(state.ImageLabels[j]) == tag) {
        state.SubIconImageIndex[s] = j;
        break;
      }
    }
  }
  return {};
}

Status ReadLabelTexts(std::span<const uint8_t> image, FirmwareState& state) {
  ByteReader reader(image);
  const uint64_t table = reader.u32(rco::kTextTableField);
  reader.u32(rco::kLabelDataField);
  reader.u32(rco::kTextDataField);
  if (!reader.ok()) return Refusal{"header: " + reader.failure()};
  const uint32_t stored_count = reader.u32(table + rco::kTextCount);
  if (!reader.ok()) {
    return Refusal{"text table offset " + Hex(table) + " at " + Hex(rco::kTextTableField) + ": its string count at " +
                   Hex(table + rco::kTextCount) + " lies past the end (" + std::to_string(image.size()) + " bytes)"};
  }
  const uint32_t count = std::min(stored_count, kMaxTexts);

  // The second index lies behind the whole first index as the file holds it,
  // even when only its first 96 entries are used.
  const uint64_t first = table + rco::kTextIndex;
  const uint64_t second = first + uint64_t{stored_count} * rco::kTextIndexEntrySize + rco::kSecondIndexGap;
  std::array<IndexEntry, kMaxTexts> index0{};
  std::array<IndexEntry, kMaxTexts> index1{};
  for (auto [at, index, language] : {std::tuple{first, &index0, 1}, std::tuple{second, &index1, 2}}) {
    if (!ReadIndex(reader, at, count, *index)) {
      return Refusal{"index of language " + std::to_string(language) + " at " + Hex(at) + " (" +
                     std::to_string(stored_count) + " strings, count at " + Hex(table + rco::kTextCount) +
                     "): " + reader.failure()};
    }
  }

  FillLanguage(reader, state, index0, count, state.LabelTextsJapanese);
  FillLanguage(reader, state, index1, count, state.LabelTextsEnglish);
  return {};
}

void ConvertName(std::span<const uint8_t> utf16le, std::array<char, kLabelTextBytes>& slot) {
  slot.fill(0);
  ByteReader reader(utf16le);
  const std::size_t units = std::min(utf16le.size() / 2, kMaxNameUnits);
  auto unit = [&](std::size_t i) -> char32_t { return reader.u16(2 * i); };

  std::size_t length = 0;
  for (std::size_t i = 0; i < units; ++i) {
    char32_t c = unit(i);
    if (c == 0) break;
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    // Only whole characters: the name ends where the next one would not fit.
    if (length + Utf8Length(c) > kLabelTextBytes - 1) break;
    AppendUtf8(c, slot.data(), length);
  }
}

}  // namespace qorvi
