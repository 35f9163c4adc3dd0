// SPDX-License-Identifier: GPL-3.0-or-later
// The editing session of the desktop program: the one way the model and the
// preview's view state change.
//
// The session owns the view state (focused category and item, language, the
// options, the 19 preview offsets) and works on the model it is given. Every
// change a user makes is one call here:
//
//   typing             SetFieldText          keystrokes in one field merge into one step
//   a drag             BeginDrag, NudgeFields, EndDrag     press to release is one step
//   the arrow keys     Nudge                 a burst on one element is one step
//   Ctrl+click         RestoreField, RestoreTableColor, RestoreIconColor   one step each
//   Reset              ResetFields, ResetColors, ResetEntries              one step each
//   a colour           SetTableColor, SetIconColor                        one step each
//   the category grid  CycleEntry, ExchangeEntries                        one step each
//   the Advance lists  SetItemFunction, SetItemMedia, SetItemUmdFlag, SetItemTag
//   anything larger    Apply (layout, entries and items at once, one step: presets)
//   Changes' Revert    RevertValue                                         one step
//   the view           SetCategory, SetItem, SetLanguage, the options, the offsets
//   a load             Load (clears the history)
//
// Each model change becomes a command on the undo stack that swaps the parts it
// touched (layout, entries, items) with the model's: undoing and redoing run the
// same code. After every change the session emits `changed` with an event that
// names what changed (fields, colours, entries and lists, items, view, a load),
// found by comparing the state before and after, so the windows and the preview
// refresh from the event alone, whoever made the change. `historyChanged` tells
// when the steps, their names, the current one or the saved state changed. Each
// step is named by the windows' captions and its values (step_names.h).
//
// View changes (focus, language, options, offsets) are not steps: they change only
// what the preview shows, never what Save writes.
//
// Qt Core only, so that the same session can drive a preview that is never shown.
#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "geometry/preview_state.h"
#include "model/layout_record.h"
#include "model/message_table.h"
#include "model/model.h"
#include "save/model_diff.h"
#include "save/verification.h"
#include "session/change_event.h"
#include "session/merge_key.h"
#include "session/undo_stack.h"

namespace qorvi::session {

// Options of the main window that change what the preview shows or how Save writes.
struct Options {
  bool no_show_unfocused = false;  // "No Show Unforcused Main Icons"
  bool no_show_umd_icon = false;   // "No Show UMD Icon": the category lists leave the UMD items out
  bool compress = true;            // "compress prx files"
};

// Names a step from the layout before and after it; a step that folds later
// changes into itself is named again from its first to its last state.
using LayoutNamer = std::function<std::string(const LayoutRecord& before, const LayoutRecord& after)>;

// One step of a drag on one field: the field changes by `delta`, wrapping as its
// 32-bit value would.
struct FieldNudge {
  const LayoutField* field;
  int32_t delta;
};

using Tag = decltype(ItemRecord::MainImageTag);
using TagMember = Tag ItemRecord::*;
using Entries = std::array<CategoryEntry, kCategoryEntrySlots>;
using Items = std::array<ItemRecord, kItemSlots>;

// The byte of a menu entry a double click cycles.
enum class EntryByte { Category, Region, Show };

// The focused item of a category, kept with a change of the menu entries so that
// undoing the change puts the focus back too.
struct Focus {
  int32_t category = 0;
  int32_t item = 0;
};

// The parts of the model an edit can change at once; what is left empty stays.
struct ModelChange {
  std::optional<LayoutRecord> layout;
  std::optional<Entries> entries;
  std::optional<Items> items;
  std::optional<Focus> focus;  // applied only while that category is focused

  static ModelChange Of(const LayoutRecord& layout) {
    ModelChange c;
    c.layout = layout;
    return c;
  }
  static ModelChange Of(const Entries& entries, std::optional<Focus> focus = std::nullopt) {
    ModelChange c;
    c.entries = entries;
    c.focus = focus;
    return c;
  }
  static ModelChange Of(const Items& items) {
    ModelChange c;
    c.items = items;
    return c;
  }
};

class EditSession : public QObject {
  Q_OBJECT
 public:
  explicit EditSession(Model& model, QObject* parent = nullptr);
  ~EditSession() override;

