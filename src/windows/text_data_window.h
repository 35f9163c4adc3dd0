// SPDX-License-Identifier: GPL-3.0-or-later
// The Text data window: positions and sizes of the menu texts as numbers. One
// table lists its edits; typing stores through the editing session (the main and
// sub text fields re-place the preview texts, the third-level fields of 5.00 are
// kept for Save). Ctrl+left click restores one field from the last load, "Reset
// Value" the whole group.
#pragma once

#include <QWidget>

#include "session/edit_session.h"

namespace qorvi::windows {
class FieldEdits;
}

class TForm7 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm7(qorvi::session::EditSession& session, QWidget* parent = nullptr);

  // Lays the window out for the version and writes every field into its edit.
  void FillTextDataWindow();
  void FormShow();
  // Asks, then restores every field of this window from the last load (one step).
  void ResetButtonClick();
  // Shows the edit of the field at `place` with the focus (the Changes window's request).
  void ShowValue(const qorvi::ValuePlace& place);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();

  qorvi::session::EditSession& session_;
  qorvi::windows::FieldEdits* edits_;
};
