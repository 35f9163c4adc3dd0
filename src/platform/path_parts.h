// SPDX-License-Identifier: GPL-3.0-or-later
// Paths as text, split where the system separates folders.
#pragma once

#include <string>
#include <string_view>

namespace qorvi {

// Whether a backslash separates folders as the slash does (Windows). Elsewhere it
// is an ordinary character of a file name.
#ifdef _WIN32
inline constexpr bool kBackslashSeparatesFolders = true;
#else
inline constexpr bool kBackslashSeparatesFolders = false;
#endif

// The folder part of a path with its last separator ("a/b/c" -> "a/b/"; "c" -> "").
std::string FolderPart(std::string_view path);
// The name after the last separator ("a/b/c" -> "c"; "c" -> "c").
std::string NamePart(std::string_view path);

}  // namespace qorvi
