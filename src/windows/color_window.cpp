// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/color_window.h"

#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

#include "model/colors.h"
#include "widgets/picture_box.h"
#include "widgets/window_frame.h"

using qorvi::widgets::PictureBox;
using qorvi::widgets::ShiftState;

namespace {

constexpr int kSwatchWidth = 57;
constexpr int kSwatchHeight = 25;
// Table entries of firmware other than 5.00; entries 28 and 29 play no part there.
constexpr int kShortTableEntries = 28;

QColor ToQColor(uint32_t value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

uint32_t SwatchColor(const qorvi::RgbF& c) {
  return qorvi::ColorValue(SwatchByteFromFloat(c.r), SwatchByteFromFloat(c.g), SwatchByteFromFloat(c.b));
}

uint32_t IconColor(const qorvi::Rgb8& c) { return qorvi::ColorValue(c.r, c.g, c.b); }

qorvi::RgbF TableColor(uint32_t value) {
  return {qorvi::FloatFromColorByte(value & 0xFF), qorvi::FloatFromColorByte((value >> 8) & 0xFF),
          qorvi::FloatFromColorByte((value >> 16) & 0xFF)};
}

PictureBox* Swatch(QWidget* parent, const QString& name, int left, int top) {
  auto* image = new PictureBox(parent);
  image->setObjectName(name);
  image->setGeometry(left, top, kSwatchWidth, kSwatchHeight);
  image->SetPicture(QImage(kSwatchWidth, kSwatchHeight, QImage::Format_ARGB32));
  return image;
}

QLabel* Caption(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  return label;
}

}  // namespace

uint8_t SwatchByteFromFloat(float channel) { return qorvi::ColorByteFromFloat(channel); }

TForm3::TForm3(qorvi::session::EditSession& session, QWidget* parent) : QWidget(parent), session_(session) {
  setObjectName("Form3");
  qorvi::widgets::SetUpSecondaryWindow(this, "Qorvi Color Window", 547, 294, 584, 120);

  auto* group = new QGroupBox(this);  // untitled
  group->setObjectName("ColorGroup");
  group->setGeometry(32, 8, 177, 33);
  text_radio_ = new QRadioButton("Text Color", group);
  text_radio_->setObjectName("TextRadio");
  text_radio_->setGeometry(8, 10, 81, 17);
  text_radio_->setChecked(true);
  bg_radio_ = new QRadioButton("BG Color", group);
  bg_radio_->setObjectName("BGRadio");
  bg_radio_->setGeometry(96, 10, 73, 17);

  // Columns of seven swatches, 96 pixels apart; swatches 29 and 30 start a fifth.
  for (int i = 0; i < qorvi::kColorTableEntries; ++i) {
    const int left = 56 + 96 * (i / 7);
    const int top = 64 + 32 * (i % 7);
    const QString number = QString::number(i + 1);
    tcol_images_[i] = Swatch(this, "TcolImage" + number, left, top);
    tcol_labels_[i] = Caption(this, "TcolLabel" + number, number, {left - 32, top + 6, 26, 14});
    tcol_labels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(tcol_images_[i], &PictureBox::mousePressed, this, [this, i](QMouseEvent* event) {
      TcolImageMouseDown(i, event->button(), qorvi::widgets::ShiftStateOf(*event));
    });
  }

  Caption(this, "BatteryLabel", "Battery", {248, 8, 57, 14});
  Caption(this, "ClockLabel", "Clock", {344, 8, 57, 14});
  Caption(this, "BusyLabel", "Busy", {440, 8, 57, 14});
  battery_image_ = Swatch(this, "BatteryImage", 248, 24);
  clock_image_ = Swatch(this, "ClockImage", 344, 24);
  busy_image_ = Swatch(this, "BusyImage", 440, 24);

  auto* reset = new QPushButton("Reset All Color", this);
  reset->setObjectName("ResetButton");
  reset->setGeometry(432, 256, 97, 25);

  connect(text_radio_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) TextRadioClick();
  });
  connect(bg_radio_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) BGRadioClick();
  });
  connect(battery_image_, &PictureBox::mousePressed, this,
          [this](QMouseEvent* event) { BatteryImageMouseDown(event->button(), qorvi::widgets::ShiftStateOf(*event)); });
  connect(clock_image_, &PictureBox::mousePressed, this,
          [this](QMouseEvent* event) { ClockImageMouseDown(event->button(), qorvi::widgets::ShiftStateOf(*event)); });
  connect(busy_image_, &PictureBox::mousePressed, this,
          [this](QMouseEvent* event) { BusyImageMouseDown(event->button(), qorvi::widgets::ShiftStateOf(*event)); });
  connect(reset, &QPushButton::clicked, this, &TForm3::ResetButtonClick);
  // Every colour change, whoever made it (undo included), and every load.
  connect(&session_, &qorvi::session::EditSession::changed, this, [this](const qorvi::session::ChangeEvent& e) {
    if (e.loaded || e.colors.Any()) RefreshColorWindow();
  });

  RefreshColorWindow();
}

bool TForm3::TextSelected() const { return text_radio_->isChecked(); }

// The swatches of the entries the loaded version's tables hold (the short tables
// before a load).
int TForm3::ShownEntries() const {
  return std::clamp(session_.model().Profile.ColorEntryCount, kShortTableEntries, qorvi::kColorTableEntries);
}

