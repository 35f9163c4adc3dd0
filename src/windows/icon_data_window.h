// The Icon data window: icon positions, sizes, spacings and speeds as numbers.
#pragma once

#include <QWidget>

#include "app/desktop.h"

class TForm2 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm2(qorvi::app::Desktop& desktop);

  qorvi::app::Desktop& desktop;

  // Writes every edit from Layout and lays out the version-dependent controls.
  void FillIconData();
};
