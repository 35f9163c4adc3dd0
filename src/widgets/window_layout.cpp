// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/window_layout.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <tuple>

namespace qorvi::widgets {
namespace {

// A title bar is within reach while this much of it (or all of it, when it is
// narrower) is not covered by a window above it.
constexpr int kGrip = 160;
// Up to this many windows every order of placing them is tried; more are placed
// in the order given.
constexpr std::size_t kMostReordered = 5;
// Rounds of moving each window to a better place among all the others.
constexpr int kRefinements = 6;

int64_t Area(const QRect& r) { return r.isEmpty() ? 0 : int64_t{r.width()} * r.height(); }

int64_t Overlap(const QRect& a, const QRect& b) { return Area(a.intersected(b)); }

// What an arrangement costs, compared in this order: title bars out of reach (the
// pixels of grip they lack), overlaps, the gap between windows where it is
// thinner than wanted, the windows' distance from the screen's top-left corner.
struct Cost {
  int64_t titles = 0;
  int64_t overlap = 0;
  int64_t crowding = 0;
  int64_t spread = 0;

  bool operator<(const Cost& other) const {
    return std::tie(titles, overlap, crowding, spread) <
           std::tie(other.titles, other.overlap, other.crowding, other.spread);
  }
  bool Perfect() const { return titles == 0 && overlap == 0 && crowding == 0; }
};

// A frame and where it stands in the stacking order: a higher rank stands above.
struct Ranked {
  QRect frame;
  int rank;
  bool fixed;
};

class Arranger {
 public:
  Arranger(const QRect& screen, const QMargins& frame, int gap) : screen_(screen), frame_(frame), gap_(gap) {}

  Cost CostOf(const std::vector<Ranked>& all) const {
    Cost cost;
    for (std::size_t i = 0; i < all.size(); ++i) {
      const Ranked& w = all[i];
      cost.titles += GripLacking(w, all);
      if (!w.fixed) cost.spread += int64_t{w.frame.top() - screen_.top()} + (w.frame.left() - screen_.left());
      const QRect padded = w.frame.adjusted(-gap_, -gap_, gap_, gap_);
      for (std::size_t j = i + 1; j < all.size(); ++j) {
        if (w.fixed && all[j].fixed) continue;
        const int64_t overlap = Overlap(w.frame, all[j].frame);
        cost.overlap += overlap;
        cost.crowding += Overlap(padded, all[j].frame) - overlap;
      }
    }
    return cost;
  }

  // The best place for `all[k]` (whose size is taken) with the others where they
  // are: among the screen's edges and the edges of the others (beside them, with
  // and without the gap, and aligned with them).
  std::pair<QRect, Cost> Place(std::vector<Ranked>& all, std::size_t k) const {
    const QSize size = all[k].frame.size();
    const std::vector<int> xs = Candidates(screen_.left(), screen_.right() + 1 - size.width(), size.width(), all, k,
                                           [](const QRect& r) { return std::pair(r.left(), r.right() + 1); });
    const std::vector<int> ys = Candidates(screen_.top(), screen_.bottom() + 1 - size.height(), size.height(), all, k,
                                           [](const QRect& r) { return std::pair(r.top(), r.bottom() + 1); });
    QRect best;
    Cost best_cost;
    bool found = false;
    for (int y : ys) {
      for (int x : xs) {
        all[k].frame = QRect(QPoint(x, y), size);
        const Cost cost = CostOf(all);
        if (!found || cost < best_cost) {
          best = all[k].frame;
          best_cost = cost;
          found = true;
        }
      }
    }
    all[k].frame = best;
    return {best, best_cost};
  }

 private:
  // How much grip the title bar of `w` lacks: kGrip (or its width) less the
  // longest part of it that no window above it covers.
  int64_t GripLacking(const Ranked& w, const std::vector<Ranked>& all) const {
    const QRect title(w.frame.left(), w.frame.top(), w.frame.width(), std::min(frame_.top(), w.frame.height()));
    std::vector<std::pair<int, int>> covered;
    for (const Ranked& other : all) {
      if (other.rank > w.rank && other.frame.intersects(title)) {
        covered.emplace_back(std::max(title.left(), other.frame.left()),
                             std::min(title.right(), other.frame.right()) + 1);
      }
    }
    std::sort(covered.begin(), covered.end());
    int longest = 0;
    int free_from = title.left();
    for (const auto& [begin, end] : covered) {
      longest = std::max(longest, begin - free_from);
      free_from = std::max(free_from, end);
    }
    longest = std::max(longest, title.right() + 1 - free_from);
    return std::max(0, std::min(kGrip, title.width()) - longest);
  }

