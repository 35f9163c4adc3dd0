// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/shift_state.h"

namespace qorvi::widgets {

ShiftState ShiftStateOf(const QMouseEvent& event) {
  ShiftState s = 0;
  const Qt::KeyboardModifiers mods = event.modifiers();
  if (mods & Qt::ShiftModifier) s |= 1u << kShift;
  if (mods & Qt::AltModifier) s |= 1u << kAlt;
  if (mods & Qt::ControlModifier) s |= 1u << kCtrl;
  const Qt::MouseButtons buttons = event.buttons() | event.button();
  if (buttons & Qt::LeftButton) s |= 1u << kLeftButton;
  if (buttons & Qt::RightButton) s |= 1u << kRightButton;
  if (buttons & Qt::MiddleButton) s |= 1u << kMiddleButton;
  if (event.type() == QEvent::MouseButtonDblClick) s |= 1u << kDoubleClick;
  return s;
}

bool IsShiftStateSet(ShiftState state, int element) {
  return element >= 0 && element <= 6 && (state & (1u << element)) != 0;
}

}  // namespace qorvi::widgets
