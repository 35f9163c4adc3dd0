// SPDX-License-Identifier: GPL-3.0-or-later
// The icon pictures of the loaded set, as the load decodes them: each one a
// complete bitmap file in memory, the very bytes a bitmap file of it holds. Only the
// desktop program (its preview reads the files, as the original program did) and
// `qorvi-cli icons` write them out as files; everything else (info, check, save and
// its verification, qorvi --render) works from memory and writes no bitmap.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/paths.h"

namespace qorvi {

// Pictures by number, in the order of IconBitmapPaths: the 8 main icons, the 48 sub
// icons (one per item number), the battery icon and the busy icon.
inline constexpr int kIconPictures = 58;
constexpr int MainIconPicture(int category) { return category; }
constexpr int SubIconPicture(int item) { return 8 + item; }
inline constexpr int kBatteryPicture = 56;
inline constexpr int kBusyPicture = 57;

class IconPictures {
 public:
  // Forgets every picture; the memory stays for the next load.
  void Clear();
  // Keeps a copy of `bmp` as picture `number` (in place of an earlier one). A number
  // outside 0..57 is ignored.
  void Set(int number, std::span<const uint8_t> bmp);
  // The bitmap file of picture `number`; empty when the load decoded none (the set
  // has no such image, or its image failed a check).
  std::span<const uint8_t> Get(int number) const;

 private:
  struct Place {
    std::size_t offset = 0;
    std::size_t size = 0;
  };
  std::vector<uint8_t> bytes_;  // the pictures one after another
  std::array<Place, kIconPictures> places_{};
};

// The bitmap file of picture `number` (MainIconPath[i], SubIconPath[m],
// BatteryIconPath, BusyIconPath); an empty text for a number outside 0..57.
const std::string& IconBitmapPath(const Paths& paths, int number);

}  // namespace qorvi
