// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qorvi_application.h"

#include <QMessageBox>
#include <exception>

#include "application_icon.h"
#include "qorvi_version.h"
#include "widgets/window_frame.h"

namespace qorvi::app {

QorviApplication::QorviApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // QSettings keeps what the program remembers (where the windows stand) under
  // these names.
  setOrganizationName("Qorvi");
  setApplicationName("Qorvi");
  setApplicationVersion(QORVI_VERSION);
  // The desktop matches the windows to the installed entry (and its icon) by this name.
  setDesktopFileName(QORVI_APP_ID);
  setWindowIcon(qorvi::ApplicationIcon());
  setFont(qorvi::widgets::InterfaceFont());
}

void ShowUnexpectedError(const QString& what) {
  QMessageBox box(QMessageBox::Critical, "Qorvi", "Something went wrong; the program carries on.\n\n" + what,
                  QMessageBox::Ok);
  box.exec();
}

bool QorviApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowUnexpectedError(QString::fromUtf8(e.what()));
  } catch (...) {
    ShowUnexpectedError("An unknown error occurred.");
  }
  return false;
}

}  // namespace qorvi::app
