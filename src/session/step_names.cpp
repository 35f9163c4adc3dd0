// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/step_names.h"

#include <algorithm>
#include <array>

#include "model/value_text.h"

namespace qorvi::session {
namespace {

using L = LayoutRecord;

struct CaptionRow {
  const LayoutField* field;
  FieldCaption caption;
};

// Every scalar field with the captions of the window that edits it. Inside the
// SubIcon group the spacings stand under the headings "AbobeSpace" and
// "LowerSpace"; in the Text data window the option sizes and the option spacing
// under "Size of Option" and "Settings Configurations Options".
constexpr std::array<CaptionRow, 48> kCaptions{{
    {&LayoutFieldOf(&L::MainIconX), {"MainIcon", "X"}},
    {&LayoutFieldOf(&L::MainIconY), {"MainIcon", "Y"}},
    {&LayoutFieldOf(&L::MainIconSpace1), {"Unforcused MainIcon", "Space1"}},
    {&LayoutFieldOf(&L::MainIconSpace2), {"Unforcused MainIcon", "Space2"}},
    {&LayoutFieldOf(&L::Bmp01_12size), {"01-12 bmp file", "Size"}},
    {&LayoutFieldOf(&L::UnfIconY), {"Unforcused MainIcon", "Y"}},
    {&LayoutFieldOf(&L::UnfIconSize), {"Unforcused MainIcon", "Size"}},
    {&LayoutFieldOf(&L::SubIconLowerSpace1), {"SubIcon", "LowerSpace Settings"}},
    {&LayoutFieldOf(&L::SubIconUpperSpace1), {"SubIcon", "AbobeSpace Settings"}},
    {&LayoutFieldOf(&L::SubIconLowerSpace2), {"SubIcon", "LowerSpace other"}},
    {&LayoutFieldOf(&L::SubIconUpperSpace2), {"SubIcon", "AbobeSpace other"}},
    {&LayoutFieldOf(&L::SubIconSize), {"SubIcon", "Size"}},
    {&LayoutFieldOf(&L::ClockX), {"Clock", "X"}},
    {&LayoutFieldOf(&L::ClockY), {"Clock", "Y"}},
    {&LayoutFieldOf(&L::BatteryX), {"Battery", "X"}},
    {&LayoutFieldOf(&L::BatteryY), {"Battery", "Y"}},
    {&LayoutFieldOf(&L::BusyX), {"Busy Icon", "X"}},
    {&LayoutFieldOf(&L::BusyY), {"Busy Icon", "Y"}},
    {&LayoutFieldOf(&L::IconSpeedX1), {"Icon Speed", "X"}},  // "←key" with the extended fields
    {&LayoutFieldOf(&L::IconSpeedX2), {"Icon Speed", "→key"}},
    {&LayoutFieldOf(&L::IconSpeedY1), {"Icon Speed", "Y"}},  // "↑key" with the extended fields
    {&LayoutFieldOf(&L::IconSpeedY2), {"Icon Speed", "↓key"}},
    {&LayoutFieldOf(&L::BusySpeed), {"Busy Icon", "Speed"}},
    {&LayoutFieldOf(&L::WaveSpeed), {"XMB Wave Speed", ""}},
    {&LayoutFieldOf(&L::MainMenuTextY), {"Main Menu Text", "Y"}},
    {&LayoutFieldOf(&L::MainMenuTextSize), {"Main Menu Text", "Size"}},
    {&LayoutFieldOf(&L::SubMenuTextX), {"Sub Menu Text", "X : All"}},
    {&LayoutFieldOf(&L::SubMenuTextX2), {"Sub Menu Text", "X : Settings"}},
    {&LayoutFieldOf(&L::SubMenuTextX3), {"Sub Menu Text", "X : other"}},
    {&LayoutFieldOf(&L::SubMenuTextX1Seg), {"Sub Menu Text", "X : 1Seg"}},
    {&LayoutFieldOf(&L::SubMenuTextY), {"Sub Menu Text", "Y : other"}},
    {&LayoutFieldOf(&L::SubMenuMSTextY), {"Sub Menu Text", "Y : MS"}},
    {&LayoutFieldOf(&L::SubMenuUnderMSTextY), {"Sub Menu Text", "Y : Under Texline"}},
    {&LayoutFieldOf(&L::SubMenuTextSize), {"Sub Menu Text", "Size"}},
    {&LayoutFieldOf(&L::Sub2NetSearchX), {"Sub - Sub Menu Text", "X : Internet Search"}},
    {&LayoutFieldOf(&L::Sub2NetRadioX), {"Sub - Sub Menu Text", "X : Internet Radio"}},
    {&LayoutFieldOf(&L::Sub2GameTitleX), {"Sub - Sub Menu Text", "X : Game Title"}},
    {&LayoutFieldOf(&L::Sub2PhotVideoX), {"Sub - Sub Menu Text", "X : Photo and Video"}},
    {&LayoutFieldOf(&L::Sub2RSSFeedsX), {"Sub - Sub Menu Text", "X : RSS Feeds"}},
    {&LayoutFieldOf(&L::Sub2SettingOptX), {"Sub - Sub Menu Text", "X : Settings Option"}},
    {&LayoutFieldOf(&L::Sub2SettingOptY), {"Sub - Sub Menu Text", "Y : Settings Option"}},
    {&LayoutFieldOf(&L::OptSize1), {"Size of Option", "First Line"}},
    {&LayoutFieldOf(&L::OptSize2), {"Size of Option", "Second Line"}},
    {&LayoutFieldOf(&L::GameSpace), {"Sub - Sub Menu Space Between", "Game Icon unfocus"}},
    {&LayoutFieldOf(&L::VideoSpace), {"Sub - Sub Menu Space Between", "Video folders"}},
    {&LayoutFieldOf(&L::MusicSpace), {"Sub - Sub Menu Space Between", "Music folders"}},
    {&LayoutFieldOf(&L::PhotoSpace), {"Sub - Sub Menu Space Between", "Photo Icons"}},
    {&LayoutFieldOf(&L::OptSpace), {"Settings Configurations Options", "above selected"}},
}};

bool SameValue(const LayoutField& field, const LayoutRecord& a, const LayoutRecord& b) {
  return FieldText(a, field) == FieldText(b, field);
}

std::string Joined(std::string_view a, std::string_view b) {
  if (a.empty()) return std::string(b);
  if (b.empty()) return std::string(a);
  return std::string(a) + " " + std::string(b);
}

std::string Arrow(std::string_view from, std::string_view to) { return std::string(from) + " → " + std::string(to); }

}  // namespace

FieldCaption CaptionOf(const LayoutField& field, bool extended) {
  if (extended && field.name == "IconSpeedX1") return {"Icon Speed", "←key"};
  if (extended && field.name == "IconSpeedY1") return {"Icon Speed", "↑key"};
  for (const CaptionRow& row : kCaptions) {
    if (row.field->name == field.name) return row.caption;
  }
  return {"", field.name};
}

std::string FieldTitle(const LayoutField& field, bool extended) {
  const FieldCaption c = CaptionOf(field, extended);
  return Joined(c.group, c.label);
}

std::string ValueChange(const LayoutField& field, const LayoutRecord& before, const LayoutRecord& after) {
  return Arrow(FieldText(before, field), FieldText(after, field));
}

std::string TypingStepName(const LayoutField& field, const LayoutRecord& before, const LayoutRecord& after,
                           bool extended) {
  return FieldTitle(field, extended) + " " + ValueChange(field, before, after);
}

std::string RestoreStepName(const LayoutField& field, const LayoutRecord& before, const LayoutRecord& after,
                            bool extended) {
  return "Restore of " + TypingStepName(field, before, after, extended);
}

std::string MoveStepName(std::string_view how, std::string_view element, const LayoutRecord& before,
                         const LayoutRecord& after, bool extended) {
  std::string values;
  for (const LayoutField& field : LayoutFields()) {
    if (SameValue(field, before, after)) continue;
    if (!values.empty()) values += ", ";
    values += Joined(CaptionOf(field, extended).label, ValueChange(field, before, after));
  }
  std::string name = std::string(how) + " of " + std::string(element);
  if (!values.empty()) name += " (" + values + ")";
  return name;
}

std::string ResetStepName(std::string_view what, const LayoutRecord& before, const LayoutRecord& after) {
  int changed = 0;
  for (const LayoutField& field : LayoutFields()) changed += SameValue(field, before, after) ? 0 : 1;
  return std::string(what) + " (" + std::to_string(changed) + (changed == 1 ? " value)" : " values)");
}

std::string TableColorName(bool background, int index) {
  return (background ? "BG colour " : "Text colour ") + std::to_string(index + 1);
}

std::string IconColorName(Rgb8 LayoutRecord::*color) {
  if (color == &LayoutRecord::BatteryColor) return "Battery colour";
  if (color == &LayoutRecord::ClockColor) return "Clock colour";
  return "Busy colour";
}

std::string ExchangeStepName(int a, int b) {
  return "Menu entries: exchange " + std::to_string(std::min(a, b) + 1) + " and " + std::to_string(std::max(a, b) + 1);
}

std::string EntryStepName(std::string_view column, int entry, std::string_view from, std::string_view to) {
  return "Menu entries: " + std::string(column) + " of " + std::to_string(entry + 1) + ", " + Arrow(from, to);
}

std::string ItemStepName(int item, std::string_view what, std::string_view from, std::string_view to) {
  return "Item " + std::to_string(item) + ": " + std::string(what) + ", " + Arrow(from, to);
}

}  // namespace qorvi::session
