// The model as JSON: what `info` prints and what `save --layout` reads back.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "model/model.h"

namespace qorvi::cli {

using Json = nlohmann::ordered_json;

// Everything `info` prints, keys in the documented order.
Json ModelToJson(const FirmwareState& state);

// Applies a layout document (any subset of what ModelToJson prints) to `state`.
// `layout` fields apply whatever the document's version; categoryEntries and items
// only when its version equals the loaded one, else a warning is added. Returns
// false with a reason in `error` when a field is unknown or of the wrong type; the
// state is then unchanged.
bool ApplyLayoutJson(const Json& doc, FirmwareState& state, std::vector<std::string>& warnings, std::string& error);

// Applies NAME=VALUE to a scalar layout field by the rule of its edit. False with a
// reason when NAME is not a scalar field or the text has no '='.
bool ApplySetting(const std::string& assignment, LayoutRecord& layout, std::string& error);

}  // namespace qorvi::cli
