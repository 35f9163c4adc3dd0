#include "windows/positioning_window.h"

#include "windows/window_frame.h"

TForm6::TForm6(qorvi::app::Desktop& d) : desktop(d) {
  qorvi::app::SetUpSecondaryWindow(this, "Qorvi Positioning Window", 271, 97, 300, 460);
  desktop.forms.Form6 = this;
}
