// SPDX-License-Identifier: GPL-3.0-or-later
// Problems marked as the layout changes: an element that a drag takes off the
// screen is outlined in red while the button is still down and the line under the
// buttons says what; back on the screen, nothing is marked. The menu's toggle turns
// the marks off, and the preview's picture never holds them.
#include <QTest>

#include "app/desktop_fixture.h"
#include "app/menu_driver.h"
#include "app/preview_drag.h"
#include "app/preview_overlay.h"
#include "app/preview_picture.h"

namespace qorvi {
namespace {

using testing::CentreInPanel;
using testing::OnElement;

class ProblemMarks : public testing::DesktopTest {
 protected:
  QLabel* ProblemLabel() { return testing::Find<QLabel>(Main().form, "ProblemLabel"); }
  std::vector<std::string> Problems() {
    std::vector<std::string> texts;
    for (const LayoutFinding& f : Main().preview.Problems()) texts.push_back(f.element + " " + f.what);
    return texts;
  }
  // Red pixels of the outline colour in `image`.
  static int RedPixels(const QImage& image) {
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) red += image.pixelColor(x, y) == QColor(230, 30, 30) ? 1 : 0;
    }
    return red;
  }
};

TEST_F(ProblemMarks, ADragOffTheScreenIsMarkedAtOnceAndBackOnItNoMore) {
  StartLoaded(500);
  auto& f = Main();
  EXPECT_EQ(Problems(), std::vector<std::string>{}) << "the demo set shows nothing wrong";
  EXPECT_EQ(ProblemLabel()->text(), "");

  // The clock dragged right, the button still down: partly off, then wholly.
  QPoint at = CentreInPanel(f, f.Clock);
  QTest::mousePress(f.Clock, Qt::LeftButton, Qt::NoModifier, OnElement(f, f.Clock, at));
  const auto move = [&](QPoint by) {
    at += by;
    QTest::mouseEvent(QTest::MouseMove, f.Clock, Qt::NoButton, Qt::NoModifier, OnElement(f, f.Clock, at));
  };
  move({40, 0});
  EXPECT_EQ(Problems(), std::vector<std::string>{"Clock is partly outside the screen"});
  EXPECT_EQ(f.preview.MarkedElements(), std::vector<QWidget*>{f.Clock});
  EXPECT_EQ(ProblemLabel()->text(), "Clock is partly outside the screen");
  move({300, 0});
  EXPECT_EQ(Problems(), std::vector<std::string>{"Clock is outside the screen"});
  EXPECT_EQ(ProblemLabel()->text(), "Clock is outside the screen");
  move({-340, 0});
  EXPECT_EQ(Problems(), std::vector<std::string>{});
  EXPECT_EQ(ProblemLabel()->text(), "");
  EXPECT_TRUE(f.preview.MarkedElements().empty());
  move({100, 0});
  QTest::mouseRelease(f.Clock, Qt::LeftButton, Qt::NoModifier, OnElement(f, f.Clock, at));
  ASSERT_EQ(Problems().size(), 1u);

  // An undo takes the problem back with the drag.
  Session().Undo();
  EXPECT_EQ(Problems(), std::vector<std::string>{});
}

TEST_F(ProblemMarks, WhatTheCheckFindsWhereThePreviewStands) {
  StartLoaded(500);
  auto& f = Main();
  // The first category's lower spacing so wide that the next item leaves the screen.
  Form2().SubIconLowerSpace1Edit->setText("300");
  const std::vector<std::string> first = Problems();
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first.front(), "SubIcon2 is outside the screen");
  EXPECT_EQ(f.preview.MarkedElements().front(), f.SubIcon2);
  // 5.00 places the other categories with their own spacing: nothing there.
  f.XMB_HScroll->setValue(3);
  EXPECT_EQ(Problems(), std::vector<std::string>{});
  f.XMB_HScroll->setValue(0);
  EXPECT_EQ(Problems(), first);

  // Overlaps, each problem in the tooltip.
  Form2().SubIconLowerSpace1Edit->setText("67");
  Form2().MainIconSpace2Edit->setText("40");
  EXPECT_EQ(Problems().front(), "MainIcon1 overlaps MainIcon2");
  EXPECT_EQ(f.preview.MarkedElements().front(), f.MainIcons[0]);
  for (const std::string& p : Problems()) {
    EXPECT_NE(ProblemLabel()->toolTip().indexOf(QString::fromStdString(p)), -1) << p;
  }
}

TEST_F(ProblemMarks, TheMenuTurnsTheMarksOffAndThePictureNeverHoldsThem) {
  StartLoaded(500);
  auto& f = Main();
  // Half across the screen's lower edge (16 + 272), still on the panel.
  testing::DragBy(f, f.BatteryIcon, QPoint(0, 16 + 272 - 8 - f.BatteryIcon->y()));
  ASSERT_EQ(Problems(), std::vector<std::string>{"BatteryIcon is partly outside the screen"});
  f.raise();
  QApplication::processEvents();
  EXPECT_GT(RedPixels(f.grab().toImage()), 0) << "the window shows the outline";
  const QImage picture = app::PreviewPicture(f.preview);
  EXPECT_EQ(RedPixels(picture), 0);

  testing::PickFromPreviewMenu(f, "Mark problems");
  EXPECT_FALSE(f.preview.MarksProblems());
  EXPECT_EQ(Problems(), std::vector<std::string>{});
  EXPECT_EQ(ProblemLabel()->text(), "");
  QApplication::processEvents();
  EXPECT_EQ(RedPixels(f.grab().toImage().copy(QRect(f.Panel1->pos(), f.Panel1->size()))), 0);
  EXPECT_EQ(app::PreviewPicture(f.preview), picture) << "the same picture with and without marks";

  testing::DragBy(f, f.BatteryIcon, QPoint(0, 40));  // further off: still unmarked
  EXPECT_EQ(Problems(), std::vector<std::string>{});
  testing::PickFromPreviewMenu(f, "Mark problems");
  EXPECT_TRUE(f.preview.MarksProblems());
  EXPECT_EQ(Problems(), std::vector<std::string>{"BatteryIcon is outside the screen"});
}

}  // namespace
}  // namespace qorvi
