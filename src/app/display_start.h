// SPDX-License-Identifier: GPL-3.0-or-later
// Which of Qt's platforms a run of qorvi starts on, chosen before the application
// object exists, and what happens when no display can be opened.
//
// Qt tries the platforms that QT_QPA_PLATFORM names one after the other
// ("xcb;offscreen") and takes the first that starts; a display variable that names
// no server (a stale ssh session) then no longer ends the program inside Qt (an
// abort with Qt's plugin text), and the program decides:
// - `qorvi --render` draws on the offscreen platform, as it does without any
//   display variable;
// - the desktop program starts on the offscreen platform only so far as to read
//   its arguments (a usage error is exit 2 with or without a display) and then
//   stops with one line saying that there is no display (exit 1).
// What the user chose (QT_QPA_PLATFORM, or Qt's -platform argument) is tried
// first; for the desktop program it is taken as it is, without the fallback.
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <string>

namespace qorvi::app {

class DisplayStart {
 public:
  enum class Mode { Window, Render };

  // Sets QT_QPA_PLATFORM for the application object about to be made and collects
  // Qt's messages meanwhile (a fatal one ends the program at once with exit 1 and
  // one line). `argv` is read for Qt's -platform argument, never changed.
  DisplayStart(int argc, char** argv, Mode mode);
  ~DisplayStart();
  DisplayStart(const DisplayStart&) = delete;
  DisplayStart& operator=(const DisplayStart&) = delete;

  // Once the application object exists: QT_QPA_PLATFORM is as it was again, and
  // the messages Qt gave while it started go to the handler that was there before
  // (unless they only said that the display could not be opened).
  void Started();

  // Whether the platform Qt started on shows windows on a display: false when only
  // the offscreen fallback started for the desktop program.
  bool DisplayOpened() const { return display_opened_; }

  // "no display can be opened (DISPLAY=:99); ...": the line a desktop program
  // without a display ends with (after "qorvi: ").
  static std::string NoDisplayText();

 private:
  bool restore_ = false;  // QT_QPA_PLATFORM was changed here
  bool had_value_ = false;
  QByteArray old_value_;
  bool fallback_ = false;  // ";offscreen" was added
  bool display_opened_ = true;
  QtMessageHandler previous_ = nullptr;
};

}  // namespace qorvi::app
