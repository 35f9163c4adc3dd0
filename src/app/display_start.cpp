// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/display_start.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "model/paths.h"

namespace qorvi::app {
namespace {

// What Qt said while the application object was being made.
struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};
std::vector<HeldMessage>& Held() {
  static std::vector<HeldMessage> held;
  return held;
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    // No platform could start (only when the user named one, or even the
    // offscreen platform failed): one line, and the status of a failure, in place
    // of Qt's text and an abort.
    const std::string line = "qorvi: " + DisplayStart::NoDisplayText() + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    std::_Exit(1);
  }
  Held().push_back({type, QByteArray(context.category != nullptr ? context.category : ""), text});
}

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Qt's -platform (or --platform) argument, which takes precedence over the
// environment.
bool NamesAPlatform(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return true;
  }
  return false;
}

// The platforms Qt itself tries when it is told none, in its order: Wayland in a
// Wayland session, then X11.
QByteArray DisplayPlatforms() {
  const bool wayland = IsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
  return wayland ? "wayland;xcb" : "xcb";
}

std::string Described(const char* name) {
  const char* value = std::getenv(name);
  return std::string(name) + "=" + EscapedForMessage(value != nullptr ? value : "");
}

}  // namespace

DisplayStart::DisplayStart(int argc, char** argv, Mode mode) {
  const bool chosen_by_user = IsSet("QT_QPA_PLATFORM") || NamesAPlatform(argc, argv);
  if (mode == Mode::Window && chosen_by_user) {
    // Taken as it is.
  } else {
    had_value_ = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    old_value_ = qgetenv("QT_QPA_PLATFORM");
    restore_ = true;
    QByteArray platforms;
    if (IsSet("QT_QPA_PLATFORM")) {
      platforms = old_value_;
    } else if (mode == Mode::Window || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) {
      platforms = DisplayPlatforms();
    }
    // (Render mode without any display variable goes straight to offscreen.)
    if (!platforms.split(';').contains("offscreen")) {
      platforms += platforms.isEmpty() ? "offscreen" : ";offscreen";
      fallback_ = true;
    }
    qputenv("QT_QPA_PLATFORM", platforms);
  }
  Held().clear();
  previous_ = qInstallMessageHandler(HoldMessage);
}

DisplayStart::~DisplayStart() {
  if (previous_ != nullptr) Started();
}

void DisplayStart::Started() {
  if (previous_ == nullptr) return;
  qInstallMessageHandler(previous_);
  previous_ = nullptr;
  if (restore_) {
    if (had_value_) {
      qputenv("QT_QPA_PLATFORM", old_value_);
    } else {
      qunsetenv("QT_QPA_PLATFORM");
    }
    restore_ = false;
  }
  // Started on the fallback: what Qt said was about the display that did not open.
  const bool fell_back = fallback_ && QGuiApplication::platformName() == "offscreen";
  display_opened_ = !fell_back;
  std::vector<HeldMessage> held;
  held.swap(Held());
  if (fell_back) return;
  for (const HeldMessage& m : held) {
    const QMessageLogContext context(nullptr, 0, nullptr, m.category.isEmpty() ? nullptr : m.category.constData());
    qt_message_output(m.type, context, m.text);
  }
}

std::string DisplayStart::NoDisplayText() {
  std::string where;
  for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
    if (IsSet(name)) where += (where.empty() ? "" : ", ") + Described(name);
  }
  if (where.empty()) where = "DISPLAY is not set";
  return "no display can be opened (" + where + "); qorvi --render works without one";
}

}  // namespace qorvi::app
