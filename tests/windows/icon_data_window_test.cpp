// SPDX-License-Identifier: GPL-3.0-or-later
// The Icon data window: texts typed into the edits and what they store, the
// display formats, Ctrl+click restore, Reset, and the layout of each version.
#include "windows/icon_data_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <cstring>

#include "app/desktop_fixture.h"
#include "app/preview_drag.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using testing::ModalDriver;

class IconDataWindow : public DesktopTest {
 protected:
  testing::IconDataParts Window() { return Form2(); }
  LayoutRecord& L() { return TheModel().Layout; }
  // Replaces the edit's text by typing: select all, then the keys.
  static void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
};

// Only the first 31 characters of an edit are read.
const std::string kPastTheLimit = std::string(31, ' ') + "7";
const std::string kAtTheLimit = std::string(29, ' ') + "-7";

struct TypedCase {
  const char* edit;
  const char* text;
  double stored;
};

class TypedText : public IconDataWindow, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedText, IsStoredByTheFieldsRule) {
  StartLoaded(395);
  const TypedCase c = GetParam();
  auto* edit = Window().findChild<QLineEdit*>(c.edit);
  ASSERT_NE(edit, nullptr);
  Type(edit, c.text);
  const LayoutField* field = FindLayoutField(QString(c.edit).chopped(4).toStdString());
  ASSERT_NE(field, nullptr);
  std::visit([&](auto member) { EXPECT_EQ(static_cast<double>(L().*member), c.stored) << c.text; }, field->member);
  EXPECT_EQ(edit->text().toStdString(), c.text);  // typed text stays as typed
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TypedText,
    ::testing::Values(TypedCase{"MainIconXEdit", "", 0}, TypedCase{"MainIconXEdit", "12abc", 12},
                      TypedCase{"MainIconYEdit", "abc", 0}, TypedCase{"ClockYEdit", " -5", -5},
                      TypedCase{"UnfIconSizeEdit", "1e2", 100.0}, TypedCase{"SubIconLowerSpace1Edit", "65.9", 65},
                      TypedCase{"SubIconUpperSpace1Edit", "-3.7", -3}, TypedCase{"WaveSpeedEdit", "2.5x", 2.5},
                      TypedCase{"BusyXEdit", kPastTheLimit.c_str(), 0}, TypedCase{"BusyYEdit", kAtTheLimit.c_str(), -7},
                      TypedCase{"Bmp01_12sizeEdit", "32767", 32767}));

TEST_F(IconDataWindow, Bmp01_12sizeAbove16BitsIsClampedAndShownClamped) {
  StartLoaded(395);
  QLineEdit* edit = Window().Bmp01_12sizeEdit;
  for (const char* text : {"32768", "40000", "-1"}) {
    Type(edit, text);
    EXPECT_EQ(L().Bmp01_12size, 32767) << text;
    EXPECT_EQ(edit->text().toStdString(), "32767") << text;
  }
  Type(edit, "123");
  EXPECT_EQ(L().Bmp01_12size, 123);
}

TEST_F(IconDataWindow, TypingMovesThePreview) {
  StartLoaded(395);
  auto& f = Main();
  const QPoint clock = f.Clock->pos();
  const int32_t x = L().ClockX;
  Type(Window().ClockXEdit, QString::number(x + 11));
  EXPECT_EQ(f.Clock->pos(), clock + QPoint(11, 0));
  Type(Window().ClockXEdit, "");
  EXPECT_EQ(L().ClockX, 0);
  EXPECT_EQ(f.Clock->x(), clock.x() - x);

  const int column = f.SubIcon1->x();
  Type(Window().MainIconXEdit, QString::number(L().MainIconX - 6));
  EXPECT_EQ(f.SubIcon1->x(), column - 6);
}

TEST_F(IconDataWindow, RealsShowWithFifteenDigitsAndReadBackTheSame) {
  StartLoaded(395);
  L().UnfIconSize = 0.78f;
  L().SubIconSize = 1.0f;
  Window().FillIconData();
  EXPECT_EQ(Window().UnfIconSizeEdit->text().toStdString(), "0.779999971389771");
  EXPECT_EQ(Window().SubIconSizeEdit->text().toStdString(), "1");
  EXPECT_EQ(L().UnfIconSize, 0.78f);  // the change handler re-read the shown text
}

