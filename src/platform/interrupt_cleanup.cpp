// The table of paths to remove on an interrupt, shared by both systems' handlers.
#include "platform/interrupt_cleanup.h"

#include <atomic>
#include <cstring>

#include "platform/interrupt_cleanup_internal.h"

namespace qorvi {
namespace {

// Enough for any path the system accepts in one call.
constexpr std::size_t kMaxPath = 4096;
// The private folder with its 58 bitmaps, and the files being written.
constexpr int kSlots = 96;

enum SlotState : int { kFree = 0, kBusy = 1, kFile = 2, kFolder = 3 };

struct Slot {
  std::atomic<int> state{kFree};
  std::atomic<void*> open_handle{nullptr};  // Windows: the handle a write holds the file with
  char path[kMaxPath];
};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the slots");
static_assert(std::atomic<void*>::is_always_lock_free, "the signal handler reads the slots");

Slot g_slots[kSlots];

}  // namespace

void interrupt_cleanup::RemoveRegistered() {
  for (Slot& s : g_slots) {
    if (s.state.load(std::memory_order_acquire) == kFile) {
      RemoveFileNow(s.path, s.open_handle.load(std::memory_order_acquire));
    }
  }
  for (Slot& s : g_slots) {
    if (s.state.load(std::memory_order_acquire) == kFolder) RemoveFolderNow(s.path);
  }
}

RemoveOnInterrupt::RemoveOnInterrupt(std::string_view path, Kind kind) {
  if (path.empty() || path.size() >= kMaxPath) return;
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!g_slots[i].state.compare_exchange_strong(expected, kBusy, std::memory_order_acquire)) continue;
    std::memcpy(g_slots[i].path, path.data(), path.size());
    g_slots[i].path[path.size()] = '\0';
    g_slots[i].open_handle.store(nullptr, std::memory_order_relaxed);
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
void RemoveOnInterrupt::HoldsOpen(void* handle) {
  if (slot_ >= 0) g_slots[slot_].open_handle.store(handle, std::memory_order_release);
}
#endif

}  // namespace qorvi
