// SPDX-License-Identifier: GPL-3.0-or-later
// A key of the program in a window whose line edit would take it: on desktops where
// Ctrl+D deletes in a line edit (its shortcut override is accepted), the key still
// runs the program's action and leaves the text alone.
#include "widgets/window_key.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

namespace qorvi::widgets {
namespace {

// A line edit that claims Ctrl+D for itself, as a line edit does where Ctrl+D is
// Delete, and deletes a character when it gets it.
class GreedyEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::ShortcutOverride && IsCtrlD(*static_cast<QKeyEvent*>(e))) {
      e->accept();
      return true;
    }
    return QLineEdit::event(e);
  }
  void keyPressEvent(QKeyEvent* e) override {
    if (IsCtrlD(*e)) {
      del();
      return;
    }
    QLineEdit::keyPressEvent(e);
  }

 private:
  static bool IsCtrlD(const QKeyEvent& e) { return e.key() == Qt::Key_D && e.modifiers() == Qt::ControlModifier; }
};

TEST(WindowKey, RunsItsActionAlsoFromALineEditThatWantsTheKey) {
  QWidget window;
  auto* edit = new GreedyEdit("207", &window);
  int shown = 0;
  InstallWindowKey(&window, QKeySequence(Qt::CTRL | Qt::Key_D), [&shown] { ++shown; });
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  edit->setFocus();
  edit->setCursorPosition(0);
  QTest::keyClick(edit, Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(edit->text().toStdString(), "207");
  // Other keys stay the edit's.
  QTest::keyClick(edit, Qt::Key_Delete);
  EXPECT_EQ(edit->text().toStdString(), "07");
  EXPECT_EQ(shown, 1);
}

}  // namespace
}  // namespace qorvi::widgets
