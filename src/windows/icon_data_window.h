// SPDX-License-Identifier: GPL-3.0-or-later
// The Icon data window: icon positions, sizes, spacings and speeds as numbers.
// One table lists its edits (the field each edits, where it stands); typing
// stores through the editing session, which re-places the preview; Ctrl+left click
// on an edit restores that value from the last load, "Reset Value" restores all.
#pragma once

#include <QWidget>

#include "session/edit_session.h"

namespace qorvi::windows {
class FieldEdits;
}

class TForm2 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm2(qorvi::session::EditSession& session, QWidget* parent = nullptr);

  // Writes every edit from Layout and lays out the version-dependent controls.
  void FillIconData();
  void FormShow();
  // Asks, then restores every value of this window from the last load (one step).
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
