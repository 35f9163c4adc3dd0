// SPDX-License-Identifier: GPL-3.0-or-later
// The Advance window: per-item execute function, media, UMD flag and tags.
//
// The grid lists the known execute functions, one row per item: selecting row a
// edits item a of ItemTable. The lists beside it show that item's values; choosing
// an entry in a list stores it into the item at once, as one step of the editing
// session. The preview does not show any of these values.
#pragma once

#include <QWidget>
#include <vector>

#include "session/edit_session.h"

class QComboBox;
class QTableWidget;

class TForm9 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm9(qorvi::session::EditSession& session, QWidget* parent = nullptr);

  // Fills the function grid and the item lists, then shows the selected item.
  void FillAdvanceWindow();
  // Fills the four tag lists from the items as they are now.
  void FillTagLists();
  // Sets the seven lists to the values of the item of the selected grid row.
  void ShowSelectedItem();

  void ExecuteGridClick();
  // The change handlers run only on the user's choice, never when the window itself
  // selects an entry, and act on the item of the selected grid row.
  void ExecComboChange();
  void MainImageComboChange();
  void SdwImageComboChange();
  void ConfImageComboChange();
  void NameTagComboChange();
  void MediaComboChange();
  void UMDComboChange();
  void FormShow();
  // Selects the item at `place` and gives the focus to the list of its field (the
  // grid, for a word no list shows): the Changes window's request.
  void ShowValue(const qorvi::ValuePlace& place);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // One tag list: its combo box, the tag of the items it shows, and the tags it
  // lists (copies of the items' tags when the list was filled, entry j from item j).
  struct TagList {
    QComboBox* combo = nullptr;
    qorvi::session::TagMember member = nullptr;
    std::vector<qorvi::session::Tag> tags;
  };

  // ItemCount, within the item table.
  int ItemCount() const;
  // The index of the item the selected grid row stands for, or -1.
  int SelectedItem() const;
  // Stores the listed tag the user chose, byte for byte.
  void ChooseTag(TagList& list);

  qorvi::session::EditSession& session_;
  QTableWidget* execute_grid_;
  QComboBox* exec_combo_;
  QComboBox* media_combo_;
  QComboBox* umd_combo_;
  TagList main_image_;
  TagList shadow_image_;
  TagList conf_image_;
  TagList name_tag_;
  // True while this window's own change goes through the session.
  bool storing_ = false;
};
