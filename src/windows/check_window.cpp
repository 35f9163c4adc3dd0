// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/check_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "firmware/layout_check_input.h"
#include "widgets/window_frame.h"

namespace qorvi::windows {

QString FindingRowText(const LayoutFinding& finding) {
  QString text = QString::fromStdString(finding.Text());
  if (finding.noShowUmdIcon) text += ", with \"No Show UMD Icon\"";
  if (finding.language == 1) text += ", in English";
  return text;
}

CheckWindow::CheckWindow(session::EditSession& session, QWidget* parent) : QWidget(parent), session_(session) {
  setObjectName("CheckWindow");
  widgets::SetUpSecondaryWindow(this, "Qorvi Check Window", 480, 260, 560, 40);

  summary_label_ = new QLabel(this);
  summary_label_->setObjectName("SummaryLabel");
  summary_label_->setGeometry(8, 10, 360, 16);
  check_button_ = new QPushButton("Check again", this);
  check_button_->setObjectName("CheckButton");
  check_button_->setGeometry(384, 6, 88, 22);
  finding_list_ = new QListWidget(this);
  finding_list_->setObjectName("FindingList");
  finding_list_->setGeometry(8, 34, 464, 218);

  connect(check_button_, &QPushButton::clicked, this, &CheckWindow::Check);
  // A click, or Enter on the current row.
  connect(finding_list_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { FindingListClick(finding_list_->row(item)); });
  connect(finding_list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { FindingListClick(finding_list_->row(item)); });
}

void CheckWindow::Check() {
  findings_ = CheckLayout(GatherLayoutCheckInput(session_.model()));
  finding_list_->clear();
  if (findings_.empty()) {
    summary_label_->setText("No findings");
    return;
  }
  summary_label_->setText(
      findings_.size() == 1
          ? QString("1 finding; click one to see it in the preview")
          : QString("%1 findings; click one to see it in the preview").arg(static_cast<qsizetype>(findings_.size())));
  for (const LayoutFinding& finding : findings_) finding_list_->addItem(FindingRowText(finding));
}

void CheckWindow::FindingListClick(int row) {
  if (row < 0 || row >= static_cast<int>(findings_.size())) return;
  const LayoutFinding& f = findings_[static_cast<std::size_t>(row)];
  // The list the item index counts in depends on the option; the names on the language.
  if (session_.options().no_show_umd_icon != f.noShowUmdIcon) session_.SetNoShowUmdIcon(f.noShowUmdIcon);
  if (session_.view().Language != f.language) session_.SetLanguage(f.language);
  session_.SetCategory(f.category);
  // The model may have changed since the check: the item stays inside the list.
  const int count = session_.model().CategoryTable[static_cast<std::size_t>(session_.view().CurrentCategory)].Count;
  const int item = std::clamp(f.item, 0, std::max(count - 1, 0));
  if (item != session_.view().CurrentItem) session_.SetItem(item);
}

}  // namespace qorvi::windows
