#include "windows/color_window.h"

#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "app/main_window.h"
#include "app/picture_box.h"
#include "model/colors.h"
#include "windows/window_frame.h"

using qorvi::app::PictureBox;
using qorvi::app::ShiftState;

namespace {

constexpr int kSwatchWidth = 57;
constexpr int kSwatchHeight = 25;
// Table entries of firmware other than 5.00; entries 28 and 29 play no part there.
constexpr int kShortTableEntries = 28;
constexpr int kVersion500 = 500;

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

TForm3::TForm3(qorvi::app::Desktop& d) : desktop(d) {
  setObjectName("Form3");
  qorvi::app::SetUpSecondaryWindow(this, "Qorvi Color Window", 547, 294, 584, 120);
  desktop.forms.Form3 = this;

  ColorGroup = new QGroupBox(this);
  ColorGroup->setObjectName("ColorGroup");
  ColorGroup->setGeometry(32, 8, 177, 33);
  TextRadio = new QRadioButton("Text Color", ColorGroup);
  TextRadio->setObjectName("TextRadio");
  TextRadio->setGeometry(8, 10, 81, 17);
  TextRadio->setChecked(true);
  BGRadio = new QRadioButton("BG Color", ColorGroup);
  BGRadio->setObjectName("BGRadio");
  BGRadio->setGeometry(96, 10, 73, 17);

  // Columns of seven swatches, 96 pixels apart; swatches 29 and 30 start a fifth.
  for (int i = 0; i < qorvi::kColorTableEntries; ++i) {
    const int left = 56 + 96 * (i / 7);
    const int top = 64 + 32 * (i % 7);
    const QString number = QString::number(i + 1);
    TcolImages[i] = Swatch(this, "TcolImage" + number, left, top);
    TcolLabels[i] = Caption(this, "TcolLabel" + number, number, {left - 32, top + 6, 26, 14});
    TcolLabels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(TcolImages[i], &PictureBox::mousePressed, this, [this, i](QMouseEvent* event) {
      TcolImageMouseDown(i, event->button(), qorvi::app::ShiftStateOf(*event));
    });
  }

  BatteryLabel = Caption(this, "BatteryLabel", "Battery", {248, 8, 57, 14});
  ClockLabel = Caption(this, "ClockLabel", "Clock", {344, 8, 57, 14});
  BusyLabel = Caption(this, "BusyLabel", "Busy", {440, 8, 57, 14});
  BatteryImage = Swatch(this, "BatteryImage", 248, 24);
  ClockImage = Swatch(this, "ClockImage", 344, 24);
  BusyImage = Swatch(this, "BusyImage", 440, 24);

  ResetButton = new QPushButton("Reset All Color", this);
  ResetButton->setObjectName("ResetButton");
  ResetButton->setGeometry(432, 256, 97, 25);

  connect(TextRadio, &QRadioButton::toggled, this, [this](bool on) {
    if (on) TextRadioClick();
  });
  connect(BGRadio, &QRadioButton::toggled, this, [this](bool on) {
    if (on) BGRadioClick();
  });
  connect(BatteryImage, &PictureBox::mousePressed, this,
          [this](QMouseEvent* event) { BatteryImageMouseDown(event->button(), qorvi::app::ShiftStateOf(*event)); });
  connect(ClockImage, &PictureBox::mousePressed, this,
          [this](QMouseEvent* event) { ClockImageMouseDown(event->button(), qorvi::app::ShiftStateOf(*event)); });
  connect(BusyImage, &PictureBox::mousePressed, this,
          [this](QMouseEvent* event) { BusyImageMouseDown(event->button(), qorvi::app::ShiftStateOf(*event)); });
  connect(ResetButton, &QPushButton::clicked, this, &TForm3::ResetButtonClick);

  RefreshColorWindow();
}

bool TForm3::TextSelected() const { return TextRadio->isChecked(); }

std::array<uint32_t, qorvi::kColorTableEntries>& TForm3::SelectedSwatches() {
  return TextSelected() ? TextSwatch : BGSwatch;
}

std::array<qorvi::RgbF, qorvi::kColorTableEntries>& TForm3::SelectedTable(qorvi::LayoutRecord& record) const {
  return TextSelected() ? record.TextColor : record.BGColor;
}

void TForm3::RefreshColorWindow() {
  const qorvi::LayoutRecord& layout = desktop.model.Layout;
  const int n = desktop.model.FirmwareVersion == kVersion500 ? qorvi::kColorTableEntries : kShortTableEntries;
  for (int i = 0; i < n; ++i) {
    TextSwatch[i] = SwatchColor(layout.TextColor[i]);
    BGSwatch[i] = SwatchColor(layout.BGColor[i]);
  }
  PaintSwatches();
}

void TForm3::PaintSwatches() {
  const bool all = desktop.model.FirmwareVersion == kVersion500;
  for (int i = kShortTableEntries; i < qorvi::kColorTableEntries; ++i) {
    TcolImages[i]->setVisible(all);
    TcolLabels[i]->setVisible(all);
  }
  const auto& swatches = TextSelected() ? TextSwatch : BGSwatch;
  for (int i = 0; i < qorvi::kColorTableEntries; ++i) PaintSwatch(TcolImages[i], swatches[i]);
  const qorvi::LayoutRecord& layout = desktop.model.Layout;
  PaintSwatch(BatteryImage, IconColor(layout.BatteryColor));
  PaintSwatch(BusyImage, IconColor(layout.BusyColor));
  PaintSwatch(ClockImage, IconColor(layout.ClockColor));
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
  auto& swatches = SelectedSwatches();
  uint32_t chosen = 0;
  if (!ChooseColor(swatches[index], &chosen)) return false;
  swatches[index] = chosen;
  SelectedTable(desktop.model.Layout)[index] = TableColor(chosen);
  PaintSwatches();
  return true;
}

void TForm3::TextRadioClick() { PaintSwatches(); }
void TForm3::BGRadioClick() { PaintSwatches(); }

void TForm3::TcolImageMouseDown(int index, Qt::MouseButton button, ShiftState shift) {
  if (button != Qt::LeftButton || index < 0 || index >= qorvi::kColorTableEntries) return;
  if (qorvi::app::IsShiftStateSet(shift, qorvi::app::kCtrl)) {
    const qorvi::RgbF& loaded = SelectedTable(desktop.model.LoadedLayout)[index];
    SelectedTable(desktop.model.Layout)[index] = loaded;
    SelectedSwatches()[index] = SwatchColor(loaded);
    PaintSwatches();
    return;
  }
  // The 60 table colours are not drawn in the preview, so nothing there changes.
  EditSwatchColor(index);
}

void TForm3::IconColorMouseDown(qorvi::Rgb8 qorvi::LayoutRecord::*color, Qt::MouseButton button, ShiftState shift) {
  if (button != Qt::LeftButton) return;
  qorvi::Rgb8& current = desktop.model.Layout.*color;
  if (qorvi::app::IsShiftStateSet(shift, qorvi::app::kCtrl)) {
    current = desktop.model.LoadedLayout.*color;
  } else {
    uint32_t chosen = 0;
    if (!ChooseColor(IconColor(current), &chosen)) return;
    current = {static_cast<uint8_t>(chosen & 0xFF), static_cast<uint8_t>((chosen >> 8) & 0xFF),
               static_cast<uint8_t>((chosen >> 16) & 0xFF)};
  }
  PaintSwatches();
  // The clock text takes a new colour at its next UpdateClock.
  if (desktop.forms.Form1 != nullptr) desktop.forms.Form1->PlaceSubIcons();
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
  if (!qorvi::app::ConfirmBox(this, "Reset All ColorData")) return;
  qorvi::LayoutRecord& layout = desktop.model.Layout;
  const qorvi::LayoutRecord& loaded = desktop.model.LoadedLayout;
  // All 30 entries of both tables, whatever the version.
  layout.TextColor = loaded.TextColor;
  layout.BGColor = loaded.BGColor;
  layout.BatteryColor = loaded.BatteryColor;
  layout.ClockColor = loaded.ClockColor;
  layout.BusyColor = loaded.BusyColor;
  RefreshColorWindow();
}

void TForm3::FormShow() { RefreshColorWindow(); }

void TForm3::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}
