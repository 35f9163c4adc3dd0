// SPDX-License-Identifier: GPL-3.0-or-later
// The names of the steps in the history, as "Undo ...", "Redo ..." and the History
// window show them. A step is named the way the user knows what it changed: by
// the captions of the windows where the value is edited and by the values
// before and after, e.g. "Clock X 203 → 250" or "Drag of the clock (X 203 → 250,
// Y 123 → 130)". Values read as their edits show them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/layout_record.h"

namespace qorvi::session {

// Where a layout field is edited: the caption of its group in the Icon data or
// Text data window (with the heading inside the group, where there is one) and
// the label beside its edit. `extended` is the profile's HasExtendedFields: the
// first icon speeds are labelled by their keys then ("←key", "↑key").
struct FieldCaption {
  std::string_view group;
  std::string_view label;  // empty for the one edit without a label (XMB Wave Speed)
};
FieldCaption CaptionOf(const LayoutField& field, bool extended);
// Group and label: "Clock X", "Sub Menu Text X : 1Seg", "XMB Wave Speed".
std::string FieldTitle(const LayoutField& field, bool extended);

// "203 → 250": the field's value before and after, as its edit shows it.
std::string ValueChange(const LayoutField& field, const LayoutRecord& before, const LayoutRecord& after);

// Typing into one field: "Clock X 203 → 250".
std::string TypingStepName(const LayoutField& field, const LayoutRecord& before, const LayoutRecord& after,
                           bool extended);
// Ctrl+click: "Restore of Clock X 250 → 203".
std::string RestoreStepName(const LayoutField& field, const LayoutRecord& before, const LayoutRecord& after,
                            bool extended);
// A move of a preview element: `how` ("Drag", "Nudge") of `element` ("the clock"),
// then each changed field by its label: "Drag of the clock (X 203 → 250, Y 123 → 130)".
std::string MoveStepName(std::string_view how, std::string_view element, const LayoutRecord& before,
                         const LayoutRecord& after, bool extended);
// A Reset button: `what` with the number of values it changed: "Icon Data: Reset Value (3 values)".
std::string ResetStepName(std::string_view what, const LayoutRecord& before, const LayoutRecord& after);

// Colours: "Text colour 5", "BG colour 5" (swatch numbers 1..30), "Clock colour".
std::string TableColorName(bool background, int index);
std::string IconColorName(Rgb8 LayoutRecord::*color);

// Menu entries, numbered as the category grid's "No." column (entry + 1).
// "Menu entries: exchange 3 and 4".
std::string ExchangeStepName(int a, int b);
// "Menu entries: Category of 3, System → Photo"; `column` "Category", "Region" or "Show".
std::string EntryStepName(std::string_view column, int entry, std::string_view from, std::string_view to);

// Item records: "Item 5: Media, Flash → MS".
std::string ItemStepName(int item, std::string_view what, std::string_view from, std::string_view to);

}  // namespace qorvi::session
