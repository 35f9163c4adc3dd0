// Dragging preview elements with the mouse. A drag changes the layout value that
// places the element, writes the new number into the element's edit in the Icon
// data or Text data window (whose change handler stores it again and re-places),
// and re-places the element here as well.
//
// Every position is taken in Panel1 coordinates: the dragged control moves under
// the pointer, so its own coordinates are no steady reference.
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <functional>

#include "app/main_window.h"
#include "app/picture_box.h"
#include "model/value_text.h"
#include "windows/icon_data_window.h"
#include "windows/text_data_window.h"

using qorvi::app::IsShiftStateSet;
using qorvi::app::PictureBox;
using qorvi::app::ShiftState;

namespace {

// Labels have no mouse signals of their own; this passes their presses, moves and
// releases on and keeps them from the label.
class LabelMouseFilter : public QObject {
 public:
  using Handler = std::function<void(QMouseEvent*)>;
  LabelMouseFilter(QObject* parent, Handler press, Handler move, Handler release)
      : QObject(parent), press_(std::move(press)), move_(std::move(move)), release_(std::move(release)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: press_(static_cast<QMouseEvent*>(event)); return true;
      case QEvent::MouseMove: move_(static_cast<QMouseEvent*>(event)); return true;
      case QEvent::MouseButtonRelease: release_(static_cast<QMouseEvent*>(event)); return true;
      default: return QObject::eventFilter(watched, event);
    }
  }

 private:
  Handler press_, move_, release_;
};

QPoint PointOf(const QMouseEvent* e) { return e->position().toPoint(); }

// The axis rule: Shift keeps the drag horizontal, Ctrl vertical; Shift wins.
void ApplyAxisRule(TForm1& f, ShiftState shift) {
  f.DragAllowX = 1;
  f.DragAllowY = 1;
  if (IsShiftStateSet(shift, qorvi::app::kShift)) {
    f.DragAllowY = 0;
  } else if (IsShiftStateSet(shift, qorvi::app::kCtrl)) {
    f.DragAllowX = 0;
  }
}

void SetStatus(TForm1& f, const char* text) {
  f.FocusedLabel->setText(text);
  f.FocusedLabel->show();
}

// Remembers the pointer as the start of a drag.
void BeginDrag(TForm1& f, DragState& state, QWidget* control, QPoint pos) {
  const QPoint p = control->mapTo(f.Panel1, pos);
  state.lastX = p.x();
  state.lastY = p.y();
  state.active = 1;
}

struct Delta {
  int32_t dx = 0;
  int32_t dy = 0;
};

// One step of a drag on both axes, restricted by the axis flags.
Delta StepXY(TForm1& f, DragState& state, QWidget* control, QPoint pos) {
  QPoint p = control->mapTo(f.Panel1, pos);
  if (f.DragAllowX == 0) p.setX(state.lastX);
  if (f.DragAllowY == 0) p.setY(state.lastY);
  const Delta d{p.x() - state.lastX, p.y() - state.lastY};
  state.lastX = p.x();
  state.lastY = p.y();
  return d;
}

// One step of a vertical-only drag: the modifier keys do not matter.
int32_t StepY(TForm1& f, DragState& state, QWidget* control, QPoint pos) {
  const int32_t y = control->mapTo(f.Panel1, pos).y();
  const int32_t dy = y - state.lastY;
  state.lastY = y;
  return dy;
}

// Writes a value into an edit as its change handler reads it. Writing a
// different text runs that handler, which stores the same value and re-places.
void WriteEdit(QLineEdit* edit, int32_t value) {
  if (edit != nullptr) edit->setText(QString::fromStdString(qorvi::FormatInteger(value)));
}

}  // namespace

