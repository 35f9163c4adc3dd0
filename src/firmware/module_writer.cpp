#include "firmware/module_writer.h"

#include <optional>

#include "firmware/constants_harvest.h"
#include "firmware/file_io.h"
#include "firmware/psp_package.h"

namespace qorvi {
namespace {

constexpr int32_t kVersion395 = 395;  // its modules are always written uncompressed
constexpr int32_t kVersion500 = 500;

bool Matches(std::size_t length, int32_t size) { return size > 0 && length == static_cast<std::size_t>(size); }

int WriteWhole(const std::string& path, std::span<const uint8_t> bytes) {
  return WriteFileAtomically(path, {bytes}) ? kFileWritten : kWriteFailed;
}

}  // namespace

int WriteFirmwareFile(const std::string& outputPath, std::span<uint8_t> image, std::size_t capacity, std::size_t length,
                      const LayoutRecord& layout, FirmwareState& state, bool compress, const std::string& bootSoundPath,
                      std::span<uint8_t> scratch) {
  if (length < 1) return kFileWritten;  // not loaded: nothing to write
  if (length > image.size() || length > capacity) return kWriteFailed;
  std::span<uint8_t> file = image.first(length);
  const FirmwareProfile& profile = state.Profile;
  const bool is500 = state.FirmwareVersion == kVersion500;
  PspHeader* header = &state.VshmainPspHeader;  // also opening_plugin.prx's

  if (Matches(length, profile.VshmainSize)) {
    if (!ApplyVshmainValues(file, layout, state)) return kWriteFailed;
    if (is500) PatchFloatImmediates(state.VshConstants, file);
  } else if (Matches(length, profile.PafSize)) {
    header = &state.PafPspHeader;
    if (!ApplyPafValues(file, layout, state)) return kWriteFailed;
    if (is500) PatchFloatImmediates(state.PafConstants, file);
  } else if (Matches(length, profile.OpeningSize)) {
    const int r = InsertBootSound(file, state, bootSoundPath, scratch);
    if (r != kFileWritten) return r;
  }

  if (!compress || state.FirmwareVersion == kVersion395) return WriteWhole(outputPath, file);
  const std::optional<std::span<const uint8_t>> packed = PackPsp(file, *header, scratch);
  if (!packed) return kWriteFailed;
  return WriteWhole(outputPath, *packed);
}

int WriteResourceFile(const std::string& outputPath, std::span<const uint8_t> image, std::size_t capacity,
                      std::size_t length) {
  if (length < 1) return kFileWritten;
  if (length > image.size() || length > capacity) return kWriteFailed;
  return WriteWhole(outputPath, image.first(length));
}

}  // namespace qorvi
