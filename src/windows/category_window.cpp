#include "windows/category_window.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <algorithm>
#include <array>
#include <utility>

#include "app/main_window.h"
#include "firmware/category_lists.h"
#include "windows/advance_window.h"
#include "windows/window_frame.h"

namespace qorvi::app {
namespace {

struct ItemName {
  std::string_view English;
  std::string_view Japanese;  // UTF-8
};

// The names of items 0..39 as this program shows them (not the firmware's own
// display names, which the preview shows); spelling as it has always been.
constexpr std::array<ItemName, 40> kItemNames{{
    {"network update", "ネットワークアップデート"},
    {"usb connection", "USB接続"},
    {"video settings", "ビデオ設定"},
    {"photo settings", "フォト設定"},
    {"system settings", "本体設定"},
    {"theme setteings", "テーマ設定"},
    {"date/time settings", "日付と時刻設定"},
    {"power save settings", "省電力設定"},
    {"Connected Display Settings", "外部ディスプレイ設定"},
    {"sound settings", "サウンド設定"},
    {"security settings", "セキュリティ設定"},
    {"RSS settings", "RSSチャンネル設定"},
    {"Network settings", "ネットワーク設定"},
    {"Memory Stick(Photo)", "Memory Stick(Photo)"},
    {"UMD", "UMD"},
    {"Memory Stick(Music)", "Memory Stick(Music)"},
    {"UMD", "UMD"},
    {"UMD", "UMD"},
    {"Memory Stick(Video)", "Memory Stick(Video)"},
    {"Game sharing", "ゲームシェアリング"},
    {"Saved data utility", "セーブデータ管理"},
    {"UMD(Game)", "UMD(Game)"},
    {"Memory Stick(Game)", "Memory Stick(Game)"},
    {"UMD Update", "UMD Update"},
    {"Internet browser", "ブラウザ"},
    {"LFTV", "ロケーションフリー"},
    {"RSS channel", "RSSチャンネル"},
    {"Camera", "カメラ"},
    {"remote play", "リモートプレイ"},
    {"online instruction", "オンラインマニュアル"},
    {"Skype", "Skype"},
    {"1Seg", "ワンセグ"},
    {"PlayStationSpot", "PlayStationSpot"},
    {"Internet Radio", "インターネットラジオ"},
    {"GO!Messenger", "GO!Messenger"},
    {"Internet Search", "インターネット検索"},
    {"SignUp", "サインアップ"},
    {"", ""},
    {"PlayStationStore", "PlayStationStore"},
    {"T-DMB", "T-DMB"},
}};

constexpr std::array<std::string_view, 8> kCategoryNames{"System", "Photo", "Music",   "Video",
                                                         "TV",     "Game",  "Network", "PSNet"};

// Region codes in their cycling order; 255 ("-") closes the cycle.
constexpr std::array<uint8_t, 5> kRegionCycle{8, 240, 160, 64, 255};

constexpr uint8_t kShowYes = 7;
constexpr uint8_t kShow2000 = 6;
constexpr uint8_t kShowLeftOut = 2;

}  // namespace

std::string_view CategoryItemName(int item, int language) {
  if (item < 0 || item >= static_cast<int>(kItemNames.size())) return {};
  return language == 0 ? kItemNames[item].Japanese : kItemNames[item].English;
}

std::string_view CategoryName(int category) {
  if (category < 0 || category >= static_cast<int>(kCategoryNames.size())) return {};
  return kCategoryNames[category];
}

std::string_view CategoryShowText(uint8_t show) {
  if (show == kShowYes) return "Yes";
  if (show == kShow2000) return "2000";
  return "No";
}

std::string_view CategoryRegionText(uint8_t region) {
  switch (region) {
    case 8: return "JPN";
    case 240: return "US";
    case 160: return "EU";
    case 64: return "KOR";
    default: return "-";
  }
}

uint8_t NextCategory(uint8_t category) {
  // 7 wraps to 0; so do 255 (not listed) and the bytes 8..254 that name no category.
  return category < 7 ? static_cast<uint8_t>(category + 1) : 0;
}

uint8_t NextShow(uint8_t show) {
  if (show == kShowYes) return kShow2000;
  if (show == kShow2000) return kShowLeftOut;
  return kShowYes;  // from 2, and from any other code
}

uint8_t NextRegion(uint8_t region) {
  for (std::size_t k = 0; k + 1 < kRegionCycle.size(); ++k) {
    if (region == kRegionCycle[k]) return kRegionCycle[k + 1];
  }
  return kRegionCycle[0];  // from 255, and from any other code
}

}  // namespace qorvi::app

