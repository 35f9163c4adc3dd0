// SPDX-License-Identifier: GPL-3.0-or-later
// `qorvi FOLDER`: the program starts in FOLDER and loads the set there at once, as
// the Load button does with the default paths; a failed load shows its message
// and leaves the program with nothing loaded. Without an argument nothing loads.
#include <QProcess>
#include <QTest>
#include <filesystem>

#include "app/desktop_fixture.h"
#include "qorvi_version.h"
#include "support/scoped_temp_dir.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using testing::ModalDriver;
namespace fs = std::filesystem;

class StartFolder : public DesktopTest {};

TEST_F(StartFolder, LoadsTheSetThereAtOnce) {
  WriteDemo(401);
  Start();
  ModalDriver driver;
  Program().LoadAtStart();
  QApplication::processEvents();
  EXPECT_TRUE(driver.messages.empty());
  EXPECT_TRUE(Session().IsLoaded());
  EXPECT_EQ(TheModel().FirmwareVersion, 401);
  EXPECT_TRUE(Main().SaveButton->isEnabled());
  EXPECT_TRUE(Form2().isVisible()) << "the editors open as after a load";
}

// The box stands over the main window (the File window is not open yet) and its
// details name the file with its folder.
TEST_F(StartFolder, AFailedLoadShowsItsMessageAndLoadsNothing) {
  Start();
  Main().form.move(150, 90);
  QApplication::processEvents();
  ModalDriver driver;
  QWidget* over = nullptr;
  QPoint centre;
  driver.Then([&](QDialog* d) {
    over = d->parentWidget();
    centre = d->frameGeometry().center();
    d->accept();
  });
  Program().LoadAtStart();
  QApplication::processEvents();
  EXPECT_EQ(driver.messages, std::vector<std::string>{std::string(MessageText(Message::VshmainOpenError))});
  EXPECT_EQ(driver.details, std::vector<std::string>{Path("vshmain.prx") + ": No such file or directory"});
  EXPECT_EQ(over, &Main().form);
  const QPoint main_centre = Main().form.frameGeometry().center();
  EXPECT_LE((centre - main_centre).manhattanLength(), 16)
      << centre.x() << "," << centre.y() << " vs " << main_centre.x() << "," << main_centre.y();
  EXPECT_FALSE(Session().IsLoaded());
  EXPECT_FALSE(Main().SaveButton->isEnabled());
  EXPECT_FALSE(Main().XMB_HScroll->isEnabled());
  EXPECT_FALSE(Main().FocusedLabel->isVisible());
}

// The program itself, started on a folder: its load writes the icon bitmaps there.
TEST_F(StartFolder, TheProgramStartsInTheFolderItIsGiven) {
  testing::ScopedTempDir elsewhere;
  WriteDemo(500);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  QProcess qorvi;
  qorvi.setProcessEnvironment(env);
  qorvi.setWorkingDirectory(QString::fromStdString(elsewhere.path()));
  qorvi.start(QORVI_APP, {QString::fromStdString(WorkDir())});
  ASSERT_TRUE(qorvi.waitForStarted());
  bool loaded = false;
  for (int i = 0; i < 200 && !loaded; ++i) {
    QTest::qWait(50);
    loaded = fs::exists(Path("BusyIcon.bmp"));
  }
  qorvi.kill();
  qorvi.waitForFinished();
  EXPECT_TRUE(loaded) << qorvi.readAllStandardError().toStdString();
  EXPECT_TRUE(fs::is_empty(elsewhere.path()));
}

TEST_F(StartFolder, AnythingElseOnTheCommandLineIsAUsageError) {
  for (const QStringList& args : {QStringList{"--bogus"}, QStringList{"one", "two"}}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess qorvi;
    qorvi.setProcessEnvironment(env);
    qorvi.start(QORVI_APP, args);
    ASSERT_TRUE(qorvi.waitForFinished(30000));
    EXPECT_EQ(qorvi.exitCode(), 2) << args.join(' ').toStdString();
    EXPECT_TRUE(qorvi.readAllStandardError().contains("qorvi: unexpected argument '" + args.back().toUtf8() + "'"));
  }
}

