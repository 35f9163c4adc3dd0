// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/positioning_window.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "widgets/window_frame.h"

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

TForm6::TForm6(qorvi::session::EditSession& session, QWidget* parent) : QWidget(parent), session_(session) {
  setObjectName("Form6");
  qorvi::widgets::SetUpSecondaryWindow(this, "Qorvi Positioning Window", 271, 97, 300, 460);

  Named(new QLabel("select re-positioning item", this), "ItemLabel", {24, 16, 150, 14});
  item_combo_ = Named(new QComboBox(this), "ItemCombo", {32, 32, 217, 22});
  item_combo_->setEditable(false);
  item_combo_->setMaxVisibleItems(20);
  for (const char* item : kItems) item_combo_->addItem(QString::fromUtf8(item));
  item_combo_->setCurrentIndex(0);

  value_scroll_ = Named(new QScrollBar(Qt::Horizontal, this), "ValueScroll", {32, 64, 153, 16});
  value_scroll_->setRange(-10, 10);
  value_scroll_->setSingleStep(1);
  value_scroll_->setPageStep(1);
  value_scroll_->setValue(0);
  // A value bar, not a view's scroll bar: it takes the keyboard focus, and the
  // right arrow key raises the value.
  value_scroll_->setFocusPolicy(Qt::StrongFocus);
  value_scroll_->setInvertedControls(false);
  Named(new QLabel("value :", this), "ValueCaption", {200, 66, 34, 14});
  value_label_ = Named(new QLabel("0", this), "ValueLabel", {236, 66, 30, 14});
  QFont bold = value_label_->font();
  bold.setBold(true);
  value_label_->setFont(bold);
  auto* reset = Named(new QPushButton("Reset Value", this), "ResetButton", {176, 8, 73, 17});

  connect(item_combo_, &QComboBox::currentIndexChanged, this, &TForm6::ItemComboChange);
  connect(value_scroll_, &QScrollBar::valueChanged, this, &TForm6::ValueScrollChange);
  connect(reset, &QPushButton::clicked, this, &TForm6::ResetButtonClick);
}

void TForm6::ItemComboChange() {
  const int index = item_combo_->currentIndex();
  if (index < 0 || index >= qorvi::kRepositionItems) return;
  const int offset = session_.view().RepositionOffset[static_cast<std::size_t>(index)];
  value_label_->setText(QString::number(offset));
  value_scroll_->setValue(offset);  // runs ValueScrollChange when the position moves
}

void TForm6::ValueScrollChange() {
  const int position = value_scroll_->value();
  value_label_->setText(QString::number(position));
  const int index = item_combo_->currentIndex();
  if (index < 0 || index >= qorvi::kRepositionItems) return;
  session_.SetRepositionOffset(index, position);
}

void TForm6::ResetButtonClick() {
  if (!qorvi::widgets::ConfirmBox(this, "Reset All re-positioning Value")) return;
  session_.ResetRepositionOffsets();
  value_scroll_->setValue(0);
  value_label_->setText("0");
}

bool TForm6::PickAndMove(int index, int value) {
  if (index < 0 || index >= item_combo_->count()) return false;
  if (value < value_scroll_->minimum() || value > value_scroll_->maximum()) return false;
  item_combo_->setCurrentIndex(index);
  value_scroll_->setValue(value);
  return true;
}
