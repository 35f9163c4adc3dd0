// The whole desktop program without its event loop: the model and the nine
// windows, created in their fixed order (main window first) and destroyed in
// reverse. main() runs one; the tests run many.
#pragma once

#include <memory>

#include "app/desktop.h"
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

class DesktopProgram {
 public:
  DesktopProgram();
  ~DesktopProgram();
  DesktopProgram(const DesktopProgram&) = delete;
  DesktopProgram& operator=(const DesktopProgram&) = delete;

  Model& model() { return *model_; }
  Desktop& desktop() { return *desktop_; }
  TForm1& main() { return *form1_; }

 private:
  std::unique_ptr<Model> model_;
  std::unique_ptr<Desktop> desktop_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TForm2> form2_;
  std::unique_ptr<TForm3> form3_;
  std::unique_ptr<TForm4> form4_;
  std::unique_ptr<TForm5> form5_;
  std::unique_ptr<TForm6> form6_;
  std::unique_ptr<TForm7> form7_;
  std::unique_ptr<TForm8> form8_;
  std::unique_ptr<TForm9> form9_;
};

}  // namespace qorvi::app
