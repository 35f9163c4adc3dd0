// SPDX-License-Identifier: GPL-3.0-or-later
// The options that name a firmware set and change its layout before use:
// qorvi-cli's INPUT OPTIONS, --layout and --set. `qorvi --render` takes them too,
// exactly as qorvi-cli does, so both programs declare and read them here.
#pragma once

#include <string>
#include <vector>

#include "model/model.h"

namespace CLI {
class App;
}

namespace qorvi::options {

// Where the input files are; empty strings mean the defaults below the work dir.
struct InputOptions {
  std::string workdir;
  std::string vshmain;
  std::string paf;
  std::string opening;
  std::string topmenuPlugin;
  std::string systemPluginFg;
  std::string topmenuIcon;
  std::string bootSound;  // non-empty: both boot-sound options on
};

// Declares --workdir, the six input files and --boot-sound on `command`.
void AddInputOptions(CLI::App* command, InputOptions& in);
// Declares --layout FILE.json and the repeatable --set NAME=VALUE on `command`.
void AddLayoutOptions(CLI::App* command, std::string& layout_file, std::vector<std::string>& settings);

// Points the model's paths at the inputs and the done folder below the work dir;
// --boot-sound turns both boot-sound options on. (The icon bitmap paths name the
// work dir, as the desktop program's do; only the desktop program writes there.)
void SetUpPaths(Model& model, const InputOptions& in);

}  // namespace qorvi::options
