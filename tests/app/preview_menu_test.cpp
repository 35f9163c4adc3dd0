// SPDX-License-Identifier: GPL-3.0-or-later
// The program's section of the preview's menu: layout presets exported and
// imported (one step, across versions, refused documents), the preview saved as a
// PNG, and which actions a program without a loaded set offers.
#include <QImage>
#include <QTest>
#include <filesystem>

#include "app/desktop_fixture.h"
#include "app/layout_presets.h"
#include "app/menu_driver.h"
#include "app/preview_picture.h"
#include "layout_json/layout_json.h"
#include "model/firmware_profile.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using testing::MenuAction;
using testing::ModalDriver;
namespace fs = std::filesystem;

std::string FileText(const std::string& path) {
  const std::vector<uint8_t> bytes = testing::ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

bool SameEntries(const session::Entries& a, const session::Entries& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!session::SameEntry(a[i], b[i])) return false;
  }
  return true;
}

bool SameItems(const session::Items& a, const session::Items& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!session::SameItem(a[i], b[i])) return false;
  }
  return true;
}

class PreviewMenu : public DesktopTest {
 protected:
  // Picks `action` in the preview's menu and answers its file dialog with `file`;
  // returns the texts of the message boxes that followed.
  std::vector<std::string> PickWithFile(const char* action, const std::string& file) {
    ModalDriver driver;
    driver.ThenChooseFile(QString::fromStdString(file));
    testing::PickFromPreviewMenu(Main(), action);
    QApplication::processEvents();
    return driver.messages;
  }
};

TEST_F(PreviewMenu, ExportThenImportGivesTheSameModelInOneStep) {
  StartLoaded(401);
  // A state unlike the loaded one in every part the document carries.
  Form2().ClockXEdit->setText("33");
  Session().SetTableColor(false, 3, RgbF{0.25f, 0.5f, 0.75f});
  Session().ExchangeEntries(0, 1);
  Session().SetItemMedia(2, 3);
  EXPECT_EQ(PickWithFile("Export layout...", Path("preset.json")), std::vector<std::string>{});
  const FirmwareState exported = TheModel();
  const QPoint clock = Main().Clock->pos();
  EXPECT_EQ(FileText(Path("preset.json")), layout_json::ModelToText(TheModel()));

  // Changed again, then the preset.
  Form2().ClockXEdit->setText("-5");
  Session().SetIconColor(&LayoutRecord::BusyColor, Rgb8{1, 2, 3});
  Session().ExchangeEntries(2, 4);
  Session().SetItemMedia(2, 1);
  const FirmwareState edited = TheModel();
  const std::size_t steps = Session().history().Index();
  EXPECT_EQ(PickWithFile("Import layout...", Path("preset.json")), std::vector<std::string>{});
  EXPECT_TRUE(session::SameLayout(TheModel().Layout, exported.Layout));
  EXPECT_TRUE(SameEntries(TheModel().CategoryEntries, exported.CategoryEntries));
  EXPECT_TRUE(SameItems(TheModel().ItemTable, exported.ItemTable));
  EXPECT_EQ(Main().Clock->pos(), clock) << "the preview follows";
  EXPECT_EQ(Form2().ClockXEdit->text().toStdString(), "33") << "and so do the editors";
  EXPECT_EQ(Session().history().Index(), steps + 1);
  EXPECT_EQ(Session().UndoText(), "Import of preset.json");

  Session().Undo();
  EXPECT_TRUE(session::SameLayout(TheModel().Layout, edited.Layout));
  EXPECT_TRUE(SameEntries(TheModel().CategoryEntries, edited.CategoryEntries));
  EXPECT_TRUE(SameItems(TheModel().ItemTable, edited.ItemTable));
}

TEST_F(PreviewMenu, AcrossVersionsTheLayoutAppliesAndEntriesAndItemsAreSkipped) {
  StartLoaded(500);
  Form2().BusyXEdit->setText("21");
  ASSERT_EQ(PickWithFile("Export layout...", Path("preset500.json")), std::vector<std::string>{});
  const LayoutRecord layout500 = TheModel().Layout;
  {
    // Another version into the same program (the changes are given up).
    WriteDemo(390);
    ModalDriver driver;
    driver.ThenPress(QMessageBox::Discard);
    Form5().LoadButton->click();
    QApplication::processEvents();
  }
  ASSERT_EQ(TheModel().FirmwareVersion, 390);
  const FirmwareState loaded = TheModel();

  // The 3.90 load kept the values of the fields it has no place for, so the
  // preset's equal ones are skipped without being named.
  EXPECT_EQ(PickWithFile("Import layout...", Path("preset500.json")),
            std::vector<std::string>{
                "categoryEntries skipped: the layout file is for version 500, the loaded firmware is version 390\n"
                "items skipped: the layout file is for version 500, the loaded firmware is version 390"});
  for (const LayoutField& f : LayoutFields()) {
    const bool stored = StoresField(*ProfileFor(390), f);
    EXPECT_TRUE(SameFieldValue(TheModel().Layout, stored ? layout500 : loaded.Layout, f)) << f.name;
  }
  EXPECT_TRUE(session::SameLayout(TheModel().LoadedLayout, loaded.LoadedLayout));
  EXPECT_TRUE(SameEntries(TheModel().CategoryEntries, loaded.CategoryEntries));
  EXPECT_TRUE(SameItems(TheModel().ItemTable, loaded.ItemTable));
  EXPECT_EQ(Form2().BusyXEdit->text().toStdString(), "21");
}