namespace {

enum Column : int { kNumberColumn = 0, kIconColumn = 1, kCategoryColumn = 2, kRegionColumn = 3, kShowColumn = 4 };

QTableWidgetItem* Cell(std::string_view text) {
  auto* cell = new QTableWidgetItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return cell;
}

}  // namespace

TForm4::TForm4(qorvi::app::Desktop& d) : desktop(d) {
  setObjectName("Form4");
  qorvi::app::SetUpSecondaryWindow(this, "Qorvi Category Window", 425, 293, 585, 439);
  desktop.forms.Form4 = this;

  CategoryGrid = new QTableWidget(0, 5, this);
  CategoryGrid->setObjectName("CategoryGrid");
  CategoryGrid->setGeometry(16, 16, 393, 225);
  CategoryGrid->verticalHeader()->hide();
  CategoryGrid->verticalHeader()->setMinimumSectionSize(16);
  CategoryGrid->verticalHeader()->setDefaultSectionSize(16);
  CategoryGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  CategoryGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  CategoryGrid->horizontalHeader()->setHighlightSections(false);
  const int widths[] = {33, 190, 51, 51, 43};
  for (int c = 0; c < 5; ++c) CategoryGrid->setColumnWidth(c, widths[c]);
  CategoryGrid->setShowGrid(true);
  CategoryGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  CategoryGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  CategoryGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  CategoryGrid->setSelectionBehavior(QAbstractItemView::SelectItems);

  auto button = [&](const QString& caption, const char* name, QRect geometry) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setGeometry(geometry);
    return b;
  };
  UpButton = button(QString::fromUtf8("↑"), "UpButton", {312, 256, 33, 25});
  DownButton = button(QString::fromUtf8("↓"), "DownButton", {352, 256, 33, 25});
  ResetButton = button("Reset Value", "ResetButton", {16, 256, 89, 25});
  AdvanceButton = button("other data", "AdvanceButton", {128, 256, 89, 25});

  connect(CategoryGrid, &QTableWidget::cellDoubleClicked, this, [this](int, int) { CategoryGridDblClick(); });
  connect(UpButton, &QPushButton::clicked, this, &TForm4::UpButtonClick);
  connect(DownButton, &QPushButton::clicked, this, &TForm4::DownButtonClick);
  connect(ResetButton, &QPushButton::clicked, this, &TForm4::ResetButtonClick);
  connect(AdvanceButton, &QPushButton::clicked, this, &TForm4::AdvanceButtonClick);

  FillCategoryGrid();
}

int TForm4::EntryCount() const { return std::clamp(desktop.model.CategoryEntryCount, 0, qorvi::kCategoryEntrySlots); }

void TForm4::FillCategoryGrid() {
  CategoryGrid->setRowCount(EntryCount());
  CategoryGrid->setHorizontalHeaderLabels({"No.", "Icon", "Category", "Region", "Show"});
  FillCategoryRows();
  // Like any grid, it always has a selected cell while it has rows.
  if (CategoryGrid->rowCount() > 0 && CategoryGrid->currentRow() < 0) CategoryGrid->setCurrentCell(0, 0);
}

void TForm4::FillCategoryRows() {
  const int rows = std::min(CategoryGrid->rowCount(), EntryCount());
  const int language = desktop.view.Language;
  for (int i = 0; i < rows; ++i) {
    const qorvi::CategoryEntry& e = desktop.model.CategoryEntries[i];
    const std::string number = std::to_string(i + 1);
    CategoryGrid->setItem(i, kNumberColumn, Cell(number));
    CategoryGrid->setItem(i, kIconColumn, Cell(qorvi::app::CategoryItemName(e.Item, language)));
    CategoryGrid->setItem(i, kCategoryColumn, Cell(qorvi::app::CategoryName(e.Category)));
    CategoryGrid->setItem(i, kShowColumn, Cell(qorvi::app::CategoryShowText(e.Show)));
    CategoryGrid->setItem(i, kRegionColumn, Cell(qorvi::app::CategoryRegionText(e.Region)));
  }
}

