#include "windows/positioning_window.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "app/main_window.h"
#include "windows/window_frame.h"

namespace {

// The items by offset index; the texts are the ones users know, spelling and all.
constexpr const char* kItems[qorvi::kRepositionItems] = {
    "Main Icon X position",
    "Main Icon Y position",
    "Upper Sub Icon Y position",
    "Lower Sub Icon Y position",
    "Unforcused Icon Y position",
    "Focused～Unforcused Icon Space",
    "Unforcused～Unfforcused Icon Space",
    "Clock X position",
    "Clock Y position",
    "Battery X position",
    "Battery Y position",
    "Busy X position",
    "Busy Y position",
    "Mainmenutext X position",
    "Mainmenutext Y position",
    "Mainmenutext Size",
    "Submenutext X position",
    "Submenutext Y position",
    "Submenutext Size",
};

template <typename W>
W* Named(W* widget, const char* name, QRect geometry) {
  widget->setObjectName(name);
  widget->setGeometry(geometry);
  return widget;
}

}  // namespace

TForm6::TForm6(qorvi::app::Desktop& d) : desktop(d) {
  setObjectName("Form6");
  qorvi::app::SetUpSecondaryWindow(this, "Qorvi Positioning Window", 271, 97, 300, 460);
  desktop.forms.Form6 = this;

  ItemLabel = Named(new QLabel("select re-positioning item", this), "ItemLabel", {24, 16, 150, 14});
  ItemCombo = Named(new QComboBox(this), "ItemCombo", {32, 32, 217, 22});
  ItemCombo->setEditable(false);
  ItemCombo->setMaxVisibleItems(20);
  for (const char* item : kItems) ItemCombo->addItem(QString::fromUtf8(item));
  ItemCombo->setCurrentIndex(0);

  ValueScroll = Named(new QScrollBar(Qt::Horizontal, this), "ValueScroll", {32, 64, 153, 16});
  ValueScroll->setRange(-10, 10);
  ValueScroll->setSingleStep(1);
  ValueScroll->setPageStep(1);
  ValueScroll->setValue(0);
  // A value bar, not a view's scroll bar: it takes the keyboard focus, and the
  // right arrow key raises the value.
  ValueScroll->setFocusPolicy(Qt::StrongFocus);
  ValueScroll->setInvertedControls(false);
  ValueCaption = Named(new QLabel("value :", this), "ValueCaption", {200, 66, 34, 14});
  ValueLabel = Named(new QLabel("0", this), "ValueLabel", {236, 66, 30, 14});
  QFont bold = ValueLabel->font();
  bold.setBold(true);
  ValueLabel->setFont(bold);
  ResetButton = Named(new QPushButton("Reset Value", this), "ResetButton", {176, 8, 73, 17});

  connect(ItemCombo, &QComboBox::currentIndexChanged, this, &TForm6::ItemComboChange);
  connect(ValueScroll, &QScrollBar::valueChanged, this, &TForm6::ValueScrollChange);
  connect(ResetButton, &QPushButton::clicked, this, &TForm6::ResetButtonClick);
}

void TForm6::ItemComboChange() {
  const int index = ItemCombo->currentIndex();
  if (index < 0 || index >= qorvi::kRepositionItems) return;
  const int offset = desktop.view.RepositionOffset[index];
  ValueLabel->setText(QString::number(offset));
  ValueScroll->setValue(offset);  // runs ValueScrollChange when the position moves
}

void TForm6::ValueScrollChange() {
  const int position = ValueScroll->value();
  ValueLabel->setText(QString::number(position));
  const int index = ItemCombo->currentIndex();
  if (index < 0 || index >= qorvi::kRepositionItems) return;
  desktop.view.RepositionOffset[index] = static_cast<int8_t>(position);
  RefreshRepositionedItem(index);
}

void TForm6::RefreshRepositionedItem(int index) {
  TForm1* f = desktop.forms.Form1;
  if (f == nullptr) return;
  using namespace qorvi;
  switch (index) {
    case kMainIconX:
    case kMainIconY:
    case kUnfocusedIconY:
    case kFocusedToUnfocusedSpace:
    case kUnfocusedToUnfocusedSpace: f->PlaceMainIcons(desktop.view.CurrentCategory); break;
    case kUpperSubIconY:
    case kLowerSubIconY: f->PlaceSubIcons(); break;
    case kClockX:
    case kClockY: f->UpdateClock(); break;
    case kBatteryX:
    case kBatteryY: f->PlaceBatteryIcon(); break;
    case kBusyX:
    case kBusyY: f->PlaceBusyIcon(); break;
    case kMainTextX:
    case kMainTextY:
    case kMainTextSize: f->PlaceMainMenuText(); break;
    case kSubTextX:
    case kSubTextY:
    case kSubTextSize: f->PlaceSubMenuTexts(); break;
    default: break;
  }
}

void TForm6::ResetButtonClick() {
  if (!qorvi::app::ConfirmBox(this, "Reset All re-positioning Value")) return;
  desktop.view.RepositionOffset.fill(0);
  ValueScroll->setValue(0);
  // A value bar, not a view's scroll bar: it takes the keyboard focus, and the
  // right arrow key raises the value.
  ValueScroll->setFocusPolicy(Qt::StrongFocus);
  ValueScroll->setInvertedControls(false);
  ValueLabel->setText("0");
  TForm1* f = desktop.forms.Form1;
  if (f == nullptr) return;
  f->PlaceMainIcons(desktop.view.CurrentCategory);
  f->PlaceSubIcons();
  f->PlaceBusyIcon();
  f->PlaceMainMenuText();
  f->PlaceSubMenuTexts();
  f->PlaceBatteryIcon();
  f->UpdateClock();
}
