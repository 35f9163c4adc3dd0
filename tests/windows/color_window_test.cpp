// SPDX-License-Identifier: GPL-3.0-or-later
// The Color window on loaded demo sets: what the swatches show, the colour dialog
// and what it stores, Ctrl+click restores, the battery/clock/busy colours, Reset.
#include "windows/color_window.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <cmath>

#include "app/desktop_fixture.h"
#include "model/colors.h"
#include "widgets/picture_box.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using testing::ModalDriver;

bool SameColor(const RgbF& a, const RgbF& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
bool SameColor(const Rgb8& a, const Rgb8& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

// Every colour of a record, for "nothing changed" checks.
struct Colors {
  explicit Colors(const LayoutRecord& l)
      : text(l.TextColor), bg(l.BGColor), battery(l.BatteryColor), clock(l.ClockColor), busy(l.BusyColor) {}
  bool operator==(const Colors& o) const {
    for (int i = 0; i < kColorTableEntries; ++i) {
      if (!SameColor(text[i], o.text[i]) || !SameColor(bg[i], o.bg[i])) return false;
    }
    return SameColor(battery, o.battery) && SameColor(clock, o.clock) && SameColor(busy, o.busy);
  }
  std::array<RgbF, kColorTableEntries> text, bg;
  Rgb8 battery, clock, busy;
};

// What a swatch shows inside its outline.
QColor Inside(const widgets::PictureBox* image) { return image->ShownPixel(10, 10); }

class ColorWindow : public DesktopTest {
 protected:
  testing::ColorParts Window() { return Form3(); }
  widgets::PictureBox* Swatch(int number) { return Window().TcolImages[number - 1]; }
  void Click(QWidget* w, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QTest::mouseClick(w, button, keys, QPoint(10, 10));
  }

  // Loads a 5.00 set whose text entry 3 is (0.5, 0.5, 0.5) and whose background
  // entry 6 lies outside 0..1.
  void StartWithOddColors() {
    demo::DemoContent content = demo::DefaultDemoContent(500);
    content.layout.TextColor[3] = {0.5f, 0.5f, 0.5f};
    content.layout.BGColor[6] = {1.5f, -0.5f, 2.0f};
    demo::DemoOptions options;
    std::string error;
    ASSERT_TRUE(demo::WriteDemoFiles(WorkDir(), demo::BuildDemoSet(content, options), &error)) << error;
    Start();
    ASSERT_TRUE(PressLoad().empty());
  }
};

TEST(SwatchByte, IsTimes255TruncatedAndWrapsOutsideTheRange) {
  struct Case {
    float channel;
    int byte;
  } cases[] = {{0.0f, 0},    {0.5f, 127}, {1.0f, 255}, {0.999f, 254}, {1.5f, 126},  // 382 & 255
               {-0.5f, 129},                                                        // -127 & 255
               {2.0f, 254},  {-1.0f, 1},  {NAN, 0},    {INFINITY, 0}, {1e30f, 0}};
  for (const Case& c : cases) EXPECT_EQ(SwatchByteFromFloat(c.channel), c.byte) << c.channel;
  // Inside the range it is the conversion Save's reader uses, and every byte survives
  // the way to a float and back.
  for (int b = 0; b < 256; ++b) {
    const float f = FloatFromColorByte(static_cast<uint8_t>(b));
    EXPECT_EQ(SwatchByteFromFloat(f), b);
    EXPECT_EQ(SwatchByteFromFloat(f), ColorByteFromFloat(f));
  }
}

TEST_F(ColorWindow, HalfShowsAs127AndOkWithoutChangeStores127Over255) {
  StartWithOddColors();
  auto w = Window();
  EXPECT_EQ(w.TextSwatch[3], ColorValue(127, 127, 127));
  EXPECT_EQ(Inside(Swatch(4)), QColor(127, 127, 127));
  // Inside a one-pixel black outline.
  EXPECT_EQ(Swatch(4)->ShownPixel(0, 0), QColor(Qt::black));
  EXPECT_EQ(Swatch(4)->ShownPixel(56, 24), QColor(Qt::black));
  EXPECT_EQ(Swatch(4)->ShownPixel(1, 1), QColor(127, 127, 127));

  ModalDriver driver;
  QColor offered;
  driver.Then([&](QDialog* d) {
    offered = static_cast<QColorDialog*>(d)->currentColor();
    d->accept();
  });
  Click(Swatch(4));
  EXPECT_EQ(driver.captions.size(), 1u);
  EXPECT_EQ(offered, QColor(127, 127, 127));
  const float stored = FloatFromColorByte(127);
  EXPECT_NE(stored, 0.5f);
  EXPECT_TRUE(SameColor(TheModel().Layout.TextColor[3], RgbF{stored, stored, stored}));
  EXPECT_TRUE(SameColor(TheModel().Layout.BGColor[3], TheModel().LoadedLayout.BGColor[3]));
}

TEST_F(ColorWindow, SwitchingTablesRepaintsAndChangesNoValue) {
  StartWithOddColors();
  auto w = Window();
  const Colors before(TheModel().Layout);
  const QColor textSeven = Inside(Swatch(7));

  QTest::mouseClick(w.BGRadio, Qt::LeftButton);
  ASSERT_TRUE(w.BGRadio->isChecked());
  // An out-of-range entry shows wrapped: 382, -127 and 510 keep their low bytes.
  EXPECT_EQ(Inside(Swatch(7)), QColor(126, 129, 254));
  QTest::mouseClick(w.TextRadio, Qt::LeftButton);
  EXPECT_EQ(Inside(Swatch(7)), textSeven);
  EXPECT_TRUE(Colors(TheModel().Layout) == before);

  // The choice survives hiding and showing the window.
  QTest::mouseClick(w.BGRadio, Qt::LeftButton);
  w.hide();
  w.show();
  EXPECT_TRUE(w.BGRadio->isChecked());
  EXPECT_EQ(Inside(Swatch(7)), QColor(126, 129, 254));
  EXPECT_TRUE(Colors(TheModel().Layout) == before);
}

TEST_F(ColorWindow, CtrlClickOnSwatch5InBgModeRestoresBgEntry4Only) {
  StartLoaded(500);
  auto w = Window();
  Model& m = TheModel();
  ModalDriver driver;
  driver.ThenChooseColor(QColor(255, 0, 0));
  Click(Swatch(5));  // text entry 4 becomes red
  QTest::mouseClick(w.BGRadio, Qt::LeftButton);
  driver.ThenChooseColor(QColor(0, 0, 255));
  Click(Swatch(5));  // background entry 4 becomes blue
  ASSERT_TRUE(SameColor(m.Layout.BGColor[4], RgbF{0.0f, 0.0f, 1.0f}));
  EXPECT_EQ(Inside(Swatch(5)), QColor(0, 0, 255));

  Click(Swatch(5), Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);  // other keys do not matter
  EXPECT_EQ(driver.captions.size(), 2u);                                      // no dialog for the restore
  EXPECT_TRUE(SameColor(m.Layout.BGColor[4], m.LoadedLayout.BGColor[4]));
  EXPECT_EQ(w.BGSwatch[4], ColorValue(SwatchByteFromFloat(m.LoadedLayout.BGColor[4].r),
                                      SwatchByteFromFloat(m.LoadedLayout.BGColor[4].g),
                                      SwatchByteFromFloat(m.LoadedLayout.BGColor[4].b)));
  EXPECT_EQ(Inside(Swatch(5)), QColor::fromRgb(w.BGSwatch[4] & 0xFF, (w.BGSwatch[4] >> 8) & 0xFF, w.BGSwatch[4] >> 16));
  EXPECT_TRUE(SameColor(m.Layout.TextColor[4], RgbF{1.0f, 0.0f, 0.0f}));
}

TEST_F(ColorWindow, RightClickAndCancelDoNothing) {
  StartLoaded(500);
  auto w = Window();
  const Colors before(TheModel().Layout);
  ModalDriver driver;
  for (QWidget* target :
       std::initializer_list<QWidget*>{Swatch(1), Swatch(30), w.BatteryImage, w.ClockImage, w.BusyImage}) {
    Click(target, Qt::RightButton);
    Click(target, Qt::MiddleButton, Qt::ControlModifier);
  }
  EXPECT_TRUE(driver.captions.empty());
  for (QWidget* target :
       std::initializer_list<QWidget*>{Swatch(1), Swatch(30), w.BatteryImage, w.ClockImage, w.BusyImage}) {
    driver.ThenCancel();
    Click(target);
  }
  EXPECT_EQ(driver.captions.size(), 5u);
  EXPECT_TRUE(Colors(TheModel().Layout) == before);
}

// The preview's clock takes a new colour at once (not at its next update): it shows
// the colour the model holds after every change, undo and redo alike.
TEST_F(ColorWindow, NewClockColorRepaintsClockImageAndThePreviewClockAtOnce) {
  StartLoaded(500);
  auto w = Window();
  const QColor loaded(191, 223, 255);  // the demo's (0.75, 0.875, 1.0)
  ASSERT_EQ(Inside(w.ClockImage), loaded);
  ASSERT_EQ(Main().Clock->palette().color(QPalette::WindowText), loaded);

  ModalDriver driver;
  driver.ThenChooseColor(QColor(10, 200, 30));
  Click(w.ClockImage);
  EXPECT_TRUE(SameColor(TheModel().Layout.ClockColor, Rgb8{10, 200, 30}));
  EXPECT_EQ(Inside(w.ClockImage), QColor(10, 200, 30));
  EXPECT_EQ(Main().Clock->palette().color(QPalette::WindowText), QColor(10, 200, 30));

  // Ctrl+click restores the loaded bytes; battery and busy are separate colours.
  Click(w.ClockImage, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_TRUE(SameColor(TheModel().Layout.ClockColor, TheModel().LoadedLayout.ClockColor));
  EXPECT_EQ(Inside(w.ClockImage), loaded);
  EXPECT_EQ(Main().Clock->palette().color(QPalette::WindowText), loaded);
  driver.ThenChooseColor(QColor(1, 2, 3));
  Click(w.BusyImage);
  EXPECT_TRUE(SameColor(TheModel().Layout.BusyColor, Rgb8{1, 2, 3}));
  EXPECT_TRUE(SameColor(TheModel().Layout.BatteryColor, TheModel().LoadedLayout.BatteryColor));
}

TEST_F(ColorWindow, Version395HidesSwatches29And30ButResetRestoresAllThirty) {
  StartLoaded(395);
  auto w = Window();
  Model& m = TheModel();
  for (int i : {28, 29}) {
    EXPECT_TRUE(w.TcolImages[i]->isHidden());
    EXPECT_TRUE(w.TcolLabels[i]->isHidden());
  }
  EXPECT_FALSE(Swatch(28)->isHidden());
  const Colors loaded(m.LoadedLayout);
  m.Layout.TextColor[28] = {0.25f, 0.25f, 0.25f};
  m.Layout.BGColor[29] = {0.75f, 0.75f, 0.75f};
  ModalDriver driver;
  driver.ThenChooseColor(QColor(9, 9, 9));
  Click(Swatch(1));
  driver.ThenChooseColor(QColor(8, 8, 8));
  Click(w.BatteryImage);

  driver.ThenPress(QMessageBox::Cancel);
  QTest::mouseClick(w.ResetButton, Qt::LeftButton);
  EXPECT_FALSE(Colors(m.Layout) == loaded);
  driver.ThenPress(QMessageBox::Ok);
  QTest::mouseClick(w.ResetButton, Qt::LeftButton);
  EXPECT_TRUE(Colors(m.Layout) == loaded);
  EXPECT_EQ(Inside(Swatch(1)),
            QColor::fromRgb(w.TextSwatch[0] & 0xFF, (w.TextSwatch[0] >> 8) & 0xFF, w.TextSwatch[0] >> 16));
  EXPECT_EQ(driver.messages, (std::vector<std::string>{"Reset All ColorData", "Reset All ColorData"}));
  EXPECT_EQ(driver.captions.back(), "Qorvi");
}

}  // namespace
}  // namespace qorvi
