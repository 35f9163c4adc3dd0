// Reading an input file whole into its area, with the reason when that fails.
#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>

#include "firmware/file_io.h"
#include "model/result.h"

namespace qorvi {

enum class InputFailure {
  CannotOpen,  // missing, unreadable, a folder, or a read error
  TooLong,     // holds more bytes than the area
};
struct InputRefusal {
  InputFailure kind;
  std::string cause;  // the system's reason ("No such file or directory"), or the size that does not fit
};

// The system's text for an error number ("No space left on device"), or
// `otherwise` when the failed call left none.
inline std::string SystemErrorText(int error, const std::string& otherwise) {
  if (error == 0) return otherwise;
  return std::generic_category().message(error);
}

// The number of bytes read into the start of `area`.
inline Result<std::size_t, InputRefusal> ReadInput(const std::string& path, std::span<uint8_t> area) {
  errno = 0;
  const ReadResult r = ReadFileInto(path, area);
  const int error = errno;
  switch (r.status) {
    case ReadStatus::Ok: return r.size;
    case ReadStatus::TooLong:
      return InputRefusal{InputFailure::TooLong,
                          "larger than the " + std::to_string(area.size()) + " bytes it may hold"};
    case ReadStatus::CannotOpen: break;
  }
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return InputRefusal{InputFailure::CannotOpen, "is a folder"};
  return InputRefusal{InputFailure::CannotOpen, SystemErrorText(error, "cannot be read")};
}

}  // namespace qorvi
