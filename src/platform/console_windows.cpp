// SPDX-License-Identifier: GPL-3.0-or-later
// Standard output and error on Windows: binary mode for files and pipes, UTF-16
// for a console; and the entry point, wmain, which has the arguments as UTF-16.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/wide_text.h"

namespace qorvi {
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

std::error_code WriteToStream(std::FILE* stream, std::string_view text) {
  HANDLE console = ConsoleOf(stream);
  errno = 0;
  if (console == nullptr) {
    if (std::fwrite(text.data(), 1, text.size(), stream) == text.size()) return {};
    return {errno, std::generic_category()};
  }
  // What the stream holds goes first, so that the order stays.
  if (std::fflush(stream) != 0) return {errno, std::generic_category()};
  const std::wstring wide = WideFromUtf8(text);
  std::size_t done = 0;
  while (done < wide.size()) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 16 * 1024));
    DWORD written = 0;
    if (!::WriteConsoleW(console, wide.data() + done, chunk, &written, nullptr)) {
      return {static_cast<int>(::GetLastError()), std::system_category()};
    }
    if (written == 0) return std::make_error_code(std::errc::io_error);
    done += written;
  }
  return {};
}

}  // namespace qorvi

// The command line as UTF-16, handed on as UTF-8.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(qorvi::Utf8FromWide(argv[i]));
  std::vector<char*> pointers;
  for (std::string& a : arguments) pointers.push_back(a.data());
  pointers.push_back(nullptr);
  return qorvi::ConsoleMain(argc, pointers.data());
}
