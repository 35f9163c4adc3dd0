// The Color window: the two colour tables and the battery, clock and busy colours.
#pragma once

#include <QWidget>

#include "app/desktop.h"

class TForm3 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm3(qorvi::app::Desktop& desktop);

  qorvi::app::Desktop& desktop;

  // Rebuilds the swatch colours from Layout and repaints.
  void RefreshColorWindow();
};
