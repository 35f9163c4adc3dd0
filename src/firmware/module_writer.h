// SPDX-License-Identifier: GPL-3.0-or-later
// Writing one file of the output tree. A module gets its apply step first (the
// values of the layout, or the boot sound) and is then written plainly or packed as
// a compressed "~PSP" module; a resource container is written byte for byte.
//
// Every output goes to a temporary file that replaces the final name only once
// all of it is on disk: a failed write (cannot create, short write, full disk,
// deflate failure) never leaves a cut file and never destroys an earlier output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "firmware/apply_values.h"
#include "model/layout_record.h"
#include "model/model.h"

namespace qorvi {

// Writes the first `length` bytes of `image` (the file's area; `capacity` is the
// area's size) to `outputPath`. The module is told by its length, first match
// wins: the version's VshmainSize (ApplyVshmainValues, then where the profile
// HarvestsConstants PatchFloatImmediates with VshConstants), PafSize
// (ApplyPafValues, then PatchFloatImmediates with PafConstants) or OpeningSize
// (InsertBootSound with `bootSoundPath`); any other length gets no apply step.
// With `compress` (ignored where the profile has AlwaysPlainModules) the image is
// packed with PackPsp through `scratch` (8 MiB) and state.PafPspHeader for
// paf.prx, state.VshmainPspHeader otherwise; the header keeps the fields of this
// packing.
//
// Returns kFileWritten (also when `length` is 0: nothing is written), kWriteFailed
// (the image does not fit `image` or `capacity`, an apply step found a place
// outside the image, compression failed, or the file could not be written
// completely), kBootSoundCannotOpen or kBootSoundTooBig (opening_plugin.prx: then
// nothing is written). A failure's cause starts with `name` (the output as the
// user knows it, "done/module/vshmain.prx") where it concerns the output.
FileWriteResult WriteFirmwareFile(const std::string& outputPath, std::span<uint8_t> image, std::size_t capacity,
                                  std::size_t length, const LayoutRecord& layout, FirmwareState& state, bool compress,
                                  const std::string& bootSoundPath, std::span<uint8_t> scratch,
                                  const std::string& name = "output");

// Writes the first `length` bytes of a resource container unchanged: kFileWritten
// (also for `length` 0, writing nothing) or kWriteFailed. Unlike
// WriteFirmwareFile it never takes the file for a module, whatever its length.
FileWriteResult WriteResourceFile(const std::string& outputPath, std::span<const uint8_t> image, std::size_t capacity,
                                  std::size_t length, const std::string& name = "output");

}  // namespace qorvi
