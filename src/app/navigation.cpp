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
  preview_->PaintWallpaper(open_dialog1_->selectedFiles().first());
}
