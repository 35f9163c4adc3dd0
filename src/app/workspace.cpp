// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/workspace.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QWindow>
#include <memory>

#include "widgets/dock_plan.h"
#include "widgets/form_scroll_area.h"
#include "widgets/window_layout.h"

namespace qorvi::app {
namespace {

constexpr char kModeKey[] = "workspace/mode";
constexpr char kPlacesGroup[] = "windows";
constexpr char kDockedGeometryKey[] = "docked/geometry";
constexpr char kDockedStateKey[] = "docked/state";

// How long the program waits at most for the window system to show and frame the
// main window (an X server without a window manager never frames it).
constexpr qint64 kLongestFrameWait = 3000;

const char* ModeName(WorkspaceMode mode) { return mode == WorkspaceMode::Docked ? "docked" : "windows"; }

QString PlaceKey(const QWidget& window) { return QString(kPlacesGroup) + "/" + window.objectName(); }

// The docked workspace's window. Closing it closes the main form in its centre,
// which asks about unsaved changes and may refuse.
class DockedMainWindow : public QMainWindow {
 public:
  DockedMainWindow() { setObjectName("DockedWorkspace"); }

 protected:
  void closeEvent(QCloseEvent* event) override {
    QWidget* form = centralWidget();
    if (form != nullptr && !form->close()) {
      event->ignore();
      return;
    }
    QMainWindow::closeEvent(event);
  }
};

}  // namespace

std::optional<WorkspaceMode> WorkspaceModeNamed(std::string_view name) {
  if (name == "windows") return WorkspaceMode::Windows;
  if (name == "docked") return WorkspaceMode::Docked;
  return std::nullopt;
}

struct Workspace::Entry {
  QPointer<QWidget> form;
  Group group;
  bool docks;
  QWidget* beside;
  // Holds the form in its dock, or as a window on a screen too short for it.
  QPointer<widgets::FormScrollArea> scroll;
  QPointer<QDockWidget> dock;
  // Windows mode: the form is shown in its scroll area, a window of its own.
  bool scrolled = false;
  bool scroll_keys = false;
  // Windows mode: the frame's top-left corner where this run put the window, and
  // whether that place came from an earlier run.
  std::optional<QPoint> placed;
  bool from_memory = false;
};

Workspace::Workspace(QWidget& main, std::vector<Member> members, std::function<void(QWidget*)> install_keys)
    : main_(&main), main_flags_(main.windowFlags()), install_keys_(std::move(install_keys)) {
  for (const Member& m : members) {
    auto e = std::make_unique<Entry>();
    e->form = m.form;
    e->group = m.group;
    e->docks = m.docks;
    e->beside = m.beside;
    m.form->installEventFilter(this);
    entries_.push_back(std::move(e));
  }
}

Workspace::~Workspace() {
  // Every form goes back to being a window of its own (hidden), so that its owner
  // deletes it, not what held it here.
  busy_ = true;
  for (auto& e : entries_) {
    if (e->scroll != nullptr) e->scroll->Release();
  }
  if (docked_ != nullptr && main_ != nullptr && docked_->centralWidget() == main_) {
    docked_->takeCentralWidget();
    main_->setParent(nullptr, main_flags_);
  }
  docked_.reset();
  for (auto& e : entries_) delete e->scroll;
}

Workspace::Entry* Workspace::EntryOf(const QWidget* form_or_host) {
  for (auto& e : entries_) {
    if (e->form == form_or_host || HostOf(*e) == form_or_host) return e.get();
  }
  return nullptr;
}

QWidget* Workspace::HostOf(const Entry& e) const {
  if (mode_ == WorkspaceMode::Docked && e.docks && e.dock != nullptr) return e.dock;
  if (e.scrolled && e.scroll != nullptr) return e.scroll;
  return e.form;
}

QWidget* Workspace::Host(QWidget* form) const {
  for (const auto& e : entries_) {
    if (e->form == form) return HostOf(*e);
  }
  return form;
}

QWidget& Workspace::MainWindow() {
  if (mode_ == WorkspaceMode::Docked && docked_ != nullptr) return *docked_;
  return *main_;
}

QMainWindow* Workspace::DockedWindow() const { return docked_.get(); }

QRect Workspace::AvailableArea() const {
  const QWidget* main = mode_ == WorkspaceMode::Docked && docked_ != nullptr ? docked_.get() : main_.data();
  const QScreen* screen =
      main != nullptr && main->screen() != nullptr ? main->screen() : QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QMargins Workspace::FrameMargins() {
  // What the window system draws around the main window; until it has framed it,
  // the last frame seen (none on platforms without decorations).
  QWidget& main = MainWindow();
  if (main.isVisible()) {
    const QRect frame = main.frameGeometry();
    const QRect client = main.geometry();
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                           frame.bottom() - client.bottom());
    if (!margins.isNull()) known_margins_ = margins;
  }
  return known_margins_.value_or(QMargins());
}

void Workspace::ShowMainWindow(std::optional<WorkspaceMode> mode) {
  QSettings settings;
  WorkspaceMode wanted =
      WorkspaceModeNamed(settings.value(kModeKey).toString().toStdString()).value_or(WorkspaceMode::Windows);
  if (mode) {
    wanted = *mode;
    settings.setValue(kModeKey, ModeName(wanted));
  }
  shown_ = true;
  if (wanted != mode_) {
    if (wanted == WorkspaceMode::Docked) EnterDocked();
  }
  if (mode_ == WorkspaceMode::Windows) {
    PlaceMain();
    UpdateScrollWindows();
    main_->show();
  } else {
    ShowDockedWindow();
  }
}

void Workspace::PlaceMain() {
  if (main_placed_) return;
  // Where the user left it, if that is still on a screen; else where it opens.
  const QRect remembered = QSettings().value(PlaceKey(*main_)).toRect();
  std::vector<QRect> screens;
  for (const QScreen* s : QGuiApplication::screens()) screens.push_back(s->availableGeometry());
  const QMargins margins = FrameMargins();
  if (remembered.isValid() &&
      widgets::Reachable(QRect(remembered.topLeft(), main_->size().grownBy(margins)), margins.top(), screens)) {
    main_->move(remembered.topLeft());
    main_from_memory_ = true;
  }
  main_placed_ = main_->pos();
}

void Workspace::SetMode(WorkspaceMode mode) {
  QSettings().setValue(kModeKey, ModeName(mode));
  if (mode == mode_) return;
  if (mode == WorkspaceMode::Docked) {
    EnterDocked();
  } else {
    LeaveDocked();
  }
}

void Workspace::UpdateScrollWindows() {
  if (mode_ != WorkspaceMode::Windows) return;
  const QRect area = AvailableArea();
  const QMargins margins = FrameMargins();
  bool changed = false;
  busy_ = true;
  for (auto& e : entries_) {
    QWidget* form = e->form;
    if (form == nullptr) continue;
    const QSize room = area.size().shrunkBy(margins);
    const bool needs = form->width() > room.width() || form->height() > room.height();
    if (needs && !e->scrolled) {
      const bool was_shown = form->isVisible();
      const QPoint at = form->pos();
      if (e->scroll == nullptr) e->scroll = new widgets::FormScrollArea();
      widgets::FormScrollArea* scroll = e->scroll;
      // Placed, like the form, when it is first shown.
      scroll->installEventFilter(this);
      scroll->setParent(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
      scroll->setObjectName(form->objectName() + "Scroll");
      scroll->setWindowTitle(form->windowTitle());
      scroll->setFont(form->font());
      scroll->setAttribute(Qt::WA_QuitOnClose, false);
      scroll->Hold(form);
      if (!e->scroll_keys) {
        install_keys_(scroll);
        e->scroll_keys = true;
      }
      e->scrolled = true;
      scroll->move(at);
      if (was_shown) scroll->show();
      changed = true;
    } else if (!needs && e->scrolled) {
      const bool was_shown = e->scroll->isVisible();
      const QPoint at = e->scroll->pos();
      e->scroll->hide();
      e->scroll->Release();
      e->scrolled = false;
      form->move(at);
      if (was_shown) form->show();
      changed = true;
    }
    if (e->scrolled) {
      // As tall as the screen allows, never taller than the form.
      const QSize bars(e->scroll->verticalScrollBar()->sizeHint().width(),
                       e->scroll->horizontalScrollBar()->sizeHint().height());
      const QSize most = form->size() + bars;
      e->scroll->setMaximumSize(most);
      e->scroll->resize(most.boundedTo(room));
    }
  }
  busy_ = false;
  if (changed) emit hostsChanged();
}

void Workspace::MoveHost(Entry& e, const QRect& frame) {
  QWidget* host = HostOf(e);
  if (e.scrolled) host->resize(frame.size().shrunkBy(FrameMargins()).boundedTo(host->maximumSize()));
  host->move(frame.topLeft());
  e.placed = frame.topLeft();
}

void Workspace::PlaceGroup(Group group, bool all) {
  const QRect area = AvailableArea();
  const QMargins margins = FrameMargins();
  std::vector<QRect> screens;
  for (const QScreen* s : QGuiApplication::screens()) screens.push_back(s->availableGeometry());
  auto frame_of = [&](const Entry& e) { return QRect(*e.placed, HostOf(e)->size().grownBy(margins)); };
  // What stands already: the main window and, unless this is the File window (open
  // only while the others are not), the windows placed before.
  std::vector<QRect> fixed{MainWindow().frameGeometry()};
  std::vector<Entry*> to_place;
  for (auto& e : entries_) {
    if (e->form == nullptr || (mode_ == WorkspaceMode::Docked && e->docks)) continue;
    if (e->group == group && (all || !e->placed)) {
      to_place.push_back(e.get());
    } else if (e->placed && group != Group::File && e->group != Group::File) {
      fixed.push_back(frame_of(*e));
    }
  }
  // A place the user gave the window in an earlier run comes first.
  std::vector<Entry*> arranged;
  QSettings settings;
  for (Entry* e : to_place) {
    const QRect remembered = all ? QRect() : settings.value(PlaceKey(*e->form)).toRect();
    const QRect frame(remembered.topLeft(), (e->scrolled ? remembered.size() : HostOf(*e)->size()).grownBy(margins));
    if (remembered.isValid() && widgets::Reachable(frame, margins.top(), screens)) {
      MoveHost(*e, frame);
      e->from_memory = true;
      fixed.push_back(frame);
    } else {
      arranged.push_back(e);
    }
  }
  std::vector<QSize> clients;
  for (const Entry* e : arranged) clients.push_back(e->form->size());
  const std::vector<QRect> frames = widgets::ArrangeWindows(area, margins, fixed, clients);
  for (std::size_t i = 0; i < arranged.size(); ++i) {
    MoveHost(*arranged[i], frames[i]);
    arranged[i]->from_memory = false;
  }
}

void Workspace::ShowAfterLoad(const std::vector<QWidget*>& shown, const std::vector<QWidget*>& hidden) {
  if (mode_ == WorkspaceMode::Windows) {
    UpdateScrollWindows();
    for (QWidget* form : shown) {
      Entry* e = EntryOf(form);
      if (e != nullptr && !e->placed) PlaceGroup(e->group);
    }
  }
  for (QWidget* form : shown) Host(form)->show();
  for (QWidget* form : hidden) Host(form)->hide();
  if (mode_ == WorkspaceMode::Docked) FitDockedWindow();
}

void Workspace::WhenMainWindowShown(std::function<void()> then) {
  // An X11 window manager frames a window after it is mapped; other platforms
  // either draw no frame or place the windows themselves.
  const bool frame_follows = QGuiApplication::platformName() == "xcb";
  // Polled: nothing signals the frame's arrival.
  auto* timer = new QTimer(this);
  auto waited = std::make_shared<QElapsedTimer>();
  waited->start();
  timer->setInterval(5);
  connect(timer, &QTimer::timeout, this, [this, timer, waited, frame_follows, then = std::move(then)] {
    const QWindow* window = MainWindow().windowHandle();
    const bool exposed = window != nullptr && window->isExposed();
    const bool framed = !frame_follows || !FrameMargins().isNull();
    if (!(exposed && framed) && waited->elapsed() < kLongestFrameWait) return;
    timer->stop();
    timer->deleteLater();
    then();
  });
  timer->start();
}

void Workspace::Toggle(QWidget* form) {
  QWidget* host = Host(form);
  if (host->isVisible()) {
    host->hide();
  } else {
    host->show();
    host->raise();
  }
}

void Workspace::Arrange() {
  QSettings settings;
  settings.remove(kPlacesGroup);
  settings.remove(kDockedGeometryKey);
  settings.remove(kDockedStateKey);
  if (mode_ == WorkspaceMode::Docked) {
    std::vector<bool> shown;
    for (auto& e : entries_) shown.push_back(e->dock != nullptr && !e->dock->isHidden());
    ApplyDockPlan();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i]->dock != nullptr) entries_[i]->dock->setVisible(shown[i]);
    }
    fit_pending_ = true;
    FitDockedWindow();
    return;
  }
  const QRect area = AvailableArea();
  const QRect main_frame = main_->frameGeometry();
  main_->move(widgets::KeptOn(main_frame, area).topLeft());
  main_placed_ = main_->pos();
  main_from_memory_ = false;
  UpdateScrollWindows();
  for (auto& e : entries_) e->placed.reset();
  for (Group group : {Group::Editor, Group::Tool, Group::File}) PlaceGroup(group, true);
}

