// SPDX-License-Identifier: GPL-3.0-or-later
// Where windows open on a screen: a pure function of the screen's available area,
// the windows' sizes and their frames (title bar and borders), so that it is
// tested without a window system.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

namespace qorvi::widgets {

// Places windows of the given client sizes, in order, on `screen` (its available
// area), around the frames in `fixed` (the main window's, and those of windows the
// user put somewhere) and each other. Returns each window's frame: its client size
// grown by `frame` (a window system's title bar and borders), capped to the
// screen, so a window taller or wider than the screen gets the screen's height or
// width (its form then scrolls). Every frame lies wholly on the screen.
//
// Where the windows fit side by side, none overlaps another or a fixed frame and
// `gap` pixels separate them where there is room for it. Where they do not fit,
// every title bar stays reachable wherever that is possible (the fixed frames
// stand above the windows, as the main window has the focus, and each window
// above those before it, the order they are shown in), and then the overlap is
// the least the arrangement finds. Among equal arrangements the most compact one
// (windows nearest the screen's top-left corner) wins.
std::vector<QRect> ArrangeWindows(const QRect& screen, const QMargins& frame, const std::vector<QRect>& fixed,
                                  const std::vector<QSize>& clients, int gap = 8);

// True when a window whose frame is `frame` (title bar `title_height` high) can
// still be reached: its whole title bar lies on one of `screens` (their available
// areas). A place remembered from an earlier run is used only then.
bool Reachable(const QRect& frame, int title_height, const std::vector<QRect>& screens);

// `frame` moved the least distance that puts it wholly on `screen` (its top-left
// corner on the screen when it is larger than the screen).
QRect KeptOn(const QRect& frame, const QRect& screen);

}  // namespace qorvi::widgets
