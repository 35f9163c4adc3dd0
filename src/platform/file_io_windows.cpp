// SPDX-License-Identifier: GPL-3.0-or-later
// The file layer on Windows: every name through the wide (UTF-16) calls, the
// replace by MoveFileExW, the flush by FlushFileBuffers, and sharing modes in place
// of the POSIX lock that marks a temporary file as in use.
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <utility>

#include "platform/file_io.h"
#include "platform/wide_text.h"

namespace qorvi {
namespace {

// Closes a handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Close(); }
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    if (!valid()) return true;
    const BOOL closed = ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed != 0;
  }

 private:
  HANDLE handle_;
};

// A system error as the error code the POSIX build reports for it, so that the
// messages read the same; others keep their Windows number.
std::error_code ErrorOf(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return std::make_error_code(std::errc::permission_denied);
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return std::make_error_code(std::errc::file_exists);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return std::make_error_code(std::errc::no_space_on_device);
    case ERROR_WRITE_PROTECT: return std::make_error_code(std::errc::read_only_file_system);
    case ERROR_FILENAME_EXCED_RANGE: return std::make_error_code(std::errc::filename_too_long);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return std::make_error_code(std::errc::invalid_argument);
    case ERROR_DIRECTORY: return std::make_error_code(std::errc::not_a_directory);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return std::make_error_code(std::errc::not_enough_memory);
    default: return {static_cast<int>(code), std::system_category()};
  }
}

std::error_code LastError() { return ErrorOf(::GetLastError()); }

// Six letters or digits for a temporary name. Uniqueness comes from creating the
// name exclusively and trying again; these only make a clash unlikely.
std::string RandomSuffix(int attempt) {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  uint64_t x = static_cast<uint64_t>(now.QuadPart) ^ (static_cast<uint64_t>(::GetCurrentProcessId()) << 32) ^
               (static_cast<uint64_t>(attempt) * 0x9E3779B97F4A7C15ull);
  // splitmix64's finaliser spreads the bits.
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  x ^= x >> 31;
  static constexpr char kChars[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string suffix(6, '0');
  for (char& c : suffix) {
    c = kChars[x % 62];
    x /= 62;
  }
  return suffix;
}

constexpr int kAttempts = 100;

bool AlreadyThere(DWORD code) { return code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS; }

std::error_code WriteAll(HANDLE file, std::span<const uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return LastError();
    if (written == 0) return std::make_error_code(std::errc::io_error);
    done += written;
  }
  return {};
}

// The attributes a replaced file passes on; the rest (archive, compressed, ...)
// the system gives the new file itself.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Renames `temp` over `target`, whose attributes are `existing` (or
// INVALID_FILE_ATTRIBUTES when there is none). Windows refuses to replace a
// read-only file, so the target loses that attribute for the rename and gets it
// back when the rename fails; the temporary file carries the kept attributes over.
// On failure the temporary file is left without the read-only mark, so that the
// caller can remove it (Windows refuses to delete a read-only file).
std::error_code ReplaceWith(const std::wstring& temp, const std::wstring& target, DWORD existing, bool sync) {
  const bool replaces = existing != INVALID_FILE_ATTRIBUTES;
  const DWORD kept = replaces ? existing & kKeptAttributes : 0;
  if (kept != 0 && !::SetFileAttributesW(temp.c_str(), kept)) return LastError();
  const bool unlocked = replaces && (existing & FILE_ATTRIBUTE_READONLY) != 0;
  std::error_code error;
  if (unlocked && !::SetFileAttributesW(target.c_str(), existing & ~FILE_ATTRIBUTE_READONLY)) {
    error = LastError();
  } else if (!::MoveFileExW(temp.c_str(), target.c_str(),
                            MOVEFILE_REPLACE_EXISTING | (sync ? MOVEFILE_WRITE_THROUGH : 0))) {
    error = LastError();
    if (unlocked) ::SetFileAttributesW(target.c_str(), existing);
  }
  if (error && (kept & FILE_ATTRIBUTE_READONLY)) ::SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
  return error;
}

// Removes NAME.partial-XXXXXX files next to `path` unless a running write holds
// them: a write opens its temporary file without FILE_SHARE_DELETE, so the system
// refuses to remove it until the write closes it, or its process ends.
void RemoveStalePartials(const std::string& path) {
  const std::string folder = FolderPart(path);
  const std::string name = NamePart(path);
  std::error_code ec;
  std::filesystem::directory_iterator it(PathFromUtf8(folder.empty() ? "." : folder), ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::string candidate = Utf8FromPath(it->path().filename());
    if (!IsPartialFileOf(candidate, name)) continue;
    std::error_code ignored;
    if (!it->is_regular_file(ignored) || it->is_symlink(ignored)) continue;
    ::DeleteFileW(WideFromUtf8(folder + candidate).c_str());
  }
}

}  // namespace

