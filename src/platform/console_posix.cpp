// SPDX-License-Identifier: GPL-3.0-or-later
// Standard output and error on POSIX systems: bytes as they are; the entry point.
#include <cerrno>
#include <csignal>

#include "platform/console.h"

namespace qorvi {

void PrepareConsole() {
  // Past the file size limit a write fails and is reported like a full disk.
  std::signal(SIGXFSZ, SIG_IGN);
}

std::error_code WriteToStream(std::FILE* stream, std::string_view text) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stream) == text.size()) return {};
  // 0 when it is not known (a failure inside the stream's own buffering).
  return {errno, std::generic_category()};
}

}  // namespace qorvi

int main(int argc, char** argv) { return qorvi::ConsoleMain(argc, argv); }
