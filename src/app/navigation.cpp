// Browsing the preview the way the console's menu is browsed, and the options
// that change only what the preview shows.
#include <QCheckBox>
#include <QFileDialog>
#include <QImageReader>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>

#include "app/main_window.h"
#include "app/picture_box.h"
#include "firmware/category_lists.h"
#include "windows/advance_window.h"
#include "windows/category_window.h"

namespace {

// Sets the vertical scroll bar's range for a category of `n` items: an empty
// category keeps the old maximum; fewer than two items leave nothing to scroll.
void FitItemScroll(QScrollBar* bar, int n) {
  if (n >= 1) bar->setMaximum(n - 1);
  bar->setEnabled(n >= 2);
}

}  // namespace

void TForm1::XMB_HScrollChange() {
  view.CurrentCategory = XMB_HScroll->value();
  view.CurrentItem = 0;
  XMB_VScroll->setValue(0);  // runs XMB_VScrollChange when the position changes
  FitItemScroll(XMB_VScroll, model.CategoryTable[view.CurrentCategory].Count);

  if (NoShowCheck->isChecked()) {
    for (auto* icon : MainIcons) icon->hide();
    MainIcons[view.CurrentCategory]->show();
  } else {
    for (auto* icon : MainIcons) icon->show();
  }
  UpdateMenuTexts();
  LoadMainIconImages();
  LoadSubIconImages();
  PlaceMainIcons(view.CurrentCategory);
  PlaceSubIcons();
}

void TForm1::XMB_VScrollChange() {
  view.CurrentItem = XMB_VScroll->value();
  LoadSubIconImages();
  PlaceSubIcons();
  UpdateMenuTexts();
}

void TForm1::JPNRadioClick() {
  view.Language = 0;
  UpdateMenuTexts();
  PlaceMainMenuText();
  PlaceSubMenuTexts();
  if (desktop.forms.Form4) desktop.forms.Form4->FillCategoryRows();
  if (desktop.forms.Form9) desktop.forms.Form9->FillAdvanceWindow();
}

void TForm1::ENGRadioClick() {
  view.Language = 1;
  UpdateMenuTexts();
  PlaceMainMenuText();
  PlaceSubMenuTexts();
  if (desktop.forms.Form4) desktop.forms.Form4->FillCategoryRows();
  if (desktop.forms.Form9) desktop.forms.Form9->FillAdvanceWindow();
}

void TForm1::NoShowCheckClick() {
  if (NoShowCheck->isChecked()) {
    for (auto* icon : MainIcons) icon->hide();
    MainIcons[view.CurrentCategory]->show();
  } else {
    for (auto* icon : MainIcons) icon->show();
  }
}

void TForm1::NoUMDCheckClick() {
  qorvi::RebuildCategoryLists(model, NoUMDCheck->isChecked());
  if (view.CurrentCategory != 5) return;
  // Lowering the maximum below the position moves the position, which runs
  // XMB_VScrollChange and so updates CurrentItem.
  FitItemScroll(XMB_VScroll, model.CategoryTable[5].Count);
  UpdateMenuTexts();
  LoadSubIconImages();
  PlaceSubIcons();
}

bool TForm1::PaintWallpaper(const QString& path) {
  qorvi::app::PictureBox::LoadResult result;
  QImage picture = qorvi::app::PictureBox::ReadPicture(path, &result);
  if (result != qorvi::app::PictureBox::LoadResult::Loaded) return false;
  QImage& canvas = Wallpaper->Canvas();
  {
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, 480, 272), picture, picture.rect());
  }
  Wallpaper->Changed();
  return true;
}

void TForm1::WallpaperButtonClick() {
  OpenDialog1->setNameFilter("Bitmaps (*.bmp)");
  OpenDialog1->setDefaultSuffix("bmp");
  OpenDialog1->setDirectory(QDir::currentPath());
  if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty()) return;
  PaintWallpaper(OpenDialog1->selectedFiles().first());
}
