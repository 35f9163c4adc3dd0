#include "windows/field_edits.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "model/value_text.h"

namespace qorvi::app {

FieldEdits::FieldEdits(LayoutRecord& layout, const LayoutRecord& loaded, QObject* parent)
    : QObject(parent), layout_(layout), loaded_(loaded) {}

void FieldEdits::Bind(QLineEdit* edit, std::string_view field, MouseDown mouseDown, int tag) {
  const LayoutField* f = FindLayoutField(field);
  Q_ASSERT(f != nullptr);
  bindings_.push_back({edit, f, std::move(mouseDown), tag});
  edits_.push_back(edit);
  edit->installEventFilter(this);
}

const FieldEdits::Binding& FieldEdits::BindingOf(const QLineEdit* edit) const {
  for (const Binding& b : bindings_) {
    if (b.edit == edit) return b;
  }
  Q_UNREACHABLE();
}

const LayoutField& FieldEdits::FieldOf(const QLineEdit* edit) const { return *BindingOf(edit).field; }
int FieldEdits::TagOf(const QLineEdit* edit) const { return BindingOf(edit).tag; }

void FieldEdits::Store(const QLineEdit* edit) { StoreFieldText(layout_, FieldOf(edit), edit->text().toStdString()); }

void FieldEdits::Write(QLineEdit* edit) { edit->setText(QString::fromStdString(FieldText(layout_, FieldOf(edit)))); }

bool FieldEdits::RestoreOnCtrlClick(QLineEdit* edit, Qt::MouseButton button, ShiftState shift) {
  // A greyed edit takes no clicks, but the event filter still sees them.
  if (!edit->isEnabled()) return false;
  if (button != Qt::LeftButton || !IsShiftStateSet(shift, kCtrl)) return false;
  CopyLayoutField(layout_, loaded_, FieldOf(edit));
  Write(edit);
  return true;
}

bool FieldEdits::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (const Binding& b : bindings_) {
      if (b.edit == watched) {
        const auto* e = static_cast<QMouseEvent*>(event);
        b.mouseDown(e->button(), ShiftStateOf(*e));
        break;
      }
    }
  }
  // The press goes on to the edit: a restore is a click in the edit as well.
  return QObject::eventFilter(watched, event);
}

}  // namespace qorvi::app
