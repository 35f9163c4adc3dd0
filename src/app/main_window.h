// The main window: the preview of the system menu inside Panel1, the buttons that
// show and hide the other windows, the options and Save.
//
// Its routines live in several files: main_window.cpp (creation, buttons, Save,
// states), preview.cpp (the preview routines), navigation.cpp (scroll bars and
// options), drag.cpp (dragging preview elements).
#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "app/desktop.h"
#include "app/shift_state.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QFileDialog;

namespace qorvi::app {
class PictureBox;
}

// Drag state of one family of preview elements.
struct DragState {
  uint8_t active = 0;
  int32_t lastX = 0;
  int32_t lastY = 0;
};

class TForm1 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm1(qorvi::app::Desktop& desktop);
  ~TForm1() override;

  qorvi::app::Desktop& desktop;
  qorvi::Model& model;
  qorvi::PreviewState& view;

  // Controls outside the preview.
  QCheckBox* NoShowCheck;
  QCheckBox* NoUMDCheck;
  QPushButton* AboutButton;
  QFrame* Panel1;
  QGroupBox* GroupBox1;
  QRadioButton* JPNRadio;
  QRadioButton* ENGRadio;
  QGroupBox* GroupBox2;
  QCheckBox* CompCheck;
  QFrame* Bevel1;
  QLabel* FocusedLabel;
  QPushButton* ShowFileButton;
  QPushButton* ShowColorButton;
  QPushButton* ShowTextDataButton;
  QPushButton* WallpaperButton;
  QPushButton* SaveButton;
  QPushButton* ShowIconDataButton;
  QPushButton* ShowCateButton;
  QPushButton* PositioningButton;
  QScrollBar* XMB_HScroll;
  QScrollBar* XMB_VScroll;
  QFileDialog* OpenDialog1;

  // Preview elements, children of Panel1, created in drawing order.
  qorvi::app::PictureBox* Wallpaper;
  qorvi::app::PictureBox* BatteryIcon;
  QLabel* Clock;
  QLabel* MainMenutext;
  qorvi::app::PictureBox* MainIcon1;
  qorvi::app::PictureBox* MainIcon2;
  qorvi::app::PictureBox* MainIcon3;
  qorvi::app::PictureBox* MainIcon4;
  qorvi::app::PictureBox* MainIcon5;
  qorvi::app::PictureBox* MainIcon6;
  qorvi::app::PictureBox* MainIcon7;
  qorvi::app::PictureBox* SubIcon1;
  qorvi::app::PictureBox* SubIcon0;
  qorvi::app::PictureBox* SubIcon2;
  qorvi::app::PictureBox* SubIcon3;
  qorvi::app::PictureBox* BusyIcon;
  QLabel* SubMenuText1;
  QLabel* SubMenuText0;
  QLabel* SubMenuText2;
  QLabel* SubMenuText3;
  qorvi::app::PictureBox* SubIcon4;
  qorvi::app::PictureBox* SubIcon5;
  QLabel* SubMenuText4;
  QLabel* SubMenuText5;
  qorvi::app::PictureBox* MainIcon8;

  // MainIcons[i] shows category i; SubIcons[k] is SubIcon<k>, SubMenuTexts[k] is SubMenuText<k>.
  std::array<qorvi::app::PictureBox*, 8> MainIcons{};
  std::array<qorvi::app::PictureBox*, 6> SubIcons{};
  std::array<QLabel*, 6> SubMenuTexts{};

  // --- Preview routines (preview.cpp): the one way to redraw the preview.
  void RefreshAll();
  void LoadMainIconImages();
  void LoadSubIconImages();
  void UpdateMenuTexts();
  void PlaceMainIcons(int focus);
  void PlaceSubIcons();
  void PlaceSubMenuTexts();
  void PlaceMainMenuText();
  void PlaceBatteryIcon();
  void PlaceBusyIcon();
  void UpdateClock();
  void ShowVersion();
  void LoadScaledIcon(qorvi::app::PictureBox* control, const std::string& path, float scale);
  void LoadStripImage(qorvi::app::PictureBox* control, const std::string& path, int columns, int rows);
  void DrawIconFrame(qorvi::app::PictureBox* control);

  // --- Buttons and states (main_window.cpp).
  void ShowFileButtonClick();
  void ShowIconDataButtonClick();
  void ShowTextDataButtonClick();
  void ShowColorButtonClick();
  void ShowCateButtonClick();
  void PositioningButtonClick();
  void AboutButtonClick();
  void SaveButtonClick();
  // Enables the controls of the loaded state (the refresh after a load calls it).
  void EnterLoadedState();

  // --- Navigation and options (navigation.cpp).
  void XMB_HScrollChange();
  void XMB_VScrollChange();
  void JPNRadioClick();
  void ENGRadioClick();
  void NoShowCheckClick();
  void NoUMDCheckClick();
  void WallpaperButtonClick();
  // Paints a picture file scaled onto the whole wallpaper; false when the file
  // cannot be opened or decoded (the wallpaper then stays as it was).
  bool PaintWallpaper(const QString& path);

  // --- Drag editing (drag.cpp).
  DragState MainIconDrag, SubIconDrag, BusyDrag, BatteryDrag, ClockDrag, MainTextDrag, SubTextDrag;
  uint8_t DragAllowX = 1;
  uint8_t DragAllowY = 1;
  // Wires the mouse events of the preview elements to the handlers below.
  void ConnectDragHandlers();
  void MainIconMouseDown(int index, Qt::MouseButton button, qorvi::app::ShiftState shift, QPoint pos);
  void MainIconMouseMove(int index, qorvi::app::ShiftState shift, QPoint pos);
  void MainIconMouseUp(int index, Qt::MouseButton button, qorvi::app::ShiftState shift, QPoint pos);
  void SubIconMouseDown(int k, Qt::MouseButton button, qorvi::app::ShiftState shift, QPoint pos);
  void SubIconMouseMove(int k, qorvi::app::ShiftState shift, QPoint pos);
  void SubIconMouseUp(int k, Qt::MouseButton button, qorvi::app::ShiftState shift, QPoint pos);
  void BusyIconMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift, QPoint pos);
  void BusyIconMouseMove(qorvi::app::ShiftState shift, QPoint pos);
  void BusyIconMouseUp(Qt::MouseButton button, qorvi::app::ShiftState shift, QPoint pos);
  void BatteryIconMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift, QPoint pos);
  void BatteryIconMouseMove(qorvi::app::ShiftState shift, QPoint pos);
  void BatteryIconMouseUp(Qt::MouseButton button, qorvi::app::ShiftState shift, QPoint pos);
  void ClockMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift, QPoint pos);
  void ClockMouseMove(qorvi::app::ShiftState shift, QPoint pos);
  void ClockMouseUp(Qt::MouseButton button, qorvi::app::ShiftState shift, QPoint pos);
  void MainMenutextMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift, QPoint pos);
  void MainMenutextMouseMove(qorvi::app::ShiftState shift, QPoint pos);
  void MainMenutextMouseUp(Qt::MouseButton button, qorvi::app::ShiftState shift, QPoint pos);
  void SubMenuTextMouseDown(int k, Qt::MouseButton button, qorvi::app::ShiftState shift, QPoint pos);
  void SubMenuTextMouseMove(int k, qorvi::app::ShiftState shift, QPoint pos);
  void SubMenuTextMouseUp(int k, Qt::MouseButton button, qorvi::app::ShiftState shift, QPoint pos);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void CreatePreview();
  void SetNothingLoadedState();
  void ToggleWindow(QWidget* window, QPushButton* button, const char* showCaption, const char* hideCaption);
  void DeleteIconBitmaps();
};
