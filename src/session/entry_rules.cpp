// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/entry_rules.h"

#include <array>
#include <cstddef>

namespace qorvi::session {
namespace {

// Region codes in their cycling order; 255 ("-") closes the cycle.
constexpr std::array<uint8_t, 5> kRegionCycle{8, 240, 160, 64, 255};

constexpr std::array<std::string_view, 8> kCategoryTexts{"System", "Photo", "Music",   "Video",
                                                         "TV",     "Game",  "Network", "PSNet"};

}  // namespace

uint8_t NextCategory(uint8_t category) {
  const auto next = static_cast<uint8_t>(category + 1);  // 255 wraps to 0
  return next == 8 ? 0 : next;
}

uint8_t NextShow(uint8_t show) {
  if (show == kShowYes) return kShow2000;
  if (show == kShow2000) return kShowLeftOut;
  return kShowYes;  // from 2, and from any other code
}

uint8_t NextRegion(uint8_t region) {
  for (std::size_t k = 0; k + 1 < kRegionCycle.size(); ++k) {
    if (region == kRegionCycle[k]) return kRegionCycle[k + 1];
  }
  return kRegionCycle[0];  // from 255, and from any other code
}

std::string_view CategoryText(int category) {
  if (category < 0 || category >= static_cast<int>(kCategoryTexts.size())) return {};
  return kCategoryTexts[static_cast<std::size_t>(category)];
}

std::string_view ShowText(uint8_t show) {
  if (show == kShowYes) return "Yes";
  if (show == kShow2000) return "2000";
  return "No";
}

std::string_view RegionText(uint8_t region) {
  switch (region) {
    case 8: return "JPN";
    case 240: return "US";
    case 160: return "EU";
    case 64: return "KOR";
    default: return "-";
  }
}

std::string_view MediaText(uint32_t media) {
  if (media < 1 || media > std::size(kMediaTexts)) return {};
  return kMediaTexts[media - 1];
}

std::string_view UmdText(uint8_t flag) { return flag < std::size(kUmdTexts) ? kUmdTexts[flag] : std::string_view(); }

}  // namespace qorvi::session
