#include "firmware/interrupt_cleanup.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace qorvi {
namespace {

// Enough for any path the system accepts in one call.
constexpr std::size_t kMaxPath = 4096;
// The private folder with its 58 bitmaps, and the files being written.
constexpr int kSlots = 96;

enum SlotState : int { kFree = 0, kBusy = 1, kFile = 2, kFolder = 3 };

struct Slot {
  std::atomic<int> state{kFree};
  char path[kMaxPath];
};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the slots");

Slot g_slots[kSlots];

#ifdef _WIN32
constexpr int kSignals[] = {SIGINT, SIGTERM};
int RemoveFile(const char* path) { return ::_unlink(path); }
int RemoveFolder(const char* path) { return ::_rmdir(path); }
#else
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
int RemoveFile(const char* path) { return ::unlink(path); }
int RemoveFolder(const char* path) { return ::rmdir(path); }
#endif

void RemoveRegistered() {
  for (Slot& s : g_slots) {
    if (s.state.load(std::memory_order_acquire) == kFile) RemoveFile(s.path);
  }
  for (Slot& s : g_slots) {
    if (s.state.load(std::memory_order_acquire) == kFolder) RemoveFolder(s.path);
  }
}

extern "C" void CleanUpAndResignal(int sig) {
  const int saved_errno = errno;
  RemoveRegistered();
  // The default action again, then the same signal: it is held back until this
  // handler returns and then ends the process as it would have.
  std::signal(sig, SIG_DFL);
  std::raise(sig);
  errno = saved_errno;
}

}  // namespace

void InstallInterruptCleanup() {
#ifdef _WIN32
  for (int sig : kSignals) std::signal(sig, CleanUpAndResignal);
#else
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
#endif
}

RemoveOnInterrupt::RemoveOnInterrupt(std::string_view path, Kind kind) {
  if (path.empty() || path.size() >= kMaxPath) return;
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!g_slots[i].state.compare_exchange_strong(expected, kBusy, std::memory_order_acquire)) continue;
    std::memcpy(g_slots[i].path, path.data(), path.size());
    g_slots[i].path[path.size()] = '\0';
    g_slots[i].state.store(kind == Kind::File ? kFile : kFolder, std::memory_order_release);
    slot_ = i;
    return;
  }
}

RemoveOnInterrupt::RemoveOnInterrupt(RemoveOnInterrupt&& other) noexcept : slot_(other.slot_) { other.slot_ = -1; }

RemoveOnInterrupt& RemoveOnInterrupt::operator=(RemoveOnInterrupt&& other) noexcept {
  if (this != &other) {
    Release();
    slot_ = other.slot_;
    other.slot_ = -1;
  }
  return *this;
}

RemoveOnInterrupt::~RemoveOnInterrupt() { Release(); }

void RemoveOnInterrupt::Release() {
  if (slot_ < 0) return;
  g_slots[slot_].state.store(kFree, std::memory_order_release);
  slot_ = -1;
}

#ifdef _WIN32
InterruptsHeld::InterruptsHeld() {}
InterruptsHeld::~InterruptsHeld() {}
#else
InterruptsHeld::InterruptsHeld() {
  sigset_t held;
  sigemptyset(&held);
  for (int sig : kSignals) sigaddset(&held, sig);
  ::pthread_sigmask(SIG_BLOCK, &held, &saved_);
}
InterruptsHeld::~InterruptsHeld() { ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
#endif

}  // namespace qorvi
