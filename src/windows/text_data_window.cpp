#include "windows/text_data_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "app/main_window.h"
#include "model/value_text.h"
#include "windows/window_frame.h"

using qorvi::app::ShiftState;

namespace {

using T = TForm7;

struct GroupSpec {
  QGroupBox* TForm7::*member;
  const char* name;
  const char* caption;
  QRect geometry;
};

constexpr GroupSpec kGroups[] = {
    {&T::MainTextGroup, "MainTextGroup", "Main Menu Text", {16, 8, 124, 73}},
    {&T::SubTextGroup, "SubTextGroup", "Sub Menu Text", {16, 88, 377, 121}},
    {&T::Sub2TextGroup, "Sub2TextGroup", "Sub - Sub Menu Text", {16, 216, 377, 145}},
    {&T::Sub2SpaceGroup, "Sub2SpaceGroup", "Sub - Sub Menu Space Between", {16, 368, 377, 97}},
};

using Placement = TForm7::Placement;
constexpr Placement kNone = Placement::None;
constexpr Placement kMainText = Placement::MainText;
constexpr Placement kSubTexts = Placement::SubTexts;

struct EditSpec {
  QLineEdit* TForm7::*member;
  const char* name;
  const char* field;
  QGroupBox* TForm7::*group;
  int left;
  int top;
  const char* label;
  Placement placement;
  void (TForm7::*change)();
  TForm7::MouseDown mouseDown;
};

// In the order the fill writes them.
constexpr EditSpec kEdits[] = {
    {&T::MainMenuTextYEdit, "MainMenuTextYEdit", "MainMenuTextY", &T::MainTextGroup, 56, 16, "Y", kMainText,
     &T::MainMenuTextYEditChange, &T::MainMenuTextYEditMouseDown},
    {&T::MainMenuTextSizeEdit, "MainMenuTextSizeEdit", "MainMenuTextSize", &T::MainTextGroup, 56, 40, "Size", kNone,
     &T::MainMenuTextSizeEditChange, &T::MainMenuTextSizeEditMouseDown},
    {&T::SubMenuTextXEdit, "SubMenuTextXEdit", "SubMenuTextX", &T::SubTextGroup, 80, 16, "X : All", kSubTexts,
     &T::SubMenuTextXEditChange, &T::SubMenuTextXEditMouseDown},
    {&T::SubMenuTextX2Edit, "SubMenuTextX2Edit", "SubMenuTextX2", &T::SubTextGroup, 80, 40, "X : Settings", kSubTexts,
     &T::SubMenuTextX2EditChange, &T::SubMenuTextX2EditMouseDown},
    {&T::SubMenuTextX1SegEdit, "SubMenuTextX1SegEdit", "SubMenuTextX1Seg", &T::SubTextGroup, 80, 64, "X : 1Seg",
     kSubTexts, &T::SubMenuTextX1SegEditChange, &T::SubMenuTextX1SegEditMouseDown},
    {&T::SubMenuTextX3Edit, "SubMenuTextX3Edit", "SubMenuTextX3", &T::SubTextGroup, 80, 88, "X : other", kSubTexts,
     &T::SubMenuTextX3EditChange, &T::SubMenuTextX3EditMouseDown},
    {&T::SubMenuMSTextYEdit, "SubMenuMSTextYEdit", "SubMenuMSTextY", &T::SubTextGroup, 304, 16, "Y : MS", kSubTexts,
     &T::SubMenuMSTextYEditChange, &T::SubMenuMSTextYEditMouseDown},
    {&T::SubMenuUnderMSTextYEdit, "SubMenuUnderMSTextYEdit", "SubMenuUnderMSTextY", &T::SubTextGroup, 304, 40,
     "Y : Under Texline", kSubTexts, &T::SubMenuUnderMSTextYEditChange, &T::SubMenuUnderMSTextYEditMouseDown},
    {&T::SubMenuTextYEdit, "SubMenuTextYEdit", "SubMenuTextY", &T::SubTextGroup, 304, 64, "Y : other", kSubTexts,
     &T::SubMenuTextYEditChange, &T::SubMenuTextYEditMouseDown},
    {&T::SubMenuTextSizeEdit, "SubMenuTextSizeEdit", "SubMenuTextSize", &T::SubTextGroup, 304, 88, "Size", kNone,
     &T::SubMenuTextSizeEditChange, &T::SubMenuTextSizeEditMouseDown},
    {&T::Sub2NetSearchXEdit, "Sub2NetSearchXEdit", "Sub2NetSearchX", &T::Sub2TextGroup, 120, 16, "X : Internet Search",
     kNone, &T::Sub2NetSearchXEditChange, &T::Sub2NetSearchXEditMouseDown},
    {&T::Sub2NetRadioXEdit, "Sub2NetRadioXEdit", "Sub2NetRadioX", &T::Sub2TextGroup, 120, 40, "X : Internet Radio",
     kNone, &T::Sub2NetRadioXEditChange, &T::Sub2NetRadioXEditMouseDown},
    {&T::Sub2GameTitleXEdit, "Sub2GameTitleXEdit", "Sub2GameTitleX", &T::Sub2TextGroup, 120, 64, "X : Game Title",
     kNone, &T::Sub2GameTitleXEditChange, &T::Sub2GameTitleXEditMouseDown},
    {&T::Sub2PhotVideoXEdit, "Sub2PhotVideoXEdit", "Sub2PhotVideoX", &T::Sub2TextGroup, 120, 88, "X : Photo and Video",
     kNone, &T::Sub2PhotVideoXEditChange, &T::Sub2PhotVideoXEditMouseDown},
    {&T::Sub2RSSFeedsXEdit, "Sub2RSSFeedsXEdit", "Sub2RSSFeedsX", &T::Sub2TextGroup, 120, 112, "X : RSS Feeds", kNone,
     &T::Sub2RSSFeedsXEditChange, &T::Sub2RSSFeedsXEditMouseDown},
    {&T::Sub2SettingOptXEdit, "Sub2SettingOptXEdit", "Sub2SettingOptX", &T::Sub2TextGroup, 304, 16,
     "X : Settings Option", kNone, &T::Sub2SettingOptXEditChange, &T::Sub2SettingOptXEditMouseDown},
    {&T::Sub2SettingOptYEdit, "Sub2SettingOptYEdit", "Sub2SettingOptY", &T::Sub2TextGroup, 304, 40,
     "Y : Settings Option", kNone, &T::Sub2SettingOptYEditChange, &T::Sub2SettingOptYEditMouseDown},
    {&T::OptSize1Edit, "OptSize1Edit", "OptSize1", &T::Sub2TextGroup, 304, 88, "First Line", kNone,
     &T::OptSize1EditChange, &T::OptSize1EditMouseDown},
    {&T::OptSize2Edit, "OptSize2Edit", "OptSize2", &T::Sub2TextGroup, 304, 112, "Second Line", kNone,
     &T::OptSize2EditChange, &T::OptSize2EditMouseDown},
    {&T::PhotoSpaceEdit, "PhotoSpaceEdit", "PhotoSpace", &T::Sub2SpaceGroup, 120, 16, "Photo Icons", kNone,
     &T::PhotoSpaceEditChange, &T::PhotoSpaceEditMouseDown},
    {&T::MusicSpaceEdit, "MusicSpaceEdit", "MusicSpace", &T::Sub2SpaceGroup, 120, 40, "Music folders", kNone,
     &T::MusicSpaceEditChange, &T::MusicSpaceEditMouseDown},
    {&T::VideoSpaceEdit, "VideoSpaceEdit", "VideoSpace", &T::Sub2SpaceGroup, 120, 64, "Video folders", kNone,
     &T::VideoSpaceEditChange, &T::VideoSpaceEditMouseDown},
    {&T::GameSpaceEdit, "GameSpaceEdit", "GameSpace", &T::Sub2SpaceGroup, 304, 16, "Game Icon unfocus", kNone,
     &T::GameSpaceEditChange, &T::GameSpaceEditMouseDown},
    {&T::OptSpaceEdit, "OptSpaceEdit", "OptSpace", &T::Sub2SpaceGroup, 304, 64, "above selected", kNone,
     &T::OptSpaceEditChange, &T::OptSpaceEditMouseDown},
};

}  // namespace

