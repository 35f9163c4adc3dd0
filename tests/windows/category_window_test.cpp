// SPDX-License-Identifier: GPL-3.0-or-later
// The Category window on loaded demo sets: the grid's texts, double-click cycling
// with its effect on the preview's focus, Up/Down, Reset, "No Show UMD Icon", and
// the entries a save writes.
//
// The 5.00 demo menu (entry: category, item): 0..11 settings items 1..10, 12, 0
// (entry 7, item 8, shows "2000"); 12 (1, 27); 13 (2, 26) US; 14 (2, 33); 15 (2, 16)
// hidden; 16 (4, 31) JPN; 17 (4, 39) KOR; 18 (3, 17) hidden; 19 (5, 19); 20 (5, 20);
// 21 (5, 21) hidden; 22..25 (6, 24/28/30/35), 24 EU; 26..28 (7, 36/37/38); 29
// (255, 11), which the first rebuild takes off the count.
#include "windows/category_window.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include "app/desktop_fixture.h"
#include "editor_test_support.h"
#include "firmware/byte_reader.h"
#include "widgets/picture_box.h"
#include "windows/advance_window.h"

namespace qorvi {
namespace {

using testing::ClickCell;
using testing::DesktopTest;
using testing::DoubleClickCell;
using testing::ModalDriver;

enum { kNo = 0, kIcon = 1, kCategory = 2, kRegion = 3, kShow = 4 };

std::vector<int32_t> List(const Model& m, int category) {
  const CategoryList& l = m.CategoryTable[category];
  return {l.Items.begin(), l.Items.begin() + l.Count};
}

bool SameEntries(const std::array<CategoryEntry, kCategoryEntrySlots>& a,
                 const std::array<CategoryEntry, kCategoryEntrySlots>& b) {
  for (int i = 0; i < kCategoryEntrySlots; ++i) {
    if (a[i].Category != b[i].Category || a[i].Item != b[i].Item || a[i].Show != b[i].Show ||
        a[i].Region != b[i].Region) {
      return false;
    }
  }
  return true;
}

class CategoryWindow : public DesktopTest {
 protected:
  testing::CategoryParts Window() { return Form4(); }
  QTableWidget* Grid() { return Window().CategoryGrid; }
  std::string Text(int row, int column) { return Grid()->item(row, column)->text().toStdString(); }
  std::vector<std::string> Texts() {
    std::vector<std::string> all;
    for (int r = 0; r < Grid()->rowCount(); ++r) {
      for (int c = 0; c < 5; ++c) all.push_back(Text(r, c));
    }
    return all;
  }
  void Focus(int category, int item) {
    Main().XMB_HScroll->setValue(category);
    Main().XMB_VScroll->setValue(item);
    ASSERT_EQ(View().CurrentCategory, category);
    ASSERT_EQ(View().CurrentItem, item);
  }
  void English() { QTest::mouseClick(Main().ENGRadio, Qt::LeftButton); }
  // The focused item's name in the preview (English).
  std::string FocusedName() { return Main().SubMenuText1->text().toStdString(); }
  std::string LabelOf(int item) { return TheModel().LabelTextsEnglish[8 + item].data(); }
};

TEST_F(CategoryWindow, GridShowsTheEntriesWithTheBuiltInNames) {
  StartLoaded(500);
  QTableWidget* g = Grid();
  EXPECT_EQ(Window().windowTitle().toStdString(), "Qorvi Category Window");
  EXPECT_EQ(TheModel().CategoryEntryCount, 29);
  EXPECT_EQ(g->rowCount(), 29);
  const char* headers[] = {"No.", "Icon", "Category", "Region", "Show"};
  const int widths[] = {33, 190, 51, 51, 43};
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(g->horizontalHeaderItem(c)->text().toStdString(), headers[c]);
    EXPECT_EQ(g->columnWidth(c), widths[c]);
  }
  EXPECT_EQ(g->rowHeight(0), 16);
  EXPECT_FALSE(g->verticalHeader()->isVisible());

