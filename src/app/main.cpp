// qorvi: the desktop program.
#include <exception>
#include <filesystem>

#include "app/desktop_program.h"
#include "app/main_window.h"
#include "app/qorvi_application.h"

int main(int argc, char** argv) {
  qorvi::app::QorviApplication app(argc, argv);
  try {
    qorvi::app::DesktopProgram program(std::filesystem::current_path());
    program.main().show();
    return app.exec();
  } catch (const std::exception& e) {
    qorvi::app::ShowUnexpectedError(QString::fromUtf8(e.what()));
  } catch (...) {
    qorvi::app::ShowUnexpectedError("An unknown error occurred.");
  }
  return 0;
}
