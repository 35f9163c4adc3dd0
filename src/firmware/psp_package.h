// SPDX-License-Identifier: GPL-3.0-or-later
// Compressed "~PSP" modules: a 336-byte header followed by one gzip member
// (RFC 1952) whose content is the decrypted module image.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "model/psp_header.h"
#include "model/result.h"

namespace qorvi {

// True when the image starts with the four bytes "~PSP".
bool HasPspSignature(std::span<const uint8_t> image);

// Inflates the gzip member of a "~PSP" image into `out`, whose first
// min(out.size(), kInflateLimit) bytes are zeroed first and used as output.
// Returns the number of bytes inflated, or refuses (with the check that failed and
// its offset in the image) when the image has no "~PSP" signature, its gzip member
// header is malformed, the deflate stream is corrupt or does not end within the
// output space, or the trailer's CRC-32 or length does not match what was inflated.
Result<std::size_t> UnpackPsp(std::span<const uint8_t> image, std::span<uint8_t> out);

// Packs `image` as a compressed module. `header` is the template (updated in place:
// tool name at 0x0A, image length at 0x28, file length at 0x2C, gzip member length
// at 0xB0, everything else kept). `work` must hold 8 MiB: the deflate output goes
// to its first half and the file is assembled at the start of its second half.
// Returns the finished file (a view into `work`), or nothing when zlib fails or
// the result would not fit.
std::optional<std::span<const uint8_t>> PackPsp(std::span<const uint8_t> image, PspHeader& header,
                                                std::span<uint8_t> work);

}  // namespace qorvi
