// SPDX-License-Identifier: GPL-3.0-or-later
// The History window: the steps of the editing session since the load, by the
// names "Undo ..." and "Redo ..." give them, under a first row for the state the
// load left ("Loaded version 5.00"). The row of the current state is selected and
// bold; the steps below it are the ones Redo would take again. Choosing a row, by
// a click or the arrow keys, goes back or forward to that state one step at a
// time through the session, as Qt's undo view does over its stack; the session's
// own history stays the one list of steps.
#pragma once

#include <QWidget>

#include "session/edit_session.h"

class QLabel;
class QListWidget;

namespace qorvi::windows {

class HistoryWindow : public QWidget {
 public:
  explicit HistoryWindow(session::EditSession& session, QWidget* parent = nullptr);

  // Shows the session's steps and marks the current one.
  void Refresh();
  // Goes to the state of `row` (0: as loaded, n: after step n).
  void HistoryListClick(int row);

 private:
  QString FirstRowText() const;

  session::EditSession& session_;
  QLabel* summary_label_;
  QListWidget* history_list_;
  int bold_row_ = -1;  // the row shown as the current one
};

}  // namespace qorvi::windows