void TForm4::RebuildLists() {
  const TForm1* main = desktop.forms.Form1;
  qorvi::RebuildCategoryLists(desktop.model, main != nullptr && main->NoUMDCheck->isChecked());
}

void TForm4::RefreshPreview() {
  TForm1* main = desktop.forms.Form1;
  if (main == nullptr) return;
  main->UpdateMenuTexts();
  main->LoadSubIconImages();
  main->PlaceSubIcons();
}

void TForm4::FitCurrentCategory() {
  TForm1* main = desktop.forms.Form1;
  qorvi::PreviewState& view = desktop.view;
  if (main == nullptr || view.CurrentCategory < 0 || view.CurrentCategory >= qorvi::kCategories) return;
  const int n = desktop.model.CategoryTable[view.CurrentCategory].Count;
  QScrollBar* bar = main->XMB_VScroll;
  if (n < 2) {
    bar->setEnabled(false);
  } else {
    bar->setEnabled(true);
    bar->setMaximum(n - 1);  // moves a position past the end, and XMB_VScrollChange follows it
  }
  // The focus stays on an item of the category, and the scroll bar's position on the
  // focus (a disabled bar keeps its maximum, so its position is moved here).
  if (view.CurrentItem >= n && view.CurrentItem != 0) view.CurrentItem = std::max(n - 1, 0);
  if (bar->value() != view.CurrentItem) {
    const QSignalBlocker quiet(bar);
    bar->setValue(view.CurrentItem);
  }
}

void TForm4::CategoryGridDblClick() {
  const int row = CategoryGrid->currentRow();
  if (row < 0 || row >= EntryCount()) return;
  qorvi::CategoryEntry& e = desktop.model.CategoryEntries[row];
  const int current = desktop.view.CurrentCategory;
  switch (CategoryGrid->currentColumn()) {
    case kRegionColumn:
      // The region plays no part in the item lists: the preview stays as it is.
      e.Region = qorvi::app::NextRegion(e.Region);
      FillCategoryRows();
      break;
    case kShowColumn:
      e.Show = qorvi::app::NextShow(e.Show);
      RebuildLists();
      FillCategoryRows();
      if (e.Category == current) {
        FitCurrentCategory();
        RefreshPreview();
      }
      break;
    case kCategoryColumn: {
      e.Category = qorvi::app::NextCategory(e.Category);
      const int previous = e.Category == 0 ? 7 : e.Category - 1;
      RebuildLists();
      FillCategoryRows();
      if (e.Category == current || previous == current) {
        FitCurrentCategory();
        RefreshPreview();
      }
      break;
    }
    default: break;
  }
}

void TForm4::ExchangeEntries(int a, int b, int select) {
  auto& entries = desktop.model.CategoryEntries;
  std::swap(entries[a], entries[b]);
  CategoryGrid->setCurrentCell(select, std::max(CategoryGrid->currentColumn(), 0));
  RebuildLists();
  FillCategoryRows();
  RefreshPreview();
}

void TForm4::UpButtonClick() {
  const int row = CategoryGrid->currentRow();
  if (row < 1 || row >= EntryCount()) return;
  ExchangeEntries(row, row - 1, row - 1);
}

void TForm4::DownButtonClick() {
  const int row = CategoryGrid->currentRow();
  if (row < 0 || row + 1 >= EntryCount()) return;
  ExchangeEntries(row, row + 1, row + 1);
}

void TForm4::ResetButtonClick() {
  if (!qorvi::app::ConfirmBox(this, "Reset All CategoryData Value")) return;
  // All 30 entries; CategoryEntryCount keeps its value.
  desktop.model.CategoryEntries = desktop.model.LoadedCategoryEntries;
  RebuildLists();
  FillCategoryRows();
  if (TForm1* main = desktop.forms.Form1) {
    main->XMB_VScroll->setValue(0);  // runs XMB_VScrollChange when the position changes
    FitCurrentCategory();
  }
  RefreshPreview();
}

void TForm4::AdvanceButtonClick() {
  QWidget* advance = desktop.forms.Form9;
  if (advance == nullptr) return;
  advance->setVisible(!advance->isVisible());
}

void TForm4::FormShow() { FillCategoryGrid(); }

void TForm4::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}
