// SPDX-License-Identifier: GPL-3.0-or-later
// The preview of the system menu: Panel1 of the main window with its wallpaper,
// eight main icons, six sub icons, the texts, the clock, the battery and busy
// icons, placed by the formulas of geometry/preview_geometry.h.
//
// The preview follows the editing session alone: every change the session reports
// runs the placement routines of what it names (one table maps each layout field to
// its routines, one each preview offset), and a drag here is a change made through
// the session. It needs no other window and draws the same whether or not its main
// window is shown, so it can render a layout on its own.
//
// For the user only, never in its picture (preview_overlay.h): the element last
// pressed is selected and framed, and the arrow keys move it as a drag would; a
// label shows the values a drag or the arrow keys change; elements that the layout
// check finds wrong where the preview stands are outlined in red.
//
// Files: preview.cpp (the routines and the tables), drag.cpp (dragging elements
// with the mouse and the arrow keys), preview_problems.cpp (the problems at the
// current position), preview_menu.cpp (the context menu).
#pragma once

#include <QFrame>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "geometry/layout_check.h"
#include "geometry/preview_state.h"
#include "model/model.h"
#include "session/edit_session.h"
#include "widgets/picture_box.h"
#include "widgets/shift_state.h"

class QLabel;
class QMenu;
class QTimer;

namespace qorvi::widgets {
class PictureBox;
}

namespace qorvi::app {

class PreviewOverlay;

class PreviewPanel : public QFrame {
  Q_OBJECT
 public:
  PreviewPanel(session::EditSession& session, QWidget* parent);

  // --- The preview routines, the one way to redraw the preview.
  // After a load: shows the elements, loads every picture and places everything.
  void RefreshAll();
  void LoadMainIconImages();
  void LoadSubIconImages();
  void UpdateMenuTexts();
  // Places the eight main icons around the focused category; when `focus` is the
  // focused category, also the sub icons, the sub texts and the main text.
  void PlaceMainIcons(int focus);
  void PlaceSubIcons();
  void PlaceSubMenuTexts();
  void PlaceMainMenuText();
  void PlaceBatteryIcon();
  void PlaceBusyIcon();
  void UpdateClock();
  // `picture` numbers an icon picture (model/icon_pictures.h): the desktop program
  // reads its bitmap file at every call (a file changed on disk shows), a preview
  // that writes none (qorvi --render) decodes it from the model.
  void LoadScaledIcon(widgets::PictureBox* control, int picture, float scale);
  void LoadStripImage(widgets::PictureBox* control, int picture, int columns, int rows);
  void DrawIconFrame(widgets::PictureBox* control);
  // Re-places the element of one preview offset (0..18); other indexes do nothing.
  void RefreshRepositionedItem(int index);
  // Only the focused main icon when "No Show Unforcused Main Icons" is on, else all eight.
  void ShowMainIconsByOption();
  // Paints a picture file scaled over the whole screen area, replacing what was
  // there; false when the file cannot be opened or decoded (nothing changes then).
  bool PaintWallpaper(const QString& path);

  // --- The context menu (right button or the menu key, outside a drag): its
  // sections in order, each adding its actions; the first one holds Undo and Redo.
  void AddContextMenuSection(std::function<void(QMenu&)> section);
  void ShowContextMenu(const QPoint& global_pos);
  bool Dragging() const;

  // --- The selected element: the one last pressed (nullptr: none; a load clears
  // it, and so does Escape). The arrow keys move it by one pixel, with Shift by
  // ten, as a drag of that many pixels would, whatever the axis rule says.
  QWidget* SelectedElement() const { return selected_.element; }
  void ClearSelection();
  // The value label's text while a drag or a burst of arrow keys goes on
  // ("ClockX 207 (+3) · ClockY 109 (-10)", against the values at its start), else empty.
  QString ValuesText() const;

