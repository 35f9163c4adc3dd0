// SPDX-License-Identifier: GPL-3.0-or-later
// The session's machinery (the one command, the exchange of model parts and the
// events), loading, saving and the history. The edits live by what they change:
// edit_session_fields.cpp (layout fields: typing, Ctrl+click, Reset, drags),
// edit_session_colors.cpp, edit_session_entries.cpp (menu entries and item
// records) and edit_session_view.cpp (the view state, which makes no steps).
#include "session/edit_session.h"

#include <bit>
#include <cstring>
#include <utility>

#include "firmware/category_lists.h"
#include "firmware/icon_bitmaps.h"
#include "firmware/load_sequence.h"
#include "save/save_sequence.h"

namespace qorvi::session {
namespace {

bool SameBits(float a, float b) { return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b); }
bool SameColor(const RgbF& a, const RgbF& b) { return SameBits(a.r, b.r) && SameBits(a.g, b.g) && SameBits(a.b, b.b); }
bool SameColor(const Rgb8& a, const Rgb8& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

bool SameField(const LayoutRecord& a, const LayoutRecord& b, const LayoutField& field) {
  return std::visit(
      [&](auto member) {
        if constexpr (std::is_same_v<decltype(member), float LayoutRecord::*>) {
          return SameBits(a.*member, b.*member);
        } else {
          return a.*member == b.*member;
        }
      },
      field.member);
}

void DiffLayout(const LayoutRecord& before, const LayoutRecord& after, ChangeEvent& event) {
  for (const LayoutField& field : LayoutFields()) {
    if (!SameField(before, after, field)) event.fields.push_back(&field);
  }
  for (int i = 0; i < kColorTableEntries; ++i) {
    event.colors.text[static_cast<std::size_t>(i)] = !SameColor(before.TextColor[i], after.TextColor[i]);
    event.colors.background[static_cast<std::size_t>(i)] = !SameColor(before.BGColor[i], after.BGColor[i]);
  }
  event.colors.battery = !SameColor(before.BatteryColor, after.BatteryColor);
  event.colors.clock = !SameColor(before.ClockColor, after.ClockColor);
  event.colors.busy = !SameColor(before.BusyColor, after.BusyColor);
}

bool SameEntries(const Entries& a, const Entries& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!SameEntry(a[i], b[i])) return false;
  }
  return true;
}

bool SameLists(const std::array<CategoryList, kCategories>& a, const std::array<CategoryList, kCategories>& b) {
  for (std::size_t c = 0; c < a.size(); ++c) {
    if (a[c].Count != b[c].Count || a[c].Items != b[c].Items) return false;
  }
  return true;
}

}  // namespace

bool SameLayout(const LayoutRecord& a, const LayoutRecord& b) {
  for (const LayoutField& field : LayoutFields()) {
    if (!SameField(a, b, field)) return false;
  }
  for (int i = 0; i < kColorTableEntries; ++i) {
    if (!SameColor(a.TextColor[i], b.TextColor[i]) || !SameColor(a.BGColor[i], b.BGColor[i])) return false;
  }
  return SameColor(a.BatteryColor, b.BatteryColor) && SameColor(a.ClockColor, b.ClockColor) &&
         SameColor(a.BusyColor, b.BusyColor);
}

bool SameItem(const ItemRecord& a, const ItemRecord& b) {
  return a.MainImageTag == b.MainImageTag && a.ShadowImageTag == b.ShadowImageTag && a.ConfImageTag == b.ConfImageTag &&
         a.NameTag == b.NameTag && a.Word0 == b.Word0 && a.Media == b.Media && a.ExecGroup == b.ExecGroup &&
         a.ExecFunction == b.ExecFunction && a.Word4 == b.Word4 && a.Word5 == b.Word5 && a.Word6 == b.Word6 &&
         a.UmdFlag == b.UmdFlag && a.ExecIndex == b.ExecIndex;
}

bool SameEntry(const CategoryEntry& a, const CategoryEntry& b) {
  return a.Category == b.Category && a.Item == b.Item && a.Show == b.Show && a.Region == b.Region;
}

// The one command: it holds the parts of the model it changes and swaps them with
// the model's, so that after Redo it holds the state before and after Undo the
// state after.
class ModelCommand : public UndoCommand {
 public:
  ModelCommand(EditSession& session, ModelChange target, std::string text, MergeKey merge, Origin origin,
               LayoutNamer namer)
      : UndoCommand(std::move(text)),
        session_(session),
        parts_(std::move(target)),
        merge_(merge),
        origin_(origin),
        namer_(std::move(namer)) {}

  void Redo() override {
    session_.Exchange(parts_, first_ ? origin_ : Origin::Redo);
    if (first_) Rename();
    first_ = false;
  }
  void Undo() override { session_.Exchange(parts_, Origin::Undo); }
  int Id() const override { return merge_.Id(); }

  bool MergeWith(const UndoCommand& next) override {
    // Every command with a merge id is a ModelCommand.
    const auto& later = static_cast<const ModelCommand&>(next);
    // The parts this step already holds keep their older state; parts only the later
    // change touched come with the state before it.
    if (!parts_.layout && later.parts_.layout) parts_.layout = later.parts_.layout;
    if (!parts_.entries && later.parts_.entries) parts_.entries = later.parts_.entries;
    if (!parts_.items && later.parts_.items) parts_.items = later.parts_.items;
    if (!parts_.focus && later.parts_.focus) parts_.focus = later.parts_.focus;
    Rename();
    return true;
  }

