// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls as the tests reach them: found by their object names,
// under the names they carry on the screen, with the preview's routines beside them.
#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <array>

#include "app/main_window.h"
#include "app/preview_panel.h"
#include "widgets/find_widget.h"
#include "widgets/picture_box.h"

namespace qorvi::testing {

struct MainParts {
  using PictureBox = widgets::PictureBox;

  explicit MainParts(TForm1& main) : form(main), preview(main.Preview()) {
    for (int i = 0; i < 8; ++i) MainIcons[i] = Find<PictureBox>(form, QString("MainIcon%1").arg(i + 1));
    for (int k = 0; k < 6; ++k) {
      SubIcons[k] = Find<PictureBox>(form, QString("SubIcon%1").arg(k));
      SubMenuTexts[k] = Find<QLabel>(form, QString("SubMenuText%1").arg(k));
    }
  }

  TForm1& form;
  app::PreviewPanel& preview;

  QCheckBox* NoShowCheck = Find<QCheckBox>(form, "NoShowCheck");
  QCheckBox* NoUMDCheck = Find<QCheckBox>(form, "NoUMDCheck");
  QPushButton* AboutButton = Find<QPushButton>(form, "AboutButton");
  QFrame* Panel1 = Find<QFrame>(form, "Panel1");
  QRadioButton* JPNRadio = Find<QRadioButton>(form, "JPNRadio");
  QRadioButton* ENGRadio = Find<QRadioButton>(form, "ENGRadio");
  QCheckBox* CompCheck = Find<QCheckBox>(form, "CompCheck");
  QFrame* Bevel1 = Find<QFrame>(form, "Bevel1");
  QLabel* FocusedLabel = Find<QLabel>(form, "FocusedLabel");
  QPushButton* ShowFileButton = Find<QPushButton>(form, "ShowFileButton");
  QPushButton* ShowColorButton = Find<QPushButton>(form, "ShowColorButton");
  QPushButton* ShowTextDataButton = Find<QPushButton>(form, "ShowTextDataButton");
  QPushButton* WallpaperButton = Find<QPushButton>(form, "WallpaperButton");
  QPushButton* SaveButton = Find<QPushButton>(form, "SaveButton");
  QPushButton* ShowIconDataButton = Find<QPushButton>(form, "ShowIconDataButton");
  QPushButton* ShowCateButton = Find<QPushButton>(form, "ShowCateButton");
  QPushButton* PositioningButton = Find<QPushButton>(form, "PositioningButton");
  QScrollBar* XMB_HScroll = Find<QScrollBar>(form, "XMB_HScroll");
  QScrollBar* XMB_VScroll = Find<QScrollBar>(form, "XMB_VScroll");

  PictureBox* Wallpaper = Find<PictureBox>(form, "Wallpaper");
  PictureBox* BatteryIcon = Find<PictureBox>(form, "BatteryIcon");
  QLabel* Clock = Find<QLabel>(form, "Clock");
  QLabel* MainMenutext = Find<QLabel>(form, "MainMenutext");
  PictureBox* MainIcon8 = Find<PictureBox>(form, "MainIcon8");
  PictureBox* SubIcon0 = Find<PictureBox>(form, "SubIcon0");
  PictureBox* SubIcon1 = Find<PictureBox>(form, "SubIcon1");
  PictureBox* SubIcon2 = Find<PictureBox>(form, "SubIcon2");
  PictureBox* SubIcon3 = Find<PictureBox>(form, "SubIcon3");
  PictureBox* BusyIcon = Find<PictureBox>(form, "BusyIcon");
  QLabel* SubMenuText0 = Find<QLabel>(form, "SubMenuText0");
  QLabel* SubMenuText1 = Find<QLabel>(form, "SubMenuText1");
  QLabel* SubMenuText2 = Find<QLabel>(form, "SubMenuText2");
  QLabel* SubMenuText3 = Find<QLabel>(form, "SubMenuText3");
  QLabel* SubMenuText4 = Find<QLabel>(form, "SubMenuText4");
  QLabel* SubMenuText5 = Find<QLabel>(form, "SubMenuText5");

  // MainIcons[i] shows category i; SubIcons[k] is SubIcon<k>, SubMenuTexts[k] is SubMenuText<k>.
  std::array<PictureBox*, 8> MainIcons{};
  std::array<PictureBox*, 6> SubIcons{};
  std::array<QLabel*, 6> SubMenuTexts{};

  // The preview's routines.
  void LoadMainIconImages() { preview.LoadMainIconImages(); }
  void LoadSubIconImages() { preview.LoadSubIconImages(); }
  void UpdateMenuTexts() { preview.UpdateMenuTexts(); }
  void PlaceSubIcons() { preview.PlaceSubIcons(); }
  void PlaceSubMenuTexts() { preview.PlaceSubMenuTexts(); }
  void PlaceMainMenuText() { preview.PlaceMainMenuText(); }
  void UpdateClock() { preview.UpdateClock(); }
  bool PaintWallpaper(const QString& path) { return preview.PaintWallpaper(path); }

  // The window itself.
  QString windowTitle() const { return form.windowTitle(); }
  QSize size() const { return form.size(); }
  bool isVisible() const { return form.isVisible(); }
  bool close() { return form.close(); }
  void raise() { form.raise(); }
  QPixmap grab() { return form.grab(); }
};

}  // namespace qorvi::testing
