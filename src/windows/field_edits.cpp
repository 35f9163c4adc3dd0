// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/field_edits.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "model/value_text.h"
#include "widgets/shift_state.h"

namespace qorvi::windows {

FieldEdits::FieldEdits(session::EditSession& session, QObject* parent) : QObject(parent), session_(session) {
  connect(&session_, &session::EditSession::changed, this, &FieldEdits::OnChanged);
}

void FieldEdits::Bind(QLineEdit* edit, const LayoutField& field) {
  edits_.push_back(edit);
  fields_.push_back(&field);
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textChanged, this, [this, &field](const QString& text) {
    // Text this class writes shows the stored value already.
    if (!writing_) session_.SetFieldText(field, text.toStdString());
  });
  // Leaving the edit (or Enter) ends its typing: the next keystroke is a new step.
  connect(edit, &QLineEdit::editingFinished, &session_, &session::EditSession::EndTyping);
}

const LayoutField* FieldEdits::FieldOf(const QLineEdit* edit) const {
  for (std::size_t i = 0; i < edits_.size(); ++i) {
    if (edits_[i] == edit) return fields_[i];
  }
  return nullptr;
}

QLineEdit* FieldEdits::EditOf(const LayoutField& field) const {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i] == &field) return edits_[i];
  }
  return nullptr;
}

void FieldEdits::FocusField(const LayoutField& field) {
  QLineEdit* edit = EditOf(field);
  if (edit == nullptr || !edit->isVisible()) return;
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
}

void FieldEdits::Write(QLineEdit* edit) {
  const LayoutField* field = FieldOf(edit);
  if (field == nullptr) return;
  writing_ = true;
  edit->setText(QString::fromStdString(FieldText(session_.model().Layout, *field)));
  writing_ = false;
  // Long numbers show their beginning.
  edit->setCursorPosition(0);
}

void FieldEdits::OnChanged(const session::ChangeEvent& event) {
  for (const LayoutField* field : event.fields) {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      if (fields_[i] != field) continue;
      if (!TextShowsValue(edits_[i]->text().toStdString(), *field, session_.model().Layout)) Write(edits_[i]);
    }
  }
}

bool FieldEdits::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    const auto* e = static_cast<QMouseEvent*>(event);
    const LayoutField* field = FieldOf(edit);
    // A left press with Ctrl held (other keys do not matter) restores the loaded
    // value. A greyed edit takes no clicks, but this filter still sees them.
    if (field != nullptr && edit->isEnabled() && e->button() == Qt::LeftButton &&
        widgets::IsShiftStateSet(widgets::ShiftStateOf(*e), widgets::kCtrl)) {
      session_.RestoreField(*field);
      Write(edit);
    }
  }
  // The press goes on to the edit: a restore is a click in the edit as well.
  return QObject::eventFilter(watched, event);
}

}  // namespace qorvi::windows
