#include "model/layout_record.h"

#include <array>

namespace qorvi {
namespace {

using R = ParseRule;
using G = FieldGroup;
using L = LayoutRecord;

constexpr std::array<LayoutField, 48> kFields{{
    {"MainIconX", &L::MainIconX, R::Integer, G::IconData},
    {"MainIconY", &L::MainIconY, R::Integer, G::IconData},
    {"MainIconSpace1", &L::MainIconSpace1, R::Integer, G::IconData},
    {"MainIconSpace2", &L::MainIconSpace2, R::Integer, G::IconData},
    {"Bmp01_12size", &L::Bmp01_12size, R::ClampedSize, G::IconData},
    {"UnfIconY", &L::UnfIconY, R::Integer, G::IconData},
    {"UnfIconSize", &L::UnfIconSize, R::Real, G::IconData},
    {"SubIconLowerSpace1", &L::SubIconLowerSpace1, R::RealTruncated, G::IconData},
    {"SubIconUpperSpace1", &L::SubIconUpperSpace1, R::RealTruncated, G::IconData},
    {"SubIconLowerSpace2", &L::SubIconLowerSpace2, R::RealTruncated, G::IconData},
    {"SubIconUpperSpace2", &L::SubIconUpperSpace2, R::RealTruncated, G::IconData},
    {"SubIconSize", &L::SubIconSize, R::Real, G::IconData},
    {"ClockX", &L::ClockX, R::Integer, G::IconData},
    {"ClockY", &L::ClockY, R::Integer, G::IconData},
    {"BatteryX", &L::BatteryX, R::Integer, G::IconData},
    {"BatteryY", &L::BatteryY, R::Integer, G::IconData},
    {"BusyX", &L::BusyX, R::Integer, G::IconData},
    {"BusyY", &L::BusyY, R::Integer, G::IconData},
    {"IconSpeedX1", &L::IconSpeedX1, R::Integer, G::IconData},
    {"IconSpeedX2", &L::IconSpeedX2, R::Integer, G::IconData},
    {"IconSpeedY1", &L::IconSpeedY1, R::Integer, G::IconData},
    {"IconSpeedY2", &L::IconSpeedY2, R::Integer, G::IconData},
    {"BusySpeed", &L::BusySpeed, R::Real, G::IconData},
    {"WaveSpeed", &L::WaveSpeed, R::Real, G::IconData},
    {"MainMenuTextY", &L::MainMenuTextY, R::Integer, G::Text},
    {"MainMenuTextSize", &L::MainMenuTextSize, R::Real, G::Text},
    {"SubMenuTextX", &L::SubMenuTextX, R::Integer, G::Text},
    {"SubMenuTextX2", &L::SubMenuTextX2, R::Integer, G::Text},
    {"SubMenuTextX3", &L::SubMenuTextX3, R::Integer, G::Text},
    {"SubMenuTextX1Seg", &L::SubMenuTextX1Seg, R::Integer, G::Text},
    {"SubMenuTextY", &L::SubMenuTextY, R::Integer, G::Text},
    {"SubMenuMSTextY", &L::SubMenuMSTextY, R::Integer, G::Text},
    {"SubMenuUnderMSTextY", &L::SubMenuUnderMSTextY, R::Integer, G::Text},
    {"SubMenuTextSize", &L::SubMenuTextSize, R::Real, G::Text},
    {"Sub2NetSearchX", &L::Sub2NetSearchX, R::Real, G::Text},
    {"Sub2NetRadioX", &L::Sub2NetRadioX, R::Real, G::Text},
    {"Sub2GameTitleX", &L::Sub2GameTitleX, R::Real, G::Text},
    {"Sub2PhotVideoX", &L::Sub2PhotVideoX, R::Real, G::Text},
    {"Sub2RSSFeedsX", &L::Sub2RSSFeedsX, R::Real, G::Text},
    {"Sub2SettingOptX", &L::Sub2SettingOptX, R::Real, G::Text},
    {"Sub2SettingOptY", &L::Sub2SettingOptY, R::Real, G::Text},
    {"OptSize1", &L::OptSize1, R::Real, G::Text},
    {"OptSize2", &L::OptSize2, R::Real, G::Text},
    {"GameSpace", &L::GameSpace, R::Real, G::Text},
    {"VideoSpace", &L::VideoSpace, R::Real, G::Text},
    {"MusicSpace", &L::MusicSpace, R::Real, G::Text},
    {"PhotoSpace", &L::PhotoSpace, R::Real, G::Text},
    {"OptSpace", &L::OptSpace, R::Real, G::Text},
}};

}  // namespace

std::span<const LayoutField> LayoutFields() { return kFields; }

const LayoutField* FindLayoutField(std::string_view name) {
  for (const LayoutField& f : kFields) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

void CopyLayoutField(LayoutRecord& to, const LayoutRecord& from, const LayoutField& field) {
  std::visit([&](auto member) { to.*member = from.*member; }, field.member);
}

}  // namespace qorvi
