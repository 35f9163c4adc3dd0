// The Category window: order, category, region and visibility of the menu entries.
#pragma once

#include <QWidget>

#include "app/desktop.h"

class TForm4 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm4(qorvi::app::Desktop& desktop);

  qorvi::app::Desktop& desktop;

  // Row count, headers and rows.
  void FillCategoryGrid();
  // The rows alone (the language buttons call this).
  void FillCategoryRows();
};
