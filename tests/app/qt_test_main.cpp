// SPDX-License-Identifier: GPL-3.0-or-later
// GoogleTest main for the desktop program's tests: one application object on Qt's
// offscreen platform, real widgets and events, settings of its own.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QSettings>
#include <QTemporaryDir>

#include "app/qorvi_application.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // What the program remembers goes into a folder of this run, never the user's
  // settings; the programs the tests start inherit it.
  QTemporaryDir settings;
  setenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit().constData(), 1);
  ::testing::InitGoogleTest(&argc, argv);
  qorvi::app::QorviApplication app(argc, argv);
  for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    QSettings::setPath(format, QSettings::UserScope, settings.path());
    QSettings::setPath(format, QSettings::SystemScope, settings.path());
  }
  return RUN_ALL_TESTS();
}
