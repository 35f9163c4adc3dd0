// A running desktop program for one test: a fresh working directory (the program
// builds its paths from it at start-up), optionally holding a demo firmware set,
// and the nine windows.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <memory>
#include <string>

#include "app/desktop_program.h"
#include "app/main_window.h"
#include "demo/demo_set.h"
#include "modal_driver.h"
#include "support/scoped_temp_dir.h"
#include "windows/file_window.h"

namespace qorvi::testing {

class DesktopTest : public ::testing::Test {
 protected:
  DesktopTest() : previous_(std::filesystem::current_path()) { std::filesystem::current_path(dir_.path()); }
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

  // Starts the program (its windows are created; the main window is shown).
  app::DesktopProgram& Start() {
    program_ = std::make_unique<app::DesktopProgram>();
    program_->main().show();
    QApplication::processEvents();
    return *program_;
  }

  // Presses "Load datafile" in the File window with the paths it shows; returns the
  // texts of the message boxes that appeared.
  std::vector<std::string> PressLoad() {
    ModalDriver driver;
    program_->desktop().forms.Form5->LoadButton->click();
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

  // Ends the program: the windows are destroyed, as when the user quits.
  void TearDownProgram() { program_.reset(); }

  TForm1& Main() { return program_->main(); }
  Model& TheModel() { return program_->model(); }
  app::Desktop& TheDesktop() { return program_->desktop(); }
  std::string Path(const std::string& name) const { return dir_ / name; }
  const std::string& WorkDir() const { return dir_.path(); }

 private:
  ScopedTempDir dir_;
  std::filesystem::path previous_;
  std::unique_ptr<app::DesktopProgram> program_;
};

}  // namespace qorvi::testing