TForm7::TForm7(qorvi::app::Desktop& d)
    : desktop(d), edits_(new qorvi::app::FieldEdits(d.model.Layout, d.model.LoadedLayout, this)) {
  setObjectName("Form7");
  qorvi::app::SetUpSecondaryWindow(this, "Qorvi Text Data Window", 410, 480, 584, 439);
  desktop.forms.Form7 = this;
  CreateControls();
  FillTextDataWindow();
}

void TForm7::CreateControls() {
  for (const GroupSpec& g : kGroups) {
    auto* box = new QGroupBox(g.caption, this);
    box->setObjectName(g.name);
    box->setGeometry(g.geometry);
    this->*g.member = box;
  }
  for (const EditSpec& e : kEdits) {
    QGroupBox* group = this->*e.group;
    auto* edit = new QLineEdit(group);
    edit->setObjectName(e.name);
    edit->setGeometry(e.left, e.top, 57, 20);
    this->*e.member = edit;
    // Labels stand left of their edit: from the group's edge in the left column,
    // from x 196 in the right one.
    const int label_left = e.left == 304 ? 196 : 12;
    auto* label = new QLabel(e.label, group);
    label->setObjectName(QString(e.name).replace("Edit", "Label"));
    label->setGeometry(label_left, e.top + 3, e.left - label_left - 4, 14);
    if (e.member == &T::SubMenuUnderMSTextYEdit) SubMenuUnderMSTextYLabel = label;

    const auto mouseDown = e.mouseDown;
    edits_->Bind(
        edit, e.field, [this, mouseDown](Qt::MouseButton b, ShiftState s) { (this->*mouseDown)(b, s); },
        static_cast<int>(e.placement));
    connect(edit, &QLineEdit::textChanged, this, e.change);
  }
  // Headings over the right-hand pairs of the two third-level groups.
  auto heading = [](QGroupBox* group, const char* name, const char* caption, int top) {
    auto* label = new QLabel(caption, group);
    label->setObjectName(name);
    label->setGeometry(196, top, 176, 14);
  };
  heading(Sub2TextGroup, "OptSizeHeading", "Size of Option", 70);
  heading(Sub2SpaceGroup, "OptSpaceHeading", "Settings Configurations Options", 46);

  ResetButton = new QPushButton("Reset Value", this);
  ResetButton->setObjectName("ResetButton");
  ResetButton->setGeometry(312, 16, 75, 25);
  connect(ResetButton, &QPushButton::clicked, this, &TForm7::ResetButtonClick);
}

