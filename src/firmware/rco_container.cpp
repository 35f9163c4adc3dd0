#include "firmware/rco_container.h"

#include <zlib.h>

#include <array>
#include <climits>

#include "firmware/byte_reader.h"
#include "firmware/file_io.h"
#include "firmware/gim_picture.h"
#include "model/colors.h"
#include "model/value_text.h"

namespace qorvi {
namespace {

// Offsets within an entry.
constexpr uint64_t kNextSibling = 0x14;
constexpr uint64_t kTopmenuPluginLink = 0x18;  // the word that leads to the MainIconX float
// Within the battery and busy objects of system_plugin_fg.rco.
constexpr uint64_t kObjectX = 0xE8;
constexpr uint64_t kObjectY = 0xEC;
constexpr uint64_t kObjectColor = 0xF4;
constexpr uint64_t kClockColor = 0x168;  // battery object only
// The last byte Save writes into an object is at +0x173.
constexpr uint64_t kObjectExtent = 0x174;

// The image table of topmenu_icon.rco: 56-byte entries, the k-th entry's data
// offset (within the image data area) at 0x124 + 56 k and its byte count after it.
constexpr uint64_t kImageTable = 0x124;
constexpr uint64_t kImageEntrySize = 56;
// system_plugin_fg.rco: the battery icon's byte count, the busy icon's data offset and count.
constexpr uint64_t kBatteryIconCount = 0x120;
constexpr uint64_t kBusyIconOffset = 0x2AC;
constexpr uint64_t kBusyIconCount = 0x2B0;

constexpr std::size_t kPictureLimit = 2 * MiB;  // a picture inflates into this much
constexpr std::size_t kDecodeScratch = 4 * MiB;

// The item slots that have an icon, in the order they are written (16, 17, 21 and
// 40..47 have none); 5.00 adds 36..39.
constexpr std::array<int, 33> kItemIconSlots{0,  1,  2,  3,  4,  5,  6,  7,  9,  10, 12, 11, 8,  13, 15, 18, 22,
                                             14, 19, 20, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35};
constexpr std::array<int, 4> kItemIconSlots500{36, 37, 38, 39};

// The entry `entry`'s next sibling (entry + its word at +0x14), or nothing when the
// word lies outside the image.
std::optional<uint64_t> NextSibling(ByteReader& r, uint64_t entry) {
  uint32_t step = r.u32(entry + kNextSibling);
  if (!r.ok()) return std::nullopt;
  return entry + step;
}

// The data of one compressed stream: `count` bytes at `offset` in the image data area.
std::optional<std::span<const uint8_t>> StreamAt(ByteReader& r, uint64_t offset, uint32_t count) {
  uint64_t data_area = r.u32(kRcoImageData);
  std::span<const uint8_t> data = r.bytes(data_area + offset, count);
  if (!r.ok()) return std::nullopt;
  return data;
}

void DecodeTo(const std::optional<std::span<const uint8_t>>& stream, const std::string& path,
              std::span<uint8_t> scratch, const BitmapSink& sink) {
  if (!stream) return;
  std::span<const uint8_t> bmp = DecodeImage(*stream, scratch);
  if (!bmp.empty()) sink(path, bmp);
}

// Writes each bitmap and keeps the paths of those that could not be written.
BitmapSink WriteBitmaps(std::vector<std::string>& unwritten) {
  return [&unwritten](const std::string& path, std::span<const uint8_t> bmp) {
    // The bitmaps are rewritten at every load and deleted at exit: no need to sync.
    if (!WriteFileAtomically(path, {bmp}, /*sync=*/false)) unwritten.push_back(path);
  };
}

}  // namespace

bool HasRcoSignature(std::span<const uint8_t> image) {
  ByteReader r(image);
  bool signature = r.u8(0) == 0x00 && r.u8(1) == 'P' && r.u8(2) == 'R' && r.u8(3) == 'F' && r.u8(4) == 0x71;
  return r.ok() && signature;
}

std::optional<SystemPluginObjects> LocateSystemPluginObjects(std::span<const uint8_t> image) {
  ByteReader r(image);
  uint64_t first = uint64_t{r.u32(kRcoObjectTable)} + kRcoEntryHeaderSize;
  if (!r.ok()) return std::nullopt;
  std::optional<uint64_t> battery = NextSibling(r, first);
  if (!battery) return std::nullopt;
  std::optional<uint64_t> busy = NextSibling(r, *battery);
  if (!busy || !r.has(*battery, kObjectExtent) || !r.has(*busy, kObjectExtent)) return std::nullopt;
  // Inside the image, so they fit 32 bits.
  return SystemPluginObjects{static_cast<uint32_t>(*battery), static_cast<uint32_t>(*busy)};
}

bool ExtractSystemPluginFg(std::span<const uint8_t> image, FirmwareState& state) {
  std::optional<SystemPluginObjects> objects = LocateSystemPluginObjects(image);
  if (!objects) return false;
  ByteReader r(image);
  auto color = [&r](uint64_t at) {
    return Rgb8{ColorByteFromFloat(r.f32(at)), ColorByteFromFloat(r.f32(at + 4)), ColorByteFromFloat(r.f32(at + 8))};
  };
  uint64_t battery = objects->battery;
  uint64_t busy = objects->busy;
  LayoutRecord& layout = state.Layout;
  state.BatteryObject = objects->battery;
  state.BusyObject = objects->busy;
  layout.BatteryX = TruncateToInt(r.f32(battery + kObjectX));
  layout.BatteryY = TruncateToInt(r.f32(battery + kObjectY));
  layout.BusyX = TruncateToInt(r.f32(busy + kObjectX));
  layout.BusyY = TruncateToInt(r.f32(busy + kObjectY));
  layout.BatteryColor = color(battery + kObjectColor);
  layout.ClockColor = color(battery + kClockColor);
  layout.BusyColor = color(busy + kObjectColor);
  return r.ok();
}

std::optional<uint32_t> LocateTopmenuPluginValue(std::span<const uint8_t> image) {
  ByteReader r(image);
  uint64_t e1 = uint64_t{r.u32(kRcoObjectTable)} + kRcoEntryHeaderSize;
  if (!r.ok()) return std::nullopt;
  std::optional<uint64_t> e2 = NextSibling(r, e1);
  if (!e2) return std::nullopt;
  uint64_t e3 = *e2 + r.u32(*e2 + kTopmenuPluginLink) + kRcoEntryHeaderSize;
  if (!r.ok() || !r.has(e3, 4)) return std::nullopt;
  return static_cast<uint32_t>(e3);
}

std::span<const uint8_t> DecodeImage(std::span<const uint8_t> data, std::span<uint8_t> scratch) {
  // The 2-byte zlib header is skipped; the deflate data follows.
  if (data.size() < 2 || data.size() - 2 > UINT_MAX || scratch.size() < kDecodeScratch) return {};
  std::span<const uint8_t> deflated = data.subspan(2);
  std::span<uint8_t> picture_space = scratch.first(kPictureLimit);

  z_stream zs{};
  if (inflateInit2(&zs, -15) != Z_OK) return {};
  // zlib does not write through next_in; its interface just is not const.
  zs.next_in = const_cast<Bytef*>(deflated.data());
  zs.avail_in = static_cast<uInt>(deflated.size());
  zs.next_out = picture_space.data();
  zs.avail_out = static_cast<uInt>(picture_space.size());
  int status = inflate(&zs, Z_FINISH);
  std::size_t produced = zs.total_out;
  inflateEnd(&zs);
  if (status != Z_STREAM_END) return {};

  return ConvertGim(picture_space.first(produced), scratch.subspan(kPictureLimit, kDecodeScratch - kPictureLimit));
}

bool ExtractImage(const std::string& bmpPath, std::span<const uint8_t> data, std::span<uint8_t> scratch) {
  std::span<const uint8_t> bmp = DecodeImage(data, scratch);
  return !bmp.empty() && WriteFileAtomically(bmpPath, {bmp}, /*sync=*/false);
}

std::optional<std::span<const uint8_t>> TopmenuIconStream(std::span<const uint8_t> image, int64_t k) {
  if (k < 0) return std::nullopt;
  ByteReader r(image);
  uint64_t entry = kImageTable + static_cast<uint64_t>(k) * kImageEntrySize;
  uint32_t offset = r.u32(entry);
  uint32_t count = r.u32(entry + 4);
  if (!r.ok()) return std::nullopt;
  return StreamAt(r, offset, count);
}

std::optional<std::span<const uint8_t>> BatteryIconStream(std::span<const uint8_t> image) {
  ByteReader r(image);
  uint32_t count = r.u32(kBatteryIconCount);
  if (!r.ok()) return std::nullopt;
  return StreamAt(r, 0, count);
}

std::optional<std::span<const uint8_t>> BusyIconStream(std::span<const uint8_t> image) {
  ByteReader r(image);
  uint32_t offset = r.u32(kBusyIconOffset);
  uint32_t count = r.u32(kBusyIconCount);
  if (!r.ok()) return std::nullopt;
  return StreamAt(r, offset, count);
}

void DecodeSystemPluginIcons(std::span<const uint8_t> image, const Paths& paths, std::span<uint8_t> scratch,
                             const BitmapSink& sink) {
  DecodeTo(BatteryIconStream(image), paths.BatteryIconPath, scratch, sink);
  DecodeTo(BusyIconStream(image), paths.BusyIconPath, scratch, sink);
}

void DecodeIcons(std::span<const uint8_t> image, const FirmwareState& state, const Paths& paths,
                 std::span<uint8_t> scratch, const BitmapSink& sink) {
  bool v500 = state.FirmwareVersion == 500;
  int categories = v500 ? 8 : 7;
  for (int i = 0; i < categories; ++i) DecodeTo(TopmenuIconStream(image, i), paths.MainIconPath[i], scratch, sink);

  auto item = [&](int slot) {
    DecodeTo(TopmenuIconStream(image, state.SubIconImageIndex[slot]), paths.SubIconPath[slot], scratch, sink);
  };
  for (int slot : kItemIconSlots) item(slot);
  if (v500) {
    for (int slot : kItemIconSlots500) item(slot);
  }
}

std::vector<std::string> ExtractSystemPluginIcons(std::span<const uint8_t> image, const Paths& paths,
                                                  std::span<uint8_t> scratch) {
  std::vector<std::string> unwritten;
  DecodeSystemPluginIcons(image, paths, scratch, WriteBitmaps(unwritten));
  return unwritten;
}

std::vector<std::string> ExtractIcons(std::span<const uint8_t> image, const FirmwareState& state, const Paths& paths,
                                      std::span<uint8_t> scratch) {
  std::vector<std::string> unwritten;
  DecodeIcons(image, state, paths, scratch, WriteBitmaps(unwritten));
  return unwritten;
}

}  // namespace qorvi
