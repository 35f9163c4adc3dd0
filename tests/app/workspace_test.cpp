// SPDX-License-Identifier: GPL-3.0-or-later
// The docked workspace: one window with the main form in its centre and the
// editors docked around it, fitted to the screen; switched to and from while the
// program runs; its layout and the mode remembered; the undo keys in floating
// docks; what the windows mode keeps (no menu bar).
#include <QDockWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include "app/desktop_fixture.h"
#include "app/menu_driver.h"
#include "widgets/form_scroll_area.h"

namespace qorvi {
namespace {

using app::WorkspaceMode;
using testing::DesktopTest;

class Workspace : public DesktopTest {
 protected:
  app::Workspace& W() { return Program().workspace(); }
  QDockWidget* Dock(QWidget* form) { return qobject_cast<QDockWidget*>(W().Host(form)); }
  std::vector<QWidget*> Editors() {
    const Forms f = TheForms();
    return {f.Form2, f.Form3, f.Form4, f.Form7};
  }
  // The program's windows on the screen (menus and tooltips aside).
  static std::vector<QWidget*> ShownWindows() {
    std::vector<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip) shown.push_back(w);
    }
    return shown;
  }
  void PickFromMenu(const char* action) {
    testing::PickFromPreviewMenu(Main(), action);
    QApplication::processEvents();
  }
};

