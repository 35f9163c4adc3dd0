// SPDX-License-Identifier: GPL-3.0-or-later
// The preview's routines: ordinary image and label controls, sized from the icon
// bitmaps the load wrote and placed by the formulas of preview_geometry.h. Every
// routine recomputes from the stored values; nothing is cached, and the preview
// changes only when one of these routines runs.
#include <QDateTime>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "app/preview_overlay.h"
#include "app/preview_panel.h"
#include "geometry/preview_geometry.h"
#include "widgets/picture_box.h"
#include "widgets/window_frame.h"

namespace qorvi::app {

using widgets::PictureBox;

namespace {

// Gray of the frames drawn around icons and the first cell of the strips.
const QColor kFrameColor(128, 128, 128);

// What a change re-places, by the routines that do it (run once each, in this order).
enum Placement : unsigned {
  kMainIconImages = 1u << 0,   // LoadMainIconImages
  kSubIconImages = 1u << 1,    // LoadSubIconImages
  kMainIcons = 1u << 2,        // PlaceMainIcons(-1): the eight main icons only
  kMainIconsAround = 1u << 3,  // PlaceMainIcons(CurrentCategory): also the column and the texts
  kSubIcons = 1u << 4,         // PlaceSubIcons, which ends with the sub texts
  kSubTexts = 1u << 5,         // PlaceSubMenuTexts
  kMainText = 1u << 6,         // PlaceMainMenuText
  kBattery = 1u << 7,          // PlaceBatteryIcon
  kBusy = 1u << 8,             // PlaceBusyIcon
  kClock = 1u << 9,            // UpdateClock
};

// The routines a change of each layout field runs (the ones its edit in the Icon
// data or Text data window names). Fields not listed are not drawn.
struct FieldPlacement {
  const LayoutField* field;
  unsigned placement;
};
using L = LayoutRecord;
constexpr FieldPlacement kFieldPlacements[] = {
    {&LayoutFieldOf(&L::MainIconX), kMainIconsAround},
    {&LayoutFieldOf(&L::MainIconY), kMainIconsAround},
    {&LayoutFieldOf(&L::MainIconSpace1), kMainIcons},
    {&LayoutFieldOf(&L::MainIconSpace2), kMainIcons},
    {&LayoutFieldOf(&L::UnfIconY), kMainIcons},
    {&LayoutFieldOf(&L::UnfIconSize), kMainIconImages | kMainIcons},
    {&LayoutFieldOf(&L::SubIconSize), kSubIconImages | kSubIcons},
    {&LayoutFieldOf(&L::SubIconUpperSpace1), kSubIcons},
    {&LayoutFieldOf(&L::SubIconUpperSpace2), kSubIcons},
    {&LayoutFieldOf(&L::SubIconLowerSpace1), kSubIcons},
    {&LayoutFieldOf(&L::SubIconLowerSpace2), kSubIcons},
    {&LayoutFieldOf(&L::ClockX), kClock},
    {&LayoutFieldOf(&L::ClockY), kClock},
    {&LayoutFieldOf(&L::BatteryX), kBattery},
    {&LayoutFieldOf(&L::BatteryY), kBattery},
    {&LayoutFieldOf(&L::BusyX), kBusy},
    {&LayoutFieldOf(&L::BusyY), kBusy},
    {&LayoutFieldOf(&L::MainMenuTextY), kMainText},
    {&LayoutFieldOf(&L::SubMenuTextX), kSubTexts},
    {&LayoutFieldOf(&L::SubMenuTextX2), kSubTexts},
    {&LayoutFieldOf(&L::SubMenuTextX1Seg), kSubTexts},
    {&LayoutFieldOf(&L::SubMenuTextX3), kSubTexts},
    {&LayoutFieldOf(&L::SubMenuMSTextY), kSubTexts},
    {&LayoutFieldOf(&L::SubMenuUnderMSTextY), kSubTexts},
    {&LayoutFieldOf(&L::SubMenuTextY), kSubTexts},
};

unsigned PlacementOf(const LayoutField& field) {
  for (const FieldPlacement& p : kFieldPlacements) {
    if (p.field == &field) return p.placement;
  }
  return 0;
}

// The routine each preview offset runs, by offset index.
constexpr unsigned kOffsetPlacements[kRepositionItems] = {
    kMainIconsAround,
    kMainIconsAround,
    kSubIcons,
    kSubIcons,
    kMainIconsAround,
    kMainIconsAround,
    kMainIconsAround,
    kClock,
    kClock,
    kBattery,
    kBattery,
    kBusy,
    kBusy,
    kMainText,
    kMainText,
    kMainText,
    kSubTexts,
    kSubTexts,
    kSubTexts,
};

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
QString LabelText(const LabelTexts& texts, int entry) {
  if (entry < 0 || entry >= kLabelTextSlots) return {};
  const std::string_view text = TextOf(texts[static_cast<std::size_t>(entry)]);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The item list of the focused category; an empty one for a category number
// outside the table.
const CategoryList& FocusedList(const Model& model, const PreviewState& view) {
  static const CategoryList kNoItems{};
  if (view.CurrentCategory < 0 || view.CurrentCategory >= kCategories) return kNoItems;
  return model.CategoryTable[static_cast<std::size_t>(view.CurrentCategory)];
}

}  // namespace

PreviewPanel::PreviewPanel(session::EditSession& session, QWidget* parent)
    : QFrame(parent), session_(session), model_(session.model()), view_(session.view()) {
  setObjectName("Panel1");
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  resize(512, 304);
  CreateElements();

  view_.PreviewCenterX = wallpaper_->x() + 240;
  view_.PreviewCenterY = wallpaper_->y() + 136;
  // The screen area starts teal, outlined with the default black pen.
  QImage teal(480, 272, QImage::Format_ARGB32);
  teal.fill(QColor(0, 128, 128));
  {
    QPainter painter(&teal);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, teal.width() - 1, teal.height() - 1);
  }
  wallpaper_->SetPicture(teal);
  // Nothing but the wallpaper shows before a load.
  for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (child != wallpaper_) child->hide();
  }

