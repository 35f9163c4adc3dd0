// The Advance window: per-item execute function, media, UMD flag and tags.
#pragma once

#include <QWidget>

#include "app/desktop.h"

class TForm9 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm9(qorvi::app::Desktop& desktop);

  qorvi::app::Desktop& desktop;

  // Fills the function grid and the item lists, then shows the selected item.
  void FillAdvanceWindow();
};
