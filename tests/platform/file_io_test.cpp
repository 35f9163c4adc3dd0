// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads and the atomic writes: sizes around the area, failures that
// keep the old file, permissions, links, leftovers of cut writes, interrupts.
#include "platform/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <set>
#include <vector>

#include "platform/file_size_limit.h"
#include "support/scoped_temp_dir.h"

namespace qorvi {
namespace {

using testing::ReadBytes;
using testing::ScopedTempDir;
using testing::WriteBytes;
namespace fs = std::filesystem;

std::vector<uint8_t> Bytes(std::size_t n, uint8_t seed) {
  std::vector<uint8_t> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(seed + i * 7);
  return v;
}

std::set<std::string> FilesIn(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

WriteResult Write(const std::string& path, const std::vector<uint8_t>& bytes) {
  return WriteFileAtomically(path, {std::span<const uint8_t>(bytes)});
}

// Sets the umask for one test.
class ScopedUmask {
 public:
  explicit ScopedUmask(mode_t mask) : old_(::umask(mask)) {}
  ~ScopedUmask() { ::umask(old_); }

 private:
  mode_t old_;
};

TEST(ReadFileInto, ReadsWholeFilesThatFitAndProbesOneByteBeyond) {
  ScopedTempDir dir;
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
  std::vector<uint8_t> area(kArea, 0xEE);
  for (const auto& row : rows) {
    const std::vector<uint8_t> content = Bytes(row.size, 3);
    WriteBytes(dir / "f", content);
    std::fill(area.begin(), area.end(), 0xEE);
    ReadResult r = ReadFileInto(dir / "f", area);
    EXPECT_EQ(r.status, row.status) << row.size;
    if (row.status == ReadStatus::Ok) {
      EXPECT_EQ(r.size, row.size);
      EXPECT_TRUE(std::equal(content.begin(), content.end(), area.begin())) << row.size;
    }
  }
  // What is not a file of bytes, or not there: the system's reason comes back.
  const ReadResult folder = ReadFileInto(dir.path(), area);
  EXPECT_EQ(folder.status, ReadStatus::CannotOpen);
  EXPECT_EQ(folder.error, std::errc::is_a_directory);
  const ReadResult missing = ReadFileInto(dir / "missing", area);
  EXPECT_EQ(missing.status, ReadStatus::CannotOpen);
  EXPECT_EQ(missing.error, std::errc::no_such_file_or_directory);
  fs::create_symlink("loop2", dir / "loop1");
  fs::create_symlink("loop1", dir / "loop2");
  EXPECT_EQ(ReadFileInto(dir / "loop1", area).error, std::errc::too_many_symbolic_link_levels);
  EXPECT_EQ(ReadFileInto("/dev/zero", area).status, ReadStatus::TooLong) << "an endless source is too long";
  std::vector<uint8_t> empty;
  EXPECT_EQ(ReadFileInto("/dev/null", empty).status, ReadStatus::Ok);
}

TEST(WriteFileAtomically, WritesThePiecesInOrder) {
  ScopedTempDir dir;
  const std::vector<uint8_t> a = Bytes(1000, 1), b = Bytes(0, 2), c = Bytes(70000, 3);
  ASSERT_TRUE(WriteFileAtomically(dir / "out.bin", {a, b, c}));
  std::vector<uint8_t> want = a;
  want.insert(want.end(), c.begin(), c.end());
  EXPECT_EQ(ReadBytes(dir / "out.bin"), want);
  EXPECT_EQ(FilesIn(dir.path()), std::set<std::string>{"out.bin"});
  ASSERT_TRUE(WriteFileAtomically(dir / "out.bin", {b}, /*sync=*/false));
  EXPECT_EQ(ReadBytes(dir / "out.bin"), b);
}

TEST(WriteFileAtomically, AFailureKeepsTheOldFileAndLeavesNoTemporaryFile) {
  ScopedTempDir dir;
  const std::vector<uint8_t> old = Bytes(500, 9);
  WriteBytes(dir / "out.bin", old);
  {
    // The disk is full after 1000 bytes.
    testing::ScopedFileSizeLimit full(1000);
    WriteResult r = Write(dir / "out.bin", Bytes(5000, 1));
    EXPECT_FALSE(r);
    EXPECT_EQ(r.error, std::errc::file_too_large) << r.error.message();
    EXPECT_FALSE(Write(dir / "new.bin", Bytes(1001, 1)));
    EXPECT_TRUE(Write(dir / "small.bin", Bytes(1000, 1))) << "exactly what fits";
  }
  EXPECT_EQ(ReadBytes(dir / "out.bin"), old);
  EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"out.bin", "small.bin"}));

