// Standard output and error on Windows: binary mode for files and pipes, UTF-16
// for a console.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "cli/console.h"
#include "firmware/wide_text.h"

namespace qorvi::cli {
namespace {

// The console behind `stream`, or null when it goes to a file or a pipe.
HANDLE ConsoleOf(std::FILE* stream) {
  HANDLE handle = ::GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode)) return nullptr;
  return handle;
}

}  // namespace

void PrepareConsole() {
  // Text mode would turn every "\n" into "\r\n" and stop at a Ctrl+Z.
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
}

bool WriteToStream(std::FILE* stream, std::string_view text) {
  HANDLE console = ConsoleOf(stream);
  if (console == nullptr) return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
  // What the stream holds goes first, so that the order stays.
  if (std::fflush(stream) != 0) return false;
  const std::wstring wide = WideFromUtf8(text);
  std::size_t done = 0;
  while (done < wide.size()) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 16 * 1024));
    DWORD written = 0;
    if (!::WriteConsoleW(console, wide.data() + done, chunk, &written, nullptr) || written == 0) {
      errno = EIO;
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace qorvi::cli
