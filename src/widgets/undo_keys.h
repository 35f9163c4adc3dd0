// SPDX-License-Identifier: GPL-3.0-or-later
// The undo and redo keys of a window: Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo,
// wherever the keyboard focus is in the window.
#pragma once

#include <functional>

class QWidget;

namespace qorvi::widgets {

// Installs the keys on `window`. The window's line edits (there when this runs)
// leave these keys to it rather than undoing their own text, so the keys always
// take back the program's last step. The keys work while `window` is a window of
// its own: docked into another window (which has keys of its own) they rest, as
// two sets of the same keys in one window would cancel each other out.
void InstallUndoKeys(QWidget* window, std::function<void()> undo, std::function<void()> redo);

}  // namespace qorvi::widgets
