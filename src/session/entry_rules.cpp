#include "session/entry_rules.h"

#include <array>
#include <cstddef>

namespace qorvi::session {
namespace {

// Region codes in their cycling order; 255 ("-") closes the cycle.
constexpr std::array<uint8_t, 5> kRegionCycle{8, 240, 160, 64, 255};

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

}  // namespace qorvi::session
