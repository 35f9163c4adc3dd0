// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <fstream>
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
    // A Windows program has no file size limit: under Wine, SIGXFSZ ends it.
    if (testing::CliIsWindows() && !row.setUp.shellSetUp.empty()) continue;
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
  QORVI_SKIP_ON_WINDOWS("the backslash separates folders there (BackslashSeparatesFoldersOnWindows)");
  ScopedTempDir top;
  MakeDemo(top / "a\\b", "5.00");
  MakeDemo(top / "a/b", "3.95");  // where a backslash turned into a slash would lead
  CliResult r = RunCli({"info", "--workdir", top / "a\\b"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(nlohmann::json::parse(r.out)["version"], 500);
  ASSERT_EQ(RunCli({"save", "--workdir", top / "a\\b", "--out", top / "o\\ut"}).status, 0);
  EXPECT_TRUE(fs::exists(top / "o\\ut/module/vshmain.prx"));
}

TEST(CliPaths, BackslashSeparatesFoldersOnWindows) {
  if (!testing::CliIsWindows()) GTEST_SKIP() << "only on Windows: elsewhere a backslash is part of a name";
  ScopedTempDir top;
  MakeDemo(top / "a/b", "3.95");
  CliResult r = RunCli({"info", "--workdir", top.path() + "\\a\\b"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(nlohmann::json::parse(r.out)["version"], 395);
  r = RunCli({"save", "--workdir", top / "a\\b\\", "--out", top / "o\\u/t"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::exists(top / "o/u/t/module/vshmain.prx"));
  r = RunCli({"icons", "--workdir", top / "a/b", "--out", top / "i\\c\\"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::exists(top / "i/c/BusyIcon.bmp"));
  EXPECT_EQ(FilesIn(top.path()), (std::set<std::string>{"a", "o", "i"}));
}

// Every command with a folder of Japanese name as its working directory and its
// output, and such names in files and messages.
TEST(CliPaths, AJapaneseFolderNameServesEveryCommand) {
  ScopedTempDir top;
  const std::string data = top / "テスト/データ";
  const std::string out = top / "テスト/出力";
  const std::string icons = top / "テスト/アイコン";
  ASSERT_EQ(RunCli({"demo", "--version", "4.01", "--boot-sound", data}).status, 0);
  CliResult info = RunCli({"info", "--workdir", data});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_EQ(nlohmann::json::parse(info.out)["version"], 401);
  CliResult here = RunCli({"info"}, data);  // the current directory as the working directory
  ASSERT_EQ(here.status, 0) << here.err;
  EXPECT_EQ(here.out, info.out);

  const std::string preset = data + "/プリセット.json";
  testing::WriteBytes(preset, std::vector<uint8_t>(info.out.begin(), info.out.end()));
  CliResult r = RunCli({"save", "--workdir", data, "--layout", preset, "--boot-sound", data + "/bootsound.wav", "--set",
                        "ClockX=40", "--out", out});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(FilesIn(out + "/module"), (std::set<std::string>{"vshmain.prx", "paf.prx", "opening_plugin.prx"}));
  r = RunCli({"info", "--workdir", data, "--vshmain", out + "/module/vshmain.prx"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(nlohmann::json::parse(r.out)["layout"]["ClockX"], 40);

  r = RunCli({"icons", "--workdir", data, "--out", icons});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::exists(icons + "/BusyIcon.bmp"));
  r = RunCli({"check", "--workdir", data, "--set", "ClockX=700"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qorvi-cli: warning: Clock is outside the screen (category 0, item 0)\n");

  // A message names the folder as it was given.
  r = RunCli({"save", "--workdir", data, "--layout", data + "/ない.json"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("qorvi-cli: cannot read the layout file " + data + "/ない.json: ", 0), 0u) << r.err;
  EXPECT_EQ(Lines(r.err), 1) << r.err;
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
      // A Windows command line is UTF-16: a byte that is not UTF-8 arrives as U+FFFD.
      {{"save", "--workdir", dir.path(), "--layout", dir / "no\n\xff.json"},
       testing::CliIsWindows() ? "no\\n\uFFFD.json" : "no\\n\\xff.json"},
      {{"demo", "--version", "5.00\n6.60", dir.path()}, "5.00\\n6.60"},
  };
  for (const auto& row : rows) {
    CliResult r = RunCli(row.args);
    EXPECT_NE(r.status, 0);
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_NE(r.err.find(row.shown), std::string::npos) << r.err;
  }
}

// The system's reason for a failed read or write reaches the cause (--verbose), on
// Windows too, and names the output as the command line gave it.
TEST(CliFiles, CausesCarryTheSystemsReasonAndTheRealOutputPath) {
  ScopedTempDir dir;
  CliResult r = RunCli({"info", "--verbose", "--workdir", dir / "missing"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qorvi-cli: vshmain.prx open error\nqorvi-cli:   vshmain.prx: No such file or directory\n");

  MakeDemo(dir.path());
  // Folders where the modules go.
  fs::create_directories(dir / "out/module/vshmain.prx");
  fs::create_directories(dir / "done/module/paf.prx");
  r = RunCli({"save", "--verbose", "--workdir", dir.path(), "--out", dir / "out"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("qorvi-cli:   " + dir / "out/module/vshmain.prx: Is a directory\n"), std::string::npos) << r.err;
  r = RunCli({"save", "--verbose", "--workdir", dir.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("qorvi-cli:   done/module/paf.prx: Is a directory\n"), std::string::npos) << r.err;

  // A folder without write permission (Wine maps the refusal to Windows' access
  // denied and the program back). Permission bits do not stop root: then there is
  // nothing to see.
  const fs::path locked = dir / "locked/module";
  fs::create_directories(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  if (!std::ofstream(locked / "probe")) {
    r = RunCli({"save", "--verbose", "--workdir", dir.path(), "--out", dir / "locked"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("qorvi-cli:   " + dir / "locked/module/vshmain.prx: Permission denied\n"), std::string::npos)
        << r.err;
  }
  fs::permissions(locked, fs::perms::owner_all);

  if (testing::CliIsWindows()) return;  // no symbolic links there
  fs::create_directories(dir / "loop/module");
  fs::create_symlink("vshmain.prx", dir / "loop/module/vshmain.prx");
  r = RunCli({"save", "--verbose", "--workdir", dir.path(), "--out", dir / "loop"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("qorvi-cli:   " + dir / "loop/module/vshmain.prx: Too many levels of symbolic links\n"),
            std::string::npos)
      << r.err;
}

// The pictures a load decodes stay in memory: info, check and save (with its check)
// make no temporary folder and write no bitmap, so a TMPDIR where nothing can be
// made stops none of them, and an empty one stays empty. (Under Wine TMPDIR is
// Wine's own, and the program's temporary folder comes from the prefix: there
// the commands run as they are, and no folder of theirs may appear in it.)
TEST(CliFiles, OnlyIconsWritesBitmapsAndNoCommandNeedsATemporaryFolder) {
  ScopedTempDir dir;
  ScopedTempDir tmp;
  MakeDemo(dir.path());
  testing::WriteBytes(tmp / "file", {'x'});
  const std::set<std::string> set = FilesIn(dir.path());
  const char* windows_temp = std::getenv("QORVI_CLI_TEMP_FOLDER");
  const std::string temp = windows_temp != nullptr ? windows_temp : tmp / "empty";
  const bool windows = testing::CliIsWindows();
  for (const std::string& tmpdir : windows ? std::vector<std::string>{""} : std::vector{tmp / "file", tmp / "empty"}) {
    fs::create_directories(tmp / "empty");
    const std::set<std::string> before = fs::exists(temp) ? FilesIn(temp) : std::set<std::string>{};
    const CliSetUp setUp{.shellSetUp = tmpdir.empty() ? "" : "export TMPDIR=" + testing::ShellQuote(tmpdir)};
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"info"}, {"check"}, {"save", "--out", tmp / "out"}}) {
      std::vector<std::string> command = args;
      command.insert(command.end(), {"--workdir", dir.path()});
      const CliResult r = RunCli(command, setUp);
      EXPECT_EQ(r.status, 0) << args[0] << " with TMPDIR=" << tmpdir << ": " << r.err;
      EXPECT_EQ(r.err, "") << args[0];
    }
    EXPECT_TRUE(fs::is_empty(tmp / "empty"));
    if (fs::exists(temp)) {
      for (const std::string& name : FilesIn(temp)) {
        EXPECT_TRUE(before.contains(name) || !name.starts_with("qorvi")) << name << " in " << temp;
      }
    }
    EXPECT_EQ(FilesIn(dir.path()), set) << "nothing beside the set";
    fs::remove_all(tmp / "out");
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

  // Files up to 4 KiB: the larger bitmaps cannot be written into the output folder.
  // (A Windows program has no file size limit: under Wine, SIGXFSZ ends it.)
  if (!testing::CliIsWindows()) {
    CliSetUp full{.shellSetUp = "ulimit -f 8"};  // blocks of 512 bytes in sh
    CliResult r = RunCli({"icons", "--workdir", dir.path(), "--out", out.path()}, full);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("qorvi-cli: cannot write " + out / "BusyIcon.bmp: File too large\n"), std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("/SubIcon001.bmp"), std::string::npos) << r.err;  // 2706 bytes: written
    EXPECT_EQ(fs::file_size(out / "BusyIcon.bmp"), 10u) << "a bitmap that could not be written stays as it was";
    EXPECT_GT(fs::file_size(out / "SubIcon001.bmp"), 10u);
    EXPECT_EQ(FilesIn(out.path()), all);
    EXPECT_EQ(RunCli({"info", "--workdir", dir.path()}, CliSetUp{.shellSetUp = "ulimit -f 400"}).status, 0);
  }

  // A bitmap whose output name is taken by a folder.
  fs::remove(out / "SubIcon000.bmp");
  fs::create_directories(out / "SubIcon000.bmp/x");
  CliResult r = RunCli({"icons", "--workdir", dir.path(), "--out", out.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qorvi-cli: cannot write " + out / "SubIcon000.bmp" + ": Is a directory\n");
  EXPECT_EQ(ReadBytes(out / "BusyIcon.bmp"), busy) << "the others are written";
  EXPECT_TRUE(PartialsBelow(out.path()).empty());
}

// Only a regular file (or a link to one) is replaced where the commands write: a
// FIFO (a device node or a socket alike) is refused with the path, left as it is,
// and the other files are still written.
TEST(CliFiles, ASpecialFileWhereAnOutputGoesIsRefusedAndLeftAsItWas) {
  QORVI_SKIP_ON_WINDOWS("no FIFOs in its folders");
  ScopedTempDir dir;
  MakeDemo(dir.path());
  fs::create_directories(dir / "out/module");
  ASSERT_EQ(mkfifo((dir / "out/module/paf.prx").c_str(), 0600), 0);
  CliResult r = RunCli({"save", "--verbose", "--workdir", dir.path(), "--out", dir / "out"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qorvi-cli: paf.prx write error\nqorvi-cli:   " + dir / "out/module/paf.prx: Not a regular file\n");
  EXPECT_TRUE(fs::is_fifo(dir / "out/module/paf.prx"));
  EXPECT_TRUE(fs::is_regular_file(dir / "out/module/vshmain.prx"));
  EXPECT_TRUE(fs::is_regular_file(dir / "out/resource/topmenu_icon.rco"));

  fs::create_directories(dir / "icons");
  ASSERT_EQ(mkfifo((dir / "icons/BusyIcon.bmp").c_str(), 0600), 0);
  r = RunCli({"icons", "--workdir", dir.path(), "--out", dir / "icons"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qorvi-cli: cannot write " + dir / "icons/BusyIcon.bmp" + ": Not a regular file\n");
  EXPECT_TRUE(fs::is_fifo(dir / "icons/BusyIcon.bmp"));
  EXPECT_TRUE(fs::is_regular_file(dir / "icons/MainIcon0.bmp"));
  EXPECT_TRUE(PartialsBelow(dir.path()).empty());
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
  if (testing::CliIsWindows()) {
    // No permission bits there, but the read-only attribute (no write bits under
    // Wine) stays; Windows renames over the link itself.
    constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    EXPECT_EQ(fs::status(out / "module/vshmain.prx").permissions() & kWrite, fs::perms::none);
    EXPECT_FALSE(fs::is_symlink(out / "resource/topmenu_icon.rco"));
    EXPECT_GT(fs::file_size(out / "resource/topmenu_icon.rco"), 5u);
    EXPECT_EQ(fs::file_size(out / "kept/icon.rco"), 5u);
  } else {
    EXPECT_EQ(fs::status(out / "module/vshmain.prx").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read);
    EXPECT_TRUE(fs::is_symlink(out / "resource/topmenu_icon.rco"));
    EXPECT_GT(fs::file_size(out / "kept/icon.rco"), 5u);
  }
  EXPECT_EQ(FilesIn(out / "module"), (std::set<std::string>{"vshmain.prx", "paf.prx", "vshmain.prx.partial-AbC12",
                                                            "notes.partial-AbC123", "vshmain.prx.old"}));
  EXPECT_EQ(FilesIn(out / "resource"),
            (std::set<std::string>{"topmenu_plugin.rco", "system_plugin_fg.rco", "topmenu_icon.rco"}));
}

// Starts qorvi-cli in the background with the signals at their defaults and TMPDIR
// set; standard output is discarded, and standard error too unless `err` names a
// file for it.
pid_t StartCli(const std::vector<std::string>& args, const std::string& tmpdir, const std::string& err = "") {
  std::vector<std::string> env{"TMPDIR=" + tmpdir};
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::string(*e).rfind("TMPDIR=", 0) != 0) env.emplace_back(*e);
  }
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> argv_text = testing::CliCommand();
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argv_text) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, err.empty() ? "/dev/null" : err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
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

// The output folder is a save's own from its first write to the end of its check:
// a second save into it waits, says so after a second, and writes its whole set
// once the first has ended, so the set is never mixed from both. (The first is held
// up reading its boot sound from a pipe, two modules written, and then
// interrupted; under Wine by the console's Ctrl+C.)
TEST(CliSave, ASecondSaveIntoTheSameFolderWaitsForTheFirst) {
  ScopedTempDir dir;
  ScopedTempDir tmp;
  MakeDemo(dir.path());
  ASSERT_EQ(mkfifo((dir / "sound.wav").c_str(), 0600), 0);
  const int writer = ::open((dir / "sound.wav").c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(writer, 0);
  const std::string out = dir / "out";
  const pid_t first =
      StartCli({"save", "--workdir", dir.path(), "--boot-sound", dir / "sound.wav", "--set", "ClockX=11", "--out", out},
               tmp.path());
  ASSERT_GT(first, 0);
  int status = 0;
  for (int i = 0; i < 600 && !fs::exists(out + "/module/paf.prx"); ++i) {
    if (waitpid(first, &status, WNOHANG) == first) FAIL() << "the first ended early with status " << status;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_TRUE(fs::exists(out + "/module/paf.prx"));

  const pid_t second =
      StartCli({"save", "--workdir", dir.path(), "--set", "ClockX=22", "--out", out}, tmp.path(), tmp / "second.err");
  ASSERT_GT(second, 0);
  for (int i = 0; i < 600 && testing::ReadText(tmp / "second.err").empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  const std::string waiting = "qorvi-cli: waiting for another save into " + out + "\n";
  EXPECT_EQ(testing::ReadText(tmp / "second.err"), waiting);
  EXPECT_EQ(waitpid(second, &status, WNOHANG), 0) << "the second waits";
  auto clock_x = [&] {
    const CliResult r = RunCli({"info", "--workdir", dir.path(), "--vshmain", out + "/module/vshmain.prx"});
    return r.status == 0 ? nlohmann::json::parse(r.out)["layout"]["ClockX"].get<int>() : -1;
  };
  EXPECT_EQ(clock_x(), 11) << "and has written nothing";

  kill(first, SIGINT);
  ASSERT_EQ(waitpid(first, &status, 0), first);
  ::close(writer);
  ASSERT_EQ(waitpid(second, &status, 0), second);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << testing::ReadText(tmp / "second.err");
  EXPECT_EQ(testing::ReadText(tmp / "second.err"), waiting) << "its check found its own set";
  EXPECT_EQ(clock_x(), 22);
  EXPECT_TRUE(PartialsBelow(out).empty());
}

class CliInterrupted : public ::testing::TestWithParam<int> {};

// Under Wine, SIGINT is the console's Ctrl+C; SIGTERM and SIGHUP end the program at
// once, as TerminateProcess would on Windows, and are not tried there.
TEST_P(CliInterrupted, LeavesNoTemporaryFileAndDiesByTheSignal) {
  const int sig = GetParam();
  const bool windows = testing::CliIsWindows();
  const char* windows_temp = std::getenv("QORVI_CLI_TEMP_FOLDER");
  if (windows && sig != SIGINT) GTEST_SKIP() << "not on Windows: no such signal there";
  if (windows && windows_temp == nullptr) GTEST_SKIP() << "QORVI_CLI_TEMP_FOLDER names Wine's temporary folder";
  ScopedTempDir dir;
  ScopedTempDir tmp;
  MakeDemo(dir.path());
  // The boot sound is read while the modules are saved: from a pipe that is open for
  // writing but never written to, that read waits, with two files saved.
  ASSERT_EQ(mkfifo((dir / "sound.wav").c_str(), 0600), 0);
  const int writer = ::open((dir / "sound.wav").c_str(), O_RDWR | O_CLOEXEC);  // does not wait for a reader
  ASSERT_GE(writer, 0);
  // Where a temporary folder would appear: in TMPDIR, set for this run alone, or
  // under Wine in the prefix's temporary folder, which the tests running alongside
  // share. The save makes none: its pictures stay in memory.
  const std::string temp = windows ? std::string(windows_temp) : tmp.path();
  const std::set<std::string> before = fs::exists(temp) ? FilesIn(temp) : std::set<std::string>{};
  pid_t pid =
      StartCli({"save", "--workdir", dir.path(), "--boot-sound", dir / "sound.wav", "--out", dir / "out"}, tmp.path());
  ASSERT_GT(pid, 0);
  int status = 0;
  for (int i = 0; i < 600 && !fs::exists(dir / "out/module/paf.prx"); ++i) {
    if (waitpid(pid, &status, WNOHANG) == pid) FAIL() << "ended early with status " << status;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_TRUE(fs::exists(dir / "out/module/paf.prx"));
  for (const std::string& name : FilesIn(temp)) {
    EXPECT_FALSE(!before.contains(name) && name.starts_with("qorvi")) << name << " in " << temp;
  }

  kill(pid, sig);
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ::close(writer);
  if (windows) {
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), testing::kWindowsControlCStatus);
  } else {
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), sig);
  }
  if (!windows) {
    EXPECT_TRUE(FilesIn(temp).empty());
  }
  EXPECT_TRUE(PartialsBelow(dir / "out").empty());
  EXPECT_TRUE(fs::exists(dir / "out/module/vshmain.prx")) << "what was saved stays";
}

INSTANTIATE_TEST_SUITE_P(Signals, CliInterrupted, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const auto& param_info) {
                           return param_info.param == SIGINT ? "Int" : param_info.param == SIGTERM ? "Term" : "Hup";
                         });

}  // namespace
}  // namespace qorvi
