// The Icon data window: icon positions, sizes, spacings and speeds as numbers.
// Every change of an edit is stored into Layout at once and re-places the
// element it governs; Ctrl+left click on an edit restores that value from the
// last load, "Reset Value" restores all of them.
#pragma once

#include <QWidget>
#include <vector>

#include "app/desktop.h"
#include "app/shift_state.h"
#include "windows/field_edits.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qorvi {
struct LayoutField;
}

class TForm2 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm2(qorvi::app::Desktop& desktop);

  qorvi::app::Desktop& desktop;

  QGroupBox* MainIconGroup;
  QGroupBox* UnfIconGroup;
  QGroupBox* WaveSpeedGroup;
  QGroupBox* Bmp01_12Group;
  QGroupBox* SubIconGroup;
  QGroupBox* ClockGroup;
  QGroupBox* BatteryGroup;
  QGroupBox* BusyGroup;
  QGroupBox* IconSpeedGroup;

  QLineEdit* MainIconXEdit;
  QLineEdit* MainIconYEdit;
  QLineEdit* MainIconSpace1Edit;
  QLineEdit* MainIconSpace2Edit;
  QLineEdit* UnfIconYEdit;
  QLineEdit* UnfIconSizeEdit;
  QLineEdit* SubIconSizeEdit;
  QLineEdit* SubIconUpperSpace1Edit;
  QLineEdit* SubIconUpperSpace2Edit;
  QLineEdit* SubIconLowerSpace1Edit;
  QLineEdit* SubIconLowerSpace2Edit;
  QLineEdit* WaveSpeedEdit;
  QLineEdit* IconSpeedXEdit1;
  QLineEdit* IconSpeedXEdit2;
  QLineEdit* IconSpeedYEdit1;
  QLineEdit* IconSpeedYEdit2;
  QLineEdit* ClockXEdit;
  QLineEdit* ClockYEdit;
  QLineEdit* BatteryXEdit;
  QLineEdit* BatteryYEdit;
  QLineEdit* BusyXEdit;
  QLineEdit* BusyYEdit;
  QLineEdit* BusySpeedEdit;
  QLineEdit* Bmp01_12sizeEdit;

  // Labels that change with the firmware version ("other" and the key speeds).
  QLabel* UpperSpace500Label;
  QLabel* LowerSpace500Label;
  QLabel* IconSpeedXLabel1;
  QLabel* IconSpeedXLabel2;
  QLabel* IconSpeedYLabel1;
  QLabel* IconSpeedYLabel2;

  QPushButton* ResetButton;

  // Writes every edit from Layout and lays out the version-dependent controls.
  void FillIconData();
  void FormShow();

  // Parse the edit's text, store it into Layout, re-place what it governs.
  void MainIconXEditChange();
  void MainIconYEditChange();
  void MainIconSpace1EditChange();
  void MainIconSpace2EditChange();
  void UnfIconYEditChange();
  void UnfIconSizeEditChange();
  void SubIconSizeEditChange();
  void SubIconUpperSpace1EditChange();
  void SubIconUpperSpace2EditChange();
  void SubIconLowerSpace1EditChange();
  void SubIconLowerSpace2EditChange();
  void WaveSpeedEditChange();
  void IconSpeedXEdit1Change();
  void IconSpeedXEdit2Change();
  void IconSpeedYEdit1Change();
  void IconSpeedYEdit2Change();
  void ClockXEditChange();
  void ClockYEditChange();
  void BatteryXEditChange();
  void BatteryYEditChange();
  void BusyXEditChange();
  void BusyYEditChange();
  void BusySpeedEditChange();
  void Bmp01_12sizeEditChange();

  // A left press with Ctrl held restores the edit's value from the last load.
  using MouseDown = void (TForm2::*)(Qt::MouseButton, qorvi::app::ShiftState);
  void MainIconXEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void MainIconYEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void MainIconSpace1EditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void MainIconSpace2EditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void UnfIconYEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void UnfIconSizeEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void SubIconSizeEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void SubIconUpperSpace1EditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void SubIconUpperSpace2EditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void SubIconLowerSpace1EditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void SubIconLowerSpace2EditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void WaveSpeedEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void IconSpeedXEdit1MouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void IconSpeedXEdit2MouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void IconSpeedYEdit1MouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void IconSpeedYEdit2MouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void ClockXEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void ClockYEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void BatteryXEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void BatteryYEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void BusyXEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void BusyYEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void BusySpeedEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void Bmp01_12sizeEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);

  // Asks, then restores every value of this window from the last load.
  void ResetButtonClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  void Store(const QLineEdit* edit);
  void Write(QLineEdit* edit);
  // Restores one value on Ctrl+left press and puts the main text back in place.
  void RestoreOnCtrlClick(QLineEdit* edit, Qt::MouseButton button, qorvi::app::ShiftState shift);

  qorvi::app::FieldEdits* edits_;
};
