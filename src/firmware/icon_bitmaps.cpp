// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/icon_bitmaps.h"

#include "platform/file_io.h"

namespace qorvi {

std::vector<std::string> WriteIconBitmaps(const IconPictures& pictures, const Paths& paths) {
  std::vector<std::string> unwritten;
  for (int picture = 0; picture < kIconPictures; ++picture) {
    const std::string& path = IconBitmapPath(paths, picture);
    RemoveFileIfPresent(path);
    const std::span<const uint8_t> bmp = pictures.Get(picture);
    if (bmp.empty()) continue;
    if (!WriteFileAtomically(path, {bmp}, /*sync=*/false)) unwritten.push_back(path);
  }
  return unwritten;
}

}  // namespace qorvi