  template <typename Span>
  std::vector<int> Candidates(int low, int high, int extent, const std::vector<Ranked>& all, std::size_t k,
                              Span span) const {
    std::vector<int> at{low, high};
    for (std::size_t j = 0; j < all.size(); ++j) {
      if (j == k) continue;
      const auto [begin, end] = span(all[j].frame);
      for (int v : {end + gap_, end, begin - gap_ - extent, begin - extent, begin}) at.push_back(v);
    }
    for (int& v : at) v = std::clamp(v, low, std::max(low, high));
    std::sort(at.begin(), at.end());
    at.erase(std::unique(at.begin(), at.end()), at.end());
    return at;
  }

  QRect screen_;
  QMargins frame_;
  int gap_;
};

}  // namespace

std::vector<QRect> ArrangeWindows(const QRect& screen, const QMargins& frame, const std::vector<QRect>& fixed,
                                  const std::vector<QSize>& clients, int gap) {
  const Arranger arranger(screen, frame, gap);
  const std::size_t n = clients.size();
  // The fixed windows stand above the others (the main window has the focus after
  // a load), and each window above those before it (the order they are shown in).
  const int top_rank = static_cast<int>(n);
  std::vector<Ranked> start;
  for (const QRect& r : fixed) start.push_back({r, top_rank, true});
  std::vector<Ranked> windows;
  for (std::size_t i = 0; i < n; ++i) {
    windows.push_back(
        {QRect(screen.topLeft(), clients[i].grownBy(frame).boundedTo(screen.size())), static_cast<int>(i), false});
  }

  // Each window in turn takes its best place among those placed before it; then
  // each moves to its best place among all the others while that lowers the cost.
  // Of the orders of placing, the one that costs least wins (the given order among
  // equals).
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::vector<QRect> best(n);
  Cost best_cost;
  bool found = false;
  do {
    std::vector<Ranked> all = start;
    for (std::size_t i : order) {
      all.push_back(windows[i]);
      arranger.Place(all, all.size() - 1);
    }
    Cost cost = arranger.CostOf(all);
    for (int round = 0; round < kRefinements && !cost.Perfect(); ++round) {
      bool moved = false;
      for (std::size_t k = fixed.size(); k < all.size(); ++k) {
        const QRect was = all[k].frame;
        const auto [here, moved_cost] = arranger.Place(all, k);
        if (moved_cost < cost) {
          cost = moved_cost;
          moved = true;
        } else {
          all[k].frame = was;
        }
      }
      if (!moved) break;
    }
    if (!found || cost < best_cost) {
      for (std::size_t k = fixed.size(); k < all.size(); ++k)
        best[static_cast<std::size_t>(all[k].rank)] = all[k].frame;
      best_cost = cost;
      found = true;
    }
  } while (!best_cost.Perfect() && n <= kMostReordered && std::next_permutation(order.begin(), order.end()));
  return best;
}

bool Reachable(const QRect& frame, int title_height, const std::vector<QRect>& screens) {
  const QRect title(frame.left(), frame.top(), frame.width(), std::max(title_height, 1));
  return std::any_of(screens.begin(), screens.end(), [&](const QRect& screen) { return screen.contains(title); });
}

QRect KeptOn(const QRect& frame, const QRect& screen) {
  QRect kept = frame;
  kept.moveRight(std::min(kept.right(), screen.right()));
  kept.moveBottom(std::min(kept.bottom(), screen.bottom()));
  kept.moveLeft(std::max(kept.left(), screen.left()));
  kept.moveTop(std::max(kept.top(), screen.top()));
  return kept;
}

}  // namespace qorvi::widgets
