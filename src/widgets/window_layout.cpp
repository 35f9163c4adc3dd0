#include "widgets/window_layout.h"

#include <algorithm>

namespace qorvi::widgets {

std::vector<std::optional<QPoint>> ArrangeBeside(const QRect& screen, const QRect& taken,
                                                 const std::vector<QSize>& frames, int gap) {
  std::vector<QRect> placed{taken};
  std::vector<std::optional<QPoint>> result;
  for (const QSize& frame : frames) {
    std::vector<int> xs{screen.left()};
    std::vector<int> ys{screen.top()};
    for (const QRect& r : placed) {
      xs.push_back(r.right() + 1 + gap);
      ys.push_back(r.bottom() + 1 + gap);
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    std::optional<QPoint> spot;
    for (int y : ys) {
      for (int x : xs) {
        const QRect here(QPoint(x, y), frame);
        if (!screen.contains(here)) continue;
        const bool free = std::none_of(placed.begin(), placed.end(), [&](const QRect& r) {
          return r.adjusted(-gap, -gap, gap, gap).intersects(here);
        });
        if (free) {
          spot = QPoint(x, y);
          break;
        }
      }
      if (spot) break;
    }
    if (spot) placed.push_back(QRect(*spot, frame));
    result.push_back(spot);
  }
  return result;
}

}  // namespace qorvi::widgets
