// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/rco_container.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <climits>

#include "firmware/byte_reader.h"
#include "firmware/gim_picture.h"
#include "model/colors.h"
#include "model/container_places.h"
#include "model/value_text.h"

namespace qorvi {
namespace {

constexpr std::size_t kPictureLimit = 2 * MiB;  // a picture inflates into this much
constexpr std::size_t kDecodeScratch = 4 * MiB;

// The item slots that have an icon, in the order they are written (16, 17, 21 and
// 40..47 have none); a profile with an eighth category adds 36..39.
constexpr std::array<int, 33> kItemIconSlots{0,  1,  2,  3,  4,  5,  6,  7,  9,  10, 12, 11, 8,  13, 15, 18, 22,
                                             14, 19, 20, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35};
constexpr std::array<int, 4> kEighthCategoryItemIconSlots{36, 37, 38, 39};

std::string PastTheEnd(std::size_t size) { return "lies past the end (" + std::to_string(size) + " bytes)"; }

// Follows the chain of entries from the object table: the table's own header, its
// first object, then next-sibling links. Each step names what it read, so that a
// refusal says where the chain left the image.
class ObjectChain {
 public:
  explicit ObjectChain(std::span<const uint8_t> image) : r_(image) {}

  // The first object: object table offset (u32 at 0x30) + 40.
  Result<uint64_t> First() {
    const uint32_t table = r_.u32(rco::kObjectTableField);
    if (!r_.ok()) return Refusal{"object table offset at " + Hex(rco::kObjectTableField) + " " + PastTheEnd(size())};
    if (!r_.has(table, rco::kEntryHeaderSize)) {
      return Refusal{"object table offset " + Hex(table) + " at " + Hex(rco::kObjectTableField) + " " +
                     PastTheEnd(size())};
    }
    return uint64_t{table} + rco::kEntryHeaderSize;
  }

  // The entry the word at `entry` + `field` leads to: entry + word (+ `extra`).
  Result<uint64_t> Follow(uint64_t entry, uint32_t field, uint64_t extra, const std::string& what) {
    const uint64_t at = entry + field;
    const uint32_t step = r_.u32(at);
    if (!r_.ok()) return Refusal{what + ": link at " + Hex(at) + " " + PastTheEnd(size())};
    return entry + step + extra;
  }

  // Refused unless `count` bytes at `entry` lie inside the image.
  Status Whole(uint64_t entry, uint64_t count, const std::string& what) const {
    if (r_.has(entry, count)) return {};
    return Refusal{what + " at " + Hex(entry) + " (" + std::to_string(count) + " bytes) " + PastTheEnd(size())};
  }