void TForm1::ConnectDragHandlers() {
  using qorvi::app::ShiftStateOf;
  for (int i = 0; i < 8; ++i) {
    PictureBox* icon = MainIcons[i];
    connect(icon, &PictureBox::mousePressed, this,
            [this, i](QMouseEvent* e) { MainIconMouseDown(i, e->button(), ShiftStateOf(*e), PointOf(e)); });
    connect(icon, &PictureBox::mouseMoved, this,
            [this, i](QMouseEvent* e) { MainIconMouseMove(i, ShiftStateOf(*e), PointOf(e)); });
    connect(icon, &PictureBox::mouseReleased, this,
            [this, i](QMouseEvent* e) { MainIconMouseUp(i, e->button(), ShiftStateOf(*e), PointOf(e)); });
  }
  for (int k : {0, 2, 3, 4, 5}) {
    PictureBox* icon = SubIcons[k];
    connect(icon, &PictureBox::mousePressed, this,
            [this, k](QMouseEvent* e) { SubIconMouseDown(k, e->button(), ShiftStateOf(*e), PointOf(e)); });
    connect(icon, &PictureBox::mouseMoved, this,
            [this, k](QMouseEvent* e) { SubIconMouseMove(k, ShiftStateOf(*e), PointOf(e)); });
    connect(icon, &PictureBox::mouseReleased, this,
            [this, k](QMouseEvent* e) { SubIconMouseUp(k, e->button(), ShiftStateOf(*e), PointOf(e)); });
  }
  connect(BusyIcon, &PictureBox::mousePressed, this,
          [this](QMouseEvent* e) { BusyIconMouseDown(e->button(), ShiftStateOf(*e), PointOf(e)); });
  connect(BusyIcon, &PictureBox::mouseMoved, this,
          [this](QMouseEvent* e) { BusyIconMouseMove(ShiftStateOf(*e), PointOf(e)); });
  connect(BusyIcon, &PictureBox::mouseReleased, this,
          [this](QMouseEvent* e) { BusyIconMouseUp(e->button(), ShiftStateOf(*e), PointOf(e)); });
  connect(BatteryIcon, &PictureBox::mousePressed, this,
          [this](QMouseEvent* e) { BatteryIconMouseDown(e->button(), ShiftStateOf(*e), PointOf(e)); });
  connect(BatteryIcon, &PictureBox::mouseMoved, this,
          [this](QMouseEvent* e) { BatteryIconMouseMove(ShiftStateOf(*e), PointOf(e)); });
  connect(BatteryIcon, &PictureBox::mouseReleased, this,
          [this](QMouseEvent* e) { BatteryIconMouseUp(e->button(), ShiftStateOf(*e), PointOf(e)); });

  Clock->installEventFilter(new LabelMouseFilter(
      Clock, [this](QMouseEvent* e) { ClockMouseDown(e->button(), ShiftStateOf(*e), PointOf(e)); },
      [this](QMouseEvent* e) { ClockMouseMove(ShiftStateOf(*e), PointOf(e)); },
      [this](QMouseEvent* e) { ClockMouseUp(e->button(), ShiftStateOf(*e), PointOf(e)); }));
  MainMenutext->installEventFilter(new LabelMouseFilter(
      MainMenutext, [this](QMouseEvent* e) { MainMenutextMouseDown(e->button(), ShiftStateOf(*e), PointOf(e)); },
      [this](QMouseEvent* e) { MainMenutextMouseMove(ShiftStateOf(*e), PointOf(e)); },
      [this](QMouseEvent* e) { MainMenutextMouseUp(e->button(), ShiftStateOf(*e), PointOf(e)); }));
  for (int k = 0; k < 6; ++k) {
    QLabel* text = SubMenuTexts[k];
    text->installEventFilter(new LabelMouseFilter(
        text, [this, k](QMouseEvent* e) { SubMenuTextMouseDown(k, e->button(), ShiftStateOf(*e), PointOf(e)); },
        [this, k](QMouseEvent* e) { SubMenuTextMouseMove(k, ShiftStateOf(*e), PointOf(e)); },
        [this, k](QMouseEvent* e) { SubMenuTextMouseUp(k, e->button(), ShiftStateOf(*e), PointOf(e)); }));
  }
  // SubIcon1, the focused item, stays centred on the screen: it has no handlers
  // (the preview creates it disabled, without the "can drag" hint).
}

