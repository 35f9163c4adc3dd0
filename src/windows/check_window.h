// SPDX-License-Identifier: GPL-3.0-or-later
// The Check window: what would look wrong on the console with the current
// layout, found by the same check as `qorvi-cli check` (every category and focus
// position the menu can reach, both states of "No Show UMD Icon", both languages),
// one finding per row. Clicking a row moves the preview there the way a user
// browses: the option and the language the finding shows under, then its category
// and item, through the editing session.
#pragma once

#include <QWidget>
#include <vector>

#include "geometry/layout_check.h"
#include "session/edit_session.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace qorvi::windows {

class CheckWindow : public QWidget {
  Q_OBJECT
 public:
  explicit CheckWindow(session::EditSession& session, QWidget* parent = nullptr);

  // Checks the session's current model and lists the findings ("No findings" when
  // there is none).
  void Check();
  // Moves the preview to the finding of `row`.
  void FindingListClick(int row);

  const std::vector<LayoutFinding>& Findings() const { return findings_; }

 private:
  session::EditSession& session_;
  QLabel* summary_label_;
  QListWidget* finding_list_;
  QPushButton* check_button_;
  std::vector<LayoutFinding> findings_;
};

// A finding as its row shows it: the text qorvi-cli prints, and the option and
// language it shows under when they are not the first ones.
QString FindingRowText(const LayoutFinding& finding);

}  // namespace qorvi::windows
