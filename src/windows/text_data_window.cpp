#include "windows/text_data_window.h"

#include "windows/window_frame.h"

TForm7::TForm7(qorvi::app::Desktop& d) : desktop(d) {
  qorvi::app::SetUpSecondaryWindow(this, "Qorvi Text Data Window", 410, 480, 584, 439);
  desktop.forms.Form7 = this;
}

void TForm7::FillTextDataWindow() {}
