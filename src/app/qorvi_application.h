// SPDX-License-Identifier: GPL-3.0-or-later
// The application object: one place where an exception that escapes an event
// handler is shown to the user, after which the program carries on.
#pragma once

#include <QApplication>

namespace qorvi::app {

class QorviApplication : public QApplication {
  Q_OBJECT
 public:
  QorviApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the text of an unexpected error in a box captioned "Qorvi".
void ShowUnexpectedError(const QString& what);

}  // namespace qorvi::app
