// SPDX-License-Identifier: GPL-3.0-or-later
// The History window: opened with Ctrl+H from any window or from the preview's
// menu, it lists the steps since the load by their names under the loaded state,
// marks the current one, follows every change and undo, and a click on a row goes
// back or forward to it.
#include "windows/history_window.h"

#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QTest>

#include "app/desktop_fixture.h"
#include "app/menu_driver.h"
#include "app/preview_drag.h"
#include "app/workspace.h"
#include "windows/changes_window.h"

namespace qorvi {
namespace {

using testing::Find;

class History : public testing::DesktopTest {
 protected:
  windows::HistoryWindow& Window() { return Program().history(); }
  QListWidget* List() { return Find<QListWidget>(Window(), "HistoryList"); }
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int i = 0; i < List()->count(); ++i) rows.push_back(List()->item(i)->text().toStdString());
    return rows;
  }
  // The rows shown in bold: the current state's alone.
  std::vector<int> BoldRows() {
    std::vector<int> rows;
    for (int i = 0; i < List()->count(); ++i) {
      if (List()->item(i)->font().bold()) rows.push_back(i);
    }
    return rows;
  }
  void ClickRow(int row) {
    const QRect r = List()->visualItemRect(List()->item(row));
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
  }
  static void CtrlH(QWidget* window) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QWidget* target = window->focusWidget() != nullptr ? window->focusWidget() : window;
    QTest::keyClick(target, Qt::Key_H, Qt::ControlModifier);
  }
};

TEST_F(History, CtrlHInAnyWindowOrTheMenuOpensIt) {
  StartLoaded(500);
  EXPECT_FALSE(Window().isVisible());
  // In the Icon data window, with the keyboard in an edit.
  Form2().ClockXEdit->setFocus();
  CtrlH(&Program().icon_data());
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(Form2().ClockXEdit->text().toInt(), TheModel().Layout.ClockX) << "the key typed nothing";
  Window().hide();
  CtrlH(&Program().main());
  EXPECT_TRUE(Window().isVisible());
  Window().hide();
  testing::PickFromPreviewMenu(Main(), "History...");
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(Window().windowTitle().toStdString(), "Qorvi History Window");
}

// Docked, the forms are parts of one window: their own keys rest (two shortcuts for
// one key in a window would cancel each other out) and the docked window's work.
TEST_F(History, CtrlHAndCtrlDWorkInTheDockedWorkspace) {
  UseWorkspace(app::WorkspaceMode::Docked);
  StartLoaded(500);
  QWidget* docked = Program().workspace().DockedWindow();
  ASSERT_NE(docked, nullptr);
  Form2().ClockXEdit->setFocus();
  CtrlH(docked);
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(Form2().ClockXEdit->text().toInt(), TheModel().Layout.ClockX) << "the key typed nothing";
  // Outside a line edit, where only the window's shortcut can answer.
  docked->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(docked));
  QWidget& form = Program().main();
  form.setFocus();
  QTest::keyClick(&form, Qt::Key_D, Qt::ControlModifier);
  EXPECT_TRUE(Program().changes().isVisible());
}

TEST_F(History, ListsTheStepsAndAClickGoesToOne) {
  StartLoaded(500);
  const LayoutRecord loaded = TheModel().Layout;
  EXPECT_EQ(Rows(), std::vector<std::string>{"Loaded version 5.00"});
  EXPECT_EQ(BoldRows(), std::vector<int>{0});

  Form2().ClockXEdit->setText("250");
  testing::DragBy(Main(), Main().BusyIcon, QPoint(3, 0));
  Session().ExchangeEntries(2, 3);
  const std::vector<std::string> steps = {
      "Loaded version 5.00", "Clock X " + std::to_string(loaded.ClockX) + " → 250",
      "Drag of the busy icon (X " + std::to_string(loaded.BusyX) + " → " + std::to_string(loaded.BusyX + 3) + ")",
      "Menu entries: exchange 3 and 4"};
  EXPECT_EQ(Rows(), steps);
  EXPECT_EQ(BoldRows(), std::vector<int>{3});
  EXPECT_EQ(List()->currentRow(), 3);
  EXPECT_EQ(Find<QLabel>(Window(), "SummaryLabel")->text().toStdString(), "3 steps to undo, 0 to redo");

  Window().show();
  QApplication::processEvents();
  ClickRow(1);  // back to after the first step
  EXPECT_EQ(Session().history().Index(), 1u);
  EXPECT_EQ(TheModel().Layout.ClockX, 250);
  EXPECT_EQ(TheModel().Layout.BusyX, loaded.BusyX);
  EXPECT_TRUE(session::SameEntry(TheModel().CategoryEntries[2], TheModel().LoadedCategoryEntries[2]));
  EXPECT_EQ(Form2().BusyXEdit->text().toInt(), loaded.BusyX) << "the windows follow";
  EXPECT_EQ(Rows(), steps) << "the steps after it stay, to be redone";
  EXPECT_EQ(BoldRows(), std::vector<int>{1});
  ClickRow(0);
  EXPECT_TRUE(session::SameLayout(TheModel().Layout, loaded));
  ClickRow(3);  // forward again, every step
  EXPECT_EQ(TheModel().Layout.BusyX, loaded.BusyX + 3);
  EXPECT_FALSE(session::SameEntry(TheModel().CategoryEntries[2], TheModel().LoadedCategoryEntries[2]));

  // Ctrl+Z moves the mark; a new step after going back drops what could be redone.
  Session().Undo();
  EXPECT_EQ(BoldRows(), std::vector<int>{2});
  ClickRow(1);
  Form2().ClockYEdit->setText("7");
  EXPECT_EQ(Rows().size(), 3u);
  EXPECT_EQ(Rows()[2], "Clock Y " + std::to_string(loaded.ClockY) + " → 7");
  EXPECT_EQ(BoldRows(), std::vector<int>{2});

  // A new load starts over.
  testing::ModalDriver driver;
  driver.ThenPress(QMessageBox::Discard);
  Form5().LoadButton->click();
  QApplication::processEvents();
  EXPECT_EQ(Rows(), std::vector<std::string>{"Loaded version 5.00"});
}

TEST_F(History, BeforeALoadThereIsNothing) {
  Start();
  EXPECT_EQ(Rows(), std::vector<std::string>{"Nothing loaded"});
  EXPECT_EQ(BoldRows(), std::vector<int>{0});
}

}  // namespace
}  // namespace qorvi
