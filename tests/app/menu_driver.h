// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the preview's context menu from a test: opens with the event that brings
// it, notes its actions and picks one (or none).
#pragma once

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/main_parts.h"

namespace qorvi::testing {

using MenuAction = std::pair<std::string, bool>;  // text, enabled

// The menu after a load below Undo and Redo: the preview's toggle, then the
// program's section.
inline const std::vector<MenuAction> kLoadedProgramActions = {
    {"Mark problems", true},   {"Export layout...", true}, {"Import layout...", true}, {"Save preview as PNG...", true},
    {"Check layout...", true}, {"History...", true},       {"Changes...", true},       {"Save to...", true}};

// The workspace's section, last.
inline const std::vector<MenuAction> kViewActions = {{"Arrange windows", true}, {"Docked workspace", true}};

// The whole menu: the Undo section, the program's, then the workspace's.
inline std::vector<MenuAction> MenuActions(std::initializer_list<MenuAction> undo_section,
                                           const std::vector<MenuAction>& program_section) {
  std::vector<MenuAction> all(undo_section);
  all.insert(all.end(), program_section.begin(), program_section.end());
  all.insert(all.end(), kViewActions.begin(), kViewActions.end());
  return all;
}

// Opens the menu a context-menu event brings, notes its actions and then picks one
// (or none).
class MenuDriver {
 public:
  explicit MenuDriver(QString pick = {}) : pick_(std::move(pick)) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  std::vector<MenuAction> actions;

 private:
  void Poll() {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr || !menu->isVisible()) return;
    timer_.stop();
    QAction* chosen = nullptr;
    for (QAction* a : menu->actions()) {
      if (a->isSeparator()) continue;
      actions.emplace_back(a->text().toStdString(), a->isEnabled());
      if (!pick_.isEmpty() && a->text().startsWith(pick_)) chosen = a;
    }
    if (chosen != nullptr) {
      menu->setActiveAction(chosen);
      QTest::keyClick(menu, Qt::Key_Return);
    } else {
      menu->close();
    }
  }
  QString pick_;
  QTimer timer_;
};

// Opens the preview's menu with the right button and picks the action whose text starts
// with `pick`; returns the menu's actions.
inline std::vector<MenuAction> PickFromPreviewMenu(MainParts& main, const QString& pick) {
  MenuDriver menu(pick);
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), main.Panel1->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(main.Panel1, &event);
  QApplication::processEvents();
  return menu.actions;
}

}  // namespace qorvi::testing
