// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/layout_check_input.h"

#include <algorithm>
#include <cstdlib>

#include "firmware/byte_reader.h"
#include "firmware/category_lists.h"
#include "firmware/exec_functions.h"

namespace qorvi {
namespace {

// Width and height from the info header of a bitmap file (a negative height marks
// rows stored top-down); nothing for a file too short to hold one.
std::optional<Extent> BitmapSize(std::span<const uint8_t> bmp) {
  ByteReader r(bmp);
  const auto width = static_cast<int32_t>(r.u32(18));
  const auto height = static_cast<int32_t>(r.u32(22));
  if (!r.ok() || width <= 0 || height == 0 || height == INT32_MIN) return std::nullopt;
  return Extent{std::min(width, kCoordinateLimit), std::min(std::abs(height), kCoordinateLimit)};
}

}  // namespace

LayoutCheckInput GatherLayoutCheckInput(Model& model) {
  LayoutCheckInput in;
  in.layout = model.Layout;
  in.profile = model.Profile;
  for (int option = 0; option < 2; ++option) {
    FirmwareState copy = model;
    RebuildCategoryLists(copy, option == 1);
    in.categoryLists[option] = copy.CategoryTable;
  }
  const int records = std::clamp(model.ItemCount, 0, std::min(kItemSlots, kItemNumbers));
  for (int m = 0; m < records; ++m) {
    const ItemRecord& item = model.ItemTable[m];
    if (!FindExecIndex(item.ExecGroup, item.ExecFunction, model.ItemCount)) {
      in.unknownExecFunction[m] = std::make_pair(item.ExecGroup, item.ExecFunction);
    }
  }
  in.names = {model.LabelTextsJapanese, model.LabelTextsEnglish};

  // The pictures the load decoded.
  const IconPictures& pictures = model.pictures;
  in.batteryIcon = BitmapSize(pictures.Get(kBatteryPicture));
  in.busyIcon = BitmapSize(pictures.Get(kBusyPicture));
  for (int i = 0; i < kCategories; ++i) in.mainIcons[i] = BitmapSize(pictures.Get(MainIconPicture(i)));
  for (int m = 0; m < kItemNumbers; ++m) in.subIcons[m] = BitmapSize(pictures.Get(SubIconPicture(m)));
  return in;
}

}  // namespace qorvi
