// SPDX-License-Identifier: GPL-3.0-or-later
// "Check layout..." in the preview's menu: the Check window lists what the layout
// check finds in the session's current model ("No findings" when nothing), and a
// click on a finding moves the preview to its category and item.
#include "windows/check_window.h"

#include <QLabel>
#include <QListWidget>
#include <QTest>

#include "app/desktop_fixture.h"
#include "app/menu_driver.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using testing::Find;

class CheckWindow : public DesktopTest {
 protected:
  windows::CheckWindow& Window() { return Program().check(); }
  QLabel* Summary() { return Find<QLabel>(Window(), "SummaryLabel"); }
  QListWidget* List() { return Find<QListWidget>(Window(), "FindingList"); }
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int i = 0; i < List()->count(); ++i) rows.push_back(List()->item(i)->text().toStdString());
    return rows;
  }
  int RowStarting(const std::string& start) {
    const std::vector<std::string> rows = Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].rfind(start, 0) == 0) return static_cast<int>(i);
    }
    return -1;
  }
};

TEST_F(CheckWindow, AnUnchangedSetHasNoFindings) {
  StartLoaded(500);
  EXPECT_FALSE(Window().isVisible());
  testing::PickFromPreviewMenu(Main(), "Check layout...");
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(Summary()->text().toStdString(), "No findings");
  EXPECT_EQ(List()->count(), 0);
}

TEST_F(CheckWindow, PlantedProblemsAreListedAndAClickShowsThem) {
  StartLoaded(500);
  // The clock far to the right, and the second item of category 2 with an
  // execute function no table entry has.
  Form2().ClockXEdit->setText("400");
  const int item = TheModel().CategoryTable[2].Items[1];
  session::Items items = TheModel().ItemTable;
  items[static_cast<std::size_t>(item)].ExecGroup = 0x7777;
  Session().Apply(session::ModelChange::Of(items), "a planted item");

  testing::PickFromPreviewMenu(Main(), "Check layout...");
  EXPECT_EQ(Summary()->text().toStdString(), "2 findings; click one to see it in the preview");
  EXPECT_EQ(Rows().front(), "Clock is outside the screen (category 0, item 0)");
  const int row = RowStarting("SubIcon1 shows item " + std::to_string(item) + ", whose execute function");
  ASSERT_GE(row, 0) << ::testing::PrintToString(Rows());
  EXPECT_NE(Rows()[static_cast<std::size_t>(row)].find("(category 2, item 1)"), std::string::npos);

  QListWidget* list = List();
  const QRect cell = list->visualItemRect(list->item(row));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  EXPECT_EQ(View().CurrentCategory, 2);
  EXPECT_EQ(View().CurrentItem, 1);
  EXPECT_EQ(Main().XMB_HScroll->value(), 2);
  EXPECT_EQ(Main().XMB_VScroll->value(), 1);
  EXPECT_EQ(Main().SubMenuText1->text(),
            QString::fromUtf8(TheModel().LabelTextsJapanese[static_cast<std::size_t>(8 + item)].data()));

  // Back to the first; then, with the layout mended, checking again finds one.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(0)).center());
  EXPECT_EQ(View().CurrentCategory, 0);
  EXPECT_EQ(Main().XMB_HScroll->value(), 0);
  Form2().ClockXEdit->setText(QString::number(TheModel().LoadedLayout.ClockX));
  QTest::mouseClick(Find<QPushButton>(Window(), "CheckButton"), Qt::LeftButton);
  EXPECT_EQ(Summary()->text().toStdString(), "1 finding; click one to see it in the preview");
}

}  // namespace
}  // namespace qorvi