  // Over the panel, in its parent: the frame, the marks and the value label.
  overlay_ = new PreviewOverlay(this);
  for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) overlay_->Track(child);
  values_timer_ = new QTimer(this);
  values_timer_->setSingleShot(true);
  connect(values_timer_, &QTimer::timeout, this, [this] {
    if (!Dragging()) HideValues();
  });
  // A press on an element gives the panel the keyboard, for the arrow keys.
  setFocusPolicy(Qt::StrongFocus);

  ConnectDragHandlers();
  AddContextMenuSection([this](QMenu& menu) { AddUndoActions(menu); });
  AddContextMenuSection([this](QMenu& menu) { AddViewActions(menu); });
  connect(&session_, &session::EditSession::changed, this, &PreviewPanel::OnChanged);
}

void PreviewPanel::CreateElements() {
  auto picture = [&](const char* name, int w, int h) {
    auto* p = new PictureBox(this);
    p->setObjectName(name);
    p->resize(w, h);
    return p;
  };
  auto label = [&](const char* name, int pixels, QColor color) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    // Names come from the firmware files: shown as they are, never as markup.
    l->setTextFormat(Qt::PlainText);
    l->setFont(widgets::PreviewFont(pixels));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, color);
    l->setPalette(pal);
    l->setAttribute(Qt::WA_TranslucentBackground);
    return l;
  };
  const QColor silver(192, 192, 192);
  wallpaper_ = picture("Wallpaper", 480, 272);
  wallpaper_->move(16, 16);
  battery_icon_ = picture("BatteryIcon", 44, 16);
  clock_ = label("Clock", 13, Qt::white);
  main_text_ = label("MainMenutext", 11, Qt::white);
  for (int i = 0; i < 7; ++i) main_icons_[i] = picture(qPrintable(QString("MainIcon%1").arg(i + 1)), 57, 57);
  sub_icons_[1] = picture("SubIcon1", 57, 57);
  sub_icons_[0] = picture("SubIcon0", 57, 57);
  sub_icons_[2] = picture("SubIcon2", 57, 57);
  sub_icons_[3] = picture("SubIcon3", 57, 57);
  busy_icon_ = picture("BusyIcon", 25, 25);
  sub_texts_[1] = label("SubMenuText1", 13, Qt::white);
  sub_texts_[0] = label("SubMenuText0", 13, silver);
  sub_texts_[2] = label("SubMenuText2", 13, silver);
  sub_texts_[3] = label("SubMenuText3", 13, silver);
  sub_icons_[4] = picture("SubIcon4", 57, 57);
  sub_icons_[5] = picture("SubIcon5", 57, 57);
  sub_texts_[4] = label("SubMenuText4", 13, silver);
  sub_texts_[5] = label("SubMenuText5", 13, silver);
  main_icons_[7] = picture("MainIcon8", 57, 57);

  // Everything but the wallpaper and the focused item can be dragged (drag.cpp).
  for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (child != wallpaper_ && child != sub_icons_[1]) child->setToolTip("can drag");
  }
  sub_icons_[1]->setEnabled(false);
}

