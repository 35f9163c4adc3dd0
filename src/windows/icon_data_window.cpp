// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/icon_data_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <algorithm>

#include "widgets/window_frame.h"
#include "windows/field_edits.h"

namespace {

struct GroupSpec {
  const char* name;
  const char* caption;
  QRect geometry;
};

constexpr GroupSpec kGroups[] = {
    {"MainIconGroup", "MainIcon", {13, 16, 121, 81}},
    {"UnfIconGroup", "Unforcused MainIcon", {13, 112, 121, 145}},
    {"WaveSpeedGroup", "XMB Wave Speed", {13, 272, 121, 49}},
    {"Bmp01_12Group", "01-12 bmp file", {13, 336, 121, 49}},
    {"SubIconGroup", "SubIcon", {149, 16, 121, 177}},
    {"ClockGroup", "Clock", {149, 208, 121, 81}},
    {"BatteryGroup", "Battery", {149, 304, 121, 81}},
    {"BusyGroup", "Busy Icon", {285, 16, 121, 113}},
    {"IconSpeedGroup", "Icon Speed", {285, 144, 121, 137}},
};

// One edit: the field it edits (which says how its text is read and which Reset
// group it belongs to), where it stands, its label, and the text the form holds
// before the first fill replaces it. The preview's placement of each field is in
// the preview's own table.
struct EditSpec {
  const char* name;
  const qorvi::LayoutField* field;
  const char* group;
  int top;
  const char* label;  // caption of the label beside it; nullptr for none
  const char* labelName;
  const char* formText;
};

using L = qorvi::LayoutRecord;
using qorvi::LayoutFieldOf;
constexpr EditSpec kEdits[] = {
    {"MainIconXEdit", &LayoutFieldOf(&L::MainIconX), "MainIconGroup", 16, "X", "MainIconXLabel", "-130"},
    {"MainIconYEdit", &LayoutFieldOf(&L::MainIconY), "MainIconGroup", 48, "Y", "MainIconYLabel", "66"},
    {"MainIconSpace1Edit", &LayoutFieldOf(&L::MainIconSpace1), "UnfIconGroup", 16, "Space1", "MainIconSpace1Label",
     "5"},
    {"MainIconSpace2Edit", &LayoutFieldOf(&L::MainIconSpace2), "UnfIconGroup", 48, "Space2", "MainIconSpace2Label",
     "80"},
    {"UnfIconYEdit", &LayoutFieldOf(&L::UnfIconY), "UnfIconGroup", 80, "Y", "UnfIconYLabel", "63"},
    {"UnfIconSizeEdit", &LayoutFieldOf(&L::UnfIconSize), "UnfIconGroup", 112, "Size", "UnfIconSizeLabel", "0.78"},
    {"SubIconSizeEdit", &LayoutFieldOf(&L::SubIconSize), "SubIconGroup", 16, "Size", "SubIconSizeLabel", "1"},
    {"SubIconUpperSpace1Edit", &LayoutFieldOf(&L::SubIconUpperSpace1), "SubIconGroup", 58, "Settings",
     "UpperSpace1Label", "60"},
    {"SubIconUpperSpace2Edit", &LayoutFieldOf(&L::SubIconUpperSpace2), "SubIconGroup", 82, "other",
     "UpperSpace500Label", "60"},
    {"SubIconLowerSpace1Edit", &LayoutFieldOf(&L::SubIconLowerSpace1), "SubIconGroup", 122, "Settings",
     "LowerSpace1Label", "65"},
    {"SubIconLowerSpace2Edit", &LayoutFieldOf(&L::SubIconLowerSpace2), "SubIconGroup", 146, "other",
     "LowerSpace500Label", "65"},
    {"WaveSpeedEdit", &LayoutFieldOf(&L::WaveSpeed), "WaveSpeedGroup", 16, nullptr, nullptr, "10"},
    {"IconSpeedXEdit1", &LayoutFieldOf(&L::IconSpeedX1), "IconSpeedGroup", 16, "X", "IconSpeedXLabel1", "200"},
    {"IconSpeedXEdit2", &LayoutFieldOf(&L::IconSpeedX2), "IconSpeedGroup", 48, "→key", "IconSpeedXLabel2", "200"},
    {"IconSpeedYEdit1", &LayoutFieldOf(&L::IconSpeedY1), "IconSpeedGroup", 80, "Y", "IconSpeedYLabel1", "200"},
    {"IconSpeedYEdit2", &LayoutFieldOf(&L::IconSpeedY2), "IconSpeedGroup", 112, "↓key", "IconSpeedYLabel2", "200"},
    {"ClockXEdit", &LayoutFieldOf(&L::ClockX), "ClockGroup", 16, "X", "ClockXLabel", "203"},
    {"ClockYEdit", &LayoutFieldOf(&L::ClockY), "ClockGroup", 48, "Y", "ClockYLabel", "123"},
    {"BatteryXEdit", &LayoutFieldOf(&L::BatteryX), "BatteryGroup", 16, "X", "BatteryXLabel", "223"},
    {"BatteryYEdit", &LayoutFieldOf(&L::BatteryY), "BatteryGroup", 48, "Y", "BatteryYLabel", "124"},
    {"BusyXEdit", &LayoutFieldOf(&L::BusyX), "BusyGroup", 16, "X", "BusyXLabel", "226"},
    {"BusyYEdit", &LayoutFieldOf(&L::BusyY), "BusyGroup", 48, "Y", "BusyYLabel", "-122"},
    {"BusySpeedEdit", &LayoutFieldOf(&L::BusySpeed), "BusyGroup", 80, "Speed", "BusySpeedLabel", "66.6666666"},
    {"Bmp01_12sizeEdit", &LayoutFieldOf(&L::Bmp01_12size), "Bmp01_12Group", 16, "Size", "Bmp01_12sizeLabel", "6176"},
};

// 5.00 keeps separate sub icon spacings for the categories after the first and a
// speed per direction key; the older firmware has one of each. These controls show
// only where the version has the extended fields (5.00), and only then are the
// four second edits written.
constexpr const char* kExtendedOnly[] = {"UpperSpace500Label",     "LowerSpace500Label", "SubIconLowerSpace2Edit",
                                         "SubIconUpperSpace2Edit", "IconSpeedXLabel2",   "IconSpeedYLabel2",
                                         "IconSpeedXEdit2",        "IconSpeedYEdit2"};
constexpr const char* kSecondEdits[] = {"SubIconLowerSpace2Edit", "SubIconUpperSpace2Edit", "IconSpeedXEdit2",
                                        "IconSpeedYEdit2"};

}  // namespace

