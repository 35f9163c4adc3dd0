// The Category window: order, category, region and visibility of the menu entries.
//
// One grid row per menu entry of vshmain.prx (CategoryEntries). A double click on a
// Category, Region or Show cell cycles that byte; Up and Down exchange an entry with
// its neighbour. Every change goes into the model at once, and changes that alter
// the per-category item lists rebuild them and refresh the preview's item column.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string_view>

#include "app/desktop.h"

class QPushButton;
class QTableWidget;

namespace qorvi::app {

// The built-in names of the grid's texts. Values outside the known ones (category
// bytes 8..254, item numbers 40 and above) have an empty name.
std::string_view CategoryItemName(int item, int language);  // UTF-8
std::string_view CategoryName(int category);
std::string_view CategoryShowText(uint8_t show);
std::string_view CategoryRegionText(uint8_t region);

// The next value of a double-clicked byte.
uint8_t NextCategory(uint8_t category);
uint8_t NextShow(uint8_t show);
uint8_t NextRegion(uint8_t region);

}  // namespace qorvi::app

class TForm4 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm4(qorvi::app::Desktop& desktop);

  qorvi::app::Desktop& desktop;

  // Columns: 0 "No.", 1 "Icon", 2 "Category", 3 "Region", 4 "Show". Table row k shows
  // entry k (the header row stands apart in Qt, so rows count from 0 here).
  QTableWidget* CategoryGrid;
  QPushButton* UpButton;
  QPushButton* DownButton;
  QPushButton* ResetButton;
  QPushButton* AdvanceButton;

  // Row count, headers and rows.
  void FillCategoryGrid();
  // The rows alone (the language buttons call this).
  void FillCategoryRows();

  void CategoryGridDblClick();
  void UpButtonClick();
  void DownButtonClick();
  void ResetButtonClick();
  void AdvanceButtonClick();
  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Entries the grid may show and edit: CategoryEntryCount, within the table.
  int EntryCount() const;
  // Rebuilds CategoryTable with the main window's "No Show UMD Icon" state.
  void RebuildLists();
  // After an entry of the current category changed its show code or category: fits
  // the item scroll bar to the category's new count and keeps the focus inside it.
  void FitCurrentCategory();
  // UpdateMenuTexts, LoadSubIconImages, PlaceSubIcons.
  void RefreshPreview();
  // Exchanges entries a and b, selects table row `select`, rebuilds, refills, refreshes.
  void ExchangeEntries(int a, int b, int select);
};
