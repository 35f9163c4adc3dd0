// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/form_scroll_area.h"

#include <QEvent>
#include <QScrollBar>

namespace qorvi::widgets {

FormScrollArea::FormScrollArea(QWidget* parent) : QScrollArea(parent) {
  setWidgetResizable(false);
  setFrameShape(QFrame::NoFrame);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void FormScrollArea::Hold(QWidget* form) {
  if (form == form_) return;
  Release();
  form_ = form;
  form_flags_ = form->windowFlags();
  const QSize size = form->size();
  setWidget(form);
  // A window's fixed size stays: the form is drawn as it was designed.
  form->resize(size);
  form->show();
  form->installEventFilter(this);
  updateGeometry();
}

QWidget* FormScrollArea::Release() {
  if (form_ == nullptr) return nullptr;
  QWidget* form = takeWidget();
  if (form == nullptr) return nullptr;
  form->removeEventFilter(this);
  form->hide();
  form->setParent(nullptr, form_flags_);
  form_ = nullptr;
  updateGeometry();
  return form;
}

QSize FormScrollArea::sizeHint() const {
  const int frame = 2 * frameWidth();
  if (form_ == nullptr) return QSize(frame, frame);
  return form_->size() + QSize(frame, frame);
}

QSize FormScrollArea::minimumSizeHint() const {
  const int bar = verticalScrollBar()->sizeHint().width();
  return QSize(4 * bar, 4 * bar).boundedTo(sizeHint() + QSize(bar, bar));
}

bool FormScrollArea::eventFilter(QObject* watched, QEvent* event) {
  const bool result = QScrollArea::eventFilter(watched, event);
  if (watched == form_ && event->type() == QEvent::Resize) updateGeometry();
  return result;
}

}  // namespace qorvi::widgets
