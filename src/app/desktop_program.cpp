// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop_program.h"

#include <QAction>
#include <QMenu>

#include "app/file_choice.h"
#include "app/layout_presets.h"
#include "app/main_window.h"
#include "app/preview_panel.h"
#include "app/preview_picture.h"
#include "app/save_folder.h"
#include "app/workspace.h"
#include "model/paths.h"
#include "widgets/caption_fit.h"
#include "widgets/undo_keys.h"
#include "widgets/window_frame.h"
#include "widgets/window_key.h"
#include "windows/about_window.h"
#include "windows/advance_window.h"
#include "windows/category_window.h"
#include "windows/changes_window.h"
#include "windows/check_window.h"
#include "windows/color_window.h"
#include "windows/file_window.h"
#include "windows/history_window.h"
#include "windows/icon_data_window.h"
#include "windows/positioning_window.h"
#include "windows/text_data_window.h"

namespace qorvi::app {

DesktopProgram::DesktopProgram(const std::filesystem::path& working_folder, bool shows_windows)
    : model_(std::make_unique<Model>()),
      session_(std::make_unique<session::EditSession>(*model_)),
      working_folder_(working_folder),
      shows_windows_(shows_windows) {
  // Every path comes from the working folder, before the first window exists.
  BuildPaths(model_->paths, working_folder.string());
  // A program that shows no window draws its pictures from memory and writes no
  // bitmap file (nor deletes one at exit).
  session_->SetWritesIconBitmaps(shows_windows_);

  session::EditSession& s = *session_;
  form1_ = std::make_unique<TForm1>(s);
  if (shows_windows_ && !model_->work.Allocated()) {
    widgets::ShowFailure(form1_.get(), Failure(Message::CannotAllocateMemory));
  }
  form2_ = std::make_unique<TForm2>(s);
  form3_ = std::make_unique<TForm3>(s);
  form4_ = std::make_unique<TForm4>(s);
  form5_ = std::make_unique<TForm5>(s);
  form6_ = std::make_unique<TForm6>(s);
  form7_ = std::make_unique<TForm7>(s);
  form8_ = std::make_unique<TForm8>();
  form9_ = std::make_unique<TForm9>(s);
  check_ = std::make_unique<windows::CheckWindow>(s);
  history_ = std::make_unique<windows::HistoryWindow>(s);
  changes_ = std::make_unique<windows::ChangesWindow>(s);

  // The editors in the order a load shows them; the Positioning and Advance windows
  // share a dock's place with the editor they belong to, the File window too.
  using Group = Workspace::Group;
  workspace_ =
      std::make_unique<Workspace>(*form1_,
                                  std::vector<Workspace::Member>{{form2_.get(), Group::Editor, true},
                                                                 {form3_.get(), Group::Editor, true},
                                                                 {form4_.get(), Group::Editor, true},
                                                                 {form7_.get(), Group::Editor, true},
                                                                 {form5_.get(), Group::File, true, form2_.get()},
                                                                 {form6_.get(), Group::Tool, true, form2_.get()},
                                                                 {form9_.get(), Group::Tool, true, form4_.get()},
                                                                 {check_.get(), Group::Tool, false},
                                                                 {history_.get(), Group::Tool, false},
                                                                 {changes_.get(), Group::Tool, false}},
                                  [this](QWidget* window) { InstallKeys(window); });
  HandWindowsToMain();
  QObject::connect(workspace_.get(), &Workspace::hostsChanged, form1_.get(), [this] { HandWindowsToMain(); });
  QObject::connect(form1_.get(), &TForm1::aboutRequested, form1_.get(), [this] { ShowAbout(); });
  QObject::connect(form4_.get(), &TForm4::advanceRequested, form4_.get(), [this] { workspace_->Toggle(form9_.get()); });
  form1_->Preview().AddContextMenuSection([this](QMenu& menu) { AddPreviewActions(menu); });
  form1_->Preview().AddContextMenuSection([this](QMenu& menu) { workspace_->AddViewActions(menu); });
  QObject::connect(changes_.get(), &windows::ChangesWindow::valueRequested, changes_.get(),
                   [this](const ValuePlace& place) { ShowValue(place); });
  // Loading another set asks first when there are changes that were not saved.
  form5_->SetLoadGuard([this] { return form1_->MaySaveChanges(); });
  // Connected after every window: their own refresh after a load has run when this does.
  QObject::connect(session_.get(), &session::EditSession::changed, form1_.get(),
                   [this](const session::ChangeEvent& event) {
                     if (!event.loaded) return;
                     // A load renames some captions (the 5.00 key labels).
                     FitAllCaptions();
                     ShowEditorsAfterLoad();
                   });
  FitAllCaptions();

  for (QWidget* window : std::initializer_list<QWidget*>{form1_.get(), form2_.get(), form3_.get(), form4_.get(),
                                                         form5_.get(), form6_.get(), form7_.get(), form9_.get(),
                                                         check_.get(), history_.get(), changes_.get()}) {
    InstallKeys(window);
  }
}

void DesktopProgram::InstallKeys(QWidget* window) {
  session::EditSession& s = *session_;
  widgets::InstallUndoKeys(
      window, [&s] { s.Undo(); }, [&s] { s.Redo(); });
  widgets::InstallWindowKey(window, QKeySequence(Qt::CTRL | Qt::Key_H), [this] { ShowHistory(); });
  widgets::InstallWindowKey(window, QKeySequence(Qt::CTRL | Qt::Key_D), [this] { ShowChanges(); });
}

DesktopProgram::~DesktopProgram() {
  // Where the windows stand is kept for the next start; then every form is a
  // window of its own again, owned here.
  if (shows_windows_) workspace_->Remember();
  workspace_.reset();
  // The secondary windows go first: the main window's destruction ends the program
  // (it removes the icon bitmaps), and nothing may refer to it afterwards.
  history_.reset();
  changes_.reset();
  check_.reset();
  form9_.reset();
  form8_.reset();
  form7_.reset();
  form6_.reset();
  form5_.reset();
  form4_.reset();
  form3_.reset();
  form2_.reset();
  form1_.reset();
}

void DesktopProgram::ShowEditorsAfterLoad() {
  if (!shows_windows_) return;
  workspace_->ShowAfterLoad({form2_.get(), form3_.get(), form4_.get(), form7_.get()}, {form5_.get()});
  workspace_->MainWindow().activateWindow();
}

void DesktopProgram::ShowMainWindow(std::optional<WorkspaceMode> mode) { workspace_->ShowMainWindow(mode); }

void DesktopProgram::HandWindowsToMain() {
  Workspace& w = *workspace_;
  form1_->SetWindows({.file = w.Host(form5_.get()),
                      .icon_data = w.Host(form2_.get()),
                      .text_data = w.Host(form7_.get()),
                      .color = w.Host(form3_.get()),
                      .category = w.Host(form4_.get()),
                      .positioning = w.Host(form6_.get())});
}

void DesktopProgram::FitAllCaptions() {
  for (QWidget* window :
       std::initializer_list<QWidget*>{form1_.get(), form2_.get(), form3_.get(), form4_.get(), form5_.get(),
                                       form6_.get(), form7_.get(), form9_.get(), check_.get()}) {
    widgets::FitCaptions(*window, &form1_->Preview());
  }
}

// A failure is shown over the main window: the File window is not open yet.
void DesktopProgram::LoadAtStart() { form5_->Load(form1_.get()); }

void DesktopProgram::AddPreviewActions(QMenu& menu) {
  // Presets and the check need a loaded set; the picture and the history are there
  // from the start.
  const bool loaded = session_->IsLoaded();
  auto add = [&menu](const char* name, const char* text, bool enabled, auto handler) {
    QAction* action = menu.addAction(text);
    action->setObjectName(name);
    action->setEnabled(enabled);
    QObject::connect(action, &QAction::triggered, &menu, handler);
  };
  add("ExportLayoutAction", "Export layout...", loaded, [this] { ExportLayoutAction(form1_.get(), *session_); });
  add("ImportLayoutAction", "Import layout...", loaded, [this] { ImportLayoutAction(form1_.get(), *session_); });
  add("SavePreviewAction", "Save preview as PNG...", true, [this] { SavePreviewAction(form1_->Preview()); });
  add("CheckLayoutAction", "Check layout...", loaded, [this] { ShowCheck(); });
  add("HistoryAction", "History...", true, [this] { ShowHistory(); });
  add("ChangesAction", "Changes...", loaded, [this] { ShowChanges(); });
  add("SaveToAction", "Save to...", loaded, [this] { SaveTo(); });
}

void DesktopProgram::ShowCheck() {
  check_->Check();
  check_->show();
  check_->raise();
  check_->activateWindow();
}

void DesktopProgram::ShowHistory() {
  if (!shows_windows_) return;
  history_->show();
  history_->raise();
  history_->activateWindow();
}

void DesktopProgram::ShowChanges() {
  if (!shows_windows_) return;
  changes_->show();
  changes_->raise();
  changes_->activateWindow();
}

void DesktopProgram::ShowValue(const ValuePlace& place) {
  // A hidden editor opens as its button opens it, so that the button's caption follows.
  // The host is the window itself or, docked, its dock (raised to the front of its tabs).
  auto open = [this](QWidget& window, void (TForm1::*button)()) {
    QWidget* host = workspace_->Host(&window);
    if (!host->isVisible()) {
      if (button != nullptr) {
        (form1_.get()->*button)();
      } else {
        workspace_->Toggle(&window);
      }
    }
    host->raise();
    host->activateWindow();
  };
  using windows::ValueWindow;
  switch (windows::WindowOf(place)) {
    case ValueWindow::IconData:
      open(*form2_, &TForm1::ShowIconDataButtonClick);
      form2_->ShowValue(place);
      break;
    case ValueWindow::TextData:
      open(*form7_, &TForm1::ShowTextDataButtonClick);
      form7_->ShowValue(place);
      break;
    case ValueWindow::Color:
      open(*form3_, &TForm1::ShowColorButtonClick);
      form3_->ShowValue(place);
      break;
    case ValueWindow::Category:
      open(*form4_, &TForm1::ShowCateButtonClick);
      form4_->ShowValue(place);
      break;
    case ValueWindow::Advance:
      open(*form9_, nullptr);
      form9_->ShowValue(place);
      break;
  }
}

void DesktopProgram::SaveTo() {
  const QString folder = AskForSaveFolder(form1_.get(), QString::fromStdString(working_folder_.string()));
  if (folder.isEmpty()) return;
  form1_->SaveInto(LocalPath(folder));
}

void DesktopProgram::ShowAbout() {
  // A fresh dialog for every click, gone when it closes.
  TForm8 about(form1_.get());
  about.exec();
}

}  // namespace qorvi::app
