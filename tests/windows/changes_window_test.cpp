// SPDX-License-Identifier: GPL-3.0-or-later
// The Changes window: opened by Ctrl+D from any window (also from a line edit),
// it follows every change of the session (undo included) with what Save would
// change, grouped by window; a double click shows the value's window and edit, and
// Revert puts the selected value back as one step. The "Save changes?" prompt lists
// the same changes in its details.
#include "windows/changes_window.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "app/desktop_fixture.h"
#include "app/menu_driver.h"
#include "editor_test_support.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using testing::Find;

class ChangesWindow : public DesktopTest {
 protected:
  windows::ChangesWindow& Window() { return Program().changes(); }
  QLabel* Summary() { return Find<QLabel>(Window(), "SummaryLabel"); }
  QTreeWidget* Tree() { return Find<QTreeWidget>(Window(), "ChangeTree"); }
  QPushButton* RevertButton() { return Find<QPushButton>(Window(), "RevertButton"); }

  // The list as "caption" and "  key: from → to" lines.
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int g = 0; g < Tree()->topLevelItemCount(); ++g) {
      const QTreeWidgetItem* group = Tree()->topLevelItem(g);
      rows.push_back(group->text(0).toStdString());
      for (int i = 0; i < group->childCount(); ++i) {
        rows.push_back("  " + group->child(i)->text(0).toStdString() + ": " + group->child(i)->text(1).toStdString());
      }
    }
    return rows;
  }
  QTreeWidgetItem* Row(const QString& key) {
    const QList<QTreeWidgetItem*> found = Tree()->findItems(key, Qt::MatchExactly | Qt::MatchRecursive, 0);
    EXPECT_EQ(found.size(), 1) << key.toStdString();
    return found.isEmpty() ? nullptr : found.first();
  }
  void ClickRow(const QString& key, bool twice = false) {
    QTreeWidgetItem* row = Row(key);
    ASSERT_NE(row, nullptr);
    const QPoint at = Tree()->visualItemRect(row).center();
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    if (twice) QTest::mouseDClick(Tree()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  }
  void TypeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
};

