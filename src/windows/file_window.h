// The File window: names the input files and starts the load.
#pragma once

#include <QDialog>
#include <string>

#include "app/desktop.h"

class QCheckBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm5 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm5(qorvi::app::Desktop& desktop);

  qorvi::app::Desktop& desktop;

  QGroupBox* SourceGroup;
  QLabel* Label1;
  QLineEdit* vshnameEdit;
  QPushButton* vshnameButton;
  QLabel* Label2;
  QLineEdit* pafnameEdit;
  QPushButton* pafnameButton;
  QCheckBox* openingCheck;
  QLineEdit* openingEdit;
  QPushButton* openingButton;
  QCheckBox* bootsoundCheck;
  QLineEdit* bsoundEdit;
  QPushButton* bsoundButton;
  QLabel* Label6;
  QLineEdit* sys_fgrcoEdit;
  QPushButton* sys_fgrcoButton;
  QLabel* Label5;
  QLineEdit* top_rcoEdit;
  QPushButton* top_rcoButton;
  QLabel* Label3;
  QLineEdit* top_iconEdit;
  QPushButton* top_iconButton;
  QPushButton* LoadButton;
  QFileDialog* OpenDialog1;

  void vshnameButtonClick();
  void pafnameButtonClick();
  void openingButtonClick();
  void bsoundButtonClick();
  void sys_fgrcoButtonClick();
  void top_rcoButtonClick();
  void top_iconButtonClick();
  // The five required edits share one rule: Load is enabled while none is empty.
  void vshnameEditChange();
  void pafnameEditChange();
  void sys_fgrcoEditChange();
  void top_rcoEditChange();
  void top_iconEditChange();
  void openingCheckClick();
  void bootsoundCheckClick();
  void LoadButtonClick();

 private:
  void UpdateLoadButton();
  // Runs the file dialog with a preset name; on OK the chosen path, slashed, goes
  // into `buffer` and `edit`.
  void ChooseFile(const QString& presetName, std::string& buffer, QLineEdit* edit);
};
