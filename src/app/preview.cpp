// The preview of the system menu inside Panel1: ordinary image and label controls,
// sized from the icon bitmaps the load wrote and placed by the formulas of
// preview_geometry.h. Every routine recomputes from the stored values; nothing is
// cached, and the preview changes only when one of these routines runs.
#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <cstring>

#include "app/main_window.h"
#include "app/picture_box.h"
#include "firmware/category_lists.h"
#include "geometry/preview_geometry.h"
#include "windows/category_window.h"
#include "windows/color_window.h"
#include "windows/file_window.h"
#include "windows/icon_data_window.h"
#include "windows/text_data_window.h"
#include "windows/window_frame.h"

using qorvi::Extent;
using qorvi::TopLeft;
using qorvi::app::PictureBox;

namespace {

// Gray of the frames drawn around icons and the first cell of the strips.
const QColor kFrameColor(128, 128, 128);

Extent SizeOf(const QWidget* w) { return {w->width(), w->height()}; }

// The one-pixel outline (0, 0) .. (w - 1, h - 1) in the frame gray, drawn into `image`.
void DrawOutline(QImage& image, int w, int h) {
  if (image.isNull() || w <= 0 || h <= 0) return;
  QPainter painter(&image);
  painter.setPen(QPen(kFrameColor, 1));
  const QPoint outline[] = {{0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}, {0, 0}};
  painter.drawPolyline(outline, 5);
}

// Labels size themselves to their text; the size must be current before a
// placement reads the width.
void SetCaption(QLabel* label, const QString& text) {
  label->setText(text);
  label->adjustSize();
}

void SetPointSize(QLabel* label, int points) {
  QFont font = label->font();
  font.setPointSize(points);
  label->setFont(font);
  label->adjustSize();
}

// One entry of a label text table (UTF-8, zero-terminated within its 48 bytes);
// empty for an entry number outside the table.
QString LabelText(const qorvi::LabelTexts& texts, int entry) {
  if (entry < 0 || entry >= qorvi::kLabelTextSlots) return {};
  const auto& bytes = texts[static_cast<std::size_t>(entry)];
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(strnlen(bytes.data(), bytes.size())));
}

// The item list of the focused category; an empty one for a category number
// outside the table.
const qorvi::CategoryList& FocusedList(const qorvi::Model& model, const qorvi::PreviewState& view) {
  static const qorvi::CategoryList kNoItems{};
  if (view.CurrentCategory < 0 || view.CurrentCategory >= qorvi::kCategories) return kNoItems;
  return model.CategoryTable[static_cast<std::size_t>(view.CurrentCategory)];
}

}  // namespace

void TForm1::CreatePreview() {
  auto picture = [&](const char* name, int w, int h) {
    auto* p = new PictureBox(Panel1);
    p->setObjectName(name);
    p->resize(w, h);
    return p;
  };
  auto label = [&](const char* name, int pixels, QColor color) {
    auto* l = new QLabel(Panel1);
    l->setObjectName(name);
    l->setFont(qorvi::app::PreviewFont(pixels));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, color);
    l->setPalette(pal);
    l->setAttribute(Qt::WA_TranslucentBackground);
    return l;
  };
  Wallpaper = picture("Wallpaper", 480, 272);
  Wallpaper->move(16, 16);
  BatteryIcon = picture("BatteryIcon", 44, 16);
  Clock = label("Clock", 13, Qt::white);
  MainMenutext = label("MainMenutext", 11, Qt::white);
  MainIcon1 = picture("MainIcon1", 57, 57);
  MainIcon2 = picture("MainIcon2", 57, 57);
  MainIcon3 = picture("MainIcon3", 57, 57);
  MainIcon4 = picture("MainIcon4", 57, 57);
  MainIcon5 = picture("MainIcon5", 57, 57);
  MainIcon6 = picture("MainIcon6", 57, 57);
  MainIcon7 = picture("MainIcon7", 57, 57);
  SubIcon1 = picture("SubIcon1", 57, 57);
  SubIcon0 = picture("SubIcon0", 57, 57);
  SubIcon2 = picture("SubIcon2", 57, 57);
  SubIcon3 = picture("SubIcon3", 57, 57);
  BusyIcon = picture("BusyIcon", 25, 25);
  SubMenuText1 = label("SubMenuText1", 13, Qt::white);
  SubMenuText0 = label("SubMenuText0", 13, QColor(192, 192, 192));
  SubMenuText2 = label("SubMenuText2", 13, QColor(192, 192, 192));
  SubMenuText3 = label("SubMenuText3", 13, QColor(192, 192, 192));
  SubIcon4 = picture("SubIcon4", 57, 57);
  SubIcon5 = picture("SubIcon5", 57, 57);
  SubMenuText4 = label("SubMenuText4", 13, QColor(192, 192, 192));
  SubMenuText5 = label("SubMenuText5", 13, QColor(192, 192, 192));
  MainIcon8 = picture("MainIcon8", 57, 57);

  // Everything but the wallpaper and the focused item can be dragged (drag.cpp).
  for (QWidget* child : Panel1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (child != Wallpaper && child != SubIcon1) child->setToolTip("can drag");
  }
  SubIcon1->setEnabled(false);
}

