// SPDX-License-Identifier: GPL-3.0-or-later
// Every file name the program uses, built once from the start-up directory.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qorvi {

struct Paths {
  // Inputs (the File window may change them for the current run).
  std::string VshmainPath;
  std::string PafPath;
  std::string OpeningPath;
  std::string TopmenuPluginPath;
  std::string SystemPluginFgPath;
  std::string TopmenuIconPath;
  std::string BootSoundPath;
  // Outputs below the done folder.
  std::string DoneDir;
  // The done folder as a failure's cause names it: "done" for the work dir's own
  // (BuildPaths), else DoneDir itself (SetDoneDir: qorvi-cli save --out).
  std::string DoneName;
  std::string DoneVshmainPath;
  std::string DonePafPath;
  std::string DoneOpeningPath;
  std::string DoneTopmenuPluginPath;
  std::string DoneSystemPluginFgPath;
  std::string DoneTopmenuIconPath;
  // Icon bitmaps written by the load and shown by the preview.
  std::array<std::string, 8> MainIconPath;
  std::array<std::string, 48> SubIconPath;
  std::string BatteryIconPath;
  std::string BusyIconPath;
};

// Where the backslash separates folders (Windows), replaces every backslash by a
// forward slash. Elsewhere a backslash is an ordinary character of a file name,
// and the path stays as it is.
void SlashPath(std::string& path);

// Builds every path from `cwd`. Inputs and bitmaps are slashed (see SlashPath); the
// outputs keep the separators of `cwd`.
void BuildPaths(Paths& paths, std::string_view cwd);

// A text, typically a path, as a one-line message shows it: line breaks, tabs and
// other control characters, and bytes that are not valid UTF-8, become visible
// escapes (\n, \t, \x1b, \xff). Where a backslash can be part of a file name it is
// shown doubled, so an escape is never mistaken for a name.
std::string EscapedForMessage(std::string_view text);

// Points the output paths at `doneDir` (DoneDir itself, module/ and resource/);
// causes then name the outputs by their paths.
void SetDoneDir(Paths& paths, std::string_view doneDir);
// Every icon bitmap a load may write (the 8 main icons, the 48 sub icons, the
// battery and the busy icon), in that order.
std::vector<std::string> IconBitmapPaths(const Paths& paths);

// Points the icon bitmap paths into `dir`.
void SetIconDir(Paths& paths, std::string_view dir);

}  // namespace qorvi
