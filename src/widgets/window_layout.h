// Where windows can open beside each other on a screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

namespace qorvi::widgets {

// Finds a place for each window (its frame size, in order) inside `screen` where
// it covers neither `taken` (the main window's frame) nor a window placed before
// it: the first free spot in reading order (top to bottom, then left to right)
// among the screen's corner and the corners beside and below what is placed.
// nullopt for a window that fits nowhere (it keeps its own place).
std::vector<std::optional<QPoint>> ArrangeBeside(const QRect& screen, const QRect& taken,
                                                 const std::vector<QSize>& frames, int gap = 8);

}  // namespace qorvi::widgets