// Without a usable display (none set, or one that names no server) the command
// line is read first: a usage error is exit 2 with one line naming the argument,
// and a good command line ends with exit 1 and one line saying that no display
// can be opened. (Qt would otherwise abort inside its platform plugin.)
TEST_F(StartFolder, WithoutADisplayTheArgumentsAreCheckedThenItSaysSo) {
  WriteDemo(500);
  const QString work = QString::fromStdString(WorkDir());
  const struct {
    QStringList args;
    int status;
    QByteArray line;  // the start of the one line on standard error
  } rows[] = {
      {{"--bogus"}, 2, "qorvi: unexpected argument '--bogus'"},
      {{"one", "two"}, 2, "qorvi: unexpected argument 'two'"},
      {{"--help", "extra"}, 2, "qorvi: --help takes no arguments: 'extra'"},
      {{"--version", "extra"}, 2, "qorvi: --version takes no arguments: 'extra'"},
      {{}, 1, "qorvi: no display can be opened ("},
      {{work}, 1, "qorvi: no display can be opened ("},
  };
  for (const QString& display : {QString(), testing::DisplayWithoutServer()}) {
    for (const auto& row : rows) {
      const std::string what = "DISPLAY=" + display.toStdString() + " qorvi " + row.args.join(' ').toStdString();
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"}) env.remove(name);
      if (!display.isEmpty()) env.insert("DISPLAY", display);
      QProcess qorvi;
      qorvi.setProcessEnvironment(env);
      qorvi.start(QORVI_APP, row.args);
      ASSERT_TRUE(qorvi.waitForFinished(20000)) << what;
      EXPECT_EQ(qorvi.exitStatus(), QProcess::NormalExit) << what;
      EXPECT_EQ(qorvi.exitCode(), row.status) << what;
      const QByteArray err = qorvi.readAllStandardError();
      EXPECT_TRUE(err.startsWith(row.line)) << what << ": " << err.toStdString();
      EXPECT_EQ(err.count('\n'), 1) << what << ": " << err.toStdString();
      EXPECT_EQ(qorvi.readAllStandardOutput(), "") << what;
    }
  }
  // The line names the display it could not open.
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"}) env.remove(name);
  env.insert("DISPLAY", testing::DisplayWithoutServer());
  QProcess qorvi;
  qorvi.setProcessEnvironment(env);
  qorvi.start(QORVI_APP, QStringList{});
  ASSERT_TRUE(qorvi.waitForFinished(20000));
  EXPECT_EQ(qorvi.readAllStandardError().toStdString(),
            "qorvi: no display can be opened (DISPLAY=" + testing::DisplayWithoutServer().toStdString() +
                "); qorvi --render works without one\n");
}

// --help and --version answer on standard output without a display or a window.
TEST_F(StartFolder, HelpAndVersionAnswerWithoutADisplay) {
  const struct {
    QString arg;
    QByteArray start;
    QByteArray within;
  } rows[] = {
      {"--version", "qorvi " QORVI_VERSION "\n", "GPL-3.0-or-later"},
      {"--help", "usage: qorvi [--workspace docked|windows] [FOLDER]\n", "--render OUT.png"},
  };
  for (const auto& row : rows) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    QProcess qorvi;
    qorvi.setProcessEnvironment(env);
    qorvi.start(QORVI_APP, {row.arg});
    ASSERT_TRUE(qorvi.waitForFinished(30000));
    EXPECT_EQ(qorvi.exitCode(), 0) << row.arg.toStdString();
    const QByteArray out = qorvi.readAllStandardOutput();
    EXPECT_TRUE(out.startsWith(row.start)) << out.toStdString();
    EXPECT_TRUE(out.contains(row.within)) << out.toStdString();
    EXPECT_EQ(qorvi.readAllStandardError(), "");
  }
}

}  // namespace
}  // namespace qorvi