  struct Row {
    int row;
    const char* japanese;
    const char* english;
    const char* category;
    const char* region;
    const char* show;
  } rows[] = {{0, "USB接続", "usb connection", "System", "-", "Yes"},
              {4, "テーマ設定", "theme setteings", "System", "-", "Yes"},
              {7, "外部ディスプレイ設定", "Connected Display Settings", "System", "-", "2000"},
              {13, "RSSチャンネル", "RSS channel", "Music", "US", "Yes"},
              {15, "UMD", "UMD", "Music", "-", "No"},
              {16, "ワンセグ", "1Seg", "TV", "JPN", "Yes"},
              {17, "T-DMB", "T-DMB", "TV", "KOR", "Yes"},
              {19, "ゲームシェアリング", "Game sharing", "Game", "-", "Yes"},
              {24, "Skype", "Skype", "Network", "EU", "Yes"},
              {28, "PlayStationStore", "PlayStationStore", "PSNet", "-", "Yes"}};
  for (const Row& r : rows) {
    EXPECT_EQ(Text(r.row, kNo), std::to_string(r.row + 1));
    EXPECT_EQ(Text(r.row, kIcon), r.japanese);
    EXPECT_EQ(Text(r.row, kCategory), r.category);
    EXPECT_EQ(Text(r.row, kRegion), r.region);
    EXPECT_EQ(Text(r.row, kShow), r.show);
  }
  English();
  for (const Row& r : rows) EXPECT_EQ(Text(r.row, kIcon), r.english) << r.row;
}

TEST_F(CategoryWindow, BytesOutsideTheKnownValuesShowEmptyNames) {
  StartLoaded(500);
  Model& m = TheModel();
  m.CategoryEntries[0] = {200, 45, 9, 77};
  m.CategoryEntries[1] = {3, 37, 7, 0};
  m.CategoryEntries[2] = {4, 255, 7, 0};
  Window().FillCategoryRows();
  EXPECT_EQ(Text(0, kIcon), "");
  EXPECT_EQ(Text(0, kCategory), "");
  EXPECT_EQ(Text(0, kShow), "No");
  EXPECT_EQ(Text(0, kRegion), "-");
  EXPECT_EQ(Text(1, kIcon), "");  // item 37 has an empty name
  EXPECT_EQ(Text(2, kIcon), "");
  // Such a byte counts on (only 7 wraps to 0, and 255), and the lists never name it.
  DoubleClickCell(Grid(), 0, kCategory);
  EXPECT_EQ(m.CategoryEntries[0].Category, 201);
  EXPECT_EQ(Text(0, kCategory), "");
  DoubleClickCell(Grid(), 0, kShow);
  EXPECT_EQ(m.CategoryEntries[0].Show, 7);
  for (int c = 0; c < kCategories; ++c) {
    for (int32_t item : List(m, c)) EXPECT_LT(item, kItemNumbers);
  }
}

TEST_F(CategoryWindow, DoubleClicksCycleEachByteAndIgnoreTheOtherColumns) {
  StartLoaded(500);
  Model& m = TheModel();
  const std::vector<uint8_t> regions{8, 240, 160, 64, 255, 8};
  for (uint8_t want : regions) {
    DoubleClickCell(Grid(), 3, kRegion);
    EXPECT_EQ(m.CategoryEntries[3].Region, want);
  }
  const std::vector<uint8_t> shows{6, 2, 7, 6};
  for (uint8_t want : shows) {
    DoubleClickCell(Grid(), 9, kShow);
    EXPECT_EQ(m.CategoryEntries[9].Show, want);
  }
  const std::vector<uint8_t> categories{2, 3, 4, 5, 6, 7, 0, 1};
  for (uint8_t want : categories) {
    DoubleClickCell(Grid(), 12, kCategory);
    EXPECT_EQ(m.CategoryEntries[12].Category, want);
  }
  const auto before = m.CategoryEntries;
  DoubleClickCell(Grid(), 5, kNo);
  DoubleClickCell(Grid(), 5, kIcon);
  EXPECT_TRUE(SameEntries(m.CategoryEntries, before));
}

// Hiding the focused item at the end of the current category moves the focus up.
struct HideCase {
  int category, focused, row;
  int32_t nowFocused;  // item number shown afterwards
  bool scrollable;
};

class HideFocused : public CategoryWindow, public ::testing::WithParamInterface<HideCase> {};

TEST_P(HideFocused, MovesThePreviewFocusUpByOne) {
  const HideCase c = GetParam();
  StartLoaded(500);
  English();
  Focus(c.category, c.focused);
  DoubleClickCell(Grid(), c.row, kShow);  // 7 -> 6: still listed
  EXPECT_EQ(View().CurrentItem, c.focused);
  DoubleClickCell(Grid(), c.row, kShow);  // 6 -> 2: left out
  EXPECT_EQ(TheModel().CategoryEntries[c.row].Show, 2);
  EXPECT_EQ(View().CurrentItem, c.focused - 1);
  EXPECT_EQ(Main().XMB_VScroll->value(), c.focused - 1);
  EXPECT_EQ(Main().XMB_VScroll->isEnabled(), c.scrollable);
  if (c.scrollable) {
    EXPECT_EQ(Main().XMB_VScroll->maximum(), c.focused - 1);
  }
  EXPECT_EQ(FocusedName(), LabelOf(c.nowFocused));
}

// PSNet keeps two items to scroll through; TV keeps one, and its scroll bar is
// disabled with the focus on the remaining item.
INSTANTIATE_TEST_SUITE_P(Categories, HideFocused,
                         ::testing::Values(HideCase{7, 2, 28, 37, true}, HideCase{4, 1, 17, 31, false}),
                         [](const ::testing::TestParamInfo<HideCase>& param_info) {
                           return "category" + std::to_string(param_info.param.category);
                         });

TEST_F(CategoryWindow, RegionChangesNeverTouchThePreview) {
  StartLoaded(500);
  English();
  Focus(0, 3);
  Model& m = TheModel();
  auto snapshot = [&] {
    std::vector<int64_t> s{View().CurrentItem,   Main().XMB_VScroll->value(), Main().XMB_VScroll->maximum(),
                           Main().SubIcon1->x(), Main().SubIcon1->y(),        Main().SubMenuText1->x()};
    for (int c = 0; c < kCategories; ++c) {
      for (int32_t item : List(m, c)) s.push_back(item);
    }
    return s;
  };
  const auto before = snapshot();
  const std::string name = FocusedName();
  for (int k = 0; k < 5; ++k) {
    DoubleClickCell(Grid(), 3, kRegion);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(FocusedName(), name);
  }
  EXPECT_EQ(Text(3, kRegion), "-");
}

TEST_F(CategoryWindow, UpMovesAnEntryAcrossOtherCategoriesKeepingItsOwn) {
  StartLoaded(500);
  English();
  Model& m = TheModel();
  ClickCell(Grid(), 20, kIcon);  // (5, 20)
  QTest::mouseClick(Window().UpButton, Qt::LeftButton);
  QTest::mouseClick(Window().UpButton, Qt::LeftButton);
  EXPECT_EQ(Grid()->currentRow(), 18);
  EXPECT_EQ(m.CategoryEntries[18].Category, 5);
  EXPECT_EQ(m.CategoryEntries[18].Item, 20);
  EXPECT_EQ(m.CategoryEntries[19].Category, 3);  // the hidden video entry moved down
  EXPECT_EQ(m.CategoryEntries[20].Item, 19);
  EXPECT_EQ(Text(18, kIcon), "Saved data utility");
  EXPECT_EQ(Text(18, kCategory), "Game");
  EXPECT_EQ(List(m, 5), (std::vector<int32_t>{20, 19, 14, 23, 22}));
  EXPECT_EQ(List(m, 3), (std::vector<int32_t>{18}));

  // Down undoes one step; Up on the first row and Down on the last do nothing.
  QTest::mouseClick(Window().DownButton, Qt::LeftButton);
  EXPECT_EQ(Grid()->currentRow(), 19);
  EXPECT_EQ(m.CategoryEntries[19].Item, 20);
  const auto before = m.CategoryEntries;
  ClickCell(Grid(), 0, kIcon);
  QTest::mouseClick(Window().UpButton, Qt::LeftButton);
  ClickCell(Grid(), 28, kIcon);
  QTest::mouseClick(Window().DownButton, Qt::LeftButton);
  EXPECT_TRUE(SameEntries(m.CategoryEntries, before));
  EXPECT_EQ(Grid()->currentRow(), 28);
}

TEST_F(CategoryWindow, CategorySevenCyclesToSystemAndTheFocusFollows) {
  StartLoaded(500);
  English();
  Model& m = TheModel();
  Focus(7, 2);
  DoubleClickCell(Grid(), 28, kCategory);  // (7, 38) -> (0, 38)
  EXPECT_EQ(m.CategoryEntries[28].Category, 0);
  EXPECT_EQ(Text(28, kCategory), "System");
  EXPECT_EQ(List(m, 7), (std::vector<int32_t>{36, 37}));
  EXPECT_EQ(List(m, 0).back(), 38);
  EXPECT_EQ(View().CurrentItem, 1);
  EXPECT_EQ(Main().XMB_VScroll->maximum(), 1);
  EXPECT_EQ(FocusedName(), LabelOf(37));
}

TEST_F(CategoryWindow, ResetAfterEditsRestoresTheLoadedEntriesButNotTheCount) {
  StartLoaded(500);
  Model& m = TheModel();
  const std::vector<std::string> texts = Texts();
  ClickCell(Grid(), 10, kIcon);
  QTest::mouseClick(Window().UpButton, Qt::LeftButton);
  QTest::mouseClick(Window().UpButton, Qt::LeftButton);
  ClickCell(Grid(), 22, kIcon);
  QTest::mouseClick(Window().DownButton, Qt::LeftButton);
  DoubleClickCell(Grid(), 5, kShow);
  DoubleClickCell(Grid(), 6, kCategory);
  DoubleClickCell(Grid(), 7, kRegion);
  Focus(1, 1);

  ModalDriver driver;
  driver.ThenPress(QMessageBox::Cancel);
  QTest::mouseClick(Window().ResetButton, Qt::LeftButton);
  EXPECT_FALSE(SameEntries(m.CategoryEntries, m.LoadedCategoryEntries));
  driver.ThenPress(QMessageBox::Ok);
  QTest::mouseClick(Window().ResetButton, Qt::LeftButton);
  EXPECT_EQ(driver.messages,
            (std::vector<std::string>{"Reset All CategoryData Value", "Reset All CategoryData Value"}));
  EXPECT_TRUE(SameEntries(m.CategoryEntries, m.LoadedCategoryEntries));
  EXPECT_EQ(Texts(), texts);
  EXPECT_EQ(m.CategoryEntryCount, 29);  // the unlisted last entry stays off the count
  EXPECT_EQ(Main().XMB_VScroll->value(), 0);
  EXPECT_EQ(View().CurrentItem, 0);
  EXPECT_EQ(List(m, 0), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 0}));
}

