// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets share: stopping with a message when a property fails, and
// byte-for-byte snapshots of the model's state.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "demo/module_builder.h"
#include "firmware/byte_reader.h"
#include "model/model.h"
#include "model/record_layouts.h"

namespace qorvi::fuzz {

// A property of the code under test does not hold: report and stop, so that
// libFuzzer keeps the input.
[[noreturn]] inline void Violated(const char* what) {
  std::fprintf(stderr, "property violated: %s\n", what);
  std::abort();
}

// The whole state as bytes (padding included; FirmwareState is trivially
// copyable, and a refused load must not write a single byte of it).
inline void Snapshot(const FirmwareState& from, FirmwareState& to) { std::memcpy(&to, &from, sizeof from); }
inline bool Unchanged(const FirmwareState& now, const FirmwareState& before) {
  return std::memcmp(&now, &before, sizeof now) == 0;
}

// The byte ranges (offset, length) of a module image that the loader reads and
// Save writes: the places of its version's slots (whole tables for the table
// slots), the word Save clears and, where the profile harvests constants, the
// stretch of constant code. Every byte outside them stays as it is through a
// load and a save.
inline std::vector<std::pair<std::size_t, std::size_t>> ModuleRanges(const std::vector<uint8_t>& image, bool vsh,
                                                                     const FirmwareProfile& p) {
  std::vector<std::pair<std::size_t, std::size_t>> ranges;
  if (p.HarvestsConstants) {
    ByteReader r(image);
    std::size_t first = image.size();
    std::size_t last = 0;
    for (std::size_t at = 0; at + 4 <= image.size(); at += 4) {
      if (!demo::IsConstantInstruction(r.u32(at))) continue;
      first = std::min(first, at);
      last = at + 4;
    }
    if (first < last) ranges.push_back({first, last - first});
  }
  if (vsh) {
    const auto& S = p.VshOffsets;
    ranges.push_back({S[kVshCategoryEntries], CategoryEntryRecord::kSize * kCategoryEntrySlots});
    ranges.push_back({S[kVshTextColor], ColorEntryRecord::kSize * kColorTableEntries});
    ranges.push_back({S[kVshBGColor], ColorEntryRecord::kSize * kColorTableEntries});
    ranges.push_back({S[kVshBmp01_12size], 4});
    ranges.push_back({S[kVshItemTable], ItemRecordLayout::kSize * kItemSlots});
    if (p.ClearedVshWord != 0) ranges.push_back({p.ClearedVshWord, 4});
    if (!p.HarvestsConstants) {
      for (int slot : {1, 2, 3, 4, 6, 7, 9}) ranges.push_back({S[slot], 4});
    }
  } else if (!p.HarvestsConstants) {
    for (uint32_t place : p.PafOffsets) {
      if (place != 0) ranges.push_back({place, 4});
    }
  }
  for (auto& [at, length] : ranges) length = at < image.size() ? std::min(length, image.size() - at) : 0;
  return ranges;
}

}  // namespace qorvi::fuzz
