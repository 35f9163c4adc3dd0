#include "windows/icon_data_window.h"

#include "windows/window_frame.h"

TForm2::TForm2(qorvi::app::Desktop& d) : desktop(d) {
  qorvi::app::SetUpSecondaryWindow(this, "Qorvi Icon Data Window", 421, 402, 584, 16);
  desktop.forms.Form2 = this;
}

void TForm2::FillIconData() {}
