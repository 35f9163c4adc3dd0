// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the disk look full to this process: writes past `bytes` into any file fail
// (EFBIG) instead of raising SIGXFSZ. Works as root too, unlike permission bits.
// Restores the old limit and signal disposition when it goes out of scope.
#pragma once

#include <signal.h>
#include <sys/resource.h>

namespace qorvi::testing {

class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(rlim_t bytes) {
    old_handler_ = ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &old_limit_);
    rlimit limit = old_limit_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;
  ~ScopedFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_limit_);
    ::signal(SIGXFSZ, old_handler_);
  }

 private:
  rlimit old_limit_{};
  sighandler_t old_handler_ = SIG_DFL;
};

}  // namespace qorvi::testing
