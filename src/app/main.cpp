// qorvi: the desktop program; `qorvi FOLDER` starts in FOLDER and loads the set in
// it at once; `qorvi --render ...` draws the preview without a window.
#include <QFile>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/desktop_program.h"
#include "app/main_window.h"
#include "app/qorvi_application.h"
#include "app/render_mode.h"

namespace {

// The folder the command line names, after Qt has taken its own options: nothing
// for none; a usage error for an unknown option or a second folder.
bool StartFolder(const QStringList& arguments, std::optional<std::filesystem::path>& folder) {
  bool options_end = false;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    if (!options_end && arg == "--") {
      options_end = true;
      continue;
    }
    if ((!options_end && arg.startsWith('-')) || folder) {
      std::fprintf(stderr, "qorvi: unexpected argument '%s'; usage: qorvi [FOLDER] | qorvi --render OUT.png ...\n",
                   arg.toLocal8Bit().constData());
      return false;
    }
    folder = std::filesystem::path(QFile::encodeName(arg).toStdString());
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qorvi::app::IsRenderCommand(argc, argv)) return qorvi::app::RunRender(argc, argv);

  qorvi::app::QorviApplication app(argc, argv);
  std::optional<std::filesystem::path> folder;
  if (!StartFolder(QApplication::arguments(), folder)) return 2;
  try {
    // FOLDER is the working folder from the start: every path is built from it and
    // the file dialogs open there.
    std::error_code ec;
    std::filesystem::path working = std::filesystem::current_path(ec);
    if (folder) {
      working = std::filesystem::absolute(*folder, ec);
      if (ec) working = *folder;
      // A folder that cannot be entered still names the paths: the load then says
      // which file it cannot open.
      std::filesystem::current_path(working, ec);
    }
    qorvi::app::DesktopProgram program(working);
    program.main().show();
    // Once the main window is up, as if the user had pressed Load with the default paths.
    if (folder) QTimer::singleShot(0, &program.main(), [&program] { program.LoadAtStart(); });
    return app.exec();
  } catch (const std::exception& e) {
    qorvi::app::ShowUnexpectedError(QString::fromUtf8(e.what()));
  } catch (...) {
    qorvi::app::ShowUnexpectedError("An unknown error occurred.");
  }
  return 0;
}