void Workspace::Remember() {
  if (!shown_) return;
  QSettings().setValue(kModeKey, ModeName(mode_));
  if (mode_ == WorkspaceMode::Docked) {
    RememberDocked();
  }
  RememberWindows();
}

void Workspace::RememberWindows() {
  QSettings settings;
  // A window the user moved keeps its place; one where this run put it is placed
  // afresh next time.
  auto keep = [&settings](const QWidget& host, const QString& key, const std::optional<QPoint>& placed,
                          bool from_memory) {
    if (!placed) return;
    if (host.pos() != *placed) {
      settings.setValue(key, QRect(host.pos(), host.size()));
    } else if (!from_memory) {
      settings.remove(key);
    }
  };
  const bool docked = mode_ == WorkspaceMode::Docked;
  if (!docked && main_ != nullptr) keep(*main_, PlaceKey(*main_), main_placed_, main_from_memory_);
  for (auto& e : entries_) {
    // A docking window's place as a window is kept from when it was one.
    if (e->form == nullptr || (docked && e->docks)) continue;
    QWidget* host = HostOf(*e);
    if (host->isWindow()) keep(*host, PlaceKey(*e->form), e->placed, e->from_memory);
  }
}

void Workspace::RememberDocked() {
  if (docked_ == nullptr) return;
  QSettings settings;
  settings.setValue(kDockedGeometryKey, docked_->saveGeometry());
  settings.setValue(kDockedStateKey, docked_->saveState());
}

