// SPDX-License-Identifier: GPL-3.0-or-later
// The arrow keys on the element last pressed in the preview, with real clicks and
// key presses: the values they change (as a drag of one or ten pixels would), one
// undo step per burst, the label of values, and the selection frame, which the
// window shows and the preview's picture never holds.
#include <QTest>
#include <cctype>
#include <chrono>
#include <functional>

#include "app/desktop_fixture.h"
#include "app/preview_drag.h"
#include "app/preview_overlay.h"
#include "app/preview_picture.h"

namespace qorvi {
namespace {

using testing::MainParts;
using L = LayoutRecord;

class Nudge : public testing::DesktopTest {
 protected:
  void StartActive(int32_t version = 500) {
    StartLoaded(version);
    Main().form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main().form));
  }
  // A click (press and release in place) selects the element and changes nothing.
  void Select(QWidget* element) {
    QTest::mouseClick(element, Qt::LeftButton, Qt::NoModifier, element->rect().center());
  }
  // A key where the keyboard is: the preview, after a click on one of its elements.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key, modifiers);
  }
  LayoutRecord& Layout() { return TheModel().Layout; }
  std::size_t Steps() { return Session().history().Index(); }
};

// One key on one element: the field it changes, by how much, and how far the
// element moves on the screen (dx, dy).
struct KeyCase {
  const char* name;
  QWidget* (*element)(MainParts&);
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  int32_t L::*field;  // nullptr: nothing changes
  int32_t delta;
  QPoint moved;
};

class NudgeKeys : public Nudge, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(NudgeKeys, ChangeWhatADragOfThatManyPixelsWould) {
  StartActive();
  const KeyCase& c = GetParam();
  QWidget* element = c.element(Main());
  ASSERT_TRUE(element->isVisible()) << c.name;
  Select(element);
  ASSERT_EQ(QApplication::focusWidget(), Main().Panel1) << "a click gives the preview the keyboard";
  EXPECT_EQ(Main().preview.SelectedElement(), element);
  const LayoutRecord before = Layout();
  const QPoint at = element->pos();
  const std::size_t steps = Steps();

  Key(c.key, c.modifiers);

