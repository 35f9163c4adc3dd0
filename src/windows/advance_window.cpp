// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/advance_window.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <algorithm>

#include "firmware/exec_functions.h"
#include "model/item_fields.h"
#include "session/entry_rules.h"
#include "widgets/window_frame.h"

namespace {

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Selects the first entry whose text equals `text` exactly; no match leaves the
// selection as it was.
void SelectText(QComboBox* combo, const QString& text) {
  const int k = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (k >= 0) combo->setCurrentIndex(k);
}

// Selects entry k, or nothing when the list has no entry k.
void SelectIndex(QComboBox* combo, int k) { combo->setCurrentIndex(k >= 0 && k < combo->count() ? k : -1); }

}  // namespace

TForm9::TForm9(qorvi::session::EditSession& session, QWidget* parent) : QWidget(parent), session_(session) {
  setObjectName("Form9");
  qorvi::widgets::SetUpSecondaryWindow(this, "Qorvi Executable Link Window", 393, 261, 587, 462);

  auto label = [&](const char* name, const char* text, int left, int top) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    l->move(left, top);
    l->adjustSize();
  };
  auto combo = [&](const char* name, int left, int top, int width) {
    auto* c = new QComboBox(this);
    c->setObjectName(name);
    c->setGeometry(left, top, width, 20);
    c->setEditable(false);
    return c;
  };

  label("OriginalLabel", "Original Function", 16, 8);
  execute_grid_ = new QTableWidget(0, 1, this);
  execute_grid_->setObjectName("ExecuteGrid");
  execute_grid_->setGeometry(16, 24, 177, 217);
  execute_grid_->horizontalHeader()->hide();
  execute_grid_->verticalHeader()->hide();
  execute_grid_->verticalHeader()->setMinimumSectionSize(16);
  execute_grid_->verticalHeader()->setDefaultSectionSize(16);
  execute_grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  execute_grid_->setColumnWidth(0, 154);
  execute_grid_->setShowGrid(true);
  execute_grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  execute_grid_->setSelectionMode(QAbstractItemView::SingleSelection);

  label("ExecLabel", "Execute Function", 208, 8);
  exec_combo_ = combo("ExecCombo", 208, 24, 169);
  label("MainImageLabel", "Icon Main Image Tag", 208, 48);
  main_image_ = {combo("MainImageCombo", 208, 64, 169), &qorvi::ItemRecord::MainImageTag, {}};
  label("SdwImageLabel", "Icon Shadow Image Tag", 208, 88);
  shadow_image_ = {combo("SdwImageCombo", 208, 104, 169), &qorvi::ItemRecord::ShadowImageTag, {}};
  label("ConfImageLabel", "Icon Conf Image Tag", 208, 128);
  conf_image_ = {combo("ConfImageCombo", 208, 144, 169), &qorvi::ItemRecord::ConfImageTag, {}};
  label("NameTagLabel", "Icon Name Tag", 208, 168);
  name_tag_ = {combo("NameTagCombo", 208, 184, 169), &qorvi::ItemRecord::NameTag, {}};
  label("MediaLabel", "Media", 208, 208);
  media_combo_ = combo("MediaCombo", 208, 224, 81);
  for (std::string_view text : qorvi::session::kMediaTexts) media_combo_->addItem(QString::fromUtf8(text));
  label("UMDLabel", "UMD", 296, 208);
  umd_combo_ = combo("UMDCombo", 296, 224, 81);
  for (std::string_view text : qorvi::session::kUmdTexts) umd_combo_->addItem(QString::fromUtf8(text));

  // Selecting a row, by mouse or keyboard, shows its item.
  connect(execute_grid_, &QTableWidget::currentCellChanged, this, [this](int, int, int, int) { ExecuteGridClick(); });
  // `activated` comes only from the user's choice, so filling and selecting never
  // write into the items.
  connect(exec_combo_, &QComboBox::activated, this, &TForm9::ExecComboChange);
  connect(main_image_.combo, &QComboBox::activated, this, &TForm9::MainImageComboChange);
  connect(shadow_image_.combo, &QComboBox::activated, this, &TForm9::SdwImageComboChange);
  connect(conf_image_.combo, &QComboBox::activated, this, &TForm9::ConfImageComboChange);
  connect(name_tag_.combo, &QComboBox::activated, this, &TForm9::NameTagComboChange);
  connect(media_combo_, &QComboBox::activated, this, &TForm9::MediaComboChange);
  connect(umd_combo_, &QComboBox::activated, this, &TForm9::UMDComboChange);
  connect(&session_, &qorvi::session::EditSession::changed, this, [this](const qorvi::session::ChangeEvent& e) {
    // A new set or another language: new lists. Items changed by someone else (an
    // import, undo, redo): the tag lists follow the items, so that a tag no item
    // had before is listed and can be chosen, and show the selected item's values
    // again. This window's own choice is already shown as chosen.
    if (e.loaded || e.view.language) {
      FillAdvanceWindow();
    } else if (e.items.any() && !storing_) {
      FillTagLists();
      ShowSelectedItem();
    }
  });

  FillAdvanceWindow();
}

int TForm9::ItemCount() const { return std::clamp(session_.model().ItemCount, 0, qorvi::kItemSlots); }

