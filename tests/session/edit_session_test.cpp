// SPDX-License-Identifier: GPL-3.0-or-later
// The editing session without any window: what each change does to the model and
// the view, the steps it leaves, what its events name, undo and redo.
#include "session/edit_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <limits>

#include "demo/demo_set.h"
#include "session/entry_rules.h"
#include "support/scoped_temp_dir.h"

namespace qorvi::session {
namespace {

const LayoutField& Field(std::string_view name) { return *FindLayoutField(name); }

class Session : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(model_.work.Allocate());
    BuildPaths(model_.paths, dir_.path());
    demo::DemoOptions options;
    options.version = 500;
    std::string error;
    ASSERT_TRUE(demo::WriteDemoSet(dir_.path(), options, &error)) << error;
    QObject::connect(&session_, &EditSession::changed, [this](const ChangeEvent& e) { events_.push_back(e); });
    ASSERT_FALSE(session_.Load().has_value());
    events_.clear();
  }

  LayoutRecord& L() { return model_.Layout; }
  std::vector<std::string> FieldNames(const ChangeEvent& e) {
    std::vector<std::string> names;
    for (const LayoutField* f : e.fields) names.emplace_back(f->name);
    return names;
  }

  testing::ScopedTempDir dir_;
  Model model_;
  EditSession session_{model_};
  std::vector<ChangeEvent> events_;
};

TEST_F(Session, KeystrokesInOneFieldAreOneStepAndNameTheirField) {
  const int32_t x = L().ClockX;
  for (const char* text : {"", "1", "12", "12a"}) session_.SetFieldText(Field("ClockX"), text);
  EXPECT_EQ(L().ClockX, 12);
  EXPECT_EQ(session_.history().Count(), 1u);
  EXPECT_EQ(session_.UndoText(), "Clock X " + std::to_string(x) + " → 12") << "from the first to the last value";
  ASSERT_EQ(events_.size(), 3u);  // "12a" changed nothing
  EXPECT_EQ(FieldNames(events_.back()), std::vector<std::string>{"ClockX"});
  session_.SetFieldText(Field("ClockY"), "3");  // another field: another step
  EXPECT_EQ(session_.history().Count(), 2u);
  session_.EndTyping();
  session_.SetFieldText(Field("ClockY"), "4");  // typing again after leaving the edit
  EXPECT_EQ(session_.history().Count(), 3u);

  session_.Undo();
  session_.Undo();
  session_.Undo();
  EXPECT_EQ(L().ClockX, x);
  EXPECT_EQ(events_.back().origin, Origin::Undo);
  EXPECT_TRUE(session_.history().IsClean());
  EXPECT_FALSE(session_.HasUnsavedChanges());
}