  bool IsObsolete() const override { return session_.Matches(parts_); }

 private:
  // While the step is applied, its parts hold the state before it and the model
  // the state after: the name tells the values from the first to the last change
  // it holds.
  void Rename() {
    if (namer_ && parts_.layout) SetText(namer_(*parts_.layout, session_.model().Layout));
  }

  EditSession& session_;
  ModelChange parts_;
  MergeKey merge_;
  Origin origin_;
  LayoutNamer namer_;
  bool first_ = true;
};

EditSession::EditSession(Model& model, QObject* parent) : QObject(parent), model_(model) {}

EditSession::~EditSession() = default;

void EditSession::Emit(const ChangeEvent& event) { emit changed(event); }

void EditSession::Push(ModelChange target, std::string what, MergeKey merge, Origin origin, LayoutNamer namer) {
  // Any step but a nudge ends a burst of nudges.
  nudging_ = false;
  history_.Push(
      std::make_unique<ModelCommand>(*this, std::move(target), std::move(what), merge, origin, std::move(namer)));
  emit historyChanged();
}

bool EditSession::Matches(const ModelChange& parts) const {
  if (parts.layout && !SameLayout(*parts.layout, model_.Layout)) return false;
  if (parts.entries && !SameEntries(*parts.entries, model_.CategoryEntries)) return false;
  if (parts.items) {
    for (std::size_t i = 0; i < parts.items->size(); ++i) {
      if (!SameItem((*parts.items)[i], model_.ItemTable[i])) return false;
    }
  }
  return true;
}

bool EditSession::RebuildLists() {
  const auto before = model_.CategoryTable;
  RebuildCategoryLists(model_, options_.no_show_umd_icon);
  return !SameLists(before, model_.CategoryTable);
}

bool EditSession::KeepFocusInList() {
  if (view_.CurrentCategory < 0 || view_.CurrentCategory >= kCategories) return false;
  const int32_t n = model_.CategoryTable[static_cast<std::size_t>(view_.CurrentCategory)].Count;
  if (view_.CurrentItem < n || view_.CurrentItem == 0) return false;
  view_.CurrentItem = n > 0 ? n - 1 : 0;
  return true;
}

void EditSession::Exchange(ModelChange& parts, Origin origin) {
  ChangeEvent event;
  event.origin = origin;
  if (parts.layout) {
    const LayoutRecord before = model_.Layout;
    std::swap(model_.Layout, *parts.layout);
    DiffLayout(before, model_.Layout, event);
  }
  if (parts.entries) {
    event.entries = !SameEntries(model_.CategoryEntries, *parts.entries);
    std::swap(model_.CategoryEntries, *parts.entries);
  }
  if (parts.items) {
    for (std::size_t i = 0; i < parts.items->size(); ++i) {
      event.items[i] = !SameItem(model_.ItemTable[i], (*parts.items)[i]);
    }
    std::swap(model_.ItemTable, *parts.items);
  }
  if (event.entries) event.lists = RebuildLists();
  if (parts.focus && parts.focus->category == view_.CurrentCategory) {
    event.view.item = view_.CurrentItem != parts.focus->item;
    std::swap(view_.CurrentItem, parts.focus->item);
  }
  if (event.lists && KeepFocusInList()) event.view.item = true;
  if (!event.fields.empty() || event.colors.Any() || event.entries || event.items.any() || event.view.Any()) {
    Emit(event);
  }
}

void EditSession::Apply(const ModelChange& change, std::string what) {
  Push(change, std::move(what), MergeKey::None(), Origin::Edit);
}

// --- Loading, saving, history.

std::optional<Failure> EditSession::Load(const std::function<void(Model&)>& prepare) {
  if (std::optional<Failure> failure = LoadAll(model_)) return failure;
  // A bitmap that cannot be written is a picture the preview goes without.
  if (writes_icon_bitmaps_) WriteIconBitmaps(model_.pictures, model_.paths);
  FinishLoad(model_, options_.no_show_umd_icon);
  if (prepare) {
    prepare(model_);
    RebuildCategoryLists(model_, options_.no_show_umd_icon);
  }
  // A fresh view: first category, first item, no preview offsets.
  view_.PreviewReady = 1;
  view_.RepositionOffset.fill(0);
  view_.CurrentCategory = 0;
  view_.CurrentItem = 0;
  history_.Clear();
  nudging_ = false;
  loaded_ = true;
  ChangeEvent event;
  event.origin = Origin::Load;
  event.loaded = true;
  Emit(event);
  emit historyChanged();
  return std::nullopt;
}

std::vector<Failure> EditSession::Save() {
  std::vector<Failure> failures = SaveAll(model_, options_.compress);
  if (failures.empty()) {
    history_.SetClean();
    emit historyChanged();
  }
  return failures;
}

VerifyResult EditSession::VerifySaved() {
  VerifyResult result = VerifySave(model_);
  if (!result.Passed()) {
    history_.ForgetClean();
    emit historyChanged();
  }
  return result;
}

void EditSession::Undo() {
  nudging_ = false;
  history_.Undo();
  emit historyChanged();
}

void EditSession::Redo() {
  nudging_ = false;
  history_.Redo();
  emit historyChanged();
}

void EditSession::GoToStep(std::size_t index) {
  nudging_ = false;
  history_.SetIndex(index);
  emit historyChanged();
}

}  // namespace qorvi::session