// --- Main icons: the focused one moves the whole menu, an unfocused one sets the
// spacing of the unfocused icons and their height.

void TForm1::MainIconMouseDown(int index, Qt::MouseButton button, ShiftState shift, QPoint pos) {
  SetStatus(*this, index == view.CurrentCategory ? "Focused main icon" : "UnFocused main icon");
  ApplyAxisRule(*this, shift);
  if (button != Qt::LeftButton || index < 0 || index >= 8) return;
  BeginDrag(*this, MainIconDrag, MainIcons[index], pos);
}

namespace {

void MainIconStep(TForm1& f, int index, QPoint pos) {
  if (index < 0 || index >= 8) return;
  const Delta d = StepXY(f, f.MainIconDrag, f.MainIcons[index], pos);
  qorvi::LayoutRecord& L = f.model.Layout;
  TForm2* icons = f.desktop.forms.Form2;
  const int32_t current = f.view.CurrentCategory;
  if (index == current) {
    L.MainIconX += d.dx;
    L.MainIconY -= d.dy;
    if (icons != nullptr) {
      WriteEdit(icons->MainIconXEdit, L.MainIconX);
      WriteEdit(icons->MainIconYEdit, L.MainIconY);
    }
  } else {
    // Left of the focused icon the spacing grows to the left, right of it to the right.
    L.MainIconSpace2 += index < current ? -d.dx : d.dx;
    L.UnfIconY -= d.dy;
    if (icons != nullptr) {
      WriteEdit(icons->MainIconSpace2Edit, L.MainIconSpace2);
      WriteEdit(icons->UnfIconYEdit, L.UnfIconY);
    }
  }
  f.PlaceMainIcons(index);
}

}  // namespace

void TForm1::MainIconMouseMove(int index, ShiftState shift, QPoint pos) {
  ApplyAxisRule(*this, shift);
  if (MainIconDrag.active != 1) return;
  MainIconStep(*this, index, pos);
}

void TForm1::MainIconMouseUp(int index, Qt::MouseButton, ShiftState, QPoint pos) {
  if (MainIconDrag.active == 1) MainIconStep(*this, index, pos);
  MainIconDrag.active = 0;
  ShowVersion();
}

// --- Sub icons above and below the focused item: vertical spacings only.

void TForm1::SubIconMouseDown(int k, Qt::MouseButton button, ShiftState, QPoint pos) {
  if (button != Qt::LeftButton || k < 0 || k >= 6) return;
  SetStatus(*this, k == 0 ? "Upper sub icon" : "Lower sub icon");
  BeginDrag(*this, SubIconDrag, SubIcons[k], pos);
}

namespace {

void SubIconStep(TForm1& f, int k, QPoint pos) {
  if (k < 0 || k >= 6) return;
  const int32_t dy = StepY(f, f.SubIconDrag, f.SubIcons[k], pos);
  qorvi::LayoutRecord& L = f.model.Layout;
  TForm2* icons = f.desktop.forms.Form2;
  const bool first_category = f.XMB_HScroll->value() == 0;
  if (k == 0) {
    // The upper spacing of the other categories is fixed by the firmware.
    if (!first_category) return;
    L.SubIconUpperSpace1 -= dy;
    if (icons != nullptr) WriteEdit(icons->SubIconUpperSpace1Edit, L.SubIconUpperSpace1);
  } else if (first_category || f.model.FirmwareVersion != 500) {
    // Only 5.00 has a separate lower spacing for the other categories; the others
    // place every category with the first one's, so that is what the drag moves.
    L.SubIconLowerSpace1 += dy;
    if (icons != nullptr) WriteEdit(icons->SubIconLowerSpace1Edit, L.SubIconLowerSpace1);
  } else {
    L.SubIconLowerSpace2 += dy;
    if (icons != nullptr) WriteEdit(icons->SubIconLowerSpace2Edit, L.SubIconLowerSpace2);
  }
  f.PlaceSubIcons();
}

}  // namespace

void TForm1::SubIconMouseMove(int k, ShiftState, QPoint pos) {
  if (SubIconDrag.active != 1) return;
  SubIconStep(*this, k, pos);
}

