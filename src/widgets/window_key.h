// SPDX-License-Identifier: GPL-3.0-or-later
// A key of the program that works wherever the keyboard focus is in a window, also
// in a line edit that would take the key for its text (Ctrl+D is Delete in a line
// edit on some desktops).
#pragma once

#include <QKeySequence>
#include <functional>
#include <initializer_list>

class QShortcut;
class QWidget;

namespace qorvi::widgets {

// Runs `action` on `key` in `window`. The window's line edits (there when this runs)
// leave the key to it. The key works while `window` is a window of its own (see
// KeepToOwnWindow).
void InstallWindowKey(QWidget* window, const QKeySequence& key, std::function<void()> action);

// Lets `keys`, window shortcuts of `window`, work only while `window` is a window
// of its own. Docked into another window, which installs keys of its own, they
// rest: two shortcuts for one key in one window cancel each other out (Qt finds the
// key ambiguous and runs neither).
void KeepToOwnWindow(QWidget* window, std::initializer_list<QShortcut*> keys);

}  // namespace qorvi::widgets
