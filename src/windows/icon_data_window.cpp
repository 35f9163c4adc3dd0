#include "windows/icon_data_window.h"

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

struct GroupSpec {
  QGroupBox* TForm2::*member;
  const char* name;
  const char* caption;
  QRect geometry;
};

constexpr GroupSpec kGroups[] = {
    {&TForm2::MainIconGroup, "MainIconGroup", "MainIcon", {13, 16, 121, 81}},
    {&TForm2::UnfIconGroup, "UnfIconGroup", "Unforcused MainIcon", {13, 112, 121, 145}},
    {&TForm2::WaveSpeedGroup, "WaveSpeedGroup", "XMB Wave Speed", {13, 272, 121, 49}},
    {&TForm2::Bmp01_12Group, "Bmp01_12Group", "01-12 bmp file", {13, 336, 121, 49}},
    {&TForm2::SubIconGroup, "SubIconGroup", "SubIcon", {149, 16, 121, 177}},
    {&TForm2::ClockGroup, "ClockGroup", "Clock", {149, 208, 121, 81}},
    {&TForm2::BatteryGroup, "BatteryGroup", "Battery", {149, 304, 121, 81}},
    {&TForm2::BusyGroup, "BusyGroup", "Busy Icon", {285, 16, 121, 113}},
    {&TForm2::IconSpeedGroup, "IconSpeedGroup", "Icon Speed", {285, 144, 121, 137}},
};

// One edit: where it stands, the field it edits, its handlers. The form text is
// what the edit holds before the first fill replaces it.
struct EditSpec {
  QLineEdit* TForm2::*member;
  const char* name;
  const char* field;
  QGroupBox* TForm2::*group;
  int top;
  const char* label;             // caption of the label beside it; nullptr for none
  QLabel* TForm2::*labelMember;  // the label's member, when it has one
  const char* labelName;
  void (TForm2::*change)();
  TForm2::MouseDown mouseDown;
  const char* formText;
};

