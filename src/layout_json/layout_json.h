// SPDX-License-Identifier: GPL-3.0-or-later
// The layout document: the model as JSON, as `qorvi-cli info` prints it, and the
// same document (any subset of it) read back as a preset by `qorvi-cli save
// --layout`, `qorvi-cli check --layout` and the desktop program's "Import
// layout...".
//
// Reading is split in two so that a caller can refuse a document before it has
// anything loaded: ParseLayoutText checks the whole document and returns a
// change set; ApplyLayoutChanges puts it into a loaded model in one go. The
// `layout` fields apply whatever the document's version; `categoryEntries` and
// `items` only when the document names the loaded version (else they are skipped
// with a warning). The keys that describe a load (`categoryEntryCount`,
// `categoryLists`, `itemCount`, `imageLabels`, `subIconImageIndex`, `names`) are
// ignored on input; any other key the schema does not know is refused.
//
// Floats: a float field is a JSON number printed so that it reads back as the
// same single. A value no JSON number can hold (a NaN or infinity read from a
// firmware file) is a string instead: "inf", "-inf", or "nan:0x7fc00000" with the
// single's 32 bits in hexadecimal, sign and payload included. On input a number
// must be a finite single (1e39 is refused); the three string forms give back the
// exact bits they name.
//
// Item tags: a tag whose bytes are UTF-8 is a JSON string of them. A tag holding
// bytes that are not (the firmware does not require it) is an object instead,
// {"bytes": "msg_%E9sb"}: its bytes with every byte outside printable ASCII, and
// '%' itself, written as '%' and two hexadecimal digits. No UTF-8 tag is ever
// written so, and both forms read back to exactly the bytes they name.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/model.h"

namespace qorvi::layout_json {

using Json = nlohmann::ordered_json;

// Documents larger than this are refused before they are read into memory.
inline constexpr std::size_t kMaxDocumentBytes = 16 * 1024 * 1024;

// --- Writing.

// The whole document, keys in the documented order.
Json ModelToJson(const FirmwareState& state);
// The document as text: two-space indentation and a final line break. Bytes of
// image labels and names (read-only) that are not UTF-8 are replaced by U+FFFD, so
// the text is always valid JSON; tags keep theirs in the form above.
std::string ModelToText(const FirmwareState& state);

// A tag as the document holds it: a string, or {"bytes": ...} when it is not UTF-8.
Json TagToJson(std::string_view tag);
// The bytes a document value names (either form); nothing, with the reason in
// `error`, for any other value or a broken %-escape. Length and zero bytes are the
// caller's to check.
std::optional<std::string> TagFromJson(const Json& value, std::string& error);
// Whether `text` is well-formed UTF-8 (no overlong forms, surrogates or code
// points beyond U+10FFFF).
bool IsUtf8(std::string_view text);

// A float as the document holds it: a number, or one of the strings above.
Json FloatToJson(float value);
// The single a document value names; nothing (with the reason in `error`) when it
// is neither a number that fits a finite single nor one of the string forms.
std::optional<float> FloatFromJson(const Json& value, std::string& error);

// --- Reading.

// Everything a document asks to change, already checked: applying it cannot fail.
struct LayoutChanges {
  std::optional<int64_t> version;  // the document's "version", when it has one

  // New values of the `layout` fields the document names.
  LayoutRecord layout;
  std::bitset<48> scalars;  // by index in LayoutFields()
  std::bitset<kColorTableEntries> textColors;
  std::bitset<kColorTableEntries> bgColors;
  bool batteryColor = false;
  bool clockColor = false;
  bool busyColor = false;

  // The first `categoryEntryCount` entries, when the document has the key.
  bool hasCategoryEntries = false;
  int categoryEntryCount = 0;
  std::array<CategoryEntry, kCategoryEntrySlots> categoryEntries{};

  // Per item slot, the fields the document names (bit k: the k-th item key in
  // document order, Word0 .. NameTag) and their values.
  bool hasItems = false;
  std::array<ItemRecord, kItemSlots> items{};
  std::array<uint16_t, kItemSlots> itemFields{};
};

struct ParsedLayout {
  std::optional<LayoutChanges> changes;  // nothing when the document is refused
  std::string error;                     // why, on one line: "layout.ClockX: expected an integer"
};

// Checks a whole document. Refused: text that is not JSON, a document that is not
// an object, a value of the wrong type or range, a colour that is not a triple,
// and unknown keys (all of them are named).
ParsedLayout ParseLayoutText(std::string_view text);
ParsedLayout ParseLayoutJson(const Json& doc);

// Applies the changes to `state` in one go and returns the warnings: the entries
// or items skipped because the document is for another version (or names none).
std::vector<std::string> ApplyLayoutChanges(const LayoutChanges& changes, FirmwareState& state);

// Reads a layout file of at most kMaxDocumentBytes. False with a one-line reason
// in `error` when it cannot be opened or read (a folder, a device that refuses
// reads) or is larger.
bool ReadLayoutFile(const std::string& path, std::string& text, std::string& error);

}  // namespace qorvi::layout_json
