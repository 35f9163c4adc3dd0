// SPDX-License-Identifier: GPL-3.0-or-later
// The main window before and after a load: which controls react, the Show/Hide
// buttons, About, Save, and the bitmaps removed at exit.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <filesystem>

#include "desktop_fixture.h"
#include "platform/folder_lock.h"
#include "qorvi_version.h"
#include "widgets/picture_box.h"
#include "widgets/window_frame.h"
#include "windows/about_window.h"
#include "windows/advance_window.h"
#include "windows/category_window.h"
#include "windows/color_window.h"
#include "windows/file_window.h"
#include "windows/icon_data_window.h"
#include "windows/positioning_window.h"
#include "windows/text_data_window.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using testing::ModalDriver;
namespace fs = std::filesystem;

class MainWindow : public DesktopTest {};

TEST_F(MainWindow, StartsInTheNothingLoadedState) {
  Start();
  auto& f = Main();
  EXPECT_EQ(f.windowTitle().toStdString(), "Qorvi for windows / beta 3 version");
  EXPECT_EQ(f.size(), QSize(555, 448));

  for (QWidget* w : std::initializer_list<QWidget*>{f.ShowFileButton, f.WallpaperButton, f.NoShowCheck, f.NoUMDCheck,
                                                    f.AboutButton}) {
    EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
  }
  for (QWidget* w : std::initializer_list<QWidget*>{f.ShowIconDataButton, f.ShowTextDataButton, f.ShowColorButton,
                                                    f.ShowCateButton, f.PositioningButton, f.SaveButton, f.XMB_HScroll,
                                                    f.XMB_VScroll, f.JPNRadio, f.ENGRadio, f.CompCheck}) {
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  }
  EXPECT_TRUE(f.CompCheck->isChecked());
  EXPECT_TRUE(f.JPNRadio->isChecked());
  EXPECT_FALSE(f.FocusedLabel->isVisible());
  EXPECT_TRUE(f.Wallpaper->isVisible());
  for (QWidget* child : f.Panel1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (child != f.Wallpaper) {
      EXPECT_FALSE(child->isVisible()) << child->objectName().toStdString();
    }
  }
  // Only the main window is shown; the teal screen area waits for a load.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != &f.form && w->isVisible()) ADD_FAILURE() << w->windowTitle().toStdString() << " is visible";
  }
  EXPECT_EQ(f.Wallpaper->ShownPixel(100, 100), QColor(0, 128, 128));

  // Disabled controls do not react to clicks.
  QTest::mouseClick(f.SaveButton, Qt::LeftButton);
  EXPECT_FALSE(fs::exists(Path("done")));
}

TEST_F(MainWindow, WindowsAreCreatedWithTheirCaptionsAndSizes) {
  Start();
  const Forms forms = TheForms();
  struct Expect {
    QWidget* window;
    const char* caption;
    QSize size;
  };
  for (const Expect& e :
       {Expect{forms.Form2, "Qorvi Icon Data Window", {421, 402}},
        Expect{forms.Form3, "Qorvi Color Window", {547, 294}}, Expect{forms.Form4, "Qorvi Category Window", {425, 293}},
        Expect{forms.Form5, "Qorvi File Window", {547, 293}},
        Expect{forms.Form6, "Qorvi Positioning Window", {271, 97}},
        Expect{forms.Form9, "Qorvi Executable Link Window", {393, 261}}}) {
    ASSERT_NE(e.window, nullptr) << e.caption;
    EXPECT_EQ(e.window->windowTitle().toStdString(), e.caption);
    EXPECT_EQ(e.window->size(), e.size) << e.caption;
    EXPECT_FALSE(e.window->windowFlags() & Qt::WindowCloseButtonHint) << e.caption;
    EXPECT_FALSE(e.window->windowFlags() & Qt::WindowMinMaxButtonsHint) << e.caption;
  }
  EXPECT_EQ(forms.Form5->pos(), QPoint(29, 457));
}