// --- Following the session.

void PreviewPanel::OnChanged(const session::ChangeEvent& event) {
  using session::Origin;
  if (event.loaded) {
    RefreshAll();
    ClearSelection();
    RecheckProblems(true);
    return;
  }
  unsigned placements = 0;
  for (const LayoutField* field : event.fields) placements |= PlacementOf(*field);
  // A value put back by Ctrl+click puts the main text back in place too.
  if (event.origin == Origin::Restore) placements |= kMainText;
  // The icon colours re-place the column. The clock shows the colour the model holds
  // at once, after a change, an undo or a redo alike: waiting for its next update
  // would leave an undone colour on the screen.
  if (event.colors.AnyIcon()) placements |= kSubIcons;
  if (event.colors.clock) placements |= kClock;

  const session::ViewChanges& v = event.view;
  if (v.category) {
    ShowMainIconsByOption();
    UpdateMenuTexts();
    LoadMainIconImages();
    LoadSubIconImages();
    placements |= kMainIconsAround | kSubIcons;
  } else if (event.lists || v.item || (v.no_show_umd_icon && view_.CurrentCategory == 5)) {
    // A new focus or new item lists: the column's pictures and names.
    UpdateMenuTexts();
    LoadSubIconImages();
    placements |= kSubIcons;
  }
  if (v.language) {
    UpdateMenuTexts();
    placements |= kMainText | kSubTexts;
  }
  if (v.no_show_unfocused) ShowMainIconsByOption();
  if (v.offsets.all()) {
    placements |= kMainIconsAround | kSubIcons | kBusy | kMainText | kSubTexts | kBattery | kClock;
  } else {
    for (int i = 0; i < kRepositionItems; ++i) {
      if (v.offsets[static_cast<std::size_t>(i)]) placements |= kOffsetPlacements[i];
    }
  }
  Place(placements);

  // Colours and the compress option place nothing the check looks at.
  const bool lists = event.entries || event.lists;
  if (lists || !event.fields.empty() || v.category || v.item || v.language || v.no_show_umd_icon) {
    RecheckProblems(lists);
  }
}

void PreviewPanel::Place(unsigned p) {
  if (p & kMainIconImages) LoadMainIconImages();
  if (p & kSubIconImages) LoadSubIconImages();
  if (p & kMainIconsAround) {
    PlaceMainIcons(view_.CurrentCategory);  // with the column and both texts
    p &= ~(kSubIcons | kSubTexts | kMainText);
  } else if (p & kMainIcons) {
    PlaceMainIcons(-1);
  }
  if (p & kSubIcons) {
    PlaceSubIcons();  // with the sub texts
    p &= ~kSubTexts;
  }
  if (p & kSubTexts) PlaceSubMenuTexts();
  if (p & kMainText) PlaceMainMenuText();
  if (p & kBattery) PlaceBatteryIcon();
  if (p & kBusy) PlaceBusyIcon();
  if (p & kClock) UpdateClock();
}

void PreviewPanel::RefreshRepositionedItem(int index) {
  if (index < 0 || index >= kRepositionItems) return;
  Place(kOffsetPlacements[index]);
}

// --- The routines.

