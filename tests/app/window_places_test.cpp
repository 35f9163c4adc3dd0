// Where the windows open after a load, on a screen with room for all of them (the
// test runs on an offscreen screen of 1920 x 1080, window frames included).
#include <QGuiApplication>
#include <QScreen>

#include "app/desktop_fixture.h"

namespace qorvi {
namespace {

class WindowPlaces : public testing::DesktopTest {};

TEST_F(WindowPlaces, TheEditorWindowsOpenBesideEachOtherAfterALoad) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_GE(screen.width(), 1920) << "runs on the wide offscreen screen";
  for (int version : {395, 500}) {
    SCOPED_TRACE(version);
    StartLoaded(version);
    const Forms forms = TheForms();
    std::vector<QRect> frames{Main().form.frameGeometry()};
    for (QWidget* w : {forms.Form2, forms.Form3, forms.Form4, forms.Form7}) {
      ASSERT_TRUE(w->isVisible()) << w->windowTitle().toStdString();
      const QRect frame = w->frameGeometry();
      EXPECT_TRUE(screen.contains(frame)) << w->windowTitle().toStdString();
      for (const QRect& other : frames) {
        EXPECT_FALSE(frame.intersects(other)) << w->windowTitle().toStdString() << " covers another window";
      }
      frames.push_back(frame);
    }
  }
}

}  // namespace
}  // namespace qorvi
