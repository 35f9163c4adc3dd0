// The Positioning window: preview-only fine offsets of every element.
#pragma once

#include <QWidget>

#include "app/desktop.h"

class TForm6 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm6(qorvi::app::Desktop& desktop);

  qorvi::app::Desktop& desktop;
};