void Workspace::CreateDockedWindow() {
  docked_ = std::make_unique<DockedMainWindow>();
  docked_->setWindowTitle(main_->windowTitle());
  docked_->setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks | QMainWindow::AllowNestedDocks);
  // The docks right of the main form run the window's full height; below it there
  // is room only as wide as the form.
  docked_->setCorner(Qt::TopRightCorner, Qt::RightDockWidgetArea);
  docked_->setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
  QMenu* view = docked_->menuBar()->addMenu("View");
  view->setObjectName("ViewMenu");
  connect(view, &QMenu::aboutToShow, this, [this, view] {
    view->clear();
    AddViewActions(*view);
  });
  for (auto& e : entries_) {
    if (!e->docks || e->form == nullptr) continue;
    auto* dock = new QDockWidget(e->form->windowTitle(), docked_.get());
    dock->setObjectName(e->form->objectName() + "Dock");
    // Like the windows, the docks have no close button: the main window's buttons
    // show and hide them.
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    dock->hide();
    e->dock = dock;
    if (e->scroll == nullptr) e->scroll = new widgets::FormScrollArea();
    // A floating dock is a window of its own, with its own keys.
    install_keys_(dock);
  }
  install_keys_(docked_.get());
}

void Workspace::EnterDocked() {
  busy_ = true;
  if (main_->isVisible()) RememberWindows();
  const bool main_shown = main_->isVisible();
  std::vector<bool> shown;
  for (auto& e : entries_) shown.push_back(HostOf(*e)->isVisible());
  const bool first = docked_ == nullptr;
  const QPoint main_at = main_->pos();
  if (first) CreateDockedWindow();
  for (auto& e : entries_) {
    if (!e->docks || e->form == nullptr) continue;
    HostOf(*e)->hide();
    e->scrolled = false;
    e->scroll->Hold(e->form);
    e->dock->setWidget(e->scroll);
  }
  mode_ = WorkspaceMode::Docked;
  main_->hide();
  docked_->setCentralWidget(main_);
  main_->show();
  if (first) {
    ApplyDockPlan();
    QSettings settings;
    const QByteArray geometry = settings.value(kDockedGeometryKey).toByteArray();
    const QByteArray state = settings.value(kDockedStateKey).toByteArray();
    if (!geometry.isEmpty() && docked_->restoreGeometry(geometry) && docked_->restoreState(state)) {
      fit_pending_ = false;
    } else {
      // As large as the docks will need from the start (a window that grows when a
      // load shows the docks costs the window system a good part of the time the
      // load takes), where the main window stands once the window has its frame (a
      // main window moved before it is shown is placed by its client area).
      docked_->resize(plan_size_.boundedTo(AvailableArea().size().shrunkBy(FrameMargins())));
      place_docked_at_ = main_at;
    }
  }
  bool any_dock = false;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    Entry& e = *entries_[i];
    if (e.dock == nullptr) continue;
    e.dock->setVisible(shown[i]);
    any_dock = any_dock || shown[i];
  }
  busy_ = false;
  if (main_shown) ShowDockedWindow();
  if (any_dock) FitDockedWindow();
  emit hostsChanged();
}