  // No folder to write into; a folder where the file should be.
  EXPECT_EQ(Write(dir / "missing/out.bin", old).error, std::errc::no_such_file_or_directory);
  fs::create_directories(dir / "taken/inside");
  EXPECT_FALSE(Write(dir / "taken", old));
  EXPECT_TRUE(fs::is_directory(dir / "taken/inside"));
  EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"out.bin", "small.bin", "taken"}));
}

TEST(WriteFileAtomically, NewFilesFollowTheUmaskReplacedFilesKeepTheirPermissions) {
  ScopedTempDir dir;
  {
    ScopedUmask mask(022);
    ASSERT_TRUE(Write(dir / "a", Bytes(10, 1)));
    EXPECT_EQ(ModeOf(dir / "a"), 0644u);
  }
  {
    ScopedUmask mask(077);
    ASSERT_TRUE(Write(dir / "b", Bytes(10, 1)));
    EXPECT_EQ(ModeOf(dir / "b"), 0600u);
  }
  for (mode_t mode : {0444u, 0400u, 0640u, 0755u, 0604u}) {
    ::chmod((dir / "a").c_str(), mode);
    const std::vector<uint8_t> content = Bytes(20, static_cast<uint8_t>(mode));
    ASSERT_TRUE(Write(dir / "a", content)) << std::oct << mode;
    EXPECT_EQ(ModeOf(dir / "a"), mode);
    EXPECT_EQ(ReadBytes(dir / "a"), content);
  }
}

TEST(WriteFileAtomically, ALinkStaysAndTheFileItPointsToIsReplaced) {
  ScopedTempDir dir;
  fs::create_directories(dir / "real");
  fs::create_directories(dir / "links");
  WriteBytes(dir / "real/file", Bytes(3, 1));
  ::chmod((dir / "real/file").c_str(), 0600);
  fs::create_symlink("../real/file", dir / "links/one");     // relative to the link's folder
  fs::create_symlink(dir / "links/one", dir / "links/two");  // a chain
  const struct {
    const char* link;
    uint8_t seed;
  } rows[] = {{"links/one", 10}, {"links/two", 20}};
  for (const auto& row : rows) {
    const std::vector<uint8_t> content = Bytes(100, row.seed);
    ASSERT_TRUE(Write(dir / row.link, content)) << row.link;
    EXPECT_TRUE(fs::is_symlink(dir / row.link));
    EXPECT_EQ(ReadBytes(dir / "real/file"), content);
    EXPECT_EQ(ModeOf(dir / "real/file"), 0600u);
    EXPECT_EQ(FilesIn(dir / "real"), std::set<std::string>{"file"});
    EXPECT_EQ(FilesIn(dir / "links"), (std::set<std::string>{"one", "two"}));
  }
  // A link to nothing yet: the file is made where it points.
  fs::create_symlink("../real/later", dir / "links/dangling");
  ASSERT_TRUE(Write(dir / "links/dangling", Bytes(5, 1)));
  EXPECT_EQ(ReadBytes(dir / "real/later"), Bytes(5, 1));
  // A loop is an error, not a hang.
  fs::create_symlink("loop2", dir / "links/loop1");
  fs::create_symlink("loop1", dir / "links/loop2");
  EXPECT_EQ(Write(dir / "links/loop1", Bytes(5, 1)).error, std::errc::too_many_symbolic_link_levels);
}

// What a name stands for, not following a link at the name itself.
mode_t TypeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st.st_mode & S_IFMT;
}

TEST(WriteFileAtomically, OnlyARegularFileIsReplaced) {
  ScopedTempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, (dir / "socket").c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  // A device node of its own (the system's /dev/null is never a test's target, so
  // that a failing test cannot replace it); only a privileged run may make one.
  const bool device = ::mknod((dir / "device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  fs::create_symlink("fifo", dir / "link");
  std::set<std::string> names{"fifo", "socket", "link"};
  if (device) names.insert("device");

  const struct {
    const char* name;
    mode_t type;  // of the special file itself (for the link: of what it points to)
  } rows[] = {{"fifo", S_IFIFO}, {"socket", S_IFSOCK}, {"device", S_IFCHR}, {"link", S_IFIFO}};
  for (const auto& row : rows) {
    if (!names.contains(row.name)) continue;
    const WriteResult r = Write(dir / row.name, Bytes(10, 1));
    EXPECT_EQ(r.error, FileErrc::NotARegularFile) << row.name << ": " << r.error.message();
    EXPECT_EQ(r.error.message(), "Not a regular file");
    StagedFile staged;
    EXPECT_EQ(StageFile(dir / row.name, {Bytes(10, 1)}, staged).error, FileErrc::NotARegularFile) << row.name;
    EXPECT_FALSE(staged.pending());
    // Nor is such a file removed where a file of that name would be.
    if (std::string(row.name) != "link") RemoveFileIfPresent(dir / row.name);
  }
  ::close(sock);
  EXPECT_EQ(TypeOf(dir / "fifo"), static_cast<mode_t>(S_IFIFO));
  EXPECT_EQ(TypeOf(dir / "socket"), static_cast<mode_t>(S_IFSOCK));
  EXPECT_EQ(TypeOf(dir / "link"), static_cast<mode_t>(S_IFLNK));
  if (device) {
    EXPECT_EQ(TypeOf(dir / "device"), static_cast<mode_t>(S_IFCHR));
  }
  EXPECT_EQ(FilesIn(dir.path()), names) << "no temporary file is left";
  RemoveFileIfPresent(dir / "link");
  EXPECT_EQ(TypeOf(dir / "fifo"), static_cast<mode_t>(S_IFIFO)) << "a link goes, not what it points to";
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "link")));
}

