// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/text_data_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "widgets/window_frame.h"
#include "windows/field_edits.h"

namespace {

struct GroupSpec {
  const char* name;
  const char* caption;
  QRect geometry;
};

constexpr GroupSpec kGroups[] = {
    {"MainTextGroup", "Main Menu Text", {16, 8, 124, 73}},
    {"SubTextGroup", "Sub Menu Text", {16, 88, 377, 121}},
    {"Sub2TextGroup", "Sub - Sub Menu Text", {16, 216, 377, 145}},
    {"Sub2SpaceGroup", "Sub - Sub Menu Space Between", {16, 368, 377, 97}},
};

// One edit: the field it edits (which says how its text is read and which Reset
// group it belongs to), its group, where it stands and its label. The preview's
// placement of each field is in the preview's own table.
struct EditSpec {
  const char* name;
  const qorvi::LayoutField* field;
  const char* group;
  int left;
  int top;
  const char* label;
};

using L = qorvi::LayoutRecord;
using qorvi::LayoutFieldOf;
constexpr EditSpec kEdits[] = {
    {"MainMenuTextYEdit", &LayoutFieldOf(&L::MainMenuTextY), "MainTextGroup", 56, 16, "Y"},
    {"MainMenuTextSizeEdit", &LayoutFieldOf(&L::MainMenuTextSize), "MainTextGroup", 56, 40, "Size"},
    {"SubMenuTextXEdit", &LayoutFieldOf(&L::SubMenuTextX), "SubTextGroup", 80, 16, "X : All"},
    {"SubMenuTextX2Edit", &LayoutFieldOf(&L::SubMenuTextX2), "SubTextGroup", 80, 40, "X : Settings"},
    {"SubMenuTextX1SegEdit", &LayoutFieldOf(&L::SubMenuTextX1Seg), "SubTextGroup", 80, 64, "X : 1Seg"},
    {"SubMenuTextX3Edit", &LayoutFieldOf(&L::SubMenuTextX3), "SubTextGroup", 80, 88, "X : other"},
    {"SubMenuMSTextYEdit", &LayoutFieldOf(&L::SubMenuMSTextY), "SubTextGroup", 304, 16, "Y : MS"},
    {"SubMenuUnderMSTextYEdit", &LayoutFieldOf(&L::SubMenuUnderMSTextY), "SubTextGroup", 304, 40, "Y : Under Texline"},
    {"SubMenuTextYEdit", &LayoutFieldOf(&L::SubMenuTextY), "SubTextGroup", 304, 64, "Y : other"},
    {"SubMenuTextSizeEdit", &LayoutFieldOf(&L::SubMenuTextSize), "SubTextGroup", 304, 88, "Size"},
    {"Sub2NetSearchXEdit", &LayoutFieldOf(&L::Sub2NetSearchX), "Sub2TextGroup", 120, 16, "X : Internet Search"},
    {"Sub2NetRadioXEdit", &LayoutFieldOf(&L::Sub2NetRadioX), "Sub2TextGroup", 120, 40, "X : Internet Radio"},
    {"Sub2GameTitleXEdit", &LayoutFieldOf(&L::Sub2GameTitleX), "Sub2TextGroup", 120, 64, "X : Game Title"},
    {"Sub2PhotVideoXEdit", &LayoutFieldOf(&L::Sub2PhotVideoX), "Sub2TextGroup", 120, 88, "X : Photo and Video"},
    {"Sub2RSSFeedsXEdit", &LayoutFieldOf(&L::Sub2RSSFeedsX), "Sub2TextGroup", 120, 112, "X : RSS Feeds"},
    {"Sub2SettingOptXEdit", &LayoutFieldOf(&L::Sub2SettingOptX), "Sub2TextGroup", 304, 16, "X : Settings Option"},
    {"Sub2SettingOptYEdit", &LayoutFieldOf(&L::Sub2SettingOptY), "Sub2TextGroup", 304, 40, "Y : Settings Option"},
    {"OptSize1Edit", &LayoutFieldOf(&L::OptSize1), "Sub2TextGroup", 304, 88, "First Line"},
    {"OptSize2Edit", &LayoutFieldOf(&L::OptSize2), "Sub2TextGroup", 304, 112, "Second Line"},
    {"PhotoSpaceEdit", &LayoutFieldOf(&L::PhotoSpace), "Sub2SpaceGroup", 120, 16, "Photo Icons"},
    {"MusicSpaceEdit", &LayoutFieldOf(&L::MusicSpace), "Sub2SpaceGroup", 120, 40, "Music folders"},
    {"VideoSpaceEdit", &LayoutFieldOf(&L::VideoSpace), "Sub2SpaceGroup", 120, 64, "Video folders"},
    {"GameSpaceEdit", &LayoutFieldOf(&L::GameSpace), "Sub2SpaceGroup", 304, 16, "Game Icon unfocus"},
    {"OptSpaceEdit", &LayoutFieldOf(&L::OptSpace), "Sub2SpaceGroup", 304, 64, "above selected"},
};

// The third-level texts exist only where the version has the extended fields
// (5.00); the shorter window leaves their groups outside.
constexpr const char* kExtendedOnly[] = {"SubMenuUnderMSTextYEdit", "SubMenuUnderMSTextYLabel", "Sub2TextGroup",
                                         "Sub2SpaceGroup"};

}  // namespace