void Workspace::ShowDockedWindow() {
  docked_->show();
  if (!place_docked_at_) return;
  WhenMainWindowShown([this] {
    if (!place_docked_at_ || docked_ == nullptr) return;
    const QRect frame(*place_docked_at_, docked_->frameGeometry().size());
    place_docked_at_.reset();
    docked_->move(widgets::KeptOn(frame, AvailableArea()).topLeft());
  });
}

void Workspace::LeaveDocked() {
  busy_ = true;
  RememberDocked();
  const bool main_shown = docked_->isVisible();
  std::vector<bool> shown;
  for (auto& e : entries_) shown.push_back(!HostOf(*e)->isHidden() && (e->docks || HostOf(*e)->isVisible()));
  const QPoint main_at = docked_->pos();
  docked_->takeCentralWidget();
  main_->setParent(nullptr, main_flags_);
  main_->move(main_placed_.value_or(main_at));
  for (auto& e : entries_) {
    if (!e->docks || e->form == nullptr) continue;
    e->dock->hide();
    e->scroll->Release();
    if (e->placed) e->form->move(*e->placed);
  }
  docked_->hide();
  mode_ = WorkspaceMode::Windows;
  busy_ = false;
  PlaceMain();
  UpdateScrollWindows();
  if (main_shown) main_->show();
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (shown[i]) HostOf(*entries_[i])->show();
  }
  emit hostsChanged();
}

