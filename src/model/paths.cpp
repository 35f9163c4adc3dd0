// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/paths.h"

#include <algorithm>
#include <cstdio>

#include "platform/path_parts.h"

namespace qorvi {
namespace {

std::string Join(std::string_view dir, std::string_view name) {
  std::string s(dir);
  s += '/';
  s += name;
  return s;
}

std::string Slashed(std::string s) {
  SlashPath(s);
  return s;
}

}  // namespace

void SlashPath(std::string& path) {
  if constexpr (kBackslashSeparatesFolders) std::replace(path.begin(), path.end(), '\\', '/');
}

std::string EscapedForMessage(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string shown;
  shown.reserve(text.size());
  auto hex = [&shown](unsigned char b) {
    shown += "\\x";
    shown += kHex[b >> 4];
    shown += kHex[b & 15];
  };
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      if (b == '\n') {
        shown += "\\n";
      } else if (b == '\t') {
        shown += "\\t";
      } else if (b == '\r') {
        shown += "\\r";
      } else if (b < 0x20 || b == 0x7F) {
        hex(b);
      } else if (b == '\\' && !kBackslashSeparatesFolders) {
        shown += "\\\\";
      } else {
        shown += static_cast<char>(b);
      }
      ++i;
      continue;
    }
    // A UTF-8 sequence: its length from the lead byte, its continuation bytes
    // 10xxxxxx, no overlong form, no surrogate, nothing above U+10FFFF.
    std::size_t length = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
    bool valid = length != 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    if (valid && length >= 3) {
      const auto second = static_cast<unsigned char>(text[i + 1]);
      if (b == 0xE0) valid = second >= 0xA0;
      if (b == 0xED) valid = second < 0xA0;
      if (b == 0xF0) valid = second >= 0x90;
      if (b == 0xF4) valid = second < 0x90;
    }
    if (!valid) {
      hex(b);
      ++i;
      continue;
    }
    // C1 control characters (U+0080..U+009F) move the cursor of some terminals too.
    if (b == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
      hex(b);
      hex(static_cast<unsigned char>(text[i + 1]));
    } else {
      shown.append(text.substr(i, length));
    }
    i += length;
  }
  return shown;
}

void SetDoneDir(Paths& p, std::string_view doneDir) {
  p.DoneDir = std::string(doneDir);
  p.DoneName = p.DoneDir;
  p.DoneVshmainPath = Join(doneDir, "module/vshmain.prx");
  p.DonePafPath = Join(doneDir, "module/paf.prx");
  p.DoneOpeningPath = Join(doneDir, "module/opening_plugin.prx");
  p.DoneTopmenuPluginPath = Join(doneDir, "resource/topmenu_plugin.rco");
  p.DoneSystemPluginFgPath = Join(doneDir, "resource/system_plugin_fg.rco");
  p.DoneTopmenuIconPath = Join(doneDir, "resource/topmenu_icon.rco");
}

std::vector<std::string> IconBitmapPaths(const Paths& p) {
  std::vector<std::string> all(p.MainIconPath.begin(), p.MainIconPath.end());
  all.insert(all.end(), p.SubIconPath.begin(), p.SubIconPath.end());
  all.push_back(p.BatteryIconPath);
  all.push_back(p.BusyIconPath);
  return all;
}

void SetIconDir(Paths& p, std::string_view dir) {
  char name[32];
  for (int i = 0; i < 8; ++i) {
    std::snprintf(name, sizeof name, "MainIcon%d.bmp", i);
    p.MainIconPath[i] = Slashed(Join(dir, name));
  }
  for (int i = 0; i < 48; ++i) {
    std::snprintf(name, sizeof name, "SubIcon0%02d.bmp", i);
    p.SubIconPath[i] = Slashed(Join(dir, name));
  }
  p.BatteryIconPath = Slashed(Join(dir, "BatteryIcon.bmp"));
  p.BusyIconPath = Slashed(Join(dir, "BusyIcon.bmp"));
}

void BuildPaths(Paths& p, std::string_view cwd) {
  p.BootSoundPath = Slashed(Join(cwd, "bootsound.wav"));
  p.VshmainPath = Slashed(Join(cwd, "vshmain.prx"));
  p.PafPath = Slashed(Join(cwd, "paf.prx"));
  p.OpeningPath = Slashed(Join(cwd, "opening_plugin.prx"));
  p.TopmenuPluginPath = Slashed(Join(cwd, "topmenu_plugin.rco"));
  p.SystemPluginFgPath = Slashed(Join(cwd, "system_plugin_fg.rco"));
  p.TopmenuIconPath = Slashed(Join(cwd, "topmenu_icon.rco"));
  SetDoneDir(p, Join(cwd, "done"));
  p.DoneName = "done";
  SetIconDir(p, cwd);
}

}  // namespace qorvi
