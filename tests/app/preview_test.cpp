// SPDX-License-Identifier: GPL-3.0-or-later
// The preview with real widgets after loading demo sets through the File window:
// what is shown, at which size and where, as the user browses and switches the
// options, and what a broken bitmap does.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <algorithm>

#include "desktop_fixture.h"
#include "geometry/preview_geometry.h"
#include "widgets/picture_box.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using widgets::PictureBox;

const QColor kGray(128, 128, 128);

class Preview : public DesktopTest {
 protected:
  // Loads a set built from `content` through the File window.
  void StartLoadedWith(const demo::DemoContent& content) {
    std::string error;
    ASSERT_TRUE(demo::WriteDemoFiles(WorkDir(), demo::BuildDemoSet(content, demo::DemoOptions{}), &error)) << error;
    Start();
    const std::vector<std::string> messages = PressLoad();
    ASSERT_TRUE(messages.empty()) << messages.front();
  }

  QImage Bitmap(const std::string& name) const {
    return QImage(QString::fromStdString(Path(name))).convertToFormat(QImage::Format_ARGB32);
  }

  // True when the control shows the bitmap (the frame drawn on its border aside).
  static bool ShowsBitmap(const PictureBox* control, const QImage& bitmap) {
    const QImage& p = control->Picture();
    if (p.size() != bitmap.size() || p.width() < 3 || p.height() < 3) return false;
    const QRect inside(1, 1, p.width() - 2, p.height() - 2);
    return p.copy(inside) == bitmap.copy(inside);
  }

  // Moves the focus the way the user does, with the scroll bars.
  void Focus(int category, int item = 0) {
    Main().XMB_HScroll->setValue(category);
    Main().XMB_VScroll->setValue(item);
  }

  static std::vector<int> Shown(const std::array<PictureBox*, 6>& icons) {
    std::vector<int> k;
    for (int i = 0; i < 6; ++i) {
      if (!icons[i]->isHidden()) k.push_back(i);
    }
    return k;
  }
  static std::vector<int> Shown(const std::array<QLabel*, 6>& texts) {
    std::vector<int> k;
    for (int i = 0; i < 6; ++i) {
      if (!texts[i]->isHidden()) k.push_back(i);
    }
    return k;
  }

  static int CentreY(const QWidget* w) { return w->y() + w->height() / 2; }
  static int CentreX(const QWidget* w) { return w->x() + w->width() / 2; }
};

QString Japanese(int item) { return QString::fromStdString(demo::DefaultDemoContent(500).items[item].japanese); }
QString English(int item) { return QString::fromStdString(demo::DefaultDemoContent(500).items[item].english); }

class PreviewPerVersion : public Preview, public ::testing::WithParamInterface<int32_t> {};