  // Reading is free; writing the model or the view directly bypasses the history
  // and the events (the preview keeps its own bookkeeping there, MainColumnX).
  Model& model() { return model_; }
  const Model& model() const { return model_; }
  PreviewState& view() { return view_; }
  const PreviewState& view() const { return view_; }
  const Options& options() const { return options_; }

  // --- Layout fields.
  // Stores `text` read by the field's rule; consecutive calls for one field make one step.
  void SetFieldText(const LayoutField& field, std::string_view text);
  // Ends the typing of a field: the next keystroke starts a new step.
  void EndTyping();
  // Copies one field from the last load.
  void RestoreField(const LayoutField& field);
  // Copies every scalar field of a group from the last load; the step is `what`
  // with the number of values it changed.
  void ResetFields(FieldGroup group, std::string what);
  // A drag of `element` ("the clock"): every NudgeFields between BeginDrag and
  // EndDrag is one step, "Drag of the clock (X 203 → 250, Y 123 → 130)".
  void BeginDrag(std::string element);
  void NudgeFields(std::span<const FieldNudge> nudges);
  void EndDrag();
  // The arrow keys on a preview element: the nudges of one burst are one step,
  // "Nudge of the clock (X 203 → 206)". `element` tells the elements apart, `what`
  // names it. A burst ends with a nudge of another element, any other step, an
  // undo or redo, EndNudges, or a rest of kNudgeRest between two nudges. True when
  // this nudge began a new burst.
  bool Nudge(int element, std::string what, std::span<const FieldNudge> nudges);
  void EndNudges() { nudging_ = false; }
  static constexpr std::chrono::milliseconds kNudgeRest{1000};
  // The clock the rest is measured with (a steady clock unless a test sets one).
  using Clock = std::function<std::chrono::milliseconds()>;
  void SetClock(Clock clock) { clock_ = std::move(clock); }

  // --- Colours. `background` picks BGColor, else TextColor.
  void SetTableColor(bool background, int index, RgbF color);
  void RestoreTableColor(bool background, int index);
  void SetIconColor(Rgb8 LayoutRecord::*color, Rgb8 value);
  void RestoreIconColor(Rgb8 LayoutRecord::*color);
  // Every colour (all 30 entries of both tables, whatever the version) from the last load.
  void ResetColors();

  // --- Menu entries (the category lists are rebuilt after each change and the
  // focused item kept inside the focused category).
  void CycleEntry(int entry, EntryByte byte);
  void ExchangeEntries(int a, int b);
  // Every entry from the last load; the focus goes back to the first item.
  void ResetEntries();

  // --- Item records (the Advance window).
  void SetItemFunction(int item, int function);
  void SetItemMedia(int item, uint32_t media);
  void SetItemUmdFlag(int item, uint8_t flag);
  // Copies `tag` as it is, byte for byte.
  void SetItemTag(int item, TagMember which, const Tag& tag);

  // Any change of layout, entries and items as one step named `what` (a preset).
  void Apply(const ModelChange& change, std::string what);

  // Puts the value at `place` (a place DiffFromLoaded names) back as the last load
  // had it, as one step. An item's ExecGroup, ExecFunction and ExecIndex go back
  // together: the three name one execute function.
  void RevertValue(const ValuePlace& place);

  // --- View state (no steps).
  void SetCategory(int category);  // the focus goes to the category's first item
  void SetItem(int item);
  void SetLanguage(int language);
  void SetNoShowUnfocused(bool on);
  void SetNoShowUmdIcon(bool on);
  void SetCompress(bool on);
  void SetRepositionOffset(int index, int value);
  void ResetRepositionOffsets();

