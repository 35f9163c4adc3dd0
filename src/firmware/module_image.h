// SPDX-License-Identifier: GPL-3.0-or-later
// The modules vshmain.prx, paf.prx and opening_plugin.prx: reading them (plain or
// as compressed "~PSP" images), telling the firmware version by the size of
// vshmain.prx, and taking the layout values, menu entries and item records out.
// A refusal's cause names the check that failed and what was found
// ("300000 bytes, no known version has this size and it has no ~PSP signature").
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "model/model.h"
#include "model/result.h"

namespace qorvi {

// Why a module load was refused: the file could not be read, or it is not a
// module of the expected size (plain or unpacked).
enum class ModuleFailure { CannotOpen, SizeMismatch };
struct ModuleRefusal {
  ModuleFailure kind;
  std::string cause;
};

// Reads vshmain.prx into `area` (its capacity is the area's size), unpacking a
// "~PSP" image through `scratch`; detects the version, selects its profile, keeps
// the ~PSP header, harvests the constants (where the profile HarvestsConstants)
// and extracts the vshmain values. Returns the image size; a file longer than the
// area is a SizeMismatch. On failure `state` is unchanged.
Result<int64_t, ModuleRefusal> LoadVshmain(const std::string& path, std::span<uint8_t> area, FirmwareState& state,
                                           std::span<uint8_t> scratch);

// Reads paf.prx or opening_plugin.prx the same way; the size must equal
// `expectedSize` (plain, or after unpacking). For paf.prx (expectedSize equal to
// the profile's PafSize) it keeps the ~PSP header, harvests the constants and
// extracts the paf values. On failure `state` is unchanged.
Result<int64_t, ModuleRefusal> LoadModule(const std::string& path, std::span<uint8_t> area, int64_t expectedSize,
                                          FirmwareState& state, std::span<uint8_t> scratch);

// The same two loads for bytes already in `area`: its first `length` bytes are the
// file as read (plain or "~PSP"). `scratch` (at least the inflated size, up to
// kInflateLimit bytes are used) must not overlap `area`. A length beyond the area
// is refused. On success `area` holds the plain image; on failure it may hold the
// file or its unpacked image, and `state` is unchanged. Every refusal is a size
// mismatch; its cause says what was found.
Result<int64_t> LoadVshmainImage(std::span<uint8_t> area, std::size_t length, FirmwareState& state,
                                 std::span<uint8_t> scratch);
Result<int64_t> LoadModuleImage(std::span<uint8_t> area, std::size_t length, int64_t expectedSize, FirmwareState& state,
                                std::span<uint8_t> scratch);

// Sets FirmwareVersion, Profile, CategoryEntryCount and ItemCount for a known
// version (and clears UnlistedEntriesCounted, as CategoryEntryCount starts afresh);
// an unknown version changes nothing.
void SelectProfile(FirmwareState& state, int32_t version);

// Take the values out of a module image of the state's version. Refused (state
// partly filled) only when the image is shorter than the version's tables need,
// which the size checks of the loaders rule out.
Status ExtractVshmain(std::span<const uint8_t> image, FirmwareState& state);
Status ExtractPaf(std::span<const uint8_t> image, FirmwareState& state);

}  // namespace qorvi
