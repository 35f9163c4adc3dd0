// SPDX-License-Identifier: GPL-3.0-or-later
// The session's edits of the scalar layout fields: typing, Ctrl+click, Reset of a
// group and the steps of a drag.
#include <string>

#include "model/value_text.h"
#include "session/edit_session.h"

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

}  // namespace

void EditSession::SetFieldText(const LayoutField& field, std::string_view text) {
  const int index = FieldIndex(field);
  if (index < 0) return;
  LayoutRecord next = model_.Layout;
  StoreFieldText(next, field, text);
  Push(ModelChange::Of(next), std::string(field.name), MergeKey::TypingInto(index), Origin::Edit);
}

void EditSession::EndTyping() { history_.CloseMerge(); }

void EditSession::RestoreField(const LayoutField& field) {
  const LayoutField* own = TableField(field);
  if (own == nullptr) return;
  LayoutRecord next = model_.Layout;
  CopyLayoutField(next, model_.LoadedLayout, *own);
  Push(ModelChange::Of(next), "restore of " + std::string(own->name), MergeKey::None(), Origin::Restore);
}

void EditSession::ResetFields(FieldGroup group, std::string what) {
  LayoutRecord next = model_.Layout;
  for (const LayoutField& field : LayoutFields()) {
    if (field.group == group) CopyLayoutField(next, model_.LoadedLayout, field);
  }
  Push(ModelChange::Of(next), std::move(what), MergeKey::None(), Origin::Edit);
}

void EditSession::BeginDrag(std::string what) {
  drag_serial_ = (drag_serial_ + 1) % MergeKey::kDragSerials;
  drag_what_ = std::move(what);
  history_.CloseMerge();
}

void EditSession::NudgeFields(std::span<const FieldNudge> nudges) {
  LayoutRecord next = model_.Layout;
  for (const FieldNudge& n : nudges) {
    if (n.field == nullptr) continue;
    if (auto* member = std::get_if<int32_t LayoutRecord::*>(&n.field->member)) {
      next.*(*member) = Wrapped(next.*(*member), n.delta);
    }
  }
  Push(ModelChange::Of(next), drag_what_, MergeKey::MovesOfDrag(drag_serial_), Origin::Edit);
}

void EditSession::EndDrag() { history_.CloseMerge(); }

}  // namespace qorvi::session
