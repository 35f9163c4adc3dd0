// qorvi-cli when things go wrong around it: output that cannot be written, full
// disks, odd paths, interrupted runs, output files that are links or read-only.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <thread>

#include "cli_support.h"

extern char** environ;

namespace qorvi {
namespace {

using testing::CliResult;
using testing::CliSetUp;
using testing::ReadBytes;
using testing::RunCli;
using testing::ScopedTempDir;
namespace fs = std::filesystem;

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

std::set<std::string> FilesIn(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

// Every name below `dir` that a cut write would leave: NAME.partial-XXXXXX.
std::vector<std::string> PartialsBelow(const std::string& dir) {
  std::vector<std::string> found;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    if (e.path().filename().string().find(".partial-") != std::string::npos) found.push_back(e.path().string());
  }
  return found;
}

void MakeDemo(const std::string& dir, const char* version = "5.00") {
  ASSERT_EQ(RunCli({"demo", "--version", version, dir}).status, 0);
}

TEST(CliOutput, AFailedWriteToStandardOutputOrErrorIsAFailure) {
  ScopedTempDir dir;
  MakeDemo(dir.path());
  ScopedTempDir other;
  MakeDemo(other.path(), "3.95");
  const struct {
    std::vector<std::string> args;
    CliSetUp setUp;
    std::string err;  // the start of the message; empty: standard error is the one that fails
  } rows[] = {
      {{"info", "--workdir", dir.path()},
       {.stdoutTo = "/dev/full"},
       "qorvi-cli: cannot write to standard output: No space left on device"},
      {{"info", "--workdir", dir.path()},
       {.stdoutTo = "&-"},
       "qorvi-cli: cannot write to standard output: Bad file descriptor"},
      // The JSON is larger than the 4 KiB the file may hold.
      {{"info", "--workdir", dir.path()},
       {.shellSetUp = "ulimit -f 8"},
       "qorvi-cli: cannot write to standard output: File too large"},
      {{"--version"}, {.stdoutTo = "/dev/full"}, "qorvi-cli: cannot write to standard output"},
      {{"--help"}, {.stdoutTo = "/dev/full"}, "qorvi-cli: cannot write to standard output"},
      // The warnings of a layout from another version are lost.
      {{"save", "--workdir", dir.path(), "--layout", other / "info.json", "--out", dir / "o"},
       {.stderrTo = "/dev/full"},
       ""},
  };
  CliResult info = RunCli({"info", "--workdir", other.path()});
  testing::WriteBytes(other / "info.json", std::vector<uint8_t>(info.out.begin(), info.out.end()));
  for (const auto& row : rows) {
    CliResult r = RunCli(row.args, row.setUp);
    EXPECT_EQ(r.status, 1) << row.args[0] << " " << row.err;
    if (row.err.empty()) continue;
    EXPECT_EQ(r.err.rfind(row.err, 0), 0u) << r.err;
    EXPECT_EQ(Lines(r.err), 1) << r.err;
  }
  // Without the failure the same commands succeed.
  EXPECT_EQ(RunCli(rows[5].args).status, 0);
  EXPECT_EQ(RunCli({"info", "--workdir", dir.path()}, CliSetUp{.stderrTo = "/dev/full"}).status, 0);
}

TEST(CliPaths, BackslashIsPartOfAFolderName) {
  ScopedTempDir top;
  MakeDemo(top / "a\\b", "5.00");
  MakeDemo(top / "a/b", "3.95");  // where a backslash turned into a slash would lead
  CliResult r = RunCli({"info", "--workdir", top / "a\\b"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(nlohmann::json::parse(r.out)["version"], 500);
  ASSERT_EQ(RunCli({"save", "--workdir", top / "a\\b", "--out", top / "o\\ut"}).status, 0);
  EXPECT_TRUE(fs::exists(top / "o\\ut/module/vshmain.prx"));
}

TEST(CliPaths, PathsInMessagesStayOnOneLine) {
  ScopedTempDir dir;
  MakeDemo(dir.path());
  testing::WriteBytes(dir / "file\nname", {1});
  const struct {
    std::vector<std::string> args;
    std::string shown;  // how the odd part of the path appears
  } rows[] = {
      {{"icons", "--workdir", dir.path(), "--out", dir / "file\nname/x"}, "file\\nname/x"},
      {{"demo", "--version", "4.01", dir / "file\nname/\t\x1b[2J"}, "file\\nname/\\t\\x1b[2J"},
      {{"save", "--workdir", dir.path(), "--layout", dir / "no\n\xff.json"}, "no\\n\\xff.json"},
      {{"demo", "--version", "5.00\n6.60", dir.path()}, "5.00\\n6.60"},
  };
  for (const auto& row : rows) {
    CliResult r = RunCli(row.args);
    EXPECT_NE(r.status, 0);
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_NE(r.err.find(row.shown), std::string::npos) << r.err;
  }
}

TEST(CliFiles, OutputFoldersAreMadeWithTheirParents) {
  ScopedTempDir dir;
  MakeDemo(dir.path());
  CliResult r = RunCli({"save", "--workdir", dir.path(), "--out", dir / "O/x/y"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::exists(dir / "O/x/y/module/vshmain.prx"));
  EXPECT_TRUE(fs::exists(dir / "O/x/y/resource/topmenu_icon.rco"));
  r = RunCli({"icons", "--workdir", dir.path(), "--out", dir / "I/x/y/"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::exists(dir / "I/x/y/BusyIcon.bmp"));
}

TEST(CliFiles, IconsFailsForEveryBitmapItCouldNotWrite) {
  ScopedTempDir dir;
  ScopedTempDir out;
  MakeDemo(dir.path());
  // An earlier complete run.
  ASSERT_EQ(RunCli({"icons", "--workdir", dir.path(), "--out", out.path()}).status, 0);
  const std::set<std::string> all = FilesIn(out.path());
  const auto busy = ReadBytes(out / "BusyIcon.bmp");
  ASSERT_GT(busy.size(), 4096u);
  for (const auto& e : fs::directory_iterator(out.path())) fs::resize_file(e.path(), 10);  // to see what is rewritten

  // Files up to 4 KiB: the larger bitmaps cannot be written, neither in the private
  // folder nor in the output folder. info and save go without those pictures.
  CliSetUp full{.shellSetUp = "ulimit -f 8"};  // blocks of 512 bytes in sh
  CliResult r = RunCli({"icons", "--workdir", dir.path(), "--out", out.path()}, full);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("qorvi-cli: cannot write the icon bitmap "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("/BusyIcon.bmp\n"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("/SubIcon001.bmp\n"), std::string::npos) << r.err;  // 2706 bytes: written
  EXPECT_EQ(fs::file_size(out / "BusyIcon.bmp"), 10u) << "a bitmap that could not be written stays as it was";
  EXPECT_GT(fs::file_size(out / "SubIcon001.bmp"), 10u);
  EXPECT_EQ(FilesIn(out.path()), all);
  EXPECT_EQ(RunCli({"info", "--workdir", dir.path()}, CliSetUp{.shellSetUp = "ulimit -f 400"}).status, 0);

  // A bitmap whose output name is taken by a folder.
  fs::remove(out / "SubIcon000.bmp");
  fs::create_directories(out / "SubIcon000.bmp/x");
  r = RunCli({"icons", "--workdir", dir.path(), "--out", out.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qorvi-cli: cannot write " + out / "SubIcon000.bmp" + ": Is a directory\n");
  EXPECT_EQ(ReadBytes(out / "BusyIcon.bmp"), busy) << "the others are written";
  EXPECT_TRUE(PartialsBelow(out.path()).empty());
}

TEST(CliFiles, SaveReplacesLinkTargetsKeepsPermissionsAndRemovesStalePartials) {
  ScopedTempDir dir;
  ScopedTempDir out;
  MakeDemo(dir.path());
  ASSERT_EQ(RunCli({"save", "--workdir", dir.path(), "--out", out.path()}).status, 0);
  const auto paf = ReadBytes(out / "module/paf.prx");

  fs::permissions(out / "module/vshmain.prx", fs::perms::owner_read | fs::perms::group_read);
  fs::create_directory(out / "kept");
  fs::rename(out / "resource/topmenu_icon.rco", out / "kept/icon.rco");
  fs::resize_file(out / "kept/icon.rco", 5);
  fs::create_symlink("../kept/icon.rco", out / "resource/topmenu_icon.rco");
  fs::resize_file(out / "module/paf.prx", 3);
  // What interrupted saves left, and names that only look alike.
  for (const char* name : {"module/vshmain.prx.partial-AbC123", "resource/topmenu_icon.rco.partial-zzzzzz"}) {
    testing::WriteBytes(out / name, {1, 2});
  }
  for (const char* name :
       {"module/vshmain.prx.partial-AbC12", "module/notes.partial-AbC123", "module/vshmain.prx.old"}) {
    testing::WriteBytes(out / name, {1, 2});
  }

  CliResult r = RunCli({"save", "--workdir", dir.path(), "--out", out.path()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(out / "module/paf.prx"), paf);
  EXPECT_EQ(fs::status(out / "module/vshmain.prx").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read);
  EXPECT_TRUE(fs::is_symlink(out / "resource/topmenu_icon.rco"));
  EXPECT_GT(fs::file_size(out / "kept/icon.rco"), 5u);
  EXPECT_EQ(FilesIn(out / "module"), (std::set<std::string>{"vshmain.prx", "paf.prx", "vshmain.prx.partial-AbC12",
                                                            "notes.partial-AbC123", "vshmain.prx.old"}));
  EXPECT_EQ(FilesIn(out / "resource"),
            (std::set<std::string>{"topmenu_plugin.rco", "system_plugin_fg.rco", "topmenu_icon.rco"}));
}

// Starts qorvi-cli in the background with the signals at their defaults and TMPDIR
// set; standard output and error are discarded.
pid_t StartCli(const std::vector<std::string>& args, const std::string& tmpdir) {
  std::vector<std::string> env{"TMPDIR=" + tmpdir};
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::string(*e).rfind("TMPDIR=", 0) != 0) env.emplace_back(*e);
  }
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> argv_text{QORVI_CLI};
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argv_text) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t defaults;
  sigemptyset(&defaults);
  for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) sigaddset(&defaults, sig);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, &attr, argv.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  return pid;
}

class CliInterrupted : public ::testing::TestWithParam<int> {};

TEST_P(CliInterrupted, LeavesNoTemporaryFileAndDiesByTheSignal) {
  const int sig = GetParam();
  ScopedTempDir dir;
  ScopedTempDir tmp;
  MakeDemo(dir.path());
  // The boot sound is read while the modules are saved: from a pipe nobody writes
  // to, that read waits, with the bitmaps in the private folder and two files saved.
  ASSERT_EQ(mkfifo((dir / "sound.wav").c_str(), 0600), 0);
  pid_t pid =
      StartCli({"save", "--workdir", dir.path(), "--boot-sound", dir / "sound.wav", "--out", dir / "out"}, tmp.path());
  ASSERT_GT(pid, 0);
  int status = 0;
  for (int i = 0; i < 600 && !fs::exists(dir / "out/module/paf.prx"); ++i) {
    if (waitpid(pid, &status, WNOHANG) == pid) FAIL() << "ended early with status " << status;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_TRUE(fs::exists(dir / "out/module/paf.prx"));
  ASSERT_EQ(FilesIn(tmp.path()).size(), 1u);
  EXPECT_GT(FilesIn(tmp / *FilesIn(tmp.path()).begin()).size(), 40u);

  kill(pid, sig);
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), sig);
  EXPECT_TRUE(FilesIn(tmp.path()).empty()) << "the private folder is removed";
  EXPECT_TRUE(PartialsBelow(dir / "out").empty());
  EXPECT_TRUE(fs::exists(dir / "out/module/vshmain.prx")) << "what was saved stays";
}

INSTANTIATE_TEST_SUITE_P(Signals, CliInterrupted, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const auto& param_info) {
                           return param_info.param == SIGINT ? "Int" : param_info.param == SIGTERM ? "Term" : "Hup";
                         });

}  // namespace
}  // namespace qorvi
