// SPDX-License-Identifier: GPL-3.0-or-later
// 5.00 modules build their float constants in code instead of holding them as
// data: lui $at, hi (0x3C01hhhh); ori $at, $at, lo (0x3421llll), left out when lo
// is 0; mtc1 $at, $fN (upper half 0x4481). The layout values of 5.00 live in these
// instruction groups. Both directions walk the module backwards from its last whole
// word, so the group nearest the end is entry 0.
#pragma once

#include <cstdint>
#include <span>

namespace qorvi {

// Collects the value of every group into `table` in backward-scan order (entries
// past the table's end are dropped; entries no group reaches are set to zero, so
// the table describes this image alone). Returns the number of groups found times 4.
int64_t HarvestConstants(std::span<const uint8_t> image, std::span<uint32_t> table);

// Writes the table's values back into the same groups: the upper half into the lui
// word, the lower half into the ori word when the group has one. Words already
// holding their value are left untouched; groups past the table's end too.
void PatchFloatImmediates(std::span<const uint32_t> table, std::span<uint8_t> image);

}  // namespace qorvi
