// SPDX-License-Identifier: GPL-3.0-or-later
// The folder lock on Windows: a lock file opened without sharing, removed by the
// system when its handle is closed.
#include <windows.h>

#include <thread>
#include <utility>

#include "platform/folder_lock.h"
#include "platform/wide_text.h"

namespace qorvi {
namespace {

std::wstring LockFilePath(const std::string& folder) {
  std::string path = folder.empty() ? std::string(".") : folder;
  if (!path.ends_with('/') && !path.ends_with('\\')) path += '\\';
  return WideFromUtf8(path + "qorvi-save.lock");
}

// One attempt: the handle, or null with `busy` (another holds it) or `error`.
HANDLE TryOnce(const std::string& folder, bool& busy, std::error_code& error) {
  const std::wstring path = LockFilePath(folder);
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h != INVALID_HANDLE_VALUE) return h;
  const DWORD code = ::GetLastError();
  // Held by another (a sharing violation), or being removed as its holder closes
  // it (access denied while the file is still there).
  if (code == ERROR_SHARING_VIOLATION ||
      (code == ERROR_ACCESS_DENIED && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)) {
    busy = true;
  } else {
    error = code == ERROR_PATH_NOT_FOUND || code == ERROR_FILE_NOT_FOUND
                ? std::make_error_code(std::errc::no_such_file_or_directory)
                : std::error_code(static_cast<int>(code), std::system_category());
  }
  return nullptr;
}

}  // namespace

FolderLock FolderLock::Try(const std::string& folder) {
  FolderLock lock;
  lock.handle_ = TryOnce(folder, lock.busy_, lock.error_);
  return lock;
}

FolderLock FolderLock::Wait(const std::string& folder, std::chrono::milliseconds patience,
                            const std::function<void()>& waiting) {
  const auto start = std::chrono::steady_clock::now();
  bool said = false;
  for (;;) {
    FolderLock lock = Try(folder);
    if (!lock.busy()) return lock;
    if (!said && std::chrono::steady_clock::now() - start >= patience) {
      said = true;
      if (waiting) waiting();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(said ? 100 : 20));
  }
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), busy_(other.busy_), error_(other.error_) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    Release();
    handle_ = std::exchange(other.handle_, nullptr);
    busy_ = other.busy_;
    error_ = other.error_;
  }
  return *this;
}

bool FolderLock::held() const { return handle_ != nullptr; }

void FolderLock::Release() {
  if (handle_ != nullptr) ::CloseHandle(handle_);
  handle_ = nullptr;
}

}  // namespace qorvi
