// The modules vshmain.prx, paf.prx and opening_plugin.prx: reading them (plain or
// as compressed "~PSP" images), telling the firmware version by the size of
// vshmain.prx, and taking the layout values, menu entries and item records out.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "model/model.h"

namespace qorvi {

inline constexpr int64_t kModuleCannotOpen = -1;
inline constexpr int64_t kModuleSizeMismatch = -2;

// Reads vshmain.prx into `area` (its capacity is the area's size), unpacking a
// "~PSP" image through `scratch`; detects the version, selects its profile, keeps
// the ~PSP header, harvests the 5.00 constants and extracts the vshmain values.
// Returns the image size, kModuleCannotOpen, or kModuleSizeMismatch (also for a
// file longer than the area). On failure `state` is unchanged.
int64_t LoadVshmain(const std::string& path, std::span<uint8_t> area, FirmwareState& state, std::span<uint8_t> scratch);

// Reads paf.prx or opening_plugin.prx the same way; the size must equal
// `expectedSize` (plain, or after unpacking). For paf.prx (expectedSize equal to
// the profile's PafSize) it keeps the ~PSP header, harvests the 5.00 constants and
// extracts the paf values. On failure `state` is unchanged.
int64_t LoadModule(const std::string& path, std::span<uint8_t> area, int64_t expectedSize, FirmwareState& state,
                   std::span<uint8_t> scratch);

// The same two loads for bytes already in `area`: its first `length` bytes are the
// file as read (plain or "~PSP"). `scratch` (at least the inflated size, up to
// kInflateLimit bytes are used) must not overlap `area`. A length beyond the area
// is refused. On success `area` holds the plain image; on failure it may hold the
// file or its unpacked image, and `state` is unchanged.
int64_t LoadVshmainImage(std::span<uint8_t> area, std::size_t length, FirmwareState& state, std::span<uint8_t> scratch);
int64_t LoadModuleImage(std::span<uint8_t> area, std::size_t length, int64_t expectedSize, FirmwareState& state,
                        std::span<uint8_t> scratch);

// Sets FirmwareVersion, Profile, CategoryEntryCount and ItemCount for a known
// version (and clears UnlistedEntriesCounted, as CategoryEntryCount starts afresh);
// an unknown version changes nothing.
void SelectProfile(FirmwareState& state, int32_t version);

// Take the values out of a module image of the state's version. False (state
// partly filled) only when the image is shorter than the version's tables need,
// which the size checks of the loaders rule out.
bool ExtractVshmain(std::span<const uint8_t> image, FirmwareState& state);
bool ExtractPaf(std::span<const uint8_t> image, FirmwareState& state);

}  // namespace qorvi
