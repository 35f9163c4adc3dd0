// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows file layer on its own (built by the Windows cross build only, run
// under Wine by scripts/test-windows): names in UTF-8 with either separator, what a
// replace keeps, failures that keep the old file, the sweep of stale temporary
// files that spares a running write's.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/file_io.h"
#include "platform/folder_lock.h"
#include "platform/wide_text.h"

namespace qorvi {
namespace {

namespace fs = std::filesystem;

// A folder with a Japanese name for one test, removed afterwards; `path()` ends
// with a backslash, as Windows' own folder names do.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() /
              PathFromUtf8(std::string("qorvi-テスト-") + test->name() + "-" + std::to_string(::GetCurrentProcessId()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string path() const { return Utf8FromPath(folder_) + "\\"; }
  std::string operator/(const std::string& name) const { return path() + name; }

 private:
  fs::path folder_;
};

std::vector<uint8_t> Bytes(std::size_t n, uint8_t seed) {
  std::vector<uint8_t> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(seed + i * 7);
  return v;
}

void Put(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

std::vector<uint8_t> Get(const std::string& path) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(PathFromUtf8(folder))) names.insert(Utf8FromPath(e.path().filename()));
  return names;
}

DWORD AttributesOf(const std::string& path) { return ::GetFileAttributesW(WideFromUtf8(path).c_str()); }

WriteResult Write(const std::string& path, const std::vector<uint8_t>& bytes) {
  return WriteFileAtomically(path, {std::span<const uint8_t>(bytes)});
}

TEST(WindowsReadFileInto, ReadsWholeFilesThatFitAndProbesOneByteBeyond) {
  ScratchFolder dir;
  constexpr std::size_t kArea = 4096;
  const struct {
    std::size_t size;
    ReadStatus status;
  } rows[] = {
      {0, ReadStatus::Ok},
      {1, ReadStatus::Ok},
      {kArea - 1, ReadStatus::Ok},
      {kArea, ReadStatus::Ok},
      {kArea + 1, ReadStatus::TooLong},
      {3 * kArea, ReadStatus::TooLong},
  };
  std::vector<uint8_t> area(kArea);
  for (const auto& row : rows) {
    const std::vector<uint8_t> content = Bytes(row.size, 3);
    Put(dir / "ファイル.bin", content);
    ReadResult r = ReadFileInto(dir / "ファイル.bin", area);
    EXPECT_EQ(r.status, row.status) << row.size;
    if (row.status == ReadStatus::Ok) {
      EXPECT_EQ(r.size, row.size);
      EXPECT_TRUE(std::equal(content.begin(), content.end(), area.begin())) << row.size;
    }
  }
  // Either separator; not a file, or not there.
  std::string forward = dir / "ファイル.bin";
  std::replace(forward.begin(), forward.end(), '\\', '/');
  EXPECT_EQ(ReadFileInto(forward, area).status, ReadStatus::TooLong);
  EXPECT_EQ(ReadFileInto(dir.path(), area).status, ReadStatus::CannotOpen);
  // The system's reason comes back, as the POSIX build names it.
  const ReadResult missing = ReadFileInto(dir / "ない.bin", area);
  EXPECT_EQ(missing.status, ReadStatus::CannotOpen);
  EXPECT_EQ(missing.error, std::errc::no_such_file_or_directory) << missing.error.message();
  EXPECT_EQ(ReadFileInto(dir / "ない/x.bin", area).error, std::errc::no_such_file_or_directory);
  EXPECT_EQ(ReadFileInto("", area).status, ReadStatus::CannotOpen);
}

TEST(WindowsWriteFileAtomically, WritesAndReplacesUnderUnicodeNames) {
  ScratchFolder dir;
  ASSERT_FALSE(MakeFolders(dir / "出力/module"));
  const std::string target = dir / "出力/module\\vshmain.prx";
  const std::vector<uint8_t> a = Bytes(1000, 1), b = Bytes(0, 2), c = Bytes(70000, 3);
  ASSERT_TRUE(WriteFileAtomically(target, {a, b, c}));
  std::vector<uint8_t> want = a;
  want.insert(want.end(), c.begin(), c.end());
  EXPECT_EQ(Get(target), want);
  ASSERT_TRUE(WriteFileAtomically(target, {b}, /*sync=*/false));
  EXPECT_EQ(Get(target), b);
  EXPECT_EQ(FilesIn(dir / "出力\\module"), std::set<std::string>{"vshmain.prx"});
}

TEST(WindowsWriteFileAtomically, AReplacedFileKeepsReadOnlyHiddenAndSystem) {
  ScratchFolder dir;
  const std::string plain = dir / "plain.rco";
  const std::string locked = dir / "locked.rco";
  Put(plain, Bytes(10, 1));
  Put(locked, Bytes(10, 1));
  const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  ASSERT_TRUE(::SetFileAttributesW(WideFromUtf8(locked).c_str(), kept));

  ASSERT_TRUE(Write(plain, Bytes(20, 2)));
  WriteResult r = Write(locked, Bytes(30, 3));
  ASSERT_TRUE(r) << r.error.message();
  EXPECT_EQ(Get(locked), Bytes(30, 3));
  EXPECT_EQ(AttributesOf(locked) & kept, kept);
  EXPECT_EQ(AttributesOf(plain) & kept, 0u);
  EXPECT_EQ(Write(dir / "new.rco", Bytes(5, 5)) ? AttributesOf(dir / "new.rco") & kept : kept, 0u);
  ::SetFileAttributesW(WideFromUtf8(locked).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"plain.rco", "locked.rco", "new.rco"}));
}

