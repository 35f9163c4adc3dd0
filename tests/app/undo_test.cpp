// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo with real input: every kind of step taken back and done again with
// the keys (and the preview's menu), the model, the preview and the editors' texts
// compared with what they were; the history after a load; the question about
// unsaved changes when the program closes or loads another set.
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "app/desktop_fixture.h"
#include "app/menu_driver.h"
#include "app/preview_drag.h"
#include "windows/editor_test_support.h"

namespace qorvi {
namespace {

using testing::DesktopTest;
using testing::DragBy;
using testing::kLoadedProgramActions;
using testing::MenuActions;
using testing::MenuDriver;
using testing::ModalDriver;
namespace fs = std::filesystem;

// Everything an undo must put back: the model's values, what the preview shows
// and where, and what the editor windows show.
struct Snapshot {
  LayoutRecord layout;
  session::Entries entries;
  session::Items items;
  int32_t category = 0;
  int32_t item = 0;
  std::vector<QString> shown;

  bool operator==(const Snapshot& o) const {
    bool items_same = true;
    for (std::size_t i = 0; i < items.size(); ++i) items_same = items_same && session::SameItem(items[i], o.items[i]);
    bool entries_same = true;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      entries_same = entries_same && session::SameEntry(entries[i], o.entries[i]);
    }
    return session::SameLayout(layout, o.layout) && entries_same && items_same && category == o.category &&
           item == o.item && shown == o.shown;
  }
  // The first thing shown differently, for the failure message.
  std::string FirstDifference(const Snapshot& o) const {
    for (std::size_t i = 0; i < std::min(shown.size(), o.shown.size()); ++i) {
      if (shown[i] != o.shown[i]) return (shown[i] + " / " + o.shown[i]).toStdString();
    }
    return shown.size() == o.shown.size() ? "the model" : "the number of things shown";
  }
};

class Undo : public DesktopTest {
 public:
  // What the steps below reach.
  using DesktopTest::Form2;
  using DesktopTest::Form3;
  using DesktopTest::Form4;
  using DesktopTest::Form5;
  using DesktopTest::Form7;
  using DesktopTest::Form9;
  using DesktopTest::Main;
  using DesktopTest::Program;

  Snapshot Take() {
    Snapshot s{TheModel().Layout,      TheModel().CategoryEntries, TheModel().ItemTable,
               View().CurrentCategory, View().CurrentItem,         {}};
    // The preview: every element's place, size, visibility, text and picture.
    for (QWidget* w : Main().Panel1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      QString line = QString("%1 %2,%3 %4x%5 %6")
                         .arg(w->objectName())
                         .arg(w->x())
                         .arg(w->y())
                         .arg(w->width())
                         .arg(w->height())
                         .arg(w->isHidden());
      if (auto* label = qobject_cast<QLabel*>(w)) {
        line += " " + label->text() + " " + label->palette().color(QPalette::WindowText).name();
      }
      if (auto* picture = qobject_cast<widgets::PictureBox*>(w)) {
        const QImage& image = picture->Picture();
        line += QString(" %1").arg(qHashBits(image.constBits(), static_cast<std::size_t>(image.sizeInBytes())));
      }
      s.shown.push_back(line);
    }
    // The editors: every edit's text, the grid, the swatches, the lists.
    for (QWidget* window : std::initializer_list<QWidget*>{&Program().icon_data(), &Program().text_data()}) {
      for (QLineEdit* edit : window->findChildren<QLineEdit*>())
        s.shown.push_back(edit->objectName() + "=" + edit->text());
    }
    QTableWidget* grid = Form4().CategoryGrid;
    for (int r = 0; r < grid->rowCount(); ++r) {
      for (int c = 0; c < grid->columnCount(); ++c) s.shown.push_back(grid->item(r, c)->text());
    }
    for (uint32_t c : Form3().TextSwatch) s.shown.push_back(QString::number(c));
    for (uint32_t c : Form3().BGSwatch) s.shown.push_back(QString::number(c));
    s.shown.push_back(Form3().ClockImage->ShownPixel(10, 10).name());
    for (QComboBox* combo : {Form9().ExecCombo, Form9().MediaCombo, Form9().UMDCombo, Form9().NameTagCombo}) {
      s.shown.push_back(combo->currentText());
    }
    s.shown.push_back(QString::number(Main().XMB_VScroll->value()) + "/" +
                      QString::number(Main().XMB_VScroll->maximum()));
    return s;
  }

