// Every file name the program uses, built once from the start-up directory.
#pragma once

#include <array>
#include <string>
#include <string_view>

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

// Replaces every backslash by a forward slash.
void SlashPath(std::string& path);

// Builds every path from `cwd`. Inputs and bitmaps are slashed; the outputs keep
// the separators of `cwd`.
void BuildPaths(Paths& paths, std::string_view cwd);

// Points the output paths at `doneDir` (DoneDir itself, module/ and resource/).
void SetDoneDir(Paths& paths, std::string_view doneDir);
// Points the icon bitmap paths into `dir`.
void SetIconDir(Paths& paths, std::string_view dir);

}  // namespace qorvi
