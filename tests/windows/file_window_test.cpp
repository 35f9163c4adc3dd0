// SPDX-License-Identifier: GPL-3.0-or-later
// The File window: which edits enable Load, the two boot-sound boxes, the file
// dialog, typed paths used as typed, and the messages of a failed load.
#include "windows/file_window.h"

#include <QCheckBox>
#include <QCompleter>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/desktop_fixture.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using testing::ModalDriver;
namespace fs = std::filesystem;

class FileWindow : public DesktopTest {
 protected:
  testing::FileParts Window() { return Form5(); }
};

TEST_F(FileWindow, EditsStartWithTheDefaultPaths) {
  Start();
  auto w = Window();
  EXPECT_EQ(w.vshnameEdit->text().toStdString(), Path("vshmain.prx"));
  EXPECT_EQ(w.top_iconEdit->text().toStdString(), Path("topmenu_icon.rco"));
  EXPECT_EQ(w.bsoundEdit->text().toStdString(), Path("bootsound.wav"));
  EXPECT_FALSE(w.openingEdit->isEnabled());
  EXPECT_FALSE(w.bsoundButton->isEnabled());
  EXPECT_TRUE(w.LoadButton->isEnabled());
  EXPECT_TRUE(w.LoadButton->isDefault());
}

TEST_F(FileWindow, LoadIsEnabledOnlyWhileTheFiveRequiredEditsHoldText) {
  Start();
  auto w = Window();
  for (QLineEdit* edit : {w.vshnameEdit, w.pafnameEdit, w.sys_fgrcoEdit, w.top_rcoEdit, w.top_iconEdit}) {
    const QString kept = edit->text();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_FALSE(w.LoadButton->isEnabled()) << edit->objectName().toStdString();
    QTest::keyClicks(edit, "x");
    EXPECT_TRUE(w.LoadButton->isEnabled()) << edit->objectName().toStdString();
    edit->setText(kept);
  }
  // The optional edits play no part.
  w.openingEdit->clear();
  w.bsoundEdit->clear();
  EXPECT_TRUE(w.LoadButton->isEnabled());
}

TEST_F(FileWindow, BothBootSoundBoxesAreNeededForTheOpeningModule) {
  WriteDemo(500);
  Start();
  auto w = Window();
  w.openingEdit->setText(QString::fromStdString(Path("missing_opening.prx")));
  QTest::mouseClick(w.openingCheck, Qt::LeftButton, {}, QPoint(8, 8));
  EXPECT_TRUE(w.openingEdit->isEnabled());
  EXPECT_EQ(TheModel().OpeningEnabled, 1);
  EXPECT_TRUE(PressLoad().empty()) << "the boot sound box is still unchecked";

  // A successful load hides the File window; bring it back.
  QTest::mouseClick(Main().ShowFileButton, Qt::LeftButton);
  QTest::mouseClick(w.bootsoundCheck, Qt::LeftButton, {}, QPoint(8, 8));
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(w.bootsoundCheck->isChecked());
  EXPECT_EQ(TheModel().BootSoundEnabled, 1);
  EXPECT_EQ(TheModel().OpeningEnabled, 1);
  EXPECT_EQ(TheModel().paths.OpeningPath, Path("missing_opening.prx"));
  EXPECT_EQ(PressLoad(), std::vector<std::string>{"opening_plugin.prx open error"});

  QTest::mouseClick(w.openingCheck, Qt::LeftButton, {}, QPoint(8, 8));
  EXPECT_EQ(TheModel().OpeningEnabled, 0);
  EXPECT_FALSE(w.openingButton->isEnabled());
  EXPECT_TRUE(PressLoad().empty());
}

