// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the preview (Panel1), the buttons that show and hide the other
// windows, the options, the scroll bars that move the preview's focus, and Save.
//
// Every option and every move of the focus goes to the editing session; the window
// shows what the session reports. It knows the other windows only as windows to
// show and hide (DesktopProgram hands them over), never their contents.
//
// Files: main_window.cpp (creation, buttons, states, Save, closing), navigation.cpp
// (scroll bars, options, wallpaper).
#pragma once

#include <QWidget>

#include "session/edit_session.h"

class QCheckBox;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace qorvi::app {
class PreviewPanel;
}

class TForm1 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm1(qorvi::session::EditSession& session, QWidget* parent = nullptr);
  ~TForm1() override;

  // The windows the Show/Hide buttons show and hide.
  struct Windows {
    QWidget* file = nullptr;
    QWidget* icon_data = nullptr;
    QWidget* text_data = nullptr;
    QWidget* color = nullptr;
    QWidget* category = nullptr;
    QWidget* positioning = nullptr;
  };
  void SetWindows(const Windows& windows);

  qorvi::app::PreviewPanel& Preview() { return *preview_; }

  // --- Buttons.
  void ShowFileButtonClick();
  void ShowIconDataButtonClick();
  void ShowTextDataButtonClick();
  void ShowColorButtonClick();
  void ShowCateButtonClick();
  void PositioningButtonClick();
  void AboutButtonClick();
  // Saves, shows every message of the save and then "done".
  void SaveButtonClick();
  // Saves as Save does, but into `folder` (its module/ and resource/, as `qorvi-cli
  // save --out` writes): "Save to..." of the preview menu. Save keeps writing the
  // done folder of the working directory.
  void SaveInto(const std::string& folder);
  // The status line names the firmware version.
  void ShowVersion();
  // The line under the buttons says what the preview marks as problems (nothing
  // when there are none or the marks are off).
  void ShowProblems();
  // When there are changes that were not saved, asks "Save changes?" (its details
  // list what Save would change against the loaded files): Save runs Save (true
  // when everything was written), Discard goes on, Cancel does not. True when the
  // caller may go on.
  bool MaySaveChanges();

  // --- Navigation and options (navigation.cpp).
  void XMB_HScrollChange();
  void XMB_VScrollChange();
  void JPNRadioClick();
  void ENGRadioClick();
  void NoShowCheckClick();
  void NoUMDCheckClick();
  void WallpaperButtonClick();
  // What the button does with the chosen file: paints it over the screen area. False
  // when it cannot be opened or decoded (nothing changes then).
  bool LoadWallpaper(const QString& path);

  // --- A user's moves of the navigation and option controls, for a caller acting
  // for one (qorvi --render): each acts on the control, whose own signal runs the
  // handler above. False, and nothing happens, when the control does not allow it
  // (disabled, or the position lies outside its range).
  bool TickNoShowCheck();
  bool TickNoUMDCheck();
  bool ChooseEnglish();
  bool MoveCategoryScroll(int position);
  bool MoveItemScroll(int position);

 signals:
  void aboutRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void CreateControls();
  void FitOptionBoxes();
  void SetNothingLoadedState();
  // The main window's part of the refresh after a load: scroll bars, status line,
  // the controls of the loaded state and the button captions.
  void EnterLoadedState();
  void OnChanged(const qorvi::session::ChangeEvent& event);
  // Fits the item scroll bar to the focused category after a change of its items.
  void FitItemScrollToEntries();
  void ToggleWindow(QWidget* window, QPushButton* button, const char* show_caption, const char* hide_caption);
  void DeleteIconBitmaps();

  qorvi::session::EditSession& session_;
  Windows windows_;
  qorvi::app::PreviewPanel* preview_ = nullptr;

  QCheckBox* no_show_check_ = nullptr;
  QCheckBox* no_umd_check_ = nullptr;
  QPushButton* about_button_ = nullptr;
  QGroupBox* group_box1_ = nullptr;
  QRadioButton* jpn_radio_ = nullptr;
  QRadioButton* eng_radio_ = nullptr;
  QGroupBox* group_box2_ = nullptr;
  QCheckBox* comp_check_ = nullptr;
  QFrame* bevel1_ = nullptr;
  QLabel* focused_label_ = nullptr;
  QLabel* problem_label_ = nullptr;
  QPushButton* show_file_button_ = nullptr;
  QPushButton* show_color_button_ = nullptr;
  QPushButton* show_text_data_button_ = nullptr;
  QPushButton* wallpaper_button_ = nullptr;
  QPushButton* save_button_ = nullptr;
  QPushButton* show_icon_data_button_ = nullptr;
  QPushButton* show_cate_button_ = nullptr;
  QPushButton* positioning_button_ = nullptr;
  QScrollBar* xmb_hscroll_ = nullptr;
  QScrollBar* xmb_vscroll_ = nullptr;
  QFileDialog* open_dialog1_ = nullptr;
};
