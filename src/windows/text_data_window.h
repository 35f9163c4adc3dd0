// The Text data window: positions and sizes of the menu texts as numbers.
#pragma once

#include <QWidget>

#include "app/desktop.h"

class TForm7 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm7(qorvi::app::Desktop& desktop);

  qorvi::app::Desktop& desktop;

  // Lays the window out for the version and writes every field into its edit.
  void FillTextDataWindow();
};