  // The keys, pressed in `form` (a window, or a form docked in the docked window)
  // as the user presses them there.
  static void Keys(QWidget* form, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* window = form->window();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    // The offscreen platform may leave a closed popup's container the active window.
    if (QApplication::activeWindow() != window) QApplication::setActiveWindow(window);
    QWidget* focus = window->focusWidget();
    QWidget* target = focus != nullptr && (focus == form || form->isAncestorOf(focus)) ? focus : form;
    QTest::keyClick(target, key, modifiers);
  }
  static void PressUndo(QWidget* window) { Keys(window, Qt::Key_Z, Qt::ControlModifier); }
  static void PressRedo(QWidget* window) { Keys(window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
  static void PressRedoY(QWidget* window) { Keys(window, Qt::Key_Y, Qt::ControlModifier); }

  static void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
};

// One kind of step: how to take it with real input, and which window's keys undo it.
struct StepCase {
  const char* name;
  std::function<void(Undo&)> before;  // what happens first (not part of the step)
  std::function<void(Undo&)> step;
  std::function<QWidget*(Undo&)> window;
};

class UndoEachStep : public Undo, public ::testing::WithParamInterface<StepCase> {
 protected:
  // Takes the step, undoes it and redoes it with the keys of its window.
  void RunStep(const StepCase& c);
};

TEST_P(UndoEachStep, PutsBackModelPreviewAndEditsAndRedoesThem) {
  for (app::WorkspaceMode mode : testing::kBothModes) {
    SCOPED_TRACE(testing::ModeName(mode));
    UseWorkspace(mode);
    StartLoaded(500);
    RunStep(GetParam());
    TearDownProgram();
  }
}

void UndoEachStep::RunStep(const StepCase& c) {
  if (c.before) c.before(*this);
  const Snapshot before = Take();
  const std::size_t steps = Session().history().Index();
  c.step(*this);
  QApplication::processEvents();
  const Snapshot after = Take();
  ASSERT_FALSE(after == before) << c.name << " changed nothing";
  EXPECT_EQ(Session().history().Index(), steps + 1) << c.name << " is one step";

  QWidget* window = c.window(*this);
  PressUndo(window);
  const Snapshot undone = Take();
  EXPECT_TRUE(undone == before) << c.name << ": undo; " << undone.FirstDifference(before);
  PressRedo(window);
  EXPECT_TRUE(Take() == after) << c.name << ": redo";
  PressUndo(window);
  PressRedoY(window);
  EXPECT_TRUE(Take() == after) << c.name << ": Ctrl+Y";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, UndoEachStep,
    ::testing::Values(StepCase{"drag", nullptr,
                               [](Undo& fixture) {
                                 DragBy(fixture.Main(), fixture.Main().MainIcons[0], {QPoint(4, -2), QPoint(6, -3)});
                               },
                               [](Undo& fixture) -> QWidget* { return &fixture.Program().main(); }},
                      StepCase{"typing", nullptr, [](Undo& fixture) { Undo::Type(fixture.Form2().ClockXEdit, "-12"); },
                               [](Undo& fixture) -> QWidget* { return &fixture.Program().icon_data(); }},
                      StepCase{"typing a text field", nullptr,
                               [](Undo& fixture) { Undo::Type(fixture.Form7().SubMenuTextYEdit, "19"); },
                               [](Undo& fixture) -> QWidget* { return &fixture.Program().text_data(); }},
                      StepCase{"Reset", [](Undo& fixture) { Undo::Type(fixture.Form2().UnfIconSizeEdit, "1.5"); },
                               [](Undo& fixture) {
                                 ModalDriver driver;
                                 driver.ThenPress(QMessageBox::Ok);
                                 QTest::mouseClick(fixture.Form2().ResetButton, Qt::LeftButton);
                               },
                               [](Undo& fixture) -> QWidget* { return &fixture.Program().icon_data(); }},
                      StepCase{"Ctrl+click",
                               [](Undo& fixture) { DragBy(fixture.Main(), fixture.Main().Clock, QPoint(9, 0)); },
                               [](Undo& fixture) {
                                 QTest::mouseClick(fixture.Form2().ClockXEdit, Qt::LeftButton, Qt::ControlModifier);
                               },
                               [](Undo& fixture) -> QWidget* { return &fixture.Program().icon_data(); }},
                      StepCase{"a colour", nullptr,
                               [](Undo& fixture) {
                                 ModalDriver driver;
                                 driver.ThenChooseColor(QColor(10, 200, 30));
                                 QTest::mouseClick(fixture.Form3().ClockImage, Qt::LeftButton, Qt::NoModifier,
                                                   QPoint(10, 10));
                               },
                               [](Undo& fixture) -> QWidget* { return &fixture.Program().color(); }},
                      StepCase{"a grid edit",
                               [](Undo& fixture) {
                                 fixture.Main().XMB_HScroll->setValue(7);
                                 fixture.Main().XMB_VScroll->setValue(2);
                                 testing::DoubleClickCell(fixture.Form4().CategoryGrid, 28, 4);  // Yes -> 2000
                               },
                               // 2000 -> left out: the focused last item goes, the focus moves up.
                               [](Undo& fixture) { testing::DoubleClickCell(fixture.Form4().CategoryGrid, 28, 4); },
                               [](Undo& fixture) -> QWidget* { return &fixture.Program().category(); }},
                      StepCase{"an Advance choice",
                               [](Undo& fixture) {
                                 QTest::mouseClick(fixture.Form4().AdvanceButton, Qt::LeftButton);
                                 testing::ClickCell(fixture.Form9().ExecuteGrid, 5, 0);
                               },
                               [](Undo& fixture) { testing::ChooseEntry(fixture.Form9().ExecCombo, 27); },
                               [](Undo& fixture) -> QWidget* { return &fixture.Program().advance(); }}),
    [](const ::testing::TestParamInfo<StepCase>& param_info) {
      std::string name;
      for (const char* p = param_info.param.name; *p != '\0'; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
      }
      return name;
    });

// The history starts with each load: nothing from before it can be undone.
TEST_F(Undo, ALoadClearsTheHistory) {
  StartLoaded(500);
  DragBy(Main(), Main().Clock, QPoint(5, 5));
  Type(Form2().BusyXEdit, "1");
  ASSERT_TRUE(Session().CanUndo());
  ModalDriver driver;
  driver.ThenPress(QMessageBox::Discard);
  Form5().LoadButton->click();
  QApplication::processEvents();
  EXPECT_EQ(driver.messages, std::vector<std::string>{"Save changes?"});
  EXPECT_FALSE(Session().CanUndo());
  EXPECT_FALSE(Session().CanRedo());
  const Snapshot loaded = Take();
  PressUndo(&Program().main());
  EXPECT_TRUE(Take() == loaded);
}

// The preview's clock shows the colour the model holds after every change, undo
// and redo, also when a step in between placed the clock anew.
TEST_F(Undo, ThePreviewClockFollowsItsColourThroughUndoAndRedo) {
  StartLoaded(500);
  const QColor loaded = Main().Clock->palette().color(QPalette::WindowText);
  const QColor red(255, 0, 0);
  auto clock = [&] { return Main().Clock->palette().color(QPalette::WindowText); };
  {
    ModalDriver driver;
    driver.ThenChooseColor(red);
    QTest::mouseClick(Form3().ClockImage, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  }
  EXPECT_EQ(clock(), red);
  Type(Form2().ClockXEdit, "-40");
  EXPECT_EQ(clock(), red);
  PressUndo(&Program().icon_data());
  EXPECT_EQ(clock(), red) << "the clock X is back, the colour still red";
  PressUndo(&Program().icon_data());
  EXPECT_EQ(clock(), loaded);
  PressRedo(&Program().icon_data());
  EXPECT_EQ(clock(), red);
  PressRedo(&Program().icon_data());
  EXPECT_EQ(clock(), red);
  EXPECT_EQ(Form2().ClockXEdit->text().toStdString(), "-40");
}

// The question before changes are given up, answered each way, when the program
// closes and when another set is loaded.
struct PromptCase {
  bool close;  // else a load
  QMessageBox::StandardButton answer;
};

class UnsavedChanges : public Undo, public ::testing::WithParamInterface<PromptCase> {
 protected:
  // Changes a value, then closes or loads and gives `c.answer`.
  void Answer(const PromptCase& c);
};

TEST_P(UnsavedChanges, AreSavedDiscardedOrKept) {
  for (app::WorkspaceMode mode : testing::kBothModes) {
    SCOPED_TRACE(testing::ModeName(mode));
    UseWorkspace(mode);
    StartLoaded(401);
    Answer(GetParam());
    TearDownProgram();
    fs::remove_all(Path("done"));
  }
}

void UnsavedChanges::Answer(const PromptCase& c) {
  const int32_t loaded = TheModel().Layout.ClockX;
  Type(Form2().ClockXEdit, "77");
  ModalDriver driver;
  driver.ThenPress(c.answer);
  if (c.close) {
    // The window the main form stands in, in either workspace.
    Program().workspace().MainWindow().close();
  } else {
    Form5().LoadButton->click();
  }
  QApplication::processEvents();
  std::vector<std::string> expected{"Save changes?"};
  if (c.answer == QMessageBox::Save) expected.push_back("done");
  EXPECT_EQ(driver.messages, expected);
  EXPECT_EQ(fs::exists(Path("done/module/vshmain.prx")), c.answer == QMessageBox::Save);
  if (c.close) {
    EXPECT_EQ(Main().isVisible(), c.answer == QMessageBox::Cancel);
  } else {
    // A load reads the files of the working directory again: the typed value is gone
    // unless the load did not happen.
    EXPECT_EQ(TheModel().Layout.ClockX, c.answer == QMessageBox::Cancel ? 77 : loaded);
    EXPECT_EQ(Session().CanUndo(), c.answer == QMessageBox::Cancel);
  }
  // Saved, or given up for the new set; kept after Cancel (and in the closed program).
  EXPECT_EQ(Session().HasUnsavedChanges(),
            c.answer == QMessageBox::Cancel || (c.close && c.answer == QMessageBox::Discard));
}

INSTANTIATE_TEST_SUITE_P(Answers, UnsavedChanges,
                         ::testing::Values(PromptCase{true, QMessageBox::Save}, PromptCase{true, QMessageBox::Discard},
                                           PromptCase{true, QMessageBox::Cancel}, PromptCase{false, QMessageBox::Save},
                                           PromptCase{false, QMessageBox::Discard},
                                           PromptCase{false, QMessageBox::Cancel}));

TEST_F(Undo, NothingToSaveAsksNothing) {
  StartLoaded(401);
  Type(Form2().ClockXEdit, "77");
  PressUndo(&Program().icon_data());  // back to what was loaded
  ModalDriver driver;
  Form5().LoadButton->click();
  QApplication::processEvents();
  EXPECT_TRUE(driver.messages.empty());
}

// A new step after Save and Undo leads away from the saved state for good: the
// edit counts as unsaved, and closing asks.
TEST_F(Undo, AnEditAfterSaveAndUndoIsUnsaved) {
  StartLoaded(401);
  Type(Form2().ClockXEdit, "77");
  {
    ModalDriver driver;
    QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
    EXPECT_EQ(driver.messages, std::vector<std::string>{"done"});
  }
  EXPECT_FALSE(Session().HasUnsavedChanges());
  PressUndo(&Program().icon_data());
  // One keystroke over the selected text: a step of one change.
  Form2().ClockXEdit->setFocus();
  Form2().ClockXEdit->selectAll();
  QTest::keyClick(Form2().ClockXEdit, Qt::Key_5);
  ASSERT_EQ(TheModel().Layout.ClockX, 5);
  EXPECT_TRUE(Session().HasUnsavedChanges());
  ModalDriver driver;
  driver.ThenPress(QMessageBox::Cancel);
  Main().close();
  QApplication::processEvents();
  EXPECT_EQ(driver.messages, std::vector<std::string>{"Save changes?"});
}

// Typing into one field is one step until the edit is left or Enter pressed.
TEST_F(Undo, EnterEndsTheTypingOfAField) {
  StartLoaded(500);
  const std::size_t steps = Session().history().Index();
  Type(Form2().ClockXEdit, "12");
  QTest::keyClick(Form2().ClockXEdit, Qt::Key_Return);
  Type(Form2().ClockXEdit, "34");
  EXPECT_EQ(Session().history().Index(), steps + 2);
  PressUndo(&Program().icon_data());
  EXPECT_EQ(TheModel().Layout.ClockX, 12);
  EXPECT_EQ(Form2().ClockXEdit->text(), "12");
}

// The focus kept with a change of the menu entries belongs to its category: an
// undo while another category is shown leaves that category's focus alone.
TEST_F(Undo, AnEntryUndoInAnotherCategoryKeepsItsFocus) {
  StartLoaded(500);
  Main().XMB_HScroll->setValue(7);
  Main().XMB_VScroll->setValue(2);
  testing::DoubleClickCell(Form4().CategoryGrid, 28, 4);  // Yes -> 2000
  testing::DoubleClickCell(Form4().CategoryGrid, 28, 4);  // left out: the focus moves up
  ASSERT_EQ(View().CurrentItem, 1);
  Main().XMB_HScroll->setValue(6);
  ASSERT_EQ(View().CurrentItem, 0);
  ASSERT_GT(TheModel().CategoryTable[6].Count, 2);
  PressUndo(&Program().category());
  EXPECT_EQ(View().CurrentCategory, 6);
  EXPECT_EQ(View().CurrentItem, 0);
  EXPECT_EQ(Main().XMB_VScroll->value(), 0);
  Main().XMB_HScroll->setValue(7);
  PressRedo(&Program().category());
  EXPECT_EQ(View().CurrentItem, 1);
}

TEST_F(Undo, ThePreviewMenuUndoesAndRedoesAfterAPressThatKeepsItsBehaviour) {
  StartLoaded(500);
  auto& f = Main();
  {
    MenuDriver menu;
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), f.Clock->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(f.Clock, &event);
    EXPECT_EQ(menu.actions, MenuActions({{"Undo", false}, {"Redo", false}}, kLoadedProgramActions));
  }
  const QPoint clock = f.Clock->pos();
  DragBy(f, f.Clock, QPoint(7, -3));
  const LayoutRecord dragged = TheModel().Layout;
  const LayoutRecord& loaded = TheModel().LoadedLayout;
  const std::string drag = "Drag of the clock (X " + std::to_string(loaded.ClockX) + " → " +
                           std::to_string(dragged.ClockX) + ", Y " + std::to_string(loaded.ClockY) + " → " +
                           std::to_string(dragged.ClockY) + ")";
  EXPECT_EQ(dragged.ClockX, loaded.ClockX + 7);

  // A right press names the element and changes nothing; the menu comes after it.
  QTest::mousePress(f.Clock, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(f.FocusedLabel->text().toStdString(), "Clock");
  EXPECT_TRUE(session::SameLayout(TheModel().Layout, dragged));
  {
    MenuDriver menu("Undo");
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), f.Clock->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(f.Clock, &event);
    EXPECT_EQ(menu.actions, MenuActions({{"Undo " + drag, true}, {"Redo", false}}, kLoadedProgramActions));
  }
  EXPECT_EQ(f.Clock->pos(), clock);
  EXPECT_EQ(TheModel().Layout.ClockX, TheModel().LoadedLayout.ClockX);
  EXPECT_EQ(f.FocusedLabel->text().toStdString(), "version : 5.00");

  // The menu key opens the same menu wherever the focus is in the main window.
  {
    MenuDriver menu("Redo");
    f.ShowFileButton->setFocus();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(0, 0), f.ShowFileButton->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(f.ShowFileButton, &event);
    EXPECT_EQ(menu.actions, MenuActions({{"Undo", false}, {"Redo " + drag, true}}, kLoadedProgramActions));
  }
  EXPECT_EQ(f.Clock->pos(), clock + QPoint(7, -3));

  // No menu during a drag.
  QTest::mousePress(f.Clock, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  {
    MenuDriver menu;
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), f.Clock->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(f.Clock, &event);
    QTest::qWait(60);
    EXPECT_TRUE(menu.actions.empty());
  }
  QTest::mouseRelease(f.Clock, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}

// From the outside: the files a save writes, read back by qorvi-cli. Undone steps
// leave no trace in them; redone steps are there, and nothing else.
class UndoBlackBox : public Undo {
 protected:
  // `qorvi-cli info` of the set in the working directory (or, with `done`, of the
  // set a save wrote), one line per value.
  std::vector<std::string> Info(bool done) {
    QStringList args{"info", "--workdir", QString::fromStdString(WorkDir())};
    if (done) {
      const QString out = QString::fromStdString(Path("done"));
      args << "--vshmain" << out + "/module/vshmain.prx"
           << "--paf" << out + "/module/paf.prx"
           << "--topmenu-plugin" << out + "/resource/topmenu_plugin.rco"
           << "--system-plugin-fg" << out + "/resource/system_plugin_fg.rco"
           << "--topmenu-icon" << out + "/resource/topmenu_icon.rco";
    }
    QProcess cli;
    cli.start(QORVI_CLI, args);
    EXPECT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    std::vector<std::string> lines;
    for (const QByteArray& line : cli.readAllStandardOutput().split('\n')) lines.push_back(line.toStdString());
    return lines;
  }
  void Save() {
    ModalDriver driver;
    QTest::mouseClick(Main().SaveButton, Qt::LeftButton);
    EXPECT_EQ(driver.messages, std::vector<std::string>{"done"});
  }
};

TEST_F(UndoBlackBox, UndoneStepsAreNotSavedAndRedoneStepsAre) {
  StartLoaded(500);
  const std::vector<std::string> original = Info(false);
  ASSERT_GT(original.size(), 100u);
  DragBy(Main(), Main().MainIcons[0], QPoint(10, -5));
  Type(Form2().ClockXEdit, "150");
  QWidget* main = &Program().main();
  PressUndo(main);
  PressUndo(main);
  Save();
  EXPECT_EQ(Info(true), original);

  PressRedo(main);
  PressRedo(main);
  Save();
  const std::vector<std::string> edited = Info(true);
  ASSERT_EQ(edited.size(), original.size());
  std::vector<std::string> changed;
  for (std::size_t i = 0; i < edited.size(); ++i) {
    if (edited[i] != original[i]) changed.push_back(edited[i]);
  }
  const LayoutRecord& loaded = TheModel().LoadedLayout;
  EXPECT_EQ(changed, (std::vector<std::string>{"    \"MainIconX\": " + std::to_string(loaded.MainIconX + 10) + ",",
                                               "    \"MainIconY\": " + std::to_string(loaded.MainIconY + 5) + ",",
                                               "    \"ClockX\": 150,"}));
}

}  // namespace
}  // namespace qorvi
