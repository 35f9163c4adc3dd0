// SPDX-License-Identifier: GPL-3.0-or-later
// Windows only: UTF-8, the program's text, to and from UTF-16, the text of the
// system's wide functions (file names, the command line, the console).
#pragma once

#ifdef _WIN32

#include <string>
#include <string_view>

namespace qorvi {

// What is not valid UTF-8 (or UTF-16) becomes U+FFFD; neither ever fails.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace qorvi

#endif
