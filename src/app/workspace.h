// SPDX-License-Identifier: GPL-3.0-or-later
// The workspace: where the windows stand on the screen, in either of two modes.
//
// Windows (the default): the main window and the secondary windows, each a window
// of its own. A window is placed when it is first shown: where the user left it
// in an earlier run, if that place is still on a screen, else by the arrangement
// of widgets/window_layout.h around the main window and the windows already
// placed. A window taller than the screen is shown in a scroll area of the
// screen's height.
//
// Docked: one main window whose centre is the main form; the docking windows are
// dock widgets around it (placed by widgets/dock_plan.h the first time, then as
// the user left them), each in a scroll area, floatable, tabbed where room is
// short. Other windows (Check, History, Changes) stay windows.
//
// The forms are the same objects in both modes; only what holds them changes, so
// the session, the undo keys, the menus and the prompts are the same. The mode,
// the places and the dock layout are remembered (QSettings) when the program ends.
#pragma once

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class QMainWindow;
class QMenu;
class QDockWidget;
class QWidget;

namespace qorvi::widgets {
class FormScrollArea;
}

namespace qorvi::app {

enum class WorkspaceMode { Windows, Docked };

// The mode a name names ("windows", "docked"), as `--workspace` takes it.
std::optional<WorkspaceMode> WorkspaceModeNamed(std::string_view name);

class Workspace : public QObject {
  Q_OBJECT
 public:
  // Windows are placed together with the others of their group: the editors after
  // a load, the tools (opened one by one) around them, the File window beside the
  // main window alone (it is open only while the editors are not).
  enum class Group { Editor, Tool, File };
  struct Member {
    QWidget* form;
    Group group;
    // A dock in the docked workspace; otherwise a window in both modes.
    bool docks;
    // A docking window that is not an editor shares this editor's place as a tab.
    QWidget* beside = nullptr;
  };

  // `main` is the main form; `members` the secondary windows, the editors in the
  // order they are shown after a load. `install_keys` gives the windows this class
  // makes (the docked window, its docks, scroll windows) the program's keys.
  Workspace(QWidget& main, std::vector<Member> members, std::function<void(QWidget*)> install_keys);
  ~Workspace() override;
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  WorkspaceMode Mode() const { return mode_; }
  // Switches the mode at once (the windows shown stay shown) and remembers it.
  void SetMode(WorkspaceMode mode);

  // The window that holds the main form: the form itself, or the docked window.
  QWidget& MainWindow();
  // The docked window; nullptr before docked mode was first entered.
  QMainWindow* DockedWindow() const;
  // What shows and hides `form`: the form itself, its scroll window or its dock.
  QWidget* Host(QWidget* form) const;

  // Shows the main window in `mode`, or in the remembered mode when none is given
  // (a given one is remembered).
  void ShowMainWindow(std::optional<WorkspaceMode> mode = std::nullopt);
  // After a load: shows `shown` (placed first where they have no place yet) and
  // hides `hidden`.
  void ShowAfterLoad(const std::vector<QWidget*>& shown, const std::vector<QWidget*>& hidden);
  // Runs `then` once the main window is on the screen and, under X11, framed by
  // the window manager (at most three seconds later): the windows a load shows
  // are placed around that frame.
  void WhenMainWindowShown(std::function<void()> then);
  // Shows a hidden window (in front) or hides a shown one.
  void Toggle(QWidget* form);
  // "Arrange windows": every window back to the computed arrangement (in docked
  // mode: the docks to the computed layout and the window to fit the screen);
  // what was remembered is forgotten.
  void Arrange();
  // Writes the mode and, for the mode at hand, the places the user gave the
  // windows (or the docked window's size and dock layout). Only after the main
  // window was shown.
  void Remember();

  // "Arrange windows" and the "Docked workspace" toggle, for the preview's menu and
  // the docked window's View menu.
  void AddViewActions(QMenu& menu);

 signals:
  // The hosts of some forms changed (a mode switch, a scroll window): whoever shows
  // and hides windows asks Host() again.
  void hostsChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry;

  Entry* EntryOf(const QWidget* form_or_host);
  QRect AvailableArea() const;
  QMargins FrameMargins();
  QWidget* HostOf(const Entry& e) const;
  // Windows mode: puts each form that is taller or wider than the screen into a
  // scroll window, and takes back those that fit again.
  void UpdateScrollWindows();
  void PlaceMain();
  // Places the windows of `group` that have no place yet (with `all`, also those
  // that have one), hidden or shown.
  void PlaceGroup(Group group, bool all = false);
  void MoveHost(Entry& e, const QRect& frame);
  void EnterDocked();
  void LeaveDocked();
  void CreateDockedWindow();
  // Shows the docked window and, the first time, puts it where it belongs once
  // the window system has framed it.
  void ShowDockedWindow();
  void ApplyDockPlan();
  // Sizes the docks and the window as the dock plan says (once the docks show).
  void FitDockedWindow();
  void RememberWindows();
  void RememberDocked();

  QPointer<QWidget> main_;
  Qt::WindowFlags main_flags_;
  std::optional<QPoint> main_placed_;
  bool main_from_memory_ = false;
  std::vector<std::unique_ptr<Entry>> entries_;
  std::function<void(QWidget*)> install_keys_;
  WorkspaceMode mode_ = WorkspaceMode::Windows;
  std::unique_ptr<QMainWindow> docked_;
  bool shown_ = false;
  bool busy_ = false;
  bool fit_pending_ = false;
  std::optional<QMargins> known_margins_;
  // Where the docked window goes once it is framed (its first showing).
  std::optional<QPoint> place_docked_at_;
  // The client area the last dock plan needs.
  QSize plan_size_;
  // The frame the last dock plan reckoned with.
  QMargins plan_margins_;
  // The editors' docks where the last dock plan put them: columns right of the
  // main form (rows of docks sharing a place), and the place below it.
  struct Places {
    std::vector<std::vector<std::vector<QPointer<QDockWidget>>>> columns;
    std::vector<QPointer<QDockWidget>> below;
  };
  Places places_;
};

}  // namespace qorvi::app
