// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/preview_geometry.h"

#include <algorithm>
#include <cmath>

namespace qorvi {
namespace {

int Clamped(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -kCoordinateLimit, kCoordinateLimit)); }

int64_t R(const PreviewState& view, RepositionItem k) { return view.RepositionOffset[k]; }

// Side of a picture drawn at a scale, truncated toward zero; 0 stands for "too
// small" (also for negative and not-a-number products).
int ScaledSide(int side, float scale) {
  const double scaled = static_cast<double>(side) * static_cast<double>(scale);
  if (!(scaled >= kMinIconSide + 1)) return 0;
  return Clamped(static_cast<int64_t>(std::min(scaled, static_cast<double>(kCoordinateLimit))));
}

int ListCount(const CategoryList& list) { return std::clamp<int32_t>(list.Count, 0, kItemNumbers); }

// The item number at index j of a list of n, or -1.
int ItemAt(const CategoryList& list, int n, int64_t j) {
  if (j < 0 || j >= n) return -1;
  const int32_t item = list.Items[static_cast<std::size_t>(j)];
  return item >= 0 && item < kItemNumbers ? item : -1;
}

}  // namespace

float CappedScale(float scale) { return scale > kMaxIconScale ? kMaxIconScale : scale; }

IconBox ScaledIconBox(int pictureWidth, int pictureHeight, float scale) {
  const int w = ScaledSide(pictureWidth, scale);
  const int h = ScaledSide(pictureHeight, scale);
  if (w == 0 || h == 0) return {kMinIconSide, kMinIconSide, true};
  return {w, h, false};
}

Extent StripCell(int pictureWidth, int pictureHeight, int columns, int rows) {
  return {columns > 0 ? pictureWidth / columns : pictureWidth, rows > 0 ? pictureHeight / rows : pictureHeight};
}

int MainTextPointSize(const PreviewState& view) { return std::max<int>(1, 8 + view.RepositionOffset[kMainTextSize]); }
int SubTextPointSize(const PreviewState& view) { return std::max<int>(1, 10 + view.RepositionOffset[kSubTextSize]); }

int MainColumnCentre(const LayoutRecord& layout, const PreviewState& view) {
  return Clamped(int64_t{view.PreviewCenterX} + layout.MainIconX + R(view, kMainIconX));
}

TopLeft MainIconTopLeft(const LayoutRecord& layout, const PreviewState& view, int mainColumnX, int index, Extent icon) {
  const int64_t c = view.CurrentCategory;
  const int64_t hw = Half(icon.width);
  const int64_t hh = Half(icon.height);
  if (index == c) {
    return {Clamped(mainColumnX - hw),
            Clamped(int64_t{view.PreviewCenterY} - layout.MainIconY - hh + R(view, kMainIconY))};
  }
  const int64_t top = int64_t{view.PreviewCenterY} - layout.UnfIconY - hh + R(view, kUnfocusedIconY);
  // The offset between unfocused icons is mirrored through the distance; the
  // focused-to-unfocused one is added on both sides.
  const int64_t step = int64_t{layout.MainIconSpace2} + R(view, kUnfocusedToUnfocusedSpace);
  const int64_t space1 = layout.MainIconSpace1;
  const int64_t r5 = R(view, kFocusedToUnfocusedSpace);
  const int64_t left = index < c ? mainColumnX - hw - space1 + r5 - step * (c - index)
                                 : mainColumnX - hw + space1 + r5 + step * (index - c);
  return {Clamped(left), Clamped(top)};
}

SubIconSpacing SubIconSpaces(const LayoutRecord& layout, const FirmwareProfile& profile, int hscrollPosition) {
  if (profile.SubIconSecondSpacing && hscrollPosition != 0)
    return {layout.SubIconUpperSpace2, layout.SubIconLowerSpace2};
  return {layout.SubIconUpperSpace1, layout.SubIconLowerSpace1};
}

