// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/icon_pictures.h"

namespace qorvi {

void IconPictures::Clear() {
  bytes_.clear();
  places_.fill({});
}

void IconPictures::Set(int number, std::span<const uint8_t> bmp) {
  if (number < 0 || number >= kIconPictures) return;
  places_[static_cast<std::size_t>(number)] = {bytes_.size(), bmp.size()};
  bytes_.insert(bytes_.end(), bmp.begin(), bmp.end());
}

std::span<const uint8_t> IconPictures::Get(int number) const {
  if (number < 0 || number >= kIconPictures) return {};
  const Place& p = places_[static_cast<std::size_t>(number)];
  return std::span<const uint8_t>(bytes_).subspan(p.offset, p.size);
}

const std::string& IconBitmapPath(const Paths& paths, int number) {
  static const std::string kNone;
  if (number >= MainIconPicture(0) && number < SubIconPicture(0)) return paths.MainIconPath[number];
  if (number >= SubIconPicture(0) && number < kBatteryPicture) return paths.SubIconPath[number - SubIconPicture(0)];
  if (number == kBatteryPicture) return paths.BatteryIconPath;
  if (number == kBusyPicture) return paths.BusyIconPath;
  return kNone;
}

}  // namespace qorvi