void TForm3::RefreshColorWindow() {
  const qorvi::LayoutRecord& layout = session_.model().Layout;
  const int n = ShownEntries();
  for (int i = 0; i < n; ++i) {
    text_swatch_[i] = SwatchColor(layout.TextColor[i]);
    bg_swatch_[i] = SwatchColor(layout.BGColor[i]);
  }
  PaintSwatches();
}

void TForm3::PaintSwatches() {
  const bool all = ShownEntries() == qorvi::kColorTableEntries;
  for (int i = kShortTableEntries; i < qorvi::kColorTableEntries; ++i) {
    tcol_images_[i]->setVisible(all);
    tcol_labels_[i]->setVisible(all);
  }
  const Swatches& swatches = TextSelected() ? text_swatch_ : bg_swatch_;
  for (int i = 0; i < qorvi::kColorTableEntries; ++i) PaintSwatch(tcol_images_[i], swatches[i]);
  const qorvi::LayoutRecord& layout = session_.model().Layout;
  PaintSwatch(battery_image_, IconColor(layout.BatteryColor));
  PaintSwatch(busy_image_, IconColor(layout.BusyColor));
  PaintSwatch(clock_image_, IconColor(layout.ClockColor));
}

void TForm3::PaintSwatch(PictureBox* image, uint32_t color) {
  QImage& canvas = image->Canvas();
  if (canvas.size() != image->size()) canvas = QImage(image->size(), QImage::Format_ARGB32);
  {
    QPainter painter(&canvas);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(ToQColor(color));
    painter.drawRect(0, 0, canvas.width() - 1, canvas.height() - 1);
  }
  image->Changed();
}

bool TForm3::ChooseColor(uint32_t start, uint32_t* chosen) {
  // Qt's own dialog, so that it looks the same everywhere; it always shows its custom
  // colours (kept for the whole run by Qt). Solid colours only. A fresh one each time.
  QColorDialog ColorDialog1(this);
  ColorDialog1.setObjectName("ColorDialog1");
  ColorDialog1.setOptions(QColorDialog::DontUseNativeDialog);
  ColorDialog1.setCurrentColor(ToQColor(start));
  if (ColorDialog1.exec() != QDialog::Accepted) return false;
  const QColor c = ColorDialog1.currentColor();
  *chosen =
      qorvi::ColorValue(static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()), static_cast<uint8_t>(c.blue()));
  return true;
}

bool TForm3::EditSwatchColor(int index) {
  if (index < 0 || index >= qorvi::kColorTableEntries) return false;
  uint32_t chosen = 0;
  if (!ChooseColor((TextSelected() ? text_swatch_ : bg_swatch_)[index], &chosen)) return false;
  // The swatches follow from the session's change event (the byte survives the
  // float and comes back the same).
  session_.SetTableColor(!TextSelected(), index, TableColor(chosen));
  return true;
}

void TForm3::ShowValue(const qorvi::ValuePlace& place) {
  // The icon colours are always in view; an entry shows in its own table.
  if (place.kind == qorvi::ValuePlace::Kind::TextColor) text_radio_->setChecked(true);
  if (place.kind == qorvi::ValuePlace::Kind::BGColor) bg_radio_->setChecked(true);
}

void TForm3::TextRadioClick() { PaintSwatches(); }
void TForm3::BGRadioClick() { PaintSwatches(); }

void TForm3::TcolImageMouseDown(int index, Qt::MouseButton button, ShiftState shift) {
  if (button != Qt::LeftButton || index < 0 || index >= qorvi::kColorTableEntries) return;
  if (qorvi::widgets::IsShiftStateSet(shift, qorvi::widgets::kCtrl)) {
    session_.RestoreTableColor(!TextSelected(), index);
    return;
  }
  // The 60 table colours are not drawn in the preview, so nothing there changes.
  EditSwatchColor(index);
}

void TForm3::IconColorMouseDown(qorvi::Rgb8 qorvi::LayoutRecord::*color, Qt::MouseButton button, ShiftState shift) {
  if (button != Qt::LeftButton) return;
  if (qorvi::widgets::IsShiftStateSet(shift, qorvi::widgets::kCtrl)) {
    session_.RestoreIconColor(color);
    return;
  }
  uint32_t chosen = 0;
  if (!ChooseColor(IconColor(session_.model().Layout.*color), &chosen)) return;
  // The preview re-places its column on the change; its clock takes the new colour
  // at its next UpdateClock.
  session_.SetIconColor(color, {static_cast<uint8_t>(chosen & 0xFF), static_cast<uint8_t>((chosen >> 8) & 0xFF),
                                static_cast<uint8_t>((chosen >> 16) & 0xFF)});
}

void TForm3::BatteryImageMouseDown(Qt::MouseButton button, ShiftState shift) {
  IconColorMouseDown(&qorvi::LayoutRecord::BatteryColor, button, shift);
}
void TForm3::ClockImageMouseDown(Qt::MouseButton button, ShiftState shift) {
  IconColorMouseDown(&qorvi::LayoutRecord::ClockColor, button, shift);
}
void TForm3::BusyImageMouseDown(Qt::MouseButton button, ShiftState shift) {
  IconColorMouseDown(&qorvi::LayoutRecord::BusyColor, button, shift);
}

void TForm3::ResetButtonClick() {
  if (!qorvi::widgets::ConfirmBox(this, "Reset All ColorData")) return;
  // All 30 entries of both tables, whatever the version.
  session_.ResetColors();
  RefreshColorWindow();
}

void TForm3::FormShow() { RefreshColorWindow(); }

void TForm3::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}