  // --- Problems: what the layout check finds wrong at the preview's position
  // (focus, "No Show UMD Icon", language), outlined in red; off when the marks are off.
  void SetMarksProblems(bool on);
  bool MarksProblems() const { return marks_problems_; }
  const std::vector<LayoutFinding>& Problems() const { return problems_; }
  // The elements outlined, in the order of the problems.
  std::vector<QWidget*> MarkedElements() const;
  PreviewOverlay& Overlay() { return *overlay_; }

 signals:
  // A press on an element names it (the status line shows the name while the
  // button is down); the release ends that.
  void elementPressed(const QString& name);
  void elementReleased();
  // The problems changed (Problems()).
  void problemsChanged();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Drag state of one family of elements.
  struct DragState {
    uint8_t active = 0;
    int32_t lastX = 0;
    int32_t lastY = 0;
  };

  void CreateElements();
  // Icon picture `picture` from its bitmap file or from the model (see LoadScaledIcon).
  QImage ReadIcon(int picture, widgets::PictureBox::LoadResult* result) const;
  // The first section of the context menu: "Undo <what>" and "Redo <what>".
  void AddUndoActions(QMenu& menu);
  // The preview's own options: "Mark problems".
  void AddViewActions(QMenu& menu);
  void OnChanged(const session::ChangeEvent& event);
  // Runs the routines of a set of placements once each, in drawing order.
  void Place(unsigned placements);
  // drag.cpp
  void ConnectDragHandlers();
  void DragPress(int family, int index, QWidget* element, Qt::MouseButton button, widgets::ShiftState shift,
                 QPoint pos);
  void DragMove(int family, int index, QWidget* element, widgets::ShiftState shift, QPoint pos);
  void DragRelease(int family, int index, QWidget* element, QPoint pos);
  void DragStep(int family, int index, QWidget* element, QPoint pos);
  void ApplyAxisRule(widgets::ShiftState shift);
  void Select(int family, int index, QWidget* element);
  // Moves the selected element as a drag by (dx, dy) pixels would; true when it did.
  bool NudgeSelected(int dx, int dy);
  // The value label for the element of a family, against values_from_.
  void ShowValues(int family, int index, QWidget* element);
  void HideValues();
  // preview_problems.cpp: checks the position again; `gather` when the item lists
  // (or everything, after a load) changed, else only the layout values are taken anew.
  void RecheckProblems(bool gather);

  session::EditSession& session_;
  Model& model_;
  PreviewState& view_;

  // Elements in drawing order (their object names are the preview's names:
  // Wallpaper, BatteryIcon, Clock, MainMenutext, MainIcon1..8, SubIcon0..5, BusyIcon,
  // SubMenuText0..5).
  widgets::PictureBox* wallpaper_ = nullptr;
  widgets::PictureBox* battery_icon_ = nullptr;
  QLabel* clock_ = nullptr;
  QLabel* main_text_ = nullptr;
  widgets::PictureBox* busy_icon_ = nullptr;
  // main_icons_[i] shows category i; sub_icons_[k] is SubIcon<k>, sub_texts_[k] SubMenuText<k>.
  std::array<widgets::PictureBox*, 8> main_icons_{};
  std::array<widgets::PictureBox*, 6> sub_icons_{};
  std::array<QLabel*, 6> sub_texts_{};

  std::array<DragState, 7> drags_{};  // by drag family
  uint8_t drag_allow_x_ = 1;
  uint8_t drag_allow_y_ = 1;

  struct Selection {
    int family = -1;
    int index = 0;
    QWidget* element = nullptr;
  };
  Selection selected_;
  // The values when the drag or the burst of arrow keys began; what the label
  // shows next to them.
  LayoutRecord values_from_;
  QString values_text_;
  QTimer* values_timer_ = nullptr;  // hides the label after a burst of keys
  PreviewOverlay* overlay_ = nullptr;

  bool marks_problems_ = true;
  std::unique_ptr<LayoutCheckInput> check_input_;
  std::vector<LayoutFinding> problems_;

  std::vector<std::function<void(QMenu&)>> menu_sections_;
};

}  // namespace qorvi::app
