#include "windows/advance_window.h"

#include "windows/window_frame.h"

TForm9::TForm9(qorvi::app::Desktop& d) : desktop(d) {
  qorvi::app::SetUpSecondaryWindow(this, "Qorvi Executable Link Window", 393, 261, 587, 462);
  desktop.forms.Form9 = this;
}

void TForm9::FillAdvanceWindow() {}
