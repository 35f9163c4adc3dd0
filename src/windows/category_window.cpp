#include "windows/category_window.h"

#include "windows/window_frame.h"

TForm4::TForm4(qorvi::app::Desktop& d) : desktop(d) {
  qorvi::app::SetUpSecondaryWindow(this, "Qorvi Category Window", 425, 293, 585, 439);
  desktop.forms.Form4 = this;
}

void TForm4::FillCategoryGrid() {}

void TForm4::FillCategoryRows() {}
