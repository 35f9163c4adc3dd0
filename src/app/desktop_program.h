// SPDX-License-Identifier: GPL-3.0-or-later
// The whole desktop program without its event loop: the model, the editing
// session and the nine windows, created in their fixed order (main window first)
// and destroyed in reverse. This is the one place that knows every window: it
// hands the main window the windows its buttons show and hide, and connects the
// few requests one window makes of another (About, the Advance window, the
// question before a load). main() runs one program; the tests run many.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "model/model.h"
#include "save/model_diff.h"
#include "session/edit_session.h"

class QMenu;
class QWidget;

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;

namespace qorvi::windows {
class ChangesWindow;
class CheckWindow;
class HistoryWindow;
}  // namespace qorvi::windows

namespace qorvi::app {

enum class WorkspaceMode;
class Workspace;

class DesktopProgram {
 public:
  // `working_folder` plays the role of the working directory at start-up: every
  // path (inputs, icon bitmaps, the done folder) is built from it. A program that
  // `shows_windows` not (qorvi --render) leaves every window hidden, also after a load,
  // and keeps the icon pictures in memory: it writes no bitmap file.
  explicit DesktopProgram(const std::filesystem::path& working_folder, bool shows_windows = true);
  ~DesktopProgram();
  DesktopProgram(const DesktopProgram&) = delete;
  DesktopProgram& operator=(const DesktopProgram&) = delete;

  Model& model() { return *model_; }
  session::EditSession& session() { return *session_; }
  TForm1& main() { return *form1_; }
  TForm2& icon_data() { return *form2_; }
  TForm3& color() { return *form3_; }
  TForm4& category() { return *form4_; }
  TForm5& file() { return *form5_; }
  TForm6& positioning() { return *form6_; }
  TForm7& text_data() { return *form7_; }
  TForm9& advance() { return *form9_; }
  windows::CheckWindow& check() { return *check_; }
  windows::HistoryWindow& history() { return *history_; }
  Workspace& workspace() { return *workspace_; }

  // Shows the main window, in `mode` or else in the workspace mode the last run
  // used (app/workspace.h).
  void ShowMainWindow(std::optional<WorkspaceMode> mode = std::nullopt);
  windows::ChangesWindow& changes() { return *changes_; }

  // Loads the set the File window names, as its Load button does (`qorvi FOLDER`
  // starts so); a failure shows its message and leaves the program as it was.
  void LoadAtStart();

 private:
  // After a load: the four editor windows open (placed the first time), the File
  // window closes, the main window has the focus.
  void ShowEditorsAfterLoad();
  // Hands the main window what shows and hides each window (app/workspace.h).
  void HandWindowsToMain();
  void ShowAbout();
  // Shows every window's captions whole (widgets/caption_fit.h).
  void FitAllCaptions();
  // The preview menu's section of the program: layout presets, the picture, the check.
  void AddPreviewActions(QMenu& menu);
  void ShowCheck();
  // "History..." and Ctrl+H in every window.
  void ShowHistory();
  // Undo, redo, Ctrl+H and Ctrl+D in `window` (a form, or a window the workspace makes).
  void InstallKeys(QWidget* window);
  // The Changes window ("Changes...", Ctrl+D), and its request to see a value: the
  // value's window opens with the value's edit.
  void ShowChanges();
  void ShowValue(const ValuePlace& place);
  // "Save to...": asks for a folder and saves into it.
  void SaveTo();

  std::unique_ptr<Model> model_;
  std::unique_ptr<session::EditSession> session_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TForm2> form2_;
  std::unique_ptr<TForm3> form3_;
  std::unique_ptr<TForm4> form4_;
  std::unique_ptr<TForm5> form5_;
  std::unique_ptr<TForm6> form6_;
  std::unique_ptr<TForm7> form7_;
  std::unique_ptr<TForm8> form8_;
  std::unique_ptr<TForm9> form9_;
  std::unique_ptr<windows::CheckWindow> check_;
  std::unique_ptr<windows::HistoryWindow> history_;
  std::unique_ptr<Workspace> workspace_;
  std::unique_ptr<windows::ChangesWindow> changes_;
  std::filesystem::path working_folder_;
  bool shows_windows_ = true;
};

}  // namespace qorvi::app
