// SPDX-License-Identifier: GPL-3.0-or-later
// Every field of the Icon data and Text data windows, typed into: the preview
// element the field places moves as the field says (and nothing moves for a field
// the preview does not draw); Ctrl+Z puts it back.
#include <QLineEdit>
#include <QTest>

#include "app/desktop_fixture.h"

namespace qorvi {
namespace {

struct FieldCase {
  const char* edit;
  int window;  // 2: Icon data, 7: Text data
  int32_t version;
  int category;         // the focused category, where the field is drawn
  const char* element;  // the element it places; nullptr: nothing moves
  QPoint move;          // how far that element moves when the value grows by 7
  const char* text;     // what is typed; nullptr: the value + 7
};

class FieldPlacement : public testing::DesktopTest, public ::testing::WithParamInterface<FieldCase> {
 protected:
  std::vector<QRect> Places() {
    std::vector<QRect> all;
    for (QWidget* w : Main().Panel1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      all.push_back(w->geometry());
    }
    return all;
  }
};

TEST_P(FieldPlacement, TypingMovesTheElementItPlaces) {
  const FieldCase& c = GetParam();
  StartLoaded(c.version);
  Main().XMB_HScroll->setValue(c.category);
  Main().XMB_VScroll->setValue(1);  // an item above the focused one, for the upper sub icon
  QWidget* window = c.window == 2 ? static_cast<QWidget*>(&Program().icon_data()) : &Program().text_data();
  auto* edit = testing::Find<QLineEdit>(*window, c.edit);
  ASSERT_TRUE(edit->isEnabled());
  QWidget* element = c.element != nullptr ? testing::Find<QWidget>(*Main().Panel1, c.element) : nullptr;
  const std::vector<QRect> before = Places();
  const QRect was = element != nullptr ? element->geometry() : QRect();

  const QString text = c.text != nullptr ? QString(c.text) : QString::number(edit->text().toInt() + 7);
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
  ASSERT_TRUE(Session().CanUndo()) << "the value changed";
  if (element == nullptr) {
    EXPECT_EQ(Places(), before) << "nothing moves";
  } else if (c.move.isNull()) {
    EXPECT_NE(element->size(), was.size()) << c.element << " is drawn at another size";
  } else {
    EXPECT_EQ(element->pos(), was.topLeft() + c.move) << c.element;
  }

  window->activateWindow();
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Places(), before) << "undo puts everything back";
}

constexpr QPoint kRight(7, 0);
constexpr QPoint kDown(0, 7);
constexpr QPoint kUp(0, -7);
constexpr QPoint kResized(0, 0);

INSTANTIATE_TEST_SUITE_P(IconData, FieldPlacement,
                         ::testing::Values(FieldCase{"MainIconXEdit", 2, 500, 0, "MainIcon1", kRight, nullptr},
                                           FieldCase{"MainIconYEdit", 2, 500, 0, "MainIcon1", kUp, nullptr},
                                           FieldCase{"MainIconSpace1Edit", 2, 500, 0, "MainIcon2", kRight, nullptr},
                                           FieldCase{"MainIconSpace2Edit", 2, 500, 0, "MainIcon3", kRight * 2, nullptr},
                                           FieldCase{"UnfIconYEdit", 2, 500, 0, "MainIcon2", kUp, nullptr},
                                           FieldCase{"UnfIconSizeEdit", 2, 500, 0, "MainIcon2", kResized, "1.25"},
                                           FieldCase{"SubIconSizeEdit", 2, 500, 0, "SubIcon2", kResized, "1.25"},
                                           FieldCase{"SubIconUpperSpace1Edit", 2, 500, 0, "SubIcon0", kUp, nullptr},
                                           // Drawn by 5.00 only, where the edit is greyed; older firmware places the
                                           // other categories with the first spacing.
                                           FieldCase{"SubIconUpperSpace2Edit", 2, 395, 3, nullptr, {}, nullptr},
                                           FieldCase{"SubIconLowerSpace1Edit", 2, 500, 0, "SubIcon2", kDown, nullptr},
                                           FieldCase{"SubIconLowerSpace2Edit", 2, 500, 3, "SubIcon2", kDown, nullptr},
                                           FieldCase{"WaveSpeedEdit", 2, 500, 0, nullptr, {}, "2.5"},
                                           FieldCase{"IconSpeedXEdit1", 2, 500, 0, nullptr, {}, nullptr},
                                           FieldCase{"IconSpeedXEdit2", 2, 500, 0, nullptr, {}, nullptr},
                                           FieldCase{"IconSpeedYEdit1", 2, 500, 0, nullptr, {}, nullptr},
                                           FieldCase{"IconSpeedYEdit2", 2, 500, 0, nullptr, {}, nullptr},
                                           FieldCase{"ClockXEdit", 2, 500, 0, "Clock", kRight, nullptr},
                                           FieldCase{"ClockYEdit", 2, 500, 0, "Clock", kUp, nullptr},
                                           FieldCase{"BatteryXEdit", 2, 500, 0, "BatteryIcon", kRight, nullptr},
                                           FieldCase{"BatteryYEdit", 2, 500, 0, "BatteryIcon", kUp, nullptr},
                                           FieldCase{"BusyXEdit", 2, 500, 0, "BusyIcon", kRight, nullptr},
                                           FieldCase{"BusyYEdit", 2, 500, 0, "BusyIcon", kUp, nullptr},
                                           FieldCase{"BusySpeedEdit", 2, 500, 0, nullptr, {}, "3.5"},
                                           FieldCase{"Bmp01_12sizeEdit", 2, 500, 0, nullptr, {}, nullptr}),
                         [](const ::testing::TestParamInfo<FieldCase>& param_info) {
                           return std::string(param_info.param.edit);
                         });

INSTANTIATE_TEST_SUITE_P(
    TextData, FieldPlacement,
    ::testing::Values(FieldCase{"MainMenuTextYEdit", 7, 500, 0, "MainMenutext", kUp, nullptr},
                      FieldCase{"MainMenuTextSizeEdit", 7, 500, 0, nullptr, {}, "1.5"},
                      FieldCase{"SubMenuTextXEdit", 7, 500, 0, "SubMenuText1", kRight, nullptr},
                      FieldCase{"SubMenuTextX2Edit", 7, 500, 0, "SubMenuText1", kRight, nullptr},
                      FieldCase{"SubMenuTextX1SegEdit", 7, 500, 4, "SubMenuText1", kRight, nullptr},
                      FieldCase{"SubMenuTextX3Edit", 7, 500, 1, "SubMenuText1", kRight, nullptr},
                      FieldCase{"SubMenuMSTextYEdit", 7, 500, 2, "SubMenuText1", kUp, nullptr},
                      // Stored for the firmware; the preview has no text under the line.
                      FieldCase{"SubMenuUnderMSTextYEdit", 7, 500, 2, nullptr, {}, nullptr},
                      FieldCase{"SubMenuTextYEdit", 7, 500, 0, "SubMenuText1", kUp, nullptr},
                      FieldCase{"SubMenuTextSizeEdit", 7, 500, 0, nullptr, {}, "1.5"},
                      FieldCase{"Sub2NetSearchXEdit", 7, 500, 0, nullptr, {}, "12.5"},
                      FieldCase{"Sub2NetRadioXEdit", 7, 500, 0, nullptr, {}, "12.5"},
                      FieldCase{"Sub2GameTitleXEdit", 7, 500, 0, nullptr, {}, "12.5"},
                      FieldCase{"Sub2PhotVideoXEdit", 7, 500, 0, nullptr, {}, "12.5"},
                      FieldCase{"Sub2RSSFeedsXEdit", 7, 500, 0, nullptr, {}, "12.5"},
                      FieldCase{"Sub2SettingOptXEdit", 7, 500, 0, nullptr, {}, "12.5"},
                      FieldCase{"Sub2SettingOptYEdit", 7, 500, 0, nullptr, {}, "12.5"},
                      FieldCase{"OptSize1Edit", 7, 500, 0, nullptr, {}, "1.5"},
                      FieldCase{"OptSize2Edit", 7, 500, 0, nullptr, {}, "1.5"},
                      FieldCase{"PhotoSpaceEdit", 7, 500, 0, nullptr, {}, "12.5"},
                      FieldCase{"MusicSpaceEdit", 7, 500, 0, nullptr, {}, "12.5"},
                      FieldCase{"VideoSpaceEdit", 7, 500, 0, nullptr, {}, "12.5"},
                      FieldCase{"GameSpaceEdit", 7, 500, 0, nullptr, {}, "12.5"},
                      FieldCase{"OptSpaceEdit", 7, 500, 0, nullptr, {}, "12.5"}),
    [](const ::testing::TestParamInfo<FieldCase>& param_info) { return std::string(param_info.param.edit); });

}  // namespace
}  // namespace qorvi
