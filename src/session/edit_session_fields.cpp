// SPDX-License-Identifier: GPL-3.0-or-later
// The session's edits of the scalar layout fields: typing, Ctrl+click, Reset of a
// group, the steps of a drag and the nudges of the arrow keys.
#include <string>

#include "model/value_text.h"
#include "session/edit_session.h"
#include "session/step_names.h"

namespace qorvi::session {
namespace {

int FieldIndex(const LayoutField& field) {
  const std::span<const LayoutField> all = LayoutFields();
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i].name == field.name) return static_cast<int>(i);
  }
  return -1;
}

// The table's own descriptor of a field (events name fields by these pointers).
const LayoutField* TableField(const LayoutField& field) {
  const int i = FieldIndex(field);
  return i < 0 ? nullptr : &LayoutFields()[static_cast<std::size_t>(i)];
}

int32_t Wrapped(int32_t value, int32_t delta) {
  // In unsigned arithmetic, so that the sum wraps as the field's 32 bits would
  // instead of overflowing.
  return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(delta));
}

LayoutRecord Moved(const LayoutRecord& layout, std::span<const FieldNudge> nudges) {
  LayoutRecord next = layout;
  for (const FieldNudge& n : nudges) {
    if (n.field == nullptr) continue;
    if (auto* member = std::get_if<int32_t LayoutRecord::*>(&n.field->member)) {
      next.*(*member) = Wrapped(next.*(*member), n.delta);
    }
  }
  return next;
}

}  // namespace

void EditSession::PushLayout(const LayoutRecord& next, LayoutNamer namer, MergeKey merge, Origin origin) {
  Push(ModelChange::Of(next), std::string(), merge, origin, std::move(namer));
}

void EditSession::SetFieldText(const LayoutField& field, std::string_view text) {
  const LayoutField* own = TableField(field);
  if (own == nullptr) return;
  LayoutRecord next = model_.Layout;
  StoreFieldText(next, *own, text);
  const bool extended = Extended();
  PushLayout(
      next,
      [own, extended](const LayoutRecord& a, const LayoutRecord& b) { return TypingStepName(*own, a, b, extended); },
      MergeKey::TypingInto(FieldIndex(*own)), Origin::Edit);
}

void EditSession::EndTyping() { history_.CloseMerge(); }

void EditSession::RestoreField(const LayoutField& field) {
  const LayoutField* own = TableField(field);
  if (own == nullptr) return;
  LayoutRecord next = model_.Layout;
  CopyLayoutField(next, model_.LoadedLayout, *own);
  const bool extended = Extended();
  PushLayout(
      next,
      [own, extended](const LayoutRecord& a, const LayoutRecord& b) { return RestoreStepName(*own, a, b, extended); },
      MergeKey::None(), Origin::Restore);
}

void EditSession::ResetFields(FieldGroup group, std::string what) {
  LayoutRecord next = model_.Layout;
  for (const LayoutField& field : LayoutFields()) {
    if (field.group == group) CopyLayoutField(next, model_.LoadedLayout, field);
  }
  PushLayout(
      next, [what](const LayoutRecord& a, const LayoutRecord& b) { return ResetStepName(what, a, b); },
      MergeKey::None(), Origin::Edit);
}

void EditSession::BeginDrag(std::string element) {
  drag_serial_ = (drag_serial_ + 1) % MergeKey::kDragSerials;
  drag_what_ = std::move(element);
  nudging_ = false;
  history_.CloseMerge();
}

void EditSession::NudgeFields(std::span<const FieldNudge> nudges) {
  const bool extended = Extended();
  PushLayout(
      Moved(model_.Layout, nudges),
      [what = drag_what_, extended](const LayoutRecord& a, const LayoutRecord& b) {
        return MoveStepName("Drag", what, a, b, extended);
      },
      MergeKey::MovesOfDrag(drag_serial_), Origin::Edit);
}

void EditSession::EndDrag() { history_.CloseMerge(); }

bool EditSession::Nudge(int element, std::string what, std::span<const FieldNudge> nudges) {
  const std::chrono::milliseconds now = clock_();
  const bool goes_on = nudging_ && element == nudge_element_ && now - last_nudge_ < kNudgeRest;
  if (!goes_on) {
    // A burst is numbered as a drag is: its nudges merge with each other only.
    drag_serial_ = (drag_serial_ + 1) % MergeKey::kDragSerials;
    nudge_element_ = element;
    history_.CloseMerge();
  }
  last_nudge_ = now;
  const bool extended = Extended();
  PushLayout(
      Moved(model_.Layout, nudges),
      [what = std::move(what), extended](const LayoutRecord& a, const LayoutRecord& b) {
        return MoveStepName("Nudge", what, a, b, extended);
      },
      MergeKey::MovesOfDrag(drag_serial_), Origin::Edit);
  nudging_ = true;  // after the push, which ends every burst
  return !goes_on;
}

}  // namespace qorvi::session
