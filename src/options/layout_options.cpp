// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/layout_options.h"

#include "model/firmware_profile.h"
#include "model/layout_setting.h"

namespace qorvi::options {

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
    if (!ApplySetting(setting, probe, error)) {
      error = "--set " + error;
      return false;
    }
  }
  options.settings = settings;
  return true;
}

std::string RefusedSetting(const LayoutOptions& options, const FirmwareState& state) {
  const FirmwareProfile* profile = ProfileFor(state.FirmwareVersion);
  if (profile == nullptr) return {};
  for (const std::string& setting : options.settings) {
    const std::string name = setting.substr(0, setting.find('='));
    const LayoutField* field = FindLayoutField(name);
    if (field != nullptr && !StoresField(*profile, *field)) {
      return "--set " + setting + ": the loaded firmware is version " + std::to_string(state.FirmwareVersion) +
             ", which does not store " + name;
    }
  }
  return {};
}

std::vector<std::string> ApplyLayoutOptions(const LayoutOptions& options, Model& model) {
  std::vector<std::string> warnings;
  if (options.layout) warnings = layout_json::ApplyLayoutChanges(*options.layout, model);
  std::string ignored;  // every setting was checked by PrepareLayoutOptions
  for (const std::string& setting : options.settings) ApplySetting(setting, model.Layout, ignored);
  return warnings;
}

}  // namespace qorvi::options
