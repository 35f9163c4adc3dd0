// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/console.h"

#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>
#include <system_error>

#include "model/paths.h"
#include "platform/console.h"

namespace qorvi::cli {
namespace {

// The first failure of standard output, once one happened (an empty code when its
// reason is not known, e.g. a failure inside the help printer's stream).
std::optional<std::error_code> g_out_error;
bool g_err_failed = false;
bool g_verbose = false;

void NoteOutError(std::error_code error) {
  if (!g_out_error) g_out_error = error;
}

// The C library's stream calls say why they failed in errno.
void NoteOutErrno() { NoteOutError({errno, std::generic_category()}); }

}  // namespace

void PrintError(std::string_view text) {
  std::string line = "qorvi-cli: " + EscapedForMessage(text) + "\n";
  if (WriteToStream(stderr, line) || std::fflush(stderr) != 0) {
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
  if (const std::error_code error = WriteToStream(stdout, text)) NoteOutError(error);
}

int FinishOutput(int status) {
  errno = 0;
  if (std::ferror(stdout)) NoteOutErrno();
  errno = 0;
  if (std::fflush(stdout) != 0) NoteOutErrno();
  // Closing catches what only shows when the data reaches the disk (e.g. on NFS).
  errno = 0;
  if (std::fclose(stdout) != 0) NoteOutErrno();
  if (g_out_error && !*g_out_error) PrintError("cannot write to standard output");
  if (g_out_error && *g_out_error) PrintError("cannot write to standard output: " + g_out_error->message());
  if (std::ferror(stderr)) g_err_failed = true;
  if (status == 0 && (g_out_error || g_err_failed)) return 1;
  return status;
}

}  // namespace qorvi::cli
