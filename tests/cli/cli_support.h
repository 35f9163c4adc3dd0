// SPDX-License-Identifier: GPL-3.0-or-later
// Running qorvi-cli from tests: its exit status, standard output and standard error.
//
// QORVI_CLI_COMMAND, when set, is the command that runs it instead of the program
// this build made: words separated by spaces, e.g. "/usr/lib/wine/wine64
// /path/qorvi-cli.exe" for the Windows build under Wine (scripts/test-windows).
// Tests of what Windows does not have (POSIX signals, permission bits, symbolic
// links, /dev/full, a backslash inside a file name) skip themselves there.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "support/scoped_temp_dir.h"

namespace qorvi::testing {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) {
    if (c == '\'') {
      q += "'\\''";
    } else {
      q += c;
    }
  }
  return q + "'";
}

// The words of the command that runs qorvi-cli.
inline const std::vector<std::string>& CliCommand() {
  static const std::vector<std::string> kWords = [] {
    const char* given = std::getenv("QORVI_CLI_COMMAND");
    if (given == nullptr || *given == '\0') return std::vector<std::string>{QORVI_CLI};
    std::vector<std::string> split;
    std::istringstream in(given);
    for (std::string word; in >> word;) split.push_back(word);
    return split;
  }();
  return kWords;
}

// Whether the command runs the Windows build (its program is an .exe).
inline bool CliIsWindows() { return CliCommand().back().ends_with(".exe"); }

// The status a Windows program ends with on Ctrl+C (STATUS_CONTROL_C_EXIT) as a
// POSIX parent sees it: the low byte.
inline constexpr int kWindowsControlCStatus = 0xC000013A & 0xFF;

inline std::string ReadText(const std::string& path) {
  auto bytes = ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

// How a run is set up beyond its arguments.
struct CliSetUp {
  std::string cwd = {};         // the test's own directory when empty
  std::string shellSetUp = {};  // shell commands run first in the same shell, e.g. "ulimit -f 8" (512-byte blocks)
  std::string stdoutTo = {};    // a shell redirection target for standard output ("/dev/full", "&-")
  std::string stderrTo = {};    // the same for standard error
};

// Runs qorvi-cli with `args` as `setUp` says.
inline CliResult RunCli(const std::vector<std::string>& args, const CliSetUp& setUp) {
  ScopedTempDir io;
  std::string cmd;
#if defined(__GNUC__) && !defined(__clang__)
// GCC 12 at -O3 takes the inlined copies of these concatenations for overlapping
// (-Wrestrict); they are separate strings, a known false positive of that compiler.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
  if (!setUp.shellSetUp.empty()) cmd += setUp.shellSetUp + "; ";
  if (!setUp.cwd.empty()) cmd += "cd " + ShellQuote(setUp.cwd) + " && ";
  for (std::size_t i = 0; i < CliCommand().size(); ++i) cmd += (i == 0 ? "" : " ") + ShellQuote(CliCommand()[i]);
  for (const std::string& a : args) cmd += " " + ShellQuote(a);
  cmd += " >" + (setUp.stdoutTo.empty() ? ShellQuote(io / "out") : setUp.stdoutTo);
  cmd += " 2>" + (setUp.stderrTo.empty() ? ShellQuote(io / "err") : setUp.stderrTo);
  cmd += " </dev/null";
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
  CliResult r;
  // qorvi-cli never ends with status 1 and nothing said. Under Wine a start has been
  // seen to end that way once (on a fresh prefix, with tests running alongside),
  // apparently before the program ran: such a run is tried once more.
  for (int attempt = 0; attempt < 2; ++attempt) {
    int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = setUp.stdoutTo.empty() ? ReadText(io / "out") : "";
    r.err = setUp.stderrTo.empty() ? ReadText(io / "err") : "";
    const bool silent_failure = r.status == 1 && r.out.empty() && r.err.empty() && setUp.stderrTo.empty();
    if (!CliIsWindows() || !silent_failure) break;
    std::fprintf(stderr, "RunCli: Wine ended a run with status 1 and no output; running it again\n");
  }
  return r;
}

// Runs qorvi-cli with `args` in `cwd` (the test's own directory when empty).
inline CliResult RunCli(const std::vector<std::string>& args, const std::string& cwd = "") {
  return RunCli(args, CliSetUp{.cwd = cwd});
}

}  // namespace qorvi::testing

// Skips the rest of a test when qorvi-cli is the Windows build, saying why.
#define QORVI_SKIP_ON_WINDOWS(reason)      \
  if (!::qorvi::testing::CliIsWindows()) { \
  } else                                   \
    GTEST_SKIP() << "not on Windows: " << reason
