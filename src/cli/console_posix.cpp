// Standard output and error on POSIX systems: bytes as they are.
#include "cli/console.h"

namespace qorvi::cli {

void PrepareConsole() {}

bool WriteToStream(std::FILE* stream, std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

}  // namespace qorvi::cli
