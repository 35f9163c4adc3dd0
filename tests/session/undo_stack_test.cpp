// SPDX-License-Identifier: GPL-3.0-or-later
// The history: steps, merging, obsolete steps and the saved state.
#include "session/undo_stack.h"

#include <gtest/gtest.h>

#include <memory>

namespace qorvi::session {
namespace {

// A command that sets one integer; commands of one id merge.
class SetValue : public UndoCommand {
 public:
  SetValue(int& target, int value, int id)
      : UndoCommand("set " + std::to_string(value)), target_(target), value_(value), id_(id) {}
  void Redo() override { std::swap(target_, value_); }
  void Undo() override { std::swap(target_, value_); }
  int Id() const override { return id_; }
  bool MergeWith(const UndoCommand&) override { return true; }  // keeps the oldest value
  bool IsObsolete() const override { return target_ == value_; }

 private:
  int& target_;
  int value_;  // after Redo: the value before
  int id_;
};

struct Fixture {
  int value = 0;
  UndoStack stack;
  void Set(int v, int id = -1) { stack.Push(std::make_unique<SetValue>(value, v, id)); }
};

TEST(UndoStack, UndoAndRedoWalkTheSteps) {
  Fixture f;
  f.Set(1);
  f.Set(2);
  EXPECT_EQ(f.stack.Count(), 2u);
  EXPECT_EQ(f.stack.UndoText(), "set 2");
  f.stack.Undo();
  EXPECT_EQ(f.value, 1);
  EXPECT_EQ(f.stack.RedoText(), "set 2");
  f.stack.Undo();
  EXPECT_EQ(f.value, 0);
  EXPECT_FALSE(f.stack.CanUndo());
  f.stack.Undo();  // nothing left: nothing happens
  EXPECT_EQ(f.value, 0);
  f.stack.Redo();
  f.stack.Redo();
  EXPECT_EQ(f.value, 2);
  EXPECT_FALSE(f.stack.CanRedo());
  EXPECT_EQ(f.stack.RedoText(), "");
  // Straight to a state, step by step, as the History window goes.
  f.stack.SetIndex(0);
  EXPECT_EQ(f.value, 0);
  EXPECT_EQ(f.stack.Text(0), "set 1");
  EXPECT_EQ(f.stack.Text(1), "set 2");
  EXPECT_EQ(f.stack.Text(2), "");
  f.stack.SetIndex(9);
  EXPECT_EQ(f.value, 2);
  EXPECT_EQ(f.stack.Index(), 2u);
}

TEST(UndoStack, CommandsOfOneIdMergeUntilTheMergeCloses) {
  Fixture f;
  f.Set(1, 7);
  f.Set(2, 7);
  f.Set(3, 7);
  EXPECT_EQ(f.stack.Count(), 1u);
  f.Set(4, 8);  // another id: a new step
  EXPECT_EQ(f.stack.Count(), 2u);
  f.stack.CloseMerge();
  f.Set(5, 8);
  EXPECT_EQ(f.stack.Count(), 3u);
  f.stack.Undo();
  f.stack.Undo();
  EXPECT_EQ(f.value, 3);
  f.stack.Undo();
  EXPECT_EQ(f.value, 0);
}

TEST(UndoStack, AStepBackWhereItStartedLeavesTheHistory) {
  Fixture f;
  f.Set(1);
  f.Set(5, 3);
  f.Set(1, 3);  // typed and deleted: nothing is left of the step
  EXPECT_EQ(f.stack.Count(), 1u);
  EXPECT_EQ(f.value, 1);
  f.Set(1);  // changes nothing: no step
  EXPECT_EQ(f.stack.Count(), 1u);
  // A change that changes nothing keeps what could be redone.
  f.stack.Undo();
  f.Set(0);
  EXPECT_TRUE(f.stack.CanRedo());
}

TEST(UndoStack, TheSavedStateIsKeptOutOfMergesAndLostWithItsRedo) {
  Fixture f;
  f.Set(1, 4);
  f.stack.SetClean();
  EXPECT_TRUE(f.stack.IsClean());
  f.Set(2, 4);  // would merge into the saved step: a new step instead
  EXPECT_EQ(f.stack.Count(), 2u);
  EXPECT_FALSE(f.stack.IsClean());
  f.stack.Undo();
  EXPECT_TRUE(f.stack.IsClean());
  f.stack.Undo();
  EXPECT_FALSE(f.stack.IsClean());
  f.Set(9);  // the saved state could only be reached by redoing: now it cannot
  f.stack.Undo();
  EXPECT_FALSE(f.stack.IsClean());
  f.stack.Clear();
  EXPECT_TRUE(f.stack.IsClean());
  EXPECT_EQ(f.stack.Count(), 0u);
}

}  // namespace
}  // namespace qorvi::session
