// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/constants_harvest.h"

#include <algorithm>

#include "firmware/byte_reader.h"

namespace qorvi {
namespace {

// Upper halves of the three instructions (rt and rs are $at, 1).
constexpr uint32_t kMtc1At = 0x4481;  // mtc1 $at, $fN
constexpr uint32_t kOriAt = 0x3421;   // ori $at, $at, lo
constexpr uint32_t kLuiAt = 0x3C01;   // lui $at, hi

}  // namespace

int64_t HarvestConstants(std::span<const uint8_t> image, std::span<uint32_t> table) {
  std::fill(table.begin(), table.end(), 0u);
  const WordView words(image);
  bool armed = false;
  uint32_t low = 0;
  int64_t count = 0;
  // Walking backwards meets the mtc1 first; it arms the scan for the ori and lui above it.
  for (std::size_t i = words.size(); i-- > 0;) {
    const uint32_t w = words[i];
    const uint32_t h = w >> 16;
    if (h == kMtc1At) {
      armed = true;
    } else if (armed && h == kOriAt) {
      low = w & 0xFFFF;
    } else if (armed && h == kLuiAt) {
      if (static_cast<uint64_t>(count) < table.size()) table[count] = ((w & 0xFFFF) << 16) | low;
      ++count;
      armed = false;
      low = 0;
    }
  }
  return count * 4;
}

void PatchFloatImmediates(std::span<const uint32_t> table, std::span<uint8_t> image) {
  const WordView words(image);
  ByteWriter out(image);
  std::size_t k = 0;
  bool armed = false;
  uint32_t v = 0;
  auto store = [&](std::size_t i, uint32_t old_word, uint32_t new_word) {
    if (k < table.size() && new_word != old_word) out.u32(4 * i, new_word);
  };
  for (std::size_t i = words.size(); i-- > 0;) {
    const uint32_t w = words[i];
    const uint32_t h = w >> 16;
    if (h == kMtc1At) {
      armed = true;
      v = k < table.size() ? table[k] : 0;
    } else if (armed && h == kOriAt) {
      store(i, w, (kOriAt << 16) | (v & 0xFFFF));
    } else if (armed && h == kLuiAt) {
      store(i, w, (kLuiAt << 16) | (v >> 16));
      armed = false;
      ++k;
    }
  }
}

}  // namespace qorvi