// A number longer than its edit shows its beginning, after a load and after any
// change the edit did not type itself (a drag, an undo).
TEST_F(IconDataWindow, LongNumbersShowTheirBeginning) {
  StartLoaded(500);
  QLineEdit* edit = Window().UnfIconSizeEdit;
  ASSERT_EQ(edit->text().toStdString(), "0.699999988079071");
  EXPECT_EQ(edit->cursorPosition(), 0);
  Type(Window().ClockXEdit, "-1234567890");
  QTest::keyClick(Window().ClockXEdit, Qt::Key_Z, Qt::ControlModifier);  // back to the loaded value
  EXPECT_EQ(Window().ClockXEdit->cursorPosition(), 0);
  Type(edit, "0.125");
  EXPECT_EQ(edit->cursorPosition(), 5) << "typing keeps the cursor where it types";
}

// The load keeps the 16-bit size at most 32767 (for the CLI alike); the window only
// shows what was loaded, and its fill stores nothing.
TEST_F(IconDataWindow, ALoaded16BitOverflowIsClampedByTheLoad) {
  demo::DemoContent content = demo::DefaultDemoContent(395);
  content.layout.Bmp01_12size = 40000;
  std::string error;
  demo::DemoOptions options;
  options.version = 395;
  ASSERT_TRUE(demo::WriteDemoFiles(WorkDir(), demo::BuildDemoSet(content, options), &error)) << error;
  Start();
  ASSERT_TRUE(PressLoad().empty());
  EXPECT_EQ(L().Bmp01_12size, 32767);
  EXPECT_EQ(TheModel().LoadedLayout.Bmp01_12size, 32767);
  EXPECT_EQ(Window().Bmp01_12sizeEdit->text().toStdString(), "32767");
  L().Bmp01_12size = 40000;
  Window().FillIconData();
  EXPECT_EQ(L().Bmp01_12size, 40000);
  EXPECT_EQ(Window().Bmp01_12sizeEdit->text().toStdString(), "40000");
}