using T = TForm2;
constexpr EditSpec kEdits[] = {
    {&T::MainIconXEdit, "MainIconXEdit", "MainIconX", &T::MainIconGroup, 16, "X", nullptr, "MainIconXLabel",
     &T::MainIconXEditChange, &T::MainIconXEditMouseDown, "-130"},
    {&T::MainIconYEdit, "MainIconYEdit", "MainIconY", &T::MainIconGroup, 48, "Y", nullptr, "MainIconYLabel",
     &T::MainIconYEditChange, &T::MainIconYEditMouseDown, "66"},
    {&T::MainIconSpace1Edit, "MainIconSpace1Edit", "MainIconSpace1", &T::UnfIconGroup, 16, "Space1", nullptr,
     "MainIconSpace1Label", &T::MainIconSpace1EditChange, &T::MainIconSpace1EditMouseDown, "5"},
    {&T::MainIconSpace2Edit, "MainIconSpace2Edit", "MainIconSpace2", &T::UnfIconGroup, 48, "Space2", nullptr,
     "MainIconSpace2Label", &T::MainIconSpace2EditChange, &T::MainIconSpace2EditMouseDown, "80"},
    {&T::UnfIconYEdit, "UnfIconYEdit", "UnfIconY", &T::UnfIconGroup, 80, "Y", nullptr, "UnfIconYLabel",
     &T::UnfIconYEditChange, &T::UnfIconYEditMouseDown, "63"},
    {&T::UnfIconSizeEdit, "UnfIconSizeEdit", "UnfIconSize", &T::UnfIconGroup, 112, "Size", nullptr, "UnfIconSizeLabel",
     &T::UnfIconSizeEditChange, &T::UnfIconSizeEditMouseDown, "0.78"},
    {&T::SubIconSizeEdit, "SubIconSizeEdit", "SubIconSize", &T::SubIconGroup, 16, "Size", nullptr, "SubIconSizeLabel",
     &T::SubIconSizeEditChange, &T::SubIconSizeEditMouseDown, "1"},
    {&T::SubIconUpperSpace1Edit, "SubIconUpperSpace1Edit", "SubIconUpperSpace1", &T::SubIconGroup, 58, "Settings",
     nullptr, "UpperSpace1Label", &T::SubIconUpperSpace1EditChange, &T::SubIconUpperSpace1EditMouseDown, "60"},
    {&T::SubIconUpperSpace2Edit, "SubIconUpperSpace2Edit", "SubIconUpperSpace2", &T::SubIconGroup, 82, "other",
     &T::UpperSpace500Label, "UpperSpace500Label", &T::SubIconUpperSpace2EditChange,
     &T::SubIconUpperSpace2EditMouseDown, "60"},
    {&T::SubIconLowerSpace1Edit, "SubIconLowerSpace1Edit", "SubIconLowerSpace1", &T::SubIconGroup, 122, "Settings",
     nullptr, "LowerSpace1Label", &T::SubIconLowerSpace1EditChange, &T::SubIconLowerSpace1EditMouseDown, "65"},
    {&T::SubIconLowerSpace2Edit, "SubIconLowerSpace2Edit", "SubIconLowerSpace2", &T::SubIconGroup, 146, "other",
     &T::LowerSpace500Label, "LowerSpace500Label", &T::SubIconLowerSpace2EditChange,
     &T::SubIconLowerSpace2EditMouseDown, "65"},
    {&T::WaveSpeedEdit, "WaveSpeedEdit", "WaveSpeed", &T::WaveSpeedGroup, 16, nullptr, nullptr, nullptr,
     &T::WaveSpeedEditChange, &T::WaveSpeedEditMouseDown, "10"},
    {&T::IconSpeedXEdit1, "IconSpeedXEdit1", "IconSpeedX1", &T::IconSpeedGroup, 16, "X", &T::IconSpeedXLabel1,
     "IconSpeedXLabel1", &T::IconSpeedXEdit1Change, &T::IconSpeedXEdit1MouseDown, "200"},
    {&T::IconSpeedXEdit2, "IconSpeedXEdit2", "IconSpeedX2", &T::IconSpeedGroup, 48, "→key", &T::IconSpeedXLabel2,
     "IconSpeedXLabel2", &T::IconSpeedXEdit2Change, &T::IconSpeedXEdit2MouseDown, "200"},
    {&T::IconSpeedYEdit1, "IconSpeedYEdit1", "IconSpeedY1", &T::IconSpeedGroup, 80, "Y", &T::IconSpeedYLabel1,
     "IconSpeedYLabel1", &T::IconSpeedYEdit1Change, &T::IconSpeedYEdit1MouseDown, "200"},
    {&T::IconSpeedYEdit2, "IconSpeedYEdit2", "IconSpeedY2", &T::IconSpeedGroup, 112, "↓key", &T::IconSpeedYLabel2,
     "IconSpeedYLabel2", &T::IconSpeedYEdit2Change, &T::IconSpeedYEdit2MouseDown, "200"},
    {&T::ClockXEdit, "ClockXEdit", "ClockX", &T::ClockGroup, 16, "X", nullptr, "ClockXLabel", &T::ClockXEditChange,
     &T::ClockXEditMouseDown, "203"},
    {&T::ClockYEdit, "ClockYEdit", "ClockY", &T::ClockGroup, 48, "Y", nullptr, "ClockYLabel", &T::ClockYEditChange,
     &T::ClockYEditMouseDown, "123"},
    {&T::BatteryXEdit, "BatteryXEdit", "BatteryX", &T::BatteryGroup, 16, "X", nullptr, "BatteryXLabel",
     &T::BatteryXEditChange, &T::BatteryXEditMouseDown, "223"},
    {&T::BatteryYEdit, "BatteryYEdit", "BatteryY", &T::BatteryGroup, 48, "Y", nullptr, "BatteryYLabel",
     &T::BatteryYEditChange, &T::BatteryYEditMouseDown, "124"},
    {&T::BusyXEdit, "BusyXEdit", "BusyX", &T::BusyGroup, 16, "X", nullptr, "BusyXLabel", &T::BusyXEditChange,
     &T::BusyXEditMouseDown, "226"},
    {&T::BusyYEdit, "BusyYEdit", "BusyY", &T::BusyGroup, 48, "Y", nullptr, "BusyYLabel", &T::BusyYEditChange,
     &T::BusyYEditMouseDown, "-122"},
    {&T::BusySpeedEdit, "BusySpeedEdit", "BusySpeed", &T::BusyGroup, 80, "Speed", nullptr, "BusySpeedLabel",
     &T::BusySpeedEditChange, &T::BusySpeedEditMouseDown, "66.6666666"},
    {&T::Bmp01_12sizeEdit, "Bmp01_12sizeEdit", "Bmp01_12size", &T::Bmp01_12Group, 16, "Size", nullptr,
     "Bmp01_12sizeLabel", &T::Bmp01_12sizeEditChange, &T::Bmp01_12sizeEditMouseDown, "6176"},
};

}  // namespace

