// SPDX-License-Identifier: GPL-3.0-or-later
// The file layer on POSIX systems.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "platform/file_io.h"

namespace qorvi {
namespace {

// Closes a descriptor when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { close(); }
  int get() const { return fd_; }
  bool close() {
    if (fd_ < 0) return true;
    int r = ::close(fd_);
    fd_ = -1;
    return r == 0;
  }

 private:
  int fd_;
};

std::error_code LastError() { return {errno, std::generic_category()}; }

std::error_code WriteAll(int fd, std::span<const uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    if (n == 0) return std::make_error_code(std::errc::io_error);
    done += static_cast<std::size_t>(n);
  }
  return {};
}

// Follows symbolic links until `path` names something else (or nothing): the file a
// write through the link has to replace.
std::string FollowLinks(const std::string& path, std::error_code& error) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::string target(4096, '\0');
    ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
    if (n < 0 || static_cast<std::size_t>(n) >= target.size()) {
      error = n < 0 ? LastError() : std::make_error_code(std::errc::filename_too_long);
      return current;
    }
    target.resize(static_cast<std::size_t>(n));
    current = target.starts_with('/') ? target : FolderPart(current) + target;
  }
  error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
  return current;
}

// The permission bits a new file gets from the process's umask.
mode_t NewFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Flushes a folder's entries (the name a rename just made) to disk. Folders that
// cannot be opened or file systems that cannot flush a folder are passed over:
// the file itself is complete either way.
std::error_code SyncFolder(const std::string& folder) {
  Fd fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) return {};
  if (::fsync(fd.get()) != 0 && errno != EINVAL && errno != ENOTSUP && errno != EROFS) return LastError();
  return {};
}

// Removes NAME.partial-XXXXXX files next to `path` unless a running write holds
// them: every write keeps an exclusive lock on its temporary file until it is
// renamed, and the system drops the lock of a process that was killed.
void RemoveStalePartials(const std::string& path) {
  const std::string folder = FolderPart(path);
  const std::string name = NamePart(path);
  std::error_code ec;
  std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::string candidate = it->path().filename().string();
    if (!IsPartialFileOf(candidate, name)) continue;
    const std::string full = folder + candidate;
    Fd fd(::open(full.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;  // a write in progress
    ::unlink(full.c_str());
  }
}

}  // namespace

ReadResult ReadFileInto(const std::string& path, std::span<uint8_t> area) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return {ReadStatus::CannotOpen, 0, LastError()};
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return {ReadStatus::CannotOpen, 0, LastError()};
  if (S_ISDIR(st.st_mode)) return {ReadStatus::CannotOpen, 0, std::make_error_code(std::errc::is_a_directory)};
  std::size_t total = 0;
  for (;;) {
    if (total == area.size()) {
      // The area is full: the file is too long if one more byte can be read.
      uint8_t probe;
      ssize_t n;
      do {
        n = ::read(fd.get(), &probe, 1);
      } while (n < 0 && errno == EINTR);
      if (n < 0) return {ReadStatus::CannotOpen, 0, LastError()};
      if (n > 0) return {ReadStatus::TooLong, 0, {}};
      break;
    }
    ssize_t n = ::read(fd.get(), area.data() + total, area.size() - total);
    if (n < 0) {
      if (errno == EINTR) continue;
      return {ReadStatus::CannotOpen, 0, LastError()};
    }
    if (n == 0) break;
    total += static_cast<std::size_t>(n);
  }
  return {ReadStatus::Ok, total, {}};
}