TEST(WindowsWriteFileAtomically, AFailureKeepsTheOldFileAndLeavesNoTemporaryFile) {
  ScratchFolder dir;
  ASSERT_FALSE(MakeFolders(dir / "folder.prx"));
  WriteResult r = Write(dir / "folder.prx", Bytes(10, 1));
  EXPECT_EQ(r.error, std::errc::is_a_directory);
  r = Write(dir / "missing\\x.prx", Bytes(10, 1));
  EXPECT_EQ(r.error, std::errc::no_such_file_or_directory) << r.error.message();

  // A file another program holds open without letting it be deleted cannot be
  // replaced; it stays as it was.
  const std::string held = dir / "held.prx";
  Put(held, Bytes(10, 9));
  HANDLE other = ::CreateFileW(WideFromUtf8(held).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  r = Write(held, Bytes(20, 1));
  ::CloseHandle(other);
  EXPECT_FALSE(r);
  EXPECT_EQ(Get(held), Bytes(10, 9));
  EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"folder.prx", "held.prx"}));
}

// Windows refuses to replace a read-only file, so the write clears the target's
// mark for the rename after marking its temporary file read-only (to pass the mark
// on). When the target's mark cannot be cleared (another program holds the file
// without sharing: under Wine that refuses the attribute change, on Windows the
// rename), the temporary file loses its mark again and goes.
TEST(WindowsWriteFileAtomically, ATemporaryFileMarkedReadOnlyDoesNotStayBehind) {
  ScratchFolder dir;
  const std::string locked = dir / "locked.rco";
  Put(locked, Bytes(10, 1));
  ASSERT_TRUE(::SetFileAttributesW(WideFromUtf8(locked).c_str(), FILE_ATTRIBUTE_READONLY));
  HANDLE other = ::CreateFileW(WideFromUtf8(locked).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  const WriteResult r = Write(locked, Bytes(20, 2));
  ::CloseHandle(other);
  EXPECT_FALSE(r);
  EXPECT_EQ(AttributesOf(locked) & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  ::SetFileAttributesW(WideFromUtf8(locked).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Get(locked), Bytes(10, 1));
  EXPECT_EQ(FilesIn(dir.path()), std::set<std::string>{"locked.rco"});
}

TEST(WindowsStagedFile, ReplacesOnlyOnCommit) {
  ScratchFolder dir;
  Put(dir / "a.png", Bytes(5, 1));
  {
    StagedFile dropped;
    ASSERT_TRUE(StageFile(dir / "a.png", {Bytes(7, 2)}, dropped));
    EXPECT_EQ(FilesIn(dir.path()).size(), 2u);
  }
  EXPECT_EQ(FilesIn(dir.path()), std::set<std::string>{"a.png"});
  StagedFile a;
  StagedFile b;
  ASSERT_TRUE(StageFile(dir / "a.png", {Bytes(50, 3)}, a));
  ASSERT_TRUE(StageFile(dir / "b.json", {Bytes(60, 4)}, b));
  EXPECT_EQ(Get(dir / "a.png"), Bytes(5, 1));
  EXPECT_FALSE(a.Commit());
  EXPECT_FALSE(b.Commit());
  EXPECT_EQ(Get(dir / "a.png"), Bytes(50, 3));
  EXPECT_EQ(Get(dir / "b.json"), Bytes(60, 4));
  EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"a.png", "b.json"}));
}