// In the docked workspace the buttons show and hide the docks.
TEST_F(MainWindow, ShowHideButtonsFollowTheWindowsRealVisibility) {
  for (app::WorkspaceMode mode : testing::kBothModes) {
    SCOPED_TRACE(testing::ModeName(mode));
    UseWorkspace(mode);
    Start();
    auto& f = Main();
    QWidget* fileWindow = TheForms().Form5;
    QTest::mouseClick(f.ShowFileButton, Qt::LeftButton);
    EXPECT_TRUE(fileWindow->isVisible());
    EXPECT_EQ(f.ShowFileButton->text().toStdString(), "Hide File Window");
    QTest::mouseClick(f.ShowFileButton, Qt::LeftButton);
    EXPECT_FALSE(fileWindow->isVisible());
    EXPECT_EQ(f.ShowFileButton->text().toStdString(), "Show File Window");

    // Shown by other means: the next click acts on the real state and fixes the caption.
    Program().workspace().Host(fileWindow)->show();
    QTest::mouseClick(f.ShowFileButton, Qt::LeftButton);
    EXPECT_FALSE(fileWindow->isVisible());
    EXPECT_EQ(f.ShowFileButton->text().toStdString(), "Show File Window");
    TearDownProgram();
  }
}

TEST_F(MainWindow, AboutOpensAFreshDialogEachTime) {
  Start();
  for (int i = 0; i < 2; ++i) {
    ModalDriver driver;
    std::string caption;
    QString firstLine;
    driver.Then([&](QDialog* d) {
      caption = d->windowTitle().toStdString();
      EXPECT_NE(qobject_cast<TForm8*>(d), nullptr);
      EXPECT_EQ(d->size(), QSize(250, 302));
      // Every line in full, and room for the caption.
      for (QLabel* line : d->findChildren<QLabel*>()) {
        EXPECT_GE(line->width(), line->sizeHint().width()) << line->text().toStdString();
        EXPECT_GE(line->height(), line->sizeHint().height()) << line->text().toStdString();
      }
      EXPECT_GE(d->width(), widgets::CaptionWidth(*d));
      ASSERT_NE(d->findChild<QLabel*>("VersionLabel"), nullptr);
      EXPECT_EQ(d->findChild<QLabel*>("VersionLabel")->text().toStdString(), "version " QORVI_VERSION);
      ASSERT_NE(d->findChild<QLabel*>("LicenceLabel"), nullptr);
      EXPECT_EQ(d->findChild<QLabel*>("LicenceLabel")->text().toStdString(), "free software: GNU GPL 3 or later");
      d->findChild<QPushButton*>("OKButton")->click();
    });
    QTest::mouseClick(Main().AboutButton, Qt::LeftButton);
    EXPECT_EQ(caption, "About...") << "click " << i;
  }
}

// A message box is wide enough for its caption, and the cause of a failure is in
// its details.
TEST_F(MainWindow, MessageBoxesShowTheirCaptionAndTheCauseInTheirDetails) {
  Start();
  ModalDriver driver;
  std::string details;
  driver.Then([&](QDialog* d) {
    auto* box = qobject_cast<QMessageBox*>(d);
    ASSERT_NE(box, nullptr);
    details = box->detailedText().toStdString();
    EXPECT_GE(box->width(), widgets::CaptionWidth(*box));
    box->accept();
  });
  widgets::ShowFailure(&Main().form, Failure(Message::PafOpenError, "no such file: paf.prx"));
  EXPECT_EQ(driver.messages, std::vector<std::string>{"paf.prx open error"});
  EXPECT_EQ(details, "no such file: paf.prx");
  driver.Then([&](QDialog* d) {
    EXPECT_TRUE(qobject_cast<QMessageBox*>(d)->detailedText().isEmpty());
    EXPECT_GE(d->width(), widgets::CaptionWidth(*d));
    d->accept();
  });
  widgets::ShowMessageBox(&Main().form, "done");
  EXPECT_EQ(driver.captions, (std::vector<std::string>{"Qorvi", "Qorvi"}));
}

