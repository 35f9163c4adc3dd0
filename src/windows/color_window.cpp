#include "windows/color_window.h"

#include "windows/window_frame.h"

TForm3::TForm3(qorvi::app::Desktop& d) : desktop(d) {
  qorvi::app::SetUpSecondaryWindow(this, "Qorvi Color Window", 547, 294, 584, 120);
  desktop.forms.Form3 = this;
}

void TForm3::RefreshColorWindow() {}
