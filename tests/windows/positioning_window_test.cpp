// SPDX-License-Identifier: GPL-3.0-or-later
// The Positioning window: its items, the offsets it stores and the elements they
// move, Reset, and that Save never sees an offset.
#include "windows/positioning_window.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "app/desktop_fixture.h"
#include "widgets/picture_box.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using testing::ModalDriver;
namespace fs = std::filesystem;

class PositioningWindow : public DesktopTest {
 protected:
  testing::PositioningParts Window() { return Form6(); }

  // Picks an item and moves the scroll bar to `value` with the arrow keys.
  void SetOffset(int item, int value) {
    auto w = Window();
    if (!w.isVisible()) QTest::mouseClick(Main().PositioningButton, Qt::LeftButton);
    ASSERT_TRUE(w.isVisible());
    w.ItemCombo->setCurrentIndex(item);
    for (int keys = 0; keys < 21 && w.ValueScroll->value() != value; ++keys) {
      QTest::keyClick(w.ValueScroll, w.ValueScroll->value() < value ? Qt::Key_Right : Qt::Key_Left);
    }
    ASSERT_EQ(w.ValueScroll->value(), value);
  }

  // Presses Save and returns every file below done/ by its relative path.
  std::map<std::string, std::string> SaveAndRead() {
    ModalDriver driver;
    QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
    EXPECT_EQ(driver.messages, std::vector<std::string>{"done"});
    std::map<std::string, std::string> files;
    const fs::path done = fs::path(WorkDir()) / "done";
    for (const auto& entry : fs::recursive_directory_iterator(done)) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      files[fs::relative(entry.path(), done).string()] =
          std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    fs::remove_all(done);
    return files;
  }
};

TEST_F(PositioningWindow, ListsTheNineteenItemsAsUsersKnowThem) {
  Start();
  auto w = Window();
  const char* items[] = {"Main Icon X position",
                         "Main Icon Y position",
                         "Upper Sub Icon Y position",
                         "Lower Sub Icon Y position",
                         "Unforcused Icon Y position",
                         "Focused～Unforcused Icon Space",
                         "Unforcused～Unfforcused Icon Space",
                         "Clock X position",
                         "Clock Y position",
                         "Battery X position",
                         "Battery Y position",
                         "Busy X position",
                         "Busy Y position",
                         "Mainmenutext X position",
                         "Mainmenutext Y position",
                         "Mainmenutext Size",
                         "Submenutext X position",
                         "Submenutext Y position",
                         "Submenutext Size"};
  ASSERT_EQ(w.ItemCombo->count(), 19);
  for (int i = 0; i < 19; ++i) EXPECT_EQ(w.ItemCombo->itemText(i).toStdString(), items[i]);
  EXPECT_FALSE(w.ItemCombo->isEditable());
  EXPECT_EQ(w.ItemCombo->currentIndex(), 0);
  EXPECT_EQ(w.ValueScroll->minimum(), -10);
  EXPECT_EQ(w.ValueScroll->maximum(), 10);
  EXPECT_EQ(w.ValueScroll->value(), 0);
  EXPECT_EQ(w.ValueLabel->text().toStdString(), "0");
  EXPECT_TRUE(w.ValueLabel->font().bold());
  EXPECT_EQ(w.windowTitle().toStdString(), "Qorvi Positioning Window");
}

TEST_F(PositioningWindow, ClockOffsetMovesThePreviewAndNeverReachesTheFiles) {
  StartLoaded(395);
  const std::map<std::string, std::string> plain = SaveAndRead();
  ASSERT_FALSE(plain.empty());

  const QPoint clock = Main().Clock->pos();
  const LayoutRecord layout = TheModel().Layout;
  SetOffset(kClockX, 3);
  EXPECT_EQ(View().RepositionOffset[kClockX], 3);
  EXPECT_EQ(Window().ValueLabel->text().toStdString(), "3");
  EXPECT_EQ(Main().Clock->pos(), clock + QPoint(3, 0));
  EXPECT_EQ(std::memcmp(&TheModel().Layout, &layout, sizeof layout), 0);

  EXPECT_EQ(SaveAndRead(), plain);
}

