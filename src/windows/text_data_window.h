// The Text data window: positions and sizes of the menu texts as numbers. The
// main and sub text fields re-place the preview texts as they change; the
// third-level fields (5.00 only) are stored for Save. Ctrl+left click restores one
// field from the last load, "Reset Value" the whole group.
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

class TForm7 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm7(qorvi::app::Desktop& desktop);

  qorvi::app::Desktop& desktop;

  QGroupBox* MainTextGroup;
  QGroupBox* SubTextGroup;
  QGroupBox* Sub2TextGroup;   // "Sub - Sub Menu Text", 5.00 only
  QGroupBox* Sub2SpaceGroup;  // "Sub - Sub Menu Space Between", 5.00 only

  QLineEdit* MainMenuTextYEdit;
  QLineEdit* MainMenuTextSizeEdit;
  QLineEdit* SubMenuTextXEdit;
  QLineEdit* SubMenuTextX2Edit;
  QLineEdit* SubMenuTextX1SegEdit;
  QLineEdit* SubMenuTextX3Edit;
  QLineEdit* SubMenuMSTextYEdit;
  QLineEdit* SubMenuUnderMSTextYEdit;
  QLineEdit* SubMenuTextYEdit;
  QLineEdit* SubMenuTextSizeEdit;
  QLineEdit* Sub2NetSearchXEdit;
  QLineEdit* Sub2NetRadioXEdit;
  QLineEdit* Sub2GameTitleXEdit;
  QLineEdit* Sub2PhotVideoXEdit;
  QLineEdit* Sub2RSSFeedsXEdit;
  QLineEdit* Sub2SettingOptXEdit;
  QLineEdit* Sub2SettingOptYEdit;
  QLineEdit* OptSize1Edit;
  QLineEdit* OptSize2Edit;
  QLineEdit* PhotoSpaceEdit;
  QLineEdit* MusicSpaceEdit;
  QLineEdit* VideoSpaceEdit;
  QLineEdit* GameSpaceEdit;
  QLineEdit* OptSpaceEdit;

  QLabel* SubMenuUnderMSTextYLabel;
  QPushButton* ResetButton;

  // Lays the window out for the version and writes every field into its edit.
  void FillTextDataWindow();
  void FormShow();

  void MainMenuTextYEditChange();
  void MainMenuTextSizeEditChange();
  void SubMenuTextXEditChange();
  void SubMenuTextX2EditChange();
  void SubMenuTextX1SegEditChange();
  void SubMenuTextX3EditChange();
  void SubMenuMSTextYEditChange();
  void SubMenuUnderMSTextYEditChange();
  void SubMenuTextYEditChange();
  void SubMenuTextSizeEditChange();
  void Sub2NetSearchXEditChange();
  void Sub2NetRadioXEditChange();
  void Sub2GameTitleXEditChange();
  void Sub2PhotVideoXEditChange();
  void Sub2RSSFeedsXEditChange();
  void Sub2SettingOptXEditChange();
  void Sub2SettingOptYEditChange();
  void OptSize1EditChange();
  void OptSize2EditChange();
  void PhotoSpaceEditChange();
  void MusicSpaceEditChange();
  void VideoSpaceEditChange();
  void GameSpaceEditChange();
  void OptSpaceEditChange();

  using MouseDown = void (TForm7::*)(Qt::MouseButton, qorvi::app::ShiftState);
  void MainMenuTextYEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void MainMenuTextSizeEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void SubMenuTextXEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void SubMenuTextX2EditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void SubMenuTextX1SegEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void SubMenuTextX3EditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void SubMenuMSTextYEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void SubMenuUnderMSTextYEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void SubMenuTextYEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void SubMenuTextSizeEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void Sub2NetSearchXEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void Sub2NetRadioXEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void Sub2GameTitleXEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void Sub2PhotVideoXEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void Sub2RSSFeedsXEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void Sub2SettingOptXEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void Sub2SettingOptYEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void OptSize1EditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void OptSize2EditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void PhotoSpaceEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void MusicSpaceEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void VideoSpaceEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void GameSpaceEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void OptSpaceEditMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);

  // Asks, then restores every field of this window from the last load.
  void ResetButtonClick();

 protected:
  void showEvent(QShowEvent* event) override;

 public:
  // What a change of a field re-places in the preview.
  enum class Placement { None, MainText, SubTexts };

 private:
  void CreateControls();
  // Stores the edit's text into its field, then re-places the text it governs.
  void StoreAndPlace(const QLineEdit* edit);
  void Write(QLineEdit* edit);
  void RestoreOnCtrlClick(QLineEdit* edit, Qt::MouseButton button, qorvi::app::ShiftState shift);

  qorvi::app::FieldEdits* edits_;
};
