// SPDX-License-Identifier: GPL-3.0-or-later
// The options that change a loaded layout before `save` or `check`: --layout
// (a layout document) and --set NAME=VALUE, in that order.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "layout_json/layout_json.h"
#include "model/model.h"

namespace qorvi::options {

struct LayoutOptions {
  std::optional<layout_json::LayoutChanges> layout;
  std::vector<std::string> settings;
};

// Reads and checks the --layout file and the --set assignments (by ApplySetting)
// before anything is loaded, so that a usage error stops a command before it
// writes anything. False with a one-line reason in `error`.
bool PrepareLayoutOptions(const std::string& layout_file, const std::vector<std::string>& settings,
                          LayoutOptions& options, std::string& error);

// The usage error of the first --set that names a field the loaded version does
// not store (StoresField), such as Sub2NetSearchX on 3.90: the value would reach no
// file. "--set Sub2NetSearchX=1: the loaded firmware is version 390, which does not
// store Sub2NetSearchX"; empty when every setting can be stored. Asked after the
// load and before ApplyLayoutOptions, so that a refused command changes nothing.
std::string RefusedSetting(const LayoutOptions& options, const FirmwareState& state);

// Applies the prepared options to a loaded model; returns the warnings (entries or
// items of another version, fields the version does not store, skipped).
std::vector<std::string> ApplyLayoutOptions(const LayoutOptions& options, Model& model);

}  // namespace qorvi::options
