// The undo and redo keys of a window: Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo,
// wherever the keyboard focus is in the window.
#pragma once

#include <functional>

class QWidget;

namespace qorvi::widgets {

// Installs the keys on `window`. The window's line edits (there when this runs)
// leave these keys to it rather than undoing their own text, so the keys always
// take back the program's last step.
void InstallUndoKeys(QWidget* window, std::function<void()> undo, std::function<void()> redo);

}  // namespace qorvi::widgets
