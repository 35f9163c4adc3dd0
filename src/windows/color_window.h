// The Color window: the two colour tables and the battery, clock and busy colours.
//
// The 30 swatches show the text colours or the background colours of the firmware's
// colour tables (which one is chosen by the two radio buttons); the three images at
// the top right show the battery, clock and busy colours. A left click opens the
// colour dialog, Ctrl+left click restores the loaded colour, Reset restores all.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "app/desktop.h"
#include "app/shift_state.h"
#include "model/layout_record.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace qorvi::app {
class PictureBox;
}

// The swatch byte of a table colour channel: times 255, truncated toward zero, low
// 8 bits. A channel outside 0.0 .. 1.0 (only a corrupt or hand-made file holds one)
// therefore shows wrapped modulo 256, as the firmware's own conversion would;
// not-a-number and infinities show as 0.
uint8_t SwatchByteFromFloat(float channel);

class TForm3 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm3(qorvi::app::Desktop& desktop);

  qorvi::app::Desktop& desktop;

  QGroupBox* ColorGroup;  // untitled
  QRadioButton* TextRadio;
  QRadioButton* BGRadio;
  // TcolImages[i] is TcolImage<i+1>, TcolLabels[i] its number label.
  std::array<qorvi::app::PictureBox*, qorvi::kColorTableEntries> TcolImages{};
  std::array<QLabel*, qorvi::kColorTableEntries> TcolLabels{};
  QLabel* BatteryLabel;
  QLabel* ClockLabel;
  QLabel* BusyLabel;
  qorvi::app::PictureBox* BatteryImage;
  qorvi::app::PictureBox* ClockImage;
  qorvi::app::PictureBox* BusyImage;
  QPushButton* ResetButton;

  // The two tables as colour values (red + 256 green + 65536 blue): what the swatches
  // show and what the dialog starts from. Layout stays the source of truth.
  std::array<uint32_t, qorvi::kColorTableEntries> TextSwatch{};
  std::array<uint32_t, qorvi::kColorTableEntries> BGSwatch{};

  // Rebuilds the swatch colours from Layout and repaints.
  void RefreshColorWindow();
  // Shows or hides swatches 29 and 30 by version and paints every swatch and image.
  void PaintSwatches();
  // Fills `image` with `color` (a colour value) inside a thin black outline.
  void PaintSwatch(qorvi::app::PictureBox* image, uint32_t color);
  // Runs the colour dialog for entry `index` of the selected table and stores the
  // chosen colour; false when cancelled.
  bool EditSwatchColor(int index);

  void TextRadioClick();
  void BGRadioClick();
  // Mouse-down on swatch index + 1 (index 0..29).
  void TcolImageMouseDown(int index, Qt::MouseButton button, qorvi::app::ShiftState shift);
  void BatteryImageMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void ClockImageMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void BusyImageMouseDown(Qt::MouseButton button, qorvi::app::ShiftState shift);
  void ResetButtonClick();
  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool TextSelected() const;
  // The swatch array and the Layout table the radio buttons select.
  std::array<uint32_t, qorvi::kColorTableEntries>& SelectedSwatches();
  std::array<qorvi::RgbF, qorvi::kColorTableEntries>& SelectedTable(qorvi::LayoutRecord& record) const;
  // Ctrl+left: restore from LoadedLayout; left: the dialog. Then repaint and re-place
  // the preview's sub icons.
  void IconColorMouseDown(qorvi::Rgb8 qorvi::LayoutRecord::*color, Qt::MouseButton button,
                          qorvi::app::ShiftState shift);
  // Runs the colour dialog (ColorDialog1) from `start`; false when cancelled, else the
  // colour value in `chosen`.
  bool ChooseColor(uint32_t start, uint32_t* chosen);
};
