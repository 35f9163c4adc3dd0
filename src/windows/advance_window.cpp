#include "windows/advance_window.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <algorithm>
#include <cstring>

#include "firmware/exec_functions.h"
#include "windows/window_frame.h"

namespace {

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A tag of an item record: the text up to its zero, within the 24-byte field.
QString TagText(const std::array<char, 24>& tag) {
  const auto end = std::find(tag.begin(), tag.end(), '\0');
  return QString::fromUtf8(tag.data(), end - tag.begin());
}

// Stores a chosen tag: its text and the rest of the field cleared. The texts
// offered are tags read from the items themselves, at most the field's 24 bytes
// (a tag of all 24 has no terminating zero, as the firmware allows).
void SetTag(std::array<char, 24>& tag, const QString& text) {
  const QByteArray bytes = text.toUtf8();
  const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(bytes.size()), tag.size());
  tag.fill('\0');
  std::memcpy(tag.data(), bytes.constData(), length);
}

// Selects the first entry whose text equals `text` exactly; no match leaves the
// selection as it was.
void SelectText(QComboBox* combo, const QString& text) {
  const int k = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (k >= 0) combo->setCurrentIndex(k);
}

// Selects entry k, or nothing when the list has no entry k.
void SelectIndex(QComboBox* combo, int k) { combo->setCurrentIndex(k >= 0 && k < combo->count() ? k : -1); }

}  // namespace

TForm9::TForm9(qorvi::app::Desktop& d) : desktop(d) {
  setObjectName("Form9");
  qorvi::app::SetUpSecondaryWindow(this, "Qorvi Executable Link Window", 393, 261, 587, 462);
  desktop.forms.Form9 = this;

  auto label = [&](const char* name, const char* text, int left, int top) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    l->move(left, top);
    l->adjustSize();
    return l;
  };
  auto combo = [&](const char* name, int left, int top, int width) {
    auto* c = new QComboBox(this);
    c->setObjectName(name);
    c->setGeometry(left, top, width, 20);
    c->setEditable(false);
    return c;
  };

  OriginalLabel = label("OriginalLabel", "Original Function", 16, 8);
  ExecuteGrid = new QTableWidget(0, 1, this);
  ExecuteGrid->setObjectName("ExecuteGrid");
  ExecuteGrid->setGeometry(16, 24, 177, 217);
  ExecuteGrid->horizontalHeader()->hide();
  ExecuteGrid->verticalHeader()->hide();
  ExecuteGrid->verticalHeader()->setMinimumSectionSize(16);
  ExecuteGrid->verticalHeader()->setDefaultSectionSize(16);
  ExecuteGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ExecuteGrid->setColumnWidth(0, 154);
  ExecuteGrid->setShowGrid(true);
  ExecuteGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ExecuteGrid->setSelectionMode(QAbstractItemView::SingleSelection);

  ExecLabel = label("ExecLabel", "Execute Function", 208, 8);
  ExecCombo = combo("ExecCombo", 208, 24, 169);
  MainImageLabel = label("MainImageLabel", "Icon Main Image Tag", 208, 48);
  MainImageCombo = combo("MainImageCombo", 208, 64, 169);
  SdwImageLabel = label("SdwImageLabel", "Icon Shadow Image Tag", 208, 88);
  SdwImageCombo = combo("SdwImageCombo", 208, 104, 169);
  ConfImageLabel = label("ConfImageLabel", "Icon Conf Image Tag", 208, 128);
  ConfImageCombo = combo("ConfImageCombo", 208, 144, 169);
  NameTagLabel = label("NameTagLabel", "Icon Name Tag", 208, 168);
  NameTagCombo = combo("NameTagCombo", 208, 184, 169);
  MediaLabel = label("MediaLabel", "Media", 208, 208);
  MediaCombo = combo("MediaCombo", 208, 224, 81);
  MediaCombo->addItems({"Flash", "UMD", "MS"});
  UMDLabel = label("UMDLabel", "UMD", 296, 208);
  UMDCombo = combo("UMDCombo", 296, 224, 81);
  UMDCombo->addItems({"Yes", "No"});

  // Selecting a row, by mouse or keyboard, shows its item.
  connect(ExecuteGrid, &QTableWidget::currentCellChanged, this, [this](int, int, int, int) { ExecuteGridClick(); });
  // `activated` comes only from the user's choice, so filling and selecting never
  // write into the items.
  connect(ExecCombo, &QComboBox::activated, this, &TForm9::ExecComboChange);
  connect(MainImageCombo, &QComboBox::activated, this, &TForm9::MainImageComboChange);
  connect(SdwImageCombo, &QComboBox::activated, this, &TForm9::SdwImageComboChange);
  connect(ConfImageCombo, &QComboBox::activated, this, &TForm9::ConfImageComboChange);
  connect(NameTagCombo, &QComboBox::activated, this, &TForm9::NameTagComboChange);
  connect(MediaCombo, &QComboBox::activated, this, &TForm9::MediaComboChange);
  connect(UMDCombo, &QComboBox::activated, this, &TForm9::UMDComboChange);

  FillAdvanceWindow();
}