TEST_F(FileWindow, AMissingFileShowsItsMessageWithItsSecondLine) {
  WriteDemo(401);
  fs::remove(Path("topmenu_icon.rco"));
  Start();
  ModalDriver driver;
  Window().show();
  QTest::keyClick(Window().LoadButton, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(driver.messages, std::vector<std::string>{"topmenu_icon.rco open error\nare you decrypted?"});
  EXPECT_EQ(driver.captions, std::vector<std::string>{"Qorvi"});
  EXPECT_EQ(TheModel().FirmwareVersion, 0);
  EXPECT_FALSE(Main().SaveButton->isEnabled());
}

TEST_F(FileWindow, TypedPathsAreUsedAsTyped) {
  WriteDemo(395);
  // Names a Windows user could type: a percent sign, and a backslash, which is an
  // ordinary character in a file name here and must not be turned into a slash.
  fs::rename(Path("vshmain.prx"), Path("50%vsh.prx"));
  fs::rename(Path("paf.prx"), Path("a\\paf.prx"));
  Start();
  auto w = Window();
  w.vshnameEdit->setText(QString::fromStdString(Path("50%vsh.prx")));
  w.pafnameEdit->setText(QString::fromStdString(Path("a\\paf.prx")));
  EXPECT_TRUE(PressLoad().empty());
  EXPECT_EQ(TheModel().FirmwareVersion, 395);
  EXPECT_EQ(TheModel().paths.PafPath, Path("a\\paf.prx"));
}

// The file dialog's path completion opens a window of its own; it closes with the
// dialog.
TEST_F(FileWindow, ThePathCompletionClosesWithItsDialog) {
  WriteDemo(500);
  Start();
  ModalDriver driver;
  QWidget* popup = nullptr;
  driver.Then([&](QDialog* d) {
    auto* completer = d->findChild<QCompleter*>();
    ASSERT_NE(completer, nullptr);
    popup = completer->popup();
    auto* edit = d->findChild<QLineEdit*>("fileNameEdit");
    QTest::keyClicks(edit, "pa");
    popup->show();  // as the completion shows it while one types
    ASSERT_TRUE(popup->isVisible());
    QMetaObject::invokeMethod(d, "reject");
  });
  QTest::mouseClick(Window().pafnameButton, Qt::LeftButton);
  ASSERT_NE(popup, nullptr);
  EXPECT_FALSE(popup->isVisible());
}

TEST_F(FileWindow, SelectOpensTheDialogWithItsPresetNameAndStoresSlashedPaths) {
  WriteDemo(500);
  fs::create_directory(Path("other"));
  fs::copy_file(Path("paf.prx"), Path("other/paf.prx"));
  Start();
  auto w = Window();
  ModalDriver driver;
  QString preset, directory;
  driver.Then([&](QDialog* d) {
    auto* dialog = qobject_cast<QFileDialog*>(d);
    ASSERT_NE(dialog, nullptr);
    directory = dialog->directory().absolutePath();
    dialog->selectFile(QString::fromStdString(Path("other/paf.prx")));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  QTest::mouseClick(w.pafnameButton, Qt::LeftButton);
  EXPECT_EQ(directory.toStdString(), fs::current_path().string());
  EXPECT_EQ(w.pafnameEdit->text().toStdString(), Path("other/paf.prx"));
  EXPECT_EQ(TheModel().paths.PafPath, Path("other/paf.prx"));

  // Cancel changes nothing.
  driver.ThenCancel();
  QTest::mouseClick(w.pafnameButton, Qt::LeftButton);
  EXPECT_EQ(w.pafnameEdit->text().toStdString(), Path("other/paf.prx"));

  // The boot sound's preset name.
  QTest::mouseClick(w.bootsoundCheck, Qt::LeftButton, {}, QPoint(8, 8));
  driver.Then([&](QDialog* d) {
    auto* dialog = qobject_cast<QFileDialog*>(d);
    ASSERT_NE(dialog, nullptr);
    preset = dialog->selectedFiles().value(0);
    d->reject();
  });
  QTest::mouseClick(w.bsoundButton, Qt::LeftButton);
  EXPECT_TRUE(preset.endsWith("opening.wav")) << preset.toStdString();
}

}  // namespace
}  // namespace qorvi
