// SPDX-License-Identifier: GPL-3.0-or-later
// Reading an input file whole into its area, with the reason when that fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>

#include "model/result.h"
#include "platform/file_io.h"

namespace qorvi {

enum class InputFailure {
  CannotOpen,  // missing, unreadable, a folder, or a read error
  TooLong,     // holds more bytes than the area
};
struct InputRefusal {
  InputFailure kind;
  std::string cause;  // the system's reason ("No such file or directory"), or the size that does not fit
};

// The text of an error the file layer returned ("No space left on device"), or
// `otherwise` when it returned none.
inline std::string SystemErrorText(const std::error_code& error, const std::string& otherwise) {
  if (!error) return otherwise;
  return error.message();
}

// The number of bytes read into the start of `area`.
inline Result<std::size_t, InputRefusal> ReadInput(const std::string& path, std::span<uint8_t> area) {
  const ReadResult r = ReadFileInto(path, area);
  switch (r.status) {
    case ReadStatus::Ok: return r.size;
    case ReadStatus::TooLong:
      return InputRefusal{InputFailure::TooLong,
                          "larger than the " + std::to_string(area.size()) + " bytes it may hold"};
    case ReadStatus::CannotOpen: break;
  }
  // Windows refuses to open a folder as it refuses a file it may not read.
  std::error_code ec;
  if (std::filesystem::is_directory(PathFromUtf8(path), ec))
    return InputRefusal{InputFailure::CannotOpen, "is a folder"};
  return InputRefusal{InputFailure::CannotOpen, SystemErrorText(r.error, "cannot be read")};
}

}  // namespace qorvi
