// SPDX-License-Identifier: GPL-3.0-or-later
// Real mouse input for the editor windows' grids and lists, shared by their tests.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTableWidget>
#include <QTest>

namespace qorvi::testing {

// The centre of a cell in the grid's viewport, scrolled into view first.
inline QPoint CellCentre(QTableWidget* grid, int row, int column) {
  QTableWidgetItem* cell = grid->item(row, column);
  EXPECT_NE(cell, nullptr) << "no cell " << row << ", " << column;
  if (cell == nullptr) return {};
  grid->scrollToItem(cell);
  return grid->visualItemRect(cell).center();
}

inline void ClickCell(QTableWidget* grid, int row, int column) {
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(grid, row, column));
}

inline void DoubleClickCell(QTableWidget* grid, int row, int column) {
  const QPoint at = CellCentre(grid, row, column);
  // The first click selects the cell, the second makes it a double click.
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

// Opens the list and clicks its entry k, as a user picks an entry.
inline void ChooseEntry(QComboBox* combo, int k) {
  combo->showPopup();
  QAbstractItemView* view = combo->view();
  const QModelIndex index = view->model()->index(k, combo->modelColumn());
  view->scrollTo(index);
  const QPoint at = view->visualRect(index).center();
  QTest::mouseMove(view->viewport(), at);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QApplication::processEvents();
  // A release that follows the opening too closely is not taken as a choice by
  // every style; the list is closed either way, as after a user's choice.
  if (view->isVisible()) combo->hidePopup();
  EXPECT_EQ(combo->currentIndex(), k) << combo->objectName().toStdString();
}

}  // namespace qorvi::testing