 private:
  std::size_t size() const { return r_.size(); }
  ByteReader r_;
};

// The data of one compressed stream: `count` bytes at `offset` in the image data
// area, cut at the end of the image. Nothing when the stream does not start inside.
std::optional<std::span<const uint8_t>> StreamAt(ByteReader& r, uint64_t offset, uint32_t count) {
  const uint64_t start = uint64_t{r.u32(rco::kImageDataField)} + offset;
  if (!r.ok() || !r.has(start, 1)) return std::nullopt;
  std::span<const uint8_t> rest = r.rest(start);
  return rest.first(std::min<uint64_t>(count, rest.size()));
}

void DecodeTo(const std::optional<std::span<const uint8_t>>& stream, int picture, std::span<uint8_t> scratch,
              const BitmapSink& sink) {
  if (!stream) return;
  std::span<const uint8_t> bmp = DecodeImage(*stream, scratch);
  if (!bmp.empty()) sink(picture, bmp);
}

}  // namespace

bool HasRcoSignature(std::span<const uint8_t> image) {
  return image.size() >= rco::kSignature.size() &&
         std::equal(rco::kSignature.begin(), rco::kSignature.end(), image.begin());
}

Status CheckRcoSignature(std::span<const uint8_t> image) {
  if (HasRcoSignature(image)) return {};
  const std::string found = HexBytes(image.data(), image.size(), rco::kSignature.size());
  return Refusal{"container signature 00 50 52 46 71 expected at 0x0, found " + (found.empty() ? "nothing" : found)};
}

Result<SystemPluginObjects> LocateSystemPluginObjects(std::span<const uint8_t> image) {
  ObjectChain chain(image);
  Result<uint64_t> first = chain.First();
  if (!first) return first.refusal();
  Result<uint64_t> battery = chain.Follow(*first, rco::kNextSiblingField, 0, "first object at " + Hex(*first));
  if (!battery) return battery.refusal();
  if (Status s = chain.Whole(*battery, rco::kObjectExtent, "battery object"); !s) return s.refusal();
  Result<uint64_t> busy = chain.Follow(*battery, rco::kNextSiblingField, 0, "battery object at " + Hex(*battery));
  if (!busy) return busy.refusal();
  if (Status s = chain.Whole(*busy, rco::kObjectExtent, "busy object"); !s) return s.refusal();
  // Inside the image, so they fit 32 bits.
  return SystemPluginObjects{static_cast<uint32_t>(*battery), static_cast<uint32_t>(*busy)};
}

Status ExtractSystemPluginFg(std::span<const uint8_t> image, FirmwareState& state) {
  Result<SystemPluginObjects> objects = LocateSystemPluginObjects(image);
  if (!objects) return objects.refusal();
  ByteReader r(image);
  auto color = [&r](uint64_t at) {
    return Rgb8{ColorByteFromFloat(r.f32(at)), ColorByteFromFloat(r.f32(at + 4)), ColorByteFromFloat(r.f32(at + 8))};
  };
  const uint64_t battery = objects->battery;
  const uint64_t busy = objects->busy;
  LayoutRecord layout = state.Layout;
  layout.BatteryX = TruncateToInt(r.f32(battery + rco::kObjectX));
  layout.BatteryY = TruncateToInt(r.f32(battery + rco::kObjectY));
  layout.BusyX = TruncateToInt(r.f32(busy + rco::kObjectX));
  layout.BusyY = TruncateToInt(r.f32(busy + rco::kObjectY));
  layout.BatteryColor = color(battery + rco::kObjectColor);
  layout.ClockColor = color(battery + rco::kClockColor);
  layout.BusyColor = color(busy + rco::kObjectColor);
  if (!r.ok()) return Refusal{"object values: " + r.failure()};  // ruled out by the extent checks
  state.Layout = layout;
  state.BatteryObject = objects->battery;
  state.BusyObject = objects->busy;
  return {};
}

Result<uint32_t> LocateTopmenuPluginValue(std::span<const uint8_t> image) {
  ObjectChain chain(image);
  Result<uint64_t> e1 = chain.First();
  if (!e1) return e1.refusal();
  Result<uint64_t> e2 = chain.Follow(*e1, rco::kNextSiblingField, 0, "first object at " + Hex(*e1));
  if (!e2) return e2.refusal();
  Result<uint64_t> e3 = chain.Follow(*e2, rco::kFirstChildField, rco::kEntryHeaderSize, "second object at " + Hex(*e2));
  if (!e3) return e3.refusal();
  if (Status s = chain.Whole(*e3, 4, "MainIconX value (second object's first child)"); !s) return s.refusal();
  return static_cast<uint32_t>(*e3);
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

std::optional<std::span<const uint8_t>> TopmenuIconStream(std::span<const uint8_t> image, int64_t k) {
  if (k < 0) return std::nullopt;
  ByteReader r(image);
  const uint64_t entry = rco::kImageEntries + static_cast<uint64_t>(k) * rco::kImageEntrySize;
  const uint32_t offset = r.u32(entry + rco::kImageDataOffset);
  const uint32_t count = r.u32(entry + rco::kImageCount);
  if (!r.ok()) return std::nullopt;
  return StreamAt(r, offset, count);
}

std::optional<std::span<const uint8_t>> BatteryIconStream(std::span<const uint8_t> image) {
  ByteReader r(image);
  const uint32_t count = r.u32(rco::kBatteryPictureCount);
  if (!r.ok()) return std::nullopt;
  return StreamAt(r, 0, count);
}

std::optional<std::span<const uint8_t>> BusyIconStream(std::span<const uint8_t> image) {
  ByteReader r(image);
  const uint32_t offset = r.u32(rco::kBusyPictureOffset);
  const uint32_t count = r.u32(rco::kBusyPictureCount);
  if (!r.ok()) return std::nullopt;
  return StreamAt(r, offset, count);
}

void DecodeSystemPluginIcons(std::span<const uint8_t> image, std::span<uint8_t> scratch, const BitmapSink& sink) {
  DecodeTo(BatteryIconStream(image), kBatteryPicture, scratch, sink);
  DecodeTo(BusyIconStream(image), kBusyPicture, scratch, sink);
}

void DecodeIcons(std::span<const uint8_t> image, const FirmwareState& state, std::span<uint8_t> scratch,
                 const BitmapSink& sink) {
  const bool eighth = state.Profile.HasEighthCategory;
  const int categories = eighth ? 8 : 7;
  for (int i = 0; i < categories; ++i) DecodeTo(TopmenuIconStream(image, i), MainIconPicture(i), scratch, sink);

  auto item = [&](int slot) {
    DecodeTo(TopmenuIconStream(image, state.SubIconImageIndex[slot]), SubIconPicture(slot), scratch, sink);
  };
  for (int slot : kItemIconSlots) item(slot);
  if (eighth) {
    for (int slot : kEighthCategoryItemIconSlots) item(slot);
  }
}

}  // namespace qorvi
