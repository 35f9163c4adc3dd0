// SPDX-License-Identifier: GPL-3.0-or-later
// qorvi-cli's standard output and standard error (written through
// platform/console.h). Every write is checked: a command whose output or messages
// did not arrive (a full disk, a closed pipe) must not end with status 0.
#pragma once

#include <string_view>

#include "model/message_table.h"

namespace qorvi::cli {

// Prints "qorvi-cli: <text>" as one line on standard error; line breaks, control
// characters and bytes that are not UTF-8 in `text` are shown escaped.
void PrintError(std::string_view text);

// With --verbose the cause of each message follows it on a line of its own.
void SetVerbose(bool on);
// Prints a message of the message table as one line (its line break shown as
// " / ") and, when verbose and there is one, its cause as "qorvi-cli:   <cause>".
void PrintFailure(const Failure& failure);
// Only the cause line of PrintFailure (after a line that already named the message).
void PrintCause(const Failure& failure);

// Writes `text` as it is to standard output.
void PrintOut(std::string_view text);

// Flushes and closes standard output and returns the exit status: `status`, or 1
// in its place when it was 0 and standard output or standard error failed (a
// failure of standard output is reported on standard error, if that still works).
int FinishOutput(int status);

}  // namespace qorvi::cli
