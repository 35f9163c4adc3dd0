// SPDX-License-Identifier: GPL-3.0-or-later
// Browsing with the scroll bars and loading a wallpaper.
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "desktop_fixture.h"
#include "widgets/picture_box.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using testing::ModalDriver;

class Navigation : public DesktopTest {
 protected:
  // The category holding the most items, and one holding exactly `n`, if any.
  int CategoryWithCount(int n) {
    for (int c = 0; c < 8; ++c) {
      if (TheModel().CategoryTable[c].Count == n) return c;
    }
    return -1;
  }
};

TEST_F(Navigation, ChangingTheCategoryStartsAtItsFirstItem) {
  StartLoaded(500);
  auto& f = Main();
  ASSERT_GE(TheModel().CategoryTable[0].Count, 6);
  f.XMB_VScroll->setValue(5);
  EXPECT_EQ(View().CurrentItem, 5);
  f.XMB_HScroll->setValue(1);
  EXPECT_EQ(View().CurrentCategory, 1);
  EXPECT_EQ(View().CurrentItem, 0);
  EXPECT_EQ(f.XMB_VScroll->value(), 0);
  EXPECT_EQ(f.XMB_VScroll->maximum(), TheModel().CategoryTable[1].Count - 1);
  EXPECT_EQ(f.XMB_VScroll->isEnabled(), TheModel().CategoryTable[1].Count >= 2);
}

TEST_F(Navigation, ScrollRangesFollowTheVersionAndTheItems) {
  StartLoaded(500);
  EXPECT_EQ(Main().XMB_HScroll->maximum(), 7);
  EXPECT_EQ(Main().XMB_VScroll->maximum(), TheModel().CategoryTable[0].Count - 1);

  // A category of one item leaves nothing to scroll; an empty one keeps the old range.
  const int single = CategoryWithCount(1);
  if (single >= 0) {
    Main().XMB_HScroll->setValue(single);
    EXPECT_FALSE(Main().XMB_VScroll->isEnabled());
    EXPECT_EQ(Main().XMB_VScroll->value(), 0);
  }

  StartLoaded(401);
  EXPECT_EQ(Main().XMB_HScroll->maximum(), 6);
  // An empty category (its lists as a set without such items would build them).
  const int empty = 6;
  TheModel().CategoryTable[empty].Count = 0;
  Main().XMB_HScroll->setValue(0);
  const int before = Main().XMB_VScroll->maximum();
  Main().XMB_HScroll->setValue(empty);
  EXPECT_FALSE(Main().XMB_VScroll->isEnabled());
  EXPECT_EQ(Main().XMB_VScroll->maximum(), before);
}

TEST_F(Navigation, ArrowAndPageClicksMoveByOne) {
  StartLoaded(500);
  QScrollBar* bar = Main().XMB_HScroll;
  EXPECT_EQ(bar->singleStep(), 1);
  EXPECT_EQ(bar->pageStep(), 1);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(View().CurrentCategory, 1);
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(View().CurrentCategory, 2);
}

TEST_F(Navigation, WallpaperIsDrawnScaledOntoTheScreenArea) {
  Start();
  auto& f = Main();
  // A 960 x 544 picture, left half red, right half blue, with a green bottom row.
  QImage big(960, 544, QImage::Format_RGB32);
  big.fill(Qt::red);
  QPainter(&big).fillRect(480, 0, 480, 544, Qt::blue);
  QPainter(&big).fillRect(0, 542, 960, 2, Qt::green);
  ASSERT_TRUE(big.save(QString::fromStdString(Path("big.bmp"))));

  ModalDriver driver;
  driver.ThenChooseFile(QString::fromStdString(Path("big.bmp")));
  QTest::mouseClick(f.WallpaperButton, Qt::LeftButton);
  EXPECT_TRUE(driver.messages.empty());
  EXPECT_EQ(f.Wallpaper->size(), QSize(480, 272));
  EXPECT_EQ(f.Wallpaper->ShownPixel(100, 100), QColor(Qt::red));
  EXPECT_EQ(f.Wallpaper->ShownPixel(300, 100), QColor(Qt::blue));
  EXPECT_EQ(f.Wallpaper->ShownPixel(100, 271).green(), 255) << "shown at half size, the whole picture fits";

  // A small one is stretched over the whole area.
  QImage small(100, 100, QImage::Format_RGB32);
  small.fill(QColor(10, 200, 30));
  ASSERT_TRUE(small.save(QString::fromStdString(Path("small.bmp"))));
  driver.ThenChooseFile(QString::fromStdString(Path("small.bmp")));
  QTest::mouseClick(f.WallpaperButton, Qt::LeftButton);
  EXPECT_EQ(f.Wallpaper->ShownPixel(0, 0), QColor(10, 200, 30));
  EXPECT_EQ(f.Wallpaper->ShownPixel(479, 271), QColor(10, 200, 30));

  // Cancel changes nothing.
  driver.ThenCancel();
  QTest::mouseClick(f.WallpaperButton, Qt::LeftButton);
  EXPECT_EQ(f.Wallpaper->ShownPixel(240, 136), QColor(10, 200, 30));
}

TEST_F(Navigation, AWallpaperThatCannotBeReadChangesNothingAndIsReportedOnce) {
  Start();
  auto& f = Main();
  testing::WriteBytes(Path("broken.bmp"), {'B', 'M', 0, 1, 2, 3, 4, 5, 6, 7});
  ModalDriver driver;
  driver.ThenChooseFile(QString::fromStdString(Path("broken.bmp")));
  QTest::mouseClick(f.WallpaperButton, Qt::LeftButton);
  QTest::qWait(50);
  ASSERT_EQ(driver.messages.size(), 1u);
  EXPECT_NE(driver.messages[0].find("broken.bmp"), std::string::npos) << driver.messages[0];
  EXPECT_EQ(f.Wallpaper->ShownPixel(240, 136), QColor(0, 128, 128)) << "still teal";
  EXPECT_TRUE(f.isVisible()) << "the program carries on";
}

// The picture's pixels replace the screen area's: where the picture is transparent
// nothing of the teal shows through.
TEST_F(Navigation, AWallpaperReplacesTheTealArea) {
  Start();
  QImage half(480, 272, QImage::Format_ARGB32);
  half.fill(Qt::transparent);
  QPainter(&half).fillRect(240, 0, 240, 272, Qt::blue);
  ASSERT_TRUE(half.save(QString::fromStdString(Path("half.png"))));
  ASSERT_TRUE(Main().PaintWallpaper(QString::fromStdString(Path("half.png"))));
  EXPECT_EQ(Main().Wallpaper->ShownPixel(100, 100).alpha(), 0);
  EXPECT_EQ(Main().Wallpaper->ShownPixel(300, 100), QColor(Qt::blue));
}

TEST_F(Navigation, WallpaperSurvivesALoad) {
  WriteDemo(395);
  Start();
  QImage pink(480, 272, QImage::Format_RGB32);
  pink.fill(QColor(250, 120, 200));
  ASSERT_TRUE(pink.save(QString::fromStdString(Path("pink.bmp"))));
  ASSERT_TRUE(Main().PaintWallpaper(QString::fromStdString(Path("pink.bmp"))));
  EXPECT_TRUE(PressLoad().empty());
  EXPECT_EQ(Main().Wallpaper->ShownPixel(5, 5), QColor(250, 120, 200));
}

}  // namespace
}  // namespace qorvi
