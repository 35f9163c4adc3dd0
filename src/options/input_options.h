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

// Points the model's paths at the inputs, the done folder below the work dir and
// the bitmaps into `icon_dir`; --boot-sound turns both boot-sound options on.
void SetUpPaths(Model& model, const InputOptions& in, const std::string& icon_dir);

}  // namespace qorvi::options
