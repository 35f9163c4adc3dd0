// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/undo_stack.h"

#include <algorithm>

namespace qorvi::session {

void UndoStack::Push(std::unique_ptr<UndoCommand> command) {
  command->Redo();
  // Merging only at the end of the history, and never into the saved state: the
  // step that leads to it must stay as it was saved.
  const bool at_end = index_ == commands_.size();
  if (merge_open_ && at_end && index_ > 0 && clean_ != static_cast<long>(index_) && command->Id() >= 0) {
    UndoCommand& top = *commands_[index_ - 1];
    if (top.Id() == command->Id() && top.MergeWith(*command)) {
      if (top.IsObsolete()) {
        commands_.pop_back();
        --index_;
        merge_open_ = false;
      }
      return;
    }
  }
  if (command->IsObsolete()) return;
  commands_.resize(index_);
  if (clean_ > static_cast<long>(index_)) clean_ = -1;
  commands_.push_back(std::move(command));
  ++index_;
  merge_open_ = true;
}

std::string UndoStack::UndoText() const { return CanUndo() ? commands_[index_ - 1]->Text() : std::string(); }

std::string UndoStack::RedoText() const { return CanRedo() ? commands_[index_]->Text() : std::string(); }

void UndoStack::Undo() {
  merge_open_ = false;
  if (!CanUndo()) return;
  --index_;
  commands_[index_]->Undo();
}

void UndoStack::Redo() {
  merge_open_ = false;
  if (!CanRedo()) return;
  commands_[index_]->Redo();
  ++index_;
}

std::string UndoStack::Text(std::size_t i) const { return i < commands_.size() ? commands_[i]->Text() : std::string(); }

void UndoStack::SetIndex(std::size_t index) {
  index = std::min(index, commands_.size());
  while (index_ > index) Undo();
  while (index_ < index) Redo();
  merge_open_ = false;
}

void UndoStack::Clear() {
  commands_.clear();
  index_ = 0;
  clean_ = 0;
  merge_open_ = false;
}

void UndoStack::SetClean() {
  clean_ = static_cast<long>(index_);
  merge_open_ = false;
}

}  // namespace qorvi::session
