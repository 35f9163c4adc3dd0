#include "model/paths.h"

#include <algorithm>
#include <cstdio>

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

void SlashPath(std::string& path) { std::replace(path.begin(), path.end(), '\\', '/'); }

void SetDoneDir(Paths& p, std::string_view doneDir) {
  p.DoneDir = std::string(doneDir);
  p.DoneVshmainPath = Join(doneDir, "module/vshmain.prx");
  p.DonePafPath = Join(doneDir, "module/paf.prx");
  p.DoneOpeningPath = Join(doneDir, "module/opening_plugin.prx");
  p.DoneTopmenuPluginPath = Join(doneDir, "resource/topmenu_plugin.rco");
  p.DoneSystemPluginFgPath = Join(doneDir, "resource/system_plugin_fg.rco");
  p.DoneTopmenuIconPath = Join(doneDir, "resource/topmenu_icon.rco");
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
  SetIconDir(p, cwd);
}

}  // namespace qorvi
