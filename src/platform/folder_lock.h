// SPDX-License-Identifier: GPL-3.0-or-later
// An exclusive lock on a folder, between processes: a save holds one on its output
// folder from its first write to the end of its check, so that two saves into one
// folder take turns instead of leaving a set mixed from both.
//
// POSIX: flock(2) on the folder itself, so nothing is created in it; the system
// drops the lock of a process that ends, however it ends. Windows: a hidden file
// qorvi-save.lock in the folder, opened without sharing and removed by the system
// when it is closed (also when the process is killed).
//
// Two locks on one folder exclude each other within one process too.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <system_error>

namespace qorvi {

class FolderLock {
 public:
  // Takes the lock if it is free: held(), or busy() when another holds it.
  static FolderLock Try(const std::string& folder);
  // Takes the lock, waiting as long as another holds it; `waiting` is called once
  // when that has lasted `patience` (to say so), and the wait goes on.
  static FolderLock Wait(const std::string& folder, std::chrono::milliseconds patience,
                         const std::function<void()>& waiting);

  FolderLock() = default;
  FolderLock(FolderLock&& other) noexcept;
  FolderLock& operator=(FolderLock&& other) noexcept;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock() { Release(); }

  bool held() const;
  bool busy() const { return busy_; }
  // Why the folder could not be locked at all (it does not exist, or its file
  // system has no such locks); empty when held or busy.
  const std::error_code& error() const { return error_; }
  void Release();

 private:
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
  bool busy_ = false;
  std::error_code error_;
};

}  // namespace qorvi
