// SPDX-License-Identifier: GPL-3.0-or-later
// The temporary files that must not outlive an interrupted run: the file of each
// write in progress.
//
// Once InstallInterruptCleanup has run, SIGINT, SIGTERM, SIGHUP and SIGPIPE first
// remove every file registered at that moment, and then end the process by the
// same signal, as they would have without it. A signal that was ignored when the
// program started stays ignored.
//
// On Windows the same happens on the console's Ctrl+C and Ctrl+Break, when its
// window is closed, and at log-off or shutdown; the process then ends with status
// STATUS_CONTROL_C_EXIT, as a console program does on Ctrl+C. (The system calls the
// handler on a thread of its own: InterruptsHeld is a lock there, and the handler
// ends the process while it holds it.)
//
// The registrations are a list shared with the signal handler, without a fixed
// limit: a registration takes a free entry or adds one (entries are never freed),
// so the handler walks it without allocating and without a lock and makes only
// calls that are safe there. A path longer than the system allows is not
// registered; the normal clean-up still removes it.
#pragma once

#include <string_view>

#ifndef _WIN32
#include <signal.h>
#endif

namespace qorvi {

void InstallInterruptCleanup();

struct CleanupEntry;

// Keeps one file registered while it lives (nothing is removed when it goes).
class RemoveOnInterrupt {
 public:
  RemoveOnInterrupt() = default;
  explicit RemoveOnInterrupt(std::string_view path);
  RemoveOnInterrupt(RemoveOnInterrupt&& other) noexcept;
  RemoveOnInterrupt& operator=(RemoveOnInterrupt&& other) noexcept;
  RemoveOnInterrupt(const RemoveOnInterrupt&) = delete;
  RemoveOnInterrupt& operator=(const RemoveOnInterrupt&) = delete;
  ~RemoveOnInterrupt();

  // Ends the registration early.
  void Release();
#ifdef _WIN32
  // Names the handle that holds the file open (null: none any more). Windows does
  // not remove an open file, so a clean-up closes it first.
  void HoldsOpen(void* handle);
#endif
  bool registered() const { return entry_ != nullptr; }

 private:
  CleanupEntry* entry_ = nullptr;
};

// Holds the clean-up signals back on this thread while it lives, so that creating a
// file and registering it (or renaming it away and ending its registration) cannot
// be cut in two by a signal. A signal that arrives meanwhile is handled when the
// object goes.
class InterruptsHeld {
 public:
  InterruptsHeld();
  InterruptsHeld(const InterruptsHeld&) = delete;
  InterruptsHeld& operator=(const InterruptsHeld&) = delete;
  ~InterruptsHeld();

 private:
#ifndef _WIN32
  sigset_t saved_;  // the thread's previous signal mask
#endif
};

}  // namespace qorvi