WriteResult StageFile(const std::string& path, std::initializer_list<std::span<const uint8_t>> pieces,
                      StagedFile& staged, bool sync) {
  staged.Discard();
  std::error_code error;
  const std::string target = FollowLinks(path, error);
  if (error) return {error};

  // Only a regular file is replaced: a rename over a device node, a FIFO or a
  // socket would put a file in its place (as root, /dev/null itself).
  struct stat existing {};
  bool replaces = false;
  if (::stat(target.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode)) return {std::make_error_code(std::errc::is_a_directory)};
    if (!S_ISREG(existing.st_mode)) return {FileErrc::NotARegularFile};
    replaces = true;
  } else if (errno != ENOENT) {
    return {LastError()};
  }

  std::string temp = target + ".partial-XXXXXX";
  RemoveOnInterrupt guard;
  int raw;
  int lock;
  {
    InterruptsHeld held;
    raw = ::mkstemp(temp.data());
    if (raw < 0) return {LastError()};
    guard = RemoveOnInterrupt(temp);
    // Marks the file as in use, so PrepareOutputFiles of another run leaves it be:
    // an exclusive lock on a descriptor of its own, which stays open until the
    // rename, while the written one is closed (and its errors seen) before.
    // (A file system without such locks marks nothing; the write goes on.)
    lock = ::open(temp.c_str(), O_RDWR | O_CLOEXEC);
    if (lock < 0) {
      error = LastError();
    } else {
      ::flock(lock, LOCK_EX | LOCK_NB);
    }
  }
  Fd fd(raw);
  for (std::span<const uint8_t> piece : pieces) {
    if (error) break;
    error = WriteAll(fd.get(), piece);
  }
  if (!error && replaces) {
    // The owner first: changing it may clear the set-id bits that fchmod sets next.
    // Only a privileged process can give a file away; otherwise the new file is ours.
    if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
      [[maybe_unused]] int ignored = ::fchown(fd.get(), existing.st_uid, existing.st_gid);
    }
  }
  // mkstemp creates the file private to its owner.
  if (!error && ::fchmod(fd.get(), replaces ? existing.st_mode & 07777 : NewFileMode()) != 0) error = LastError();
  if (!error && sync && ::fsync(fd.get()) != 0) error = LastError();
  if (!fd.close() && !error) error = LastError();
  InterruptsHeld held;
  if (error) {
    ::unlink(temp.c_str());
    if (lock >= 0) ::close(lock);
    guard.Release();
    return {error};
  }
  staged.temp_ = std::move(temp);
  staged.target_ = target;
  staged.sync_ = sync;
  staged.lock_ = lock;
  staged.guard_ = std::move(guard);
  return {};
}

std::error_code StagedFile::Commit() {
  if (!pending()) return std::make_error_code(std::errc::invalid_argument);
  std::error_code error;
  {
    InterruptsHeld held;
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
      error = LastError();
      ::unlink(temp_.c_str());
    }
    // Renamed or removed: the lock has done its work.
    ::close(lock_);
    lock_ = -1;
    guard_.Release();
    temp_.clear();
  }
  if (!error && sync_) error = SyncFolder(FolderPart(target_));
  return error;
}

void StagedFile::Discard() {
  if (!pending()) return;
  InterruptsHeld held;
  ::unlink(temp_.c_str());
  ::close(lock_);
  lock_ = -1;
  guard_.Release();
  temp_.clear();
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : temp_(std::exchange(other.temp_, {})),
      target_(std::move(other.target_)),
      sync_(other.sync_),
      guard_(std::move(other.guard_)),
      lock_(std::exchange(other.lock_, -1)) {}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept {
  if (this != &other) {
    Discard();
    temp_ = std::exchange(other.temp_, {});
    target_ = std::move(other.target_);
    sync_ = other.sync_;
    guard_ = std::move(other.guard_);
    lock_ = std::exchange(other.lock_, -1);
  }
  return *this;
}

void PrepareOutputFiles(std::span<const std::string> paths) {
  for (const std::string& path : paths) {
    std::error_code ignored;
    const std::string target = FollowLinks(path, ignored);
    const std::string folder = FolderPart(target);
    if (!folder.empty()) MakeFolders(folder);
    RemoveStalePartials(target);
    // A link may have been a file when an earlier write was cut.
    if (target != path) RemoveStalePartials(path);
  }
}

void RemoveFileIfPresent(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))) ::unlink(path.c_str());
}

std::FILE* OpenFile(const std::string& path, const char* mode, std::error_code& error) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), mode);
  error = file != nullptr ? std::error_code() : errno != 0 ? LastError() : std::make_error_code(std::errc::io_error);
  return file;
}

}  // namespace qorvi