// Enter presses "Show File Window", the main window's default button, wherever the
// focus is (unless the focused control takes the key).
TEST_F(MainWindow, EnterPressesShowFileWindow) {
  Start();
  auto& f = Main();
  f.NoUMDCheck->setFocus();
  QTest::keyClick(f.NoUMDCheck, Qt::Key_Return);
  EXPECT_TRUE(TheForms().Form5->isVisible());
  EXPECT_EQ(f.ShowFileButton->text().toStdString(), "Hide File Window");
  EXPECT_FALSE(f.NoUMDCheck->isChecked());
  QTest::keyClick(f.NoUMDCheck, Qt::Key_Enter);
  EXPECT_FALSE(TheForms().Form5->isVisible());
}

TEST_F(MainWindow, OptionsAndStatusLineShowInFullWithoutOverlapping) {
  StartLoaded(500);
  auto& f = Main();
  // The status line is as tall as its text.
  EXPECT_GE(f.FocusedLabel->height(), f.FocusedLabel->sizeHint().height());
  EXPECT_TRUE(f.Bevel1->geometry().contains(f.FocusedLabel->geometry()));
  // The two options stand apart: a click at (220, 10) toggles "No Show UMD Icon" or nothing.
  EXPECT_LT(f.NoShowCheck->geometry().right(), f.NoUMDCheck->x());
  EXPECT_GE(f.NoShowCheck->width(), f.NoShowCheck->sizeHint().width());
  EXPECT_GE(f.NoUMDCheck->width(), f.NoUMDCheck->sizeHint().width());
  const QPoint at(220, 10);
  QWidget* hit = f.form.childAt(at);
  EXPECT_TRUE(hit == nullptr || hit == f.NoUMDCheck) << hit->objectName().toStdString();
  if (hit != nullptr) QTest::mouseClick(hit, Qt::LeftButton, Qt::NoModifier, hit->mapFrom(&f.form, at));
  EXPECT_FALSE(f.NoShowCheck->isChecked());
}

TEST_F(MainWindow, LoadEntersTheLoadedState) {
  for (int version : {500, 395}) {
    const app::WorkspaceMode mode = version == 500 ? app::WorkspaceMode::Windows : app::WorkspaceMode::Docked;
    SCOPED_TRACE(std::to_string(version) + " " + testing::ModeName(mode));
    UseWorkspace(mode);
    StartLoaded(version);
    auto& f = Main();
    for (QWidget* w : std::initializer_list<QWidget*>{f.ShowIconDataButton, f.ShowTextDataButton, f.ShowColorButton,
                                                      f.ShowCateButton, f.SaveButton, f.PositioningButton,
                                                      f.XMB_HScroll, f.XMB_VScroll, f.JPNRadio, f.ENGRadio}) {
      EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    }
    // 3.95 modules are always written plain: the option is off there, and stays checked.
    EXPECT_EQ(f.CompCheck->isEnabled(), version != 395);
    EXPECT_TRUE(f.CompCheck->isChecked());
    EXPECT_EQ(f.ShowIconDataButton->text().toStdString(), "Hide Icon Data");
    EXPECT_EQ(f.ShowTextDataButton->text().toStdString(), "Hide Text Data");
    EXPECT_EQ(f.ShowColorButton->text().toStdString(), "Hide Color");
    EXPECT_EQ(f.ShowCateButton->text().toStdString(), "Hide Category");
    EXPECT_EQ(f.ShowFileButton->text().toStdString(), "Show File Window");
    EXPECT_EQ(f.PositioningButton->text().toStdString(), "Show Positioning");
    const Forms forms = TheForms();
    EXPECT_TRUE(forms.Form2->isVisible());
    EXPECT_TRUE(forms.Form3->isVisible());
    EXPECT_TRUE(forms.Form4->isVisible());
    EXPECT_TRUE(forms.Form7->isVisible());
    EXPECT_FALSE(forms.Form5->isVisible());
    EXPECT_FALSE(forms.Form6->isVisible());
    EXPECT_TRUE(f.FocusedLabel->isVisible());
    EXPECT_EQ(f.FocusedLabel->text().toStdString(), version == 500 ? "version : 5.00" : "version : 3.95");

    // Show/Hide after the load acts on what refresh-all showed.
    QTest::mouseClick(f.ShowColorButton, Qt::LeftButton);
    EXPECT_FALSE(forms.Form3->isVisible());
    EXPECT_EQ(f.ShowColorButton->text().toStdString(), "Show Color");
  }
}

