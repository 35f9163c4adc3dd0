#include "firmware/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

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

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

ReadResult ReadFileInto(const std::string& path, std::span<uint8_t> area) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return {ReadStatus::CannotOpen, 0};
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return {ReadStatus::CannotOpen, 0};
  std::size_t total = 0;
  for (;;) {
    if (total == area.size()) {
      // The area is full: the file is too long if one more byte can be read.
      uint8_t probe;
      ssize_t n;
      do {
        n = ::read(fd.get(), &probe, 1);
      } while (n < 0 && errno == EINTR);
      if (n < 0) return {ReadStatus::CannotOpen, 0};
      if (n > 0) return {ReadStatus::TooLong, 0};
      break;
    }
    ssize_t n = ::read(fd.get(), area.data() + total, area.size() - total);
    if (n < 0) {
      if (errno == EINTR) continue;
      return {ReadStatus::CannotOpen, 0};
    }
    if (n == 0) break;
    total += static_cast<std::size_t>(n);
  }
  return {ReadStatus::Ok, total};
}

bool WriteFileAtomically(const std::string& path, std::initializer_list<std::span<const uint8_t>> pieces, bool sync) {
  std::string temp = path + ".partial-XXXXXX";
  std::vector<char> name(temp.begin(), temp.end());
  name.push_back('\0');
  int raw = ::mkstemp(name.data());
  if (raw < 0) return false;
  std::string tempPath(name.data());
  Fd fd(raw);
  // mkstemp creates the file private to its owner; give it the usual permissions.
  mode_t mask = ::umask(0);
  ::umask(mask);
  bool ok = ::fchmod(fd.get(), 0666 & ~mask) == 0;
  for (std::span<const uint8_t> piece : pieces) {
    if (!ok) break;
    ok = WriteAll(fd.get(), piece);
  }
  ok = ok && (!sync || ::fsync(fd.get()) == 0);
  ok = fd.close() && ok;
  ok = ok && ::rename(tempPath.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(tempPath.c_str());
  return ok;
}

void RemoveFileIfPresent(const std::string& path) { ::unlink(path.c_str()); }

}  // namespace qorvi
