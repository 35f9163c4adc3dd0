// SPDX-License-Identifier: GPL-3.0-or-later
// A running desktop program for one test: a fresh working directory (the program
// builds its paths from it at start-up), optionally holding a demo firmware set,
// and the nine windows.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/desktop_program.h"
#include "app/main_parts.h"
#include "app/main_window.h"
#include "app/workspace.h"
#include "demo/demo_set.h"
#include "modal_driver.h"
#include "support/scoped_temp_dir.h"
#include "windows/window_parts.h"

namespace qorvi::testing {

// A DISPLAY that names no X server, as a stale ssh session leaves it: the first
// display from :4242 on without a socket.
inline QString DisplayWithoutServer() {
  int n = 4242;
  while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n))) ++n;
  return ":" + QString::number(n);
}

class DesktopTest : public ::testing::Test {
 protected:
  DesktopTest() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir_.path());
    // Every test starts as on a first run: nothing remembered (qt_test_main keeps
    // the settings in a folder of its own).
    QSettings().clear();
  }
  ~DesktopTest() override {
    program_.reset();
    std::filesystem::current_path(previous_);
  }

  // Writes a demo set into the working directory.
  void WriteDemo(int32_t version, bool compressed = false, bool bootSound = false) {
    demo::DemoOptions o;
    o.version = version;
    o.compressed = compressed;
    o.bootSound = bootSound;
    std::string error;
    ASSERT_TRUE(demo::WriteDemoSet(dir_.path(), o, &error)) << error;
  }

  // Starts the program in the working directory (its windows are created; the main
  // window is shown), in the workspace mode UseWorkspace chose (else the remembered one).
  app::DesktopProgram& Start() {
    program_ = std::make_unique<app::DesktopProgram>(dir_.path());
    program_->ShowMainWindow(workspace_);
    QApplication::processEvents();
    main_ = std::make_unique<MainParts>(program_->main());
    return *program_;
  }

  // Presses "Load datafile" in the File window with the paths it shows; returns the
  // texts of the message boxes that appeared.
  std::vector<std::string> PressLoad() {
    ModalDriver driver;
    Form5().LoadButton->click();
    QApplication::processEvents();
    return driver.messages;
  }

  // Writes a demo set, starts the program and loads the set through the File window.
  app::DesktopProgram& StartLoaded(int32_t version, bool compressed = false) {
    WriteDemo(version, compressed);
    Start();
    std::vector<std::string> messages = PressLoad();
    EXPECT_TRUE(messages.empty()) << messages.front();
    return *program_;
  }

  // The workspace mode the next Start shows the program in.
  void UseWorkspace(app::WorkspaceMode mode) { workspace_ = mode; }

  // Ends the program: the windows are destroyed, as when the user quits.
  void TearDownProgram() {
    main_.reset();
    program_.reset();
  }

  app::DesktopProgram& Program() { return *program_; }
  MainParts& Main() { return *main_; }
  Model& TheModel() { return program_->model(); }
  session::EditSession& Session() { return program_->session(); }
  PreviewState& View() { return program_->session().view(); }
  // The secondary windows' controls, by the windows' program-wide names.
  IconDataParts Form2() { return IconDataParts(program_->icon_data()); }
  ColorParts Form3() { return ColorParts(program_->color()); }
  CategoryParts Form4() { return CategoryParts(program_->category()); }
  FileParts Form5() { return FileParts(program_->file()); }
  PositioningParts Form6() { return PositioningParts(program_->positioning()); }
  TextDataParts Form7() { return TextDataParts(program_->text_data()); }
  AdvanceParts Form9() { return AdvanceParts(program_->advance()); }

  // The secondary windows by their program-wide names.
  struct Forms {
    QWidget* Form2;
    QWidget* Form3;
    QWidget* Form4;
    QWidget* Form5;
    QWidget* Form6;
    QWidget* Form7;
    QWidget* Form9;
  };
  Forms TheForms() {
    app::DesktopProgram& p = *program_;
    return {&p.icon_data(), &p.color(), &p.category(), &p.file(), &p.positioning(), &p.text_data(), &p.advance()};
  }

  std::string Path(const std::string& name) const { return dir_ / name; }
  const std::string& WorkDir() const { return dir_.path(); }

 private:
  ScopedTempDir dir_;
  std::filesystem::path previous_;
  std::unique_ptr<app::DesktopProgram> program_;
  std::unique_ptr<MainParts> main_;
  std::optional<app::WorkspaceMode> workspace_;
};

// Both workspace modes, for the tests whose windows behave the same in each.
inline constexpr app::WorkspaceMode kBothModes[] = {app::WorkspaceMode::Windows, app::WorkspaceMode::Docked};

inline std::string ModeName(app::WorkspaceMode mode) {
  return mode == app::WorkspaceMode::Docked ? "docked" : "windows";
}

}  // namespace qorvi::testing
