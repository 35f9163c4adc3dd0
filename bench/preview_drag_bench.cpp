// SPDX-License-Identifier: GPL-3.0-or-later
// What one mouse move of a drag costs in the desktop program, with the windows of
// a loaded 5.00 demo set: the session's step, the preview's placement, the editors'
// edits, and the check of the preview's position for the problem marks.
//   BM_DragStep/0   the marks off
//   BM_DragStep/1   the marks on (the default)
//   BM_CheckOnePosition   the check of one position alone, as the marks run it
// Run offscreen (it picks Qt's offscreen platform when none is named).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "app/desktop_program.h"
#include "app/main_window.h"
#include "app/preview_panel.h"
#include "demo/demo_set.h"
#include "firmware/layout_check_input.h"

namespace {

using namespace qorvi;

// A working folder with a 5.00 demo set and the program loaded from it.
struct Loaded {
  std::string dir;
  std::unique_ptr<app::DesktopProgram> program;

  Loaded() {
    dir = (std::filesystem::temp_directory_path() / "qorvi-bench-XXXXXX").string();
    demo::DemoOptions options;
    options.version = 500;
    std::string error;
    if (mkdtemp(dir.data()) == nullptr || !demo::WriteDemoSet(dir, options, &error)) std::abort();
    program = std::make_unique<app::DesktopProgram>(dir);
    if (program->session().Load().has_value()) std::abort();
  }
  ~Loaded() {
    program.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

void BM_DragStep(benchmark::State& state) {
  Loaded loaded;
  session::EditSession& session = loaded.program->session();
  loaded.program->main().Preview().SetMarksProblems(state.range(0) != 0);
  // The focused main icon: the move that places the most (icons, column, texts).
  const session::FieldNudge right[] = {{&LayoutFieldOf(&LayoutRecord::MainIconX), 1}};
  const session::FieldNudge left[] = {{&LayoutFieldOf(&LayoutRecord::MainIconX), -1}};
  session.BeginDrag("the focused main icon");
  int step = 0;
  for (auto _ : state) {
    // 100 pixels right and back, over and over.
    session.NudgeFields((step++ / 100) % 2 == 0 ? right : left);
  }
  session.EndDrag();
}
BENCHMARK(BM_DragStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_CheckOnePosition(benchmark::State& state) {
  Loaded loaded;
  const LayoutCheckInput input = GatherLayoutCheckInput(loaded.program->model());
  for (auto _ : state) benchmark::DoNotOptimize(CheckLayoutView(input, {.category = 2, .item = 1}));
}
BENCHMARK(BM_CheckOnePosition)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
