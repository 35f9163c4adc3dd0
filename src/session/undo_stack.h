// SPDX-License-Identifier: GPL-3.0-or-later
// A history of undoable steps, with the folding of consecutive small changes
// into one step.
//
// Every change of the editing session is a command: Redo() applies it, Undo()
// takes it back. A command that names a merge id (Id() >= 0) may fold the next
// command of the same id into itself (MergeWith), so that the keystrokes typed
// into one field, or the mouse moves of one drag, make one step. A command that
// leaves everything as it found it is obsolete: it is never kept, and a step that
// becomes obsolete by a merge (a digit typed and deleted, a drag back to where it
// started) leaves the history.
//
// Plain C++ on purpose: Qt's own undo stack lives in Qt GUI, and the session
// depends on Qt Core only.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace qorvi::session {

class UndoCommand {
 public:
  explicit UndoCommand(std::string text) : text_(std::move(text)) {}
  virtual ~UndoCommand() = default;
  UndoCommand(const UndoCommand&) = delete;
  UndoCommand& operator=(const UndoCommand&) = delete;

  virtual void Redo() = 0;
  virtual void Undo() = 0;
  // Commands of the same id >= 0 may be merged; -1 never merges.
  virtual int Id() const { return -1; }
  // Folds `next` (already applied) into this command; false when it cannot.
  virtual bool MergeWith(const UndoCommand& /*next*/) { return false; }
  // True when undoing this command would change nothing.
  virtual bool IsObsolete() const { return false; }

  // What the step did, for "Undo <what>" and the History window.
  const std::string& Text() const { return text_; }

 protected:
  // A step whose name tells its values renames itself as it merges.
  void SetText(std::string text) { text_ = std::move(text); }

 private:
  std::string text_;
};

class UndoStack {
 public:
  // Applies `command` (Redo) and records it: folded into the last step when that
  // one is still open for merging, has the same id and is not the saved state;
  // dropped when it changed nothing; else a new step, which ends every step that
  // could have been redone.
  void Push(std::unique_ptr<UndoCommand> command);

  bool CanUndo() const { return index_ > 0; }
  bool CanRedo() const { return index_ < commands_.size(); }
  // Texts of the step Undo and Redo would take; empty when there is none.
  std::string UndoText() const;
  std::string RedoText() const;
  void Undo();
  void Redo();

  // The last step takes no more merges; the next push starts a new one.
  void CloseMerge() { merge_open_ = false; }

  // Forgets every step; the state now is the saved one.
  void Clear();
  // The state now is the saved one.
  void SetClean();
  // No state is the saved one any more (what was saved did not arrive intact).
  void ForgetClean() { clean_ = -1; }
  bool IsClean() const { return clean_ == static_cast<long>(index_); }

  std::size_t Count() const { return commands_.size(); }
  // Steps 0 .. Index() - 1 are applied.
  std::size_t Index() const { return index_; }
  // The name of step `i` (0 .. Count() - 1); empty for any other index.
  std::string Text(std::size_t i) const;
  // Undoes or redoes steps one by one until `index` are applied (at most Count()).
  void SetIndex(std::size_t index);
  // How many steps the saved state has applied; -1 when it can no longer be reached.
  long CleanIndex() const { return clean_; }

 private:
  std::vector<std::unique_ptr<UndoCommand>> commands_;
  std::size_t index_ = 0;  // commands_[0 .. index_) are applied
  long clean_ = 0;         // index of the saved state; -1 when it can no longer be reached
  bool merge_open_ = false;
};

}  // namespace qorvi::session