void TForm1::RefreshAll() {
  // A fresh view: first category, first item, no preview offsets.
  view.PreviewReady = 1;
  view.RepositionOffset.fill(0);
  view.CurrentCategory = 0;
  view.CurrentItem = 0;
  // The item lists, without the UMD items when the option says so.
  qorvi::RebuildCategoryLists(model, NoUMDCheck->isChecked());
  // Moving a scroll bar runs its change handler, as a user's move would; the
  // state above is already consistent for it.
  XMB_HScroll->setValue(0);
  XMB_VScroll->setValue(0);
  XMB_HScroll->setMaximum(model.FirmwareVersion == 500 ? 7 : 6);
  const int32_t firstCount = model.CategoryTable[0].Count;
  XMB_VScroll->setMaximum(firstCount > 0 ? std::min(firstCount, qorvi::kItemNumbers) - 1 : 0);
  // The status line names the version (nothing while none is known).
  if (model.FirmwareVersion == 0) {
    FocusedLabel->setText(QString());
  } else {
    ShowVersion();
  }
  FocusedLabel->show();
  // All main icons, whatever "No Show Unforcused Main Icons" says.
  for (PictureBox* icon : MainIcons) icon->show();
  for (QWidget* w :
       std::initializer_list<QWidget*>{MainMenutext, SubIcon1, SubMenuText1, Clock, BatteryIcon, BusyIcon}) {
    w->show();
  }
  // The buttons and options of the loaded state.
  EnterLoadedState();
  // Pictures, names and places. The sub column and the main text are placed below,
  // once the editor windows hold the values.
  LoadMainIconImages();
  LoadSubIconImages();
  UpdateMenuTexts();
  LoadStripImage(BatteryIcon, model.paths.BatteryIconPath, 1, 4);
  LoadStripImage(BusyIcon, model.paths.BusyIconPath, 2, 30);
  PlaceMainIcons(-1);
  PlaceBatteryIcon();
  UpdateClock();
  PlaceBusyIcon();
  // The editor windows; filling them re-places whatever their values move.
  ShowFileButton->setText("Show File Window");
  ShowIconDataButton->setText("Hide Icon Data");
  ShowTextDataButton->setText("Hide Text Data");
  ShowColorButton->setText("Hide Color");
  ShowCateButton->setText("Hide Category");
  const qorvi::app::Forms& forms = desktop.forms;
  if (forms.Form2) {
    forms.Form2->show();
    forms.Form2->FillIconData();
  }
  if (forms.Form3) {
    forms.Form3->show();
    forms.Form3->RefreshColorWindow();
  }
  if (forms.Form4) {
    forms.Form4->show();
    forms.Form4->FillCategoryGrid();
  }
  if (forms.Form7) {
    forms.Form7->show();
    forms.Form7->FillTextDataWindow();
  }
  if (forms.Form5) forms.Form5->hide();
  activateWindow();
  // The fills re-place only what changed their edits' texts: a second load of the
  // same values would leave the sub column and the texts where the previously
  // focused category had them.
  PlaceMainIcons(view.CurrentCategory);
}

void TForm1::LoadMainIconImages() {
  const float unfocused = qorvi::CappedScale(model.Layout.UnfIconSize);
  for (int i = 0; i < qorvi::kCategories; ++i) {
    LoadScaledIcon(MainIcons[i], model.paths.MainIconPath[i], i == view.CurrentCategory ? 1.0f : unfocused);
  }
}

void TForm1::LoadSubIconImages() {
  if (view.PreviewReady != 1) return;
  const qorvi::SubColumn column = qorvi::SubIconColumn(FocusedList(model, view), view.CurrentItem);
  if (column.Empty()) {
    for (PictureBox* icon : SubIcons) icon->hide();
    return;
  }
  // The focused item is drawn at the same scale as the others.
  const float scale = qorvi::CappedScale(model.Layout.SubIconSize);
  for (int k = 0; k < qorvi::kSubPositions; ++k) {
    PictureBox* icon = SubIcons[k];
    icon->setVisible(column.shown[k]);
    if (!column.shown[k]) continue;
    if (column.item[k] < 0) {
      icon->SetPicture(QImage());  // not an item number: nothing to draw
      continue;
    }
    LoadScaledIcon(icon, model.paths.SubIconPath[static_cast<std::size_t>(column.item[k])], scale);
  }
}

void TForm1::UpdateMenuTexts() {
  const qorvi::LabelTexts& texts = qorvi::LabelTextsFor(model, view.Language);
  SetCaption(MainMenutext, LabelText(texts, qorvi::CategoryLabelEntry(view.CurrentCategory)));
  const qorvi::SubColumn column =
      qorvi::SubTextColumn(FocusedList(model, view), view.CurrentCategory, view.CurrentItem);
  for (int k = 0; k < qorvi::kSubPositions; ++k) {
    QLabel* text = SubMenuTexts[k];
    text->setVisible(column.shown[k]);
    if (column.shown[k]) SetCaption(text, LabelText(texts, qorvi::ItemLabelEntry(column.item[k])));
  }
}

