// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the layout model back into the file images before they are saved.
//
// Every value goes to the place the load side read it from (VshScalarTable and
// PafSlotTable with the version's VshOffsets / PafOffsets, the record layouts and
// container places of src/model), plus a few places the load does not read:
// VshOffsets slot 4 (UnfIconY + 1), PafOffsets slot 8 (a second copy of
// SubIconSize), the profile's MainIconXCopies constants and ClearedVshWord, the
// MainIconX copy in topmenu_plugin.rco, the +2 / -2 position copies in
// system_plugin_fg.rco and the boot sound area of opening_plugin.prx.
//
// Integer fields are written as the single nearest to the integer; float fields
// bit for bit as held. Where the profile HarvestsConstants the scalar module values
// go into VshConstants / PafConstants; PatchFloatImmediates then carries them into
// the code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "model/layout_record.h"
#include "model/model.h"
#include "model/result.h"

namespace qorvi {

// Results of writing one file (the boot sound insertion shares them).
inline constexpr int kFileWritten = 0;
inline constexpr int kWriteFailed = -3;  // cannot create or fully write the output
inline constexpr int kBootSoundCannotOpen = -4;
inline constexpr int kBootSoundTooBig = 15;

// One of the codes above and, unless the file was written, the cause ("No space
// left on device", "the boot sound has more than 49376 bytes").
struct FileWriteResult {
  int code = kFileWritten;
  std::string cause;

  bool ok() const { return code == kFileWritten; }
  bool operator==(int c) const { return code == c; }
};

// The boot sound area of opening_plugin.prx starts at the profile's BootSoundOffset.
inline constexpr std::size_t kBootSoundAreaBytes = 0xC0E0;  // 49,376: the largest sound accepted

// Writes the vshmain.prx values of `layout`, the category entries and the item
// records of `state` into `image` (where the profile HarvestsConstants: the scalars
// into state.VshConstants). Only the first min(CategoryEntryCount, the version's
// count) entries and min(ItemCount, the version's count) items are written; a tag
// is written as its text and zero, or as all 24 bytes when it holds no zero.
// Refused when a place lies outside the image or the table (nothing outside is
// touched; the places inside are written).
Status ApplyVshmainValues(std::span<uint8_t> image, const LayoutRecord& layout, FirmwareState& state);

// Writes the paf.prx values of `layout` in the order of PafSlotTable (into
// state.PafConstants where the profile HarvestsConstants; the extended fields only
// where it HasExtendedFields). Refused as above.
Status ApplyPafValues(std::span<uint8_t> image, const LayoutRecord& layout, FirmwareState& state);

// Reads the boot sound at `path` (at most kBootSoundAreaBytes of it, into the start
// of `scratch`) and puts it at the start of the boot sound area of the
// opening_plugin.prx `image`, the rest of the area zero. Returns kFileWritten,
// kBootSoundCannotOpen, kBootSoundTooBig (the image untouched in both cases) or
// kWriteFailed when the area lies outside the image or `scratch` is too small.
FileWriteResult InsertBootSound(std::span<uint8_t> image, const FirmwareState& state, const std::string& path,
                                std::span<uint8_t> scratch);

// Writes MainIconX into topmenu_plugin.rco (the place LocateTopmenuPluginValue
// finds). Refused, writing nothing, when there is no such place.
Status ApplyTopmenuPluginValues(std::span<uint8_t> image, const LayoutRecord& layout);

// Writes the battery and busy positions (and their +2 / -2 copies) and the battery,
// clock and busy colours into system_plugin_fg.rco, through state.BatteryObject and
// state.BusyObject as located at load. Refused, writing nothing, when either object
// does not lie wholly inside the image.
Status ApplySystemPluginValues(std::span<uint8_t> image, const FirmwareState& state, const LayoutRecord& layout);

}  // namespace qorvi
