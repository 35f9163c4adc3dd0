// SPDX-License-Identifier: GPL-3.0-or-later
// The preview's context menu: opened by the right button or the menu key, never
// during a drag. Its first section undoes and redoes, its second holds the
// preview's own options; other parts of the program add their own sections.
#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

#include "app/preview_panel.h"

namespace qorvi::app {

void PreviewPanel::AddContextMenuSection(std::function<void(QMenu&)> section) {
  menu_sections_.push_back(std::move(section));
}

void PreviewPanel::AddUndoActions(QMenu& menu) {
  const bool can_undo = session_.CanUndo();
  const bool can_redo = session_.CanRedo();
  QAction* undo = menu.addAction(can_undo ? "Undo " + QString::fromStdString(session_.UndoText()) : "Undo");
  undo->setObjectName("UndoAction");
  undo->setEnabled(can_undo);
  connect(undo, &QAction::triggered, &session_, &session::EditSession::Undo);
  QAction* redo = menu.addAction(can_redo ? "Redo " + QString::fromStdString(session_.RedoText()) : "Redo");
  redo->setObjectName("RedoAction");
  redo->setEnabled(can_redo);
  connect(redo, &QAction::triggered, &session_, &session::EditSession::Redo);
}

void PreviewPanel::AddViewActions(QMenu& menu) {
  QAction* marks = menu.addAction("Mark problems");
  marks->setObjectName("MarkProblemsAction");
  marks->setCheckable(true);
  marks->setChecked(marks_problems_);
  connect(marks, &QAction::toggled, this, &PreviewPanel::SetMarksProblems);
}

void PreviewPanel::ShowContextMenu(const QPoint& global_pos) {
  QMenu menu(this);
  menu.setObjectName("PreviewMenu");
  for (std::size_t i = 0; i < menu_sections_.size(); ++i) {
    if (i > 0) menu.addSeparator();
    menu_sections_[i](menu);
  }
  menu.exec(global_pos);
}

bool PreviewPanel::Dragging() const {
  for (const DragState& drag : drags_) {
    if (drag.active == 1) return true;
  }
  return false;
}

void PreviewPanel::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  // During a drag the right button belongs to the drag.
  if (Dragging()) return;
  ShowContextMenu(event->globalPos());
  // The menu took the release of the button that opened it: the status line goes
  // back to what a release shows.
  if (event->reason() == QContextMenuEvent::Mouse) emit elementReleased();
}

}  // namespace qorvi::app