TForm2::TForm2(qorvi::app::Desktop& d)
    : desktop(d), edits_(new qorvi::app::FieldEdits(d.model.Layout, d.model.LoadedLayout, this)) {
  setObjectName("Form2");
  qorvi::app::SetUpSecondaryWindow(this, "Qorvi Icon Data Window", 421, 402, 584, 16);
  desktop.forms.Form2 = this;
  CreateControls();
  FillIconData();
}

void TForm2::CreateControls() {
  for (const GroupSpec& g : kGroups) {
    auto* box = new QGroupBox(g.caption, this);
    box->setObjectName(g.name);
    box->setGeometry(g.geometry);
    this->*g.member = box;
  }
  // The sub icon spacings come in pairs under two headings.
  auto heading = [&](const char* name, const char* caption, int top) {
    auto* label = new QLabel(caption, SubIconGroup);
    label->setObjectName(name);
    label->setGeometry(12, top, 100, 14);
  };
  heading("UpperSpaceHeading", "AbobeSpace", 42);
  heading("LowerSpaceHeading", "LowerSpace", 106);

  for (const EditSpec& e : kEdits) {
    QGroupBox* group = this->*e.group;
    auto* edit = new QLineEdit(e.formText, group);
    edit->setObjectName(e.name);
    edit->setGeometry(56, e.top, 57, 20);
    this->*e.member = edit;
    if (e.label != nullptr) {
      auto* label = new QLabel(QString::fromUtf8(e.label), group);
      label->setObjectName(e.labelName);
      label->setGeometry(12, e.top + 3, 44, 14);
      if (e.labelMember != nullptr) this->*e.labelMember = label;
    }
    const auto mouseDown = e.mouseDown;
    edits_->Bind(edit, e.field, [this, mouseDown](Qt::MouseButton b, ShiftState s) { (this->*mouseDown)(b, s); });
    connect(edit, &QLineEdit::textChanged, this, e.change);
  }
  Bmp01_12sizeEdit->setToolTip(QString::fromUtf8("～32767"));

  ResetButton = new QPushButton("Reset Value", this);
  ResetButton->setObjectName("ResetButton");
  ResetButton->setGeometry(288, 360, 121, 25);
  connect(ResetButton, &QPushButton::clicked, this, &TForm2::ResetButtonClick);
}

void TForm2::Store(const QLineEdit* edit) { edits_->Store(edit); }

void TForm2::Write(QLineEdit* edit) { edits_->Write(edit); }

void TForm2::FillIconData() {
  for (QLineEdit* e : {MainIconXEdit, MainIconYEdit, MainIconSpace1Edit, MainIconSpace2Edit, UnfIconSizeEdit,
                       UnfIconYEdit, SubIconSizeEdit, SubIconLowerSpace1Edit, SubIconUpperSpace1Edit}) {
    Write(e);
  }
  // 5.00 keeps separate sub icon spacings for the categories after the first and
  // a speed per direction key; the older firmware has one of each.
  QWidget* only500[] = {UpperSpace500Label, LowerSpace500Label, SubIconLowerSpace2Edit, SubIconUpperSpace2Edit,
                        IconSpeedXLabel2,   IconSpeedYLabel2,   IconSpeedXEdit2,        IconSpeedYEdit2};
  if (desktop.model.FirmwareVersion == 500) {
    for (QWidget* w : only500) w->show();
    IconSpeedXLabel1->setText(QString::fromUtf8("←key"));
    IconSpeedYLabel1->setText(QString::fromUtf8("↑key"));
    for (QLineEdit* e : {SubIconLowerSpace2Edit, SubIconUpperSpace2Edit, IconSpeedXEdit2, IconSpeedYEdit2}) Write(e);
    // The upper spacing of the other categories is fixed in 5.00: shown, not edited.
    SubIconUpperSpace2Edit->setEnabled(false);
  } else {
    SubIconUpperSpace2Edit->setEnabled(true);
    for (QWidget* w : only500) w->hide();
    IconSpeedXLabel1->setText("X");
    IconSpeedYLabel1->setText("Y");
  }
  for (QLineEdit* e : {IconSpeedXEdit1, IconSpeedYEdit1, WaveSpeedEdit, ClockXEdit, ClockYEdit, BatteryXEdit,
                       BatteryYEdit, BusyXEdit, BusyYEdit, BusySpeedEdit, Bmp01_12sizeEdit}) {
    Write(e);
  }
}

