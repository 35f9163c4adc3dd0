// SPDX-License-Identifier: GPL-3.0-or-later
// Dragging preview elements with the mouse, and moving the selected one with the
// arrow keys. A drag changes the layout values that place the element, through
// the session (one step from press to release); the session's change event then
// re-places the element, and the editor windows show the new numbers. An arrow key
// is a drag of one pixel (ten with Shift) in its direction, through the same
// table, without the axis rule; a burst of them is one step.
//
// One table describes the seven families of elements. Every position is taken in
// Panel1 coordinates: the dragged control moves under the pointer, so its own
// coordinates are no steady reference.
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <vector>

#include "app/preview_overlay.h"
#include "app/preview_panel.h"
#include "widgets/picture_box.h"

namespace qorvi::app {

using widgets::IsShiftStateSet;
using widgets::PictureBox;
using widgets::ShiftState;

namespace {

enum Family : int {
  kMainIconFamily,
  kSubIconFamily,
  kBusyFamily,
  kBatteryFamily,
  kClockFamily,
  kMainTextFamily,
  kSubTextFamily
};

// The values one step changes: each by the pointer's movement times its sign
// (layout X values follow the pointer, layout Y values grow upwards).
struct Targets {
  const LayoutField* x = nullptr;
  int x_sign = 1;
  const LayoutField* y = nullptr;
  int y_sign = -1;
};

using L = LayoutRecord;

struct FamilyRow {
  // The status line's name of the element (`index`: the main icon's category, the
  // sub icon's or sub text's position).
  const char* (*name)(int index, const PreviewState& view);
  // What moves, for the history: "Drag of the clock (...)".
  const char* (*moves)(int index, const PreviewState& view);
  bool axis_at_press;  // the axis rule runs at a press
  bool axis_at_move;   // and at every move
  bool y_only;         // only the height is taken, whatever keys are held
  bool left_only;      // a press of another button does nothing at all
  Targets (*targets)(int index, const Model& model, const PreviewState& view);
};

const FamilyRow kFamilies[] = {
    // The focused main icon moves the whole menu; an unfocused one sets the spacing
    // of the unfocused icons (growing away from the focused one) and their height.
    {[](int i, const PreviewState& v) { return i == v.CurrentCategory ? "Focused main icon" : "UnFocused main icon"; },
     [](int i, const PreviewState& v) {
       return i == v.CurrentCategory ? "the focused main icon" : "the unfocused main icons";
     },
     true, true, false, false,
     [](int i, const Model&, const PreviewState& v) {
       if (i == v.CurrentCategory) return Targets{&LayoutFieldOf(&L::MainIconX), 1, &LayoutFieldOf(&L::MainIconY), -1};
       return Targets{&LayoutFieldOf(&L::MainIconSpace2), i < v.CurrentCategory ? -1 : 1, &LayoutFieldOf(&L::UnfIconY),
                      -1};
     }},
    // Sub icons above and below the focused item: the vertical spacings. The upper
    // spacing of the other categories is fixed by the firmware. Only 5.00 has a
    // separate lower spacing for them; the others draw every category with the
    // first one's, so that is what the drag moves.
    {[](int k, const PreviewState&) { return k == 0 ? "Upper sub icon" : "Lower sub icon"; },
     [](int k, const PreviewState&) { return k == 0 ? "the upper sub icon" : "the lower sub icons"; }, false, false,
     true, true,
     [](int k, const Model& m, const PreviewState& v) {
       const bool first = v.CurrentCategory == 0;
       if (k == 0) return first ? Targets{nullptr, 1, &LayoutFieldOf(&L::SubIconUpperSpace1), -1} : Targets{};
       return Targets{nullptr, 1,
                      first || !m.Profile.SubIconSecondSpacing ? &LayoutFieldOf(&L::SubIconLowerSpace1)
                                                               : &LayoutFieldOf(&L::SubIconLowerSpace2),
                      1};
     }},
    {[](int, const PreviewState&) { return "Busy icon"; }, [](int, const PreviewState&) { return "the busy icon"; },
     true, true, false, false,
     [](int, const Model&, const PreviewState&) {
       return Targets{&LayoutFieldOf(&L::BusyX), 1, &LayoutFieldOf(&L::BusyY), -1};
     }},
    {[](int, const PreviewState&) { return "Battery icon"; },
     [](int, const PreviewState&) { return "the battery icon"; }, true, true, false, false,
     [](int, const Model&, const PreviewState&) {
       return Targets{&LayoutFieldOf(&L::BatteryX), 1, &LayoutFieldOf(&L::BatteryY), -1};
     }},
    {[](int, const PreviewState&) { return "Clock"; }, [](int, const PreviewState&) { return "the clock"; }, true, true,
     false, false,
     [](int, const Model&, const PreviewState&) {
       return Targets{&LayoutFieldOf(&L::ClockX), 1, &LayoutFieldOf(&L::ClockY), -1};
     }},
    // The main text's x follows the focused icon: only its height is dragged.
    {[](int, const PreviewState&) { return "MainMenu text"; },
     [](int, const PreviewState&) { return "the main menu text"; }, false, false, true, false,
     [](int, const Model&, const PreviewState&) {
       return Targets{nullptr, 1, &LayoutFieldOf(&L::MainMenuTextY), -1};
     }},
    // Sub texts: the offsets the focused category uses, as PlaceSubMenuTexts chooses
    // them, so the dragged text follows the pointer.
    {[](int, const PreviewState&) { return "SubMenu text"; },
     [](int, const PreviewState&) { return "the sub menu texts"; }, true, false, false, false,
     [](int, const Model&, const PreviewState& v) {
       const int c = v.CurrentCategory;
       return Targets{c == 0   ? &LayoutFieldOf(&L::SubMenuTextX2)
                      : c == 4 ? &LayoutFieldOf(&L::SubMenuTextX1Seg)
                               : &LayoutFieldOf(&L::SubMenuTextX3),
                      1, c == 2 || c == 3 ? &LayoutFieldOf(&L::SubMenuMSTextY) : &LayoutFieldOf(&L::SubMenuTextY), -1};
     }},
};

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

// The field changes of a movement by (dx, dy) pixels of Panel1 (y grows downwards).
std::vector<session::FieldNudge> NudgesOf(const Targets& t, int dx, int dy) {
  std::vector<session::FieldNudge> nudges;
  if (t.x != nullptr) nudges.push_back({t.x, t.x_sign * dx});
  if (t.y != nullptr) nudges.push_back({t.y, t.y_sign * dy});
  return nudges;
}

// "ClockX 207 (+3)": a field's value and its change since `from`.
QString ValueText(const LayoutField& field, const LayoutRecord& now, const LayoutRecord& from) {
  const auto* member = std::get_if<int32_t LayoutRecord::*>(&field.member);
  if (member == nullptr) return {};
  const int64_t value = now.*(*member);
  const int64_t delta = value - int64_t{from.*(*member)};
  const QString change = delta > 0 ? QString("+%1").arg(delta) : delta < 0 ? QString::number(delta) : QString("±0");
  return QString("%1 %2 (%3)")
      .arg(QString::fromUtf8(field.name.data(), static_cast<qsizetype>(field.name.size())))
      .arg(value)
      .arg(change);
}

// A burst of arrow keys moves one element, told apart by family and index, in one
// category (where the fields it moves, and its name, can be others).
int ElementKey(int family, int index, int category) { return (family * 8 + index) * 8 + std::clamp(category, 0, 7); }

}  // namespace

void PreviewPanel::ConnectDragHandlers() {
  using widgets::ShiftStateOf;
  auto picture = [this](PictureBox* element, int family, int index) {
    connect(element, &PictureBox::mousePressed, this, [=, this](QMouseEvent* e) {
      DragPress(family, index, element, e->button(), ShiftStateOf(*e), PointOf(e));
    });
    connect(element, &PictureBox::mouseMoved, this,
            [=, this](QMouseEvent* e) { DragMove(family, index, element, ShiftStateOf(*e), PointOf(e)); });
    connect(element, &PictureBox::mouseReleased, this,
            [=, this](QMouseEvent* e) { DragRelease(family, index, element, PointOf(e)); });
  };
  auto label = [this](QLabel* element, int family, int index) {
    element->installEventFilter(new LabelMouseFilter(
        element,
        [=, this](QMouseEvent* e) { DragPress(family, index, element, e->button(), ShiftStateOf(*e), PointOf(e)); },
        [=, this](QMouseEvent* e) { DragMove(family, index, element, ShiftStateOf(*e), PointOf(e)); },
        [=, this](QMouseEvent* e) { DragRelease(family, index, element, PointOf(e)); }));
  };
  for (int i = 0; i < kCategories; ++i) picture(main_icons_[i], kMainIconFamily, i);
  // SubIcon1, the focused item, stays centred on the screen: it has no handlers
  // (it is created disabled, without the "can drag" hint).
  for (int k : {0, 2, 3, 4, 5}) picture(sub_icons_[k], kSubIconFamily, k);
  picture(busy_icon_, kBusyFamily, 0);
  picture(battery_icon_, kBatteryFamily, 0);
  label(clock_, kClockFamily, 0);
  label(main_text_, kMainTextFamily, 0);
  for (int k = 0; k < 6; ++k) label(sub_texts_[k], kSubTextFamily, k);
}

void PreviewPanel::ApplyAxisRule(ShiftState shift) {
  // Shift keeps the drag horizontal, Ctrl vertical; Shift wins.
  drag_allow_x_ = 1;
  drag_allow_y_ = 1;
  if (IsShiftStateSet(shift, widgets::kShift)) {
    drag_allow_y_ = 0;
  } else if (IsShiftStateSet(shift, widgets::kCtrl)) {
    drag_allow_x_ = 0;
  }
}

void PreviewPanel::DragPress(int family, int index, QWidget* element, Qt::MouseButton button, ShiftState shift,
                             QPoint pos) {
  const FamilyRow& row = kFamilies[family];
  if (row.left_only && button != Qt::LeftButton) return;
  const char* name = row.name(index, view_);
  emit elementPressed(QString::fromUtf8(name));
  // The element the status line names is the one the arrow keys move.
  Select(family, index, element);
  if (row.axis_at_press) ApplyAxisRule(shift);
  if (button != Qt::LeftButton) return;
  DragState& state = drags_[static_cast<std::size_t>(family)];
  const QPoint p = element->mapTo(this, pos);
  state.lastX = p.x();
  state.lastY = p.y();
  state.active = 1;
  session_.BeginDrag(row.moves(index, view_));
  values_from_ = model_.Layout;
  values_timer_->stop();  // the label stays for the whole drag
  ShowValues(family, index, element);
}

void PreviewPanel::DragMove(int family, int index, QWidget* element, ShiftState shift, QPoint pos) {
  if (kFamilies[family].axis_at_move) ApplyAxisRule(shift);
  if (drags_[static_cast<std::size_t>(family)].active != 1) return;
  DragStep(family, index, element, pos);
}

void PreviewPanel::DragRelease(int family, int index, QWidget* element, QPoint pos) {
  // Any button ends the drag; the last step runs without the axis rule.
  DragState& state = drags_[static_cast<std::size_t>(family)];
  if (state.active == 1) {
    DragStep(family, index, element, pos);
    session_.EndDrag();
    HideValues();
  }
  state.active = 0;
  emit elementReleased();
}

void PreviewPanel::DragStep(int family, int index, QWidget* element, QPoint pos) {
  const FamilyRow& row = kFamilies[family];
  DragState& state = drags_[static_cast<std::size_t>(family)];
  QPoint p = element->mapTo(this, pos);
  if (row.y_only) {
    p.setX(state.lastX);
  } else {
    if (drag_allow_x_ == 0) p.setX(state.lastX);
    if (drag_allow_y_ == 0) p.setY(state.lastY);
  }
  const int dx = p.x() - state.lastX;
  const int dy = p.y() - state.lastY;
  state.lastX = p.x();
  state.lastY = p.y();

  const std::vector<session::FieldNudge> nudges = NudgesOf(row.targets(index, model_, view_), dx, dy);
  if (!nudges.empty()) session_.NudgeFields(nudges);
  ShowValues(family, index, element);
}

// --- The selected element and the arrow keys.

void PreviewPanel::Select(int family, int index, QWidget* element) {
  if (selected_.element != element) {
    // Another element: the burst of keys on the last one is over.
    session_.EndNudges();
    if (values_timer_->isActive()) HideValues();
  }
  selected_ = {family, index, element};
  overlay_->SetSelected(element);
}

void PreviewPanel::ClearSelection() {
  session_.EndNudges();
  HideValues();
  selected_ = {};
  overlay_->SetSelected(nullptr);
}

void PreviewPanel::keyPressEvent(QKeyEvent* event) {
  int dx = 0;
  int dy = 0;
  switch (event->key()) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    case Qt::Key_Escape:
      if (selected_.element == nullptr) break;
      ClearSelection();
      event->accept();
      return;
    default: break;
  }
  const int pixels = event->modifiers().testFlag(Qt::ShiftModifier) ? 10 : 1;
  if ((dx != 0 || dy != 0) && NudgeSelected(dx * pixels, dy * pixels)) {
    event->accept();
    return;
  }
  QFrame::keyPressEvent(event);
}

