// SPDX-License-Identifier: GPL-3.0-or-later
// qorvi-cli: the load and save code of the desktop program, without a window.
#include <CLI/CLI.hpp>
#include <exception>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/console.h"
#include "options/input_options.h"
#include "platform/console.h"
#include "platform/interrupt_cleanup.h"
#include "qorvi_version.h"

using namespace qorvi::cli;

namespace {

int Run(int argc, char** argv) {
  CLI::App app{"Reads and patches the firmware files that lay out the PSP system menu.", "qorvi-cli"};
  // The first line is the version alone (scripts read it); the licence follows.
  app.set_version_flag("--version", "qorvi-cli " QORVI_VERSION
                                    "\n"
                                    "Licence GPL-3.0-or-later: the GNU General Public License, version 3 or later.\n"
                                    "Free software: you may change it and pass it on. There is no warranty, as far as "
                                    "the law allows.");
  // Options are --name on every system; a path such as /tmp/x is never an option.
  app.allow_windows_style_options(false);
  app.require_subcommand(1, 1);

  qorvi::options::InputOptions input;
  std::string iconsOut;
  SaveOptions save;
  DemoOptions demo;

  CLI::App* info = app.add_subcommand("info", "Load a firmware set and print its model as JSON");
  qorvi::options::AddInputOptions(info, input);

  CLI::App* icons = app.add_subcommand("icons", "Load a firmware set and keep the icon bitmaps the load writes");
  qorvi::options::AddInputOptions(icons, input);
  icons->add_option("--out", iconsOut, "Folder for the bitmaps")->required();

  CLI::App* saveCommand = app.add_subcommand("save", "Load a firmware set, apply a layout and write the patched files");
  qorvi::options::AddInputOptions(saveCommand, input);
  qorvi::options::AddLayoutOptions(saveCommand, save.layoutFile, save.settings);
  saveCommand->add_flag("--no-compress", save.noCompress, "Write the modules uncompressed");
  saveCommand->add_flag("--no-verify", save.noVerify, "Do not load the written files back to compare them");
  saveCommand->add_option("--out", save.outDir, "Output folder instead of WORKDIR/done");

  SaveOptions check;
  CLI::App* checkCommand =
      app.add_subcommand("check", "Load a firmware set, apply a layout and report what would look wrong");
  qorvi::options::AddInputOptions(checkCommand, input);
  qorvi::options::AddLayoutOptions(checkCommand, check.layoutFile, check.settings);

  DiffOptions diff;
  CLI::App* diffCommand =
      app.add_subcommand("diff", "Load a firmware set and list what differs in another set or with a layout applied");
  qorvi::options::AddInputOptions(diffCommand, input);
  CLI::Option* against = diffCommand->add_option(
      "--against", diff.againstDir, "Folder of the other set (standard names, or a save's module/ and resource/)");
  CLI::Option* diffLayout =
      diffCommand->add_option("--layout", diff.layoutFile, "JSON layout applied to the loaded set, as save applies it");
  against->excludes(diffLayout);
  diffCommand->add_flag("--json", diff.json, "Print the differences as a JSON list of {key, from, to}");

  CLI::App* demoCommand = app.add_subcommand("demo", "Write a synthetic firmware set");
  demoCommand->add_option("--version", demo.version, "3.90, 3.95, 4.01 or 5.00")->required();
  demoCommand->add_flag("--compressed", demo.compressed, "Write the modules as compressed ~PSP images");
  demoCommand->add_flag("--boot-sound", demo.bootSound, "Also write bootsound.wav");
  demoCommand->add_option("DIR", demo.dir, "Folder to write into")->required();

  // Every command takes --verbose: the cause of each message on a line after it.
  bool verbose = false;
  for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
    command->add_flag("--verbose", verbose, "After each message, its cause (which check, where, what was found)");
  }

  // The first argument names the command (or is --help / --version).
  if (argc >= 2 && argv[1][0] != '-') {
    const std::string name = argv[1];
    bool known = false;
    for (const CLI::App* command : app.get_subcommands([](CLI::App*) { return true; }))
      known = known || command->get_name() == name;
    if (!known) {
      PrintError("unknown command '" + name + "'");
      return kExitUsage;
    }
  }
  if (argc > 2 && std::string(argv[1]) == "--version") {
    PrintError(std::string("--version takes no arguments: '") + argv[2] + "'");
    return kExitUsage;
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    // Before a command is named, CLI11 says only that one is required; an
    // argument it could not place (`qorvi-cli --bogus`) is the better reason.
    if (app.get_subcommands().empty() && !app.remaining().empty()) {
      PrintError(CLI::ExtrasError(app.remaining()).what());
    } else {
      PrintError(e.what());
    }
    return kExitUsage;
  }

  // One of the two, naming something (an empty name would compare with nothing).
  if (diffCommand->parsed() &&
      (against->count() + diffLayout->count() != 1 || (diff.againstDir.empty() && diff.layoutFile.empty()))) {
    PrintError("diff: give one of --against DIR and --layout FILE.json");
    return kExitUsage;
  }

  SetVerbose(verbose);
  if (info->parsed()) return RunInfo(input);
  if (icons->parsed()) return RunIcons(input, iconsOut);
  if (saveCommand->parsed()) return RunSave(input, save);
  if (checkCommand->parsed()) return RunCheck(input, check);
  if (diffCommand->parsed()) return RunDiff(input, diff);
  if (demoCommand->parsed()) return RunDemo(demo);
  return kExitUsage;
}

}  // namespace

// The arguments are UTF-8 text (platform/console.h has the entry point).
int qorvi::ConsoleMain(int argc, char** argv) {
  PrepareConsole();
  // An interrupted command leaves no temporary file or folder behind.
  InstallInterruptCleanup();
  int status;
  try {
    status = Run(argc, argv);
  } catch (const std::exception& e) {
    // Unwinding removes the temporary files; the cause still gets its one line.
    PrintError(std::string("unexpected failure: ") + e.what());
    status = kExitMessage;
  }
  return FinishOutput(status);
}
