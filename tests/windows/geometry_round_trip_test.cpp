// SPDX-License-Identifier: GPL-3.0-or-later
// From the mouse to the firmware files: drag and type values in a loaded demo set,
// save, load the saved files into a fresh model and find exactly those values.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <cstring>

#include "app/desktop_fixture.h"
#include "app/preview_drag.h"
#include "firmware/load_sequence.h"
#include "windows/icon_data_window.h"
#include "windows/text_data_window.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using testing::DragBy;
using testing::ModalDriver;

class GeometryRoundTrip : public DesktopTest, public ::testing::WithParamInterface<int32_t> {
 protected:
  static void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
};

TEST_P(GeometryRoundTrip, SavedFilesHoldWhatWasDraggedAndTyped) {
  const int32_t version = GetParam();
  StartLoaded(version, /*compressed=*/true);
  auto& f = Main();
  auto icons = Form2();
  auto texts = Form7();
  const LayoutRecord loaded = TheModel().Layout;

  DragBy(f, f.MainIcons[0], {QPoint(6, -2), QPoint(4, -3)});
  DragBy(f, f.Clock, QPoint(-7, 3));
  DragBy(f, f.SubMenuText1, QPoint(2, -1));  // category 0: SubMenuTextX2, SubMenuTextY
  f.XMB_HScroll->setValue(3);
  DragBy(f, f.MainIcons[1], QPoint(-3, 2));  // left of the focused one: the spacing grows
  Type(icons.UnfIconSizeEdit, "0.5");
  Type(icons.Bmp01_12sizeEdit, "40000");
  Type(icons.SubIconLowerSpace1Edit, "70.9");
  Type(texts.MainMenuTextYEdit, "61");
  Type(texts.SubMenuTextSizeEdit, "0.875");

  LayoutRecord expected = loaded;
  expected.MainIconX += 10;
  expected.MainIconY += 5;
  expected.ClockX -= 7;
  expected.ClockY -= 3;
  expected.SubMenuTextX2 += 2;
  expected.SubMenuTextY += 1;
  expected.MainIconSpace2 += 3;
  expected.UnfIconY -= 2;
  expected.UnfIconSize = 0.5f;
  expected.Bmp01_12size = 32767;
  expected.SubIconLowerSpace1 = 70;
  expected.MainMenuTextY = 61;
  expected.SubMenuTextSize = 0.875f;
  if (version == 500) {
    Type(texts.Sub2GameTitleXEdit, "12.5");
    expected.Sub2GameTitleX = 12.5f;
  }
  ASSERT_EQ(std::memcmp(&TheModel().Layout, &expected, sizeof expected), 0);

  {
    ModalDriver driver;
    QTest::mouseClick(f.SaveButton, Qt::LeftButton);
    ASSERT_EQ(driver.messages, std::vector<std::string>{"done"});
  }

  Model reloaded;
  ASSERT_TRUE(reloaded.work.Allocate());
  BuildPaths(reloaded.paths, WorkDir());
  const std::string done = WorkDir() + "/done/";
  reloaded.paths.VshmainPath = done + "module/vshmain.prx";
  reloaded.paths.PafPath = done + "module/paf.prx";
  reloaded.paths.TopmenuPluginPath = done + "resource/topmenu_plugin.rco";
  reloaded.paths.SystemPluginFgPath = done + "resource/system_plugin_fg.rco";
  reloaded.paths.TopmenuIconPath = done + "resource/topmenu_icon.rco";
  SetIconDir(reloaded.paths, done);  // keep the running program's bitmaps apart
  const std::optional<Failure> failure = LoadAll(reloaded);
  ASSERT_FALSE(failure.has_value()) << MessageText(failure->code);
  for (const LayoutField& field : LayoutFields()) {
    std::visit([&](auto member) { EXPECT_EQ(reloaded.Layout.*member, expected.*member) << field.name; }, field.member);
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, GeometryRoundTrip, ::testing::Values(395, 500));

}  // namespace
}  // namespace qorvi