TEST_F(CategoryWindow, NoShowUmdIconChangesTheTailOfGame) {
  StartLoaded(500);
  Model& m = TheModel();
  auto tail = [&] {
    std::vector<std::string> names;
    for (int32_t item : List(m, 5)) names.emplace_back(windows::CategoryItemName(item, 1));
    return names;
  };
  EXPECT_EQ(tail(), (std::vector<std::string>{"Game sharing", "Saved data utility", "UMD", "UMD Update",
                                              "Memory Stick(Game)"}));
  QTest::mouseClick(Main().NoUMDCheck, Qt::LeftButton);
  EXPECT_EQ(tail(), (std::vector<std::string>{"Game sharing", "Saved data utility", "Memory Stick(Game)"}));
  // The window's own rebuilds follow the box too.
  DoubleClickCell(Grid(), 19, kShow);
  EXPECT_EQ(tail(), (std::vector<std::string>{"Game sharing", "Saved data utility", "Memory Stick(Game)"}));
  QTest::mouseClick(Main().NoUMDCheck, Qt::LeftButton);
  DoubleClickCell(Grid(), 19, kRegion);
  EXPECT_EQ(tail().size(), 5u);
}

TEST_F(CategoryWindow, OtherDataShowsAndHidesTheAdvanceWindow) {
  StartLoaded(500);
  QWidget* advance = TheForms().Form9;
  ASSERT_FALSE(advance->isVisible());
  QTest::mouseClick(Window().AdvanceButton, Qt::LeftButton);
  EXPECT_TRUE(advance->isVisible());
  QTest::mouseClick(Window().AdvanceButton, Qt::LeftButton);
  EXPECT_FALSE(advance->isVisible());
}

