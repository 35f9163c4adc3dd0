// SPDX-License-Identifier: GPL-3.0-or-later
// qorvi --render: the main window's preview of a firmware set drawn into a PNG
// file (and, with --geometry, where every preview element stands, as JSON),
// without showing a window and without a display.
//
// It runs the desktop program itself, never shown: the session's load, the
// refresh after it, the placement routines and the drawing of the window, and for
// every option the handler a user's action in the main window or the Positioning
// window runs. So the picture is what the main window would show.
#pragma once

namespace qorvi::app {

// True when the command line asks for the render mode (an argument --render).
bool IsRenderCommand(int argc, char** argv);

// Runs it and returns the exit status: 0 written; 1 a message was raised (one line
// `qorvi: <text>` each on standard error) and nothing written; 2 a usage error.
// Constructs the application object itself, on Qt's offscreen platform when no
// display is set.
int RunRender(int argc, char** argv);

}  // namespace qorvi::app
