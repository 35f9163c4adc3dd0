// SPDX-License-Identifier: GPL-3.0-or-later
// A scroll area around a window's form, for a form that is taller (or wider) than
// the room it gets: in a dock of the docked workspace, or as a window of its own
// on a screen shorter than the form.
#pragma once

#include <QPointer>
#include <QScrollArea>

namespace qorvi::widgets {

class FormScrollArea : public QScrollArea {
  Q_OBJECT
 public:
  explicit FormScrollArea(QWidget* parent = nullptr);

  // Takes `form` (a window of fixed size) in: it becomes the area's widget and
  // keeps its size; the area's size hint follows it, also when the form changes
  // its size later (a load does that to the Text data window).
  void Hold(QWidget* form);
  // Gives the form back as the (hidden) window it was, with its window flags;
  // nullptr when none is held.
  QWidget* Release();
  QWidget* Form() const { return form_; }

  // The whole form (and the area's frame): the room it asks for.
  QSize sizeHint() const override;
  // Little: the area scrolls where it gets less.
  QSize minimumSizeHint() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> form_;
  Qt::WindowFlags form_flags_;
};

}  // namespace qorvi::widgets
