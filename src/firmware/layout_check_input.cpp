#include "firmware/layout_check_input.h"

#include <algorithm>
#include <cstdlib>

#include "firmware/byte_reader.h"
#include "firmware/category_lists.h"
#include "firmware/exec_functions.h"
#include "firmware/rco_container.h"

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

  if (!model.work.Allocated()) return in;
  const Paths& paths = model.paths;
  const BitmapSink measure = [&](const std::string& path, std::span<const uint8_t> bmp) {
    const std::optional<Extent> size = BitmapSize(bmp);
    if (path == paths.BatteryIconPath) in.batteryIcon = size;
    if (path == paths.BusyIconPath) in.busyIcon = size;
    for (int i = 0; i < kCategories; ++i) {
      if (path == paths.MainIconPath[i]) in.mainIcons[i] = size;
    }
    for (int m = 0; m < kItemNumbers; ++m) {
      if (path == paths.SubIconPath[m]) in.subIcons[m] = size;
    }
  };
  auto image = [&](FileArea area, int32_t size) {
    std::span<const uint8_t> bytes = model.work.Area(area);
    return bytes.first(std::min(bytes.size(), static_cast<std::size_t>(std::max(size, 0))));
  };
  std::span<uint8_t> scratch = model.work.Scratch();
  DecodeSystemPluginIcons(image(FileArea::SystemPluginFg, model.SystemPluginFgLoadedSize), paths, scratch, measure);
  DecodeIcons(image(FileArea::TopmenuIcon, model.TopmenuIconLoadedSize), model, paths, scratch, measure);
  return in;
}

}  // namespace qorvi
