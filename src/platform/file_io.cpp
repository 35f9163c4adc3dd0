// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the file layer that are the same on every system.
#include "platform/file_io.h"

#include "platform/wide_text.h"

namespace qorvi {
namespace {

// Where the folder part of `path` ends: just after its last separator, or 0.
std::size_t NameStart(std::string_view path) {
  const std::size_t cut = path.find_last_of(kBackslashSeparatesFolders ? "/\\" : "/");
  return cut == std::string_view::npos ? 0 : cut + 1;
}

class FileCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "qorvi-file"; }
  std::string message(int code) const override {
    switch (static_cast<FileErrc>(code)) {
      case FileErrc::NotARegularFile: return "Not a regular file";
    }
    return "Unknown file error";
  }
};

}  // namespace

std::error_code make_error_code(FileErrc e) {  // NOLINT(readability-identifier-naming): see file_io.h
  static const FileCategory kCategory;
  return {static_cast<int>(e), kCategory};
}

WriteResult WriteFileAtomically(const std::string& path, std::initializer_list<std::span<const uint8_t>> pieces,
                                bool sync) {
  StagedFile staged;
  if (WriteResult r = StageFile(path, pieces, staged, sync); !r) return r;
  return {staged.Commit()};
}

StagedFile::~StagedFile() { Discard(); }

std::string FolderPart(std::string_view path) { return std::string(path.substr(0, NameStart(path))); }

std::string NamePart(std::string_view path) { return std::string(path.substr(NameStart(path))); }

bool IsPartialFileOf(std::string_view candidate, std::string_view name) {
  constexpr std::string_view kMark = ".partial-";
  constexpr std::size_t kRandom = 6;
  if (candidate.size() != name.size() + kMark.size() + kRandom) return false;
  if (!candidate.starts_with(name) || candidate.substr(name.size(), kMark.size()) != kMark) return false;
  for (char c : candidate.substr(name.size() + kMark.size())) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!alnum) return false;
  }
  return true;
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
#ifdef _WIN32
  return std::filesystem::path(WideFromUtf8(utf8));
#else
  return std::filesystem::path(std::string(utf8));
#endif
}

std::string Utf8FromPath(const std::filesystem::path& path) {
#ifdef _WIN32
  return Utf8FromWide(path.native());
#else
  return path.native();
#endif
}

std::error_code MakeFolders(const std::string& path) {
  const std::filesystem::path folder = PathFromUtf8(path);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return ec;
  if (!std::filesystem::is_directory(folder, ec)) return ec ? ec : std::make_error_code(std::errc::not_a_directory);
  return {};
}

}  // namespace qorvi