  LayoutRecord expected = before;
  if (c.field != nullptr) expected.*(c.field) += c.delta;
  EXPECT_TRUE(session::SameLayout(Layout(), expected)) << c.name;
  EXPECT_EQ(element->pos(), at + c.moved) << c.name;
  EXPECT_EQ(Steps(), steps + (c.field != nullptr ? 1 : 0)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    DragTable, NudgeKeys,
    ::testing::Values(KeyCase{"clock right",
                              [](MainParts& f) -> QWidget* { return f.Clock; },
                              Qt::Key_Right,
                              Qt::NoModifier,
                              &L::ClockX,
                              1,
                              {1, 0}},
                      KeyCase{"clock Shift+Down",
                              [](MainParts& f) -> QWidget* { return f.Clock; },
                              Qt::Key_Down,
                              Qt::ShiftModifier,
                              &L::ClockY,
                              -10,
                              {0, 10}},
                      KeyCase{"battery left",
                              [](MainParts& f) -> QWidget* { return f.BatteryIcon; },
                              Qt::Key_Left,
                              Qt::NoModifier,
                              &L::BatteryX,
                              -1,
                              {-1, 0}},
                      KeyCase{"busy Shift+Up",
                              [](MainParts& f) -> QWidget* { return f.BusyIcon; },
                              Qt::Key_Up,
                              Qt::ShiftModifier,
                              &L::BusyY,
                              10,
                              {0, -10}},
                      KeyCase{"focused main icon Shift+Right",
                              [](MainParts& f) -> QWidget* { return f.MainIcons[0]; },
                              Qt::Key_Right,
                              Qt::ShiftModifier,
                              &L::MainIconX,
                              10,
                              {10, 0}},
                      // Two places right of the focused one: the spacing grows by one, the icon by two.
                      KeyCase{"unfocused main icon right",
                              [](MainParts& f) -> QWidget* { return f.MainIcons[2]; },
                              Qt::Key_Right,
                              Qt::NoModifier,
                              &L::MainIconSpace2,
                              1,
                              {2, 0}},
                      KeyCase{"unfocused main icon up",
                              [](MainParts& f) -> QWidget* { return f.MainIcons[1]; },
                              Qt::Key_Up,
                              Qt::NoModifier,
                              &L::UnfIconY,
                              1,
                              {0, -1}},
                      KeyCase{"main text up",
                              [](MainParts& f) -> QWidget* { return f.MainMenutext; },
                              Qt::Key_Up,
                              Qt::NoModifier,
                              &L::MainMenuTextY,
                              1,
                              {0, -1}},
                      KeyCase{"main text sideways: only its height moves",
                              [](MainParts& f) -> QWidget* { return f.MainMenutext; },
                              Qt::Key_Left,
                              Qt::NoModifier,
                              nullptr,
                              0,
                              {0, 0}},
                      KeyCase{"lower sub icon down",
                              [](MainParts& f) -> QWidget* { return f.SubIcon2; },
                              Qt::Key_Down,
                              Qt::NoModifier,
                              &L::SubIconLowerSpace1,
                              1,
                              {0, 1}},
                      KeyCase{"sub text right in the first category",
                              [](MainParts& f) -> QWidget* { return f.SubMenuText1; },
                              Qt::Key_Right,
                              Qt::NoModifier,
                              &L::SubMenuTextX2,
                              1,
                              {1, 0}},
                      KeyCase{"sub text down",
                              [](MainParts& f) -> QWidget* { return f.SubMenuText1; },
                              Qt::Key_Down,
                              Qt::NoModifier,
                              &L::SubMenuTextY,
                              -1,
                              {0, 1}}),
    [](const auto& param_info) {
      std::string name = param_info.param.name;
      for (char& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
      return name;
    });

TEST_F(Nudge, ABurstOfKeysOnOneElementIsOneStep) {
  StartActive();
  auto& f = Main();
  std::chrono::milliseconds now{1000};
  Session().SetClock([&now] { return now; });
  const LayoutRecord loaded = Layout();
  const std::size_t steps = Steps();

  Select(f.Clock);
  for (int k = 0; k < 3; ++k) Key(Qt::Key_Right);
  Key(Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(Layout().ClockX, loaded.ClockX + 3);
  EXPECT_EQ(Layout().ClockY, loaded.ClockY + 10);
  EXPECT_EQ(Steps(), steps + 1);
  EXPECT_EQ(Session().UndoText(), "Nudge of the clock (X " + std::to_string(loaded.ClockX) + " → " +
                                      std::to_string(loaded.ClockX + 3) + ", Y " + std::to_string(loaded.ClockY) +
                                      " → " + std::to_string(loaded.ClockY + 10) + ")");
  EXPECT_EQ(Form2().ClockXEdit->text().toInt(), loaded.ClockX + 3) << "the editor follows";

  Select(f.BatteryIcon);  // another element
  Key(Qt::Key_Left);
  Key(Qt::Key_Left);
  EXPECT_EQ(Steps(), steps + 2);
  Select(f.Clock);
  Key(Qt::Key_Right);
  EXPECT_EQ(Steps(), steps + 3);
  now += session::EditSession::kNudgeRest;  // a second of rest
  Key(Qt::Key_Right);
  EXPECT_EQ(Steps(), steps + 4);
  now += std::chrono::milliseconds(400);
  Key(Qt::Key_Right);
  EXPECT_EQ(Steps(), steps + 4);

  // Ctrl+Z takes back the last burst, both keys of it.
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Layout().ClockX, loaded.ClockX + 4);
  EXPECT_EQ(Steps(), steps + 3);
}

TEST_F(Nudge, TheLabelShowsTheValuesAgainstTheStartOfTheBurstOrDrag) {
  StartActive();
  auto& f = Main();
  const LayoutRecord loaded = Layout();
  const QLabel* label = f.preview.Overlay().ValueLabel();
  EXPECT_FALSE(label->isVisible());

  Select(f.Clock);
  for (int k = 0; k < 3; ++k) Key(Qt::Key_Right);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  const QString burst = QString("ClockX %1 (+3) · ClockY %2 (-10)").arg(loaded.ClockX + 3).arg(loaded.ClockY - 10);
  EXPECT_EQ(f.preview.ValuesText(), burst);
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->text(), burst);
  // Beside the clock, inside the preview.
  const QRect clock = f.Clock->geometry();
  const QRect shown = label->geometry();
  EXPECT_LE(std::abs(shown.top() - clock.bottom()), 8 + shown.height()) << "just below or above the clock";
  EXPECT_TRUE(QRect(QPoint(0, 0), f.Panel1->size()).contains(shown));
  Key(Qt::Key_Escape);
  EXPECT_FALSE(label->isVisible());
  EXPECT_EQ(f.preview.SelectedElement(), nullptr);

  // A drag counts from where it began, on both axes.
  const LayoutRecord before = Layout();
  QPoint at = testing::CentreInPanel(f, f.BusyIcon);
  QTest::mousePress(f.BusyIcon, Qt::LeftButton, Qt::NoModifier, testing::OnElement(f, f.BusyIcon, at));
  at += QPoint(-5, 0);
  QTest::mouseEvent(QTest::MouseMove, f.BusyIcon, Qt::NoButton, Qt::NoModifier, testing::OnElement(f, f.BusyIcon, at));
  EXPECT_EQ(f.preview.ValuesText(), QString("BusyX %1 (-5) · BusyY %2 (±0)").arg(before.BusyX - 5).arg(before.BusyY));
  EXPECT_TRUE(label->isVisible());
  QTest::mouseRelease(f.BusyIcon, Qt::LeftButton, Qt::NoModifier, testing::OnElement(f, f.BusyIcon, at));
  EXPECT_FALSE(label->isVisible()) << "the label goes with the button";
  EXPECT_EQ(f.preview.ValuesText(), QString());
}

TEST_F(Nudge, TheFrameShowsInTheWindowButNotInThePreviewsPicture) {
  StartActive();
  auto& f = Main();
  Select(f.BatteryIcon);
  Key(Qt::Key_Left, Qt::ShiftModifier);  // the label shows too
  ASSERT_EQ(f.preview.Overlay().Selected(), f.BatteryIcon);
  f.raise();
  QApplication::processEvents();
  const QImage picture = app::PreviewPicture(f.preview);
  const std::string geometry = app::PreviewGeometryText(f.preview, Session());
  const QImage window = f.grab().toImage();
  const QPoint corner = app::PreviewOverlay::FrameRect(f.BatteryIcon->geometry()).topLeft() + f.Panel1->pos();
  EXPECT_EQ(window.pixelColor(corner), QColor(255, 214, 0)) << "the window shows the frame";

  Key(Qt::Key_Escape);
  EXPECT_EQ(f.preview.Overlay().Selected(), nullptr);
  QApplication::processEvents();
  EXPECT_NE(f.grab().toImage().pixelColor(corner), QColor(255, 214, 0));
  EXPECT_EQ(app::PreviewPicture(f.preview), picture) << "the same picture with and without the frame and label";
  EXPECT_EQ(app::PreviewGeometryText(f.preview, Session()), geometry);

  // Without a selection the keys move nothing.
  const LayoutRecord before = Layout();
  f.Panel1->setFocus();
  Key(Qt::Key_Right);
  EXPECT_TRUE(session::SameLayout(Layout(), before));
}

TEST_F(Nudge, ALoadClearsTheSelection) {
  StartActive();
  Select(Main().Clock);
  EXPECT_EQ(Main().preview.SelectedElement(), Main().Clock);
  EXPECT_EQ(PressLoad(), std::vector<std::string>{});
  EXPECT_EQ(Main().preview.SelectedElement(), nullptr);
}

}  // namespace
}  // namespace qorvi