void TForm7::Write(QLineEdit* edit) { edits_->Write(edit); }

void TForm7::FillTextDataWindow() {
  // The third-level texts exist only in 5.00; the shorter window leaves their
  // groups outside.
  const bool is500 = desktop.model.FirmwareVersion == 500;
  setFixedSize(410, is500 ? 508 : 250);
  for (QWidget* w : std::initializer_list<QWidget*>{SubMenuUnderMSTextYEdit, SubMenuUnderMSTextYLabel, Sub2TextGroup,
                                                    Sub2SpaceGroup}) {
    w->setVisible(is500);
  }
  for (QLineEdit* edit : edits_->Edits()) Write(edit);
}

void TForm7::FormShow() { FillTextDataWindow(); }

void TForm7::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm7::StoreAndPlace(const QLineEdit* edit) {
  edits_->Store(edit);
  TForm1* main = desktop.forms.Form1;
  if (main == nullptr) return;
  const auto placement = static_cast<Placement>(edits_->TagOf(edit));
  if (placement == Placement::MainText) main->PlaceMainMenuText();
  if (placement == Placement::SubTexts) main->PlaceSubMenuTexts();
}

void TForm7::MainMenuTextYEditChange() { StoreAndPlace(MainMenuTextYEdit); }
void TForm7::MainMenuTextSizeEditChange() { StoreAndPlace(MainMenuTextSizeEdit); }
void TForm7::SubMenuTextXEditChange() { StoreAndPlace(SubMenuTextXEdit); }
void TForm7::SubMenuTextX2EditChange() { StoreAndPlace(SubMenuTextX2Edit); }
void TForm7::SubMenuTextX1SegEditChange() { StoreAndPlace(SubMenuTextX1SegEdit); }
void TForm7::SubMenuTextX3EditChange() { StoreAndPlace(SubMenuTextX3Edit); }
void TForm7::SubMenuMSTextYEditChange() { StoreAndPlace(SubMenuMSTextYEdit); }
void TForm7::SubMenuUnderMSTextYEditChange() { StoreAndPlace(SubMenuUnderMSTextYEdit); }
void TForm7::SubMenuTextYEditChange() { StoreAndPlace(SubMenuTextYEdit); }
void TForm7::SubMenuTextSizeEditChange() { StoreAndPlace(SubMenuTextSizeEdit); }
void TForm7::Sub2NetSearchXEditChange() { StoreAndPlace(Sub2NetSearchXEdit); }
void TForm7::Sub2NetRadioXEditChange() { StoreAndPlace(Sub2NetRadioXEdit); }
void TForm7::Sub2GameTitleXEditChange() { StoreAndPlace(Sub2GameTitleXEdit); }
void TForm7::Sub2PhotVideoXEditChange() { StoreAndPlace(Sub2PhotVideoXEdit); }
void TForm7::Sub2RSSFeedsXEditChange() { StoreAndPlace(Sub2RSSFeedsXEdit); }
void TForm7::Sub2SettingOptXEditChange() { StoreAndPlace(Sub2SettingOptXEdit); }
void TForm7::Sub2SettingOptYEditChange() { StoreAndPlace(Sub2SettingOptYEdit); }
void TForm7::OptSize1EditChange() { StoreAndPlace(OptSize1Edit); }
void TForm7::OptSize2EditChange() { StoreAndPlace(OptSize2Edit); }
void TForm7::PhotoSpaceEditChange() { StoreAndPlace(PhotoSpaceEdit); }
void TForm7::MusicSpaceEditChange() { StoreAndPlace(MusicSpaceEdit); }
void TForm7::VideoSpaceEditChange() { StoreAndPlace(VideoSpaceEdit); }
void TForm7::GameSpaceEditChange() { StoreAndPlace(GameSpaceEdit); }
void TForm7::OptSpaceEditChange() { StoreAndPlace(OptSpaceEdit); }

