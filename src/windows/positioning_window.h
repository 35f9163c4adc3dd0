// SPDX-License-Identifier: GPL-3.0-or-later
// The Positioning window: preview-only fine offsets of every element. The 19
// offsets live in the session's view state; they move what the preview draws,
// never a layout value, and Save does not read them.
#pragma once

#include <QWidget>

#include "session/edit_session.h"

class QComboBox;
class QLabel;
class QScrollBar;

class TForm6 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm6(qorvi::session::EditSession& session, QWidget* parent = nullptr);

  // Shows the selected item's offset (moving the scroll bar to it).
  void ItemComboChange();
  // Stores the scroll position as the selected item's offset (the preview follows).
  void ValueScrollChange();
  // Asks, then sets every offset to 0 (the whole preview is placed again).
  void ResetButtonClick();

  // What a user does to set one offset: picks item `index` in the list, then moves
  // the scroll bar to `value` (the handlers above run). False, and nothing
  // happens, when the list or the bar has no such place.
  bool PickAndMove(int index, int value);

 private:
  qorvi::session::EditSession& session_;
  QComboBox* item_combo_;
  QScrollBar* value_scroll_;
  QLabel* value_label_;
};
