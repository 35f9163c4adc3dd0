// SPDX-License-Identifier: GPL-3.0-or-later
// The Color window: the two colour tables and the battery, clock and busy colours.
//
// The 30 swatches show the text colours or the background colours of the firmware's
// colour tables (which one is chosen by the two radio buttons); the three images at
// the top right show the battery, clock and busy colours. A left click opens the
// colour dialog, Ctrl+left click restores the loaded colour, Reset restores all;
// each goes to the editing session as one step, and the swatches follow the
// session's colour changes (undo included).
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "model/layout_record.h"
#include "session/edit_session.h"
#include "widgets/shift_state.h"

class QLabel;
class QRadioButton;

namespace qorvi::widgets {
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
  using Swatches = std::array<uint32_t, qorvi::kColorTableEntries>;

  explicit TForm3(qorvi::session::EditSession& session, QWidget* parent = nullptr);

  // The two tables as colour values (red + 256 green + 65536 blue): what the swatches
  // show and what the dialog starts from. Layout stays the source of truth.
  const Swatches& TextSwatch() const { return text_swatch_; }
  const Swatches& BGSwatch() const { return bg_swatch_; }

  // Rebuilds the swatch colours from Layout and repaints.
  void RefreshColorWindow();
  // Shows or hides swatches 29 and 30 by version and paints every swatch and image.
  void PaintSwatches();
  // Fills `image` with `color` (a colour value) inside a thin black outline.
  void PaintSwatch(qorvi::widgets::PictureBox* image, uint32_t color);
  // Runs the colour dialog for entry `index` of the selected table and stores the
  // chosen colour; false when cancelled.
  bool EditSwatchColor(int index);

  void TextRadioClick();
  void BGRadioClick();
  // Mouse-down on swatch index + 1 (index 0..29).
  void TcolImageMouseDown(int index, Qt::MouseButton button, qorvi::widgets::ShiftState shift);
  void BatteryImageMouseDown(Qt::MouseButton button, qorvi::widgets::ShiftState shift);
  void ClockImageMouseDown(Qt::MouseButton button, qorvi::widgets::ShiftState shift);
  void BusyImageMouseDown(Qt::MouseButton button, qorvi::widgets::ShiftState shift);
  void ResetButtonClick();
  void FormShow();
  // Shows the table of the colour at `place` (the Changes window's request).
  void ShowValue(const qorvi::ValuePlace& place);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool TextSelected() const;
  int ShownEntries() const;
  // Ctrl+left: restore from LoadedLayout; left: the dialog.
  void IconColorMouseDown(qorvi::Rgb8 qorvi::LayoutRecord::*color, Qt::MouseButton button,
                          qorvi::widgets::ShiftState shift);
  // Runs the colour dialog (ColorDialog1) from `start`; false when cancelled, else the
  // colour value in `chosen`.
  bool ChooseColor(uint32_t start, uint32_t* chosen);

  qorvi::session::EditSession& session_;
  QRadioButton* text_radio_;
  QRadioButton* bg_radio_;
  // tcol_images_[i] is TcolImage<i+1>, tcol_labels_[i] its number label.
  std::array<qorvi::widgets::PictureBox*, qorvi::kColorTableEntries> tcol_images_{};
  std::array<QLabel*, qorvi::kColorTableEntries> tcol_labels_{};
  qorvi::widgets::PictureBox* battery_image_;
  qorvi::widgets::PictureBox* clock_image_;
  qorvi::widgets::PictureBox* busy_image_;
  Swatches text_swatch_{};
  Swatches bg_swatch_{};
};