TopLeft SubIconTopLeft(const PreviewState& view, SubIconSpacing spacing, int k, Extent icon) {
  const int64_t centreTop = int64_t{view.PreviewCenterY} - Half(icon.height);
  int64_t top = centreTop;  // the focused item is centred vertically
  if (k == 0) {
    top = centreTop - spacing.lower - spacing.upper + R(view, kUpperSubIconY);
  } else if (k >= 2) {
    top = centreTop + int64_t{k - 1} * (int64_t{spacing.lower} + R(view, kLowerSubIconY));
  }
  return {Clamped(int64_t{view.MainColumnX} - Half(icon.width)), Clamped(top)};
}

SubTextShift SubTextShiftFor(const LayoutRecord& layout, int category) {
  SubTextShift s{layout.SubMenuTextX3, layout.SubMenuTextY};
  switch (category) {
    case 0: s.xs = layout.SubMenuTextX2; break;
    case 2:
    case 3: s.ys = layout.SubMenuMSTextY; break;
    case 4: s.xs = layout.SubMenuTextX1Seg; break;
    default: break;
  }
  return s;
}

int SubTextTop(const LayoutRecord& layout, const PreviewState& view, int iconTop, int iconHeight) {
  const SubTextShift s = SubTextShiftFor(layout, view.CurrentCategory);
  return Clamped(int64_t{iconTop} + Half(iconHeight) - s.ys + R(view, kSubTextY));
}

int SubTextLeft(const LayoutRecord& layout, const PreviewState& view, int icon1Left, int icon1Width) {
  const SubTextShift s = SubTextShiftFor(layout, view.CurrentCategory);
  return Clamped(int64_t{icon1Left} + Half(icon1Width) + layout.SubMenuTextX + s.xs + R(view, kSubTextX));
}

TopLeft MainTextTopLeft(const LayoutRecord& layout, const PreviewState& view, int textWidth) {
  return {Clamped(int64_t{258} + layout.MainIconX - Half(textWidth) + R(view, kMainTextX)),
          Clamped(int64_t{144} - layout.MainMenuTextY + R(view, kMainTextY))};
}

TopLeft BatteryTopLeft(const LayoutRecord& layout, const PreviewState& view, Extent icon) {
  return {Clamped(int64_t{view.PreviewCenterX} - Half(icon.width) + layout.BatteryX + R(view, kBatteryX)),
          Clamped(int64_t{view.PreviewCenterY} - Half(icon.height) - layout.BatteryY + R(view, kBatteryY))};
}

TopLeft BusyTopLeft(const LayoutRecord& layout, const PreviewState& view, Extent icon) {
  return {Clamped(int64_t{view.PreviewCenterX} + layout.BusyX - Half(icon.width) + R(view, kBusyX)),
          Clamped(int64_t{view.PreviewCenterY} - layout.BusyY - Half(icon.height) + R(view, kBusyY))};
}

TopLeft ClockTopLeft(const LayoutRecord& layout, const PreviewState& view) {
  return {Clamped(int64_t{view.PreviewCenterX} + layout.ClockX + R(view, kClockX) - 82),
          Clamped(int64_t{view.PreviewCenterY} - layout.ClockY + R(view, kClockY) - 8)};
}

SubColumn SubIconColumn(const CategoryList& list, int currentItem) {
  SubColumn column;
  column.item.fill(-1);
  const int n = ListCount(list);
  if (n == 0) return column;
  const int64_t focused = currentItem;
  column.shown[0] = focused != 0;
  column.shown[1] = true;
  for (int k = 1; k <= 4; ++k) column.shown[1 + k] = focused + k < n;
  // Position k shows list entry I - 1 + k (with I = 0 position 0 is hidden, so
  // positions 1..5 show entries 0..4).
  for (int k = 0; k < kSubPositions; ++k) {
    if (column.shown[k]) column.item[k] = ItemAt(list, n, focused - 1 + k);
  }
  return column;
}

SubColumn SubTextColumn(const CategoryList& list, int category, int currentItem) {
  SubColumn column = SubIconColumn(list, currentItem);
  if (category == 0) return column;
  for (int k = 0; k < kSubPositions; ++k) {
    if (k == 1) continue;
    column.shown[k] = false;
    column.item[k] = -1;
  }
  return column;
}

int CategoryLabelEntry(int category) { return category >= 0 && category < kCategories ? category : -1; }
int ItemLabelEntry(int item) { return item >= 0 && item < kItemNumbers ? kCategories + item : -1; }

}  // namespace qorvi
