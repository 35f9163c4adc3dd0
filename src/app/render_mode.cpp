// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/render_mode.h"

#include <CLI/CLI.hpp>
#include <QImageReader>
#include <QtGlobal>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "app/desktop_program.h"
#include "app/display_start.h"
#include "app/main_window.h"
#include "app/preview_picture.h"
#include "app/qorvi_application.h"
#include "model/message_table.h"
#include "model/paths.h"
#include "options/exit_codes.h"
#include "options/input_options.h"
#include "options/layout_options.h"
#include "options/number_options.h"
#include "platform/file_io.h"
#include "platform/interrupt_cleanup.h"
#include "windows/positioning_window.h"

namespace qorvi::app {
namespace {

using options::kExitMessage;
using options::kExitOk;
using options::kExitUsage;

// The first step of writing `bytes` to `path`; the reason on one line when it fails.
std::string Stage(const std::string& path, std::span<const uint8_t> bytes, StagedFile& staged) {
  const WriteResult r = StageFile(path, {bytes}, staged);
  return r ? std::string() : "cannot write " + path + ": " + r.error.message();
}

// The second step: the rename into place.
std::string Commit(const std::string& path, StagedFile& staged) {
  const std::error_code error = staged.Commit();
  return error ? "cannot write " + path + ": " + error.message() : std::string();
}

// One line on standard error, as qorvi-cli prints its own: "qorvi: <text>", with
// line breaks and other control characters shown escaped.
void PrintLine(std::string_view text) {
  const std::string line = "qorvi: " + EscapedForMessage(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

// Qt's own notes (a missing runtime folder, what the offscreen platform cannot do)
// are not the command's messages; only what ends the program is said.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) PrintLine(text.toStdString());
}

struct RenderRequest {
  std::string png;
  std::string geometry;
  options::InputOptions input;
  std::string layout_file;
  std::vector<std::string> settings;
  std::optional<int> category;
  std::optional<int> item;
  bool english = false;
  bool no_unfocused = false;
  bool no_umd = false;
  std::vector<std::string> offset_texts;
  std::vector<std::pair<int, int>> offsets;  // index, value
  std::string wallpaper;
};

// "K=V" with K an offset index 0..18 and V a value the Positioning window's bar
// can take, -10..10; both plain decimal integers.
bool ParseOffset(const std::string& text, std::pair<int, int>& offset, std::string& error) {
  const std::size_t eq = text.find('=');
  std::optional<int> index;
  std::optional<int> value;
  if (eq != std::string::npos) {
    index = options::ParseDecimal(std::string_view(text).substr(0, eq));
    value = options::ParseDecimal(std::string_view(text).substr(eq + 1));
  }
  if (!index || !value) {
    error = "--offset " + text + ": expected K=V with integers K and V";
    return false;
  }
  if (*index < 0 || *index >= kRepositionItems) {
    error = "--offset " + text + ": K must be 0..18";
    return false;
  }
  if (*value < -10 || *value > 10) {
    error = "--offset " + text + ": V must be -10..10";
    return false;
  }
  offset = {*index, *value};
  return true;
}

// Whether two paths name one file: the same path once links and "." and ".."
// are resolved, or two links to one file.
bool NameTheSameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code ec_a;
  std::error_code ec_b;
  const fs::path full_a = fs::weakly_canonical(fs::absolute(PathFromUtf8(a), ec_a), ec_a);
  const fs::path full_b = fs::weakly_canonical(fs::absolute(PathFromUtf8(b), ec_b), ec_b);
  if (!ec_a && !ec_b && full_a == full_b) return true;
  std::error_code ec;
  return fs::equivalent(PathFromUtf8(a), PathFromUtf8(b), ec) && !ec;
}

// Reads the command line; nothing when the command is to go on, else its exit
// status (a usage error, or the help that was asked for).
std::optional<int> ParseRequest(int argc, char** argv, RenderRequest& r) {
  CLI::App app{"Draws the main window's preview of a firmware set into a PNG file, without a window.", "qorvi"};
  app.add_option("--render", r.png, "The PNG to write: Panel1, 512 x 304 pixels")->required();
  app.add_option("--geometry", r.geometry, "Also write where every preview element stands, as JSON");
  options::AddInputOptions(&app, r.input);
  options::AddLayoutOptions(&app, r.layout_file, r.settings);
  options::AddDecimalOption(&app, "--category", r.category, "Move XMB_HScroll to N");
  options::AddDecimalOption(&app, "--item", r.item, "Move XMB_VScroll to N");
  app.add_flag("--english", r.english, "Choose English");
  app.add_flag("--no-unfocused", r.no_unfocused, "Tick \"No Show Unforcused Main Icons\"");
  app.add_flag("--no-umd", r.no_umd, "Tick \"No Show UMD Icon\"");
  app.add_option("--offset", r.offset_texts, "K=V: RepositionOffset[K] = V through the Positioning window (repeatable)")
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  app.add_option("--wallpaper", r.wallpaper, "Load this picture as the wallpaper");
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    PrintLine(e.what());
    return kExitUsage;
  }
  // The picture and the geometry are written together: one file cannot be both.
  if (!r.geometry.empty() && NameTheSameFile(r.png, r.geometry)) {
    PrintLine("--geometry " + r.geometry + ": names the same file as --render");
    return kExitUsage;
  }
  // Values no version's controls take are refused before anything is loaded.
  if (r.category && (*r.category < 0 || *r.category >= kCategories)) {
    PrintLine("--category " + std::to_string(*r.category) + ": there are categories 0..7 at most");
    return kExitUsage;
  }
  if (r.item && *r.item < 0) {
    PrintLine("--item " + std::to_string(*r.item) + ": items count from 0");
    return kExitUsage;
  }
  for (const std::string& text : r.offset_texts) {
    std::pair<int, int> offset;
    std::string error;
    if (!ParseOffset(text, offset, error)) {
      PrintLine(error);
      return kExitUsage;
    }
    r.offsets.push_back(offset);
  }
  return std::nullopt;
}

// The window's steps in their order, as a user would take them. Nothing when all
// were taken, else the usage error of the first the controls do not allow.
std::optional<std::string> TakeSteps(DesktopProgram& program, const RenderRequest& r) {
  TForm1& main = program.main();
  if (r.no_umd) main.TickNoUMDCheck();
  if (r.no_unfocused) main.TickNoShowCheck();
  if (r.english) main.ChooseEnglish();
  if (r.category && !main.MoveCategoryScroll(*r.category)) {
    const int last = program.model().Profile.HasEighthCategory ? 7 : 6;
    return "--category " + std::to_string(*r.category) + ": XMB_HScroll goes from 0 to " + std::to_string(last) +
           " for this firmware";
  }
  if (r.item && !main.MoveItemScroll(*r.item)) {
    const int c = program.session().view().CurrentCategory;
    const int n = program.model().CategoryTable[static_cast<std::size_t>(c)].Count;
    return "--item " + std::to_string(*r.item) + ": category " + std::to_string(c) + " lists " +
           (n == 0 ? std::string("no item") : "items 0.." + std::to_string(n - 1));
  }
  for (const auto& [index, value] : r.offsets) program.positioning().PickAndMove(index, value);
  if (!r.wallpaper.empty() && !main.LoadWallpaper(QString::fromLocal8Bit(r.wallpaper.c_str()))) {
    return "--wallpaper " + r.wallpaper + ": cannot read the picture";
  }
  return std::nullopt;
}

int Render(const RenderRequest& r, const options::LayoutOptions& layout) {
  // A wallpaper is chosen from files that exist; one that is not a picture is
  // refused before anything is loaded.
  if (!r.wallpaper.empty() && QImageReader(QString::fromLocal8Bit(r.wallpaper.c_str())).read().isNull()) {
    PrintLine("--wallpaper " + r.wallpaper + ": cannot read the picture");
    return kExitUsage;
  }
  // The program is never shown: its preview draws the pictures the load decodes,
  // from memory, and nothing writes a bitmap file.
  std::error_code ec;
  const std::filesystem::path here = std::filesystem::current_path(ec);
  DesktopProgram program(ec ? std::filesystem::path(".") : here, /*shows_windows=*/false);
  Model& model = program.model();
  options::SetUpPaths(model, r.input);
  if (!model.work.Allocated()) {
    PrintLine(MessageLine(Message::CannotAllocateMemory));
    return kExitMessage;
  }

  // The set is loaded as the Load button loads it, with the preset and the
  // settings applied before the refresh that follows every load.
  std::vector<std::string> warnings;
  std::string refused;  // a --set the loaded version does not store: nothing is applied
  const std::optional<Failure> failure = program.session().Load([&](Model& loaded) {
    refused = options::RefusedSetting(layout, loaded);
    if (refused.empty()) warnings = options::ApplyLayoutOptions(layout, loaded);
  });
  if (failure) {
    PrintLine(MessageLine(failure->code));
    return kExitMessage;
  }
  if (!refused.empty()) {
    PrintLine(refused);
    return kExitUsage;
  }
  for (const std::string& w : warnings) PrintLine("warning: " + w);
  if (std::optional<std::string> error = TakeSteps(program, r)) {
    PrintLine(*error);
    return kExitUsage;
  }

  // Both files or neither: each is written in full beside its target first, and
  // only when both are there do the renames replace what stood under their names.
  // A failure before that leaves every earlier file as it was.
  PreviewPanel& preview = program.main().Preview();
  const QByteArray png = PreviewPng(preview);
  StagedFile png_file;
  StagedFile geometry_file;
  std::string error = Stage(r.png, std::span(reinterpret_cast<const uint8_t*>(png.constData()), png.size()), png_file);
  if (error.empty() && !r.geometry.empty()) {
    const std::string text = PreviewGeometryText(preview, program.session());
    error = Stage(r.geometry, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), geometry_file);
  }
  if (error.empty()) error = Commit(r.png, png_file);
  if (error.empty() && geometry_file.pending()) error = Commit(r.geometry, geometry_file);
  if (!error.empty()) {
    PrintLine(error);
    return kExitMessage;
  }
  return kExitOk;
}

}  // namespace

bool IsRenderCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") break;
    if (arg == "--render" || arg.starts_with("--render=")) return true;
  }
  return false;
}

int RunRender(int argc, char** argv) {
  InstallInterruptCleanup();
  RenderRequest request;
  if (std::optional<int> status = ParseRequest(argc, argv, request)) return *status;
  options::LayoutOptions layout;
  std::string error;
  if (!options::PrepareLayoutOptions(request.layout_file, request.settings, layout, error)) {
    PrintLine(error);
    return kExitUsage;
  }

  qInstallMessageHandler(QuietQtMessages);
  // On the display when one can be opened, else on the offscreen platform, which
  // draws the same widgets. Every argument was this command's: Qt's own options
  // are not read.
  int qt_argc = 1;
  DisplayStart display(qt_argc, argv, DisplayStart::Mode::Render);
  QorviApplication application(qt_argc, argv);
  display.Started();
  try {
    return Render(request, layout);
  } catch (const std::exception& e) {
    PrintLine(std::string("unexpected failure: ") + e.what());
  } catch (...) {
    PrintLine("unexpected failure");
  }
  return kExitMessage;
}

}  // namespace qorvi::app