TEST(StagedFile, ReplacesOnlyOnCommitAndHoldsItsFileUntilThen) {
  ScopedTempDir dir;
  WriteBytes(dir / "a.png", Bytes(5, 1));
  StagedFile a;
  StagedFile b;
  ASSERT_TRUE(StageFile(dir / "a.png", {Bytes(50, 2)}, a));
  ASSERT_TRUE(StageFile(dir / "b.json", {Bytes(60, 3)}, b));
  EXPECT_TRUE(a.pending() && b.pending());
  // Until the commits the old file stands, and the new ones wait beside it,
  // written and closed. Another run's sweep of cut writes leaves them be: each
  // holds its lock until its rename.
  PrepareOutputFiles({dir / "a.png", dir / "b.json"});
  EXPECT_EQ(ReadBytes(dir / "a.png"), Bytes(5, 1));
  EXPECT_FALSE(fs::exists(dir / "b.json"));
  EXPECT_EQ(FilesIn(dir.path()).size(), 3u);
  EXPECT_FALSE(a.Commit());
  EXPECT_FALSE(b.Commit());
  EXPECT_EQ(ReadBytes(dir / "a.png"), Bytes(50, 2));
  EXPECT_EQ(ReadBytes(dir / "b.json"), Bytes(60, 3));
  EXPECT_EQ(a.Commit(), std::errc::invalid_argument) << "once only";

  // Not committed: the temporary file goes, the old file stays.
  {
    StagedFile dropped;
    ASSERT_TRUE(StageFile(dir / "a.png", {Bytes(7, 4)}, dropped));
    StagedFile moved = std::move(dropped);
    EXPECT_FALSE(dropped.pending());  // NOLINT(bugprone-use-after-move): a moved-from file holds nothing
    EXPECT_TRUE(moved.pending());
  }
  EXPECT_EQ(ReadBytes(dir / "a.png"), Bytes(50, 2));
  EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"a.png", "b.json"}));
  // Staging again discards what was staged before.
  StagedFile twice;
  ASSERT_TRUE(StageFile(dir / "a.png", {Bytes(8, 5)}, twice));
  ASSERT_TRUE(StageFile(dir / "a.png", {Bytes(9, 6)}, twice));
  EXPECT_EQ(FilesIn(dir.path()).size(), 3u);
  EXPECT_FALSE(twice.Commit());
  EXPECT_EQ(ReadBytes(dir / "a.png"), Bytes(9, 6));
  EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"a.png", "b.json"}));
}

TEST(OpenFile, ReturnsTheSystemsReason) {
  ScopedTempDir dir;
  WriteBytes(dir / "preset.json", {'{', '}'});
  std::error_code error;
  std::FILE* file = OpenFile(dir / "preset.json", "rb", error);
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(error);
  std::fclose(file);
  EXPECT_EQ(OpenFile(dir / "missing.json", "rb", error), nullptr);
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}

TEST(PathParts, SplitAtTheLastSlash) {
  EXPECT_EQ(FolderPart("a/b/c"), "a/b/");
  EXPECT_EQ(NamePart("a/b/c"), "c");
  EXPECT_EQ(FolderPart("c"), "");
  EXPECT_EQ(NamePart("c"), "c");
  EXPECT_EQ(FolderPart("/c"), "/");
  EXPECT_EQ(NamePart("a/"), "");
  // A backslash is part of a name here.
  EXPECT_EQ(FolderPart("a/b\\c"), "a/");
  EXPECT_EQ(NamePart("a/b\\c"), "b\\c");
}

