// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview_overlay.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <algorithm>

#include "widgets/window_frame.h"

namespace qorvi::app {
namespace {

// A frame that stands out on the teal screen and on the icons, and the red of a problem.
const QColor kSelectionColor(255, 214, 0);
const QColor kProblemColor(230, 30, 30);

bool Shown(const QWidget* w) { return w != nullptr && !w->isHidden(); }

}  // namespace

PreviewOverlay::PreviewOverlay(QWidget* panel) : QWidget(panel->parentWidget()), panel_(panel) {
  setObjectName("PreviewOverlay");
  // Nothing of it takes the mouse or the keyboard: presses, drags and the context
  // menu go to the elements below.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  value_label_ = new QLabel(this);
  value_label_->setObjectName("ValueLabel");
  value_label_->setTextFormat(Qt::PlainText);
  value_label_->setFont(widgets::PreviewFont(11));
  value_label_->setAutoFillBackground(true);
  value_label_->setContentsMargins(3, 1, 3, 1);
  QPalette palette = value_label_->palette();
  palette.setColor(QPalette::Window, QColor(24, 24, 24));
  palette.setColor(QPalette::WindowText, Qt::white);
  value_label_->setPalette(palette);
  value_label_->hide();
  panel_->installEventFilter(this);
  FollowPanel();
}

void PreviewOverlay::Track(QWidget* element) { element->installEventFilter(this); }

void PreviewOverlay::FollowPanel() {
  if (parentWidget() != panel_->parentWidget()) setParent(panel_->parentWidget());
  setGeometry(panel_->geometry());
  setVisible(!panel_->isHidden());
  raise();
}

bool PreviewOverlay::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange:
      if (watched == panel_) {
        FollowPanel();
      } else {
        if (watched == value_element_) PlaceValueLabel();
        update();
      }
      break;
    default: break;
  }
  return QWidget::eventFilter(watched, event);
}

void PreviewOverlay::SetSelected(QWidget* element) {
  if (selected_ == element) return;
  selected_ = element;
  update();
}

void PreviewOverlay::SetMarked(std::vector<QWidget*> elements) {
  if (marked_ == elements) return;
  marked_ = std::move(elements);
  update();
}

void PreviewOverlay::ShowValues(const QString& text, const QWidget* element) {
  if (text.isEmpty() || element == nullptr) {
    HideValues();
    return;
  }
  value_element_ = element;
  value_label_->setText(text);
  value_label_->adjustSize();
  PlaceValueLabel();
  value_label_->show();
}

void PreviewOverlay::HideValues() {
  value_element_ = nullptr;
  value_label_->hide();
}

void PreviewOverlay::PlaceValueLabel() {
  if (value_element_ == nullptr) return;
  // Below the element, or above it where there is no room below; always inside.
  const QRect e = value_element_->geometry();
  const QSize s = value_label_->size();
  int y = e.bottom() + 5;
  if (y + s.height() > height()) y = e.top() - s.height() - 4;
  const int x = std::clamp(e.left(), 0, std::max(0, width() - s.width()));
  value_label_->move(x, std::clamp(y, 0, std::max(0, height() - s.height())));
}

void PreviewOverlay::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kProblemColor, 1));
  for (const QWidget* element : marked_) {
    if (!Shown(element)) continue;
    // Two rings: on the element's edge and just outside it.
    const QRect r = element->geometry();
    painter.drawRect(r.adjusted(-1, -1, 0, 0));
    painter.drawRect(r.adjusted(0, 0, -1, -1));
  }
  if (Shown(selected_)) {
    painter.setPen(QPen(kSelectionColor, 1));
    painter.drawRect(FrameRect(selected_->geometry()));
  }
}

}  // namespace qorvi::app
