// The Advance window: per-item execute function, media, UMD flag and tags.
//
// The grid lists the known execute functions, one row per item: selecting row a
// edits item a of ItemTable. The lists beside it show that item's values; choosing
// an entry in a list stores it into the item at once. The preview does not show
// any of these values.
#pragma once

#include <QWidget>

#include "app/desktop.h"

class QComboBox;
class QLabel;
class QTableWidget;

class TForm9 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm9(qorvi::app::Desktop& desktop);

  qorvi::app::Desktop& desktop;

  QLabel* OriginalLabel;
  QTableWidget* ExecuteGrid;
  QLabel* ExecLabel;
  QComboBox* ExecCombo;
  QLabel* MainImageLabel;
  QComboBox* MainImageCombo;
  QLabel* SdwImageLabel;
  QComboBox* SdwImageCombo;
  QLabel* ConfImageLabel;
  QComboBox* ConfImageCombo;
  QLabel* NameTagLabel;
  QComboBox* NameTagCombo;
  QLabel* MediaLabel;
  QComboBox* MediaCombo;
  QLabel* UMDLabel;
  QComboBox* UMDCombo;

  // Fills the function grid and the item lists, then shows the selected item.
  void FillAdvanceWindow();
  // Sets the seven lists to the values of the item of the selected grid row.
  void ShowSelectedItem();

  void ExecuteGridClick();
  // The change handlers run only on the user's choice, never when the window itself
  // selects an entry, and act on the item of the selected grid row.
  void ExecComboChange();
  void MainImageComboChange();
  void SdwImageComboChange();
  void ConfImageComboChange();
  void NameTagComboChange();
  void MediaComboChange();
  void UMDComboChange();
  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // ItemCount, within the item table.
  int ItemCount() const;
  // The item the selected grid row stands for, or nullptr.
  qorvi::ItemRecord* SelectedItem();
};