void TForm2::FormShow() { FillIconData(); }

void TForm2::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Only showing the window refills it, not the window system re-showing it.
  if (!event->spontaneous()) FormShow();
}

// --- Change handlers: store, then re-place what the value governs.

namespace {
TForm1* MainOf(qorvi::app::Desktop& d) { return d.forms.Form1; }
}  // namespace

void TForm2::MainIconXEditChange() {
  Store(MainIconXEdit);
  if (TForm1* f = MainOf(desktop)) f->PlaceMainIcons(desktop.view.CurrentCategory);
}
void TForm2::MainIconYEditChange() {
  Store(MainIconYEdit);
  if (TForm1* f = MainOf(desktop)) f->PlaceMainIcons(desktop.view.CurrentCategory);
}
void TForm2::MainIconSpace1EditChange() {
  Store(MainIconSpace1Edit);
  if (TForm1* f = MainOf(desktop)) f->PlaceMainIcons(-1);
}
void TForm2::MainIconSpace2EditChange() {
  Store(MainIconSpace2Edit);
  if (TForm1* f = MainOf(desktop)) f->PlaceMainIcons(-1);
}
void TForm2::UnfIconYEditChange() {
  Store(UnfIconYEdit);
  if (TForm1* f = MainOf(desktop)) f->PlaceMainIcons(-1);
}
void TForm2::UnfIconSizeEditChange() {
  Store(UnfIconSizeEdit);
  if (TForm1* f = MainOf(desktop)) {
    f->LoadMainIconImages();
    f->PlaceMainIcons(-1);
  }
}
void TForm2::SubIconSizeEditChange() {
  Store(SubIconSizeEdit);
  if (TForm1* f = MainOf(desktop)) {
    f->LoadSubIconImages();
    f->PlaceSubIcons();
  }
}
void TForm2::SubIconUpperSpace1EditChange() {
  Store(SubIconUpperSpace1Edit);
  if (TForm1* f = MainOf(desktop)) f->PlaceSubIcons();
}
void TForm2::SubIconUpperSpace2EditChange() {
  Store(SubIconUpperSpace2Edit);
  if (TForm1* f = MainOf(desktop)) f->PlaceSubIcons();
}
void TForm2::SubIconLowerSpace1EditChange() {
  Store(SubIconLowerSpace1Edit);
  if (TForm1* f = MainOf(desktop)) f->PlaceSubIcons();
}
void TForm2::SubIconLowerSpace2EditChange() {
  Store(SubIconLowerSpace2Edit);
  if (TForm1* f = MainOf(desktop)) f->PlaceSubIcons();
}
// Speeds are not drawn in the preview: stored only.
void TForm2::WaveSpeedEditChange() { Store(WaveSpeedEdit); }
void TForm2::IconSpeedXEdit1Change() { Store(IconSpeedXEdit1); }
void TForm2::IconSpeedXEdit2Change() { Store(IconSpeedXEdit2); }
void TForm2::IconSpeedYEdit1Change() { Store(IconSpeedYEdit1); }
void TForm2::IconSpeedYEdit2Change() { Store(IconSpeedYEdit2); }
void TForm2::BusySpeedEditChange() { Store(BusySpeedEdit); }
void TForm2::ClockXEditChange() {
  Store(ClockXEdit);
  if (TForm1* f = MainOf(desktop)) f->UpdateClock();
}
void TForm2::ClockYEditChange() {
  Store(ClockYEdit);
  if (TForm1* f = MainOf(desktop)) f->UpdateClock();
}
void TForm2::BatteryXEditChange() {
  Store(BatteryXEdit);
  if (TForm1* f = MainOf(desktop)) f->PlaceBatteryIcon();
}
void TForm2::BatteryYEditChange() {
  Store(BatteryYEdit);
  if (TForm1* f = MainOf(desktop)) f->PlaceBatteryIcon();
}
void TForm2::BusyXEditChange() {
  Store(BusyXEdit);
  if (TForm1* f = MainOf(desktop)) f->PlaceBusyIcon();
}
void TForm2::BusyYEditChange() {
  Store(BusyYEdit);
  if (TForm1* f = MainOf(desktop)) f->PlaceBusyIcon();
}

