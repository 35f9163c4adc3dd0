// SPDX-License-Identifier: GPL-3.0-or-later
// qorvi --render, run as its own process with no display set: the PNG and the
// geometry it writes are what a loaded main window shows in the same state (its
// controls and its own picture, reached here as a user would reach them); usage
// errors, a failing load, and no bitmap left behind.
#include <sys/stat.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "app/desktop_fixture.h"
#include "app/layout_presets.h"
#include "model/message_table.h"
#include "support/scoped_temp_dir.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using testing::ModalDriver;
using Json = nlohmann::json;
namespace fs = std::filesystem;

std::string FileText(const std::string& path) {
  const std::vector<uint8_t> bytes = testing::ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

struct RenderRun {
  int status = -1;
  std::string err;
};

class Render : public DesktopTest {
 protected:
  // Runs `qorvi --render OUT ARGS...` in the working directory, without DISPLAY,
  // WAYLAND_DISPLAY and QT_QPA_PLATFORM (or with `display` as DISPLAY). TMPDIR
  // names a file: no temporary folder can be made, and a render needs none (its
  // pictures stay in memory).
  RenderRun Run(const QStringList& args, const QString& display = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"}) env.remove(name);
    if (!display.isEmpty()) env.insert("DISPLAY", display);
    const std::string not_a_folder = tmp_ / "file";
    testing::WriteBytes(not_a_folder, {'x'});
    env.insert("TMPDIR", QString::fromStdString(not_a_folder));
    // Qt's runtime folder is not the command's: it goes elsewhere.
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime_.path()));
    QProcess qorvi;
    qorvi.setProcessEnvironment(env);
    qorvi.setWorkingDirectory(QString::fromStdString(WorkDir()));
    qorvi.start(QORVI_APP, QStringList{"--render"} + args);
    EXPECT_TRUE(qorvi.waitForFinished(60000));
    RenderRun run{qorvi.exitStatus() == QProcess::NormalExit ? qorvi.exitCode() : -1,
                  qorvi.readAllStandardError().toStdString()};
    // Nothing of the run appears beside TMPDIR or the set.
    std::vector<std::string> beside;
    for (const auto& entry : fs::directory_iterator(tmp_.path())) beside.push_back(entry.path().filename().string());
    EXPECT_EQ(beside, std::vector<std::string>{"file"});
    for (const auto& entry : fs::directory_iterator(WorkDir())) {
      const std::string name = entry.path().filename().string();
      for (const char* bitmap : {"MainIcon", "SubIcon", "BatteryIcon", "BusyIcon"}) {
        EXPECT_NE(name.rfind(bitmap, 0), 0u) << name;
      }
    }
    return run;
  }

  QString Out(const char* name) { return QString::fromStdString(Path(name)); }

  // The window's controls against the geometry document, entry by entry in drawing
  // order. The clock shows the time of its last update: its caption (and so its
  // size) may have moved on by a minute between the two programs.
  void ExpectGeometryOfTheWindow(const Json& doc) {
    const PreviewState& view = View();
    EXPECT_EQ(doc.at("version"), TheModel().FirmwareVersion);
    EXPECT_EQ(doc.at("category"), view.CurrentCategory);
    EXPECT_EQ(doc.at("item"), view.CurrentItem);
    EXPECT_EQ(doc.at("language"), view.Language);
    const QList<QWidget*> controls = Main().Panel1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    const Json& elements = doc.at("elements");
    ASSERT_EQ(elements.size(), static_cast<std::size_t>(controls.size()));
    for (qsizetype i = 0; i < controls.size(); ++i) {
      const QWidget* c = controls[i];
      const Json& e = elements[static_cast<std::size_t>(i)];
      const std::string name = c->objectName().toStdString();
      SCOPED_TRACE(name);
      EXPECT_EQ(e.at("name"), name);
      EXPECT_EQ(e.at("visible"), c->isVisible());
      EXPECT_EQ(e.at("x"), c->x());
      EXPECT_EQ(e.at("y"), c->y());
      const auto* label = qobject_cast<const QLabel*>(c);
      const bool same_text = label == nullptr || e.at("text") == label->text().toStdString();
      if (name == "Clock") {
        EXPECT_TRUE(QRegularExpression("^\\d{1,2}/\\d{1,2} \\d{1,2}:\\d\\d$")
                        .match(QString::fromStdString(e.at("text")))
                        .hasMatch())
            << e.at("text");
      } else {
        EXPECT_TRUE(same_text) << e.at("text") << " / " << label->text().toStdString();
      }
      if (same_text) {
        EXPECT_EQ(e.at("w"), c->width());
        EXPECT_EQ(e.at("h"), c->height());
      }
      if (label != nullptr) {
        EXPECT_EQ(e.at("fontPx"), QFontInfo(label->font()).pixelSize());
        const QColor color = label->palette().color(QPalette::WindowText);
        EXPECT_EQ(e.at("color"), Json::array({color.red(), color.green(), color.blue()}));
      } else {
        EXPECT_FALSE(e.contains("text"));
      }
    }
  }

  // The PNG against the main window as it is on the screen, Panel1's part of it,
  // pixel by pixel but for the clock (and, with `skip`, another area).
  void ExpectPictureOfTheWindow(const QString& png, const QRect& skip = {}) {
    const QByteArray bytes = [&] {
      QFile f(png);
      f.open(QIODevice::ReadOnly);
      return f.readAll();
    }();
    ASSERT_GT(bytes.size(), 26);
    EXPECT_EQ(bytes.mid(1, 3), "PNG");
    EXPECT_EQ(static_cast<int>(bytes[25]), 2) << "colour type RGB";
    const QImage rendered = QImage(png).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(rendered.size(), QSize(512, 304));
    Main().raise();
    QApplication::processEvents();
    const QImage window = Main().grab().toImage().copy(QRect(Main().Panel1->pos(), QSize(512, 304)));
    const QImage shown = window.convertToFormat(QImage::Format_RGB32);
    const QRect clock = Main().Clock->geometry().adjusted(-2, -2, 40, 2);
    int differ = 0;
    for (int y = 0; y < 304; ++y) {
      for (int x = 0; x < 512; ++x) {
        if (clock.contains(x, y) || skip.contains(x, y)) continue;
        if (rendered.pixel(x, y) != shown.pixel(x, y) && differ++ < 5) {
          ADD_FAILURE() << "pixel " << x << ", " << y << ": " << std::hex << rendered.pixel(x, y) << " rendered, "
                        << shown.pixel(x, y) << " shown";
        }
      }
    }
    EXPECT_EQ(differ, 0);
  }

  static Json ReadJson(const std::string& path) { return Json::parse(FileText(path)); }

 private:
  testing::ScopedTempDir tmp_;
  testing::ScopedTempDir runtime_;
};

