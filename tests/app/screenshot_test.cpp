// Renders the main window with a loaded 5.00 demo set to a PNG: the picture in the
// README. The file goes to $QORVI_SCREENSHOT when set (scripts/screenshot), else to
// the test's own folder.
#include <QImage>
#include <QPixmap>
#include <cstdlib>

#include "desktop_fixture.h"

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

}  // namespace
}  // namespace qorvi