TEST_P(PreviewPerVersion, LoadShowsTheWholePreviewAndTheEditors) {
  const int32_t version = GetParam();
  StartLoaded(version);
  auto& f = Main();
  EXPECT_EQ(View().PreviewReady, 1);
  EXPECT_TRUE(f.SaveButton->isEnabled());
  EXPECT_EQ(f.CompCheck->isEnabled(), version != 395);
  EXPECT_EQ(f.XMB_HScroll->maximum(), version == 500 ? 7 : 6);
  EXPECT_EQ(f.XMB_VScroll->maximum(), TheModel().CategoryTable[0].Count - 1);
  EXPECT_EQ(f.FocusedLabel->text(), QString::asprintf("version : %.02f", version / 100.0));
  EXPECT_FALSE(f.FocusedLabel->isHidden());
  for (QWidget* w : std::initializer_list<QWidget*>{f.MainMenutext, f.SubIcon1, f.SubMenuText1, f.Clock, f.BatteryIcon,
                                                    f.BusyIcon}) {
    EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
  }
  for (PictureBox* icon : f.MainIcons) EXPECT_FALSE(icon->isHidden()) << icon->objectName().toStdString();
  EXPECT_EQ(f.ShowIconDataButton->text(), "Hide Icon Data");
  EXPECT_EQ(f.ShowCateButton->text(), "Hide Category");
  EXPECT_TRUE(TheForms().Form5->isHidden());

  // The focused category is drawn at its own size, the others at UnfIconSize.
  const QImage focused = Bitmap("MainIcon0.bmp");
  EXPECT_EQ(f.MainIcons[0]->size(), focused.size());
  EXPECT_TRUE(ShowsBitmap(f.MainIcons[0], focused));
  const QImage second = Bitmap("MainIcon1.bmp");
  const IconBox unfocused = ScaledIconBox(second.width(), second.height(), TheModel().Layout.UnfIconSize);
  EXPECT_EQ(f.MainIcons[1]->size(), QSize(unfocused.width, unfocused.height));
  EXPECT_TRUE(f.MainIcons[1]->Stretch());
  EXPECT_TRUE(f.MainIcons[1]->TransparentBlack());
  // The gray frame is part of the picture.
  EXPECT_EQ(f.MainIcons[0]->Picture().pixelColor(0, 0), kGray);
  EXPECT_EQ(f.MainIcons[0]->Picture().pixelColor(focused.width() - 1, focused.height() - 1), kGray);

  // Battery and busy icons show their first cell, unstretched.
  EXPECT_EQ(f.BatteryIcon->size(), QSize(44, 16));
  EXPECT_EQ(f.BusyIcon->size(), QSize(25, 25));
  EXPECT_FALSE(f.BatteryIcon->Stretch());
  EXPECT_EQ(f.BatteryIcon->Picture().pixelColor(43, 15), kGray);  // the cell's outline
  EXPECT_EQ(f.BatteryIcon->Picture().pixelColor(0, 63), kGray);   // and the whole bitmap's
  const LayoutRecord& L = TheModel().Layout;
  EXPECT_EQ(f.BatteryIcon->pos(), QPoint(256 - 22 + L.BatteryX, 152 - 8 - L.BatteryY));
  EXPECT_EQ(f.BusyIcon->pos(), QPoint(256 + L.BusyX - 12, 152 - L.BusyY - 12));

  // Everything but the wallpaper and the focused item offers to be dragged.
  EXPECT_EQ(f.Clock->toolTip(), "can drag");
  EXPECT_EQ(f.MainIcon8->toolTip(), "can drag");
  EXPECT_TRUE(f.Wallpaper->toolTip().isEmpty());
  EXPECT_TRUE(f.SubIcon1->toolTip().isEmpty());
  EXPECT_FALSE(f.SubIcon1->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Versions, PreviewPerVersion, ::testing::Values(390, 395, 401, 500));

TEST_F(Preview, FocusedIconAndClockAtTheScreenCentreForZeroValues) {
  StartLoaded(500);
  auto& f = Main();
  LayoutRecord& L = TheModel().Layout;
  L.MainIconX = 0;
  L.MainIconY = 0;
  L.ClockX = 0;
  L.ClockY = 0;
  Focus(2);  // a 60 x 44 icon
  EXPECT_EQ(f.MainIcons[2]->size(), QSize(60, 44));
  EXPECT_EQ(f.MainIcons[2]->pos(), QPoint(256 - 30, 152 - 22));
  f.UpdateClock();
  EXPECT_EQ(f.Clock->pos(), QPoint(174, 144));
  EXPECT_TRUE(QRegularExpression("^\\d{1,2}/\\d{1,2} \\d{1,2}:\\d\\d$").match(f.Clock->text()).hasMatch())
      << f.Clock->text().toStdString();
  EXPECT_EQ(f.Clock->palette().color(QPalette::WindowText), QColor(L.ClockColor.r, L.ClockColor.g, L.ClockColor.b));
  EXPECT_EQ(f.Clock->width(), f.Clock->sizeHint().width());
}

TEST_F(Preview, UnfocusedScaleIsCappedAtThreeAndFloorsAtEightOpaque) {
  StartLoaded(500);
  auto& f = Main();
  TheModel().Layout.UnfIconSize = 5.0f;
  f.LoadMainIconImages();
  EXPECT_EQ(f.MainIcons[0]->size(), QSize(64, 64));    // focused: its own size
  EXPECT_EQ(f.MainIcons[1]->size(), QSize(192, 192));  // 64 x 3
  EXPECT_EQ(f.MainIcons[2]->size(), QSize(180, 132));  // 60 x 44, x 3

  // At the default scale black shows what lies below...
  TheModel().Layout.UnfIconSize = 0.7f;
  f.LoadMainIconImages();
  auto all_opaque = [](const PictureBox* icon) {
    for (int y = 0; y < icon->height(); ++y) {
      for (int x = 0; x < icon->width(); ++x) {
        if (icon->ShownPixel(x, y).alpha() != 255) return false;
      }
    }
    return true;
  };
  EXPECT_FALSE(all_opaque(f.MainIcons[1]));
  // ...but an icon of 6 x 6 is drawn 8 x 8 and opaque.
  TheModel().Layout.UnfIconSize = 0.1f;
  f.LoadMainIconImages();
  EXPECT_EQ(f.MainIcons[1]->size(), QSize(8, 8));
  EXPECT_FALSE(f.MainIcons[1]->TransparentBlack());
  EXPECT_TRUE(all_opaque(f.MainIcons[1]));
  EXPECT_EQ(f.MainIcons[0]->size(), QSize(64, 64));
}

TEST_F(Preview, LastCategoryOnlyOn500WithEveryIconToItsLeft) {
  StartLoaded(500);
  auto& f = Main();
  Focus(7);
  EXPECT_EQ(View().CurrentCategory, 7);
  const LayoutRecord& L = TheModel().Layout;
  const int focused_centre = CentreX(f.MainIcons[7]);
  EXPECT_EQ(focused_centre, 256 + L.MainIconX);
  for (int k = 1; k <= 7; ++k) {
    const PictureBox* icon = f.MainIcons[7 - k];
    EXPECT_LT(icon->x(), f.MainIcons[7]->x()) << "k = " << k;
    EXPECT_EQ(focused_centre - CentreX(icon), L.MainIconSpace1 + k * L.MainIconSpace2) << "k = " << k;
  }
}

TEST_F(Preview, OtherVersionsStopAtTheSeventhCategory) {
  StartLoaded(401);
  Focus(7);
  EXPECT_EQ(View().CurrentCategory, 6);
}

TEST_F(Preview, FirstItemOfThreeShowsTheItemsBelowIt) {
  StartLoaded(500);
  auto& f = Main();
  Focus(2);  // 26, 33 and the appended 15
  ASSERT_EQ(TheModel().CategoryTable[2].Count, 3);
  EXPECT_EQ(Shown(f.SubIcons), (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(ShowsBitmap(f.SubIcon1, Bitmap("SubIcon026.bmp")));
  EXPECT_TRUE(ShowsBitmap(f.SubIcon2, Bitmap("SubIcon033.bmp")));
  EXPECT_TRUE(ShowsBitmap(f.SubIcon3, Bitmap("SubIcon015.bmp")));
  // The focused item is drawn at SubIconSize like the others.
  const QImage bitmap = Bitmap("SubIcon026.bmp");
  const IconBox box = ScaledIconBox(bitmap.width(), bitmap.height(), TheModel().Layout.SubIconSize);
  EXPECT_EQ(f.SubIcon1->size(), QSize(box.width, box.height));
  EXPECT_EQ(CentreX(f.SubIcon1), CentreX(f.MainIcons[2]));
  EXPECT_EQ(CentreY(f.SubIcon1), 152);
}

TEST_F(Preview, EmptyCategoryShowsNoSubIconAndNoSubText) {
  demo::DemoContent content = demo::DefaultDemoContent(500);
  for (CategoryEntry& e : content.categoryEntries) {
    if (e.Category == 4) e.Show = 2;  // left out of the menu
  }
  StartLoadedWith(content);
  auto& f = Main();
  Focus(4);
  ASSERT_EQ(TheModel().CategoryTable[4].Count, 0);
  EXPECT_TRUE(Shown(f.SubIcons).empty());
  EXPECT_TRUE(Shown(f.SubMenuTexts).empty());
  EXPECT_FALSE(f.XMB_VScroll->isEnabled());
  Focus(5);
  EXPECT_FALSE(Shown(f.SubIcons).empty());
  EXPECT_EQ(Shown(f.SubMenuTexts), (std::vector<int>{1}));
}

TEST_F(Preview, SettingsNameTheirNeighboursOtherCategoriesOnlyTheFocus) {
  StartLoaded(500);
  auto& f = Main();
  // Settings: 1, 2, 3, 4, 5, 6, ...
  EXPECT_EQ(Shown(f.SubMenuTexts), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(f.SubMenuText1->text(), Japanese(1));
  EXPECT_EQ(f.SubMenuText5->text(), Japanese(5));
  Focus(0, 3);
  EXPECT_EQ(Shown(f.SubMenuTexts), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(f.SubMenuText0->text(), Japanese(3));
  EXPECT_EQ(f.SubMenuText1->text(), Japanese(4));
  EXPECT_EQ(f.SubMenuText4->text(), Japanese(7));
  // All sub texts share one left, beside the focused item; each is level with its icon.
  for (QLabel* text : f.SubMenuTexts) EXPECT_EQ(text->x(), f.SubMenuText1->x());
  const LayoutRecord& L = TheModel().Layout;
  EXPECT_EQ(f.SubMenuText1->x(), CentreX(f.SubIcon1) + L.SubMenuTextX + L.SubMenuTextX2);
  EXPECT_EQ(f.SubMenuText2->y(), CentreY(f.SubIcon2) - L.SubMenuTextY);

  Focus(6, 1);  // 24, 28, 30, 35
  EXPECT_EQ(Shown(f.SubMenuTexts), (std::vector<int>{1}));
  EXPECT_EQ(f.SubMenuText1->text(), Japanese(28));
  EXPECT_EQ(Shown(f.SubIcons), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(f.MainMenutext->text(), "ネットワーク");
}

TEST_F(Preview, SecondSpacingOn500AwayFromSettings) {
  StartLoaded(500);
  auto& f = Main();
  const LayoutRecord& L = TheModel().Layout;
  ASSERT_NE(L.SubIconUpperSpace1, L.SubIconUpperSpace2);
  ASSERT_NE(L.SubIconLowerSpace1, L.SubIconLowerSpace2);
  // Hidden sub icons are placed too; their centres show the spacing.
  EXPECT_EQ(CentreY(f.SubIcon0), 152 - L.SubIconLowerSpace1 - L.SubIconUpperSpace1);
  EXPECT_EQ(CentreY(f.SubIcon3), 152 + 2 * L.SubIconLowerSpace1);
  Focus(3);
  EXPECT_EQ(CentreY(f.SubIcon0), 152 - L.SubIconLowerSpace2 - L.SubIconUpperSpace2);
  EXPECT_EQ(CentreY(f.SubIcon3), 152 + 2 * L.SubIconLowerSpace2);
  // The MS categories lift their texts by SubMenuMSTextY.
  EXPECT_EQ(f.SubMenuText1->y(), 152 - L.SubMenuMSTextY);
}

TEST_F(Preview, OtherVersionsUseTheFirstSpacingEverywhere) {
  StartLoaded(401);
  auto& f = Main();
  const LayoutRecord& L = TheModel().Layout;
  Focus(3);
  EXPECT_EQ(CentreY(f.SubIcon0), 152 - L.SubIconLowerSpace1 - L.SubIconUpperSpace1);
  EXPECT_EQ(CentreY(f.SubIcon3), 152 + 2 * L.SubIconLowerSpace1);
}

TEST_F(Preview, EnglishRenamesAndRecentresTheMainText) {
  StartLoaded(500);
  auto& f = Main();
  const LayoutRecord& L = TheModel().Layout;
  EXPECT_EQ(f.MainMenutext->text(), "設定");
  const int japanese_width = f.MainMenutext->width();
  f.ENGRadio->click();
  EXPECT_EQ(f.MainMenutext->text(), "Settings");
  EXPECT_EQ(f.SubMenuText1->text(), English(1));
  EXPECT_EQ(f.SubMenuText2->text(), English(2));
  EXPECT_NE(f.MainMenutext->width(), japanese_width);
  EXPECT_EQ(f.MainMenutext->width(), f.MainMenutext->sizeHint().width());
  EXPECT_EQ(f.MainMenutext->pos(), QPoint(258 + L.MainIconX - f.MainMenutext->width() / 2, 144 - L.MainMenuTextY));
  f.JPNRadio->click();
  EXPECT_EQ(f.MainMenutext->text(), "設定");
}

TEST_F(Preview, NoUmdIconTakesTheUmdItemsOutOfTheGameColumnAtOnce) {
  StartLoaded(500);
  auto& f = Main();
  Focus(5, 2);  // 19, 20, 14, 23, 22: item 14 (UMD Game) focused
  ASSERT_EQ(TheModel().CategoryTable[5].Count, 5);
  EXPECT_EQ(f.SubMenuText1->text(), Japanese(14));
  EXPECT_EQ(Shown(f.SubIcons), (std::vector<int>{0, 1, 2, 3}));
  f.NoUMDCheck->click();
  EXPECT_EQ(TheModel().CategoryTable[5].Count, 3);
  EXPECT_EQ(f.XMB_VScroll->maximum(), 2);
  EXPECT_EQ(f.SubMenuText1->text(), Japanese(22));  // 19, 20, 22
  EXPECT_EQ(Shown(f.SubIcons), (std::vector<int>{0, 1}));
  EXPECT_TRUE(ShowsBitmap(f.SubIcon1, Bitmap("SubIcon022.bmp")));
  EXPECT_TRUE(ShowsBitmap(f.SubIcon0, Bitmap("SubIcon020.bmp")));
}

TEST_F(Preview, NoShowUnfocusedSurvivesACategoryChangeButNotALoad) {
  StartLoaded(500);
  auto& f = Main();
  f.NoShowCheck->click();
  Focus(3);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(f.MainIcons[i]->isHidden(), i != 3) << i;
  ASSERT_TRUE(PressLoad().empty());
  EXPECT_TRUE(f.NoShowCheck->isChecked());
  for (PictureBox* icon : f.MainIcons) EXPECT_FALSE(icon->isHidden());
}

TEST_F(Preview, ASecondLoadPlacesTheColumnForTheFirstCategoryAgain) {
  StartLoaded(500);
  auto& f = Main();
  Focus(3);
  ASSERT_TRUE(PressLoad().empty());
  const LayoutRecord& L = TheModel().Layout;
  EXPECT_EQ(View().CurrentCategory, 0);
  EXPECT_EQ(CentreY(f.SubIcon0), 152 - L.SubIconLowerSpace1 - L.SubIconUpperSpace1);
  EXPECT_EQ(f.SubMenuText1->x(), CentreX(f.SubIcon1) + L.SubMenuTextX + L.SubMenuTextX2);
  EXPECT_EQ(f.SubMenuText1->y(), 152 - L.SubMenuTextY);
  EXPECT_EQ(f.MainMenutext->text(), "設定");
}

// The same set loaded again, after the preview offsets and the focus had moved
// everything: the load clears the offsets, and the column and both texts are placed
// again without them, although no value changed.
TEST_F(Preview, AReloadOfTheSameValuesPlacesEverythingWithoutTheOldOffsets) {
  StartLoaded(500);
  auto where = [&] {
    std::vector<std::pair<QRect, int>> all;
    for (QWidget* w : Main().Panel1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      all.emplace_back(w->geometry(), w->font().pointSize());
    }
    return all;
  };
  const auto loaded = where();
  for (int item : {kMainIconX, kLowerSubIconY, kMainTextY, kMainTextSize, kSubTextX, kSubTextSize, kClockX}) {
    Session().SetRepositionOffset(item, 4);
  }
  Focus(3);
  ASSERT_NE(where(), loaded);
  ASSERT_TRUE(PressLoad().empty());
  EXPECT_EQ(where(), loaded);
}

// Names come from the firmware files: a name that looks like markup shows as it is.
TEST_F(Preview, NamesFromTheFilesShowAsPlainText) {
  demo::DemoContent content = demo::DefaultDemoContent(500);
  content.categoryJapanese[0] = "A<B>C";
  content.items[1].japanese = "<i>usb</i>";
  StartLoadedWith(content);
  auto& f = Main();
  EXPECT_EQ(f.MainMenutext->text(), "A<B>C");
  EXPECT_EQ(f.SubMenuText1->text(), "<i>usb</i>");
  for (QLabel* label : {f.MainMenutext, f.SubMenuText1, f.Clock, f.FocusedLabel}) {
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
  }
  // Drawn as text, so as wide as the characters are.
  EXPECT_EQ(f.MainMenutext->width(), f.MainMenutext->sizeHint().width());
  EXPECT_GE(f.MainMenutext->width(), QFontMetrics(f.MainMenutext->font()).horizontalAdvance("A<B>C"));
}

TEST_F(Preview, TextSizesNeverGoBelowOnePoint) {
  StartLoaded(500);
  auto& f = Main();
  EXPECT_EQ(f.MainMenutext->font().pointSize(), 8);
  EXPECT_EQ(f.SubMenuText1->font().pointSize(), 10);
  View().RepositionOffset[kMainTextSize] = -10;
  View().RepositionOffset[kSubTextSize] = -10;
  f.PlaceMainMenuText();
  f.PlaceSubMenuTexts();
  EXPECT_EQ(f.MainMenutext->font().pointSize(), 1);
  EXPECT_EQ(f.SubMenuText3->font().pointSize(), 1);
}

TEST_F(Preview, ABitmapThatCannotBeReadLeavesTheIconAndIsReportedOnce) {
  StartLoaded(500);
  auto& f = Main();
  const QSize size = f.MainIcons[3]->size();
  const QImage picture = f.MainIcons[3]->Picture();
  {
    QFile garbage(QString::fromStdString(Path("MainIcon3.bmp")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
    garbage.write(QByteArray(300, '\x5a'));
  }
  testing::ModalDriver driver;
  Focus(1);  // reloads every main icon
  Focus(2);  // and again
  EXPECT_TRUE(QTest::qWaitFor([&] { return !driver.messages.empty(); }, 3000));
  QTest::qWait(100);
  ASSERT_EQ(driver.messages.size(), 1u);
  EXPECT_NE(driver.messages.front().find("MainIcon3.bmp"), std::string::npos) << driver.messages.front();
  EXPECT_EQ(f.MainIcons[3]->size(), size);
  EXPECT_EQ(f.MainIcons[3]->Picture(), picture);
  // The others were reloaded at their new scales.
  EXPECT_EQ(f.MainIcons[2]->size(), QSize(60, 44));
}

TEST_F(Preview, ItemNumbersOutsideTheTablesShowNothing) {
  StartLoaded(500);
  auto& f = Main();
  CategoryList& photo = TheModel().CategoryTable[1];
  photo.Items[0] = 60;  // no such item: no icon, no name
  photo.Items[1] = 27;
  photo.Count = 2;
  Focus(1);
  EXPECT_EQ(Shown(f.SubIcons), (std::vector<int>{1, 2}));
  EXPECT_TRUE(f.SubIcon1->Picture().isNull());
  EXPECT_TRUE(ShowsBitmap(f.SubIcon2, Bitmap("SubIcon027.bmp")));
  EXPECT_TRUE(f.SubMenuText1->text().isEmpty());
  // A focus past the end of the list reads nothing beyond it either.
  View().CurrentItem = 47;
  f.LoadSubIconImages();
  f.UpdateMenuTexts();
  f.PlaceSubIcons();
  EXPECT_EQ(Shown(f.SubIcons), (std::vector<int>{0, 1}));
  EXPECT_TRUE(f.SubMenuText1->text().isEmpty());
}

}  // namespace
}  // namespace qorvi