void TForm2::Bmp01_12sizeEditChange() {
  // The firmware keeps this size in 16 bits. Anything from 32768 up, read as
  // unsigned (so every negative number too), becomes 32767 and the edit says so;
  // that write runs this handler once more and stores 32767 again.
  const std::string text = Bmp01_12sizeEdit->text().toStdString();
  const auto raw = static_cast<uint32_t>(qorvi::ParseIntegerText(text));
  desktop.model.Layout.Bmp01_12size = qorvi::ParseClampedSizeText(text);
  if (raw >= 32768u) Bmp01_12sizeEdit->setText("32767");
}

// --- Ctrl+left press: restore one value from the last load.

void TForm2::RestoreOnCtrlClick(QLineEdit* edit, Qt::MouseButton button, ShiftState shift) {
  if (!edits_->RestoreOnCtrlClick(edit, button, shift)) return;
  if (TForm1* f = MainOf(desktop)) f->PlaceMainMenuText();
}

void TForm2::MainIconXEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(MainIconXEdit, b, s); }
void TForm2::MainIconYEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(MainIconYEdit, b, s); }
void TForm2::MainIconSpace1EditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(MainIconSpace1Edit, b, s);
}
void TForm2::MainIconSpace2EditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(MainIconSpace2Edit, b, s);
}
void TForm2::UnfIconYEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(UnfIconYEdit, b, s); }
void TForm2::UnfIconSizeEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(UnfIconSizeEdit, b, s); }
void TForm2::SubIconSizeEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(SubIconSizeEdit, b, s); }
void TForm2::SubIconUpperSpace1EditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(SubIconUpperSpace1Edit, b, s);
}
void TForm2::SubIconUpperSpace2EditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(SubIconUpperSpace2Edit, b, s);
}
void TForm2::SubIconLowerSpace1EditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(SubIconLowerSpace1Edit, b, s);
}
void TForm2::SubIconLowerSpace2EditMouseDown(Qt::MouseButton b, ShiftState s) {
  RestoreOnCtrlClick(SubIconLowerSpace2Edit, b, s);
}
void TForm2::WaveSpeedEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(WaveSpeedEdit, b, s); }
void TForm2::IconSpeedXEdit1MouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(IconSpeedXEdit1, b, s); }
void TForm2::IconSpeedXEdit2MouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(IconSpeedXEdit2, b, s); }
void TForm2::IconSpeedYEdit1MouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(IconSpeedYEdit1, b, s); }
void TForm2::IconSpeedYEdit2MouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(IconSpeedYEdit2, b, s); }
void TForm2::ClockXEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(ClockXEdit, b, s); }
void TForm2::ClockYEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(ClockYEdit, b, s); }
void TForm2::BatteryXEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(BatteryXEdit, b, s); }
void TForm2::BatteryYEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(BatteryYEdit, b, s); }
void TForm2::BusyXEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(BusyXEdit, b, s); }
void TForm2::BusyYEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(BusyYEdit, b, s); }
void TForm2::BusySpeedEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(BusySpeedEdit, b, s); }
void TForm2::Bmp01_12sizeEditMouseDown(Qt::MouseButton b, ShiftState s) { RestoreOnCtrlClick(Bmp01_12sizeEdit, b, s); }

void TForm2::ResetButtonClick() {
  if (!qorvi::app::ConfirmBox(this, "Reset All IconData Value")) return;
  for (const qorvi::LayoutField& field : qorvi::LayoutFields()) {
    if (field.group == qorvi::FieldGroup::IconData)
      qorvi::CopyLayoutField(desktop.model.Layout, desktop.model.LoadedLayout, field);
  }
  FillIconData();
}