void TForm1::PlaceMainIcons(int focus) {
  view.MainColumnX = qorvi::MainColumnCentre(model.Layout, view);
  for (int i = 0; i < qorvi::kCategories; ++i) {
    PictureBox* icon = MainIcons[i];
    const TopLeft p = qorvi::MainIconTopLeft(model.Layout, view, view.MainColumnX, i, SizeOf(icon));
    icon->move(p.left, p.top);
  }
  if (focus == view.CurrentCategory) {
    PlaceSubIcons();
    PlaceMainMenuText();
  }
}

void TForm1::PlaceSubIcons() {
  const qorvi::SubIconSpacing spacing = qorvi::SubIconSpaces(model.Layout, model.FirmwareVersion, XMB_HScroll->value());
  for (int k = 0; k < qorvi::kSubPositions; ++k) {
    PictureBox* icon = SubIcons[k];
    const TopLeft p = qorvi::SubIconTopLeft(view, spacing, k, SizeOf(icon));
    icon->move(p.left, p.top);
  }
  PlaceSubMenuTexts();
}

void TForm1::PlaceSubMenuTexts() {
  if (view.PreviewReady != 1) return;
  const int points = qorvi::SubTextPointSize(view);
  for (QLabel* text : SubMenuTexts) SetPointSize(text, points);
  // Every sub text starts at the same x, beside the focused item.
  const int left = qorvi::SubTextLeft(model.Layout, view, SubIcon1->x(), SubIcon1->width());
  for (int k = 0; k < qorvi::kSubPositions; ++k) {
    const PictureBox* icon = SubIcons[k];
    SubMenuTexts[k]->move(left, qorvi::SubTextTop(model.Layout, view, icon->y(), icon->height()));
  }
}

void TForm1::PlaceMainMenuText() {
  // The size first, so that the centring below uses the width at the new size.
  SetPointSize(MainMenutext, qorvi::MainTextPointSize(view));
  const TopLeft p = qorvi::MainTextTopLeft(model.Layout, view, MainMenutext->width());
  MainMenutext->move(p.left, p.top);
}

void TForm1::PlaceBatteryIcon() {
  DrawIconFrame(BatteryIcon);
  const TopLeft p = qorvi::BatteryTopLeft(model.Layout, view, SizeOf(BatteryIcon));
  BatteryIcon->move(p.left, p.top);
}

void TForm1::PlaceBusyIcon() {
  const TopLeft p = qorvi::BusyTopLeft(model.Layout, view, SizeOf(BusyIcon));
  BusyIcon->move(p.left, p.top);
}

void TForm1::UpdateClock() {
  const qorvi::Rgb8& color = model.Layout.ClockColor;
  QPalette palette = Clock->palette();
  palette.setColor(QPalette::WindowText, QColor(color.r, color.g, color.b));
  Clock->setPalette(palette);
  // The time of this call; nothing updates the clock on its own.
  SetCaption(Clock, QDateTime::currentDateTime().toString("M/d H:mm"));
  const TopLeft p = qorvi::ClockTopLeft(model.Layout, view);
  Clock->move(p.left, p.top);
}

void TForm1::ShowVersion() {
  FocusedLabel->setText(QString::asprintf("version : %.02f", static_cast<double>(model.FirmwareVersion) * 0.01));
}

void TForm1::LoadScaledIcon(PictureBox* control, const std::string& path, float scale) {
  // A missing file, or one that cannot be decoded (the user is told), leaves the
  // control as it was.
  PictureBox::LoadResult result;
  const QImage picture = PictureBox::ReadPicture(QString::fromStdString(path), &result);
  if (result != PictureBox::LoadResult::Loaded) return;
  const qorvi::IconBox box = qorvi::ScaledIconBox(picture.width(), picture.height(), scale);
  control->resize(box.width, box.height);
  // Black shows what lies below, except on icons too small to make out.
  control->SetTransparentBlack(!box.opaque);
  control->SetPicture(picture);
  DrawIconFrame(control);
  control->SetStretch(true);
}

void TForm1::LoadStripImage(PictureBox* control, const std::string& path, int columns, int rows) {
  PictureBox::LoadResult result;
  const QImage picture = PictureBox::ReadPicture(QString::fromStdString(path), &result);
  if (result != PictureBox::LoadResult::Loaded) return;
  const Extent cell = qorvi::StripCell(picture.width(), picture.height(), columns, rows);
  control->resize(cell.width, cell.height);
  // Not stretched: the control shows the top-left cell at full size.
  control->SetStretch(false);
  control->SetTransparentBlack(true);
  control->SetPicture(picture);
  DrawOutline(control->Canvas(), cell.width, cell.height);  // around the shown cell
  control->Changed();
}

void TForm1::DrawIconFrame(PictureBox* control) {
  // Drawn into the picture itself, so a stretched icon scales its frame too.
  QImage& canvas = control->Canvas();
  DrawOutline(canvas, canvas.width(), canvas.height());
  control->Changed();
}