bool PreviewPanel::NudgeSelected(int dx, int dy) {
  // Only a shown element of a loaded set, and not while the mouse drags one.
  if (selected_.element == nullptr || selected_.element->isHidden() || view_.PreviewReady != 1 || Dragging()) {
    return false;
  }
  const FamilyRow& row = kFamilies[selected_.family];
  // The families that follow only the height take no sideways keys.
  if (row.y_only) dx = 0;
  const std::vector<session::FieldNudge> nudges = NudgesOf(row.targets(selected_.index, model_, view_), dx, dy);
  if (nudges.empty() || (dx == 0 && dy == 0)) return false;
  const LayoutRecord before = model_.Layout;
  const Selection s = selected_;
  if (session_.Nudge(ElementKey(s.family, s.index, view_.CurrentCategory), row.moves(s.index, view_), nudges)) {
    values_from_ = before;
  }
  ShowValues(s.family, s.index, s.element);
  // The label goes when the burst does.
  values_timer_->start(static_cast<int>(session::EditSession::kNudgeRest.count()));
  return true;
}

void PreviewPanel::ShowValues(int family, int index, QWidget* element) {
  const Targets t = kFamilies[family].targets(index, model_, view_);
  QStringList parts;
  for (const LayoutField* field : {t.x, t.y}) {
    if (field != nullptr) parts << ValueText(*field, model_.Layout, values_from_);
  }
  values_text_ = parts.join(" · ");
  overlay_->ShowValues(values_text_, element);
}

void PreviewPanel::HideValues() {
  values_timer_->stop();
  values_text_.clear();
  overlay_->HideValues();
}

QString PreviewPanel::ValuesText() const { return values_text_; }

}  // namespace qorvi::app
