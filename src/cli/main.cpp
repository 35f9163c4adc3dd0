// qorvi-cli: the load and save code of the desktop program, without a window.
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "qorvi_version.h"

using namespace qorvi::cli;

namespace {

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

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Reads and patches the firmware files that lay out the PSP system menu.", "qorvi-cli"};
  app.set_version_flag("--version", "qorvi-cli " QORVI_VERSION);
  app.require_subcommand(1, 1);

  InputOptions input;
  std::string iconsOut;
  SaveOptions save;
  DemoOptions demo;

  CLI::App* info = app.add_subcommand("info", "Load a firmware set and print its model as JSON");
  AddInputOptions(info, input);

  CLI::App* icons = app.add_subcommand("icons", "Load a firmware set and keep the icon bitmaps the load writes");
  AddInputOptions(icons, input);
  icons->add_option("--out", iconsOut, "Folder for the bitmaps")->required();

  CLI::App* saveCommand = app.add_subcommand("save", "Load a firmware set, apply a layout and write the patched files");
  AddInputOptions(saveCommand, input);
  saveCommand->add_option("--layout", save.layoutFile, "JSON layout (the schema info prints; any subset)");
  saveCommand->add_option("--set", save.settings, "NAME=VALUE for a scalar layout field (repeatable)")
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  saveCommand->add_flag("--no-compress", save.noCompress, "Write the modules uncompressed");
  saveCommand->add_option("--out", save.outDir, "Output folder instead of WORKDIR/done");

  CLI::App* demoCommand = app.add_subcommand("demo", "Write a synthetic firmware set");
  demoCommand->add_option("--version", demo.version, "3.90, 3.95, 4.01 or 5.00")->required();
  demoCommand->add_flag("--compressed", demo.compressed, "Write the modules as compressed ~PSP images");
  demoCommand->add_flag("--boot-sound", demo.bootSound, "Also write bootsound.wav");
  demoCommand->add_option("DIR", demo.dir, "Folder to write into")->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    PrintError(e.what());
    return kExitUsage;
  }

  if (info->parsed()) return RunInfo(input);
  if (icons->parsed()) return RunIcons(input, iconsOut);
  if (saveCommand->parsed()) return RunSave(input, save);
  if (demoCommand->parsed()) return RunDemo(demo);
  return kExitUsage;
}