void Workspace::ApplyDockPlan() {
  std::vector<Entry*> editors;
  std::vector<QSize> sizes;
  for (auto& e : entries_) {
    if (e->dock == nullptr) continue;
    e->dock->setFloating(false);
    docked_->removeDockWidget(e->dock);
    if (e->group == Group::Editor) {
      editors.push_back(e.get());
      sizes.push_back(e->form->size());
    }
  }
  if (editors.empty()) return;
  // What the docks take besides their forms, as this style draws them.
  QDockWidget* sample = editors.front()->dock;
  QTabBar tabs;
  tabs.setFont(sample->font());
  tabs.addTab("Qorvi");
  widgets::DockSpace space;
  space.central = main_->size();
  space.title = std::max(0, sample->minimumSizeHint().height() - editors.front()->scroll->minimumSizeHint().height());
  space.tabs = tabs.sizeHint().height();
  space.separator = docked_->style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, docked_.get());
  plan_margins_ = FrameMargins();
  space.available = AvailableArea().size().shrunkBy(plan_margins_) - QSize(0, docked_->menuBar()->sizeHint().height());
  const widgets::DockPlan plan = widgets::PlanDocks(space, sizes);
  plan_size_ = plan.size + QSize(0, docked_->menuBar()->sizeHint().height());
  auto dock = [&editors](int i) { return editors[static_cast<std::size_t>(i)]->dock.data(); };
  // Kept by dock, for the sizes once the docks show.
  places_.columns.clear();
  places_.below.clear();
  auto docks_of = [&dock](const std::vector<int>& row) {
    std::vector<QPointer<QDockWidget>> docks;
    for (int i : row) docks.emplace_back(dock(i));
    return docks;
  };
  for (const auto& column : plan.columns) {
    places_.columns.emplace_back();
    for (const auto& row : column) places_.columns.back().push_back(docks_of(row));
  }
  places_.below = docks_of(plan.below);
  for (const auto& column : plan.columns) {
    docked_->addDockWidget(Qt::RightDockWidgetArea, dock(column.front().front()), Qt::Horizontal);
    for (std::size_t r = 0; r < column.size(); ++r) {
      if (r > 0) docked_->splitDockWidget(dock(column[r - 1].front()), dock(column[r].front()), Qt::Vertical);
      for (std::size_t t = 1; t < column[r].size(); ++t)
        docked_->tabifyDockWidget(dock(column[r].front()), dock(column[r][t]));
    }
  }
  if (!plan.below.empty()) {
    docked_->addDockWidget(Qt::BottomDockWidgetArea, dock(plan.below.front()), Qt::Horizontal);
    for (std::size_t t = 1; t < plan.below.size(); ++t)
      docked_->tabifyDockWidget(dock(plan.below.front()), dock(plan.below[t]));
  }
  // The other docking windows share a place with the editor they belong to.
  for (auto& e : entries_) {
    if (e->dock == nullptr || e->group == Group::Editor) continue;
    Entry* beside = EntryOf(e->beside);
    if (beside != nullptr && beside->dock != nullptr) {
      docked_->tabifyDockWidget(beside->dock, e->dock);
    } else {
      docked_->addDockWidget(Qt::RightDockWidgetArea, e->dock);
    }
  }
  fit_pending_ = true;
}

