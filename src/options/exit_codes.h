// SPDX-License-Identifier: GPL-3.0-or-later
// The exit statuses of qorvi-cli and `qorvi --render`.
#pragma once

namespace qorvi::options {

inline constexpr int kExitOk = 0;       // done
inline constexpr int kExitMessage = 1;  // a message of the message table (or another failure) was raised
inline constexpr int kExitUsage = 2;    // the command line was refused; nothing was done

}  // namespace qorvi::options
