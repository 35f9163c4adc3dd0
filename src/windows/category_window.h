// SPDX-License-Identifier: GPL-3.0-or-later
// The Category window: order, category, region and visibility of the menu entries.
//
// One grid row per menu entry of vshmain.prx (CategoryEntries). A double click on a
// Category, Region or Show cell cycles that byte; Up and Down exchange an entry with
// its neighbour; Reset brings back the loaded entries. Each is one step of the
// editing session, which rebuilds the per-category item lists; the grid follows
// every change of the entries the session reports (undo included), and the preview
// its own way.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string_view>

#include "session/edit_session.h"

class QTableWidget;

namespace qorvi::windows {

// The built-in names of the grid's texts. Values outside the known ones (category
// bytes 8..254, item numbers 40 and above) have an empty name.
std::string_view CategoryItemName(int item, int language);  // UTF-8
std::string_view CategoryName(int category);
std::string_view CategoryShowText(uint8_t show);
std::string_view CategoryRegionText(uint8_t region);

}  // namespace qorvi::windows

class TForm4 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm4(qorvi::session::EditSession& session, QWidget* parent = nullptr);

  // Row count, headers and rows.
  void FillCategoryGrid();
  // The rows alone (a language change refills only these).
  void FillCategoryRows();

  void CategoryGridDblClick();
  void UpButtonClick();
  void DownButtonClick();
  void ResetButtonClick();
  void AdvanceButtonClick();
  void FormShow();
  // Selects the cell of the entry byte at `place`, with the focus (the Changes
  // window's request).
  void ShowValue(const qorvi::ValuePlace& place);

 signals:
  // "other data": show the Advance window if it is hidden, else hide it.
  void advanceRequested();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Entries the grid may show and edit: CategoryEntryCount, within the table.
  int EntryCount() const;

  qorvi::session::EditSession& session_;
  // Columns: 0 "No.", 1 "Icon", 2 "Category", 3 "Region", 4 "Show". Table row k shows
  // entry k (the header row stands apart in Qt, so rows count from 0 here).
  QTableWidget* category_grid_;
};