TEST_F(ChangesWindow, FollowsEveryChangeAndUndo) {
  StartLoaded(500);
  // Ctrl+D in a line edit of the Icon data window (a line edit would take it as Delete).
  QLineEdit* clock_x = Form2().ClockXEdit;
  clock_x->setFocus();
  QTest::keyClick(clock_x, Qt::Key_D, Qt::ControlModifier);
  ASSERT_TRUE(Window().isVisible());
  EXPECT_EQ(clock_x->text().toStdString(), "207") << "the key is the window's";
  EXPECT_EQ(Summary()->text().toStdString(), "Nothing differs from the loaded files");
  EXPECT_EQ(Rows(), std::vector<std::string>{});

  // Each change shows at once, in its window's group.
  TypeInto(clock_x, "250");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Icon data", "  layout.ClockX: 207 → 250"}));
  Form2().ClockXEdit->clearFocus();  // typing into this edit ends: the next change is a step of its own
  testing::DoubleClickCell(Form4().CategoryGrid, 3, 4);  // Show of entry 4
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Icon data", "  layout.ClockX: 207 → 250", "Category",
                                              "  categoryEntries[3].show: 7 → 6"}));
  TypeInto(Form7().OptSpaceEdit, "1.5");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Icon data", "  layout.ClockX: 207 → 250", "Text data",
                                              "  layout.OptSpace: 22.5 → 1.5", "Category",
                                              "  categoryEntries[3].show: 7 → 6"}));
  EXPECT_EQ(Summary()->text().toStdString(), "3 values differ from the loaded files; double-click one to edit it");

  // Undo, by its key in the Changes window itself, takes the last change off the list.
  QTest::keyClick(Tree(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Icon data", "  layout.ClockX: 207 → 250", "Category",
                                              "  categoryEntries[3].show: 7 → 6"}));
  QTest::keyClick(Tree(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(Tree(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Rows(), std::vector<std::string>{});
  QTest::keyClick(Tree(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Icon data", "  layout.ClockX: 207 → 250"}));
}

TEST_F(ChangesWindow, RevertPutsTheSelectedValueBackAsOneStep) {
  StartLoaded(500);
  TypeInto(Form2().ClockXEdit, "250");
  Form2().ClockXEdit->clearFocus();
  Session().SetTableColor(true, 4, {1.0f, 0.0f, 0.0f});
  testing::PickFromPreviewMenu(Main(), "Changes...");
  ASSERT_TRUE(Window().isVisible());
  EXPECT_FALSE(RevertButton()->isEnabled()) << "nothing selected";

  ClickRow("layout.ClockX");
  EXPECT_TRUE(RevertButton()->isEnabled());
  QTest::mouseClick(RevertButton(), Qt::LeftButton);
  EXPECT_EQ(TheModel().Layout.ClockX, 207);
  EXPECT_EQ(Form2().ClockXEdit->text().toStdString(), "207");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Color",
                                              "  layout.BGColor[4]: [0.328125, 0.828125, 0.953125] → [1.0, "
                                              "0.0, 0.0]"}));
  // The next row is the selected one now.
  EXPECT_EQ(Tree()->currentItem(), Row("layout.BGColor[4]"));
  EXPECT_EQ(Session().history().Index(), 3u);

  Session().Undo();
  EXPECT_EQ(TheModel().Layout.ClockX, 250);
  EXPECT_EQ(Tree()->topLevelItemCount(), 2);
}

TEST_F(ChangesWindow, ADoubleClickShowsTheValuesWindowAndEdit) {
  StartLoaded(500);
  TypeInto(Form7().OptSpaceEdit, "1.5");
  testing::DoubleClickCell(Form4().CategoryGrid, 3, 2);  // Category of entry 4
  Session().SetItemMedia(6, 3);
  Form7().hide();
  Form4().hide();
  testing::PickFromPreviewMenu(Main(), "Changes...");

  ClickRow("layout.OptSpace", true);
  EXPECT_TRUE(Form7().isVisible());
  EXPECT_EQ(Program().text_data().focusWidget(), Form7().OptSpaceEdit);
  EXPECT_EQ(Form7().OptSpaceEdit->selectedText(), "1.5");
  EXPECT_EQ(Main().ShowTextDataButton->text(), "Hide Text Data") << "opened as its button opens it";

  ClickRow("categoryEntries[3].category", true);
  EXPECT_TRUE(Form4().isVisible());
  EXPECT_EQ(Form4().CategoryGrid->currentRow(), 3);
  EXPECT_EQ(Form4().CategoryGrid->currentColumn(), 2);

  ClickRow("items[6].Media", true);
  EXPECT_TRUE(Form9().isVisible());
  EXPECT_EQ(Form9().ExecuteGrid->currentRow(), 6);
  EXPECT_EQ(Program().advance().focusWidget(), Form9().MediaCombo);
  EXPECT_EQ(Form9().MediaCombo->currentText(), "MS");
}

TEST_F(ChangesWindow, TheSavePromptListsTheChanges) {
  StartLoaded(500);
  TypeInto(Form2().ClockXEdit, "250");
  Session().SetIconColor(&LayoutRecord::BusyColor, {1, 2, 3});
  testing::ModalDriver driver;
  driver.ThenPress(QMessageBox::Cancel);
  Main().form.close();
  ASSERT_EQ(driver.messages, std::vector<std::string>{"Save changes?"});
  EXPECT_EQ(driver.details.front(), "layout.ClockX: 207 → 250\nlayout.BusyColor: [127, 255, 159] → [1, 2, 3]");
  EXPECT_TRUE(Main().form.isVisible()) << "cancelled";
}

}  // namespace
}  // namespace qorvi
