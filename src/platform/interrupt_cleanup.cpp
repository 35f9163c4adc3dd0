// SPDX-License-Identifier: GPL-3.0-or-later
// The list of files to remove on an interrupt, shared by both systems' handlers.
#include "platform/interrupt_cleanup.h"

#include <atomic>
#include <cstring>
#include <memory>

#include "platform/interrupt_cleanup_internal.h"

namespace qorvi {

// Enough for any path the system accepts in one call.
constexpr std::size_t kMaxPath = 4096;

enum EntryState : int { kFree = 0, kBusy = 1, kFile = 2 };

// One registration. Entries are made on demand and never freed, so the handler can
// walk the list while a registration is added.
struct CleanupEntry {
  std::atomic<int> state{kBusy};
  std::atomic<void*> open_handle{nullptr};  // Windows: the handle a write holds the file with
  CleanupEntry* next = nullptr;             // set before the entry is published
  std::size_t capacity = 0;
  std::unique_ptr<char[]> path;
};

namespace {

static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the entries");
static_assert(std::atomic<void*>::is_always_lock_free, "the signal handler reads the entries");
static_assert(std::atomic<CleanupEntry*>::is_always_lock_free, "the signal handler walks the list");

std::atomic<CleanupEntry*> g_first{nullptr};

// A free entry with room for `length` characters and the terminating zero, taken
// (kBusy); a new one at the head of the list when none is free.
CleanupEntry* TakeEntry(std::size_t length) {
  for (CleanupEntry* e = g_first.load(std::memory_order_acquire); e != nullptr; e = e->next) {
    if (e->capacity <= length) continue;
    int expected = kFree;
    if (e->state.compare_exchange_strong(expected, kBusy, std::memory_order_acquire)) return e;
  }
  auto* made = new CleanupEntry;  // never freed: the handler may be reading it
  made->capacity = length + 1;
  made->path = std::make_unique<char[]>(made->capacity);
  CleanupEntry* head = g_first.load(std::memory_order_relaxed);
  do {
    made->next = head;
  } while (!g_first.compare_exchange_weak(head, made, std::memory_order_release, std::memory_order_relaxed));
  return made;
}

}  // namespace

void interrupt_cleanup::RemoveRegistered() {
  for (CleanupEntry* e = g_first.load(std::memory_order_acquire); e != nullptr; e = e->next) {
    if (e->state.load(std::memory_order_acquire) == kFile) {
      RemoveFileNow(e->path.get(), e->open_handle.load(std::memory_order_acquire));
    }
  }
}

RemoveOnInterrupt::RemoveOnInterrupt(std::string_view path) {
  if (path.empty() || path.size() >= kMaxPath) return;
  CleanupEntry* e = TakeEntry(path.size());
  std::memcpy(e->path.get(), path.data(), path.size());
  e->path[path.size()] = '\0';
  e->open_handle.store(nullptr, std::memory_order_relaxed);
  e->state.store(kFile, std::memory_order_release);
  entry_ = e;
}

RemoveOnInterrupt::RemoveOnInterrupt(RemoveOnInterrupt&& other) noexcept : entry_(other.entry_) {
  other.entry_ = nullptr;
}

RemoveOnInterrupt& RemoveOnInterrupt::operator=(RemoveOnInterrupt&& other) noexcept {
  if (this != &other) {
    Release();
    entry_ = other.entry_;
    other.entry_ = nullptr;
  }
  return *this;
}

RemoveOnInterrupt::~RemoveOnInterrupt() { Release(); }

void RemoveOnInterrupt::Release() {
  if (entry_ == nullptr) return;
  entry_->state.store(kFree, std::memory_order_release);
  entry_ = nullptr;
}

#ifdef _WIN32
void RemoveOnInterrupt::HoldsOpen(void* handle) {
  if (entry_ != nullptr) entry_->open_handle.store(handle, std::memory_order_release);
}
#endif

}  // namespace qorvi