int TForm9::SelectedItem() const {
  const int a = execute_grid_->currentRow();
  return a >= 0 && a < ItemCount() ? a : -1;
}

void TForm9::FillAdvanceWindow() {
  const int count = ItemCount();
  const int language = session_.view().Language;
  execute_grid_->setRowCount(count);
  for (int i = 0; i < count; ++i) {
    auto* cell = new QTableWidgetItem(Utf8(qorvi::ExecFunctionName(i, language)));
    cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    execute_grid_->setItem(i, 0, cell);
  }

  exec_combo_->clear();
  for (int j = 0; j < count; ++j) {
    exec_combo_->addItem(Utf8(qorvi::ExecFunctionName(session_.model().ItemTable[j].ExecIndex, language)));
  }
  FillTagLists();

  // Like any grid, it always has a selected row while it has rows.
  if (count > 0 && execute_grid_->currentRow() < 0) execute_grid_->setCurrentCell(0, 0);
  ShowSelectedItem();
}

void TForm9::FillTagLists() {
  for (TagList* list : {&main_image_, &shadow_image_, &conf_image_, &name_tag_}) {
    list->combo->clear();
    list->tags.clear();
  }
  // One entry per item in item order, duplicates and empty texts included: the tag
  // lists offer exactly the tags the items use.
  for (int j = 0; j < ItemCount(); ++j) {
    const qorvi::ItemRecord& item = session_.model().ItemTable[j];
    for (TagList* list : {&main_image_, &shadow_image_, &conf_image_, &name_tag_}) {
      list->tags.push_back(item.*(list->member));
      list->combo->addItem(Utf8(qorvi::TextOf(item.*(list->member))));
    }
  }
}

void TForm9::ShowSelectedItem() {
  const int a = SelectedItem();
  if (a < 0) return;
  const qorvi::ItemRecord& item = session_.model().ItemTable[a];
  SelectIndex(exec_combo_, item.ExecIndex);
  SelectIndex(media_combo_, item.Media <= 3 ? static_cast<int>(item.Media) - 1 : -1);
  SelectIndex(umd_combo_, item.UmdFlag);
  for (TagList* list : {&main_image_, &shadow_image_, &conf_image_, &name_tag_}) {
    SelectText(list->combo, Utf8(qorvi::TextOf(item.*(list->member))));
  }
}

void TForm9::ExecuteGridClick() { ShowSelectedItem(); }

void TForm9::ExecComboChange() {
  const int a = SelectedItem();
  const int k = exec_combo_->currentIndex();
  if (a < 0 || k < 0) return;
  storing_ = true;
  session_.SetItemFunction(a, k);
  storing_ = false;
}

void TForm9::MediaComboChange() {
  const int a = SelectedItem();
  const int k = media_combo_->currentIndex();
  if (a < 0 || k < 0) return;
  storing_ = true;
  session_.SetItemMedia(a, static_cast<uint32_t>(k + 1));  // 1 Flash, 2 UMD, 3 MS
  storing_ = false;
}

void TForm9::UMDComboChange() {
  const int a = SelectedItem();
  const int k = umd_combo_->currentIndex();
  if (a < 0 || k < 0) return;
  storing_ = true;
  session_.SetItemUmdFlag(a, static_cast<uint8_t>(k));  // 0 Yes, 1 No
  storing_ = false;
}

void TForm9::ChooseTag(TagList& list) {
  const int a = SelectedItem();
  const int j = list.combo->currentIndex();
  if (a < 0 || j < 0 || j >= static_cast<int>(list.tags.size())) return;
  // The listed tag's own bytes: never re-encoded from the text the list shows.
  storing_ = true;
  session_.SetItemTag(a, list.member, list.tags[static_cast<std::size_t>(j)]);
  storing_ = false;
}

void TForm9::MainImageComboChange() { ChooseTag(main_image_); }
void TForm9::SdwImageComboChange() { ChooseTag(shadow_image_); }
void TForm9::ConfImageComboChange() { ChooseTag(conf_image_); }
void TForm9::NameTagComboChange() { ChooseTag(name_tag_); }

void TForm9::FormShow() { FillAdvanceWindow(); }

void TForm9::ShowValue(const qorvi::ValuePlace& place) {
  if (place.index < 0 || place.index >= execute_grid_->rowCount()) return;
  execute_grid_->setCurrentCell(place.index, 0);
  if (place.part < 0 || place.part >= static_cast<int>(qorvi::kItemFields.size())) return;
  const qorvi::ItemField& field = qorvi::kItemFields[static_cast<std::size_t>(place.part)];
  QWidget* list = execute_grid_;
  if (field.name == "ExecGroup" || field.name == "ExecFunction" || field.name == "ExecIndex") list = exec_combo_;
  if (field.name == "Media") list = media_combo_;
  if (field.name == "UmdFlag") list = umd_combo_;
  const auto* tag = std::get_if<qorvi::ItemTag qorvi::ItemRecord::*>(&field.member);
  for (const TagList* tags : {&main_image_, &shadow_image_, &conf_image_, &name_tag_}) {
    if (tag != nullptr && *tag == tags->member) list = tags->combo;
  }
  list->setFocus(Qt::OtherFocusReason);
}

void TForm9::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}