TEST_F(Workspace, DockedTheProgramIsOneWindowThatFitsTheScreen) {
  UseWorkspace(WorkspaceMode::Docked);
  StartLoaded(500);
  QMainWindow* docked = W().DockedWindow();
  ASSERT_NE(docked, nullptr);
  EXPECT_EQ(ShownWindows(), std::vector<QWidget*>{docked});
  EXPECT_EQ(docked->centralWidget(), &Main().form);
  EXPECT_EQ(Main().form.size(), QSize(555, 448)) << "the main form as it is";
  EXPECT_EQ(docked->windowTitle(), Main().form.windowTitle());
  EXPECT_TRUE(docked->screen()->availableGeometry().contains(docked->frameGeometry()));
  for (QWidget* editor : Editors()) {
    ASSERT_NE(Dock(editor), nullptr) << editor->windowTitle().toStdString();
    EXPECT_TRUE(editor->isVisible()) << editor->windowTitle().toStdString();
    EXPECT_EQ(Dock(editor)->windowTitle(), editor->windowTitle());
    EXPECT_FALSE(Dock(editor)->features() & QDockWidget::DockWidgetClosable);
    EXPECT_TRUE(Dock(editor)->features() & QDockWidget::DockWidgetFloatable);
  }
  const Forms f = TheForms();
  for (QWidget* closed : {f.Form5, f.Form6, f.Form9}) EXPECT_FALSE(closed->isVisible());
  // The 800 x 800 offscreen screen is too short for the Text data window: it scrolls.
  auto* text_scroll = qobject_cast<widgets::FormScrollArea*>(f.Form7->parentWidget()->parentWidget());
  ASSERT_NE(text_scroll, nullptr);
  EXPECT_GT(text_scroll->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(f.Form7->size(), QSize(410, 508));
  // The View menu, in the menu bar only docked mode has.
  const QList<QAction*> menus = docked->menuBar()->actions();
  ASSERT_EQ(menus.size(), 1);
  EXPECT_EQ(menus.front()->text().toStdString(), "View");
  QMenu* view = menus.front()->menu();
  emit view->aboutToShow();
  ASSERT_EQ(view->actions().size(), 2);
  EXPECT_EQ(view->actions()[0]->text().toStdString(), "Arrange windows");
  EXPECT_EQ(view->actions()[1]->text().toStdString(), "Docked workspace");
  EXPECT_TRUE(view->actions()[1]->isChecked());
}

TEST_F(Workspace, InWindowsModeThereIsNoMenuBar) {
  StartLoaded(500);
  EXPECT_EQ(W().Mode(), WorkspaceMode::Windows);
  EXPECT_EQ(W().DockedWindow(), nullptr);
  for (QWidget* w : ShownWindows()) EXPECT_TRUE(w->findChildren<QMenuBar*>().empty()) << w->objectName().toStdString();
}

// The toggle in the preview's menu switches at once; what was shown stays shown.
TEST_F(Workspace, SwitchingKeepsWhatIsShownAndTheButtonsFollow) {
  StartLoaded(500);
  QTest::mouseClick(Main().PositioningButton, Qt::LeftButton);
  QTest::mouseClick(Main().ShowColorButton, Qt::LeftButton);
  const Forms f = TheForms();
  const QPoint icon_data_at = f.Form2->pos();
  PickFromMenu("Docked workspace");
  ASSERT_EQ(W().Mode(), WorkspaceMode::Docked);
  EXPECT_EQ(ShownWindows(), std::vector<QWidget*>{W().DockedWindow()});
  for (QWidget* shown : {f.Form2, f.Form4, f.Form6, f.Form7}) EXPECT_TRUE(shown->isVisible());
  EXPECT_FALSE(f.Form3->isVisible());
  // The buttons show and hide the docks now; a dock shown comes to the front of
  // the docks that share its place (the 800 x 800 offscreen screen has room for one).
  QTest::mouseClick(Main().ShowColorButton, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_TRUE(f.Form3->isVisible());
  EXPECT_TRUE(W().DockedWindow()->rect().contains(Dock(f.Form3)->geometry())) << "in front";
  EXPECT_EQ(Main().ShowColorButton->text().toStdString(), "Hide Color");
  QTest::mouseClick(Main().ShowCateButton, Qt::LeftButton);
  EXPECT_FALSE(Dock(f.Form4)->isVisible());
  EXPECT_EQ(Main().ShowCateButton->text().toStdString(), "Show Category");

  PickFromMenu("Docked workspace");
  ASSERT_EQ(W().Mode(), WorkspaceMode::Windows);
  for (QWidget* shown : {f.Form2, f.Form3, f.Form6, f.Form7}) {
    EXPECT_TRUE(shown->isWindow() && shown->isVisible()) << shown->windowTitle().toStdString();
  }
  EXPECT_FALSE(f.Form4->isVisible());
  EXPECT_TRUE(Main().form.isWindow() && Main().form.isVisible());
  EXPECT_EQ(f.Form2->pos(), icon_data_at) << "back where it stood";
  EXPECT_EQ(f.Form2->windowTitle().toStdString(), "Qorvi Icon Data Window");
  EXPECT_FALSE(f.Form2->windowFlags() & Qt::WindowCloseButtonHint);
  QTest::mouseClick(Main().ShowCateButton, Qt::LeftButton);
  EXPECT_TRUE(f.Form4->isVisible());
}

// The mode and the docks' layout (here a floating dock) hold at the next start;
// "Arrange windows" puts the docks back.
TEST_F(Workspace, TheDockLayoutAndTheModeAreRemembered) {
  UseWorkspace(WorkspaceMode::Docked);
  StartLoaded(500);
  Dock(TheForms().Form3)->setFloating(true);
  Dock(TheForms().Form3)->move(300, 200);
  QApplication::processEvents();
  TearDownProgram();

  // No mode asked for: the one of the last run.
  WriteDemo(500);
  Start();
  ASSERT_EQ(W().Mode(), WorkspaceMode::Docked);
  ASSERT_TRUE(PressLoad().empty());
  QDockWidget* color = Dock(TheForms().Form3);
  EXPECT_TRUE(color->isFloating());
  EXPECT_TRUE(color->isVisible());

  PickFromMenu("Arrange windows");
  EXPECT_FALSE(color->isFloating());
  EXPECT_TRUE(color->isVisible());
  TearDownProgram();
  Start();
  ASSERT_TRUE(PressLoad().empty());
  EXPECT_FALSE(Dock(TheForms().Form3)->isFloating());
}

// A floating dock is a window of its own: the undo keys work there too.
TEST_F(Workspace, CtrlZInAFloatingDockUndoes) {
  UseWorkspace(WorkspaceMode::Docked);
  StartLoaded(500);
  QDockWidget* dock = Dock(TheForms().Form2);
  dock->setFloating(true);
  dock->show();
  QApplication::processEvents();
  QLineEdit* clock_x = Form2().ClockXEdit;
  const QString loaded = clock_x->text();
  clock_x->setFocus();
  clock_x->selectAll();
  QTest::keyClicks(clock_x, "42");
  ASSERT_EQ(TheModel().Layout.ClockX, 42);
  dock->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dock));
  QTest::keyClick(clock_x, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(clock_x->text(), loaded);
  EXPECT_FALSE(Session().CanUndo());
}

// Escape closes the File window; docked, it closes its dock, and the button shows
// it again whole.
TEST_F(Workspace, EscapeInTheDockedFileWindowClosesItsDock) {
  UseWorkspace(WorkspaceMode::Docked);
  Start();
  QTest::mouseClick(Main().ShowFileButton, Qt::LeftButton);
  QWidget* file = TheForms().Form5;
  ASSERT_TRUE(file->isVisible());
  QTest::keyClick(Form5().vshnameEdit, Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_TRUE(Dock(file)->isHidden());
  QTest::mouseClick(Main().ShowFileButton, Qt::LeftButton);
  EXPECT_TRUE(file->isVisible());
  EXPECT_EQ(Main().ShowFileButton->text().toStdString(), "Hide File Window");
}

TEST_F(Workspace, TheCommandLineTakesOnlyTheTwoModes) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  for (const QStringList& args :
       {QStringList{"--workspace", "sideways"}, QStringList{"--workspace=tabbed"}, QStringList{"--workspace"}}) {
    QProcess qorvi;
    qorvi.setProcessEnvironment(env);
    qorvi.start(QORVI_APP, args);
    ASSERT_TRUE(qorvi.waitForFinished(30000));
    EXPECT_EQ(qorvi.exitCode(), 2) << args.join(' ').toStdString();
    EXPECT_TRUE(qorvi.readAllStandardError().contains("qorvi: ")) << args.join(' ').toStdString();
  }
}

}  // namespace
}  // namespace qorvi