TEST(PrepareOutputFiles, MakesTheFoldersAndRemovesOnlyStaleTemporaryFilesOfTheseNames) {
  ScopedTempDir dir;
  const std::string a = dir / "o/x/module/a.prx";
  const std::string b = dir / "o/x/resource/b.rco";
  PrepareOutputFiles({a, b});
  EXPECT_TRUE(fs::is_directory(dir / "o/x/module"));
  EXPECT_TRUE(fs::is_directory(dir / "o/x/resource"));

  const std::string module = dir / "o/x/module/";
  const std::vector<std::string> stale{"a.prx.partial-AbC123", "a.prx.partial-000000"};
  const std::vector<std::string> kept{"a.prx.partial-AbC12",  "a.prx.partial-AbC1234", "a.prx.partial-AbC_23",
                                      "c.prx.partial-AbC123", "a.prx.partialXAbC123",  "a.prx",
                                      "a.prx.partial-busy01"};
  for (const auto& name : stale) WriteBytes(module + name, {1});
  for (const auto& name : kept) WriteBytes(module + name, {1});
  fs::create_directory(module + "a.prx.partial-Folder");
  // A write in progress holds its temporary file.
  int busy = ::open((module + "a.prx.partial-busy01").c_str(), O_RDONLY);
  ASSERT_GE(busy, 0);
  ASSERT_EQ(::flock(busy, LOCK_EX), 0);

  PrepareOutputFiles({a, b});
  ::close(busy);
  std::set<std::string> want(kept.begin(), kept.end());
  want.insert("a.prx.partial-Folder");
  EXPECT_EQ(FilesIn(module), want);

  // A running write holds its own temporary file: sweep while it is cut off at the
  // file size limit (inside the write, between creation and rename).
  static std::string g_sweep;
  static std::size_t g_files_seen = 0;
  g_sweep = module + "a.prx";
  fs::remove(module + "a.prx.partial-busy01");
  want.erase("a.prx.partial-busy01");
  {
    testing::ScopedFileSizeLimit full(1000);
    std::signal(SIGXFSZ, [](int) {
      PrepareOutputFiles({g_sweep});
      g_files_seen = FilesIn(fs::path(g_sweep).parent_path()).size();
    });
    EXPECT_FALSE(Write(g_sweep, Bytes(5000, 1)));
  }
  EXPECT_EQ(g_files_seen, want.size() + 1) << "the write's own file survives the sweep";
  EXPECT_EQ(FilesIn(module), want) << "and goes when the write fails";

  // An output folder that cannot be made is left to the writes.
  WriteBytes(dir / "file", {1});
  PrepareOutputFiles({dir / "file/module/a.prx"});
  EXPECT_FALSE(Write(dir / "file/module/a.prx", {1}));
  EXPECT_TRUE(MakeFolders(dir / "file/module"));
  EXPECT_FALSE(MakeFolders(dir / "o/x/module")) << "an existing folder is fine";
}

// Interrupts: the test raises the signal from inside a write that goes past the
// file size limit, i.e. between the temporary file's creation and its rename.
int g_interrupt = 0;
extern "C" void RaiseInterrupt(int) { std::raise(g_interrupt); }

// More registrations than any fixed table would hold: the list has no limit.
constexpr int kRegistered = 300;

void InterruptedWrite(const std::string& out) {
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) std::signal(sig, SIG_DFL);
  InstallInterruptCleanup();
  std::vector<RemoveOnInterrupt> held;
  for (int i = 0; i < kRegistered; ++i) {
    const std::string path = out + "/held" + std::to_string(i);
    if (!Write(path, Bytes(10, 1))) std::_Exit(3);
    held.emplace_back(path);
  }
  // Released registrations leave their files; their entries serve the next ones.
  held.resize(kRegistered / 2);
  if (!Write(out + "/done.bin", Bytes(100, 1))) std::_Exit(5);
  std::signal(SIGXFSZ, RaiseInterrupt);
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = 1000;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  Write(out + "/cut.bin", Bytes(5000, 1));
  std::_Exit(6);
}

class InterruptCleanup : public ::testing::TestWithParam<int> {};

TEST_P(InterruptCleanup, RemovesEveryRegisteredAndTheCutFileThenDiesByTheSignal) {
  ScopedTempDir out;
  g_interrupt = GetParam();
  EXPECT_EXIT(InterruptedWrite(out.path()), ::testing::KilledBySignal(GetParam()), "");
  std::set<std::string> want{"done.bin"};  // finished writes stay
  for (int i = kRegistered / 2; i < kRegistered; ++i) want.insert("held" + std::to_string(i));
  EXPECT_EQ(FilesIn(out.path()), want);
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptCleanup, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const auto& param_info) {
                           return param_info.param == SIGINT ? "Int" : param_info.param == SIGTERM ? "Term" : "Hup";
                         });

}  // namespace
}  // namespace qorvi
