// SPDX-License-Identifier: GPL-3.0-or-later
// The unpacked resource containers (.rco). The program reads fixed places of
// them (model/container_places.h), the same for every firmware version; a
// refusal's cause names the place and what was found there.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/model.h"
#include "model/result.h"

namespace qorvi {

// 00 'P' 'R' 'F' and a version whose low byte is 0x71.
bool HasRcoSignature(std::span<const uint8_t> image);
// The same, refused with the bytes found.
Status CheckRcoSignature(std::span<const uint8_t> image);

// system_plugin_fg.rco: the second and third object of the object table hold the
// battery and busy icon values. Refused when either object (up to the last value
// read or written, +0x174) lies outside the image.
struct SystemPluginObjects {
  uint32_t battery;
  uint32_t busy;
};
Result<SystemPluginObjects> LocateSystemPluginObjects(std::span<const uint8_t> image);

// Sets BatteryObject, BusyObject, BatteryX/Y, BusyX/Y and the battery, clock and
// busy colours (each channel by ColorByteFromFloat). Refused, changing nothing,
// when the objects cannot be located.
Status ExtractSystemPluginFg(std::span<const uint8_t> image, FirmwareState& state);

// topmenu_plugin.rco: the place of the float Save sets to MainIconX. With E1 the
// first object (object table + 40) and E2 its next sibling (E1 + u32 at E1 + 0x14),
// the place is E2 + u32 at E2 + 0x18 + 40. Refused when it (4 bytes) or an entry
// read on the way lies outside the image.
Result<uint32_t> LocateTopmenuPluginValue(std::span<const uint8_t> image);

// Inflates one zlib-wrapped GIM picture (2-byte zlib header, raw deflate data)
// into the first 2 MiB of `scratch` (at least 4 MiB) and converts it into a BMP
// file in scratch[2 MiB, 4 MiB). Returns the file's bytes, or an empty span when
// the stream is shorter than its header, fails to inflate, does not end within
// 2 MiB, or the picture fails a check. The Adler-32 trailer is not checked.
std::span<const uint8_t> DecodeImage(std::span<const uint8_t> data, std::span<uint8_t> scratch);

// Receives each decoded icon with its number (model/icon_pictures.h); `bmp` is a
// view into the scratch space, valid during the call.
using BitmapSink = std::function<void(int picture, std::span<const uint8_t> bmp)>;

// The compressed streams: image k of topmenu_icon.rco (data at image data area +
// u32 at 0x124 + 56 k, byte count u32 at 0x128 + 56 k); the battery icon of
// system_plugin_fg.rco (at the start of the image data area, byte count at 0x120)
// and its busy icon (image data area + u32 at 0x2AC, byte count at 0x2B0). The
// byte count is the picture's unpacked size in real containers, so it may run past
// the end of the file: a stream is cut to the bytes the file holds. Nothing when a
// place or the start of the stream lies outside the image.
std::optional<std::span<const uint8_t>> TopmenuIconStream(std::span<const uint8_t> image, int64_t k);
std::optional<std::span<const uint8_t>> BatteryIconStream(std::span<const uint8_t> image);
std::optional<std::span<const uint8_t>> BusyIconStream(std::span<const uint8_t> image);

// Decodes the battery and busy icons of system_plugin_fg.rco and hands them to
// `sink` as kBatteryPicture and kBusyPicture. A picture that fails is skipped.
void DecodeSystemPluginIcons(std::span<const uint8_t> image, std::span<uint8_t> scratch, const BitmapSink& sink);

// Decodes the category icons (0..6, and 7 for 5.00) and the item icons of the item
// slots that have one (image number SubIconImageIndex of the slot) from
// topmenu_icon.rco and hands them to `sink` as MainIconPicture / SubIconPicture. A
// picture that fails is skipped.
void DecodeIcons(std::span<const uint8_t> image, const FirmwareState& state, std::span<uint8_t> scratch,
                 const BitmapSink& sink);

}  // namespace qorvi
