#include "cli/layout_options.h"

#include <cmath>

#include "model/value_text.h"

namespace qorvi::cli {

bool PrepareLayoutOptions(const std::string& layout_file, const std::vector<std::string>& settings,
                          LayoutOptions& options, std::string& error) {
  if (!layout_file.empty()) {
    std::string text;
    if (!layout_json::ReadLayoutFile(layout_file, text, error)) return false;
    layout_json::ParsedLayout parsed = layout_json::ParseLayoutText(text);
    if (!parsed.changes) {
      error = "the layout file " + layout_file + " is refused: " + parsed.error;
      return false;
    }
    options.layout = std::move(parsed.changes);
  }
  LayoutRecord probe;
  for (const std::string& setting : settings) {
    if (!ApplySetting(setting, probe, error)) return false;
  }
  options.settings = settings;
  return true;
}

std::vector<std::string> ApplyLayoutOptions(const LayoutOptions& options, Model& model) {
  std::vector<std::string> warnings;
  if (options.layout) warnings = layout_json::ApplyLayoutChanges(*options.layout, model);
  std::string ignored;  // every setting was checked by PrepareLayoutOptions
  for (const std::string& setting : options.settings) ApplySetting(setting, model.Layout, ignored);
  return warnings;
}

bool ApplySetting(const std::string& assignment, LayoutRecord& layout, std::string& error) {
  const std::size_t eq = assignment.find('=');
  if (eq == std::string::npos) {
    error = "--set " + assignment + ": expected NAME=VALUE";
    return false;
  }
  const std::string name = assignment.substr(0, eq);
  const LayoutField* field = FindLayoutField(name);
  if (field == nullptr) {
    const bool colour = name == "TextColor" || name == "BGColor" || name == "BatteryColor" || name == "ClockColor" ||
                        name == "BusyColor";
    error = "--set " + name + ": " + (colour ? "not a scalar field" : "unknown field");
    return false;
  }
  LayoutRecord changed = layout;
  StoreFieldText(changed, *field, std::string_view(assignment).substr(eq + 1));
  // The firmware holds a float field as a single; a value beyond its range would
  // be stored as an infinity, which no edit can produce on purpose.
  if (auto* fp = std::get_if<float LayoutRecord::*>(&field->member); fp && !std::isfinite(changed.*(*fp))) {
    error = "--set " + assignment + ": not a finite single-precision number";
    return false;
  }
  layout = changed;
  return true;
}

}  // namespace qorvi::cli
