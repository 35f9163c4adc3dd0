// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the main window with a loaded 5.00 demo set to a PNG, and the History
// window after a few edits: the pictures in the README. The files go to
// $QORVI_SCREENSHOT and $QORVI_HISTORY_SCREENSHOT when set (scripts/screenshot),
// else to the test's own folder.
#include <QImage>
#include <QListWidget>
#include <QPixmap>
#include <cstdlib>

#include "desktop_fixture.h"
#include "preview_drag.h"
#include "windows/changes_window.h"
#include "windows/history_window.h"

namespace qorvi {
namespace {

class Screenshot : public testing::DesktopTest {};

TEST_F(Screenshot, MainWindowWithALoadedSet) {
  StartLoaded(500);
  Main().raise();
  QApplication::processEvents();
  const QPixmap shot = Main().grab();
  EXPECT_EQ(shot.size(), QSize(555, 448));
  const char* target = std::getenv("QORVI_SCREENSHOT");
  const QString path = target != nullptr && *target != '\0' ? QString::fromLocal8Bit(target)
                                                            : QString::fromStdString(Path("screenshot.png"));
  ASSERT_TRUE(shot.save(path, "PNG")) << path.toStdString();
  // The preview is there: the screen area is not all teal any more.
  const QImage image = QImage(path).convertToFormat(QImage::Format_RGB32);
  int teal = 0, other = 0;
  for (int y = 40; y < 312; y += 4) {
    for (int x = 32; x < 512; x += 4) {
      (image.pixelColor(x, y) == QColor(0, 128, 128) ? teal : other)++;
    }
  }
  EXPECT_GT(other, 200) << "icons and texts are drawn over the screen area";
  EXPECT_GT(teal, other) << "the screen area is still mostly background";
}

TEST_F(Screenshot, HistoryWindowAfterAFewEdits) {
  StartLoaded(500);
  Form2().ClockXEdit->setText("250");
  testing::DragBy(Main(), Main().MainIcons[0], {QPoint(6, -2), QPoint(4, -1)});
  Session().SetTableColor(false, 4, RgbF{1.0f, 0.5f, 0.0f});
  Session().ExchangeEntries(2, 3);
  Session().SetItemMedia(5, 3);
  Form7().SubMenuTextX1SegEdit->setText("40");
  Session().Undo();  // the last step waits to be redone
  windows::HistoryWindow& history = Program().history();
  history.show();
  QApplication::processEvents();
  const QPixmap shot = history.grab();
  const char* target = std::getenv("QORVI_HISTORY_SCREENSHOT");
  const QString path = target != nullptr && *target != '\0' ? QString::fromLocal8Bit(target)
                                                            : QString::fromStdString(Path("history.png"));
  ASSERT_TRUE(shot.save(path, "PNG")) << path.toStdString();
  EXPECT_EQ(history.findChild<QListWidget*>("HistoryList")->count(), 7);
}

// The Changes window after a few edits ($QORVI_CHANGES_SCREENSHOT when set).
TEST_F(Screenshot, ChangesWindowAfterSomeEdits) {
  StartLoaded(500);
  Form2().ClockXEdit->setText("250");
  Form2().ClockYEdit->setText("109");
  Form7().OptSpaceEdit->setText("24");
  Session().SetTableColor(false, 3, RgbF{1.0f, 0.5f, 0.0f});
  Session().CycleEntry(3, session::EntryByte::Show);
  Session().SetItemMedia(6, 3);
  windows::ChangesWindow& changes = Program().changes();
  changes.show();
  QApplication::processEvents();
  EXPECT_EQ(changes.Differences().size(), 6u);
  const QPixmap shot = changes.grab();
  EXPECT_EQ(shot.size(), QSize(520, 300));
  const char* target = std::getenv("QORVI_CHANGES_SCREENSHOT");
  const QString path = target != nullptr && *target != '\0' ? QString::fromLocal8Bit(target)
                                                            : QString::fromStdString(Path("changes.png"));
  ASSERT_TRUE(shot.save(path, "PNG")) << path.toStdString();
}

}  // namespace
}  // namespace qorvi
