// The Positioning window: preview-only fine offsets of every element. The 19
// offsets move what the preview draws, never a layout value; Save does not read
// them.
#pragma once

#include <QWidget>

#include "app/desktop.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;

class TForm6 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm6(qorvi::app::Desktop& desktop);

  qorvi::app::Desktop& desktop;

  QLabel* ItemLabel;
  QComboBox* ItemCombo;
  QScrollBar* ValueScroll;
  QLabel* ValueCaption;
  QLabel* ValueLabel;
  QPushButton* ResetButton;

  // Shows the selected item's offset (moving the scroll bar to it).
  void ItemComboChange();
  // Stores the scroll position as the selected item's offset and re-places its element.
  void ValueScrollChange();
  // Asks, then sets every offset to 0 and re-places the whole preview.
  void ResetButtonClick();
  // Re-places the element of one item (0..18); other indexes do nothing.
  void RefreshRepositionedItem(int index);
};
