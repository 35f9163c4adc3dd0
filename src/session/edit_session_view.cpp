// SPDX-License-Identifier: GPL-3.0-or-later
// The session's view state: focus, language, the options and the preview offsets.
// None of these is a step: they change what the preview shows, never what Save
// writes.
#include <algorithm>

#include "session/edit_session.h"

namespace qorvi::session {
namespace {

// The event of a change of the view alone, naming the parts that changed.
ChangeEvent ViewEvent(const ViewChanges& changes) {
  ChangeEvent event;
  event.origin = Origin::View;
  event.view = changes;
  return event;
}

}  // namespace

void EditSession::SetCategory(int category) {
  view_.CurrentCategory = std::clamp(category, 0, kCategories - 1);
  view_.CurrentItem = 0;
  Emit(ViewEvent({.category = true}));
}

void EditSession::SetItem(int item) {
  view_.CurrentItem = std::max(item, 0);
  Emit(ViewEvent({.item = true}));
}

void EditSession::SetLanguage(int language) {
  view_.Language = language == 0 ? 0 : 1;
  Emit(ViewEvent({.language = true}));
}

void EditSession::SetNoShowUnfocused(bool on) {
  options_.no_show_unfocused = on;
  Emit(ViewEvent({.no_show_unfocused = true}));
}

void EditSession::SetNoShowUmdIcon(bool on) {
  options_.no_show_umd_icon = on;
  ChangeEvent event = ViewEvent({.no_show_umd_icon = true});
  event.lists = RebuildLists();
  // In the game category a shorter list pulls the focus back inside it; an empty
  // one leaves it where it was.
  if (view_.CurrentCategory == 5) {
    const int32_t n = model_.CategoryTable[5].Count;
    if (n >= 1 && view_.CurrentItem > n - 1) {
      view_.CurrentItem = n - 1;
      event.view.item = true;
    }
  }
  Emit(event);
}

void EditSession::SetCompress(bool on) {
  options_.compress = on;
  Emit(ViewEvent({.compress = true}));
}

void EditSession::SetRepositionOffset(int index, int value) {
  if (index < 0 || index >= kRepositionItems) return;
  view_.RepositionOffset[static_cast<std::size_t>(index)] = static_cast<int8_t>(std::clamp(value, -10, 10));
  Emit(ViewEvent({.offsets = std::bitset<kRepositionItems>().set(static_cast<std::size_t>(index))}));
}

void EditSession::ResetRepositionOffsets() {
  view_.RepositionOffset.fill(0);
  Emit(ViewEvent({.offsets = std::bitset<kRepositionItems>().set()}));
}

}  // namespace qorvi::session
