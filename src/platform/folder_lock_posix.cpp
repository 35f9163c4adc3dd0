// SPDX-License-Identifier: GPL-3.0-or-later
// The folder lock on POSIX systems: flock(2) on a descriptor of the folder.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <utility>

#include "platform/folder_lock.h"

namespace qorvi {
namespace {

int OpenFolder(const std::string& folder) {
  return ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

}  // namespace

FolderLock FolderLock::Try(const std::string& folder) {
  FolderLock lock;
  const int fd = OpenFolder(folder);
  if (fd < 0) {
    lock.error_ = {errno, std::generic_category()};
    return lock;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    lock.fd_ = fd;
    return lock;
  }
  const int code = errno;
  ::close(fd);
  if (code == EWOULDBLOCK) {
    lock.busy_ = true;
  } else {
    lock.error_ = {code, std::generic_category()};
  }
  return lock;
}

FolderLock FolderLock::Wait(const std::string& folder, std::chrono::milliseconds patience,
                            const std::function<void()>& waiting) {
  // Short waits by polling, so that `waiting` comes only after `patience`; then
  // the system's own wait.
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    FolderLock lock = Try(folder);
    if (!lock.busy()) return lock;
    if (std::chrono::steady_clock::now() - start >= patience) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (waiting) waiting();
  FolderLock lock;
  const int fd = OpenFolder(folder);
  if (fd < 0) {
    lock.error_ = {errno, std::generic_category()};
    return lock;
  }
  int r;
  do {
    r = ::flock(fd, LOCK_EX);
  } while (r != 0 && errno == EINTR);
  if (r != 0) {
    lock.error_ = {errno, std::generic_category()};
    ::close(fd);
    return lock;
  }
  lock.fd_ = fd;
  return lock;
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), busy_(other.busy_), error_(other.error_) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
    busy_ = other.busy_;
    error_ = other.error_;
  }
  return *this;
}

bool FolderLock::held() const { return fd_ >= 0; }

void FolderLock::Release() {
  // Closing the descriptor drops the lock.
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace qorvi