TEST_F(MainWindow, SaveWritesTheDoneTreeAndSaysDone) {
  StartLoaded(401);
  ModalDriver driver;
  QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
  ASSERT_EQ(driver.messages, std::vector<std::string>{"done"});
  EXPECT_EQ(driver.captions, std::vector<std::string>{"Qorvi"});
  for (const char* file : {"done/module/vshmain.prx", "done/module/paf.prx", "done/resource/topmenu_plugin.rco",
                           "done/resource/system_plugin_fg.rco", "done/resource/topmenu_icon.rco"}) {
    EXPECT_TRUE(fs::exists(Path(file))) << file;
  }
  EXPECT_FALSE(fs::exists(Path("done/module/opening_plugin.prx")));
  auto head = testing::ReadBytes(Path("done/module/vshmain.prx"));
  EXPECT_EQ(std::string(head.begin(), head.begin() + 4), "~PSP") << "compressed by default";

  // Unchecked, the modules are written as their plain images.
  Main().CompCheck->setChecked(false);
  QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
  EXPECT_EQ(fs::file_size(Path("done/module/vshmain.prx")), 302722u);
}

TEST_F(MainWindow, SaveShowsEveryMessageThenDone) {
  StartLoaded(500);
  // A file where the done folder should be: nothing can be written.
  testing::WriteBytes(Path("done"), {1, 2, 3});
  ModalDriver driver;
  QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
  EXPECT_EQ(driver.messages, (std::vector<std::string>{
                                 "vshmain.prx write error", "paf.prx write error", "topmenu_plugin.rco write error",
                                 "system_plugin_fg.rco write error", "topmenu_icon.rco write error", "done"}));
}

// While another save holds the done folder (here the test, as qorvi-cli save or a
// second program would), Save writes nothing and says so, and the changes stay
// unsaved; once the folder is free, Save goes on.
TEST_F(MainWindow, SaveWritesNothingWhileAnotherSaveHoldsTheFolder) {
  StartLoaded(401);
  Form2().ClockXEdit->setText("-40");
  const std::string done = TheModel().paths.DoneDir;
  fs::create_directories(done);
  FolderLock other = FolderLock::Try(done);
  ASSERT_TRUE(other.held());
  ModalDriver driver;
  QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
  EXPECT_EQ(driver.messages, std::vector<std::string>{"Another save is writing into this folder; nothing was saved. "
                                                      "Save again when it has finished."});
  EXPECT_EQ(driver.details, std::vector<std::string>{done});
  EXPECT_TRUE(fs::is_empty(done));
  EXPECT_TRUE(Session().HasUnsavedChanges());

  other.Release();
  QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
  EXPECT_EQ(driver.messages.back(), "done");
  EXPECT_TRUE(fs::exists(Path("done/module/vshmain.prx")));
  EXPECT_FALSE(Session().HasUnsavedChanges());
}

// After a save that wrote every file, the files are loaded back and compared: a
// pass is told in the "done" box's details, for every version.
class SaveVerification : public DesktopTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(SaveVerification, ANormalSaveVerifies) {
  StartLoaded(GetParam());
  Form2().ClockXEdit->setText("-40");
  ModalDriver driver;
  QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
  EXPECT_EQ(driver.messages, std::vector<std::string>{"done"});
  EXPECT_EQ(driver.details, std::vector<std::string>{"verified: the written files load back as saved"});
  EXPECT_FALSE(Session().HasUnsavedChanges());
}

INSTANTIATE_TEST_SUITE_P(Versions, SaveVerification, ::testing::Values(390, 395, 401, 500));

