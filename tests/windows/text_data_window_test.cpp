// SPDX-License-Identifier: GPL-3.0-or-later
// The Text data window: its two layouts, what a change stores and re-places,
// Ctrl+click restore and Reset.
#include "windows/text_data_window.h"

#include <QGroupBox>
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

class TextDataWindow : public DesktopTest {
 protected:
  testing::TextDataParts Window() { return Form7(); }
  LayoutRecord& L() { return TheModel().Layout; }
  static void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  // Where every preview text stands.
  std::vector<QPoint> TextPositions() {
    std::vector<QPoint> at{Main().MainMenutext->pos()};
    for (QLabel* l : Main().SubMenuTexts) at.push_back(l->pos());
    return at;
  }
};

TEST_F(TextDataWindow, HeightAndGroupsFollowTheVersion) {
  StartLoaded(395);
  auto w = Window();
  ASSERT_TRUE(w.isVisible());
  EXPECT_EQ(w.height(), 250);
  EXPECT_TRUE(w.MainTextGroup->isVisible());
  EXPECT_TRUE(w.SubTextGroup->isVisible());
  for (QWidget* c :
       {static_cast<QWidget*>(w.Sub2TextGroup), static_cast<QWidget*>(w.Sub2SpaceGroup),
        static_cast<QWidget*>(w.SubMenuUnderMSTextYEdit), static_cast<QWidget*>(w.SubMenuUnderMSTextYLabel)}) {
    EXPECT_FALSE(c->isVisible()) << c->objectName().toStdString();
  }

  WriteDemo(500);
  ASSERT_TRUE(PressLoad().empty());
  EXPECT_EQ(w.height(), 508);
  EXPECT_EQ(w.width(), 410);
  EXPECT_TRUE(w.Sub2TextGroup->isVisible());
  EXPECT_TRUE(w.Sub2SpaceGroup->isVisible());
  EXPECT_TRUE(w.SubMenuUnderMSTextYEdit->isVisible());
  EXPECT_EQ(w.SubMenuUnderMSTextYLabel->text().toStdString(), "Y : Under Texline");
  EXPECT_EQ(w.Sub2RSSFeedsXEdit->text().toStdString(), "171.25");
  EXPECT_EQ(w.OptSpaceEdit->text().toStdString(), "22.5");
}

TEST_F(TextDataWindow, SubTextFieldsStoreAndMoveTheSubTexts) {
  StartLoaded(395);
  const int y = Main().SubMenuText1->y();
  const int32_t before = L().SubMenuTextY;
  Type(Window().SubMenuTextYEdit, "12abc");
  EXPECT_EQ(L().SubMenuTextY, 12);
  EXPECT_EQ(Main().SubMenuText1->y(), y + before - 12);

  const int x = Main().SubMenuText1->x();
  Type(Window().SubMenuTextXEdit, QString::number(L().SubMenuTextX + 4));
  EXPECT_EQ(Main().SubMenuText1->x(), x + 4);
}

TEST_F(TextDataWindow, SizesAndThirdLevelFieldsAreStoredOnly) {
  StartLoaded(500);
  auto w = Window();
  const std::vector<QPoint> at = TextPositions();
  Type(w.MainMenuTextSizeEdit, "1.5");
  Type(w.SubMenuTextSizeEdit, "0.25");
  Type(w.Sub2GameTitleXEdit, "-3e1");
  Type(w.OptSize2Edit, "abc");
  Type(w.GameSpaceEdit, "7");
  EXPECT_EQ(L().MainMenuTextSize, 1.5f);
  EXPECT_EQ(L().SubMenuTextSize, 0.25f);
  EXPECT_EQ(L().Sub2GameTitleX, -30.0f);
  EXPECT_EQ(L().OptSize2, 0.0f);
  EXPECT_EQ(L().GameSpace, 7.0f);
  EXPECT_EQ(TextPositions(), at);
}

TEST_F(TextDataWindow, CtrlClickPutsTheLoadedValueBack) {
  StartLoaded(395);
  auto& f = Main();
  QLineEdit* edit = Window().MainMenuTextYEdit;
  const int32_t loaded = L().MainMenuTextY;
  const QPoint text = f.MainMenutext->pos();
  testing::DragBy(f, f.MainMenutext, QPoint(0, -5));
  ASSERT_EQ(L().MainMenuTextY, loaded + 5);
  ASSERT_EQ(edit->text().toInt(), loaded + 5);

  QTest::mouseClick(edit, Qt::RightButton, Qt::ControlModifier);
  QTest::mouseClick(edit, Qt::LeftButton);
  EXPECT_EQ(L().MainMenuTextY, loaded + 5);

  QTest::mouseClick(edit, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(L().MainMenuTextY, loaded);
  EXPECT_EQ(edit->text().toInt(), loaded);
  EXPECT_EQ(f.MainMenutext->pos(), text);

  // A sub text field re-places the sub texts through its change handler.
  const int y = f.SubMenuText1->y();
  Type(Window().SubMenuTextYEdit, "0");
  QTest::mouseClick(Window().SubMenuTextYEdit, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(L().SubMenuTextY, TheModel().LoadedLayout.SubMenuTextY);
  EXPECT_EQ(f.SubMenuText1->y(), y);
}

TEST_F(TextDataWindow, ResetAsksAndRestoresExactlyTheTextGroup) {
  StartLoaded(500);
  auto w = Window();
  for (QLineEdit* edit :
       {w.MainMenuTextYEdit, w.SubMenuTextX1SegEdit, w.SubMenuUnderMSTextYEdit, w.OptSize1Edit, w.OptSpaceEdit}) {
    Type(edit, "3");
  }
  L().ClockX += 4;  // an icon value: this window's Reset leaves it
  const LayoutRecord changed = L();

  {
    ModalDriver driver;
    driver.ThenPress(QMessageBox::Cancel);
    QTest::mouseClick(w.ResetButton, Qt::LeftButton);
    ASSERT_EQ(driver.messages, std::vector<std::string>{"Reset All TextData Value"});
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
    if (field.group != FieldGroup::Text) continue;
    std::visit([&](auto member) { expected.*member = TheModel().LoadedLayout.*member; }, field.member);
  }
  EXPECT_EQ(std::memcmp(&L(), &expected, sizeof expected), 0);
  EXPECT_EQ(w.OptSpaceEdit->text().toStdString(), "22.5");
}

}  // namespace
}  // namespace qorvi
