// SPDX-License-Identifier: GPL-3.0-or-later
// The session's edits of the colours: the two tables and the three icon colours.
#include <string>

#include "session/edit_session.h"
#include "session/step_names.h"

namespace qorvi::session {

void EditSession::SetTableColor(bool background, int index, RgbF color) {
  if (index < 0 || index >= kColorTableEntries) return;
  LayoutRecord next = model_.Layout;
  (background ? next.BGColor : next.TextColor)[static_cast<std::size_t>(index)] = color;
  Push(ModelChange::Of(next), TableColorName(background, index), MergeKey::None(), Origin::Edit);
}

void EditSession::RestoreTableColor(bool background, int index) {
  if (index < 0 || index >= kColorTableEntries) return;
  LayoutRecord next = model_.Layout;
  const auto& loaded = background ? model_.LoadedLayout.BGColor : model_.LoadedLayout.TextColor;
  (background ? next.BGColor : next.TextColor)[static_cast<std::size_t>(index)] =
      loaded[static_cast<std::size_t>(index)];
  Push(ModelChange::Of(next), "Restore of " + TableColorName(background, index), MergeKey::None(), Origin::Restore);
}

void EditSession::SetIconColor(Rgb8 LayoutRecord::*color, Rgb8 value) {
  LayoutRecord next = model_.Layout;
  next.*color = value;
  Push(ModelChange::Of(next), IconColorName(color), MergeKey::None(), Origin::Edit);
}

void EditSession::RestoreIconColor(Rgb8 LayoutRecord::*color) {
  LayoutRecord next = model_.Layout;
  next.*color = model_.LoadedLayout.*color;
  Push(ModelChange::Of(next), "Restore of " + IconColorName(color), MergeKey::None(), Origin::Restore);
}

void EditSession::ResetColors() {
  LayoutRecord next = model_.Layout;
  const LayoutRecord& loaded = model_.LoadedLayout;
  next.TextColor = loaded.TextColor;
  next.BGColor = loaded.BGColor;
  next.BatteryColor = loaded.BatteryColor;
  next.ClockColor = loaded.ClockColor;
  next.BusyColor = loaded.BusyColor;
  Push(ModelChange::Of(next), "Reset All Color", MergeKey::None(), Origin::Edit);
}

}  // namespace qorvi::session
