// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads into a fixed area and whole-file writes that never leave a
// cut file under the final name.
//
// File names are UTF-8 text everywhere in the program. On POSIX systems they go to
// the system as they are; on Windows every call takes the UTF-16 form (the narrow
// file functions there would read the bytes in the ANSI code page), and the
// backslash separates folders as the slash does. The two implementations are
// file_io_posix.cpp and file_io_windows.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/interrupt_cleanup.h"
#include "platform/path_parts.h"

namespace qorvi {

enum class ReadStatus {
  Ok,
  CannotOpen,
  TooLong,  // the file holds more bytes than the area; nothing usable was read
};

struct ReadResult {
  ReadStatus status = ReadStatus::CannotOpen;
  std::size_t size = 0;   // bytes read when Ok
  std::error_code error;  // CannotOpen: the system's reason (empty when it gave none)
};

// Reads the whole file into the start of `area`. A folder cannot be opened (POSIX:
// is_a_directory; Windows: the system's access refusal).
ReadResult ReadFileInto(const std::string& path, std::span<uint8_t> area);

struct WriteResult {
  std::error_code error;  // what failed; empty when the file was written
  explicit operator bool() const { return !error; }
};

// Failures of the file layer that are not the system's own.
enum class FileErrc {
  // Where the file is to be written stands a device, a FIFO or a socket. Only a
  // regular file (or a symbolic link to one) is ever replaced: renaming over
  // /dev/null or a user's FIFO would destroy it.
  NotARegularFile = 1,
};
std::error_code make_error_code(FileErrc e);  // NOLINT(readability-identifier-naming): the name error_code looks up

// Writes the pieces, in order, to a temporary file NAME.partial-XXXXXX in the same
// folder, flushes it to disk (when `sync`; the icon bitmaps need not survive a
// power cut), renames it over `path` and then flushes the folder, so the new name
// is on disk too. On any failure (cannot create, short write, full disk) the
// temporary file is removed, an existing file at `path` stays as it was, and the
// cause is returned. The temporary file is also removed when the process is
// interrupted (see interrupt_cleanup.h). What stands at `path` must be a regular
// file or nothing: a folder is refused (is_a_directory) before anything is
// written, and so is a device, a FIFO or a socket (FileErrc::NotARegularFile).
//
// Until the rename, the temporary file is held as in use (POSIX: an exclusive
// lock; Windows: opened without FILE_SHARE_DELETE while it is written), so that
// PrepareOutputFiles of another run leaves it be.
//
// POSIX: an existing file keeps its permission bits (a read-only file stays
// read-only) and, where the system allows, its owner. When `path` is a symbolic
// link, the file it points to is replaced and the link stays as it is.
// Windows: an existing file keeps its read-only, hidden and system attributes; the
// new file gets the access rights the folder gives new files. A symbolic link at
// `path` is replaced by the file (Windows renames over the link itself).
WriteResult WriteFileAtomically(const std::string& path, std::initializer_list<std::span<const uint8_t>> pieces,
                                bool sync = true);

// WriteFileAtomically in two steps, for files that are to be replaced together
// or not at all (qorvi --render's picture and geometry): StageFile does every
// step up to the rename, so the new content waits, complete and flushed, in its
// temporary file; Commit() renames it over the target. A StagedFile that goes
// without Commit() removes its temporary file and leaves the target as it was.
class StagedFile {
 public:
  StagedFile() = default;
  StagedFile(StagedFile&& other) noexcept;
  StagedFile& operator=(StagedFile&& other) noexcept;
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  ~StagedFile();

  // Whether a temporary file waits for Commit().
  bool pending() const { return !temp_.empty(); }
  // Renames the temporary file over the target and, when staged with `sync`,
  // flushes the folder. On failure the temporary file is removed and the target
  // stays as it was. Once only; invalid_argument when nothing is pending.
  std::error_code Commit();

 private:
  friend WriteResult StageFile(const std::string& path, std::initializer_list<std::span<const uint8_t>> pieces,
                               StagedFile& staged, bool sync);
  void Discard();

  std::string temp_;    // the temporary file; empty when nothing is pending
  std::string target_;  // what it replaces (POSIX: the file a symbolic link points to)
  bool sync_ = true;
  RemoveOnInterrupt guard_;
#ifdef _WIN32
  unsigned long existing_ = 0xFFFFFFFFul;  // the target's attributes when staged; INVALID_FILE_ATTRIBUTES: none
#else
  int lock_ = -1;  // a descriptor of its own that holds the temporary file's lock until the rename
#endif
};

// The first step: on success `staged` holds the temporary file (a file it held
// before is discarded first); on failure nothing is left behind.
WriteResult StageFile(const std::string& path, std::initializer_list<std::span<const uint8_t>> pieces,
                      StagedFile& staged, bool sync = true);

// Makes the folder of each output file with its missing parents (as mkdir -p;
// a failure is left to the write that follows), and removes what interrupted
// earlier writes of these names left there: NAME.partial-XXXXXX files that no
// running write holds.
void PrepareOutputFiles(std::span<const std::string> paths);
inline void PrepareOutputFiles(std::initializer_list<std::string> paths) {
  PrepareOutputFiles(std::span<const std::string>(paths.begin(), paths.size()));
}

// Whether `candidate` is a name the temporary file of a write of `name` has:
// NAME.partial- and six letters or digits.
bool IsPartialFileOf(std::string_view candidate, std::string_view name);

// Makes a folder with its missing parents; an existing folder is fine.
std::error_code MakeFolders(const std::string& path);

// Removes the file if it exists; a missing file is not an error. Only a regular
// file or a symbolic link (the link itself) is removed: a device node, a FIFO or
// a socket of that name stays.
void RemoveFileIfPresent(const std::string& path);

// std::fopen for a UTF-8 file name; on failure null, with the system's reason in
// `error`.
std::FILE* OpenFile(const std::string& path, const char* mode, std::error_code& error);

// A UTF-8 file name as a std::filesystem path, and back. (On Windows the path's
// constructor from a narrow string would read it in the ANSI code page.)
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace qorvi

template <>
struct std::is_error_code_enum<qorvi::FileErrc> : std::true_type {};
