// SPDX-License-Identifier: GPL-3.0-or-later
// qorvi: the desktop program; `qorvi FOLDER` starts in FOLDER and loads the set in
// it at once; `qorvi --workspace docked|windows` chooses the workspace; `qorvi
// --render ...` draws the preview without a window.
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/desktop_program.h"
#include "app/display_start.h"
#include "app/main_window.h"
#include "app/qorvi_application.h"
#include "app/render_mode.h"
#include "app/workspace.h"
#include "qorvi_version.h"

namespace {

constexpr const char* kUsage =
    "usage: qorvi [--workspace docked|windows] [FOLDER]\n"
    "       qorvi --render OUT.png [--geometry OUT.json] [INPUT OPTIONS] [--layout FILE.json]\n"
    "             [--set NAME=VALUE]... [--category N] [--item N] [--english] [--no-unfocused]\n"
    "             [--no-umd] [--offset K=V]... [--wallpaper FILE]\n"
    "       qorvi --help | --version\n"
    "\n"
    "Edits the layout of the PSP system menu. FOLDER is the working folder; the set in it is\n"
    "loaded at once. --workspace docked puts the editors into one window with the main form\n"
    "(remembered; --workspace windows goes back). --render draws the preview into a PNG\n"
    "without a window (man qorvi).\n";

// --help and --version, answered before any window or display is needed (and
// refused with anything after them); nullopt for every other command line.
std::optional<int> AnswerInformationOption(int argc, char** argv) {
  if (argc < 2) return std::nullopt;
  const std::string_view arg = argv[1];
  const bool help = arg == "--help" || arg == "-h";
  if (!help && arg != "--version") return std::nullopt;
  if (argc > 2) {
    std::fprintf(stderr, "qorvi: %s takes no arguments: '%s'\n", argv[1], argv[2]);
    return 2;
  }
  // The first line of --version is the version alone (scripts read it); the licence follows.
  std::fputs(help
                 ? kUsage
                 : "qorvi " QORVI_VERSION
                   "\n"
                   "Licence GPL-3.0-or-later: the GNU General Public License, version 3 or later.\n"
                   "Free software: you may change it and pass it on. There is no warranty, as far as the law allows.\n",
             stdout);
  return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

// What the command line asks for, after Qt has taken its own options.
struct StartRequest {
  std::optional<std::filesystem::path> folder;
  std::optional<qorvi::app::WorkspaceMode> workspace;
};

// The folder and the workspace mode the command line names: nothing for none; a
// usage error for an unknown option, a second folder or an unknown mode.
bool ReadStartRequest(const QStringList& arguments, StartRequest& request) {
  auto unexpected = [](const QString& arg) {
    std::fprintf(stderr, "qorvi: unexpected argument '%s'; usage: qorvi [FOLDER] | qorvi --render OUT.png ...\n",
                 arg.toLocal8Bit().constData());
    return false;
  };
  bool options_end = false;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    if (!options_end && arg == "--") {
      options_end = true;
      continue;
    }
    if (!options_end && (arg == "--workspace" || arg.startsWith("--workspace="))) {
      QString mode = arg.mid(QString("--workspace=").size());
      if (arg == "--workspace") {
        if (i + 1 == arguments.size()) return unexpected(arg);
        mode = arguments[++i];
      }
      request.workspace = qorvi::app::WorkspaceModeNamed(mode.toStdString());
      if (!request.workspace) {
        std::fprintf(stderr, "qorvi: --workspace takes docked or windows, not '%s'\n", mode.toLocal8Bit().constData());
        return false;
      }
      continue;
    }
    if ((!options_end && arg.startsWith('-')) || request.folder) return unexpected(arg);
    request.folder = std::filesystem::path(QFile::encodeName(arg).toStdString());
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (std::optional<int> status = AnswerInformationOption(argc, argv)) return *status;
  if (qorvi::app::IsRenderCommand(argc, argv)) return qorvi::app::RunRender(argc, argv);

  // Without a usable display Qt starts on its offscreen platform, so that the
  // arguments are read (a usage error is the same with or without a display);
  // then the program stops, saying why.
  qorvi::app::DisplayStart display(argc, argv, qorvi::app::DisplayStart::Mode::Window);
  qorvi::app::QorviApplication app(argc, argv);
  display.Started();
  StartRequest request;
  if (!ReadStartRequest(QApplication::arguments(), request)) return 2;
  const std::optional<std::filesystem::path>& folder = request.folder;
  if (!display.DisplayOpened()) {
    std::fprintf(stderr, "qorvi: %s\n", qorvi::app::DisplayStart::NoDisplayText().c_str());
    return 1;
  }
  try {
    // FOLDER is the working folder from the start: every path is built from it and
    // the file dialogs open there.
    std::error_code ec;
    std::filesystem::path working = std::filesystem::current_path(ec);
    if (folder) {
      working = std::filesystem::absolute(*folder, ec);
      if (ec) working = *folder;
      // A folder that cannot be entered still names the paths: the load then says
      // which file it cannot open.
      std::filesystem::current_path(working, ec);
    }
    qorvi::app::DesktopProgram program(working);
    program.ShowMainWindow(request.workspace);
    // Once the main window is up, as if the user had pressed Load with the default paths.
    if (folder) program.workspace().WhenMainWindowShown([&program] { program.LoadAtStart(); });
    return app.exec();
  } catch (const std::exception& e) {
    qorvi::app::ShowUnexpectedError(QString::fromUtf8(e.what()));
  } catch (...) {
    qorvi::app::ShowUnexpectedError("An unknown error occurred.");
  }
  return 0;
}
