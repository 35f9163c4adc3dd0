// SPDX-License-Identifier: GPL-3.0-or-later
// The secondary windows' controls as the tests reach them: found by their object
// names, under the names they carry on the screen, with the windows' routines
// beside them.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <array>

#include "widgets/find_widget.h"
#include "widgets/picture_box.h"
#include "windows/advance_window.h"
#include "windows/category_window.h"
#include "windows/color_window.h"
#include "windows/file_window.h"
#include "windows/icon_data_window.h"
#include "windows/positioning_window.h"
#include "windows/text_data_window.h"

namespace qorvi::testing {

// What every window part offers of its window.
template <typename Form>
struct WindowParts {
  explicit WindowParts(Form& window) : form(window) {}
  Form& form;
  QPushButton* ResetButton = form.template findChild<QPushButton*>("ResetButton");

  bool isVisible() const { return form.isVisible(); }
  QString windowTitle() const { return form.windowTitle(); }
  void show() { form.show(); }
  void hide() { form.hide(); }
  int width() const { return form.width(); }
  int height() const { return form.height(); }
};

struct IconDataParts : WindowParts<TForm2> {
  using WindowParts::WindowParts;
  QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(form, name); }
  QLineEdit* MainIconXEdit = Edit("MainIconXEdit");
  QLineEdit* MainIconYEdit = Edit("MainIconYEdit");
  QLineEdit* MainIconSpace2Edit = Edit("MainIconSpace2Edit");
  QLineEdit* UnfIconYEdit = Edit("UnfIconYEdit");
  QLineEdit* UnfIconSizeEdit = Edit("UnfIconSizeEdit");
  QLineEdit* SubIconSizeEdit = Edit("SubIconSizeEdit");
  QLineEdit* SubIconUpperSpace1Edit = Edit("SubIconUpperSpace1Edit");
  QLineEdit* SubIconUpperSpace2Edit = Edit("SubIconUpperSpace2Edit");
  QLineEdit* SubIconLowerSpace1Edit = Edit("SubIconLowerSpace1Edit");
  QLineEdit* SubIconLowerSpace2Edit = Edit("SubIconLowerSpace2Edit");
  QLineEdit* IconSpeedXEdit2 = Edit("IconSpeedXEdit2");
  QLineEdit* IconSpeedYEdit2 = Edit("IconSpeedYEdit2");
  QLineEdit* ClockXEdit = Edit("ClockXEdit");
  QLineEdit* ClockYEdit = Edit("ClockYEdit");
  QLineEdit* BatteryXEdit = Edit("BatteryXEdit");
  QLineEdit* BatteryYEdit = Edit("BatteryYEdit");
  QLineEdit* BusyXEdit = Edit("BusyXEdit");
  QLineEdit* BusyYEdit = Edit("BusyYEdit");
  QLineEdit* BusySpeedEdit = Edit("BusySpeedEdit");
  QLineEdit* Bmp01_12sizeEdit = Edit("Bmp01_12sizeEdit");
  QLabel* UpperSpace500Label = Find<QLabel>(form, "UpperSpace500Label");
  QLabel* LowerSpace500Label = Find<QLabel>(form, "LowerSpace500Label");
  QLabel* IconSpeedXLabel1 = Find<QLabel>(form, "IconSpeedXLabel1");
  QLabel* IconSpeedXLabel2 = Find<QLabel>(form, "IconSpeedXLabel2");
  QLabel* IconSpeedYLabel1 = Find<QLabel>(form, "IconSpeedYLabel1");
  QLabel* IconSpeedYLabel2 = Find<QLabel>(form, "IconSpeedYLabel2");

  void FillIconData() { form.FillIconData(); }
  template <typename T>
  T findChild(const QString& name) const {
    return form.findChild<T>(name);
  }
};

struct TextDataParts : WindowParts<TForm7> {
  using WindowParts::WindowParts;
  QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(form, name); }
  QGroupBox* MainTextGroup = Find<QGroupBox>(form, "MainTextGroup");
  QGroupBox* SubTextGroup = Find<QGroupBox>(form, "SubTextGroup");
  QGroupBox* Sub2TextGroup = Find<QGroupBox>(form, "Sub2TextGroup");
  QGroupBox* Sub2SpaceGroup = Find<QGroupBox>(form, "Sub2SpaceGroup");
  QLineEdit* MainMenuTextYEdit = Edit("MainMenuTextYEdit");
  QLineEdit* MainMenuTextSizeEdit = Edit("MainMenuTextSizeEdit");
  QLineEdit* SubMenuTextXEdit = Edit("SubMenuTextXEdit");
  QLineEdit* SubMenuTextX1SegEdit = Edit("SubMenuTextX1SegEdit");
  QLineEdit* SubMenuMSTextYEdit = Edit("SubMenuMSTextYEdit");
  QLineEdit* SubMenuUnderMSTextYEdit = Edit("SubMenuUnderMSTextYEdit");
  QLineEdit* SubMenuTextYEdit = Edit("SubMenuTextYEdit");
  QLineEdit* SubMenuTextSizeEdit = Edit("SubMenuTextSizeEdit");
  QLineEdit* Sub2GameTitleXEdit = Edit("Sub2GameTitleXEdit");
  QLineEdit* Sub2RSSFeedsXEdit = Edit("Sub2RSSFeedsXEdit");
  QLineEdit* OptSize1Edit = Edit("OptSize1Edit");
  QLineEdit* OptSize2Edit = Edit("OptSize2Edit");
  QLineEdit* GameSpaceEdit = Edit("GameSpaceEdit");
  QLineEdit* OptSpaceEdit = Edit("OptSpaceEdit");
  QLabel* SubMenuUnderMSTextYLabel = Find<QLabel>(form, "SubMenuUnderMSTextYLabel");
};

