// SPDX-License-Identifier: GPL-3.0-or-later
// The interrupt clean-up on Windows: a console control handler. The system runs it
// on a thread of its own while the program goes on, so a lock takes the place of
// the POSIX signal mask.
#include <windows.h>

#include <iterator>

#include "platform/interrupt_cleanup.h"
#include "platform/interrupt_cleanup_internal.h"

namespace qorvi {
namespace {

// What a console program ends with on Ctrl+C.
constexpr UINT kControlCExit = 0xC000013A;

// Held by InterruptsHeld, and by the handler from its start to the end of the
// process. Recursive, so that holding it twice on one thread is harmless.
CRITICAL_SECTION& CleanUpLock() {
  static CRITICAL_SECTION* lock = [] {
    static CRITICAL_SECTION section;
    ::InitializeCriticalSection(&section);
    return &section;
  }();
  return *lock;
}

BOOL WINAPI CleanUpAndEnd(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT: break;
    default: return FALSE;
  }
  // Waits while the program creates or renames a file, and keeps it from starting
  // another: nothing new can appear after the clean-up.
  ::EnterCriticalSection(&CleanUpLock());
  interrupt_cleanup::RemoveRegistered();
  // At once, without running the program's exit code on this thread.
  ::TerminateProcess(::GetCurrentProcess(), kControlCExit);
  return TRUE;
}

// A UTF-8 path as UTF-16, into a buffer of its own: the handler runs once.
const wchar_t* WidePath(const char* path) {
  static wchar_t wide[4096];
  if (::MultiByteToWideChar(CP_UTF8, 0, path, -1, wide, static_cast<int>(std::size(wide))) == 0) wide[0] = L'\0';
  return wide;
}

}  // namespace

void interrupt_cleanup::RemoveFileNow(const char* path, void* open_handle) {
  if (open_handle != nullptr) ::CloseHandle(open_handle);
  ::DeleteFileW(WidePath(path));
}

void InstallInterruptCleanup() {
  CleanUpLock();  // made before any handler can need it
  // A Ctrl+C that the parent process ignores stays ignored: the system does not
  // call the handlers for it then.
  ::SetConsoleCtrlHandler(CleanUpAndEnd, TRUE);
}

InterruptsHeld::InterruptsHeld() { ::EnterCriticalSection(&CleanUpLock()); }
InterruptsHeld::~InterruptsHeld() { ::LeaveCriticalSection(&CleanUpLock()); }

}  // namespace qorvi
