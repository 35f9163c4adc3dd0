// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/module_writer.h"

#include <algorithm>
#include <optional>

#include "firmware/constants_harvest.h"
#include "firmware/psp_package.h"
#include "firmware/read_input.h"
#include "platform/file_io.h"

namespace qorvi {
namespace {

bool Matches(std::size_t length, int32_t size) { return size > 0 && length == static_cast<std::size_t>(size); }

FileWriteResult WriteWhole(const std::string& path, std::span<const uint8_t> bytes, const std::string& name) {
  const WriteResult written = WriteFileAtomically(path, {bytes});
  if (written) return {};
  return {kWriteFailed, name + ": " + SystemErrorText(written.error, "cannot be written")};
}

FileWriteResult Refused(const std::string& name, const Status& s) { return {kWriteFailed, name + ": " + s.cause()}; }

FileWriteResult CheckLength(std::size_t length, std::size_t image, std::size_t capacity, const std::string& name) {
  if (length > image || length > capacity) {
    return {kWriteFailed, name + ": " + std::to_string(length) + " bytes do not fit the " +
                              std::to_string(std::min(image, capacity)) + "-byte area"};
  }
  return {};
}

}  // namespace

FileWriteResult WriteFirmwareFile(const std::string& outputPath, std::span<uint8_t> image, std::size_t capacity,
                                  std::size_t length, const LayoutRecord& layout, FirmwareState& state, bool compress,
                                  const std::string& bootSoundPath, std::span<uint8_t> scratch,
                                  const std::string& name) {
  if (length < 1) return {};  // not loaded: nothing to write
  if (FileWriteResult r = CheckLength(length, image.size(), capacity, name); !r.ok()) return r;
  std::span<uint8_t> file = image.first(length);
  const FirmwareProfile& profile = state.Profile;
  PspHeader* header = &state.VshmainPspHeader;  // also opening_plugin.prx's

  if (Matches(length, profile.VshmainSize)) {
    if (Status s = ApplyVshmainValues(file, layout, state); !s) return Refused(name, s);
    if (profile.HarvestsConstants) PatchFloatImmediates(state.VshConstants, file);
  } else if (Matches(length, profile.PafSize)) {
    header = &state.PafPspHeader;
    if (Status s = ApplyPafValues(file, layout, state); !s) return Refused(name, s);
    if (profile.HarvestsConstants) PatchFloatImmediates(state.PafConstants, file);
  } else if (Matches(length, profile.OpeningSize)) {
    FileWriteResult r = InsertBootSound(file, state, bootSoundPath, scratch);
    if (!r.ok()) return r;
  }

  if (!compress || profile.AlwaysPlainModules) return WriteWhole(outputPath, file, name);
  const std::optional<std::span<const uint8_t>> packed = PackPsp(file, *header, scratch);
  if (!packed) return {kWriteFailed, name + ": compressing the module failed"};
  return WriteWhole(outputPath, *packed, name);
}

FileWriteResult WriteResourceFile(const std::string& outputPath, std::span<const uint8_t> image, std::size_t capacity,
                                  std::size_t length, const std::string& name) {
  if (length < 1) return {};
  if (FileWriteResult r = CheckLength(length, image.size(), capacity, name); !r.ok()) return r;
  return WriteWhole(outputPath, image.first(length), name);
}

}  // namespace qorvi
