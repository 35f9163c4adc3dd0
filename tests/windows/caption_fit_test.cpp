// SPDX-License-Identifier: GPL-3.0-or-later
// Every caption of every window is shown whole: labels, check boxes, radio
// buttons, group box titles, button captions and the grids' column headers, in
// the fonts at hand, before and after a load of each layout of the windows (3.95
// and 5.00 show different captions), in Japanese and in English.
#include "widgets/caption_fit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QStyleOptionHeader>
#include <QTableWidget>
#include <QTest>
#include <vector>

#include "app/desktop_fixture.h"
#include "windows/check_window.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using widgets::ButtonRoom;
using widgets::GroupTitleRoom;

// One caption that does not fit: where, which text, the room it has and needs.
struct Cut {
  std::string where;
  std::string text;
  int room;
  int needs;
};

std::string Where(const QWidget& w) { return (w.window()->objectName() + "/" + w.objectName()).toStdString(); }

std::vector<Cut> CutCaptions(const QWidget& window) {
  std::vector<Cut> cuts;
  auto check = [&cuts](const QWidget& w, const QString& text, int room, int needs) {
    if (!text.isEmpty() && needs > room) cuts.push_back({Where(w), text.toStdString(), room, needs});
  };
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (label->wordWrap() || label->text().isEmpty() || label->pixmap().isNull() == false) continue;
    const int indent = label->indent() > 0 ? label->indent() : 0;
    check(*label, label->text(), label->contentsRect().width() - indent - 2 * label->margin(),
          label->fontMetrics().horizontalAdvance(label->text()));
  }
  for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
    if (qobject_cast<const QCheckBox*>(button) != nullptr || qobject_cast<const QRadioButton*>(button) != nullptr) {
      check(*button, button->text(), button->width(), button->sizeHint().width());
    } else if (const auto* push = qobject_cast<const QPushButton*>(button)) {
      check(*push, push->text(), ButtonRoom(*push), push->fontMetrics().horizontalAdvance(push->text()));
    }
  }
  for (const QGroupBox* box : window.findChildren<QGroupBox*>()) {
    check(*box, box->title(), GroupTitleRoom(*box), box->fontMetrics().horizontalAdvance(box->title()));
  }
  for (const QHeaderView* header : window.findChildren<QHeaderView*>()) {
    if (header->orientation() != Qt::Horizontal || header->isHidden() || header->model() == nullptr) continue;
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int section = 0; section < header->count(); ++section) {
      const QString text = header->model()->headerData(section, Qt::Horizontal).toString();
      QFont font = header->font();
      // Styles draw the header of the current column in bold.
      font.setBold(true);
      check(*header, text, header->sectionSize(section) - 2 * margin, QFontMetrics(font).horizontalAdvance(text));
    }
  }
  return cuts;
}

std::string Describe(const std::vector<Cut>& cuts) {
  std::string all;
  for (const Cut& c : cuts) {
    all +=
        "  " + c.where + " \"" + c.text + "\": " + std::to_string(c.room) + " px for " + std::to_string(c.needs) + "\n";
  }
  return all;
}

class CaptionFit : public DesktopTest {
 protected:
  std::vector<QWidget*> Windows() {
    app::DesktopProgram& p = Program();
    return {&p.main(),        &p.icon_data(), &p.color(),   &p.category(), &p.file(),
            &p.positioning(), &p.text_data(), &p.advance(), &p.check()};
  }
  void ExpectWholeCaptions(const char* when) {
    SCOPED_TRACE(when);
    for (QWidget* window : Windows()) {
      const std::vector<Cut> cuts = CutCaptions(*window);
      EXPECT_TRUE(cuts.empty()) << window->windowTitle().toStdString() << " cuts:\n" << Describe(cuts);
    }
  }
};

TEST_F(CaptionFit, EveryCaptionOfEveryWindowIsShownWhole) {
  Start();
  ExpectWholeCaptions("nothing loaded");
  for (int version : {395, 500}) {
    WriteDemo(version);
    ASSERT_TRUE(PressLoad().empty());
    ExpectWholeCaptions(version == 395 ? "3.95 loaded" : "5.00 loaded");
    Main().ENGRadio->click();
    QApplication::processEvents();
    ExpectWholeCaptions("English names");
    Main().JPNRadio->click();
  }
  // The About dialog, as the About button opens it.
  testing::ModalDriver driver;
  std::vector<Cut> about_cuts{{"About", "not opened", 0, 1}};
  driver.Then([&about_cuts](QDialog* about) {
    about_cuts = CutCaptions(*about);
    about->reject();
  });
  QTest::mouseClick(Main().AboutButton, Qt::LeftButton);
  EXPECT_TRUE(about_cuts.empty()) << Describe(about_cuts);
}

}  // namespace
}  // namespace qorvi
