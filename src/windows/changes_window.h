// SPDX-License-Identifier: GPL-3.0-or-later
// The Changes window: every value Save would change against the loaded files (the
// model against LoadedLayout, the loaded menu entries and items), "from → to",
// grouped by the window that edits it, listed anew after every change of the
// session (undo and redo included). A double click (or Enter) on a value asks to
// see it in its window; the program, which knows the windows, answers that
// request. "Revert" puts the selected value back as loaded, as one step.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "save/model_diff.h"
#include "session/edit_session.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace qorvi::windows {

// The windows that edit values, in the order the Changes window lists them.
enum class ValueWindow { IconData, TextData, Color, Category, Advance };

// The window that edits the value at `place`.
ValueWindow WindowOf(const ValuePlace& place);
// Its caption in the list: "Icon data", "Text data", "Color", "Category", "Advance".
QString WindowCaption(ValueWindow window);

class ChangesWindow : public QWidget {
  Q_OBJECT
 public:
  explicit ChangesWindow(session::EditSession& session, QWidget* parent = nullptr);

  // Lists the differences of the session's model from the loaded files (a change
  // of the session does this by itself, or the next show of a hidden window).
  void Refresh();
  const std::vector<ValueDifference>& Differences() const { return differences_; }

  // Asks to see difference `index` in its window (a double click, Enter).
  void ChangeListActivate(int index);
  // Puts the value of the selected row back as loaded.
  void RevertButtonClick();

 signals:
  // The user wants to see and edit the value at `place`.
  void valueRequested(const qorvi::ValuePlace& place);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The difference a row stands for, or -1 (a window's caption row).
  int IndexOf(const QTreeWidgetItem* row) const;
  void UpdateRevertButton();

  session::EditSession& session_;
  QLabel* summary_label_;
  QTreeWidget* change_tree_;
  QPushButton* revert_button_;
  std::vector<ValueDifference> differences_;
  bool stale_ = false;  // the session changed while the window was hidden
};

}  // namespace qorvi::windows
