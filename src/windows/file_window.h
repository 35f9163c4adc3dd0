// SPDX-License-Identifier: GPL-3.0-or-later
// The File window: names the input files and starts the load, which the editing
// session runs.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "session/edit_session.h"

class QCheckBox;
class QFileDialog;
class QLineEdit;
class QPushButton;

class TForm5 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm5(qorvi::session::EditSession& session, QWidget* parent = nullptr);

  // Asked before a load; the load goes ahead only when it returns true (the program
  // asks there whether to save changes first).
  void SetLoadGuard(std::function<bool()> guard) { load_guard_ = std::move(guard); }

  void vshnameButtonClick();
  void pafnameButtonClick();
  void openingButtonClick();
  void bsoundButtonClick();
  void sys_fgrcoButtonClick();
  void top_rcoButtonClick();
  void top_iconButtonClick();
  // The five required edits share one rule: Load is enabled while none is empty.
  void UpdateLoadButton();
  void openingCheckClick();
  void bootsoundCheckClick();
  void LoadButtonClick();
  // The load of LoadButtonClick, its failure shown over `message_parent` (the main
  // window for the load at start-up, while this window is hidden).
  void Load(QWidget* message_parent);

 private:
  // Runs the file dialog with a preset name; on OK the chosen path, slashed, goes
  // into `buffer` and `edit`.
  void ChooseFile(const QString& preset_name, std::string& buffer, QLineEdit* edit);

  qorvi::session::EditSession& session_;
  std::function<bool()> load_guard_;
  QLineEdit* vshname_edit_;
  QLineEdit* pafname_edit_;
  QCheckBox* opening_check_;
  QLineEdit* opening_edit_;
  QPushButton* opening_button_;
  QCheckBox* bootsound_check_;
  QLineEdit* bsound_edit_;
  QPushButton* bsound_button_;
  QLineEdit* sys_fgrco_edit_;
  QLineEdit* top_rco_edit_;
  QLineEdit* top_icon_edit_;
  QPushButton* load_button_;
  QFileDialog* open_dialog1_;
};