TForm2::TForm2(qorvi::session::EditSession& session, QWidget* parent)
    : QWidget(parent), session_(session), edits_(new qorvi::windows::FieldEdits(session, this)) {
  setObjectName("Form2");
  qorvi::widgets::SetUpSecondaryWindow(this, "Qorvi Icon Data Window", 421, 402, 584, 16);
  CreateControls();
  FillIconData();
  connect(&session_, &qorvi::session::EditSession::changed, this, [this](const qorvi::session::ChangeEvent& e) {
    if (e.loaded) FillIconData();
  });
}

void TForm2::CreateControls() {
  for (const GroupSpec& g : kGroups) {
    auto* box = new QGroupBox(g.caption, this);
    box->setObjectName(g.name);
    box->setGeometry(g.geometry);
  }
  // The sub icon spacings come in pairs under two headings.
  auto* sub_icons = findChild<QGroupBox*>("SubIconGroup");
  auto heading = [&](const char* name, const char* caption, int top) {
    auto* label = new QLabel(caption, sub_icons);
    label->setObjectName(name);
    label->setGeometry(12, top, 100, 14);
  };
  heading("UpperSpaceHeading", "AbobeSpace", 42);
  heading("LowerSpaceHeading", "LowerSpace", 106);

  for (const EditSpec& e : kEdits) {
    auto* group = findChild<QGroupBox*>(e.group);
    auto* edit = new QLineEdit(e.formText, group);
    edit->setObjectName(e.name);
    edit->setGeometry(56, e.top, 57, 20);
    if (e.label != nullptr) {
      auto* label = new QLabel(QString::fromUtf8(e.label), group);
      label->setObjectName(e.labelName);
      label->setGeometry(12, e.top + 3, 44, 14);
    }
    edits_->Bind(edit, *e.field);
  }
  findChild<QLineEdit*>("Bmp01_12sizeEdit")->setToolTip(QString::fromUtf8("～32767"));

  auto* reset = new QPushButton("Reset Value", this);
  reset->setObjectName("ResetButton");
  reset->setGeometry(288, 360, 121, 25);
  connect(reset, &QPushButton::clicked, this, &TForm2::ResetButtonClick);
}

void TForm2::FillIconData() {
  const qorvi::FirmwareProfile& profile = session_.model().Profile;
  const bool extended = profile.HasExtendedFields;
  for (const char* name : kExtendedOnly) findChild<QWidget*>(name)->setVisible(extended);
  findChild<QLabel*>("IconSpeedXLabel1")->setText(extended ? QString::fromUtf8("←key") : QString("X"));
  findChild<QLabel*>("IconSpeedYLabel1")->setText(extended ? QString::fromUtf8("↑key") : QString("Y"));
  // The upper spacing of the other categories is fixed in 5.00: shown, not edited.
  findChild<QLineEdit*>("SubIconUpperSpace2Edit")->setEnabled(!profile.SubIconSecondSpacing);
  for (QLineEdit* edit : edits_->Edits()) {
    const bool second = std::any_of(std::begin(kSecondEdits), std::end(kSecondEdits),
                                    [&](const char* name) { return edit->objectName() == name; });
    if (extended || !second) edits_->Write(edit);
  }
}

void TForm2::FormShow() { FillIconData(); }

void TForm2::ShowValue(const qorvi::ValuePlace& place) {
  if (place.field != nullptr) edits_->FocusField(*place.field);
}

void TForm2::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Only showing the window refills it, not the window system re-showing it.
  if (!event->spontaneous()) FormShow();
}

void TForm2::ResetButtonClick() {
  if (!qorvi::widgets::ConfirmBox(this, "Reset All IconData Value")) return;
  session_.ResetFields(qorvi::FieldGroup::IconData, "Icon Data: Reset Value");
  FillIconData();
}