TEST_F(IconDataWindow, CtrlLeftClickRestoresTheLoadedValue) {
  StartLoaded(395);
  auto& f = Main();
  QLineEdit* edit = Window().ClockXEdit;
  const int32_t loaded = L().ClockX;
  const QPoint clock = f.Clock->pos();
  testing::DragBy(f, f.Clock, QPoint(9, 0));
  ASSERT_EQ(L().ClockX, loaded + 9);

  QTest::mouseClick(edit, Qt::RightButton, Qt::ControlModifier);
  QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier);
  QTest::mouseClick(edit, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(L().ClockX, loaded + 9);
  EXPECT_EQ(edit->text().toInt(), loaded + 9);

  QTest::mouseClick(edit, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(L().ClockX, loaded);
  EXPECT_EQ(edit->text().toInt(), loaded);
  EXPECT_EQ(f.Clock->pos(), clock);
}

TEST_F(IconDataWindow, CtrlClickRestoresOnlyThatField) {
  StartLoaded(500);
  Type(Window().BusySpeedEdit, "3.25");
  Type(Window().IconSpeedYEdit2, "77");
  const LayoutRecord before = L();
  QTest::mouseClick(Window().IconSpeedYEdit2, Qt::LeftButton, Qt::ControlModifier);
  LayoutRecord expected = before;
  expected.IconSpeedY2 = TheModel().LoadedLayout.IconSpeedY2;
  EXPECT_EQ(std::memcmp(&L(), &expected, sizeof expected), 0);
  EXPECT_EQ(L().BusySpeed, 3.25f);
}

TEST_F(IconDataWindow, ResetAsksAndRestoresExactlyThisWindowsGroup) {
  StartLoaded(500);
  auto w = Window();
  for (QLineEdit* edit : {w.MainIconXEdit, w.UnfIconSizeEdit, w.SubIconLowerSpace2Edit, w.IconSpeedXEdit2,
                          w.BusySpeedEdit, w.Bmp01_12sizeEdit}) {
    Type(edit, "21");
  }
  L().SubMenuTextY += 5;  // a text value: Reset of this window leaves it
  L().ClockColor = {1, 2, 3};
  const LayoutRecord changed = L();

  {
    ModalDriver driver;
    driver.ThenPress(QMessageBox::Cancel);
    QTest::mouseClick(w.ResetButton, Qt::LeftButton);
    ASSERT_EQ(driver.messages, std::vector<std::string>{"Reset All IconData Value"});
    EXPECT_EQ(driver.captions.front(), "Qorvi");
  }
  EXPECT_EQ(std::memcmp(&L(), &changed, sizeof changed), 0);

  {
    ModalDriver driver;
    driver.ThenPress(QMessageBox::Ok);
    QTest::mouseClick(w.ResetButton, Qt::LeftButton);
    ASSERT_EQ(driver.messages.size(), 1u);
  }
  LayoutRecord expected = changed;
  for (const LayoutField& field : LayoutFields()) {
    if (field.group != FieldGroup::IconData) continue;
    std::visit([&](auto member) { expected.*member = TheModel().LoadedLayout.*member; }, field.member);
  }
  EXPECT_EQ(std::memcmp(&L(), &expected, sizeof expected), 0);
  EXPECT_EQ(w.MainIconXEdit->text().toInt(), TheModel().LoadedLayout.MainIconX);
}

TEST_F(IconDataWindow, LayoutFollowsTheLoadedVersion) {
  StartLoaded(395);
  auto w = Window();
  ASSERT_TRUE(w.isVisible());
  QWidget* only500[] = {w.UpperSpace500Label, w.LowerSpace500Label, w.SubIconLowerSpace2Edit, w.SubIconUpperSpace2Edit,
                        w.IconSpeedXLabel2,   w.IconSpeedYLabel2,   w.IconSpeedXEdit2,        w.IconSpeedYEdit2};
  for (QWidget* c : only500) EXPECT_FALSE(c->isVisible()) << c->objectName().toStdString();
  EXPECT_TRUE(w.SubIconUpperSpace2Edit->isEnabled());
  EXPECT_EQ(w.IconSpeedXLabel1->text().toStdString(), "X");
  EXPECT_EQ(w.IconSpeedYLabel1->text().toStdString(), "Y");

  WriteDemo(500);
  ASSERT_TRUE(PressLoad().empty());
  for (QWidget* c : only500) EXPECT_TRUE(c->isVisible()) << c->objectName().toStdString();
  EXPECT_FALSE(w.SubIconUpperSpace2Edit->isEnabled());
  EXPECT_EQ(w.IconSpeedXLabel1->text().toStdString(), "←key");
  EXPECT_EQ(w.IconSpeedYLabel1->text().toStdString(), "↑key");
  EXPECT_EQ(w.IconSpeedXLabel2->text().toStdString(), "→key");
  EXPECT_EQ(w.SubIconUpperSpace2Edit->text().toInt(), L().SubIconUpperSpace2);
  EXPECT_EQ(w.IconSpeedYEdit2->text().toInt(), L().IconSpeedY2);

  // Greyed: neither typing nor Ctrl+click reaches it.
  L().SubIconUpperSpace2 = 1;
  QTest::mouseClick(w.SubIconUpperSpace2Edit, Qt::LeftButton, Qt::ControlModifier);
  QTest::keyClicks(w.SubIconUpperSpace2Edit, "9");
  EXPECT_EQ(L().SubIconUpperSpace2, 1);
}

TEST_F(IconDataWindow, BeforeTheFirstLoadEveryEditShowsZero) {
  Start();
  auto w = Window();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.windowTitle().toStdString(), "Qorvi Icon Data Window");
  EXPECT_EQ(w.MainIconXEdit->text().toStdString(), "0");
  EXPECT_EQ(w.UnfIconSizeEdit->text().toStdString(), "0");
  EXPECT_EQ(w.Bmp01_12sizeEdit->text().toStdString(), "0");
  EXPECT_EQ(w.Bmp01_12sizeEdit->toolTip().toStdString(), "～32767");
}

}  // namespace
}  // namespace qorvi
