// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/history_window.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

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
  while (history_list_->count() > rows) delete history_list_->takeItem(history_list_->count() - 1);
  while (history_list_->count() < rows) history_list_->addItem(QString());

  const int32_t version = session_.model().FirmwareVersion;
  const QString first = session_.IsLoaded() && version != 0
                            ? QString::asprintf("Loaded version %.02f", static_cast<double>(version) * 0.01)
                            : QString("Nothing loaded");
  for (int row = 0; row < rows; ++row) {
    QListWidgetItem* item = history_list_->item(row);
    const QString text = row == 0 ? first : QString::fromStdString(history.Text(static_cast<std::size_t>(row - 1)));
    if (item->text() != text) item->setText(text);
    QFont font = item->font();
    if (font.bold() != (row == current)) {
      font.setBold(row == current);
      item->setFont(font);
    }
  }
  history_list_->setCurrentRow(current);
  history_list_->scrollToItem(history_list_->item(current));

  const int undoable = current;
  const int redoable = rows - 1 - current;
  summary_label_->setText(
      QString("%1 step%2 to undo, %3 to redo").arg(undoable).arg(undoable == 1 ? "" : "s").arg(redoable));
}

void HistoryWindow::HistoryListClick(int row) {
  if (row < 0 || row > static_cast<int>(session_.history().Count())) return;
  if (static_cast<std::size_t>(row) == session_.history().Index()) return;
  session_.GoToStep(static_cast<std::size_t>(row));
}

}  // namespace qorvi::windows