void TForm1::SubIconMouseUp(int k, Qt::MouseButton, ShiftState, QPoint pos) {
  if (SubIconDrag.active == 1) SubIconStep(*this, k, pos);
  SubIconDrag.active = 0;
  ShowVersion();
}

// --- Busy icon, battery icon and clock: X follows the pointer, Y grows upwards.

void TForm1::BusyIconMouseDown(Qt::MouseButton button, ShiftState shift, QPoint pos) {
  SetStatus(*this, "Busy icon");
  ApplyAxisRule(*this, shift);
  if (button != Qt::LeftButton) return;
  BeginDrag(*this, BusyDrag, BusyIcon, pos);
}

namespace {

void BusyStep(TForm1& f, QPoint pos) {
  const Delta d = StepXY(f, f.BusyDrag, f.BusyIcon, pos);
  qorvi::LayoutRecord& L = f.model.Layout;
  L.BusyX += d.dx;
  L.BusyY -= d.dy;
  if (TForm2* icons = f.desktop.forms.Form2) {
    WriteEdit(icons->BusyXEdit, L.BusyX);
    WriteEdit(icons->BusyYEdit, L.BusyY);
  }
  f.PlaceBusyIcon();
}

void BatteryStep(TForm1& f, QPoint pos) {
  const Delta d = StepXY(f, f.BatteryDrag, f.BatteryIcon, pos);
  qorvi::LayoutRecord& L = f.model.Layout;
  L.BatteryX += d.dx;
  L.BatteryY -= d.dy;
  if (TForm2* icons = f.desktop.forms.Form2) {
    WriteEdit(icons->BatteryXEdit, L.BatteryX);
    WriteEdit(icons->BatteryYEdit, L.BatteryY);
  }
  f.PlaceBatteryIcon();
}

void ClockStep(TForm1& f, QPoint pos) {
  const Delta d = StepXY(f, f.ClockDrag, f.Clock, pos);
  qorvi::LayoutRecord& L = f.model.Layout;
  L.ClockX += d.dx;
  L.ClockY -= d.dy;
  if (TForm2* icons = f.desktop.forms.Form2) {
    WriteEdit(icons->ClockXEdit, L.ClockX);
    WriteEdit(icons->ClockYEdit, L.ClockY);
  }
  f.UpdateClock();
}

}  // namespace

void TForm1::BusyIconMouseMove(ShiftState shift, QPoint pos) {
  ApplyAxisRule(*this, shift);
  if (BusyDrag.active == 1) BusyStep(*this, pos);
}

void TForm1::BusyIconMouseUp(Qt::MouseButton, ShiftState, QPoint pos) {
  if (BusyDrag.active == 1) BusyStep(*this, pos);
  BusyDrag.active = 0;
  ShowVersion();
}

void TForm1::BatteryIconMouseDown(Qt::MouseButton button, ShiftState shift, QPoint pos) {
  SetStatus(*this, "Battery icon");
  ApplyAxisRule(*this, shift);
  if (button != Qt::LeftButton) return;
  BeginDrag(*this, BatteryDrag, BatteryIcon, pos);
}

void TForm1::BatteryIconMouseMove(ShiftState shift, QPoint pos) {
  ApplyAxisRule(*this, shift);
  if (BatteryDrag.active == 1) BatteryStep(*this, pos);
}

void TForm1::BatteryIconMouseUp(Qt::MouseButton, ShiftState, QPoint pos) {
  if (BatteryDrag.active == 1) BatteryStep(*this, pos);
  BatteryDrag.active = 0;
  ShowVersion();
}

void TForm1::ClockMouseDown(Qt::MouseButton button, ShiftState shift, QPoint pos) {
  SetStatus(*this, "Clock");
  ApplyAxisRule(*this, shift);
  if (button != Qt::LeftButton) return;
  BeginDrag(*this, ClockDrag, Clock, pos);
}

