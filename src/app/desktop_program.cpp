#include "app/desktop_program.h"

#include "app/main_window.h"
#include "windows/about_window.h"
#include "windows/advance_window.h"
#include "windows/category_window.h"
#include "windows/color_window.h"
#include "windows/file_window.h"
#include "windows/icon_data_window.h"
#include "windows/positioning_window.h"
#include "windows/text_data_window.h"

namespace qorvi::app {

DesktopProgram::DesktopProgram() : model_(std::make_unique<Model>()), desktop_(std::make_unique<Desktop>(*model_)) {
  form1_ = std::make_unique<TForm1>(*desktop_);
  form2_ = std::make_unique<TForm2>(*desktop_);
  form3_ = std::make_unique<TForm3>(*desktop_);
  form4_ = std::make_unique<TForm4>(*desktop_);
  form5_ = std::make_unique<TForm5>(*desktop_);
  form6_ = std::make_unique<TForm6>(*desktop_);
  form7_ = std::make_unique<TForm7>(*desktop_);
  form8_ = std::make_unique<TForm8>(*desktop_);
  form9_ = std::make_unique<TForm9>(*desktop_);
}

DesktopProgram::~DesktopProgram() {
  // The secondary windows go first: the main window's destruction ends the program
  // (it removes the icon bitmaps), and nothing may refer to it afterwards.
  form9_.reset();
  form8_.reset();
  form7_.reset();
  form6_.reset();
  form5_.reset();
  form4_.reset();
  form3_.reset();
  form2_.reset();
  desktop_->forms = Forms{};
  desktop_->forms.Form1 = form1_.get();
  form1_.reset();
}

}  // namespace qorvi::app
