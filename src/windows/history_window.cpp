// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/history_window.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>

#include "widgets/window_frame.h"

namespace qorvi::windows {

HistoryWindow::HistoryWindow(session::EditSession& session, QWidget* parent) : QWidget(parent), session_(session) {
  setObjectName("HistoryWindow");
  widgets::SetUpSecondaryWindow(this, "Qorvi History Window", 420, 300, 600, 60);

  summary_label_ = new QLabel(this);
  summary_label_->setObjectName("SummaryLabel");
  summary_label_->setGeometry(8, 8, 404, 16);
  history_list_ = new QListWidget(this);
  history_list_->setObjectName("HistoryList");
  history_list_->setGeometry(8, 30, 404, 262);
  history_list_->setSelectionMode(QAbstractItemView::SingleSelection);

  // The current row follows the session; a row the user chooses moves the session.
  connect(history_list_, &QListWidget::currentRowChanged, this, &HistoryWindow::HistoryListClick);
  connect(&session_, &session::EditSession::historyChanged, this, &HistoryWindow::Refresh);
  Refresh();
}

void HistoryWindow::Refresh() {
  const session::UndoStack& history = session_.history();
  const int rows = static_cast<int>(history.Count()) + 1;
  const int current = static_cast<int>(history.Index());
  const QSignalBlocker quiet(history_list_);
  // Only the ends change: a step is added or renamed (it merged) at the end of the
  // history, after the steps that could be redone were dropped; a load starts over
  // with a new first row. Every drag move comes here, so the rows between stay.
  while (history_list_->count() > rows) delete history_list_->takeItem(history_list_->count() - 1);
  const int kept = history_list_->count();
  while (history_list_->count() < rows) history_list_->addItem(QString());
  const auto set_text = [&](int row) {
    const QString text =
        row == 0 ? FirstRowText() : QString::fromStdString(history.Text(static_cast<std::size_t>(row - 1)));
    QListWidgetItem* item = history_list_->item(row);
    if (item->text() != text) item->setText(text);
  };
  set_text(0);
  for (int row = std::max(kept - 1, 1); row < rows; ++row) set_text(row);

  if (bold_row_ != current) {
    for (int row : {bold_row_, current}) {
      if (QListWidgetItem* item = history_list_->item(row)) {
        QFont font = item->font();
        font.setBold(row == current);
        item->setFont(font);
      }
    }
    bold_row_ = current;
  }
  history_list_->setCurrentRow(current);
  history_list_->scrollToItem(history_list_->item(current));

  const int redoable = rows - 1 - current;
  summary_label_->setText(
      QString("%1 step%2 to undo, %3 to redo").arg(current).arg(current == 1 ? "" : "s").arg(redoable));
}

QString HistoryWindow::FirstRowText() const {
  const int32_t version = session_.model().FirmwareVersion;
  if (!session_.IsLoaded() || version == 0) return "Nothing loaded";
  return QString::asprintf("Loaded version %.02f", static_cast<double>(version) * 0.01);
}

void HistoryWindow::HistoryListClick(int row) {
  if (row < 0 || row > static_cast<int>(session_.history().Count())) return;
  if (static_cast<std::size_t>(row) == session_.history().Index()) return;
  session_.GoToStep(static_cast<std::size_t>(row));
}

}  // namespace qorvi::windows
