// SPDX-License-Identifier: GPL-3.0-or-later
// A window taller than the screen: on an offscreen screen 500 pixels high the
// Text data window of 5.00 (508 high) opens in a scroll area as high as the screen
// allows, wholly on the screen; the main window's button shows and hides it; a
// load whose window fits (3.95: 250 high) shows the window itself again.
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include "app/desktop_fixture.h"
#include "widgets/form_scroll_area.h"

namespace qorvi {
namespace {

class ScrollWindow : public testing::DesktopTest {};

TEST_F(ScrollWindow, AWindowTallerThanTheScreenScrollsWithinIt) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_EQ(screen.height(), 500);
  StartLoaded(500);
  QWidget* text_data = TheForms().Form7;
  auto* host = qobject_cast<widgets::FormScrollArea*>(Program().workspace().Host(text_data));
  ASSERT_NE(host, nullptr) << "the Text data window scrolls";
  EXPECT_TRUE(host->isWindow());
  EXPECT_TRUE(host->isVisible());
  EXPECT_EQ(host->Form(), text_data);
  EXPECT_EQ(text_data->size(), QSize(410, 508)) << "the form keeps its size";
  EXPECT_EQ(host->windowTitle().toStdString(), "Qorvi Text Data Window");
  EXPECT_TRUE(screen.contains(host->frameGeometry()));
  EXPECT_GT(host->verticalScrollBar()->maximum(), 0);
  // The others fit and stay windows of their own.
  EXPECT_EQ(Program().workspace().Host(TheForms().Form2), TheForms().Form2);

  QTest::mouseClick(Main().ShowTextDataButton, Qt::LeftButton);
  EXPECT_FALSE(host->isVisible());
  QTest::mouseClick(Main().ShowTextDataButton, Qt::LeftButton);
  EXPECT_TRUE(host->isVisible());

  // Ctrl+Z in the scroll window undoes.
  QLineEdit* edit = Form7().SubMenuTextYEdit;
  const QString loaded = edit->text();
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "3");
  host->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(host));
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(edit->text(), loaded);

  WriteDemo(395);
  ASSERT_TRUE(PressLoad().empty());
  EXPECT_EQ(Program().workspace().Host(text_data), text_data);
  EXPECT_TRUE(text_data->isWindow());
  EXPECT_TRUE(text_data->isVisible());
  EXPECT_FALSE(host->isVisible());
}

}  // namespace
}  // namespace qorvi
