// SPDX-License-Identifier: GPL-3.0-or-later
// Browsing the preview the way the console's menu is browsed, and the options
// that change only what the preview shows: each goes to the session, whose change
// event moves the preview and the scroll bars.
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QRadioButton>
#include <QScrollBar>

#include "app/main_window.h"
#include "app/preview_panel.h"

void TForm1::XMB_HScrollChange() { session_.SetCategory(xmb_hscroll_->value()); }

void TForm1::XMB_VScrollChange() { session_.SetItem(xmb_vscroll_->value()); }

void TForm1::JPNRadioClick() { session_.SetLanguage(0); }

void TForm1::ENGRadioClick() { session_.SetLanguage(1); }

void TForm1::NoShowCheckClick() { session_.SetNoShowUnfocused(no_show_check_->isChecked()); }

void TForm1::NoUMDCheckClick() { session_.SetNoShowUmdIcon(no_umd_check_->isChecked()); }

void TForm1::WallpaperButtonClick() {
  open_dialog1_->setNameFilter("Bitmaps (*.bmp)");
  open_dialog1_->setDefaultSuffix("bmp");
  open_dialog1_->setDirectory(QDir::currentPath());
  if (open_dialog1_->exec() != QDialog::Accepted || open_dialog1_->selectedFiles().isEmpty()) return;
  LoadWallpaper(open_dialog1_->selectedFiles().first());
}

bool TForm1::LoadWallpaper(const QString& path) { return preview_->PaintWallpaper(path); }

namespace {

bool Tick(QCheckBox* box) {
  if (!box->isEnabled()) return false;
  if (!box->isChecked()) box->click();
  return true;
}

bool Move(QScrollBar* bar, int position) {
  if (!bar->isEnabled() || position < bar->minimum() || position > bar->maximum()) return false;
  bar->setValue(position);
  return true;
}

}  // namespace

bool TForm1::TickNoShowCheck() { return Tick(no_show_check_); }

bool TForm1::TickNoUMDCheck() { return Tick(no_umd_check_); }

bool TForm1::ChooseEnglish() {
  if (!eng_radio_->isEnabled()) return false;
  if (!eng_radio_->isChecked()) eng_radio_->click();
  return true;
}

bool TForm1::MoveCategoryScroll(int position) { return Move(xmb_hscroll_, position); }

bool TForm1::MoveItemScroll(int position) {
  // A disabled bar (fewer than two items) still stands at the first item.
  if (position == 0 && xmb_vscroll_->value() == 0) return true;
  return Move(xmb_vscroll_, position);
}
