// SPDX-License-Identifier: GPL-3.0-or-later
// Where the windows open, on an offscreen screen of 1920 x 1080 with window frames
// and a second screen of 1366 x 768 left of it: at the places the arrangement
// computes, at the places the user left them in an earlier run (while those are
// on a screen), and back at the computed places after "Arrange windows".
#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <algorithm>

#include "app/desktop_fixture.h"
#include "app/menu_driver.h"
#include "widgets/window_layout.h"

namespace qorvi {
namespace {

class WindowPlaces : public testing::DesktopTest {
 protected:
  std::vector<QWidget*> Editors() {
    const Forms f = TheForms();
    return {f.Form2, f.Form3, f.Form4, f.Form7};
  }
  static QMargins Frame(const QWidget& w) {
    const QRect frame = w.frameGeometry();
    const QRect client = w.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
  }
  // The editors stand where the arrangement puts them beside the main window as it
  // stands (and beside the editors in `kept`, which stay where the user left them).
  void ExpectComputedPlaces(const std::vector<QWidget*>& kept = {}) {
    QWidget& main = Main().form;
    std::vector<QRect> fixed{main.frameGeometry()};
    for (QWidget* w : kept) fixed.push_back(w->frameGeometry());
    std::vector<QWidget*> placed;
    std::vector<QSize> clients;
    for (QWidget* w : Editors()) {
      if (std::find(kept.begin(), kept.end(), w) != kept.end()) continue;
      placed.push_back(w);
      clients.push_back(w->size());
    }
    const std::vector<QRect> computed =
        widgets::ArrangeWindows(main.screen()->availableGeometry(), Frame(main), fixed, clients);
    for (std::size_t i = 0; i < placed.size(); ++i) {
      EXPECT_TRUE(placed[i]->isVisible()) << placed[i]->windowTitle().toStdString();
      EXPECT_EQ(placed[i]->frameGeometry(), computed[i]) << placed[i]->windowTitle().toStdString();
    }
  }
};

TEST_F(WindowPlaces, TheEditorsOpenWhereTheArrangementPutsThemBesideEachOther) {
  ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1920, 1080));
  for (int version : {395, 500}) {
    SCOPED_TRACE(version);
    StartLoaded(version);
    ASSERT_FALSE(Frame(Main().form).isNull()) << "the offscreen platform draws frames here";
    ExpectComputedPlaces();
    std::vector<QRect> frames{Main().form.frameGeometry()};
    for (QWidget* w : Editors()) {
      for (const QRect& other : frames) EXPECT_FALSE(w->frameGeometry().intersects(other));
      frames.push_back(w->frameGeometry());
    }
    TearDownProgram();
  }
}

TEST_F(WindowPlaces, OnTheSecondScreenTheEditorsStayThere) {
  const QRect left(-1366, 0, 1366, 768);
  WriteDemo(500);
  Start();
  Main().form.move(-1340, 10);
  QApplication::processEvents();
  ASSERT_EQ(Main().form.screen()->availableGeometry(), left);
  ASSERT_TRUE(PressLoad().empty());
  ExpectComputedPlaces();
  for (QWidget* w : Editors()) EXPECT_TRUE(left.contains(w->frameGeometry())) << w->windowTitle().toStdString();
}

TEST_F(WindowPlaces, AMovedWindowOpensWhereItWasLeftUntilArrangeWindows) {
  StartLoaded(500);
  QWidget* icon_data = TheForms().Form2;
  icon_data->move(1200, 600);
  Main().form.move(40, 30);
  QApplication::processEvents();
  TearDownProgram();

  // The next start: the moved windows where they were left, the others computed.
  StartLoaded(500);
  icon_data = TheForms().Form2;
  EXPECT_EQ(Main().form.pos(), QPoint(40, 30));
  EXPECT_EQ(icon_data->pos(), QPoint(1200, 600));
  ExpectComputedPlaces({icon_data});

  testing::PickFromPreviewMenu(Main(), "Arrange windows");
  QApplication::processEvents();
  ExpectComputedPlaces();
  TearDownProgram();
  StartLoaded(500);
  ExpectComputedPlaces();
}

TEST_F(WindowPlaces, APlaceNoLongerOnAnyScreenIsNotUsed) {
  // Left by an earlier run on a screen that is gone.
  QSettings().setValue("windows/Form2", QRect(3000, 200, 421, 402));
  QSettings().setValue("windows/Form1", QRect(-3000, 10, 555, 448));
  StartLoaded(500);
  EXPECT_EQ(Main().form.pos(), QPoint(28, 10));
  ExpectComputedPlaces();
}

// Docked on 1920 x 1080 every editor is in view whole: none behind a tab, none
// scrolls.
TEST_F(WindowPlaces, DockedOnAWideScreenNoEditorScrolls) {
  UseWorkspace(app::WorkspaceMode::Docked);
  StartLoaded(500);
  QApplication::processEvents();
  QWidget& docked = Program().workspace().MainWindow();
  EXPECT_TRUE(docked.screen()->availableGeometry().contains(docked.frameGeometry()));
  for (QWidget* w : Editors()) {
    SCOPED_TRACE(w->windowTitle().toStdString());
    auto* area = qobject_cast<QAbstractScrollArea*>(w->parentWidget()->parentWidget());
    ASSERT_NE(area, nullptr);
    EXPECT_TRUE(docked.rect().contains(w->mapTo(&docked, QPoint(0, 0)))) << "in front";
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
  }
}

}  // namespace
}  // namespace qorvi
