// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/input_options.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <system_error>

#include "model/paths.h"
#include "platform/file_io.h"

namespace fs = std::filesystem;

namespace qorvi::options {

void AddInputOptions(CLI::App* command, InputOptions& in) {
  command->add_option("--workdir", in.workdir, "Folder that plays the start-up working directory (default: current)");
  command->add_option("--vshmain", in.vshmain, "vshmain.prx (default WORKDIR/vshmain.prx)");
  command->add_option("--paf", in.paf, "paf.prx (default WORKDIR/paf.prx)");
  command->add_option("--opening", in.opening, "opening_plugin.prx (default WORKDIR/opening_plugin.prx)");
  command->add_option("--topmenu-plugin", in.topmenuPlugin, "topmenu_plugin.rco (default WORKDIR/topmenu_plugin.rco)");
  command->add_option("--system-plugin-fg", in.systemPluginFg,
                      "system_plugin_fg.rco (default WORKDIR/system_plugin_fg.rco)");
  command->add_option("--topmenu-icon", in.topmenuIcon, "topmenu_icon.rco (default WORKDIR/topmenu_icon.rco)");
  command->add_option("--boot-sound", in.bootSound,
                      "Boot sound .wav; turns the boot-sound options on, so opening_plugin.prx is loaded and saved");
}

void AddLayoutOptions(CLI::App* command, std::string& layout_file, std::vector<std::string>& settings) {
  command->add_option("--layout", layout_file, "JSON layout (the schema info prints; any subset)");
  command->add_option("--set", settings, "NAME=VALUE for a scalar layout field (repeatable)")
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

void SetUpPaths(Model& model, const InputOptions& in) {
  std::string workdir = in.workdir;
  if (workdir.empty()) {
    std::error_code ec;
    workdir = Utf8FromPath(fs::current_path(ec));
    if (ec) workdir = ".";
  }
  BuildPaths(model.paths, workdir);
  Paths& p = model.paths;
  auto override = [](std::string& path, const std::string& given) {
    if (!given.empty()) path = given;
  };
  override(p.VshmainPath, in.vshmain);
  override(p.PafPath, in.paf);
  override(p.OpeningPath, in.opening);
  override(p.TopmenuPluginPath, in.topmenuPlugin);
  override(p.SystemPluginFgPath, in.systemPluginFg);
  override(p.TopmenuIconPath, in.topmenuIcon);
  if (!in.bootSound.empty()) {
    p.BootSoundPath = in.bootSound;
    model.BootSoundEnabled = 1;
    model.OpeningEnabled = 1;
  }
}

}  // namespace qorvi::options