struct ColorParts : WindowParts<TForm3> {
  explicit ColorParts(TForm3& window) : WindowParts(window) {
    for (int i = 0; i < kColorTableEntries; ++i) {
      TcolImages[i] = Find<widgets::PictureBox>(form, QString("TcolImage%1").arg(i + 1));
      TcolLabels[i] = Find<QLabel>(form, QString("TcolLabel%1").arg(i + 1));
    }
  }
  QRadioButton* TextRadio = Find<QRadioButton>(form, "TextRadio");
  QRadioButton* BGRadio = Find<QRadioButton>(form, "BGRadio");
  std::array<widgets::PictureBox*, kColorTableEntries> TcolImages{};
  std::array<QLabel*, kColorTableEntries> TcolLabels{};
  widgets::PictureBox* BatteryImage = Find<widgets::PictureBox>(form, "BatteryImage");
  widgets::PictureBox* ClockImage = Find<widgets::PictureBox>(form, "ClockImage");
  widgets::PictureBox* BusyImage = Find<widgets::PictureBox>(form, "BusyImage");
  const TForm3::Swatches& TextSwatch = form.TextSwatch();
  const TForm3::Swatches& BGSwatch = form.BGSwatch();
};

struct CategoryParts : WindowParts<TForm4> {
  using WindowParts::WindowParts;
  QTableWidget* CategoryGrid = Find<QTableWidget>(form, "CategoryGrid");
  QPushButton* UpButton = Find<QPushButton>(form, "UpButton");
  QPushButton* DownButton = Find<QPushButton>(form, "DownButton");
  QPushButton* AdvanceButton = Find<QPushButton>(form, "AdvanceButton");
  void FillCategoryRows() { form.FillCategoryRows(); }
};

struct FileParts : WindowParts<TForm5> {
  using WindowParts::WindowParts;
  QLineEdit* vshnameEdit = Find<QLineEdit>(form, "vshnameEdit");
  QLineEdit* pafnameEdit = Find<QLineEdit>(form, "pafnameEdit");
  QPushButton* pafnameButton = Find<QPushButton>(form, "pafnameButton");
  QCheckBox* openingCheck = Find<QCheckBox>(form, "openingCheck");
  QLineEdit* openingEdit = Find<QLineEdit>(form, "openingEdit");
  QPushButton* openingButton = Find<QPushButton>(form, "openingButton");
  QCheckBox* bootsoundCheck = Find<QCheckBox>(form, "bootsoundCheck");
  QLineEdit* bsoundEdit = Find<QLineEdit>(form, "bsoundEdit");
  QPushButton* bsoundButton = Find<QPushButton>(form, "bsoundButton");
  QLineEdit* sys_fgrcoEdit = Find<QLineEdit>(form, "sys_fgrcoEdit");
  QLineEdit* top_rcoEdit = Find<QLineEdit>(form, "top_rcoEdit");
  QLineEdit* top_iconEdit = Find<QLineEdit>(form, "top_iconEdit");
  QPushButton* LoadButton = Find<QPushButton>(form, "LoadButton");
};

struct PositioningParts : WindowParts<TForm6> {
  using WindowParts::WindowParts;
  QComboBox* ItemCombo = Find<QComboBox>(form, "ItemCombo");
  QScrollBar* ValueScroll = Find<QScrollBar>(form, "ValueScroll");
  QLabel* ValueLabel = Find<QLabel>(form, "ValueLabel");
};

struct AdvanceParts : WindowParts<TForm9> {
  using WindowParts::WindowParts;
  QTableWidget* ExecuteGrid = Find<QTableWidget>(form, "ExecuteGrid");
  QComboBox* ExecCombo = Find<QComboBox>(form, "ExecCombo");
  QComboBox* MainImageCombo = Find<QComboBox>(form, "MainImageCombo");
  QComboBox* SdwImageCombo = Find<QComboBox>(form, "SdwImageCombo");
  QComboBox* ConfImageCombo = Find<QComboBox>(form, "ConfImageCombo");
  QComboBox* NameTagCombo = Find<QComboBox>(form, "NameTagCombo");
  QComboBox* MediaCombo = Find<QComboBox>(form, "MediaCombo");
  QComboBox* UMDCombo = Find<QComboBox>(form, "UMDCombo");
};

}  // namespace qorvi::testing
