// SPDX-License-Identifier: GPL-3.0-or-later
// Which steps of the editing session fold into one. The undo stack merges a step
// into the one before it when both carry the same merge id (undo_stack.h); the
// session gives one id
//   to the keystrokes typed into one field, until its edit is left: TypingInto
//   to the moves of one drag, from press to release:               MovesOfDrag
//   to the arrow keys of one burst of nudges (a drag made with
//   keys; drags and bursts draw their numbers from one counter):   MovesOfDrag
// and none to every other step, which stays a step of its own.
#pragma once

#include "model/layout_record.h"

namespace qorvi::session {

class MergeKey {
 public:
  // No key: the step never merges.
  static constexpr MergeKey None() { return MergeKey(-1); }
  // Typing into field `field_index` of LayoutFields().
  static constexpr MergeKey TypingInto(int field_index) { return MergeKey(kTyping + field_index); }
  // The moves of the drag numbered `serial` (0 .. kDragSerials - 1).
  static constexpr MergeKey MovesOfDrag(int serial) { return MergeKey(kDrag + serial); }
  // Drags are numbered round: after this many the numbers start again at 0.
  static constexpr int kDragSerials = 1000000;

  // The undo stack's merge id: -1 for no key, else one id per field and per drag.
  constexpr int Id() const { return id_; }

 private:
  // The ids of typing lie below those of dragging, so that the two never meet.
  static constexpr int kTyping = 1;
  static constexpr int kDrag = 1000;
  static_assert(kTyping + static_cast<int>(kLayoutFieldTable.size()) <= kDrag);

  explicit constexpr MergeKey(int id) : id_(id) {}
  int id_;
};

}  // namespace qorvi::session
