// SPDX-License-Identifier: GPL-3.0-or-later
// The Advance window on the 5.00 demo set: the function grid and the lists built
// from the items, the selected item's values, the change handlers, the language.
//
// Demo items run the function of their own index, except items 14 and 21 (swapped)
// and item 32 (a pair the table lacks, so ExecIndex stays 0). Item 2, 5, 8, ... have
// no shadow tag, items from 13 on no conf tag.
#include "windows/advance_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "app/desktop_fixture.h"
#include "app/menu_driver.h"
#include "editor_test_support.h"
#include "firmware/byte_reader.h"
#include "firmware/exec_functions.h"
#include "windows/category_window.h"

namespace qorvi {
namespace {

using testing::ChooseEntry;
using testing::ClickCell;
using testing::DesktopTest;
using testing::ModalDriver;

std::vector<std::string> Entries(const QComboBox* combo) {
  std::vector<std::string> texts;
  for (int k = 0; k < combo->count(); ++k) texts.push_back(combo->itemText(k).toStdString());
  return texts;
}

std::string Name(int index, int language) { return std::string(ExecFunctionName(index, language)); }

class AdvanceWindow : public DesktopTest {
 protected:
  // Loads the 5.00 set and opens the window with the Category window's "other data".
  testing::AdvanceParts Open() {
    StartLoaded(500);
    QTest::mouseClick(Form4().AdvanceButton, Qt::LeftButton);
    EXPECT_TRUE(Window().isVisible());
    return Window();
  }
  testing::AdvanceParts Window() { return Form9(); }
  ItemRecord& Item(int i) { return TheModel().ItemTable[i]; }
};

TEST_F(AdvanceWindow, ListsOneEntryPerItemAndShowsTheSelectedItem) {
  auto w = Open();
  EXPECT_EQ(w.windowTitle().toStdString(), "Qorvi Executable Link Window");
  ASSERT_EQ(w.ExecuteGrid->rowCount(), 40);
  EXPECT_EQ(w.ExecuteGrid->columnWidth(0), 154);
  for (int i : {0, 14, 27, 39}) EXPECT_EQ(w.ExecuteGrid->item(i, 0)->text().toStdString(), Name(i, 0));
  for (QComboBox* c : {w.ExecCombo, w.MainImageCombo, w.SdwImageCombo, w.ConfImageCombo, w.NameTagCombo}) {
    EXPECT_EQ(c->count(), 40) << c->objectName().toStdString();
  }
  EXPECT_EQ(w.ExecCombo->itemText(14).toStdString(), Name(21, 0));
  EXPECT_EQ(w.ExecCombo->itemText(32).toStdString(), Name(0, 0));
  EXPECT_EQ(w.SdwImageCombo->itemText(2).toStdString(), "");
  EXPECT_EQ(w.ConfImageCombo->itemText(13).toStdString(), "");
  EXPECT_EQ(Entries(w.MediaCombo), (std::vector<std::string>{"Flash", "UMD", "MS"}));
  EXPECT_EQ(Entries(w.UMDCombo), (std::vector<std::string>{"Yes", "No"}));

  // The first row is selected from the start.
  EXPECT_EQ(w.ExecuteGrid->currentRow(), 0);
  EXPECT_EQ(w.ExecCombo->currentIndex(), 0);
  EXPECT_EQ(w.MediaCombo->currentText().toStdString(), "Flash");
  EXPECT_EQ(w.UMDCombo->currentText().toStdString(), "No");
  EXPECT_EQ(w.MainImageCombo->currentText().toStdString(), "tex_netupdate");

  ClickCell(w.ExecuteGrid, 21, 0);
  EXPECT_EQ(w.ExecCombo->currentIndex(), 14);
  EXPECT_EQ(w.MediaCombo->currentText().toStdString(), "UMD");
  EXPECT_EQ(w.UMDCombo->currentText().toStdString(), "Yes");
  EXPECT_EQ(w.MainImageCombo->currentIndex(), 21);
  EXPECT_EQ(w.SdwImageCombo->currentText().toStdString(), "tex_umd_photo_sh");
  EXPECT_EQ(w.ConfImageCombo->currentIndex(), 13);  // the first empty entry
  EXPECT_EQ(w.NameTagCombo->currentText().toStdString(), "msg_umd_photo");
  ClickCell(w.ExecuteGrid, 32, 0);
  EXPECT_EQ(w.ExecCombo->currentIndex(), 0);
}

// A chosen tag is the listed tag's own bytes, whatever they are (here not UTF-8, so
// the text the list shows could not give them back), and Save writes them.
TEST_F(AdvanceWindow, ChoosingATagCopiesItsBytes) {
  demo::DemoContent content = demo::DefaultDemoContent(500);
  const char odd[] = "sh\xFF\xFE_x";
  auto& listed = content.items[7].record.ShadowImageTag;
  listed.fill('\0');
  std::copy(std::begin(odd), std::end(odd) - 1, listed.begin());
  std::string error;
  ASSERT_TRUE(demo::WriteDemoFiles(WorkDir(), demo::BuildDemoSet(content, demo::DemoOptions{}), &error)) << error;
  Start();
  ASSERT_TRUE(PressLoad().empty());
  QTest::mouseClick(Form4().AdvanceButton, Qt::LeftButton);
  auto w = Window();
  ClickCell(w.ExecuteGrid, 0, 0);
  ChooseEntry(w.SdwImageCombo, 7);
  EXPECT_TRUE(Item(0).ShadowImageTag == Item(7).ShadowImageTag);
  EXPECT_TRUE(Item(0).ShadowImageTag == listed);

  Main().CompCheck->setChecked(false);
  ModalDriver driver;
  QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
  const std::vector<uint8_t> saved = testing::ReadBytes(TheModel().paths.DoneVshmainPath);
  const uint64_t field = ProfileFor(500)->VshOffsets[kVshItemTable] + 55;  // item 0's shadow tag
  ASSERT_GE(saved.size(), field + sizeof odd);
  EXPECT_TRUE(std::equal(std::begin(odd), std::end(odd), saved.begin() + static_cast<std::ptrdiff_t>(field),
                         [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; }));
}

TEST_F(AdvanceWindow, GivingItem5TheCameraStoresItsPairAndSaveWritesIt) {
  auto w = Open();
  const ItemRecord before = Item(5);
  ClickCell(w.ExecuteGrid, 5, 0);
  ChooseEntry(w.ExecCombo, 27);
  EXPECT_EQ(Item(5).ExecIndex, 27);
  EXPECT_EQ(Item(5).ExecGroup, 19u);
  EXPECT_EQ(Item(5).ExecFunction, 0u);
  EXPECT_EQ(Item(5).Media, before.Media);
  EXPECT_EQ(Item(4).ExecIndex, 4);

  Main().CompCheck->setChecked(false);
  ModalDriver driver;
  QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
  const std::vector<uint8_t> saved = testing::ReadBytes(TheModel().paths.DoneVshmainPath);
  ByteReader r(saved);
  const uint64_t record = ProfileFor(500)->VshOffsets[kVshItemTable] + 140 * 5;
  EXPECT_EQ(r.u32(record + 8), 19u);
  EXPECT_EQ(r.u32(record + 12), 0u);
  EXPECT_EQ(r.u32(record + 4), before.Media);
  EXPECT_TRUE(r.ok());
}

TEST_F(AdvanceWindow, MediaAndUmdStoreTheirPositions) {
  auto w = Open();
  ClickCell(w.ExecuteGrid, 14, 0);  // a UMD item: media 2, flag 0
  struct Case {
    QComboBox* combo;
    int position;
    uint32_t media;
    uint8_t flag;
  } cases[] = {{w.MediaCombo, 2, 3, 0}, {w.UMDCombo, 1, 3, 1}, {w.MediaCombo, 0, 1, 1}, {w.UMDCombo, 0, 1, 0}};
  for (const Case& c : cases) {
    ChooseEntry(c.combo, c.position);
    EXPECT_EQ(Item(14).Media, c.media) << c.combo->currentText().toStdString();
    EXPECT_EQ(Item(14).UmdFlag, c.flag) << c.combo->currentText().toStdString();
  }
  EXPECT_EQ(Item(13).Media, 3u);
  EXPECT_EQ(Item(15).UmdFlag, 1);
}

TEST_F(AdvanceWindow, LanguageRenamesGridAndFunctionsButNotTheTags) {
  auto w = Open();
  ClickCell(w.ExecuteGrid, 7, 0);
  const std::vector<std::string> tags[] = {Entries(w.MainImageCombo), Entries(w.SdwImageCombo),
                                           Entries(w.ConfImageCombo), Entries(w.NameTagCombo)};
  QTest::mouseClick(Main().ENGRadio, Qt::LeftButton);
  EXPECT_EQ(w.ExecuteGrid->item(0, 0)->text().toStdString(), "Network Update");
  EXPECT_EQ(w.ExecuteGrid->item(2, 0)->text().toStdString(), "Video Setings");
  EXPECT_EQ(w.ExecCombo->itemText(14).toStdString(), "UMD / GAME?");
  EXPECT_EQ(w.ExecCombo->itemText(27).toStdString(), "Camera");
  const std::vector<std::string> after[] = {Entries(w.MainImageCombo), Entries(w.SdwImageCombo),
                                            Entries(w.ConfImageCombo), Entries(w.NameTagCombo)};
  for (int k = 0; k < 4; ++k) EXPECT_EQ(after[k], tags[k]);
  // The selected item stays selected and shown.
  EXPECT_EQ(w.ExecuteGrid->currentRow(), 7);
  EXPECT_EQ(w.ExecCombo->currentIndex(), 7);
  QTest::mouseClick(Main().JPNRadio, Qt::LeftButton);
  EXPECT_EQ(w.ExecCombo->itemText(27).toStdString(), "カメラ");
}

TEST_F(AdvanceWindow, TheFirstRowEditsItem0AndTheListsFollowAtTheNextFill) {
  auto w = Open();
  ClickCell(w.ExecuteGrid, 0, 0);
  ChooseEntry(w.MainImageCombo, 3);
  ChooseEntry(w.SdwImageCombo, 2);  // an empty tag
  ChooseEntry(w.NameTagCombo, 1);
  ChooseEntry(w.ConfImageCombo, 12);
  auto text = [](const std::array<char, 24>& tag) { return std::string(tag.data()); };
  EXPECT_EQ(text(Item(0).MainImageTag), "tex_set_photo");
  EXPECT_EQ(text(Item(0).ShadowImageTag), "");
  EXPECT_EQ(text(Item(0).NameTag), "msg_usb");
  EXPECT_EQ(text(Item(0).ConfImageTag), "tex_conf_12");
  EXPECT_EQ(text(Item(3).MainImageTag), "tex_set_photo");
  EXPECT_EQ(text(Item(1).NameTag), "msg_usb");

  // Showing the window again rebuilds the lists from the changed items.
  w.hide();
  w.show();
  EXPECT_EQ(w.MainImageCombo->itemText(0).toStdString(), "tex_set_photo");
  EXPECT_EQ(w.MainImageCombo->findText("tex_netupdate"), -1);
  EXPECT_EQ(w.MainImageCombo->currentIndex(), 0);  // the first entry with that text
}

// The tag lists follow the session's items: a tag that only an import (or an undo)
// brought is listed, shown for its item and can be chosen for another.
TEST_F(AdvanceWindow, TheTagListsFollowItemsChangedElsewhere) {
  auto w = Open();
  std::string text = R"({"version": 500, "items": [{"NameTag": "msg_brand_new"}]})";
  testing::WriteBytes(Path("preset.json"), std::vector<uint8_t>(text.begin(), text.end()));
  {
    ModalDriver driver;
    driver.ThenChooseFile(QString::fromStdString(Path("preset.json")));
    testing::PickFromPreviewMenu(Main(), "Import layout...");
    QApplication::processEvents();
    EXPECT_TRUE(driver.messages.empty());
  }
  ClickCell(w.ExecuteGrid, 0, 0);
  EXPECT_EQ(w.NameTagCombo->itemText(0).toStdString(), "msg_brand_new");
  EXPECT_EQ(w.NameTagCombo->currentText().toStdString(), "msg_brand_new");
  ClickCell(w.ExecuteGrid, 3, 0);
  ChooseEntry(w.NameTagCombo, 0);
  EXPECT_EQ(TextOf(Item(3).NameTag), "msg_brand_new");

  // Item 0 gets another tag, the lists are filled again without the new one; an
  // undo gives it back, and the lists have it again.
  ClickCell(w.ExecuteGrid, 0, 0);
  ChooseEntry(w.NameTagCombo, 1);
  ClickCell(w.ExecuteGrid, 3, 0);
  ChooseEntry(w.NameTagCombo, 2);
  w.hide();
  w.show();
  EXPECT_EQ(w.NameTagCombo->findText("msg_brand_new"), -1);
  ClickCell(w.ExecuteGrid, 0, 0);
  w.form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w.form));
  // The offscreen platform may leave a closed list's popup the active window.
  if (QApplication::activeWindow() != &w.form) QApplication::setActiveWindow(&w.form);
  QWidget* keys = w.form.focusWidget() != nullptr ? w.form.focusWidget() : &w.form;
  QTest::keyClick(keys, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(keys, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(TextOf(Item(0).NameTag), "msg_brand_new");
  EXPECT_EQ(w.NameTagCombo->itemText(3).toStdString(), "msg_brand_new");
  EXPECT_EQ(w.NameTagCombo->currentText().toStdString(), "msg_brand_new");
}

}  // namespace
}  // namespace qorvi
