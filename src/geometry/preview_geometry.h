// SPDX-License-Identifier: GPL-3.0-or-later
// Where the preview draws each element and what it shows, as plain arithmetic on
// the layout values, the view state and the controls' current sizes. No widgets:
// the desktop program's preview routines read the sizes, call these and move the
// controls; the layout checks use them too, and the tests check them without a
// window.
//
// Coordinates are pixels in Panel1, x to the right and y downwards; layout Y values
// grow upwards, so every formula subtracts them from a top. hw and hh below are a
// control's width and height halved with truncation (57 -> 28).
//
// Layout integers may hold anything a firmware file or an edit stored (up to the
// int32 limits), so the sums are taken in 64 bits and every coordinate and size is
// kept within +-kCoordinateLimit, far outside the 512 x 304 panel.
#pragma once

#include <array>
#include <cstdint>

#include "geometry/preview_state.h"
#include "model/layout_record.h"
#include "model/model.h"

namespace qorvi {

inline constexpr int kCoordinateLimit = 100000;
inline constexpr float kMaxIconScale = 3.0f;  // larger scales are drawn at 3.0
inline constexpr int kMinIconSide = 8;        // icons this small or smaller are drawn 8 x 8, opaque
inline constexpr int kSubPositions = 6;       // SubIcon0..5, SubMenuText0..5

struct Extent {
  int width = 0;
  int height = 0;
};

struct TopLeft {
  int left = 0;
  int top = 0;
  bool operator==(const TopLeft&) const = default;
};

// The truncated half of a width or height.
constexpr int Half(int size) { return size / 2; }

// --- Sizes.

// The scale an icon is drawn at: above 3.0 it is 3.0; there is no lower bound.
float CappedScale(float scale);

struct IconBox {
  int width = 0;
  int height = 0;
  bool opaque = false;  // drawn without the transparent colour
  bool operator==(const IconBox&) const = default;
};
// The control of a picture drawn at `scale`: each side truncated toward zero; when
// either comes out 8 or less (a negative or not-a-number scale too) the control is
// 8 x 8 and opaque.
IconBox ScaledIconBox(int pictureWidth, int pictureHeight, float scale);

// The top-left cell of a picture that is a grid of equal cells.
Extent StripCell(int pictureWidth, int pictureHeight, int columns, int rows);

// Font sizes in points: main text 8 + R[15], sub texts 10 + R[18], at least 1.
int MainTextPointSize(const PreviewState& view);
int SubTextPointSize(const PreviewState& view);

// --- Main icons.

// x of the focused main icon's centre: PreviewCenterX + MainIconX + R[0].
int MainColumnCentre(const LayoutRecord& layout, const PreviewState& view);
// Main icon `index` (its category) around the focused category view.CurrentCategory.
TopLeft MainIconTopLeft(const LayoutRecord& layout, const PreviewState& view, int mainColumnX, int index, Extent icon);

// --- Sub icons (position k = SubIcon<k>: 0 the item above, 1 the focused one, 2..5 below).

struct SubIconSpacing {
  int upper = 0;
  int lower = 0;
};
// The Space1 pair, or the Space2 pair on 5.00 when XMB_HScroll is not at 0.
SubIconSpacing SubIconSpaces(const LayoutRecord& layout, const FirmwareProfile& profile, int hscrollPosition);
// Uses view.MainColumnX, the value the last main icon placement left.
TopLeft SubIconTopLeft(const PreviewState& view, SubIconSpacing spacing, int k, Extent icon);

// --- Texts.

// The category's shift of the sub texts: xs added to their left, ys taken off their tops.
struct SubTextShift {
  int xs = 0;
  int ys = 0;
};
SubTextShift SubTextShiftFor(const LayoutRecord& layout, int category);
// Top of SubMenuText<k> from the top and height of SubIcon<k> (category view.CurrentCategory).
int SubTextTop(const LayoutRecord& layout, const PreviewState& view, int iconTop, int iconHeight);
// Left of every sub text, from SubIcon1's left and width.
int SubTextLeft(const LayoutRecord& layout, const PreviewState& view, int icon1Left, int icon1Width);
// The main text is centred on 258 + MainIconX (the screen centre plus 2; R[0] is not
// applied) and its top follows MainMenuTextY from 144.
TopLeft MainTextTopLeft(const LayoutRecord& layout, const PreviewState& view, int textWidth);

// --- Status icons and clock.

TopLeft BatteryTopLeft(const LayoutRecord& layout, const PreviewState& view, Extent icon);
TopLeft BusyTopLeft(const LayoutRecord& layout, const PreviewState& view, Extent icon);
// The clock's left edge (not its centre) follows ClockX: 82 left of and 8 above the
// point the values name.
TopLeft ClockTopLeft(const LayoutRecord& layout, const PreviewState& view);

// --- What the sub column shows.

struct SubColumn {
  std::array<bool, kSubPositions> shown{};
  // The item number shown at each position, or -1 when there is nothing to show
  // (hidden, beyond the category's list, or not an item number 0..47).
  std::array<int, kSubPositions> item{};
  bool Empty() const { return !shown[1]; }
};
// The sub icons of a category's list with item `currentItem` focused: the focused
// item always (unless the list is empty), the one above unless the first is
// focused, and up to four below.
SubColumn SubIconColumn(const CategoryList& list, int currentItem);
// The sub texts: category 0 names the same items as its icons; other categories
// name only the focused item.
SubColumn SubTextColumn(const CategoryList& list, int category, int currentItem);

// The label text entry naming a category (0..7) or an item (8 + item number), or -1.
int CategoryLabelEntry(int category);
int ItemLabelEntry(int item);

}  // namespace qorvi