void TForm7::RestoreOnCtrlClick(QLineEdit* edit, Qt::MouseButton button, ShiftState shift) {
  if (!edits_->RestoreOnCtrlClick(edit, button, shift)) return;
  // The fields of the first two groups also put the main text back in place (the
  // sub text fields re-placed the sub texts through their change handler).
  const QObject* group = edit->parent();
  TForm1* main = desktop.forms.Form1;
  if (main != nullptr && (group == MainTextGroup || group == SubTextGroup)) main->PlaceMainMenuText();
}

void TForm7::MainMenuTextYEditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(MainMenuTextYEdit, b, s);
}
void TForm7::MainMenuTextSizeEditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(MainMenuTextSizeEdit, b, s);
}
void TForm7::SubMenuTextXEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(SubMenuTextXEdit, b, s); }
void TForm7::SubMenuTextX2EditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(SubMenuTextX2Edit, b, s);
}
void TForm7::SubMenuTextX1SegEditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(SubMenuTextX1SegEdit, b, s);
}
void TForm7::SubMenuTextX3EditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(SubMenuTextX3Edit, b, s);
}
void TForm7::SubMenuMSTextYEditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(SubMenuMSTextYEdit, b, s);
}
void TForm7::SubMenuUnderMSTextYEditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(SubMenuUnderMSTextYEdit, b, s);
}
void TForm7::SubMenuTextYEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(SubMenuTextYEdit, b, s); }
void TForm7::SubMenuTextSizeEditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(SubMenuTextSizeEdit, b, s);
}
void TForm7::Sub2NetSearchXEditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(Sub2NetSearchXEdit, b, s);
}
void TForm7::Sub2NetRadioXEditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(Sub2NetRadioXEdit, b, s);
}
void TForm7::Sub2GameTitleXEditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(Sub2GameTitleXEdit, b, s);
}
void TForm7::Sub2PhotVideoXEditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(Sub2PhotVideoXEdit, b, s);
}
void TForm7::Sub2RSSFeedsXEditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(Sub2RSSFeedsXEdit, b, s);
}
void TForm7::Sub2SettingOptXEditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(Sub2SettingOptXEdit, b, s);
}
void TForm7::Sub2SettingOptYEditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(Sub2SettingOptYEdit, b, s);
}
void TForm7::OptSize1EditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(OptSize1Edit, b, s); }
void TForm7::OptSize2EditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(OptSize2Edit, b, s); }
void TForm7::PhotoSpaceEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(PhotoSpaceEdit, b, s); }
void TForm7::MusicSpaceEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(MusicSpaceEdit, b, s); }
void TForm7::VideoSpaceEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(VideoSpaceEdit, b, s); }
void TForm7::GameSpaceEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(GameSpaceEdit, b, s); }
void TForm7::OptSpaceEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(OptSpaceEdit, b, s); }

void TForm7::ResetButtonClick() {
  if (!qorvi::app::ConfirmBox(this, "Reset All TextData Value")) return;
  for (const qorvi::LayoutField& field : qorvi::LayoutFields()) {
    if (field.group == qorvi::FieldGroup::Text)
      qorvi::CopyLayoutField(desktop.model.Layout, desktop.model.LoadedLayout, field);
  }
  FillTextDataWindow();
}
