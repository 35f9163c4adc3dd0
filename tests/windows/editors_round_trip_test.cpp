// SPDX-License-Identifier: GPL-3.0-or-later
// From the windows to the files and back: colours, menu entries and item functions
// changed through the Color, Category and Advance windows, saved with the main
// window's Save, and loaded again without the program. The saved set holds exactly
// the input's values with those changes.
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <variant>

#include "app/desktop_fixture.h"
#include "editor_test_support.h"
#include "firmware/load_sequence.h"
#include "model/colors.h"
#include "widgets/picture_box.h"
#include "windows/advance_window.h"
#include "windows/category_window.h"
#include "windows/color_window.h"

namespace qorvi {
namespace {

using testing::ChooseEntry;
using testing::ClickCell;
using testing::DesktopTest;
using testing::DoubleClickCell;
using testing::ModalDriver;

struct ModuleFiles {
  std::string vshmain, paf, topmenuPlugin, systemPluginFg, topmenuIcon;
};

// A model loaded without any window, its icon bitmaps written into `iconDir`.
std::unique_ptr<Model> LoadHeadless(const ModuleFiles& files, const std::string& iconDir) {
  auto m = std::make_unique<Model>();
  EXPECT_TRUE(m->work.Allocate());
  BuildPaths(m->paths, iconDir);
  SetIconDir(m->paths, iconDir);
  m->paths.VshmainPath = files.vshmain;
  m->paths.PafPath = files.paf;
  m->paths.TopmenuPluginPath = files.topmenuPlugin;
  m->paths.SystemPluginFgPath = files.systemPluginFg;
  m->paths.TopmenuIconPath = files.topmenuIcon;
  EXPECT_EQ(LoadAll(*m), std::nullopt);
  return m;
}

RgbF TableColor(int r, int g, int b) {
  return {FloatFromColorByte(static_cast<uint8_t>(r)), FloatFromColorByte(static_cast<uint8_t>(g)),
          FloatFromColorByte(static_cast<uint8_t>(b))};
}

void SetTag(std::array<char, 24>& tag, const std::string& text) {
  tag.fill('\0');
  std::copy(text.begin(), text.end(), tag.begin());
}

void ExpectSameLayout(const LayoutRecord& got, const LayoutRecord& want) {
  for (const LayoutField& field : LayoutFields()) {
    std::visit([&](auto member) { EXPECT_EQ(got.*member, want.*member) << field.name; }, field.member);
  }
  for (int i = 0; i < kColorTableEntries; ++i) {
    for (auto table : {&LayoutRecord::TextColor, &LayoutRecord::BGColor}) {
      const RgbF& a = (got.*table)[i];
      const RgbF& b = (want.*table)[i];
      EXPECT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b) << "colour entry " << i;
    }
  }
  for (auto icon : {&LayoutRecord::BatteryColor, &LayoutRecord::ClockColor, &LayoutRecord::BusyColor}) {
    const Rgb8& a = got.*icon;
    const Rgb8& b = want.*icon;
    EXPECT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b);
  }
}

void ExpectSameEntriesAndItems(const Model& got, const Model& want) {
  EXPECT_EQ(got.CategoryEntryCount, want.CategoryEntryCount);
  for (int i = 0; i < kCategoryEntrySlots; ++i) {
    const CategoryEntry& a = got.CategoryEntries[i];
    const CategoryEntry& b = want.CategoryEntries[i];
    EXPECT_TRUE(a.Category == b.Category && a.Item == b.Item && a.Show == b.Show && a.Region == b.Region)
        << "entry " << i;
  }
  ASSERT_EQ(got.ItemCount, want.ItemCount);
  for (int i = 0; i < got.ItemCount; ++i) {
    const ItemRecord& a = got.ItemTable[i];
    const ItemRecord& b = want.ItemTable[i];
    EXPECT_TRUE(a.MainImageTag == b.MainImageTag && a.ShadowImageTag == b.ShadowImageTag &&
                a.ConfImageTag == b.ConfImageTag && a.NameTag == b.NameTag)
        << "tags of item " << i;
    EXPECT_TRUE(a.Word0 == b.Word0 && a.Media == b.Media && a.ExecGroup == b.ExecGroup &&
                a.ExecFunction == b.ExecFunction && a.Word4 == b.Word4 && a.Word5 == b.Word5 && a.Word6 == b.Word6 &&
                a.UmdFlag == b.UmdFlag && a.ExecIndex == b.ExecIndex)
        << "item " << i;
  }
}

