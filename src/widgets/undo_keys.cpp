// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/undo_keys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QWidget>

#include "widgets/window_key.h"

namespace qorvi::widgets {
namespace {

const QKeySequence kUndo(Qt::CTRL | Qt::Key_Z);
const QKeySequence kRedo(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
const QKeySequence kRedoToo(Qt::CTRL | Qt::Key_Y);

enum class Key { None, Undo, Redo };

Key KeyOf(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods =
      event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  const QKeySequence pressed(QKeyCombination(mods, static_cast<Qt::Key>(event.key())));
  if (pressed == kUndo) return Key::Undo;
  if (pressed == kRedo || pressed == kRedoToo) return Key::Redo;
  return Key::None;
}

// Keeps a line edit from taking the keys for its own text: the shortcut override is
// refused, so the window's shortcut runs; a key press that still arrives (the window
// not active) runs the program's undo or redo itself.
class UndoKeyFilter : public QObject {
 public:
  UndoKeyFilter(QObject* parent, std::function<void()> undo, std::function<void()> redo)
      : QObject(parent), undo_(std::move(undo)), redo_(std::move(redo)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
      const Key key = KeyOf(*static_cast<QKeyEvent*>(event));
      if (key != Key::None) {
        if (event->type() == QEvent::KeyPress) (key == Key::Undo ? undo_ : redo_)();
        event->ignore();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> undo_;
  std::function<void()> redo_;
};

}  // namespace

void InstallUndoKeys(QWidget* window, std::function<void()> undo, std::function<void()> redo) {
  auto* undo_key = new QShortcut(kUndo, window);
  undo_key->setContext(Qt::WindowShortcut);
  QObject::connect(undo_key, &QShortcut::activated, window, undo);
  auto* redo_key = new QShortcut(window);
  redo_key->setKeys({kRedo, kRedoToo});
  redo_key->setContext(Qt::WindowShortcut);
  QObject::connect(redo_key, &QShortcut::activated, window, redo);
  KeepToOwnWindow(window, {undo_key, redo_key});
  auto* filter = new UndoKeyFilter(window, std::move(undo), std::move(redo));
  for (QLineEdit* edit : window->findChildren<QLineEdit*>()) edit->installEventFilter(filter);
}

}  // namespace qorvi::widgets
