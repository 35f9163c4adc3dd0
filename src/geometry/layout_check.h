// SPDX-License-Identifier: GPL-3.0-or-later
// What would look wrong on the console, found with the preview's placement
// formulas for every category and focus position the menu can reach: each item of
// each category (item 0 of an empty one), with "No Show UMD Icon" unchecked and
// checked, with the Japanese and the English names. The preview-only offsets play
// no part (the console has none).
//
// Findings:
// - "is partly outside the screen" / "is outside the screen": the elements of the
//   focus (the focused main icon, MainMenutext, SubIcon1, SubMenuText1, Clock,
//   BatteryIcon, BusyIcon) must lie wholly on the 480 x 272 screen. The rows run
//   off the screen as the menu scrolls, so of the other elements only the
//   nearest neighbours (the main icons beside the focused one, SubIcon0 and
//   SubIcon2, and in category 0 SubMenuText0 and SubMenuText2) are reported, and
//   only when nothing of them is on the screen.
// - "is scaled to nothing" (a side below one pixel) / "is scaled beyond the
//   screen" (wider than 480 or higher than 272): icons are measured at their
//   real scale, as the console draws them (the preview draws scales above 3.0 at
//   3.0 and anything of 8 pixels or less as an 8 x 8 square).
// - "overlaps <element>": main icons among themselves, and texts (MainMenutext,
//   the shown SubMenuText0..5, Clock) among themselves, counting only what lies on
//   the screen.
// - a category that lists no item, and an item whose execute function matches no
//   entry of the execute-function table.
// - "<field> is V, but <file> keeps <other>'s W in the place the two share": two
//   fields the version keeps in one place (3.90: SubMenuTextX2 and
//   SubMenuTextX1Seg) hold different values; the console shows the one the file
//   keeps. The element is the field the file loses; told at category 0, item 0.
//
// Sizes: an icon is its picture (the BMP the load decodes) scaled; the battery and
// busy icons are the first cell of their strips. An icon without a picture is not
// checked, and the texts beside it are placed as beside a 57 x 57 icon (the
// control's designed size). Texts are measured by EstimateTextExtent.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/preview_geometry.h"
#include "model/model.h"

namespace qorvi {

inline constexpr int kScreenWidth = 480;
inline constexpr int kScreenHeight = 272;

// Everything the check looks at, gathered from a loaded model.
struct LayoutCheckInput {
  LayoutRecord layout;
  FirmwareProfile profile;  // of the loaded version: its categories and spacings
  // The item lists, built with "No Show UMD Icon" unchecked ([0]) and checked ([1]).
  std::array<std::array<CategoryList, kCategories>, 2> categoryLists{};
  // Per item number, the (group, function) pair of its record when no entry of the
  // execute-function table matches it; nothing for known pairs and numbers with no record.
  std::array<std::optional<std::pair<uint32_t, uint32_t>>, kItemNumbers> unknownExecFunction{};
  std::array<LabelTexts, 2> names{};  // Japanese, English
  // The size of each picture the load decodes; nothing where there is none.
  std::array<std::optional<Extent>, kCategories> mainIcons{};
  std::array<std::optional<Extent>, kItemNumbers> subIcons{};
  std::optional<Extent> batteryIcon;  // the whole strip, 1 column x 4 cells
  std::optional<Extent> busyIcon;     // the whole strip, 2 columns x 30 cells
};

struct LayoutFinding {
  std::string element;  // "MainIcon1".."MainIcon8", "SubIcon0".."SubIcon5", "MainMenutext", ...
  std::string what;     // "is partly outside the screen", "overlaps MainIcon3", ...
  // Where it shows first: the focused category and item (index in the category's list),
  // the state of "No Show UMD Icon" and the language (0 Japanese, 1 English).
  int category = 0;
  int item = 0;
  bool noShowUmdIcon = false;
  int language = 0;

  // "<element> <what> (category C, item I)".
  std::string Text() const;
};

// Each finding once (element and what), at the first position where it shows, in
// the order: option, category, item, language.
std::vector<LayoutFinding> CheckLayout(const LayoutCheckInput& input);

// One position of the menu: what the preview shows at a focus, with an option and
// a language.
struct LayoutView {
  int category = 0;
  int item = 0;  // index in the category's list
  bool noShowUmdIcon = false;
  int language = 0;
};

// The findings CheckLayout makes at one position, each once, in the order it makes
// them there: the elements off the screen, scaled to nothing or beyond it, and
// overlapping. The findings about the menu's lists (a category without items, an
// unknown execute function) are not about where things stand and are left out.
// Nothing for a category the version does not have.
std::vector<LayoutFinding> CheckLayoutView(const LayoutCheckInput& input, const LayoutView& view);

// The size of a one-line label of `text` (UTF-8) in a font of `pixels` pixels per
// em, as an estimate that errs on the large side: East Asian wide characters
// (kana, kanji, hangul, full-width forms) 1 em, half-width katakana 0.5 em, every
// other character 0.6 em; the height is 1.25 em (the line of the font). Both are
// rounded up to whole pixels.
Extent EstimateTextExtent(std::string_view text, double pixels);

// Pixels per em of a font of `points` points on the preview's 96 dpi screen.
double PointsToPixels(int points);

}  // namespace qorvi