// Tags whose bytes are not UTF-8 go out and come back byte for byte: the preset
// applied to the set without them, saved, gives the files that had them.
TEST_F(PreviewMenu, ExportAndImportKeepEveryByteOfTheTags) {
  demo::DemoContent content = demo::DefaultDemoContent(401);
  content.items[1].record.NameTag = ItemTag::FromText("msg_\xe9sb");
  content.items[2].record.ShadowImageTag = ItemTag::FromText("\xff\xfe\xfd\xfc\xfb\xfa\xf9\xf8_all_24_bytes__");
  std::string error;
  ASSERT_TRUE(demo::WriteDemoFiles(WorkDir(), demo::BuildDemoSet(content, demo::DemoOptions{.version = 401}), &error))
      << error;
  const std::vector<uint8_t> planted = testing::ReadBytes(Path("vshmain.prx"));
  Start();
  ASSERT_TRUE(PressLoad().empty());
  EXPECT_EQ(PickWithFile("Export layout...", Path("preset.json")), std::vector<std::string>{});

  WriteDemo(401);  // the same set with its plain tags
  ASSERT_TRUE(PressLoad().empty());
  ASSERT_FALSE(TheModel().ItemTable[1].NameTag == content.items[1].record.NameTag);
  EXPECT_EQ(PickWithFile("Import layout...", Path("preset.json")), std::vector<std::string>{});
  EXPECT_TRUE(TheModel().ItemTable[1].NameTag == content.items[1].record.NameTag);
  EXPECT_TRUE(TheModel().ItemTable[2].ShadowImageTag == content.items[2].record.ShadowImageTag);

  Main().CompCheck->setChecked(false);
  ModalDriver driver;
  QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
  EXPECT_EQ(driver.messages, std::vector<std::string>{"done"});
  EXPECT_TRUE(testing::ReadBytes(Path("done/module/vshmain.prx")) == planted);
}

TEST_F(PreviewMenu, ARefusedDocumentChangesNothingAndSaysWhy) {
  StartLoaded(395);
  const std::string text = R"({"layout": {"ClockX": 5}, "bogus": 1, "other": []})";
  testing::WriteBytes(Path("bad.json"), std::vector<uint8_t>(text.begin(), text.end()));
  const LayoutRecord before = TheModel().Layout;
  ModalDriver driver;
  driver.ThenChooseFile(QString::fromStdString(Path("bad.json")));
  testing::PickFromPreviewMenu(Main(), "Import layout...");
  QApplication::processEvents();
  ASSERT_EQ(driver.messages.size(), 1u);
  const std::string& message = driver.messages[0];
  EXPECT_EQ(message.rfind("the layout file " + Path("bad.json") + " is refused: ", 0), 0u) << message;
  EXPECT_NE(message.find("bogus"), std::string::npos) << message;
  EXPECT_NE(message.find("other"), std::string::npos) << message;
  EXPECT_EQ(driver.captions.back(), "Qorvi");
  EXPECT_TRUE(session::SameLayout(TheModel().Layout, before));
  EXPECT_FALSE(Session().CanUndo());

  // A file that cannot be read (the dialog offers none such; the import says why).
  fs::create_directory(Path("folder.json"));
  const app::ImportResult folder = app::ImportLayout(Session(), Path("folder.json"));
  EXPECT_EQ(folder.error.rfind("cannot read the layout file " + Path("folder.json"), 0), 0u) << folder.error;
  EXPECT_FALSE(Session().CanUndo());
}

TEST_F(PreviewMenu, SavePreviewWritesThePictureTheWindowShows) {
  StartLoaded(500);
  QTest::mouseClick(Main().ENGRadio, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  Main().XMB_HScroll->setValue(2);
  EXPECT_EQ(PickWithFile("Save preview as PNG...", Path("shot")), std::vector<std::string>{});
  // The name gets its extension.
  const QImage saved(QString::fromStdString(Path("shot.png")), "PNG");
  ASSERT_EQ(saved.size(), QSize(512, 304));
  EXPECT_FALSE(saved.hasAlphaChannel());
  Main().raise();
  QApplication::processEvents();
  const QImage shown =
      Main().grab().toImage().copy(QRect(Main().Panel1->pos(), QSize(512, 304))).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), shown);
}

TEST_F(PreviewMenu, BeforeALoadOnlyThePictureCanBeSaved) {
  Start();
  const std::vector<MenuAction> actions = testing::PickFromPreviewMenu(Main(), {});
  EXPECT_EQ(actions, testing::MenuActions({{"Undo", false}, {"Redo", false}}, {{"Mark problems", true},
                                                                               {"Export layout...", false},
                                                                               {"Import layout...", false},
                                                                               {"Save preview as PNG...", true},
                                                                               {"Check layout...", false},
                                                                               {"History...", true},
                                                                               {"Changes...", false},
                                                                               {"Save to...", false}}));
  // The teal screen area alone.
  EXPECT_EQ(PickWithFile("Save preview as PNG...", Path("empty.png")), std::vector<std::string>{});
  EXPECT_EQ(QImage(QString::fromStdString(Path("empty.png"))).pixelColor(100, 100), QColor(0, 128, 128));
}

}  // namespace
}  // namespace qorvi