  // --- Loading and saving.
  Paths& paths() { return model_.paths; }
  void SetOpeningEnabled(bool on) { model_.OpeningEnabled = on ? 1 : 0; }
  void SetBootSoundEnabled(bool on) { model_.BootSoundEnabled = on ? 1 : 0; }
  // Loads the set the paths name. On success the view starts over (first category,
  // no offsets), the history is cleared and `changed` says `loaded`; a failure
  // changes nothing. `prepare`, when given, changes the loaded model before all
  // that (the category lists are built again after it): `qorvi --render` applies
  // its preset and settings there, so that everything shows them as after a load.
  std::optional<Failure> Load(const std::function<void(Model&)>& prepare = {});
  // Whether a load also writes the icon pictures as bitmap files at the model's
  // icon paths (on by default): the desktop program's preview reads them there,
  // and its main window deletes them at exit. A program that is never shown
  // (qorvi --render) turns it off; its preview draws the pictures from the model.
  void SetWritesIconBitmaps(bool on) { writes_icon_bitmaps_ = on; }
  bool WritesIconBitmaps() const { return writes_icon_bitmaps_; }
  bool IsLoaded() const { return loaded_; }
  // Runs the save sequence; without a failure the state becomes the saved one
  // (`historyChanged` says so once the files are written).
  std::vector<Failure> Save();
  // Loads the files of a save that raised no message back and compares them with
  // the model (save/verification.h). When they differ, what is on disk is not
  // what the model holds: the state is no longer the saved one.
  VerifyResult VerifySaved();
  // True after a load when the model differs from what was loaded or last saved.
  bool HasUnsavedChanges() const { return loaded_ && !history_.IsClean(); }

  // --- History.
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  std::string UndoText() const { return history_.UndoText(); }
  std::string RedoText() const { return history_.RedoText(); }
  void Undo();
  void Redo();
  // Undoes or redoes step after step until `index` steps are applied (the History
  // window's click); `historyChanged` once at the end.
  void GoToStep(std::size_t index);
  // The steps, their names (Text), how many are applied (Index) and the saved state.
  const UndoStack& history() const { return history_; }

 signals:
  void changed(const qorvi::session::ChangeEvent& event);
  void historyChanged();

 private:
  friend class ModelCommand;

  // Pushes one step that turns the model into `target` (the parts it holds),
  // folded into the step before it when that one has the same merge key. Named
  // `what`, or by `namer` when there is one.
  void Push(ModelChange target, std::string what, MergeKey merge, Origin origin, LayoutNamer namer = {});
  // A step of layout fields named by `namer`.
  void PushLayout(const LayoutRecord& next, LayoutNamer namer, MergeKey merge, Origin origin);
  // Whether the version labels the first icon speeds by their keys.
  bool Extended() const { return model_.Profile.HasExtendedFields; }
  // Swaps the parts of `parts` with the model's and emits what changed; `parts`
  // then holds what the model held. Used by the commands both ways.
  void Exchange(ModelChange& parts, Origin origin);
  // True when every part of `parts` equals the model's.
  bool Matches(const ModelChange& parts) const;
  // Keeps CurrentItem inside the focused category's list; true when it moved.
  bool KeepFocusInList();
  // Rebuilds the category lists with the current option; true when they changed.
  bool RebuildLists();
  void Emit(const ChangeEvent& event);

  Model& model_;
  PreviewState view_;
  Options options_;
  bool writes_icon_bitmaps_ = true;
  UndoStack history_;
  bool loaded_ = false;
  int drag_serial_ = 0;  // of the drag or burst of nudges under way (MergeKey::MovesOfDrag)
  std::string drag_what_;
  // The burst of nudges under way: open until another step, its element, its last nudge.
  bool nudging_ = false;
  int nudge_element_ = 0;
  std::chrono::milliseconds last_nudge_{0};
  Clock clock_ = [] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
  };
};

// Field-by-field equality of layout records (no padding compared; floats by
// their bits, so that a NaN equals itself).
bool SameLayout(const LayoutRecord& a, const LayoutRecord& b);
bool SameItem(const ItemRecord& a, const ItemRecord& b);
bool SameEntry(const CategoryEntry& a, const CategoryEntry& b);

}  // namespace qorvi::session
