// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/window_key.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QWidget>
#include <vector>

namespace qorvi::widgets {
namespace {

bool Matches(const QKeyEvent& event, const QKeySequence& key) {
  const Qt::KeyboardModifiers mods =
      event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  return QKeySequence(QKeyCombination(mods, static_cast<Qt::Key>(event.key()))) == key;
}

// Refuses a line edit's shortcut override for the key, so that the window's
// shortcut runs; a key press that still arrives (the window not active) runs the
// action itself.
class WindowKeyFilter : public QObject {
 public:
  WindowKeyFilter(QObject* parent, QKeySequence key, std::function<void()> action)
      : QObject(parent), key_(std::move(key)), action_(std::move(action)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if ((event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        Matches(*static_cast<QKeyEvent*>(event), key_)) {
      if (event->type() == QEvent::KeyPress) action_();
      event->ignore();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QKeySequence key_;
  std::function<void()> action_;
};

// Enables a window's keys while the window is a window of its own.
class KeyScope : public QObject {
 public:
  KeyScope(QWidget* window, std::initializer_list<QShortcut*> keys) : QObject(window), window_(window), keys_(keys) {
    window->installEventFilter(this);
    Update();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::ParentChange) Update();
    return QObject::eventFilter(watched, event);
  }

 private:
  void Update() {
    for (QShortcut* key : keys_) key->setEnabled(window_->isWindow());
  }

  QWidget* window_;
  std::vector<QShortcut*> keys_;
};

}  // namespace

void KeepToOwnWindow(QWidget* window, std::initializer_list<QShortcut*> keys) { new KeyScope(window, keys); }

void InstallWindowKey(QWidget* window, const QKeySequence& key, std::function<void()> action) {
  auto* shortcut = new QShortcut(key, window);
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, window, action);
  KeepToOwnWindow(window, {shortcut});
  auto* filter = new WindowKeyFilter(window, key, std::move(action));
  for (QLineEdit* edit : window->findChildren<QLineEdit*>()) edit->installEventFilter(filter);
}

}  // namespace qorvi::widgets
