// The edits of a window that shows layout fields as numbers (Icon data, Text
// data): which field each edit shows, writing a field into its edit, storing an
// edit's text into its field, the Ctrl+left-click restore from the loaded values,
// and routing presses on the edits to the window's mouse-down handlers.
#pragma once

#include <QObject>
#include <functional>
#include <string_view>
#include <vector>

#include "app/shift_state.h"
#include "model/layout_record.h"

class QLineEdit;

namespace qorvi::app {

class FieldEdits : public QObject {
 public:
  using MouseDown = std::function<void(Qt::MouseButton, ShiftState)>;

  // `layout` is what the edits change; `loaded` is what a restore copies from.
  FieldEdits(LayoutRecord& layout, const LayoutRecord& loaded, QObject* parent);

  // Binds `edit` to the field named `field`; presses on the edit go to `mouseDown`.
  // `tag` is the window's own note about the field (what it re-places).
  void Bind(QLineEdit* edit, std::string_view field, MouseDown mouseDown, int tag = 0);

  const LayoutField& FieldOf(const QLineEdit* edit) const;
  int TagOf(const QLineEdit* edit) const;
  const std::vector<QLineEdit*>& Edits() const { return edits_; }

  // Parses the edit's text by its field's rule and stores it.
  void Store(const QLineEdit* edit);
  // Writes the field's value into its edit; a different text runs the edit's change handler.
  void Write(QLineEdit* edit);
  // On a left press with Ctrl held on an enabled edit: copies the field from the
  // loaded values and writes it into the edit. True when it restored.
  bool RestoreOnCtrlClick(QLineEdit* edit, Qt::MouseButton button, ShiftState shift);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Binding {
    QLineEdit* edit;
    const LayoutField* field;
    MouseDown mouseDown;
    int tag;
  };
  const Binding& BindingOf(const QLineEdit* edit) const;

  LayoutRecord& layout_;
  const LayoutRecord& loaded_;
  std::vector<Binding> bindings_;
  std::vector<QLineEdit*> edits_;
};

}  // namespace qorvi::app