void PreviewPanel::RefreshAll() {
  // The session has started the view over (first category and item, no offsets)
  // and built the item lists. All main icons show, whatever "No Show Unforcused
  // Main Icons" says.
  for (PictureBox* icon : main_icons_) icon->show();
  for (QWidget* w :
       std::initializer_list<QWidget*>{main_text_, sub_icons_[1], sub_texts_[1], clock_, battery_icon_, busy_icon_}) {
    w->show();
  }
  LoadMainIconImages();
  LoadSubIconImages();
  UpdateMenuTexts();
  LoadStripImage(battery_icon_, kBatteryPicture, 1, 4);
  LoadStripImage(busy_icon_, kBusyPicture, 2, 30);
  PlaceMainIcons(-1);
  PlaceBatteryIcon();
  UpdateClock();
  PlaceBusyIcon();
  // The column and both texts, placed for the first category with the offsets just
  // cleared. Nothing else would place them when the new set holds the same values
  // as the old one: the column would stay where the previously focused category had
  // it, and the texts at the old offsets and font sizes.
  PlaceMainIcons(view_.CurrentCategory);
}

void PreviewPanel::ShowMainIconsByOption() {
  if (session_.options().no_show_unfocused) {
    for (PictureBox* icon : main_icons_) icon->hide();
    if (view_.CurrentCategory >= 0 && view_.CurrentCategory < kCategories) {
      main_icons_[static_cast<std::size_t>(view_.CurrentCategory)]->show();
    }
  } else {
    for (PictureBox* icon : main_icons_) icon->show();
  }
}

void PreviewPanel::LoadMainIconImages() {
  const float unfocused = CappedScale(model_.Layout.UnfIconSize);
  for (int i = 0; i < kCategories; ++i) {
    LoadScaledIcon(main_icons_[i], MainIconPicture(i), i == view_.CurrentCategory ? 1.0f : unfocused);
  }
}

void PreviewPanel::LoadSubIconImages() {
  if (view_.PreviewReady != 1) return;
  const SubColumn column = SubIconColumn(FocusedList(model_, view_), view_.CurrentItem);
  if (column.Empty()) {
    for (PictureBox* icon : sub_icons_) icon->hide();
    return;
  }
  // The focused item is drawn at the same scale as the others.
  const float scale = CappedScale(model_.Layout.SubIconSize);
  for (int k = 0; k < kSubPositions; ++k) {
    PictureBox* icon = sub_icons_[k];
    icon->setVisible(column.shown[k]);
    if (!column.shown[k]) continue;
    if (column.item[k] < 0) {
      icon->SetPicture(QImage());  // not an item number: nothing to draw
      continue;
    }
    LoadScaledIcon(icon, SubIconPicture(column.item[k]), scale);
  }
}

void PreviewPanel::UpdateMenuTexts() {
  const LabelTexts& texts = LabelTextsFor(model_, view_.Language);
  SetCaption(main_text_, LabelText(texts, CategoryLabelEntry(view_.CurrentCategory)));
  const SubColumn column = SubTextColumn(FocusedList(model_, view_), view_.CurrentCategory, view_.CurrentItem);
  for (int k = 0; k < kSubPositions; ++k) {
    QLabel* text = sub_texts_[k];
    text->setVisible(column.shown[k]);
    if (column.shown[k]) SetCaption(text, LabelText(texts, ItemLabelEntry(column.item[k])));
  }
}

void PreviewPanel::PlaceMainIcons(int focus) {
  view_.MainColumnX = MainColumnCentre(model_.Layout, view_);
  for (int i = 0; i < kCategories; ++i) {
    PictureBox* icon = main_icons_[i];
    const TopLeft p = MainIconTopLeft(model_.Layout, view_, view_.MainColumnX, i, SizeOf(icon));
    icon->move(p.left, p.top);
  }
  if (focus == view_.CurrentCategory) {
    PlaceSubIcons();
    PlaceMainMenuText();
  }
}

void PreviewPanel::PlaceSubIcons() {
  // The category scroll bar always stands at the focused category.
  const SubIconSpacing spacing = SubIconSpaces(model_.Layout, model_.Profile, view_.CurrentCategory);
  for (int k = 0; k < kSubPositions; ++k) {
    PictureBox* icon = sub_icons_[k];
    const TopLeft p = SubIconTopLeft(view_, spacing, k, SizeOf(icon));
    icon->move(p.left, p.top);
  }
  PlaceSubMenuTexts();
}

