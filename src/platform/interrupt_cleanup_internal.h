// SPDX-License-Identifier: GPL-3.0-or-later
// Between the table of registered paths (interrupt_cleanup.cpp) and the system's
// way of ending a program (interrupt_cleanup_posix.cpp, interrupt_cleanup_windows.cpp).
#pragma once

namespace qorvi::interrupt_cleanup {

// Removes every file registered at this moment. Allocates nothing and takes no
// lock, so a signal handler may call it.
void RemoveRegistered();

// One file, by the system's own call; `open_handle` is the file's open handle on
// Windows (which cannot remove an open file), or null.
void RemoveFileNow(const char* path, void* open_handle);

}  // namespace qorvi::interrupt_cleanup
