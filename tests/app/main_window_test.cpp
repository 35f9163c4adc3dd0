// The main window before and after a load: which controls react, the Show/Hide
// buttons, About, Save, and the bitmaps removed at exit.
#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>

#include "desktop_fixture.h"

namespace qorvi {
namespace {

using testing::DesktopTest;

class MainWindow : public DesktopTest {};

TEST_F(MainWindow, StartsInTheNothingLoadedState) {
  Start();
  TForm1& f = Main();
  EXPECT_EQ(f.windowTitle().toStdString(), "Qorvi for windows / beta 3 version");
  EXPECT_TRUE(f.ShowFileButton->isEnabled());
  EXPECT_FALSE(f.SaveButton->isEnabled());
}

}  // namespace
}  // namespace qorvi
