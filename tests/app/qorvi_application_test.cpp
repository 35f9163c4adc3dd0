// SPDX-License-Identifier: GPL-3.0-or-later
// The application-wide handler: an exception escaping an event handler is shown
// in a box and the program carries on.
#include "app/qorvi_application.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <stdexcept>

#include "modal_driver.h"
#include "qorvi_version.h"

namespace qorvi {
namespace {

class Thrower : public QObject {
 public:
  int handled = 0;
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw std::runtime_error("the handler failed");
    if (e->type() == QEvent::Type(QEvent::User + 1)) {
      ++handled;
      return true;
    }
    return QObject::event(e);
  }
};

TEST(QorviApplication, ShowsAnEscapedExceptionAndCarriesOn) {
  ASSERT_NE(qobject_cast<app::QorviApplication*>(QCoreApplication::instance()), nullptr);
  testing::ModalDriver driver;
  Thrower thrower;
  QEvent failing(QEvent::User);
  EXPECT_FALSE(QCoreApplication::sendEvent(&thrower, &failing));
  ASSERT_EQ(driver.messages.size(), 1u);
  EXPECT_NE(driver.messages[0].find("the handler failed"), std::string::npos) << driver.messages[0];
  EXPECT_EQ(driver.captions, std::vector<std::string>{"Qorvi"});

  QEvent next(QEvent::Type(QEvent::User + 1));
  EXPECT_TRUE(QCoreApplication::sendEvent(&thrower, &next));
  EXPECT_EQ(thrower.handled, 1);
}

// Every window carries the program's icon, and the desktop knows the program by its entry.
TEST(QorviApplication, NamesItselfAndCarriesTheIcon) {
  EXPECT_FALSE(QApplication::windowIcon().isNull());
  EXPECT_EQ(QGuiApplication::desktopFileName().toStdString(), QORVI_APP_ID);
  EXPECT_EQ(QCoreApplication::applicationVersion().toStdString(), QORVI_VERSION);
}

}  // namespace
}  // namespace qorvi
