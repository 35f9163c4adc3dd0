// SPDX-License-Identifier: GPL-3.0-or-later
// What the preview draws for the user over the menu's picture: a thin frame
// around the selected element (the one the arrow keys move), a red outline around
// every element with a problem, and a small label of the values being changed by
// a drag or by the arrow keys.
//
// The overlay lies over Panel1 as its sibling, not as its child: Panel1's picture
// and its list of elements, which `qorvi --render` and "Save preview as PNG..."
// write, never hold any of it. It follows Panel1's place and the elements' moves
// on its own, and lets every mouse event through to what lies below.
#pragma once

#include <QWidget>
#include <vector>

class QLabel;

namespace qorvi::app {

class PreviewOverlay : public QWidget {
 public:
  // Over `panel`, in the panel's parent (there must be one).
  explicit PreviewOverlay(QWidget* panel);

  // Redraws whenever `element` (a child of the panel) moves, resizes, shows or hides.
  void Track(QWidget* element);

  // The selected element; nullptr for none. Framed while it is shown.
  void SetSelected(QWidget* element);
  QWidget* Selected() const { return selected_; }
  // The elements outlined in red (while they are shown).
  void SetMarked(std::vector<QWidget*> elements);
  const std::vector<QWidget*>& Marked() const { return marked_; }

  // Shows `text` in the value label beside `element`; hides it for an empty text.
  void ShowValues(const QString& text, const QWidget* element);
  void HideValues();
  const QLabel* ValueLabel() const { return value_label_; }

  // Where the frame of an element of `rect` (panel coordinates) is drawn.
  static QRect FrameRect(const QRect& rect) { return rect.adjusted(-3, -3, 2, 2); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FollowPanel();
  void PlaceValueLabel();

  QWidget* panel_;
  QWidget* selected_ = nullptr;
  std::vector<QWidget*> marked_;
  QLabel* value_label_;
  const QWidget* value_element_ = nullptr;
};

}  // namespace qorvi::app
