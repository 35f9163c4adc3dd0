// SPDX-License-Identifier: GPL-3.0-or-later
// The layout values of the system menu: one record, kept twice by the model
// (current values and the values of the last successful load).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

namespace qorvi {

// A table colour: three IEEE singles in 0.0 .. 1.0, red, green, blue.
struct RgbF {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
};

// A colour of the battery, clock or busy icon: three bytes.
struct Rgb8 {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
};

inline constexpr int kColorTableEntries = 30;

// Field order matters: it is the order of the editors' groups (1-24 icon data,
// 25-48 texts, 49-53 colours) and the order `info` prints.
struct LayoutRecord {
  // Icon data group.
  int32_t MainIconX = 0;
  int32_t MainIconY = 0;
  int32_t MainIconSpace1 = 0;
  int32_t MainIconSpace2 = 0;
  int32_t Bmp01_12size = 0;  // a 16-bit field in the firmware
  int32_t UnfIconY = 0;
  float UnfIconSize = 0.0f;
  int32_t SubIconLowerSpace1 = 0;
  int32_t SubIconUpperSpace1 = 0;
  int32_t SubIconLowerSpace2 = 0;
  int32_t SubIconUpperSpace2 = 0;
  float SubIconSize = 0.0f;
  int32_t ClockX = 0;
  int32_t ClockY = 0;
  int32_t BatteryX = 0;
  int32_t BatteryY = 0;
  int32_t BusyX = 0;
  int32_t BusyY = 0;
  int32_t IconSpeedX1 = 0;
  int32_t IconSpeedX2 = 0;
  int32_t IconSpeedY1 = 0;
  int32_t IconSpeedY2 = 0;
  float BusySpeed = 0.0f;
  float WaveSpeed = 0.0f;
  // Text group.
  int32_t MainMenuTextY = 0;
  float MainMenuTextSize = 0.0f;
  int32_t SubMenuTextX = 0;
  int32_t SubMenuTextX2 = 0;
  int32_t SubMenuTextX3 = 0;
  int32_t SubMenuTextX1Seg = 0;
  int32_t SubMenuTextY = 0;
  int32_t SubMenuMSTextY = 0;
  int32_t SubMenuUnderMSTextY = 0;
  float SubMenuTextSize = 0.0f;
  float Sub2NetSearchX = 0.0f;
  float Sub2NetRadioX = 0.0f;
  float Sub2GameTitleX = 0.0f;
  float Sub2PhotVideoX = 0.0f;
  float Sub2RSSFeedsX = 0.0f;
  float Sub2SettingOptX = 0.0f;
  float Sub2SettingOptY = 0.0f;
  float OptSize1 = 0.0f;
  float OptSize2 = 0.0f;
  float GameSpace = 0.0f;
  float VideoSpace = 0.0f;
  float MusicSpace = 0.0f;
  float PhotoSpace = 0.0f;
  float OptSpace = 0.0f;
  // Colour group.
  std::array<RgbF, kColorTableEntries> TextColor{};
  std::array<RgbF, kColorTableEntries> BGColor{};
  Rgb8 BatteryColor{};
  Rgb8 ClockColor{};
  Rgb8 BusyColor{};
};

// How an editor (and `qorvi-cli save --set`) reads the text typed for a field.
enum class ParseRule {
  Integer,        // leading decimal integer, else 0
  Real,           // leading decimal floating-point number, else 0.0, stored as a single
  RealTruncated,  // read as Real, truncated toward zero
  ClampedSize,    // Integer; as unsigned 32-bit, 32768 or more stores 32767
};

// Which editor group a scalar field belongs to; Reset and the loaded copy work per group.
enum class FieldGroup { IconData, Text };

// One scalar field of LayoutRecord, for code that works on fields by name.
struct LayoutField {
  std::string_view name;
  std::variant<int32_t LayoutRecord::*, float LayoutRecord::*> member;
  ParseRule rule;
  FieldGroup group;
};

// The 48 scalar fields in record order. Code names a field by its descriptor in
// this table (LayoutFieldOf); events and editors compare descriptors by address.
inline constexpr std::array<LayoutField, 48> kLayoutFieldTable{{
    {"MainIconX", &LayoutRecord::MainIconX, ParseRule::Integer, FieldGroup::IconData},
    {"MainIconY", &LayoutRecord::MainIconY, ParseRule::Integer, FieldGroup::IconData},
    {"MainIconSpace1", &LayoutRecord::MainIconSpace1, ParseRule::Integer, FieldGroup::IconData},
    {"MainIconSpace2", &LayoutRecord::MainIconSpace2, ParseRule::Integer, FieldGroup::IconData},
    {"Bmp01_12size", &LayoutRecord::Bmp01_12size, ParseRule::ClampedSize, FieldGroup::IconData},
    {"UnfIconY", &LayoutRecord::UnfIconY, ParseRule::Integer, FieldGroup::IconData},
    {"UnfIconSize", &LayoutRecord::UnfIconSize, ParseRule::Real, FieldGroup::IconData},
    {"SubIconLowerSpace1", &LayoutRecord::SubIconLowerSpace1, ParseRule::RealTruncated, FieldGroup::IconData},
    {"SubIconUpperSpace1", &LayoutRecord::SubIconUpperSpace1, ParseRule::RealTruncated, FieldGroup::IconData},
    {"SubIconLowerSpace2", &LayoutRecord::SubIconLowerSpace2, ParseRule::RealTruncated, FieldGroup::IconData},
    {"SubIconUpperSpace2", &LayoutRecord::SubIconUpperSpace2, ParseRule::RealTruncated, FieldGroup::IconData},
    {"SubIconSize", &LayoutRecord::SubIconSize, ParseRule::Real, FieldGroup::IconData},
    {"ClockX", &LayoutRecord::ClockX, ParseRule::Integer, FieldGroup::IconData},
    {"ClockY", &LayoutRecord::ClockY, ParseRule::Integer, FieldGroup::IconData},
    {"BatteryX", &LayoutRecord::BatteryX, ParseRule::Integer, FieldGroup::IconData},
    {"BatteryY", &LayoutRecord::BatteryY, ParseRule::Integer, FieldGroup::IconData},
    {"BusyX", &LayoutRecord::BusyX, ParseRule::Integer, FieldGroup::IconData},
    {"BusyY", &LayoutRecord::BusyY, ParseRule::Integer, FieldGroup::IconData},
    {"IconSpeedX1", &LayoutRecord::IconSpeedX1, ParseRule::Integer, FieldGroup::IconData},
    {"IconSpeedX2", &LayoutRecord::IconSpeedX2, ParseRule::Integer, FieldGroup::IconData},
    {"IconSpeedY1", &LayoutRecord::IconSpeedY1, ParseRule::Integer, FieldGroup::IconData},
    {"IconSpeedY2", &LayoutRecord::IconSpeedY2, ParseRule::Integer, FieldGroup::IconData},
    {"BusySpeed", &LayoutRecord::BusySpeed, ParseRule::Real, FieldGroup::IconData},
    {"WaveSpeed", &LayoutRecord::WaveSpeed, ParseRule::Real, FieldGroup::IconData},
    {"MainMenuTextY", &LayoutRecord::MainMenuTextY, ParseRule::Integer, FieldGroup::Text},
    {"MainMenuTextSize", &LayoutRecord::MainMenuTextSize, ParseRule::Real, FieldGroup::Text},
    {"SubMenuTextX", &LayoutRecord::SubMenuTextX, ParseRule::Integer, FieldGroup::Text},
    {"SubMenuTextX2", &LayoutRecord::SubMenuTextX2, ParseRule::Integer, FieldGroup::Text},
    {"SubMenuTextX3", &LayoutRecord::SubMenuTextX3, ParseRule::Integer, FieldGroup::Text},
    {"SubMenuTextX1Seg", &LayoutRecord::SubMenuTextX1Seg, ParseRule::Integer, FieldGroup::Text},
    {"SubMenuTextY", &LayoutRecord::SubMenuTextY, ParseRule::Integer, FieldGroup::Text},
    {"SubMenuMSTextY", &LayoutRecord::SubMenuMSTextY, ParseRule::Integer, FieldGroup::Text},
    {"SubMenuUnderMSTextY", &LayoutRecord::SubMenuUnderMSTextY, ParseRule::Integer, FieldGroup::Text},
    {"SubMenuTextSize", &LayoutRecord::SubMenuTextSize, ParseRule::Real, FieldGroup::Text},
    {"Sub2NetSearchX", &LayoutRecord::Sub2NetSearchX, ParseRule::Real, FieldGroup::Text},
    {"Sub2NetRadioX", &LayoutRecord::Sub2NetRadioX, ParseRule::Real, FieldGroup::Text},
    {"Sub2GameTitleX", &LayoutRecord::Sub2GameTitleX, ParseRule::Real, FieldGroup::Text},
    {"Sub2PhotVideoX", &LayoutRecord::Sub2PhotVideoX, ParseRule::Real, FieldGroup::Text},
    {"Sub2RSSFeedsX", &LayoutRecord::Sub2RSSFeedsX, ParseRule::Real, FieldGroup::Text},
    {"Sub2SettingOptX", &LayoutRecord::Sub2SettingOptX, ParseRule::Real, FieldGroup::Text},
    {"Sub2SettingOptY", &LayoutRecord::Sub2SettingOptY, ParseRule::Real, FieldGroup::Text},
    {"OptSize1", &LayoutRecord::OptSize1, ParseRule::Real, FieldGroup::Text},
    {"OptSize2", &LayoutRecord::OptSize2, ParseRule::Real, FieldGroup::Text},
    {"GameSpace", &LayoutRecord::GameSpace, ParseRule::Real, FieldGroup::Text},
    {"VideoSpace", &LayoutRecord::VideoSpace, ParseRule::Real, FieldGroup::Text},
    {"MusicSpace", &LayoutRecord::MusicSpace, ParseRule::Real, FieldGroup::Text},
    {"PhotoSpace", &LayoutRecord::PhotoSpace, ParseRule::Real, FieldGroup::Text},
    {"OptSpace", &LayoutRecord::OptSpace, ParseRule::Real, FieldGroup::Text},
}};

// The 48 scalar fields in record order (kLayoutFieldTable).
std::span<const LayoutField> LayoutFields();
// The field of that name, or nullptr: for names that come in at run time (--set,
// the keys of a layout document).
const LayoutField* FindLayoutField(std::string_view name);

namespace layout_field_detail {
template <typename T>
consteval const LayoutField& Lookup(T LayoutRecord::*member) {
  for (const LayoutField& f : kLayoutFieldTable) {
    // holds_alternative and get, not get_if: GCC's undefined-behaviour sanitizer
    // makes the address test inside get_if no constant expression.
    if (std::holds_alternative<T LayoutRecord::*>(f.member) && std::get<T LayoutRecord::*>(f.member) == member) {
      return f;
    }
  }
  // Reached only for a member the table lacks: no constant expression, no build.
  throw "not a scalar field of kLayoutFieldTable";
}
}  // namespace layout_field_detail

// The descriptor of a field named in code, looked up while compiling:
// LayoutFieldOf(&LayoutRecord::ClockX). A member that is not in the table fails the
// build, as a misspelt one does.
consteval const LayoutField& LayoutFieldOf(int32_t LayoutRecord::*member) {
  return layout_field_detail::Lookup(member);
}
consteval const LayoutField& LayoutFieldOf(float LayoutRecord::*member) { return layout_field_detail::Lookup(member); }

// Copies one scalar field from `from` to `to` (a restore from the loaded values).
void CopyLayoutField(LayoutRecord& to, const LayoutRecord& from, const LayoutField& field);
// Whether `a` and `b` hold the same value in one scalar field (floats by their bits,
// so that a NaN equals itself).
bool SameFieldValue(const LayoutRecord& a, const LayoutRecord& b, const LayoutField& field);

}  // namespace qorvi
