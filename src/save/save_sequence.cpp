#include "save/save_sequence.h"

#include <string>

#include "firmware/apply_values.h"
#include "firmware/file_io.h"
#include "firmware/module_writer.h"

namespace qorvi {
namespace {

std::size_t Length(int32_t loadedSize) { return loadedSize > 0 ? static_cast<std::size_t>(loadedSize) : 0; }

}  // namespace

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

  auto writeModule = [&](const std::string& path, FileArea area, int32_t loadedSize) {
    std::span<uint8_t> image = model.work.Area(area);
    return WriteFirmwareFile(path, image, Capacity(area), Length(loadedSize), layout, model, compress,
                             paths.BootSoundPath, scratch);
  };

  if (writeModule(paths.DoneVshmainPath, FileArea::Vshmain, model.VshmainLoadedSize) != kFileWritten) {
    raised.push_back(Message::VshmainWriteError);
  }
  if (writeModule(paths.DonePafPath, FileArea::Paf, model.PafLoadedSize) != kFileWritten) {
    raised.push_back(Message::PafWriteError);
  }
  if (model.BootSoundEnabled == 1 && model.OpeningEnabled == 1) {
    const int r = writeModule(paths.DoneOpeningPath, FileArea::Opening, model.OpeningLoadedSize);
    if (r == kBootSoundTooBig) {
      raised.push_back(Message::WavTooBig);
    } else if (r != kFileWritten) {
      raised.push_back(Message::OpeningWriteError);
    }
  }

  // The containers: their apply step, then the bytes as they are.
  auto writeResource = [&](const std::string& path, FileArea area, int32_t loadedSize, auto apply) {
    const std::size_t length = Length(loadedSize);
    if (length == 0) return true;
    if (length > Capacity(area)) return false;
    std::span<uint8_t> image = model.work.Area(area).first(length);
    if (!apply(image)) return false;
    return WriteResourceFile(path, image, Capacity(area), length) == kFileWritten;
  };

  if (!writeResource(paths.DoneTopmenuPluginPath, FileArea::TopmenuPlugin, model.TopmenuPluginLoadedSize,
                     [&](std::span<uint8_t> image) { return ApplyTopmenuPluginValues(image, layout); })) {
    raised.push_back(Message::TopmenuPluginWriteError);
  }
  if (!writeResource(paths.DoneSystemPluginFgPath, FileArea::SystemPluginFg, model.SystemPluginFgLoadedSize,
                     [&](std::span<uint8_t> image) { return ApplySystemPluginValues(image, model, layout); })) {
    raised.push_back(Message::SystemPluginFgWriteError);
  }
  if (!writeResource(paths.DoneTopmenuIconPath, FileArea::TopmenuIcon, model.TopmenuIconLoadedSize,
                     [](std::span<uint8_t>) { return true; })) {
    raised.push_back(Message::TopmenuIconWriteError);
  }
  return raised;
}

}  // namespace qorvi