void Workspace::FitDockedWindow() {
  if (!fit_pending_ || docked_ == nullptr) return;
  // The plan was made before the window system framed the window: made again with
  // the frame it has.
  if (FrameMargins() != plan_margins_) {
    std::vector<bool> shown;
    for (auto& e : entries_) shown.push_back(e->dock != nullptr && !e->dock->isHidden());
    ApplyDockPlan();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i]->dock != nullptr) entries_[i]->dock->setVisible(shown[i]);
    }
  }
  fit_pending_ = false;
  // The first editor of every place in front.
  std::vector<std::vector<QPointer<QDockWidget>>> places;
  for (const auto& column : places_.columns) places.insert(places.end(), column.begin(), column.end());
  if (!places_.below.empty()) places.push_back(places_.below);
  for (const auto& place : places) {
    if (place.front() != nullptr && !place.front()->isHidden()) place.front()->raise();
  }
  // As large as the docks ask for, within the screen.
  docked_->layout()->activate();
  const QRect area = AvailableArea();
  const QMargins margins = FrameMargins();
  docked_->resize(docked_->sizeHint().boundedTo(area.size().shrunkBy(margins)));
  const QRect frame(docked_->pos(), docked_->size().grownBy(margins));
  docked_->move(widgets::KeptOn(frame, area).topLeft());
  // Each place as large as its largest dock asks for (the window shares out what
  // is left over or missing): left alone, the docks share the room evenly.
  auto largest = [](const std::vector<QPointer<QDockWidget>>& place) {
    QSize size(0, 0);
    for (const QPointer<QDockWidget>& d : place) {
      if (d != nullptr && !d->isHidden()) size = size.expandedTo(d->sizeHint());
    }
    return size;
  };
  QList<QDockWidget*> columns;
  QList<int> widths;
  for (const auto& column : places_.columns) {
    QList<QDockWidget*> rows;
    QList<int> heights;
    int width = 0;
    for (const auto& row : column) {
      const QSize size = largest(row);
      if (size.isEmpty() || row.front() == nullptr) continue;
      rows.push_back(row.front());
      heights.push_back(size.height());
      width = std::max(width, size.width());
    }
    if (rows.isEmpty()) continue;
    columns.push_back(rows.front());
    widths.push_back(width);
    if (rows.size() > 1) docked_->resizeDocks(rows, heights, Qt::Vertical);
  }
  if (!columns.isEmpty()) docked_->resizeDocks(columns, widths, Qt::Horizontal);
  const QSize below = largest(places_.below);
  if (!below.isEmpty() && places_.below.front() != nullptr) {
    docked_->resizeDocks({places_.below.front()}, {below.height()}, Qt::Vertical);
  }
}