ReadResult ReadFileInto(const std::string& path, std::span<uint8_t> area) {
  // A folder cannot be opened this way (that takes FILE_FLAG_BACKUP_SEMANTICS).
  Handle file(::CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return {ReadStatus::CannotOpen, 0, LastError()};
  std::size_t total = 0;
  for (;;) {
    DWORD got = 0;
    BOOL ok;
    if (total == area.size()) {
      // The area is full: the file is too long if one more byte can be read.
      uint8_t probe;
      ok = ::ReadFile(file.get(), &probe, 1, &got, nullptr);
      if (!ok && ::GetLastError() != ERROR_BROKEN_PIPE) return {ReadStatus::CannotOpen, 0, LastError()};
      if (ok && got > 0) return {ReadStatus::TooLong, 0, {}};
      break;
    }
    const auto want = static_cast<DWORD>(std::min<std::size_t>(area.size() - total, 1u << 30));
    ok = ::ReadFile(file.get(), area.data() + total, want, &got, nullptr);
    if (!ok) {
      if (::GetLastError() == ERROR_BROKEN_PIPE) break;  // the end of a pipe
      return {ReadStatus::CannotOpen, 0, LastError()};
    }
    if (got == 0) break;
    total += got;
  }
  return {ReadStatus::Ok, total, {}};
}

WriteResult StageFile(const std::string& path, std::initializer_list<std::span<const uint8_t>> pieces,
                      StagedFile& staged, bool sync) {
  staged.Discard();
  const std::wstring target = WideFromUtf8(path);
  if (target.empty()) return {std::make_error_code(std::errc::no_such_file_or_directory)};
  DWORD existing = ::GetFileAttributesW(target.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY)) {
    return {std::make_error_code(std::errc::is_a_directory)};
  }

  std::string temp;
  std::wstring wide_temp;
  RemoveOnInterrupt guard;
  HANDLE raw = INVALID_HANDLE_VALUE;
  {
    InterruptsHeld held;
    for (int attempt = 0; attempt < kAttempts && raw == INVALID_HANDLE_VALUE; ++attempt) {
      temp = path + ".partial-" + RandomSuffix(attempt);
      wide_temp = WideFromUtf8(temp);
      // Without FILE_SHARE_DELETE: the file is in use for PrepareOutputFiles of
      // another run until this write closes it.
      raw = ::CreateFileW(wide_temp.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                          nullptr);
      if (raw == INVALID_HANDLE_VALUE && !AlreadyThere(::GetLastError())) return {LastError()};
    }
    if (raw == INVALID_HANDLE_VALUE) return {std::make_error_code(std::errc::file_exists)};
    guard = RemoveOnInterrupt(temp);
    guard.HoldsOpen(raw);
  }
  Handle file(raw);
  std::error_code error;
  for (std::span<const uint8_t> piece : pieces) {
    if (error) break;
    error = WriteAll(file.get(), piece);
  }
  if (!error && sync && !::FlushFileBuffers(file.get())) error = LastError();
  InterruptsHeld held;
  guard.HoldsOpen(nullptr);
  if (!file.Close() && !error) error = LastError();
  if (error) {
    ::DeleteFileW(wide_temp.c_str());
    guard.Release();
    return {error};
  }
  staged.temp_ = std::move(temp);
  staged.target_ = path;
  staged.sync_ = sync;
  staged.existing_ = existing;
  staged.guard_ = std::move(guard);
  return {};
}

std::error_code StagedFile::Commit() {
  if (!pending()) return std::make_error_code(std::errc::invalid_argument);
  const std::wstring wide_temp = WideFromUtf8(temp_);
  InterruptsHeld held;
  const std::error_code error = ReplaceWith(wide_temp, WideFromUtf8(target_), existing_, sync_);
  if (error) ::DeleteFileW(wide_temp.c_str());
  guard_.Release();
  temp_.clear();
  return error;
}

void StagedFile::Discard() {
  if (!pending()) return;
  InterruptsHeld held;
  ::DeleteFileW(WideFromUtf8(temp_).c_str());
  guard_.Release();
  temp_.clear();
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : temp_(std::exchange(other.temp_, {})),
      target_(std::move(other.target_)),
      sync_(other.sync_),
      guard_(std::move(other.guard_)),
      existing_(other.existing_) {}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept {
  if (this != &other) {
    Discard();
    temp_ = std::exchange(other.temp_, {});
    target_ = std::move(other.target_);
    sync_ = other.sync_;
    guard_ = std::move(other.guard_);
    existing_ = other.existing_;
  }
  return *this;
}

void PrepareOutputFiles(std::span<const std::string> paths) {
  for (const std::string& path : paths) {
    const std::string folder = FolderPart(path);
    if (!folder.empty()) MakeFolders(folder);
    RemoveStalePartials(path);
  }
}

void RemoveFileIfPresent(const std::string& path) { ::DeleteFileW(WideFromUtf8(path).c_str()); }

std::FILE* OpenFile(const std::string& path, const char* mode, std::error_code& error) {
  // The C library's own call: it sets errno, not the system's last error.
  errno = 0;
  std::FILE* file = ::_wfopen(WideFromUtf8(path).c_str(), WideFromUtf8(mode).c_str());
  const int code = errno;
  error = file != nullptr ? std::error_code()
          : code != 0     ? std::error_code(code, std::generic_category())
                          : std::make_error_code(std::errc::io_error);
  return file;
}

}  // namespace qorvi
