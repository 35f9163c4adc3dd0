// SPDX-License-Identifier: GPL-3.0-or-later
// A key of the program that works wherever the keyboard focus is in a window, also
// in a line edit that would take the key for its text (Ctrl+D is Delete in a line
// edit on some desktops).
#pragma once

#include <QKeySequence>
#include <functional>

class QWidget;

namespace qorvi::widgets {

// Runs `action` on `key` in `window`. The window's line edits (there when this runs)
// leave the key to it.
void InstallWindowKey(QWidget* window, const QKeySequence& key, std::function<void()> action);

}  // namespace qorvi::widgets
