// SPDX-License-Identifier: GPL-3.0-or-later
// Drags a preview element with real mouse events: press on the element, moves
// and release on it (the element follows the pointer, so every point is given in
// Panel1 coordinates and mapped onto the element where it stands at that moment).
#pragma once

#include <QFrame>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <initializer_list>

#include "app/main_parts.h"

namespace qorvi::testing {

// Panel1 point of the element's centre.
inline QPoint CentreInPanel(const MainParts& f, QWidget* element) {
  return element->mapTo(f.Panel1, element->rect().center());
}

inline QPoint OnElement(const MainParts& f, QWidget* element, QPoint panel) {
  return element->mapFrom(f.Panel1, panel);
}

// Presses at the element's centre, moves by each step in turn and releases where
// the last step ended. `modifiers` are held throughout.
inline void DragBy(const MainParts& f, QWidget* element, std::initializer_list<QPoint> steps,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier, Qt::MouseButton button = Qt::LeftButton) {
  QPoint at = CentreInPanel(f, element);
  QTest::mousePress(element, button, modifiers, OnElement(f, element, at));
  for (QPoint step : steps) {
    at += step;
    QTest::mouseEvent(QTest::MouseMove, element, Qt::NoButton, modifiers, OnElement(f, element, at));
  }
  QTest::mouseRelease(element, button, modifiers, OnElement(f, element, at));
}

inline void DragBy(const MainParts& f, QWidget* element, QPoint delta,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  DragBy(f, element, {delta}, modifiers);
}

}  // namespace qorvi::testing