void TForm1::ClockMouseMove(ShiftState shift, QPoint pos) {
  ApplyAxisRule(*this, shift);
  if (ClockDrag.active == 1) ClockStep(*this, pos);
}

void TForm1::ClockMouseUp(Qt::MouseButton, ShiftState, QPoint pos) {
  if (ClockDrag.active == 1) ClockStep(*this, pos);
  ClockDrag.active = 0;
  ShowVersion();
}

// --- Main menu text: its height only (its x follows the focused icon).

void TForm1::MainMenutextMouseDown(Qt::MouseButton button, ShiftState, QPoint pos) {
  SetStatus(*this, "MainMenu text");
  if (button != Qt::LeftButton) return;
  BeginDrag(*this, MainTextDrag, MainMenutext, pos);
}

namespace {

void MainTextStep(TForm1& f, QPoint pos) {
  const int32_t dy = StepY(f, f.MainTextDrag, f.MainMenutext, pos);
  qorvi::LayoutRecord& L = f.model.Layout;
  L.MainMenuTextY -= dy;
  if (TForm7* texts = f.desktop.forms.Form7) WriteEdit(texts->MainMenuTextYEdit, L.MainMenuTextY);
  f.PlaceMainMenuText();
}

}  // namespace

void TForm1::MainMenutextMouseMove(ShiftState, QPoint pos) {
  if (MainTextDrag.active == 1) MainTextStep(*this, pos);
}

void TForm1::MainMenutextMouseUp(Qt::MouseButton, ShiftState, QPoint pos) {
  if (MainTextDrag.active == 1) MainTextStep(*this, pos);
  MainTextDrag.active = 0;
  ShowVersion();
}

// --- Sub menu texts: the offsets the focused category uses, as PlaceSubMenuTexts
// chooses them, so the dragged text follows the pointer.

void TForm1::SubMenuTextMouseDown(int k, Qt::MouseButton button, ShiftState shift, QPoint pos) {
  SetStatus(*this, "SubMenu text");
  ApplyAxisRule(*this, shift);
  if (button != Qt::LeftButton || k < 0 || k >= 6) return;
  BeginDrag(*this, SubTextDrag, SubMenuTexts[k], pos);
}

namespace {

void SubTextStep(TForm1& f, int k, QPoint pos) {
  if (k < 0 || k >= 6) return;
  const Delta d = StepXY(f, f.SubTextDrag, f.SubMenuTexts[k], pos);
  qorvi::LayoutRecord& L = f.model.Layout;
  TForm7* texts = f.desktop.forms.Form7;
  const int32_t category = f.view.CurrentCategory;
  int32_t* x = &L.SubMenuTextX3;
  QLineEdit* x_edit = texts != nullptr ? texts->SubMenuTextX3Edit : nullptr;
  if (category == 0) {
    x = &L.SubMenuTextX2;
    x_edit = texts != nullptr ? texts->SubMenuTextX2Edit : nullptr;
  } else if (category == 4) {
    x = &L.SubMenuTextX1Seg;
    x_edit = texts != nullptr ? texts->SubMenuTextX1SegEdit : nullptr;
  }
  int32_t* y = &L.SubMenuTextY;
  QLineEdit* y_edit = texts != nullptr ? texts->SubMenuTextYEdit : nullptr;
  if (category == 2 || category == 3) {
    y = &L.SubMenuMSTextY;
    y_edit = texts != nullptr ? texts->SubMenuMSTextYEdit : nullptr;
  }
  *x += d.dx;
  *y -= d.dy;
  WriteEdit(x_edit, *x);
  WriteEdit(y_edit, *y);
  f.PlaceSubMenuTexts();
}

}  // namespace

void TForm1::SubMenuTextMouseMove(int k, ShiftState, QPoint pos) {
  if (SubTextDrag.active == 1) SubTextStep(*this, k, pos);
}

void TForm1::SubMenuTextMouseUp(int k, Qt::MouseButton, ShiftState, QPoint pos) {
  if (SubTextDrag.active == 1) SubTextStep(*this, k, pos);
  SubTextDrag.active = 0;
  ShowVersion();
}