class RenderEachVersion : public Render, public ::testing::WithParamInterface<int32_t> {};

TEST_P(RenderEachVersion, WritesWhatTheLoadedWindowShows) {
  WriteDemo(GetParam());
  const RenderRun run = Run({Out("preview.png"), "--geometry", Out("preview.json")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");

  StartLoaded(GetParam());
  ExpectGeometryOfTheWindow(ReadJson(Path("preview.json")));
  ExpectPictureOfTheWindow(Out("preview.png"));
}

INSTANTIATE_TEST_SUITE_P(Versions, RenderEachVersion, ::testing::Values(390, 395, 401, 500));

TEST_F(Render, EveryOptionRunsTheHandlerOfTheUsersAction) {
  WriteDemo(500);
  // A preset of another version: its layout applies, its entries and items are
  // skipped with the warning; then the setting.
  ASSERT_EQ(std::system(("'" + std::string(QORVI_CLI) + "' demo --version 4.01 '" + Path("other") + "'").c_str()), 0);
  {
    QProcess info;
    info.setStandardOutputFile(Out("preset.json"));
    info.start(QORVI_CLI, {"info", "--workdir", Out("other")});
    ASSERT_TRUE(info.waitForFinished(60000));
  }
  QImage wallpaper(120, 68, QImage::Format_RGB32);
  for (int y = 0; y < 68; ++y) {
    for (int x = 0; x < 120; ++x) wallpaper.setPixel(x, y, qRgb(x * 2, y * 3, 90));
  }
  ASSERT_TRUE(wallpaper.save(Out("wall.bmp"), "BMP"));

  const RenderRun run =
      Run({Out("opts.png"), "--geometry", Out("opts.json"), "--layout", Out("preset.json"), "--set",
           "ClockX=120",    "--set",      "MainIconY=70",   "--no-umd", "--no-unfocused",   "--english",
           "--category",    "5",          "--item",         "1",        "--offset",         "7=3",
           "--offset",      "16=-4",      "--offset",       "15=5",     "--wallpaper",      Out("wall.bmp")});
  ASSERT_EQ(run.status, 0) << run.err;
  // The 4.01 preset's SubIconUpperSpace2 (no version stores it) is not 5.00's fixed 60.
  EXPECT_EQ(run.err,
            "qorvi: warning: layout.SubIconUpperSpace2 skipped: the loaded firmware is version 500, which does not "
            "store it\n"
            "qorvi: warning: categoryEntries skipped: the layout file is for version 401, the loaded firmware is "
            "version 500\n"
            "qorvi: warning: items skipped: the layout file is for version 401, the loaded firmware is version 500\n");

  // The same in the window, by hand: the preset and the settings, then the options.
  StartLoaded(500);
  const app::ImportResult imported = app::ImportLayout(Session(), Path("preset.json"));
  ASSERT_EQ(imported.error, "");
  Form2().ClockXEdit->setText("120");
  Form2().MainIconYEdit->setText("70");
  auto& f = Main();
  QTest::mouseClick(f.NoUMDCheck, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseClick(f.NoShowCheck, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseClick(f.ENGRadio, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  f.XMB_HScroll->setValue(5);
  f.XMB_VScroll->setValue(1);
  QTest::mouseClick(f.PositioningButton, Qt::LeftButton);
  for (auto [index, value] : {std::pair{7, 3}, {16, -4}, {15, 5}}) {
    Form6().ItemCombo->setCurrentIndex(index);
    Form6().ValueScroll->setValue(value);
  }
  {
    ModalDriver driver;
    driver.ThenChooseFile(Out("wall.bmp"));
    QTest::mouseClick(f.WallpaperButton, Qt::LeftButton);
  }
  ASSERT_TRUE(f.NoUMDCheck->isChecked() && f.NoShowCheck->isChecked() && f.ENGRadio->isChecked());
  ASSERT_EQ(View().CurrentItem, 1);

  const Json doc = ReadJson(Path("opts.json"));
  EXPECT_EQ(doc.at("category"), 5);
  EXPECT_EQ(doc.at("item"), 1);
  EXPECT_EQ(doc.at("language"), 1);
  ExpectGeometryOfTheWindow(doc);
  ExpectPictureOfTheWindow(Out("opts.png"));
}

struct UsageCase {
  const char* name;
  std::vector<std::string> args;  // after --render OUT.png
  const char* message;            // the whole of standard error; the line starts "qorvi: "
};

class RenderUsage : public Render, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(RenderUsage, IsRefusedWithExit2AndWritesNothing) {
  WriteDemo(390);
  const std::string unknown_key = R"({"layouts": 1})";
  testing::WriteBytes(Path("bad.json"), std::vector<uint8_t>(unknown_key.begin(), unknown_key.end()));
  testing::WriteBytes(Path("not-a-picture.png"), {'B', 'M', 0, 0});
  QStringList args{Out("out.png"), "--geometry", Out("out.json")};
  for (const std::string& a : GetParam().args) args << QString::fromStdString(a);
  const RenderRun run = Run(args);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, std::string(GetParam().message) + "\n");
  EXPECT_FALSE(fs::exists(Path("out.png")));
  EXPECT_FALSE(fs::exists(Path("out.json")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenderUsage,
    ::testing::Values(
        UsageCase{"UnknownOption", {"--bogus"}, "qorvi: The following argument was not expected: --bogus"},
        UsageCase{"ExtraArgument", {"extra"}, "qorvi: The following argument was not expected: extra"},
        // Numbers are plain decimal integers, nothing else: 010 is ten.
        UsageCase{"NotANumber", {"--category", "two"}, "qorvi: --category 'two': expected a decimal integer"},
        UsageCase{"Empty", {"--category", ""}, "qorvi: --category '': expected a decimal integer"},
        UsageCase{"BlankBefore", {"--item", " 3"}, "qorvi: --item ' 3': expected a decimal integer"},
        UsageCase{"BlankAfter", {"--item", "3 "}, "qorvi: --item '3 ': expected a decimal integer"},
        UsageCase{"Plus", {"--item", "+3"}, "qorvi: --item '+3': expected a decimal integer"},
        UsageCase{"Hexadecimal", {"--category", "0x3"}, "qorvi: --category '0x3': expected a decimal integer"},
        UsageCase{"TooLarge", {"--item", "99999999999"}, "qorvi: --item 99999999999: out of range"},
        UsageCase{"LeadingZeros", {"--category", "010"}, "qorvi: --category 10: there are categories 0..7 at most"},
        UsageCase{"OffsetLeadingZeros", {"--offset", "010=011"}, "qorvi: --offset 010=011: V must be -10..10"},
        UsageCase{"OffsetPlus", {"--offset", "+3=1"}, "qorvi: --offset +3=1: expected K=V with integers K and V"},
        UsageCase{"NoSuchCategory", {"--category", "8"}, "qorvi: --category 8: there are categories 0..7 at most"},
        // 3.90 has seven categories: the scroll bar stops at 6.
        UsageCase{"CategoryBeyondTheBar",
                  {"--category", "7"},
                  "qorvi: --category 7: XMB_HScroll goes from 0 to 6 for this firmware"},
        UsageCase{"ItemBeyondTheBar", {"--item", "40"}, "qorvi: --item 40: category 0 lists items 0..11"},
        UsageCase{"OffsetIndex", {"--offset", "19=0"}, "qorvi: --offset 19=0: K must be 0..18"},
        UsageCase{"OffsetValue", {"--offset", "3=-11"}, "qorvi: --offset 3=-11: V must be -10..10"},
        UsageCase{"OffsetForm", {"--offset", "3"}, "qorvi: --offset 3: expected K=V with integers K and V"},
        UsageCase{"UnknownField", {"--set", "Bogus=1"}, "qorvi: --set Bogus: unknown field"},
        UsageCase{"NotAScalar", {"--set", "ClockColor=1"}, "qorvi: --set ClockColor: not a scalar field"},
        UsageCase{"NotStoredByTheVersion",
                  {"--set", "Sub2NetSearchX=3"},
                  "qorvi: --set Sub2NetSearchX=3: the loaded firmware is version 390, which does not store "
                  "Sub2NetSearchX"},
        UsageCase{"UnknownLayoutKey",
                  {"--layout", "bad.json"},
                  "qorvi: the layout file bad.json is refused: unknown field layouts"},
        UsageCase{"Wallpaper",
                  {"--wallpaper", "not-a-picture.png"},
                  "qorvi: --wallpaper not-a-picture.png: cannot read the picture"}),
    [](const ::testing::TestParamInfo<UsageCase>& param_info) { return std::string(param_info.param.name); });

// Only a regular file is replaced: a FIFO (as a device node or a socket) where the
// picture or the geometry goes is refused with its path, left as it is, and
// nothing is written.
TEST_F(Render, ASpecialFileWhereAFileGoesIsRefusedAndLeftAsItWas) {
  WriteDemo(500);
  ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
  for (const QStringList& args : {QStringList{Out("pipe")}, QStringList{Out("out.png"), "--geometry", Out("pipe")}}) {
    const RenderRun run = Run(args);
    EXPECT_EQ(run.status, 1) << args.join(' ').toStdString();
    EXPECT_EQ(run.err, "qorvi: cannot write " + Path("pipe") + ": Not a regular file\n");
    EXPECT_TRUE(fs::is_fifo(Path("pipe")));
    EXPECT_FALSE(fs::exists(Path("out.png")));
  }
}

// Both files are written in full before either replaces anything: a render that
// fails leaves every earlier file as it was.
TEST_F(Render, AFailedRenderLeavesEveryEarlierFileAsItWas) {
  WriteDemo(500);
  testing::WriteBytes(Path("k.png"), {'O', 'L', 'D', '\n'});
  fs::create_directory(Path("g.json"));
  const RenderRun run = Run({Out("k.png"), "--geometry", Out("g.json")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "qorvi: cannot write " + Path("g.json") + ": Is a directory\n");
  EXPECT_EQ(FileText(Path("k.png")), "OLD\n");
  EXPECT_TRUE(fs::is_empty(Path("g.json")));
  for (const auto& entry : fs::directory_iterator(WorkDir())) {
    EXPECT_EQ(entry.path().filename().string().find(".partial-"), std::string::npos) << entry.path();
  }
}

// The picture and the geometry cannot be one file, by whatever name.
TEST_F(Render, GeometryNamingThePictureIsAUsageError) {
  WriteDemo(500);
  testing::WriteBytes(Path("k.png"), {'O', 'L', 'D', '\n'});
  fs::create_symlink("k.png", Path("link.json"));
  for (const QString& geometry : {Out("k.png"), QString::fromStdString(WorkDir() + "/./k.png"), Out("link.json")}) {
    const RenderRun run = Run({Out("k.png"), "--geometry", geometry});
    EXPECT_EQ(run.status, 2) << geometry.toStdString();
    EXPECT_EQ(run.err, "qorvi: --geometry " + geometry.toStdString() + ": names the same file as --render\n");
    EXPECT_EQ(FileText(Path("k.png")), "OLD\n");
  }
}

// A display variable that names no server (as in a stale ssh session): the render
// draws on the offscreen platform, as it does without any display.
TEST_F(Render, ADisplayThatCannotBeOpenedFallsBackToOffscreen) {
  WriteDemo(395);
  const RenderRun run = Run({Out("out.png")}, testing::DisplayWithoutServer());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(QImage(Out("out.png")).size(), QSize(512, 304));
}

TEST_F(Render, AFailingLoadSaysItsMessageAndWritesNothing) {
  WriteDemo(401);
  fs::remove(Path("paf.prx"));
  const RenderRun run = Run({Out("out.png"), "--geometry", Out("out.json")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "qorvi: " + MessageLine(Message::PafOpenError) + "\n");
  EXPECT_FALSE(fs::exists(Path("out.png")));
  EXPECT_FALSE(fs::exists(Path("out.json")));

  // A picture that cannot be written is a message too.
  WriteDemo(401);
  const RenderRun unwritable = Run({Out("no/such/folder/out.png")});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err.rfind("qorvi: cannot write " + Path("no/such/folder/out.png") + ": ", 0), 0u)
      << unwritable.err;
}

}  // namespace
}  // namespace qorvi
