// SPDX-License-Identifier: GPL-3.0-or-later
// A command-line program's entry and its standard streams, as each system has them.
// Linked into qorvi-cli only (library qorvi_console): its entry point is main() on
// POSIX systems and wmain() on Windows, and both hand the arguments on as UTF-8.
#pragma once

#include <cstdio>
#include <string_view>
#include <system_error>

namespace qorvi {

// The program's own main, with the arguments as UTF-8 text (Windows hands the
// command line over as UTF-16; the narrow arguments there would be in the ANSI code
// page, which cannot hold every file name). Defined by the program.
int ConsoleMain(int argc, char** argv);

// Sets the process up before anything is written: on Windows standard output and
// standard error go to binary mode, so the bytes arrive as they are (UTF-8, and
// "\n" without a carriage return), as on every other system; on POSIX systems a
// write past the file size limit fails (and is reported like a full disk) instead
// of ending the process by SIGXFSZ.
void PrepareConsole();

// Writes `text` to `stream` (stdout or stderr): empty when all of it went, else
// the reason. A Windows console gets the text as UTF-16, so that it shows every
// character whatever its code page; elsewhere, and for files and pipes, the bytes
// go as they are.
std::error_code WriteToStream(std::FILE* stream, std::string_view text);

}  // namespace qorvi
