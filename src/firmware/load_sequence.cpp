// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/load_sequence.h"

#include <cstring>

#include "firmware/category_lists.h"
#include "firmware/labels.h"
#include "firmware/module_image.h"
#include "firmware/rco_container.h"
#include "firmware/read_input.h"
#include "model/value_text.h"

namespace qorvi {
namespace {

// The messages of one resource container, in the order its checks run.
struct ContainerMessages {
  Message openError;
  Message sizeMismatch;
  Message cannotInflate;
};

constexpr ContainerMessages kTopmenuPluginMessages{Message::TopmenuPluginOpenError, Message::TopmenuPluginSizeMismatch,
                                                   Message::TopmenuPluginCannotInflate};
constexpr ContainerMessages kSystemPluginFgMessages{
    Message::SystemPluginFgOpenError, Message::SystemPluginFgSizeMismatch, Message::SystemPluginFgCannotInflate};
constexpr ContainerMessages kTopmenuIconMessages{Message::TopmenuIconOpenError, Message::TopmenuIconSizeMismatch,
                                                 Message::TopmenuIconCannotInflate};

// Reads a container into its staging area and runs the checks every container
// gets: it must open, must not be the stock file of the detected version (the stock
// containers keep their tables compressed, which this program cannot read), must
// fit its area and must carry the container signature. A failure's cause starts
// with the file's name.
std::optional<Failure> ReadContainer(const std::string& path, std::span<uint8_t> area, int32_t stockSize,
                                     int32_t version, const char* name, const ContainerMessages& messages,
                                     int32_t& loadedSize) {
  Result<std::size_t, InputRefusal> r = ReadInput(path, area);
  if (!r) {
    const Message m = r.refusal().kind == InputFailure::CannotOpen ? messages.openError : messages.sizeMismatch;
    return Failure(m, std::string(name) + ": " + r.cause());
  }
  if (static_cast<int64_t>(*r) == stockSize) {
    return Failure(messages.sizeMismatch, std::string(name) + ": " + std::to_string(*r) +
                                              " bytes, the size of the stock file of firmware " +
                                              std::to_string(version) + " (its tables are still compressed)");
  }
  if (Status s = CheckRcoSignature(area.first(*r)); !s) {
    return Failure(messages.cannotInflate, std::string(name) + ": " + s.cause());
  }
  loadedSize = static_cast<int32_t>(*r);
  return std::nullopt;
}

std::optional<Failure> ModuleFailureOf(const Result<int64_t, ModuleRefusal>& r, const char* name, Message openError,
                                       Message sizeMismatch) {
  if (r) return std::nullopt;
  const Message m = r.refusal().kind == ModuleFailure::CannotOpen ? openError : sizeMismatch;
  return Failure(m, std::string(name) + ": " + r.cause());
}

// A refusal of a reader of the file `name`, under the message `code`.
Failure Refused(Message code, const char* name, const Status& s) {
  return Failure(code, std::string(name) + ": " + s.cause());
}

// Reads every file into the staging areas and `staged`; nothing of the model's
// own images or state is touched here.
std::optional<Failure> StageFiles(Model& model, FirmwareState& staged) {
  WorkArea& work = model.work;
  const Paths& paths = model.paths;
  std::span<uint8_t> scratch = work.Scratch();

  staged.UnlistedEntriesCounted = false;
  staged.OpeningLoadedSize = 0;

  auto r = LoadVshmain(paths.VshmainPath, work.Staging(FileArea::Vshmain), staged, scratch);
  if (auto m = ModuleFailureOf(r, "vshmain.prx", Message::VshmainOpenError, Message::VshmainSizeMismatch)) return m;

  r = LoadModule(paths.PafPath, work.Staging(FileArea::Paf), staged.Profile.PafSize, staged, scratch);
  if (auto m = ModuleFailureOf(r, "paf.prx", Message::PafOpenError, Message::PafSizeMismatch)) return m;

  if (model.BootSoundEnabled == 1 && model.OpeningEnabled == 1) {
    r = LoadModule(paths.OpeningPath, work.Staging(FileArea::Opening), staged.Profile.OpeningSize, staged, scratch);
    if (auto m = ModuleFailureOf(r, "opening_plugin.prx", Message::OpeningOpenError, Message::OpeningSizeMismatch)) {
      return m;
    }
  }

  const int32_t version = staged.FirmwareVersion;
  std::span<uint8_t> topmenuPlugin = work.Staging(FileArea::TopmenuPlugin);
  if (auto m = ReadContainer(paths.TopmenuPluginPath, topmenuPlugin, staged.Profile.TopmenuPluginStockSize, version,
                             "topmenu_plugin.rco", kTopmenuPluginMessages, staged.TopmenuPluginLoadedSize)) {
    return m;
  }
  topmenuPlugin = topmenuPlugin.first(staged.TopmenuPluginLoadedSize);
  // Save writes MainIconX into this container; a container without that place is broken.
  if (Result<uint32_t> place = LocateTopmenuPluginValue(topmenuPlugin); !place) {
    return Failure(Message::TopmenuPluginCannotInflate, "topmenu_plugin.rco: " + place.cause());
  }

  std::span<uint8_t> systemPluginFg = work.Staging(FileArea::SystemPluginFg);
  if (auto m = ReadContainer(paths.SystemPluginFgPath, systemPluginFg, staged.Profile.SystemPluginFgStockSize, version,
                             "system_plugin_fg.rco", kSystemPluginFgMessages, staged.SystemPluginFgLoadedSize)) {
    return m;
  }
  systemPluginFg = systemPluginFg.first(staged.SystemPluginFgLoadedSize);
  if (Status s = ExtractSystemPluginFg(systemPluginFg, staged); !s) {
    return Refused(Message::SystemPluginFgCannotInflate, "system_plugin_fg.rco", s);
  }

  std::span<uint8_t> topmenuIcon = work.Staging(FileArea::TopmenuIcon);
  if (auto m = ReadContainer(paths.TopmenuIconPath, topmenuIcon, staged.Profile.TopmenuIconStockSize, version,
                             "topmenu_icon.rco", kTopmenuIconMessages, staged.TopmenuIconLoadedSize)) {
    return m;
  }
  topmenuIcon = topmenuIcon.first(staged.TopmenuIconLoadedSize);
  if (Status s = ReadImageLabels(topmenuIcon, staged); !s) {
    return Refused(Message::TopmenuIconCannotInflate, "topmenu_icon.rco", s);
  }

  // The names need the item tags and the image label count read above.
  if (Status s = ReadLabelTexts(topmenuPlugin, staged); !s) {
    return Refused(Message::TopmenuPluginCannotInflate, "topmenu_plugin.rco", s);
  }
  return std::nullopt;
}

int32_t LoadedLength(const FirmwareState& s, FileArea a) {
  switch (a) {
    case FileArea::Vshmain: return s.VshmainLoadedSize;
    case FileArea::Paf: return s.PafLoadedSize;
    case FileArea::Opening: return s.OpeningLoadedSize;
    case FileArea::TopmenuPlugin: return s.TopmenuPluginLoadedSize;
    case FileArea::SystemPluginFg: return s.SystemPluginFgLoadedSize;
    case FileArea::TopmenuIcon: return s.TopmenuIconLoadedSize;
  }
  return 0;
}

}  // namespace

std::optional<Failure> LoadAll(Model& model) {
  if (!model.work.Allocated()) return Message::CannotAllocateMemory;

  FirmwareState staged = model;
  if (auto failure = StageFiles(model, staged)) return failure;

  // Every file passed: the staged images and values become the model's.
  for (int i = 0; i < kFileAreaCount; ++i) {
    auto area = static_cast<FileArea>(i);
    std::size_t length = static_cast<std::size_t>(LoadedLength(staged, area));
    if (length > 0) std::memcpy(model.work.Area(area).data(), model.work.Staging(area).data(), length);
  }
  static_cast<FirmwareState&>(model) = staged;

  // The pictures of an earlier set must not stand in for pictures this set lacks.
  model.pictures.Clear();
  std::span<uint8_t> scratch = model.work.Scratch();
  const BitmapSink keep = [&model](int picture, std::span<const uint8_t> bmp) { model.pictures.Set(picture, bmp); };
  DecodeSystemPluginIcons(model.work.Area(FileArea::SystemPluginFg).first(model.SystemPluginFgLoadedSize), scratch,
                          keep);
  DecodeIcons(model.work.Area(FileArea::TopmenuIcon).first(model.TopmenuIconLoadedSize), model, scratch, keep);
  return std::nullopt;
}

void FinishLoad(Model& model, bool noShowUmdIcon) {
  model.Layout.Bmp01_12size = ClampedSize(model.Layout.Bmp01_12size);
  TakeLoadedCopy(model);
  RebuildCategoryLists(model, noShowUmdIcon);
}

}  // namespace qorvi
