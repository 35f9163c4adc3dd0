// SPDX-License-Identifier: GPL-3.0-or-later
// "Save to..." in the preview's menu: the chosen folder gets module/ and resource/
// as `qorvi-cli save --out` writes them, with the same check; the folder is
// remembered for the working folder; plain Save keeps writing done/.
#include <QFileDialog>
#include <QTest>
#include <filesystem>

#include "app/desktop_fixture.h"
#include "app/menu_driver.h"
#include "app/save_folder.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using testing::ModalDriver;
namespace fs = std::filesystem;

class SaveTo : public DesktopTest {};

TEST_F(SaveTo, WritesIntoTheChosenFolderAndRemembersIt) {
  StartLoaded(401);
  Form2().ClockXEdit->setText("-40");
  const std::string out = Path("elsewhere");
  fs::create_directories(out);
  {
    ModalDriver driver;
    driver.ThenChooseFile(QString::fromStdString(out));
    testing::PickFromPreviewMenu(Main(), "Save to...");
    QApplication::processEvents();
    EXPECT_EQ(driver.captions, (std::vector<std::string>{"Save to", "Qorvi"}));
    EXPECT_EQ(driver.messages, std::vector<std::string>{"done"});
    EXPECT_EQ(driver.details, std::vector<std::string>{"verified: the written files load back as saved"});
  }
  for (const char* file : {"module/vshmain.prx", "module/paf.prx", "resource/topmenu_plugin.rco",
                           "resource/system_plugin_fg.rco", "resource/topmenu_icon.rco"}) {
    EXPECT_TRUE(fs::exists(out + "/" + file)) << file;
  }
  EXPECT_FALSE(fs::exists(Path("done")));
  EXPECT_FALSE(Session().HasUnsavedChanges());
  EXPECT_EQ(app::RememberedSaveFolder(QString::fromStdString(WorkDir())).toStdString(), out);
  EXPECT_EQ(app::RememberedSaveFolder(QString::fromStdString(Path("another"))).toStdString(), Path("another"));

  // The next "Save to..." starts in that folder; cancelled, it writes nothing.
  Form2().ClockXEdit->setText("-41");
  QString start;
  {
    ModalDriver driver;
    driver.Then([&start](QDialog* d) {
      start = qobject_cast<QFileDialog*>(d)->directory().absolutePath();
      d->reject();
    });
    testing::PickFromPreviewMenu(Main(), "Save to...");
    QApplication::processEvents();
    EXPECT_EQ(driver.messages, std::vector<std::string>{});
  }
  EXPECT_EQ(start.toStdString(), out);
  EXPECT_TRUE(Session().HasUnsavedChanges());

  // Save writes the working folder's done/ as before.
  ModalDriver driver;
  QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
  EXPECT_EQ(driver.messages, std::vector<std::string>{"done"});
  EXPECT_TRUE(fs::exists(Path("done/module/vshmain.prx")));
  EXPECT_EQ(TheModel().paths.DoneDir, Path("done"));
}

}  // namespace
}  // namespace qorvi
