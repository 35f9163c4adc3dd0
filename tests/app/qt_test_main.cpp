// GoogleTest main for the desktop program's tests: one application object on Qt's
// offscreen platform, real widgets and events.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QSettings>
#include <QTemporaryDir>

#include "app/qorvi_application.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  qorvi::app::QorviApplication app(argc, argv);
  // What the program remembers goes to a folder of this run, never the user's.
  QTemporaryDir settings;
  for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    QSettings::setPath(format, QSettings::UserScope, settings.path());
    QSettings::setPath(format, QSettings::SystemScope, settings.path());
  }
  return RUN_ALL_TESTS();
}