TEST_F(PositioningWindow, SizeOffsetsChangeTheFontSizesWithAFloorOfOne) {
  StartLoaded(395);
  auto& f = Main();
  const struct {
    int item;
    QLabel* text;
    int atMinus10;
    int atPlus10;
  } cases[] = {{kMainTextSize, f.MainMenutext, 1, 18}, {kSubTextSize, f.SubMenuText1, 1, 20}};
  for (const auto& c : cases) {
    SetOffset(c.item, -10);
    EXPECT_EQ(c.text->font().pointSize(), c.atMinus10) << c.item;
    SetOffset(c.item, 10);
    EXPECT_EQ(c.text->font().pointSize(), c.atPlus10) << c.item;
  }
}

TEST_F(PositioningWindow, SelectingAnItemShowsItsOffsetAndChangesNone) {
  StartLoaded(395);
  auto w = Window();
  SetOffset(kBusyY, -4);
  SetOffset(kMainIconX, 2);
  const auto offsets = View().RepositionOffset;
  for (int item : {kBusyY, kClockY, kMainIconX, kBusyY}) {
    QTest::keyClick(w.ItemCombo, Qt::Key_Up);  // the keys change the selection too
    w.ItemCombo->setCurrentIndex(item);
    EXPECT_EQ(w.ValueScroll->value(), offsets[item]);
    EXPECT_EQ(w.ValueLabel->text().toInt(), offsets[item]);
  }
  EXPECT_EQ(View().RepositionOffset, offsets);
}

TEST_F(PositioningWindow, OffsetsMoveTheirElements) {
  StartLoaded(395);
  auto& f = Main();
  const struct {
    int item;
    QWidget* element;
    QPoint move;
  } cases[] = {{kMainIconX, f.SubIcon1, {5, 0}},          {kMainIconY, f.MainIcons[0], {0, 5}},
               {kUnfocusedIconY, f.MainIcons[1], {0, 5}}, {kLowerSubIconY, f.SubIcons[3], {0, 10}},
               {kBatteryX, f.BatteryIcon, {5, 0}},        {kBusyY, f.BusyIcon, {0, 5}},
               {kMainTextY, f.MainMenutext, {0, 5}},      {kSubTextX, f.SubMenuText1, {5, 0}}};
  for (const auto& c : cases) {
    const QPoint at = c.element->pos();
    SetOffset(c.item, 5);
    EXPECT_EQ(c.element->pos(), at + c.move) << c.item;
  }
}

TEST_F(PositioningWindow, ResetAsksAndZeroesEveryOffset) {
  StartLoaded(395);
  auto w = Window();
  const QPoint clock = Main().Clock->pos();
  const QPoint busy = Main().BusyIcon->pos();
  SetOffset(kClockY, 7);
  SetOffset(kSubTextSize, -2);
  SetOffset(kBusyX, 4);
  const auto offsets = View().RepositionOffset;

  {
    ModalDriver driver;
    driver.ThenPress(QMessageBox::Cancel);
    QTest::mouseClick(w.ResetButton, Qt::LeftButton);
    ASSERT_EQ(driver.messages, std::vector<std::string>{"Reset All re-positioning Value"});
  }
  EXPECT_EQ(View().RepositionOffset, offsets);

  {
    ModalDriver driver;
    driver.ThenPress(QMessageBox::Ok);
    QTest::mouseClick(w.ResetButton, Qt::LeftButton);
  }
  for (int8_t o : View().RepositionOffset) EXPECT_EQ(o, 0);
  EXPECT_EQ(w.ValueScroll->value(), 0);
  EXPECT_EQ(w.ValueLabel->text().toStdString(), "0");
  EXPECT_EQ(Main().Clock->pos(), clock);
  EXPECT_EQ(Main().BusyIcon->pos(), busy);
  EXPECT_EQ(Main().SubMenuText1->font().pointSize(), 10);
}

}  // namespace
}  // namespace qorvi
