// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/changes_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <array>

#include "layout_json/difference_text.h"
#include "widgets/window_frame.h"

namespace qorvi::windows {
namespace {

constexpr int kIndexRole = Qt::UserRole;

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

ValueWindow WindowOf(const ValuePlace& place) {
  switch (place.kind) {
    case ValuePlace::Kind::Field:
      return place.field != nullptr && place.field->group == FieldGroup::Text ? ValueWindow::TextData
                                                                              : ValueWindow::IconData;
    case ValuePlace::Kind::TextColor:
    case ValuePlace::Kind::BGColor:
    case ValuePlace::Kind::IconColor: return ValueWindow::Color;
    case ValuePlace::Kind::EntryByte: return ValueWindow::Category;
    case ValuePlace::Kind::ItemField: return ValueWindow::Advance;
    case ValuePlace::Kind::Version: break;
  }
  return ValueWindow::IconData;
}

QString WindowCaption(ValueWindow window) {
  switch (window) {
    case ValueWindow::IconData: return "Icon data";
    case ValueWindow::TextData: return "Text data";
    case ValueWindow::Color: return "Color";
    case ValueWindow::Category: return "Category";
    case ValueWindow::Advance: return "Advance";
  }
  return {};
}

ChangesWindow::ChangesWindow(session::EditSession& session, QWidget* parent) : QWidget(parent), session_(session) {
  setObjectName("ChangesWindow");
  widgets::SetUpSecondaryWindow(this, "Qorvi Changes Window", 520, 300, 560, 320);

  summary_label_ = new QLabel(this);
  summary_label_->setObjectName("SummaryLabel");
  summary_label_->setGeometry(8, 10, 504, 16);
  change_tree_ = new QTreeWidget(this);
  change_tree_->setObjectName("ChangeTree");
  change_tree_->setGeometry(8, 32, 504, 226);
  change_tree_->setColumnCount(2);
  change_tree_->setHeaderLabels({"Value", QString::fromUtf8("Loaded → now")});
  change_tree_->header()->setStretchLastSection(true);
  change_tree_->setColumnWidth(0, 200);
  change_tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  change_tree_->setRootIsDecorated(false);
  change_tree_->setExpandsOnDoubleClick(false);
  revert_button_ = new QPushButton("Revert", this);
  revert_button_->setObjectName("RevertButton");
  revert_button_->setGeometry(424, 266, 88, 24);

  // Enter on a row, or a double click.
  connect(change_tree_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* row, int) { ChangeListActivate(IndexOf(row)); });
  connect(change_tree_, &QTreeWidget::currentItemChanged, this, [this] { UpdateRevertButton(); });
  connect(revert_button_, &QPushButton::clicked, this, &ChangesWindow::RevertButtonClick);
  connect(&session_, &session::EditSession::changed, this, [this](const session::ChangeEvent& e) {
    // The view (focus, language, options) is not saved: it changes nothing here. A
    // hidden window lists anew when it is shown.
    if (e.loaded || !e.fields.empty() || e.colors.Any() || e.entries || e.items.any()) {
      if (isVisible()) {
        Refresh();
      } else {
        stale_ = true;
      }
    }
  });

  Refresh();
}

int ChangesWindow::IndexOf(const QTreeWidgetItem* row) const {
  if (row == nullptr) return -1;
  const QVariant index = row->data(0, kIndexRole);
  return index.isValid() ? index.toInt() : -1;
}

void ChangesWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (stale_) Refresh();
}

void ChangesWindow::Refresh() {
  stale_ = false;
  // The row selected before stays selected while its value still differs.
  const int selected = IndexOf(change_tree_->currentItem());
  const std::string selected_key = selected >= 0 ? differences_[static_cast<std::size_t>(selected)].key : std::string();

  differences_.clear();
  if (session_.IsLoaded()) {
    differences_ = DiffFromLoaded(session_.model());
  }
  change_tree_->clear();
  const int last = static_cast<int>(differences_.size()) - 1;
  std::array<QTreeWidgetItem*, 5> groups{};
  QTreeWidgetItem* reselect = nullptr;
  for (std::size_t i = 0; i < differences_.size(); ++i) {
    const ValueDifference& d = differences_[i];
    const ValueWindow window = WindowOf(d.place);
    QTreeWidgetItem*& group = groups[static_cast<std::size_t>(window)];
    if (group == nullptr) {
      group = new QTreeWidgetItem({WindowCaption(window)});
      group->setFlags(Qt::ItemIsEnabled);
      QFont bold = change_tree_->font();
      bold.setBold(true);
      group->setFont(0, bold);
    }
    auto* row = new QTreeWidgetItem(
        group, {Text(d.key), Text(layout_json::DocumentValueText(d.from)) + QString::fromUtf8(" → ") +
                                 Text(layout_json::DocumentValueText(d.to))});
    row->setData(0, kIndexRole, static_cast<int>(i));
    row->setToolTip(1, row->text(1));
    if (d.key == selected_key) reselect = row;
    // Where the selected value went back, the one after it takes its place.
    if (reselect == nullptr && selected >= 0 && static_cast<int>(i) == std::min(selected, last)) reselect = row;
  }
  // Groups in the windows' order, each open.
  for (QTreeWidgetItem* group : groups) {
    if (group == nullptr) continue;
    change_tree_->addTopLevelItem(group);
    group->setExpanded(true);
  }
  if (reselect != nullptr) change_tree_->setCurrentItem(reselect);

  const auto n = static_cast<qsizetype>(differences_.size());
  if (n == 0) {
    summary_label_->setText("Nothing differs from the loaded files");
  } else {
    summary_label_->setText((n == 1 ? QString("1 value differs") : QString("%1 values differ").arg(n)) +
                            " from the loaded files; double-click one to edit it");
  }
  UpdateRevertButton();
}

void ChangesWindow::UpdateRevertButton() { revert_button_->setEnabled(IndexOf(change_tree_->currentItem()) >= 0); }

void ChangesWindow::ChangeListActivate(int index) {
  if (index < 0 || index >= static_cast<int>(differences_.size())) return;
  emit valueRequested(differences_[static_cast<std::size_t>(index)].place);
}

void ChangesWindow::RevertButtonClick() {
  const int index = IndexOf(change_tree_->currentItem());
  if (index < 0) return;
  // A copy: the revert lists the differences anew.
  const ValuePlace place = differences_[static_cast<std::size_t>(index)].place;
  session_.RevertValue(place);
}

}  // namespace qorvi::windows