int TForm9::ItemCount() const { return std::clamp(desktop.model.ItemCount, 0, qorvi::kItemSlots); }

qorvi::ItemRecord* TForm9::SelectedItem() {
  const int a = ExecuteGrid->currentRow();
  if (a < 0 || a >= ItemCount()) return nullptr;
  return &desktop.model.ItemTable[a];
}

void TForm9::FillAdvanceWindow() {
  const int count = ItemCount();
  const int language = desktop.view.Language;
  ExecuteGrid->setRowCount(count);
  for (int i = 0; i < count; ++i) {
    auto* cell = new QTableWidgetItem(Utf8(qorvi::ExecFunctionName(i, language)));
    cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    ExecuteGrid->setItem(i, 0, cell);
  }

  for (QComboBox* c : {ExecCombo, MainImageCombo, SdwImageCombo, ConfImageCombo, NameTagCombo}) c->clear();
  // One entry per item in item order, duplicates and empty texts included: the tag
  // lists offer exactly the tags the loaded items use.
  for (int j = 0; j < count; ++j) {
    const qorvi::ItemRecord& item = desktop.model.ItemTable[j];
    ExecCombo->addItem(Utf8(qorvi::ExecFunctionName(item.ExecIndex, language)));
    MainImageCombo->addItem(TagText(item.MainImageTag));
    SdwImageCombo->addItem(TagText(item.ShadowImageTag));
    ConfImageCombo->addItem(TagText(item.ConfImageTag));
    NameTagCombo->addItem(TagText(item.NameTag));
  }

  // Like any grid, it always has a selected row while it has rows.
  if (count > 0 && ExecuteGrid->currentRow() < 0) ExecuteGrid->setCurrentCell(0, 0);
  ShowSelectedItem();
}

void TForm9::ShowSelectedItem() {
  const qorvi::ItemRecord* item = SelectedItem();
  if (item == nullptr) return;
  SelectIndex(ExecCombo, item->ExecIndex);
  SelectIndex(MediaCombo, item->Media <= 3 ? static_cast<int>(item->Media) - 1 : -1);
  SelectIndex(UMDCombo, item->UmdFlag);
  SelectText(MainImageCombo, TagText(item->MainImageTag));
  SelectText(SdwImageCombo, TagText(item->ShadowImageTag));
  SelectText(ConfImageCombo, TagText(item->ConfImageTag));
  SelectText(NameTagCombo, TagText(item->NameTag));
}

void TForm9::ExecuteGridClick() { ShowSelectedItem(); }

void TForm9::ExecComboChange() {
  qorvi::ItemRecord* item = SelectedItem();
  const int k = ExecCombo->currentIndex();
  if (item == nullptr || k < 0 || k >= qorvi::kExecFunctionCount) return;
  // Positions stand for table indices, whatever function the entry's text names.
  const qorvi::ExecFunction& f = qorvi::ExecFunctionTable()[k];
  item->ExecIndex = k;
  item->ExecGroup = f.Group;
  item->ExecFunction = f.Function;
}

void TForm9::MediaComboChange() {
  qorvi::ItemRecord* item = SelectedItem();
  const int k = MediaCombo->currentIndex();
  if (item == nullptr || k < 0) return;
  item->Media = static_cast<uint32_t>(k + 1);  // 1 Flash, 2 UMD, 3 MS
}

void TForm9::UMDComboChange() {
  qorvi::ItemRecord* item = SelectedItem();
  const int k = UMDCombo->currentIndex();
  if (item == nullptr || k < 0) return;
  item->UmdFlag = static_cast<uint8_t>(k);  // 0 Yes, 1 No
}

void TForm9::MainImageComboChange() {
  if (qorvi::ItemRecord* item = SelectedItem()) SetTag(item->MainImageTag, MainImageCombo->currentText());
}
void TForm9::SdwImageComboChange() {
  if (qorvi::ItemRecord* item = SelectedItem()) SetTag(item->ShadowImageTag, SdwImageCombo->currentText());
}
void TForm9::ConfImageComboChange() {
  if (qorvi::ItemRecord* item = SelectedItem()) SetTag(item->ConfImageTag, ConfImageCombo->currentText());
}
void TForm9::NameTagComboChange() {
  if (qorvi::ItemRecord* item = SelectedItem()) SetTag(item->NameTag, NameTagCombo->currentText());
}

void TForm9::FormShow() { FillAdvanceWindow(); }

void TForm9::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}
