// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard and mouse state that comes with a mouse event, as a set of seven
// elements, and the test the drag and restore handlers use on it.
#pragma once

#include <QMouseEvent>
#include <cstdint>

namespace qorvi::widgets {

enum ShiftElement : int {
  kShift = 0,
  kAlt = 1,
  kCtrl = 2,
  kLeftButton = 3,
  kRightButton = 4,
  kMiddleButton = 5,
  kDoubleClick = 6,
};

using ShiftState = uint8_t;  // bit n set: element n is in the set

// The state of a mouse event: held modifier keys, held buttons (and the button
// that was just pressed), double click.
ShiftState ShiftStateOf(const QMouseEvent& event);

// True when `element` lies in 0..6 and is in the set.
bool IsShiftStateSet(ShiftState state, int element);

}  // namespace qorvi::widgets
