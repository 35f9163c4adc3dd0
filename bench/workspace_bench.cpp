// SPDX-License-Identifier: GPL-3.0-or-later
// "Load datafile" click to editors shown, in both workspace modes, on the 5.00
// demo set: each iteration starts a fresh program (as a user's run does, so the
// windows are placed and mapped for the first time), shows the File window, and
// times the click on its Load button until every editor is shown and exposed on
// the screen. Real time is what the user waits (with a window manager, it includes
// mapping the windows); CPU time is the program's own share.
//
// `first_run`: nothing remembered (the windows are arranged, the docked window
// grows from the main form to the workspace); `next_run`: what the run before
// left (places, the docked window's size and layout). `load_only` is the load
// and refresh of a program that shows no windows, the share of the work that
// does not depend on the workspace.
//
// Runs on the display at hand ($DISPLAY), else on Qt's offscreen platform.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <cstdio>
#include <memory>
#include <string>

#include "app/desktop_program.h"
#include "app/qorvi_application.h"
#include "app/workspace.h"
#include "demo/demo_set.h"
#include "windows/category_window.h"
#include "windows/color_window.h"
#include "windows/file_window.h"
#include "windows/icon_data_window.h"
#include "windows/text_data_window.h"

namespace {

using qorvi::app::WorkspaceMode;

QTemporaryDir* g_demo = nullptr;

// Every window that holds an editor is on the screen.
bool EditorsShown(qorvi::app::DesktopProgram& program) {
  qorvi::app::Workspace& w = program.workspace();
  for (QWidget* form : std::initializer_list<QWidget*>{&program.icon_data(), &program.color(), &program.category(),
                                                       &program.text_data()}) {
    QWidget* window = w.Host(form)->window();
    if (!form->isVisible() || window->windowHandle() == nullptr || !window->windowHandle()->isExposed()) return false;
  }
  return true;
}

void LoadToEditorsShown(benchmark::State& state, WorkspaceMode mode, bool remembered) {
  QSettings().clear();
  for (auto _ : state) {
    state.PauseTiming();
    if (!remembered) QSettings().clear();
    auto program = std::make_unique<qorvi::app::DesktopProgram>(g_demo->path().toStdString());
    program->ShowMainWindow(mode);
    QWidget& main = program->workspace().MainWindow();
    if (!QTest::qWaitForWindowExposed(&main)) state.SkipWithError("the main window is not shown");
    program->workspace().Host(&program->file())->show();
    QTest::qWait(100);
    auto* load = program->file().findChild<QPushButton*>("LoadButton");
    state.ResumeTiming();

    load->click();
    while (!EditorsShown(*program)) QApplication::processEvents(QEventLoop::AllEvents, 5);
    QApplication::processEvents();

    state.PauseTiming();
    program.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

void LoadOnly(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto program = std::make_unique<qorvi::app::DesktopProgram>(g_demo->path().toStdString(), false);
    auto* load = program->file().findChild<QPushButton*>("LoadButton");
    state.ResumeTiming();
    load->click();
    QApplication::processEvents();
    state.PauseTiming();
    program.reset();
    state.ResumeTiming();
  }
}

void Settings(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10)->Repetitions(3)->ReportAggregatesOnly(true);
}

BENCHMARK_CAPTURE(LoadToEditorsShown, windows_first_run, WorkspaceMode::Windows, false)->Apply(Settings);
BENCHMARK_CAPTURE(LoadToEditorsShown, windows_next_run, WorkspaceMode::Windows, true)->Apply(Settings);
BENCHMARK_CAPTURE(LoadToEditorsShown, docked_first_run, WorkspaceMode::Docked, false)->Apply(Settings);
BENCHMARK_CAPTURE(LoadToEditorsShown, docked_next_run, WorkspaceMode::Docked, true)->Apply(Settings);
BENCHMARK(LoadOnly)->Apply(Settings);

}  // namespace

int main(int argc, char** argv) {
  if (getenv("DISPLAY") == nullptr && getenv("WAYLAND_DISPLAY") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The settings of this run only, in a folder of its own.
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  qorvi::app::QorviApplication app(argc, argv);
  QTemporaryDir demo;
  qorvi::demo::DemoOptions options;
  options.version = 500;
  std::string error;
  if (!qorvi::demo::WriteDemoSet(demo.path().toStdString(), options, &error)) {
    std::fprintf(stderr, "workspace_bench: %s\n", error.c_str());
    return 1;
  }
  g_demo = &demo;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
