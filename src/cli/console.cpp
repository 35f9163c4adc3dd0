#include "cli/console.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "model/paths.h"

namespace qorvi::cli {
namespace {

// The first failure of standard output: -1 until one happens, then errno as it was
// (0 when it is not known, e.g. a failure inside the help printer's stream).
int g_out_error = -1;
bool g_err_failed = false;
bool g_verbose = false;

void NoteOutError() {
  if (g_out_error < 0) g_out_error = errno;
}

}  // namespace

void PrintError(std::string_view text) {
  std::string line = "qorvi-cli: " + EscapedForMessage(text) + "\n";
  if (!WriteToStream(stderr, line) || std::fflush(stderr) != 0) {
    g_err_failed = true;
  }
}

void SetVerbose(bool on) { g_verbose = on; }

void PrintCause(const Failure& failure) {
  if (g_verbose && !failure.cause.empty()) PrintError("  " + failure.cause);
}

void PrintFailure(const Failure& failure) {
  PrintError(MessageLine(failure.code));
  PrintCause(failure);
}

void PrintOut(std::string_view text) {
  errno = 0;
  if (!WriteToStream(stdout, text)) NoteOutError();
}

int FinishOutput(int status) {
  errno = 0;
  if (std::ferror(stdout)) NoteOutError();
  errno = 0;
  if (std::fflush(stdout) != 0) NoteOutError();
  // Closing catches what only shows when the data reaches the disk (e.g. on NFS).
  errno = 0;
  if (std::fclose(stdout) != 0) NoteOutError();
  if (g_out_error == 0) PrintError("cannot write to standard output");
  if (g_out_error > 0) PrintError(std::string("cannot write to standard output: ") + std::strerror(g_out_error));
  if (std::ferror(stderr)) g_err_failed = true;
  if (status == 0 && (g_out_error >= 0 || g_err_failed)) return 1;
  return status;
}

}  // namespace qorvi::cli