bool Workspace::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || busy_) return QObject::eventFilter(watched, event);
  Entry* e = EntryOf(widget);
  if (e == nullptr) return QObject::eventFilter(watched, event);
  if (event->type() == QEvent::Show && widget->isWindow() && !e->placed && shown_) {
    // A window is placed when it is first shown.
    PlaceGroup(e->group);
  } else if (event->type() == QEvent::Hide && widget == e->form && widget->isHidden() && !widget->isWindow() &&
             e->dock != nullptr && mode_ == WorkspaceMode::Docked) {
    // A docked form that hides itself (Escape in the File window) hides its dock;
    // one hidden with its dock (a dock made floating, a tab behind another) is not
    // hidden itself.
    QTimer::singleShot(0, this, [this, form = e->form] {
      Entry* entry = EntryOf(form);
      if (form == nullptr || entry == nullptr || entry->dock == nullptr || form->isWindow() || !form->isHidden()) {
        return;
      }
      entry->dock->hide();
      form->show();
    });
  }
  return QObject::eventFilter(watched, event);
}

void Workspace::AddViewActions(QMenu& menu) {
  QAction* arrange = menu.addAction("Arrange windows");
  arrange->setObjectName("ArrangeWindowsAction");
  connect(arrange, &QAction::triggered, this, &Workspace::Arrange);
  QAction* docked = menu.addAction("Docked workspace");
  docked->setObjectName("DockedWorkspaceAction");
  docked->setCheckable(true);
  docked->setChecked(mode_ == WorkspaceMode::Docked);
  connect(docked, &QAction::toggled, this, [this](bool on) {
    // After the menu has closed: the switch replaces the window the menu belongs to.
    QTimer::singleShot(0, this, [this, on] { SetMode(on ? WorkspaceMode::Docked : WorkspaceMode::Windows); });
  });
}

}  // namespace qorvi::app
