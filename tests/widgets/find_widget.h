// SPDX-License-Identifier: GPL-3.0-or-later
// Finding a window's controls by their object names, the way the tests reach them
// (the windows keep their controls private).
#pragma once

#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

namespace qorvi::testing {

// The child of `root` named `name`, of type T; a missing one fails the test.
template <typename T>
T* Find(const QObject& root, const QString& name) {
  T* found = root.findChild<T*>(name);
  if (found == nullptr) {
    throw std::runtime_error("no " + name.toStdString() + " in " + root.objectName().toStdString());
  }
  return found;
}

}  // namespace qorvi::testing
