// SPDX-License-Identifier: GPL-3.0-or-later
// The edits of a window that shows layout fields as numbers (Icon data, Text
// data): each edit bound to one field. Typing stores through the session (the
// keystrokes in one field make one step); a left press with Ctrl held puts the
// field back from the last load; and whenever the session reports a change of a
// field, its edit is rewritten unless it already shows that value (typed text such
// as "12abc" stays as typed; a clamped size shows what was stored).
#pragma once

#include <QObject>
#include <vector>

#include "model/layout_record.h"
#include "session/edit_session.h"

class QLineEdit;

namespace qorvi::windows {

class FieldEdits : public QObject {
 public:
  FieldEdits(session::EditSession& session, QObject* parent);

  // Binds `edit` to `field` (a field of LayoutFields()).
  void Bind(QLineEdit* edit, const LayoutField& field);
  const std::vector<QLineEdit*>& Edits() const { return edits_; }
  const LayoutField* FieldOf(const QLineEdit* edit) const;
  // The edit bound to `field`, or nullptr.
  QLineEdit* EditOf(const LayoutField& field) const;
  // Gives the keyboard focus to the field's edit, its text selected (the Changes
  // window's request to see a value).
  void FocusField(const LayoutField& field);

  // Shows the field's value in its edit in the display format of its type, from
  // the start of the text. Storing does not follow: the value is already there.
  void Write(QLineEdit* edit);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnChanged(const session::ChangeEvent& event);

  session::EditSession& session_;
  std::vector<QLineEdit*> edits_;
  std::vector<const LayoutField*> fields_;  // fields_[i] is shown by edits_[i]
  bool writing_ = false;
};

}  // namespace qorvi::windows