TForm7::TForm7(qorvi::session::EditSession& session, QWidget* parent)
    : QWidget(parent), session_(session), edits_(new qorvi::windows::FieldEdits(session, this)) {
  setObjectName("Form7");
  qorvi::widgets::SetUpSecondaryWindow(this, "Qorvi Text Data Window", 410, 480, 584, 439);
  CreateControls();
  FillTextDataWindow();
  connect(&session_, &qorvi::session::EditSession::changed, this, [this](const qorvi::session::ChangeEvent& e) {
    if (e.loaded) FillTextDataWindow();
  });
}

void TForm7::CreateControls() {
  for (const GroupSpec& g : kGroups) {
    auto* box = new QGroupBox(g.caption, this);
    box->setObjectName(g.name);
    box->setGeometry(g.geometry);
  }
  for (const EditSpec& e : kEdits) {
    auto* group = findChild<QGroupBox*>(e.group);
    auto* edit = new QLineEdit(group);
    edit->setObjectName(e.name);
    edit->setGeometry(e.left, e.top, 57, 20);
    // Labels stand left of their edit: from the group's edge in the left column,
    // from x 196 in the right one.
    const int label_left = e.left == 304 ? 196 : 12;
    auto* label = new QLabel(e.label, group);
    label->setObjectName(QString(e.name).replace("Edit", "Label"));
    label->setGeometry(label_left, e.top + 3, e.left - label_left - 4, 14);
    edits_->Bind(edit, *e.field);
  }
  // Headings over the right-hand pairs of the two third-level groups.
  auto heading = [this](const char* group, const char* name, const char* caption, int top) {
    auto* label = new QLabel(caption, findChild<QGroupBox*>(group));
    label->setObjectName(name);
    label->setGeometry(196, top, 176, 14);
  };
  heading("Sub2TextGroup", "OptSizeHeading", "Size of Option", 70);
  heading("Sub2SpaceGroup", "OptSpaceHeading", "Settings Configurations Options", 46);

  auto* reset = new QPushButton("Reset Value", this);
  reset->setObjectName("ResetButton");
  reset->setGeometry(312, 16, 75, 25);
  connect(reset, &QPushButton::clicked, this, &TForm7::ResetButtonClick);
}

void TForm7::FillTextDataWindow() {
  const qorvi::FirmwareProfile& profile = session_.model().Profile;
  const bool extended = profile.HasExtendedFields;
  setFixedSize(410, extended ? 508 : 250);
  for (const char* name : kExtendedOnly) findChild<QWidget*>(name)->setVisible(extended);
  for (QLineEdit* edit : edits_->Edits()) edits_->Write(edit);
}

void TForm7::FormShow() { FillTextDataWindow(); }

void TForm7::ShowValue(const qorvi::ValuePlace& place) {
  if (place.field != nullptr) edits_->FocusField(*place.field);
}

void TForm7::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm7::ResetButtonClick() {
  if (!qorvi::widgets::ConfirmBox(this, "Reset All TextData Value")) return;
  session_.ResetFields(qorvi::FieldGroup::Text, "Text Data: Reset Value");
  FillTextDataWindow();
}
