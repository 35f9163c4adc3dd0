// Running qorvi-cli from tests: its exit status, standard output and standard error.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
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
  cmd += ShellQuote(QORVI_CLI);
  for (const std::string& a : args) cmd += " " + ShellQuote(a);
  cmd += " >" + (setUp.stdoutTo.empty() ? ShellQuote(io / "out") : setUp.stdoutTo);
  cmd += " 2>" + (setUp.stderrTo.empty() ? ShellQuote(io / "err") : setUp.stderrTo);
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
  int raw = std::system(cmd.c_str());
  CliResult r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = ReadText(io / "out");
  r.err = ReadText(io / "err");
  return r;
}

// Runs qorvi-cli with `args` in `cwd` (the test's own directory when empty).
inline CliResult RunCli(const std::vector<std::string>& args, const std::string& cwd = "") {
  return RunCli(args, CliSetUp{.cwd = cwd});
}

}  // namespace qorvi::testing
