// Everything the desktop program's windows share: the model, the preview's view
// state and the nine windows. One instance, owned by DesktopProgram, handed to
// every window.
#pragma once

#include "geometry/preview_state.h"
#include "model/model.h"

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;

namespace qorvi::app {

struct Forms {
  TForm1* Form1 = nullptr;  // main window
  TForm2* Form2 = nullptr;  // Icon data
  TForm3* Form3 = nullptr;  // Color
  TForm4* Form4 = nullptr;  // Category
  TForm5* Form5 = nullptr;  // File
  TForm6* Form6 = nullptr;  // Positioning
  TForm7* Form7 = nullptr;  // Text data
  TForm8* Form8 = nullptr;  // About (a fresh one per click)
  TForm9* Form9 = nullptr;  // Advance
};

struct Desktop {
  explicit Desktop(Model& m) : model(m) {}
  Model& model;
  PreviewState view;
  Forms forms;
};

}  // namespace qorvi::app