// 4.01 (no word Save clears), written plainly: the saved module is the input with
// only the moved entries' records changed.
TEST_F(CategoryWindow, SavedModuleHoldsTheMovedEntriesAtTheirNewRecords) {
  StartLoaded(401);
  Model& m = TheModel();
  const std::vector<uint8_t> input = testing::ReadBytes(Path("vshmain.prx"));
  ClickCell(Grid(), 18, kIcon);  // (5, 20) over (5, 19) and the hidden (3, 17)
  QTest::mouseClick(Window().UpButton, Qt::LeftButton);
  QTest::mouseClick(Window().UpButton, Qt::LeftButton);
  ASSERT_EQ(m.CategoryEntries[16].Item, 20);

  Main().CompCheck->setChecked(false);
  ModalDriver driver;
  QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
  EXPECT_EQ(driver.messages, std::vector<std::string>{"done"});

  std::vector<uint8_t> want = input;
  ByteWriter w(want);
  const uint64_t table = ProfileFor(401)->VshOffsets[kVshCategoryEntries];
  const uint8_t moved[3][4] = {{5, 20, 7, 0}, {3, 17, 2, 0}, {5, 19, 7, 0}};
  for (int k = 0; k < 3; ++k) {
    for (int b = 0; b < 4; ++b) w.u8(table + 16 * (16 + k) + 4 * b, moved[k][b]);
  }
  const std::vector<uint8_t> saved = testing::ReadBytes(m.paths.DoneVshmainPath);
  ASSERT_EQ(saved.size(), want.size());
  EXPECT_TRUE(saved == want);
  EXPECT_FALSE(saved == input);
}

}  // namespace
}  // namespace qorvi
