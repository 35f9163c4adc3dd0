// GoogleTest main for the desktop program's tests: one application object on Qt's
// offscreen platform, real widgets and events.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "app/qorvi_application.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  qorvi::app::QorviApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
