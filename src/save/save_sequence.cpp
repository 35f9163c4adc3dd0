// SPDX-License-Identifier: GPL-3.0-or-later
#include "save/save_sequence.h"

#include <string>

#include "firmware/apply_values.h"
#include "firmware/module_writer.h"
#include "platform/file_io.h"

namespace qorvi {
namespace {

std::size_t Length(int32_t loadedSize) { return loadedSize > 0 ? static_cast<std::size_t>(loadedSize) : 0; }

}  // namespace

bool SavesOpening(const Model& model) {
  return model.BootSoundEnabled == 1 && model.OpeningEnabled == 1 && model.OpeningLoadedSize > 0;
}

std::vector<Failure> SaveAll(Model& model, bool compress) {
  std::vector<Failure> raised;
  // Without the work area nothing can have been loaded, so there is nothing to write.
  if (!model.work.Allocated()) return raised;

  const Paths& paths = model.paths;
  // The done folder with module/ and resource/ (and any missing parents), without
  // what an interrupted earlier save left there. A folder that cannot be made
  // surfaces as the write errors of the files that were to go into it.
  PrepareOutputFiles({paths.DoneVshmainPath, paths.DonePafPath, paths.DoneOpeningPath, paths.DoneTopmenuPluginPath,
                      paths.DoneSystemPluginFgPath, paths.DoneTopmenuIconPath});

  // One snapshot of the values for every file, so all of them agree.
  const LayoutRecord layout = model.Layout;
  std::span<uint8_t> scratch = model.work.Scratch();

  auto writeModule = [&](const std::string& path, FileArea area, int32_t loadedSize, const char* name) {
    std::span<uint8_t> image = model.work.Area(area);
    return WriteFirmwareFile(path, image, Capacity(area), Length(loadedSize), layout, model, compress,
                             paths.BootSoundPath, scratch, paths.DoneName + "/module/" + name);
  };

  if (FileWriteResult r = writeModule(paths.DoneVshmainPath, FileArea::Vshmain, model.VshmainLoadedSize, "vshmain.prx");
      !r.ok()) {
    raised.emplace_back(Message::VshmainWriteError, r.cause);
  }
  if (FileWriteResult r = writeModule(paths.DonePafPath, FileArea::Paf, model.PafLoadedSize, "paf.prx"); !r.ok()) {
    raised.emplace_back(Message::PafWriteError, r.cause);
  }
  if (SavesOpening(model)) {
    FileWriteResult r =
        writeModule(paths.DoneOpeningPath, FileArea::Opening, model.OpeningLoadedSize, "opening_plugin.prx");
    if (r.code == kBootSoundTooBig) {
      raised.emplace_back(Message::WavTooBig, r.cause);
    } else if (!r.ok()) {
      raised.emplace_back(Message::OpeningWriteError, r.cause);
    }
  }

  // The containers: their apply step, then the bytes as they are.
  auto writeResource = [&](const std::string& path, FileArea area, int32_t loadedSize, const char* file,
                           auto apply) -> FileWriteResult {
    const std::string name = paths.DoneName + "/resource/" + file;
    const std::size_t length = Length(loadedSize);
    if (length == 0) return {};
    if (length > Capacity(area))
      return {kWriteFailed, name + ": " + std::to_string(length) + " bytes do not fit its area"};
    std::span<uint8_t> image = model.work.Area(area).first(length);
    if (Status s = apply(image); !s) return {kWriteFailed, std::string(file) + ": " + s.cause()};
    return WriteResourceFile(path, image, Capacity(area), length, name);
  };

  if (FileWriteResult r = writeResource(
          paths.DoneTopmenuPluginPath, FileArea::TopmenuPlugin, model.TopmenuPluginLoadedSize, "topmenu_plugin.rco",
          [&](std::span<uint8_t> image) { return ApplyTopmenuPluginValues(image, layout); });
      !r.ok()) {
    raised.emplace_back(Message::TopmenuPluginWriteError, r.cause);
  }
  if (FileWriteResult r =
          writeResource(paths.DoneSystemPluginFgPath, FileArea::SystemPluginFg, model.SystemPluginFgLoadedSize,
                        "system_plugin_fg.rco",
                        [&](std::span<uint8_t> image) { return ApplySystemPluginValues(image, model, layout); });
      !r.ok()) {
    raised.emplace_back(Message::SystemPluginFgWriteError, r.cause);
  }
  if (FileWriteResult r = writeResource(paths.DoneTopmenuIconPath, FileArea::TopmenuIcon, model.TopmenuIconLoadedSize,
                                        "topmenu_icon.rco", [](std::span<uint8_t>) { return Status(); });
      !r.ok()) {
    raised.emplace_back(Message::TopmenuIconWriteError, r.cause);
  }
  return raised;
}

}  // namespace qorvi