// The lock of a save's output folder: one holder at a time, in one process too;
// the lock file goes with its holder.
TEST(WindowsFolderLock, OneHolderAtATime) {
  ScratchFolder dir;
  FolderLock first = FolderLock::Try(dir.path());
  ASSERT_TRUE(first.held()) << first.error().message();
  const FolderLock second = FolderLock::Try(dir / "");
  EXPECT_TRUE(second.busy());
  EXPECT_FALSE(second.held());
  first.Release();
  EXPECT_TRUE(FilesIn(dir.path()).empty()) << "the lock file goes with its holder";
  int said = 0;
  EXPECT_TRUE(FolderLock::Wait(dir.path(), std::chrono::milliseconds(0), [&] { ++said; }).held());
  EXPECT_EQ(said, 0);
  const FolderLock missing = FolderLock::Try(dir / "missing");
  EXPECT_FALSE(missing.held() || missing.busy());
  EXPECT_EQ(missing.error(), std::errc::no_such_file_or_directory) << missing.error().message();
}

TEST(WindowsPrepareOutputFiles, MakesTheFoldersAndRemovesOnlyStaleTemporaryFiles) {
  ScratchFolder dir;
  const std::string module = dir / "done\\module\\";
  const std::vector<std::string> outputs{module + "paf.prx", dir / "done/resource/topmenu_icon.rco"};
  ASSERT_FALSE(MakeFolders(module));
  for (const char* name : {"paf.prx.partial-AbC123", "paf.prx.partial-held00", "paf.prx.partial-AbC12",
                           "vshmain.prx.partial-AbC123", "paf.prx.old"}) {
    Put(module + name, {1, 2});
  }
  // A write in progress holds its temporary file open without FILE_SHARE_DELETE.
  HANDLE running = ::CreateFileW(WideFromUtf8(module + "paf.prx.partial-held00").c_str(), GENERIC_WRITE,
                                 FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(running, INVALID_HANDLE_VALUE);
  PrepareOutputFiles(outputs);
  ::CloseHandle(running);
  EXPECT_EQ(FilesIn(module), (std::set<std::string>{"paf.prx.partial-held00", "paf.prx.partial-AbC12",
                                                    "vshmain.prx.partial-AbC123", "paf.prx.old"}));
  EXPECT_TRUE(fs::is_directory(PathFromUtf8(dir / "done/resource")));
  PrepareOutputFiles(outputs);  // the write has ended
  EXPECT_FALSE(FilesIn(module).contains("paf.prx.partial-held00"));
}

TEST(WindowsOpenFile, OpensUnicodeNames) {
  ScratchFolder dir;
  Put(dir / "プリセット.json", {'{', '}'});
  std::error_code error;
  std::FILE* file = OpenFile(dir / "プリセット.json", "rb", error);
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(error);
  char text[4] = {};
  EXPECT_EQ(std::fread(text, 1, sizeof text, file), 2u);
  std::fclose(file);
  EXPECT_EQ(std::string(text), "{}");
  EXPECT_EQ(OpenFile(dir / "ない.json", "rb", error), nullptr);
  EXPECT_EQ(error, std::errc::no_such_file_or_directory) << error.message();
}

TEST(WindowsPathParts, BothSeparatorsCount) {
  EXPECT_EQ(FolderPart("a\\b/c"), "a\\b/");
  EXPECT_EQ(FolderPart("a/b\\c"), "a/b\\");
  EXPECT_EQ(NamePart("C:\\x\\y.prx"), "y.prx");
  EXPECT_EQ(FolderPart("y.prx"), "");
}

}  // namespace
}  // namespace qorvi
