// Whole-file reads into a fixed area and whole-file writes that never leave a
// cut file under the final name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

namespace qorvi {

enum class ReadStatus {
  Ok,
  CannotOpen,
  TooLong,  // the file holds more bytes than the area; nothing usable was read
};

struct ReadResult {
  ReadStatus status = ReadStatus::CannotOpen;
  std::size_t size = 0;  // bytes read when Ok
};

// Reads the whole file into the start of `area`.
ReadResult ReadFileInto(const std::string& path, std::span<uint8_t> area);

// Writes the pieces, in order, to a temporary file in the same folder, flushes it
// to disk (when `sync`; the temporary icon bitmaps need not survive a power cut)
// and renames it over `path`. On any failure (cannot create, short write,
// full disk) the temporary file is removed, an existing file at `path` stays as it
// was, and false is returned.
bool WriteFileAtomically(const std::string& path, std::initializer_list<std::span<const uint8_t>> pieces,
                         bool sync = true);

// Removes the file if it exists; a missing file is not an error.
void RemoveFileIfPresent(const std::string& path);

}  // namespace qorvi