TEST_F(Session, ADragIsOneStepAndWrapsAsThe32BitFieldWould) {
  // A drag that ends where it began leaves no step.
  session_.BeginDrag("the clock");
  const FieldNudge there[] = {{&Field("ClockX"), 5}};
  const FieldNudge back[] = {{&Field("ClockX"), -5}};
  session_.NudgeFields(there);
  session_.NudgeFields(back);
  session_.EndDrag();
  EXPECT_EQ(session_.history().Count(), 0u);
  EXPECT_FALSE(session_.HasUnsavedChanges());

  L().BusyX = std::numeric_limits<int32_t>::max();
  const int32_t y = L().BusyY;
  session_.BeginDrag("the busy icon");
  const FieldNudge step[] = {{&Field("BusyX"), 1}, {&Field("BusyY"), -2}};
  session_.NudgeFields(step);
  session_.NudgeFields(step);
  session_.EndDrag();
  EXPECT_EQ(L().BusyX, std::numeric_limits<int32_t>::min() + 1);
  EXPECT_EQ(L().BusyY, y - 4);
  EXPECT_EQ(session_.history().Count(), 1u);
  EXPECT_EQ(session_.UndoText(), "Drag of the busy icon (X 2147483647 → -2147483647, Y " + std::to_string(y) + " → " +
                                     std::to_string(y - 4) + ")");
  session_.Undo();
  EXPECT_EQ(L().BusyX, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(L().BusyY, y);
}

TEST(EntryRules, CategoryCountsOnAndEightBecomesZero) {
  const int cases[][2] = {{0, 1}, {6, 7}, {7, 0}, {8, 9}, {9, 10}, {200, 201}, {254, 255}, {255, 0}};
  for (const auto& c : cases) EXPECT_EQ(NextCategory(static_cast<uint8_t>(c[0])), c[1]) << c[0];
  EXPECT_EQ(NextShow(7), 6);
  EXPECT_EQ(NextShow(6), 2);
  EXPECT_EQ(NextShow(2), 7);
  EXPECT_EQ(NextShow(99), 7);
  EXPECT_EQ(NextRegion(64), 255);
  EXPECT_EQ(NextRegion(255), 8);
  EXPECT_EQ(NextRegion(3), 8);
}

TEST_F(Session, HidingTheFocusedLastItemMovesTheFocusAndUndoPutsItBack) {
  // PSNet (7) holds entries 26..28; focus its last item and hide it.
  session_.SetCategory(7);
  session_.SetItem(2);
  session_.CycleEntry(28, EntryByte::Show);  // 7 -> 6: still listed
  session_.CycleEntry(28, EntryByte::Show);  // 6 -> 2: left out
  EXPECT_EQ(model_.CategoryTable[7].Count, 2);
  EXPECT_EQ(session_.view().CurrentItem, 1);
  EXPECT_TRUE(events_.back().entries && events_.back().lists && events_.back().view.item);
  EXPECT_EQ(session_.UndoText(), "Menu entries: Show of 29, 2000 → No");
  session_.Undo();
  EXPECT_EQ(model_.CategoryTable[7].Count, 3);
  EXPECT_EQ(session_.view().CurrentItem, 2);
  session_.Redo();
  EXPECT_EQ(session_.view().CurrentItem, 1);
}

TEST_F(Session, ExchangeAndResetOfEntries) {
  const auto loaded = model_.LoadedCategoryEntries;
  session_.ExchangeEntries(0, 1);
  EXPECT_TRUE(SameEntry(model_.CategoryEntries[0], loaded[1]));
  session_.CycleEntry(3, EntryByte::Region);
  EXPECT_TRUE(events_.back().entries);
  EXPECT_FALSE(events_.back().lists) << "the region plays no part in the lists";
  session_.SetItem(4);
  session_.ResetEntries();
  EXPECT_TRUE(SameEntry(model_.CategoryEntries[0], loaded[0]));
  EXPECT_EQ(session_.view().CurrentItem, 0);
  session_.Undo();
  EXPECT_EQ(session_.view().CurrentItem, 4);
  EXPECT_EQ(model_.CategoryEntries[3].Region, NextRegion(loaded[3].Region));
}

TEST_F(Session, ItemChangesKeepTheTagBytesAsTheyAre) {
  Tag odd{};
  const char bytes[] = {'t', 'e', 'x', '\xFF', '\xE3', '_', 'x'};  // not UTF-8
  std::copy(std::begin(bytes), std::end(bytes), odd.begin());
  session_.SetItemTag(3, &ItemRecord::NameTag, odd);
  EXPECT_TRUE(model_.ItemTable[3].NameTag == odd);
  EXPECT_TRUE(events_.back().items[3]);
  session_.SetItemFunction(5, 27);
  EXPECT_EQ(model_.ItemTable[5].ExecGroup, 19u);
  session_.SetItemMedia(5, 3);
  session_.SetItemUmdFlag(5, model_.ItemTable[5].UmdFlag == 0 ? 1 : 0);
  EXPECT_EQ(session_.history().Count(), 4u);
  session_.SetItemFunction(99, 1);  // no such item: nothing
  session_.SetItemFunction(1, 40);  // no such function: nothing
  EXPECT_EQ(session_.history().Count(), 4u);
}

TEST_F(Session, ApplyChangesLayoutEntriesAndItemsAsOneStep) {
  ModelChange change = ModelChange::Of(model_.Layout);
  change.layout->ClockX += 3;
  change.layout->TextColor[0] = {1.0f, 0.0f, 0.0f};
  change.entries = model_.CategoryEntries;
  std::swap((*change.entries)[0], (*change.entries)[1]);
  change.items = model_.ItemTable;
  (*change.items)[2].Media = 3;
  session_.Apply(change, "preset");
  EXPECT_EQ(session_.history().Count(), 1u);
  const ChangeEvent& e = events_.back();
  EXPECT_EQ(FieldNames(e), std::vector<std::string>{"ClockX"});
  EXPECT_TRUE(e.colors.text[0]);
  EXPECT_TRUE(e.entries);
  EXPECT_TRUE(e.items[2]);
  session_.Undo();
  EXPECT_TRUE(SameLayout(model_.Layout, model_.LoadedLayout));
  EXPECT_TRUE(SameEntry(model_.CategoryEntries[0], model_.LoadedCategoryEntries[0]));
}

std::vector<std::string> ChangedKeys(const Model& m) {
  std::vector<std::string> keys;
  for (const ValueDifference& d : DiffFromLoaded(m)) keys.push_back(d.key);
  return keys;
}

TEST_F(Session, RevertPutsOneValueBackAsOneStep) {
  ModelChange change = ModelChange::Of(model_.Layout);
  change.layout->ClockY += 4;
  change.layout->BGColor[1] = {1.0f, 0.0f, 0.0f};
  change.layout->BusyColor = {1, 2, 3};
  change.entries = model_.CategoryEntries;
  (*change.entries)[3].Show = 2;
  (*change.entries)[3].Region = 64;
  change.items = model_.ItemTable;
  (*change.items)[6].NameTag = ItemTag::FromText("msg_x");
  session_.Apply(change, "preset");
  session_.SetItemFunction(5, 27);
  const std::vector<std::string> all = {"layout.ClockY",           "layout.BGColor[1]",         "layout.BusyColor",
                                        "categoryEntries[3].show", "categoryEntries[3].region", "items[5].ExecGroup",
                                        "items[5].ExecFunction",   "items[5].ExecIndex",        "items[6].NameTag"};
  ASSERT_EQ(ChangedKeys(model_), all);

  auto place_of = [&](const std::string& key) {
    for (const ValueDifference& d : DiffFromLoaded(model_)) {
      if (d.key == key) return d.place;
    }
    ADD_FAILURE() << key;
    return ValuePlace{};
  };
  auto without = [](std::vector<std::string> keys, std::initializer_list<const char*> gone) {
    for (const char* g : gone) std::erase(keys, g);
    return keys;
  };
  // One byte of a menu entry: the other one stays changed.
  session_.RevertValue(place_of("categoryEntries[3].show"));
  EXPECT_EQ(ChangedKeys(model_), without(all, {"categoryEntries[3].show"}));
  EXPECT_TRUE(events_.back().entries);
  EXPECT_EQ(session_.history().Count(), 3u);
  // The execute function goes back whole: group, function and index name one function.
  session_.RevertValue(place_of("items[5].ExecIndex"));
  EXPECT_EQ(ChangedKeys(model_), without(all, {"categoryEntries[3].show", "items[5].ExecGroup", "items[5].ExecFunction",
                                               "items[5].ExecIndex"}));
  EXPECT_TRUE(events_.back().items[5]);
  session_.Undo();
  EXPECT_EQ(ChangedKeys(model_), without(all, {"categoryEntries[3].show"}));
  // Every other kind, one step each, until nothing differs.
  for (const char* key : {"layout.ClockY", "layout.BGColor[1]", "layout.BusyColor", "categoryEntries[3].region",
                          "items[5].ExecGroup", "items[6].NameTag"}) {
    const std::size_t steps = session_.history().Index();
    session_.RevertValue(place_of(key));
    EXPECT_EQ(session_.history().Index(), steps + 1) << key;
  }
  EXPECT_EQ(ChangedKeys(model_), std::vector<std::string>{});
  EXPECT_TRUE(SameLayout(model_.Layout, model_.LoadedLayout));
  EXPECT_TRUE(SameItem(model_.ItemTable[6], model_.LoadedItemTable[6]));
}

TEST_F(Session, TheViewChangesWithoutSteps) {
  session_.SetCategory(5);
  session_.SetItem(3);
  session_.SetNoShowUmdIcon(true);  // the game list loses 14 and 23: the focus stays inside
  EXPECT_EQ(model_.CategoryTable[5].Count, 3);
  EXPECT_EQ(session_.view().CurrentItem, 2);
  EXPECT_TRUE(events_.back().view.no_show_umd_icon && events_.back().view.item && events_.back().lists);
  session_.SetRepositionOffset(kClockX, 40);
  EXPECT_EQ(session_.view().RepositionOffset[kClockX], 10);
  session_.ResetRepositionOffsets();
  EXPECT_TRUE(events_.back().view.offsets.all());
  EXPECT_EQ(session_.history().Count(), 0u);
  EXPECT_FALSE(session_.HasUnsavedChanges());
}

TEST_F(Session, ALoadClearsTheHistoryAndStartsTheViewOver) {
  session_.SetFieldText(Field("ClockX"), "1");
  session_.SetCategory(3);
  session_.SetRepositionOffset(kBusyX, 4);
  EXPECT_TRUE(session_.HasUnsavedChanges());
  ASSERT_FALSE(session_.Load().has_value());
  EXPECT_FALSE(session_.CanUndo());
  EXPECT_FALSE(session_.HasUnsavedChanges());
  EXPECT_EQ(session_.view().CurrentCategory, 0);
  EXPECT_EQ(session_.view().RepositionOffset[kBusyX], 0);
  EXPECT_TRUE(events_.back().loaded);
  // A failed load changes nothing.
  session_.SetFieldText(Field("ClockX"), "1");
  model_.paths.PafPath = dir_ / "missing.prx";
  EXPECT_EQ(session_.Load()->code, Message::PafOpenError);
  EXPECT_TRUE(session_.CanUndo());
}

TEST_F(Session, ALoadCanChangeTheModelBeforeEverythingThatFollowsIt) {
  const int32_t loaded_x = L().ClockX;
  const CategoryEntry first = model_.CategoryEntries[0];
  const int32_t count = model_.CategoryTable[first.Category].Count;
  int32_t x_when_told = 0;
  QObject::connect(&session_, &EditSession::changed, [&](const ChangeEvent& e) {
    if (e.loaded) x_when_told = L().ClockX;
  });
  ASSERT_FALSE(session_
                   .Load([](Model& m) {
                     m.Layout.ClockX = 99;
                     m.CategoryEntries[0].Show = 2;  // left out of the menu
                   })
                   .has_value());
  EXPECT_EQ(x_when_told, 99) << "the load is reported with the change in place";
  EXPECT_EQ(model_.LoadedLayout.ClockX, loaded_x) << "Reset still goes back to the files";
  EXPECT_EQ(model_.CategoryTable[first.Category].Count, count - 1) << "the lists are built after the change";
  EXPECT_FALSE(session_.CanUndo());
}

TEST_F(Session, ASaveMakesTheStateTheSavedOne) {
  session_.SetFieldText(Field("ClockX"), "1");
  EXPECT_TRUE(session_.HasUnsavedChanges());
  EXPECT_TRUE(session_.Save().empty());
  EXPECT_FALSE(session_.HasUnsavedChanges());
  session_.Undo();
  EXPECT_TRUE(session_.HasUnsavedChanges());
  session_.Redo();
  EXPECT_FALSE(session_.HasUnsavedChanges());
  // The written files load back as they were saved.
  EXPECT_TRUE(session_.VerifySaved().Passed());
  EXPECT_FALSE(session_.HasUnsavedChanges());
}

// Every kind of step by the name the history gives it. `step` sets the values it
// starts from straight in the model (no step), then takes the step through the session.
struct NameCase {
  const char* name;
  std::function<void(EditSession&, Model&)> step;
};

class StepNames : public Session, public ::testing::WithParamInterface<NameCase> {};

TEST_P(StepNames, NameTheWindowsCaptionsAndTheValues) {
  GetParam().step(session_, model_);
  EXPECT_EQ(session_.UndoText(), GetParam().name);
  session_.Undo();
  EXPECT_EQ(session_.RedoText(), GetParam().name) << "the same name both ways";
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, StepNames,
    ::testing::Values(
        NameCase{"Clock X 203 → 250",
                 [](EditSession& s, Model& m) {
                   m.Layout.ClockX = 203;
                   for (const char* text : {"2", "25", "250"}) s.SetFieldText(Field("ClockX"), text);
                 }},
        NameCase{"Sub Menu Text X : 1Seg 12 → -4",
                 [](EditSession& s, Model& m) {
                   m.Layout.SubMenuTextX1Seg = 12;
                   s.SetFieldText(Field("SubMenuTextX1Seg"), "-4");
                 }},
        NameCase{"Unforcused MainIcon Size 0.779999971389771 → 1.5",
                 [](EditSession& s, Model& m) {
                   m.Layout.UnfIconSize = 0.78f;
                   s.SetFieldText(Field("UnfIconSize"), "1.5");
                 }},
        NameCase{"Icon Speed ←key 200 → 180",  // 5.00 names the first speeds by their keys
                 [](EditSession& s, Model& m) {
                   m.Layout.IconSpeedX1 = 200;
                   s.SetFieldText(Field("IconSpeedX1"), "180");
                 }},
        NameCase{"XMB Wave Speed 9.5 → 3", [](EditSession& s, Model&) { s.SetFieldText(Field("WaveSpeed"), "3"); }},
        NameCase{"Restore of Clock X 250 → 203",
                 [](EditSession& s, Model& m) {
                   m.Layout.ClockX = 250;
                   m.LoadedLayout.ClockX = 203;
                   s.RestoreField(Field("ClockX"));
                 }},
        NameCase{"Icon Data: Reset Value (2 values)",
                 [](EditSession& s, Model& m) {
                   m.Layout.ClockX += 1;
                   m.Layout.BusyY -= 1;
                   m.Layout.SubMenuTextY += 1;  // a text value: not this window's
                   s.ResetFields(FieldGroup::IconData, "Icon Data: Reset Value");
                 }},
        NameCase{"Drag of the clock (X 203 → 250, Y 123 → 130)",
                 [](EditSession& s, Model& m) {
                   m.Layout.ClockX = 203;
                   m.Layout.ClockY = 123;
                   s.BeginDrag("the clock");
                   const FieldNudge first[] = {{&Field("ClockX"), 40}, {&Field("ClockY"), 3}};
                   const FieldNudge second[] = {{&Field("ClockX"), 7}, {&Field("ClockY"), 4}};
                   s.NudgeFields(first);
                   s.NudgeFields(second);
                   s.EndDrag();
                 }},
        NameCase{"Drag of the unfocused main icons (Space2 80 → 84, Y 63 → 60)",
                 [](EditSession& s, Model& m) {
                   m.Layout.MainIconSpace2 = 80;
                   m.Layout.UnfIconY = 63;
                   s.BeginDrag("the unfocused main icons");
                   const FieldNudge step[] = {{&Field("MainIconSpace2"), 4}, {&Field("UnfIconY"), -3}};
                   s.NudgeFields(step);
                   s.EndDrag();
                 }},
        NameCase{"Nudge of the sub menu texts (X : 1Seg 31 → 34)",
                 [](EditSession& s, Model& m) {
                   m.Layout.SubMenuTextX1Seg = 31;
                   const FieldNudge right[] = {{&Field("SubMenuTextX1Seg"), 1}, {&Field("SubMenuTextY"), 0}};
                   for (int k = 0; k < 3; ++k) s.Nudge(6, "the sub menu texts", right);
                 }},
        NameCase{"Text colour 5", [](EditSession& s, Model&) { s.SetTableColor(false, 4, {1.0f, 0.5f, 0.0f}); }},
        NameCase{"BG colour 30", [](EditSession& s, Model&) { s.SetTableColor(true, 29, {1.0f, 0.5f, 0.0f}); }},
        NameCase{"Clock colour", [](EditSession& s, Model&) { s.SetIconColor(&LayoutRecord::ClockColor, {1, 2, 3}); }},
        NameCase{"Restore of BG colour 2",
                 [](EditSession& s, Model& m) {
                   m.Layout.BGColor[1] = {0.1f, 0.2f, 0.3f};
                   s.RestoreTableColor(true, 1);
                 }},
        NameCase{"Reset All Color",
                 [](EditSession& s, Model& m) {
                   m.Layout.BusyColor = {9, 9, 9};
                   s.ResetColors();
                 }},
        NameCase{"Menu entries: exchange 3 and 4", [](EditSession& s, Model&) { s.ExchangeEntries(3, 2); }},
        NameCase{"Menu entries: Category of 1, PSNet → System",
                 [](EditSession& s, Model& m) {
                   m.CategoryEntries[0].Category = 7;
                   s.CycleEntry(0, EntryByte::Category);
                 }},
        NameCase{"Menu entries: Region of 2, KOR → -",
                 [](EditSession& s, Model& m) {
                   m.CategoryEntries[1].Region = 64;
                   s.CycleEntry(1, EntryByte::Region);
                 }},
        NameCase{"Menu entries: Show of 3, Yes → 2000",
                 [](EditSession& s, Model& m) {
                   m.CategoryEntries[2].Show = 7;
                   s.CycleEntry(2, EntryByte::Show);
                 }},
        NameCase{"Menu entries: Reset Value",
                 [](EditSession& s, Model&) {
                   s.ExchangeEntries(0, 1);
                   s.ResetEntries();
                 }},
        NameCase{"Item 5: Execute Function, Network Update → Camera",
                 [](EditSession& s, Model& m) {
                   m.ItemTable[5].ExecIndex = 0;
                   s.SetItemFunction(5, 27);
                 }},
        NameCase{"Item 2: Media, Flash → MS",
                 [](EditSession& s, Model& m) {
                   m.ItemTable[2].Media = 1;
                   s.SetItemMedia(2, 3);
                 }},
        NameCase{"Item 2: UMD, Yes → No",
                 [](EditSession& s, Model& m) {
                   m.ItemTable[2].UmdFlag = 0;
                   s.SetItemUmdFlag(2, 1);
                 }},
        NameCase{"Item 3: Icon Name Tag, msg_a → msg_b", [](EditSession& s, Model& m) {
                   m.ItemTable[3].NameTag = Tag::FromText("msg_a");
                   s.SetItemTag(3, &ItemRecord::NameTag, Tag::FromText("msg_b"));
                 }}));

// Arrow keys on the clock, a second (of a clock the test sets) at a time.
class Nudges : public Session {
 protected:
  void SetUp() override {
    Session::SetUp();
    session_.SetClock([this] { return now_; });
  }
  bool NudgeClock(int dx, int element = 1) {
    const FieldNudge n[] = {{&Field("ClockX"), dx}};
    return session_.Nudge(element, "the clock", n);
  }
  std::chrono::milliseconds now_{5000};
};

TEST_F(Nudges, ABurstOnOneElementIsOneStepUntilARestAnotherElementOrAnotherStep) {
  const int32_t x = L().ClockX;
  EXPECT_TRUE(NudgeClock(1)) << "the first key begins a burst";
  now_ += std::chrono::milliseconds(999);
  EXPECT_FALSE(NudgeClock(1));
  now_ += std::chrono::milliseconds(999);
  EXPECT_FALSE(NudgeClock(10)) << "each key restarts the second";
  EXPECT_EQ(L().ClockX, x + 12);
  EXPECT_EQ(session_.history().Count(), 1u);
  EXPECT_EQ(session_.UndoText(), "Nudge of the clock (X " + std::to_string(x) + " → " + std::to_string(x + 12) + ")");

  now_ += EditSession::kNudgeRest;  // a second of rest
  EXPECT_TRUE(NudgeClock(1));
  EXPECT_EQ(session_.history().Count(), 2u);
  EXPECT_TRUE(NudgeClock(1, 2)) << "another element";
  EXPECT_FALSE(NudgeClock(1, 2));
  EXPECT_EQ(session_.history().Count(), 3u);
  session_.SetFieldText(Field("ClockY"), "5");  // another kind of change
  EXPECT_TRUE(NudgeClock(1, 2));
  EXPECT_EQ(session_.history().Count(), 5u);
  session_.Undo();
  EXPECT_TRUE(NudgeClock(1, 2)) << "an undo ends the burst";
  EXPECT_EQ(session_.history().Count(), 5u);
  session_.EndNudges();  // another element selected
  EXPECT_TRUE(NudgeClock(1, 2));
  EXPECT_EQ(session_.history().Count(), 6u);

  // Back where the burst began: no step.
  now_ += EditSession::kNudgeRest;
  const std::size_t steps = session_.history().Count();
  NudgeClock(3);
  NudgeClock(-3);
  EXPECT_EQ(session_.history().Count(), steps);
}

TEST_F(Session, GoingToAStepUndoesOrRedoesEveryStepOnTheWay) {
  std::vector<int> told;
  QObject::connect(&session_, &EditSession::historyChanged,
                   [&] { told.push_back(static_cast<int>(session_.history().Index())); });
  session_.SetFieldText(Field("ClockX"), "1");
  session_.SetFieldText(Field("ClockY"), "2");
  session_.SetTableColor(false, 0, {1.0f, 1.0f, 1.0f});
  const LayoutRecord all = L();
  told.clear();
  events_.clear();

  session_.GoToStep(0);
  EXPECT_TRUE(SameLayout(L(), model_.LoadedLayout));
  EXPECT_EQ(events_.size(), 3u) << "one event per step undone";
  EXPECT_EQ(told, std::vector<int>{0}) << "one history change at the end";
  session_.GoToStep(2);
  EXPECT_EQ(L().ClockY, 2);
  EXPECT_EQ(session_.RedoText(), "Text colour 1");
  session_.GoToStep(99);  // beyond the last: the last
  EXPECT_TRUE(SameLayout(L(), all));
  EXPECT_EQ(session_.history().Index(), 3u);
  EXPECT_EQ(session_.history().Text(0).rfind("Clock X ", 0), 0u);
  EXPECT_EQ(session_.history().Text(3), "");
}

}  // namespace
}  // namespace qorvi::session
