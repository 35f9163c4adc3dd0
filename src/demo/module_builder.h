// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the three firmware modules of a demo set: vshmain.prx, paf.prx and
// opening_plugin.prx, each at exactly its version's size.
//
// For 3.90 to 4.01 every layout value is a data word at its offset. 5.00 builds its
// float constants in code instead (lui $at, hi; ori $at, $at, lo; mtc1 $at, $fN),
// so the 5.00 modules get a stretch of such instruction groups whose backward-scan
// entries hold the values. Apart from those groups no word of a module has an
// upper half of 0x3C01, 0x3421 or 0x4481, so the scan finds nothing else.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "demo/demo_set.h"

namespace qorvi::demo {

// One value a module holds for the layout. `place` is a byte offset into the
// image for 3.90 to 4.01 and an entry of the harvested constant table for the
// constant places of 5.00.
struct Planting {
  uint32_t place;
  uint32_t bits;
};

// The scalar vshmain values (slots 1, 2, 3, 4, 6, 7, 9; where the profile
// HarvestsConstants also its MainIconXCopies), in slot order.
std::vector<Planting> VshScalarPlantings(const DemoContent& content);
// Every paf slot the version uses (slot 8 receives SubIconSize), in the order of
// PafSlotTable. Where two slots share a place (3.90: 13 and 17) the later one is
// what the file holds.
std::vector<Planting> PafPlantings(const DemoContent& content);

// Number of constant groups in the 5.00 modules (the highest entry a value uses
// is 466 in vshmain.prx and 1032 in paf.prx).
inline constexpr int kVshConstantGroups = 480;
inline constexpr int kPafConstantGroups = 1100;

// The three instructions of a constant group.
inline constexpr uint32_t kLuiAtHigh = 0x3C01;
inline constexpr uint32_t kOriAtHigh = 0x3421;
inline constexpr uint32_t kMtc1AtHigh = 0x4481;
constexpr bool IsConstantInstruction(uint32_t word) {
  uint32_t h = word >> 16;
  return h == kLuiAtHigh || h == kOriAtHigh || h == kMtc1AtHigh;
}

// One group of the constant code: its value and whether it has an ori (a group
// without one can only hold a value whose lower half is zero).
struct CodeConstant {
  uint32_t bits;
  bool withOri;
};

// Writes `constants` as instruction groups from byte offset `at` on, the group of
// entry 0 last, so that a backward scan meets them in table order. Returns the
// offset behind the code.
std::size_t EmitConstantCode(std::span<uint8_t> image, std::size_t at, std::span<const CodeConstant> constants);

// The modules, plain (uncompressed).
std::vector<uint8_t> BuildVshmain(const DemoContent& content);
std::vector<uint8_t> BuildPaf(const DemoContent& content);
std::vector<uint8_t> BuildOpening(const DemoContent& content);

}  // namespace qorvi::demo