class EditorsRoundTrip : public DesktopTest {};

TEST_F(EditorsRoundTrip, ChangesInTheThreeWindowsComeBackFromTheSavedFiles) {
  StartLoaded(500);
  testing::ScopedTempDir icons;
  auto want = LoadHeadless({Path("vshmain.prx"), Path("paf.prx"), Path("topmenu_plugin.rco"),
                            Path("system_plugin_fg.rco"), Path("topmenu_icon.rco")},
                           icons.path());
  ModalDriver driver;

  // Colours: text entry 2, background entry 29 (5.00 has 30), the battery.
  auto colors = Form3();
  const QPoint inside(10, 10);
  driver.ThenChooseColor(QColor(12, 34, 56));
  QTest::mouseClick(colors.TcolImages[2], Qt::LeftButton, Qt::NoModifier, inside);
  QTest::mouseClick(colors.BGRadio, Qt::LeftButton);
  driver.ThenChooseColor(QColor(200, 100, 0));
  QTest::mouseClick(colors.TcolImages[29], Qt::LeftButton, Qt::NoModifier, inside);
  driver.ThenChooseColor(QColor(5, 6, 7));
  QTest::mouseClick(colors.BatteryImage, Qt::LeftButton, Qt::NoModifier, inside);
  want->Layout.TextColor[2] = TableColor(12, 34, 56);
  want->Layout.BGColor[29] = TableColor(200, 100, 0);
  want->Layout.BatteryColor = {5, 6, 7};

  // Entries: an exchange, a show code, a region, a category.
  auto categories = Form4();
  ClickCell(categories.CategoryGrid, 20, 1);
  QTest::mouseClick(categories.UpButton, Qt::LeftButton);
  DoubleClickCell(categories.CategoryGrid, 13, 4);
  DoubleClickCell(categories.CategoryGrid, 16, 3);
  DoubleClickCell(categories.CategoryGrid, 26, 2);
  std::swap(want->CategoryEntries[19], want->CategoryEntries[20]);
  want->CategoryEntries[13].Show = 6;
  want->CategoryEntries[16].Region = 240;
  want->CategoryEntries[26].Category = 0;

  // Functions and item values.
  QTest::mouseClick(categories.AdvanceButton, Qt::LeftButton);
  auto advance = Form9();
  ClickCell(advance.ExecuteGrid, 5, 0);
  ChooseEntry(advance.ExecCombo, 27);
  ClickCell(advance.ExecuteGrid, 14, 0);
  ChooseEntry(advance.MediaCombo, 2);
  ChooseEntry(advance.UMDCombo, 1);
  ClickCell(advance.ExecuteGrid, 0, 0);
  ChooseEntry(advance.NameTagCombo, 1);
  want->ItemTable[5].ExecIndex = 27;
  want->ItemTable[5].ExecGroup = 19;
  want->ItemTable[5].ExecFunction = 0;
  want->ItemTable[14].Media = 3;
  want->ItemTable[14].UmdFlag = 1;
  SetTag(want->ItemTable[0].NameTag, "msg_usb");

  // Saved compressed (the default), then read back from the output tree.
  ASSERT_TRUE(Main().CompCheck->isChecked());
  QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
  EXPECT_EQ(driver.messages, std::vector<std::string>{"done"});
  const Paths& p = TheModel().paths;
  testing::ScopedTempDir moreIcons;
  auto got = LoadHeadless(
      {p.DoneVshmainPath, p.DonePafPath, p.DoneTopmenuPluginPath, p.DoneSystemPluginFgPath, p.DoneTopmenuIconPath},
      moreIcons.path());

  ExpectSameLayout(got->Layout, want->Layout);
  ExpectSameEntriesAndItems(*got, *want);
  // And the program's model holds the same values.
  ExpectSameLayout(TheModel().Layout, want->Layout);
}

}  // namespace
}  // namespace qorvi
