// SPDX-License-Identifier: GPL-3.0-or-later
// The differences of two models (save/model_diff.h) in the layout document's own
// forms, so that a value reads exactly as `qorvi-cli info` prints it: integers as
// JSON integers, floats as the shortest number that reads back as the same single
// (a NaN or an infinity as its string, "nan:0x7fc00000", "inf"), tags as JSON
// strings, colours as triples. Used by `qorvi-cli diff` and by the desktop
// program's Changes window and "Save changes?" prompt.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "layout_json/layout_json.h"
#include "save/model_diff.h"

namespace qorvi::layout_json {

// The value as the document holds it; a version as its number (500).
Json DocumentValueJson(const DocumentValue& value);

// The value on one line: the document's JSON text of it, a triple as "[r, g, b]"
// with a comma and a blank between the members, a version as "5.00". A tag that
// is not UTF-8 shows in the document's {"bytes": ...} form.
std::string DocumentValueText(const DocumentValue& value);

// "KEY: FROM -> TO", with `arrow` between the two values.
std::string DifferenceLine(const ValueDifference& difference, std::string_view arrow = "->");

// [{"key": KEY, "from": FROM, "to": TO}, ...] in the order given; the values as
// DocumentValueJson has them.
Json DifferencesJson(const std::vector<ValueDifference>& differences);
// DifferencesJson as text: one difference a line, "[]" for none; a final line break.
std::string DifferencesText(const std::vector<ValueDifference>& differences);

}  // namespace qorvi::layout_json
