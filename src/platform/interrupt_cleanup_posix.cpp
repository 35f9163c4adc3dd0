// SPDX-License-Identifier: GPL-3.0-or-later
// The interrupt clean-up on POSIX systems: signal handlers and signal masks.
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "platform/interrupt_cleanup.h"
#include "platform/interrupt_cleanup_internal.h"

namespace qorvi {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

extern "C" void CleanUpAndResignal(int sig) {
  const int saved_errno = errno;
  interrupt_cleanup::RemoveRegistered();
  // The default action again, then the same signal: it is held back until this
  // handler returns and then ends the process as it would have.
  ::signal(sig, SIG_DFL);
  ::raise(sig);
  errno = saved_errno;
}

}  // namespace

void interrupt_cleanup::RemoveFileNow(const char* path, void* /*open_handle*/) { ::unlink(path); }

void InstallInterruptCleanup() {
  struct sigaction action {};
  action.sa_handler = CleanUpAndResignal;
  sigemptyset(&action.sa_mask);
  // One clean-up at a time: the other signals wait while it runs.
  for (int sig : kSignals) sigaddset(&action.sa_mask, sig);
  for (int sig : kSignals) {
    struct sigaction old {};
    if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;  // e.g. under nohup
    ::sigaction(sig, &action, nullptr);
  }
}

InterruptsHeld::InterruptsHeld() {
  sigset_t held;
  sigemptyset(&held);
  for (int sig : kSignals) sigaddset(&held, sig);
  ::pthread_sigmask(SIG_BLOCK, &held, &saved_);
}

InterruptsHeld::~InterruptsHeld() { ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }

}  // namespace qorvi
