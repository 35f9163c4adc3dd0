// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dock_plan.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

namespace qorvi::widgets {
namespace {

// An editor behind a tab weighs as much as this many pixels of scrolling up and
// down; a pixel of scrolling sideways (a form cut at its right, where its second
// column of fields stands) as much as this many.
constexpr int kHiddenWeight = 80;
constexpr int kSidewaysWeight = 8;

using Row = std::vector<int>;
using Column = std::vector<Row>;

class Planner {
 public:
  Planner(const DockSpace& space, const std::vector<QSize>& editors) : space_(space), editors_(editors) {}

  DockPlan Best() {
    const int n = static_cast<int>(editors_.size());
    // Every set of editors below the main form, the rest right of it in every
    // shape of columns, rows and tabs.
    for (int below_set = 0; below_set < (1 << n); ++below_set) {
      Row below;
      std::vector<int> right;
      for (int i = 0; i < n; ++i) ((below_set >> i) & 1 ? below : right).push_back(i);
      std::vector<Column> columns;
      Shape(right, 0, columns, below);
    }
    return best_;
  }

 private:
  // Puts editor right[k] and the ones after it into every place: a tab of a row,
  // a new row of a column, or a new column. Each shape comes up once.
  void Shape(const std::vector<int>& right, std::size_t k, std::vector<Column>& columns, const Row& below) {
    if (k == right.size()) {
      Consider(columns, below);
      return;
    }
    const int editor = right[k];
    // By index: the calls below add and take away columns and rows.
    for (std::size_t c = 0; c < columns.size(); ++c) {
      for (std::size_t r = 0; r < columns[c].size(); ++r) {
        columns[c][r].push_back(editor);
        Shape(right, k + 1, columns, below);
        columns[c][r].pop_back();
      }
      columns[c].push_back({editor});
      Shape(right, k + 1, columns, below);
      columns[c].pop_back();
    }
    columns.push_back({{editor}});
    Shape(right, k + 1, columns, below);
    columns.pop_back();
  }

  QSize RowSize(const Row& row) const {
    QSize size(0, 0);
    for (int i : row) size = size.expandedTo(editors_[static_cast<std::size_t>(i)]);
    return {size.width(), size.height() + space_.title + (row.size() > 1 ? space_.tabs : 0)};
  }

  void Consider(const std::vector<Column>& columns, const Row& below) {
    const QSize& room = space_.available;
    DockPlan plan;
    plan.columns = columns;
    plan.below = below;
    int width = space_.central.width();
    int height = space_.central.height();
    int overflow = 0;
    for (const Column& column : columns) {
      int column_width = 0;
      int column_height = -space_.separator;
      for (const Row& row : column) {
        const QSize size = RowSize(row);
        column_width = std::max(column_width, size.width());
        column_height += size.height() + space_.separator;
        plan.hidden += static_cast<int>(row.size()) - 1;
      }
      width += space_.separator + column_width;
      height = std::max(height, column_height);
      overflow += std::max(0, column_height - room.height());
    }
    if (!below.empty()) {
      const QSize size = RowSize(below);
      const int below_height = space_.central.height() + space_.separator + size.height();
      height = std::max(height, below_height);
      overflow += std::max(0, below_height - room.height());
      // The place below is as wide as the main form's column.
      overflow += kSidewaysWeight * std::max(0, size.width() - space_.central.width());
      plan.hidden += static_cast<int>(below.size()) - 1;
    }
    overflow += kSidewaysWeight * std::max(0, width - room.width());
    plan.size = QSize(width, height);
    plan.overflow = overflow;
    const auto key = [](const DockPlan& p) {
      return std::tuple(int64_t{p.hidden} * kHiddenWeight + p.overflow, int64_t{p.size.width()} * p.size.height(),
                        p.columns.size());
    };
    if (!found_ || key(plan) < key(best_)) {
      best_ = plan;
      found_ = true;
    }
  }

  const DockSpace& space_;
  const std::vector<QSize>& editors_;
  DockPlan best_;
  bool found_ = false;
};

}  // namespace

DockPlan PlanDocks(const DockSpace& space, const std::vector<QSize>& editors) { return Planner(space, editors).Best(); }

}  // namespace qorvi::widgets
