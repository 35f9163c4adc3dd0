// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of qorvi-cli. Each returns the process exit status:
// 0 success, 1 a message of the message table was raised, 2 usage error.
#pragma once

#include <string>
#include <vector>

#include "options/exit_codes.h"
#include "options/input_options.h"

namespace qorvi::cli {

using options::InputOptions;
using options::kExitMessage;
using options::kExitOk;
using options::kExitUsage;

struct SaveOptions {
  std::string layoutFile;
  std::vector<std::string> settings;
  bool noCompress = false;
  bool noVerify = false;
  std::string outDir;
};

struct DiffOptions {
  std::string againstDir;  // another set: a folder with the standard names, or a save's output folder
  std::string layoutFile;  // or the loaded set with this document applied
  bool json = false;
};

struct DemoOptions {
  std::string version;
  bool compressed = false;
  bool bootSound = false;
  std::string dir;
};

int RunInfo(const InputOptions& input);
int RunIcons(const InputOptions& input, const std::string& outDir);
int RunSave(const InputOptions& input, const SaveOptions& options);
// Loads, applies --layout and --set as save does, and prints one warning per
// finding of the layout check: 0 when there is none, 1 when there are.
int RunCheck(const InputOptions& input, const SaveOptions& options);
// Loads the set and what it is compared with and prints one line per difference
// ("KEY: FROM -> TO"), or the list as JSON: 0 when there is none, 1 when there are.
int RunDiff(const InputOptions& input, const DiffOptions& options);
int RunDemo(const DemoOptions& options);

}  // namespace qorvi::cli