// Both boot-sound boxes ticked after a load that did not read opening_plugin.prx:
// the save has no image of it to write, and its check reads exactly the files it
// wrote (not an older opening_plugin.prx in done/), so a good save is saved.
TEST_F(MainWindow, BootSoundTickedAfterTheLoadSavesAndVerifies) {
  WriteDemo(500, false, /*bootSound=*/true);
  Start();
  ASSERT_TRUE(PressLoad().empty());
  fs::create_directories(Path("done/module"));
  const std::vector<uint8_t> older{'o', 'l', 'd'};
  testing::WriteBytes(Path("done/module/opening_plugin.prx"), older);
  QTest::mouseClick(Main().ShowFileButton, Qt::LeftButton);
  QTest::mouseClick(Form5().openingCheck, Qt::LeftButton, {}, QPoint(8, 8));
  QTest::mouseClick(Form5().bootsoundCheck, Qt::LeftButton, {}, QPoint(8, 8));
  ASSERT_TRUE(Form5().openingCheck->isChecked() && Form5().bootsoundCheck->isChecked());
  Form2().ClockXEdit->setText("-40");
  ASSERT_TRUE(Session().HasUnsavedChanges());

  ModalDriver driver;
  QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
  EXPECT_EQ(driver.messages, std::vector<std::string>{"done"});
  EXPECT_EQ(driver.details, std::vector<std::string>{"verified: the written files load back as saved"});
  EXPECT_FALSE(Session().HasUnsavedChanges());
  EXPECT_EQ(testing::ReadBytes(Path("done/module/opening_plugin.prx")), older);
}

TEST_F(MainWindow, AWrittenFileThatDiffersIsShownAfterDone) {
  StartLoaded(401);
  Form2().BatteryXEdit->setText("17");
  // Once the files are written (the session reports the saved state) and before
  // they are read back, the patched system_plugin_fg.rco is replaced by the input:
  // the battery's place is no longer what was saved.
  const std::string written = TheModel().paths.DoneSystemPluginFgPath;
  bool planted = false;
  QObject::connect(&Session(), &session::EditSession::historyChanged, &Main().form, [&] {
    if (planted || !fs::exists(written)) return;
    fs::copy_file(Path("system_plugin_fg.rco"), written, fs::copy_options::overwrite_existing);
    planted = true;
  });
  ModalDriver driver;
  QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
  ASSERT_TRUE(planted);
  EXPECT_EQ(driver.messages, (std::vector<std::string>{"done", "verify: BatteryX is " +
                                                                   std::to_string(TheModel().LoadedLayout.BatteryX) +
                                                                   " in " + written + ", 17 expected"}));
  EXPECT_EQ(driver.details.front(), "") << "no claim of a check that failed";
  EXPECT_EQ(driver.captions, (std::vector<std::string>{"Qorvi", "Qorvi"}));
  // What is on disk is not what the model holds: closing asks again.
  EXPECT_TRUE(Session().HasUnsavedChanges());
}

TEST_F(MainWindow, AFailedLoadKeepsTheSetASaveWrites) {
  StartLoaded(500);
  const FirmwareState before = TheModel();
  // The next load fails on its last file; a save afterwards writes the first set.
  WriteDemo(395);
  fs::remove(Path("topmenu_icon.rco"));
  EXPECT_EQ(PressLoad(), std::vector<std::string>{"topmenu_icon.rco open error\nare you decrypted?"});
  EXPECT_EQ(TheModel().FirmwareVersion, 500);
  EXPECT_EQ(TheModel().VshmainLoadedSize, before.VshmainLoadedSize);

  ModalDriver driver;
  Main().CompCheck->setChecked(false);
  QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
  EXPECT_EQ(driver.messages, std::vector<std::string>{"done"});
  EXPECT_EQ(fs::file_size(Path("done/module/vshmain.prx")), 325340u);
}

TEST_F(MainWindow, QuittingRemovesTheIconBitmaps) {
  StartLoaded(500);
  EXPECT_TRUE(fs::exists(Path("MainIcon7.bmp")));
  EXPECT_TRUE(fs::exists(Path("BusyIcon.bmp")));
  // A stray file of such a name from an earlier run goes too.
  testing::WriteBytes(Path("SubIcon047.bmp"), {0});
  Main().close();
  TearDownProgram();
  int left = 0;
  for (const auto& e : fs::directory_iterator(WorkDir())) left += e.path().extension() == ".bmp";
  EXPECT_EQ(left, 0);
}

}  // namespace
}  // namespace qorvi