void PreviewPanel::PlaceSubMenuTexts() {
  if (view_.PreviewReady != 1) return;
  const int points = SubTextPointSize(view_);
  for (QLabel* text : sub_texts_) SetPointSize(text, points);
  // Every sub text starts at the same x, beside the focused item.
  const int left = SubTextLeft(model_.Layout, view_, sub_icons_[1]->x(), sub_icons_[1]->width());
  for (int k = 0; k < kSubPositions; ++k) {
    const PictureBox* icon = sub_icons_[k];
    sub_texts_[k]->move(left, SubTextTop(model_.Layout, view_, icon->y(), icon->height()));
  }
}

void PreviewPanel::PlaceMainMenuText() {
  // The size first, so that the centring below uses the width at the new size.
  SetPointSize(main_text_, MainTextPointSize(view_));
  const TopLeft p = MainTextTopLeft(model_.Layout, view_, main_text_->width());
  main_text_->move(p.left, p.top);
}

void PreviewPanel::PlaceBatteryIcon() {
  DrawIconFrame(battery_icon_);
  const TopLeft p = BatteryTopLeft(model_.Layout, view_, SizeOf(battery_icon_));
  battery_icon_->move(p.left, p.top);
}

void PreviewPanel::PlaceBusyIcon() {
  const TopLeft p = BusyTopLeft(model_.Layout, view_, SizeOf(busy_icon_));
  busy_icon_->move(p.left, p.top);
}

void PreviewPanel::UpdateClock() {
  const Rgb8& color = model_.Layout.ClockColor;
  QPalette palette = clock_->palette();
  palette.setColor(QPalette::WindowText, QColor(color.r, color.g, color.b));
  clock_->setPalette(palette);
  // The time of this call; nothing updates the clock on its own.
  SetCaption(clock_, QDateTime::currentDateTime().toString("M/d H:mm"));
  const TopLeft p = ClockTopLeft(model_.Layout, view_);
  clock_->move(p.left, p.top);
}

QImage PreviewPanel::ReadIcon(int picture, PictureBox::LoadResult* result) const {
  if (session_.WritesIconBitmaps()) {
    return PictureBox::ReadPicture(QString::fromStdString(IconBitmapPath(model_.paths, picture)), result);
  }
  return PictureBox::DecodePicture(model_.pictures.Get(picture), result);
}

void PreviewPanel::LoadScaledIcon(PictureBox* control, int picture_number, float scale) {
  // A missing file, or one that cannot be decoded (the user is told), leaves the
  // control as it was.
  PictureBox::LoadResult result;
  const QImage picture = ReadIcon(picture_number, &result);
  if (result != PictureBox::LoadResult::Loaded) return;
  const IconBox box = ScaledIconBox(picture.width(), picture.height(), scale);
  control->resize(box.width, box.height);
  // Black shows what lies below, except on icons too small to make out.
  control->SetTransparentBlack(!box.opaque);
  control->SetPicture(picture);
  DrawIconFrame(control);
  control->SetStretch(true);
}

void PreviewPanel::LoadStripImage(PictureBox* control, int picture_number, int columns, int rows) {
  PictureBox::LoadResult result;
  const QImage picture = ReadIcon(picture_number, &result);
  if (result != PictureBox::LoadResult::Loaded) return;
  const Extent cell = StripCell(picture.width(), picture.height(), columns, rows);
  control->resize(cell.width, cell.height);
  // Not stretched: the control shows the top-left cell at full size.
  control->SetStretch(false);
  control->SetTransparentBlack(true);
  control->SetPicture(picture);
  DrawOutline(control->Canvas(), cell.width, cell.height);  // around the shown cell
  control->Changed();
}

void PreviewPanel::DrawIconFrame(PictureBox* control) {
  // Drawn into the picture itself, so a stretched icon scales its frame too.
  QImage& canvas = control->Canvas();
  DrawOutline(canvas, canvas.width(), canvas.height());
  control->Changed();
}

bool PreviewPanel::PaintWallpaper(const QString& path) {
  PictureBox::LoadResult result;
  const QImage picture = PictureBox::ReadPicture(path, &result);
  if (result != PictureBox::LoadResult::Loaded) return false;
  QImage& canvas = wallpaper_->Canvas();
  {
    QPainter painter(&canvas);
    // The picture's pixels replace the old ones, transparent ones too: nothing of the
    // teal (or of an earlier wallpaper) shows through.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, 480, 272), picture, picture.rect());
  }
  wallpaper_->Changed();
  return true;
}

}  // namespace qorvi::app
