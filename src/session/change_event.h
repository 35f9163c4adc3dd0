// SPDX-License-Identifier: GPL-3.0-or-later
// What one change of the editing session touched. The session emits one event
// per change; every window and the preview refresh exactly what it names.
#pragma once

#include <bitset>
#include <vector>

#include "geometry/preview_state.h"
#include "model/layout_record.h"
#include "model/model.h"

namespace qorvi::session {

// Why something changed.
enum class Origin {
  Edit,     // a user's change: typing, a drag, a swatch, a grid cell, a list, Reset
  Restore,  // Ctrl+click put one value back from the last load
  Undo,
  Redo,
  Load,  // a new firmware set was loaded
  View,  // only what the preview shows: focus, language, options, offsets
};

// Colours that changed: entries of the two tables and the three icon colours.
struct ColorChanges {
  std::bitset<kColorTableEntries> text;
  std::bitset<kColorTableEntries> background;
  bool battery = false;
  bool clock = false;
  bool busy = false;
  bool Any() const { return text.any() || background.any() || battery || clock || busy; }
  bool AnyIcon() const { return battery || clock || busy; }
};

// Parts of the view state that changed.
struct ViewChanges {
  bool category = false;  // CurrentCategory (and with it CurrentItem, reset to 0)
  bool item = false;      // CurrentItem alone
  bool language = false;
  bool no_show_unfocused = false;
  bool no_show_umd_icon = false;  // the category lists were rebuilt with the option
  bool compress = false;
  std::bitset<kRepositionItems> offsets{};  // preview offsets by index
  bool Any() const {
    return category || item || language || no_show_unfocused || no_show_umd_icon || compress || offsets.any();
  }
};

struct ChangeEvent {
  Origin origin = Origin::Edit;
  // Scalar layout fields whose value changed, in record order.
  std::vector<const LayoutField*> fields;
  ColorChanges colors;
  // Menu entries changed; `lists` when the per-category item lists changed with them.
  bool entries = false;
  bool lists = false;
  // Item records that changed, by index.
  std::bitset<kItemSlots> items;
  ViewChanges view;
  // A new set was loaded: everything is new, the view starts over.
  bool loaded = false;

  bool Touches(const LayoutField& field) const {
    for (const LayoutField* f : fields) {
      if (f == &field) return true;
    }
    return false;
  }
};

}  // namespace qorvi::session
