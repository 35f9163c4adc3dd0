// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/category_window.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>
#include <array>

#include "session/entry_rules.h"
#include "widgets/window_frame.h"

namespace qorvi::windows {
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

}  // namespace

std::string_view CategoryItemName(int item, int language) {
  if (item < 0 || item >= static_cast<int>(kItemNames.size())) return {};
  return language == 0 ? kItemNames[item].Japanese : kItemNames[item].English;
}

std::string_view CategoryName(int category) { return session::CategoryText(category); }

std::string_view CategoryShowText(uint8_t show) { return session::ShowText(show); }

std::string_view CategoryRegionText(uint8_t region) { return session::RegionText(region); }

}  // namespace qorvi::windows

namespace {

enum Column : int { kNumberColumn = 0, kIconColumn = 1, kCategoryColumn = 2, kRegionColumn = 3, kShowColumn = 4 };

QTableWidgetItem* Cell(std::string_view text) {
  // Item views show their texts as plain text.
  auto* cell = new QTableWidgetItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return cell;
}

}  // namespace

TForm4::TForm4(qorvi::session::EditSession& session, QWidget* parent) : QWidget(parent), session_(session) {
  setObjectName("Form4");
  qorvi::widgets::SetUpSecondaryWindow(this, "Qorvi Category Window", 425, 293, 585, 439);

  category_grid_ = new QTableWidget(0, 5, this);
  QTableWidget* grid = category_grid_;
  grid->setObjectName("CategoryGrid");
  grid->setGeometry(16, 16, 393, 225);
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setMinimumSectionSize(16);
  grid->verticalHeader()->setDefaultSectionSize(16);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->horizontalHeader()->setHighlightSections(false);
  const int widths[] = {33, 190, 51, 51, 43};
  for (int c = 0; c < 5; ++c) grid->setColumnWidth(c, widths[c]);
  grid->setShowGrid(true);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setSelectionBehavior(QAbstractItemView::SelectItems);

  auto button = [&](const QString& caption, const char* name, QRect geometry) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setGeometry(geometry);
    return b;
  };
  auto* up = button(QString::fromUtf8("↑"), "UpButton", {312, 256, 33, 25});
  auto* down = button(QString::fromUtf8("↓"), "DownButton", {352, 256, 33, 25});
  auto* reset = button("Reset Value", "ResetButton", {16, 256, 89, 25});
  auto* advance = button("other data", "AdvanceButton", {128, 256, 89, 25});

  connect(grid, &QTableWidget::cellDoubleClicked, this, [this](int, int) { CategoryGridDblClick(); });
  connect(up, &QPushButton::clicked, this, &TForm4::UpButtonClick);
  connect(down, &QPushButton::clicked, this, &TForm4::DownButtonClick);
  connect(reset, &QPushButton::clicked, this, &TForm4::ResetButtonClick);
  connect(advance, &QPushButton::clicked, this, &TForm4::AdvanceButtonClick);
  connect(&session_, &qorvi::session::EditSession::changed, this, [this](const qorvi::session::ChangeEvent& e) {
    if (e.loaded) {
      FillCategoryGrid();
    } else if (e.entries || e.view.language) {
      FillCategoryRows();
    }
  });

  FillCategoryGrid();
}

int TForm4::EntryCount() const {
  return std::clamp(session_.model().CategoryEntryCount, 0, qorvi::kCategoryEntrySlots);
}

void TForm4::FillCategoryGrid() {
  category_grid_->setRowCount(EntryCount());
  category_grid_->setHorizontalHeaderLabels({"No.", "Icon", "Category", "Region", "Show"});
  FillCategoryRows();
  // Like any grid, it always has a selected cell while it has rows.
  if (category_grid_->rowCount() > 0 && category_grid_->currentRow() < 0) category_grid_->setCurrentCell(0, 0);
}

void TForm4::FillCategoryRows() {
  using namespace qorvi::windows;
  const int rows = std::min(category_grid_->rowCount(), EntryCount());
  const int language = session_.view().Language;
  for (int i = 0; i < rows; ++i) {
    const qorvi::CategoryEntry& e = session_.model().CategoryEntries[i];
    const std::string number = std::to_string(i + 1);
    category_grid_->setItem(i, kNumberColumn, Cell(number));
    category_grid_->setItem(i, kIconColumn, Cell(CategoryItemName(e.Item, language)));
    category_grid_->setItem(i, kCategoryColumn, Cell(CategoryName(e.Category)));
    category_grid_->setItem(i, kShowColumn, Cell(CategoryShowText(e.Show)));
    category_grid_->setItem(i, kRegionColumn, Cell(CategoryRegionText(e.Region)));
  }
}

void TForm4::ShowValue(const qorvi::ValuePlace& place) {
  if (place.index < 0 || place.index >= category_grid_->rowCount()) return;
  // The bytes in entry order (category, item, show, region) and the columns showing them.
  static constexpr int kColumnOf[] = {kCategoryColumn, kIconColumn, kShowColumn, kRegionColumn};
  const int column = place.part >= 0 && place.part < 4 ? kColumnOf[place.part] : kNumberColumn;
  category_grid_->setCurrentCell(place.index, column);
  category_grid_->setFocus(Qt::OtherFocusReason);
}

void TForm4::CategoryGridDblClick() {
  const int row = category_grid_->currentRow();
  if (row < 0 || row >= EntryCount()) return;
  using qorvi::session::EntryByte;
  switch (category_grid_->currentColumn()) {
    // The region plays no part in the item lists: the preview stays as it is.
    case kRegionColumn: session_.CycleEntry(row, EntryByte::Region); break;
    case kShowColumn: session_.CycleEntry(row, EntryByte::Show); break;
    case kCategoryColumn: session_.CycleEntry(row, EntryByte::Category); break;
    default: break;
  }
}

void TForm4::UpButtonClick() {
  const int row = category_grid_->currentRow();
  if (row < 1 || row >= EntryCount()) return;
  category_grid_->setCurrentCell(row - 1, std::max(category_grid_->currentColumn(), 0));
  session_.ExchangeEntries(row, row - 1);
}

void TForm4::DownButtonClick() {
  const int row = category_grid_->currentRow();
  if (row < 0 || row + 1 >= EntryCount()) return;
  category_grid_->setCurrentCell(row + 1, std::max(category_grid_->currentColumn(), 0));
  session_.ExchangeEntries(row, row + 1);
}

void TForm4::ResetButtonClick() {
  if (!qorvi::widgets::ConfirmBox(this, "Reset All CategoryData Value")) return;
  // All 30 entries; CategoryEntryCount keeps its value.
  session_.ResetEntries();
}

void TForm4::AdvanceButtonClick() { emit advanceRequested(); }

void TForm4::FormShow() { FillCategoryGrid(); }

void TForm4::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}
