// SPDX-License-Identifier: GPL-3.0-or-later
#include "demo/rco_builder.h"

#include <array>
#include <cstring>
#include <map>
#include <span>
#include <string_view>

#include "demo/demo_art.h"
#include "firmware/byte_reader.h"
#include "model/container_places.h"
#include "model/firmware_profile.h"

namespace qorvi::demo {
namespace {

constexpr uint32_t kNone = 0xFFFFFFFF;
constexpr uint32_t kHeaderSize = 0xA4;
constexpr uint32_t kEntryHeader = rco::kEntryHeaderSize;
constexpr uint8_t kVersionByte = rco::kSignature[4];

// Header fields: table offsets, then data areas as (offset, length) pairs. The
// ones the program reads come from its own description of the places.
constexpr uint32_t kMainTableField = 0x10;
constexpr uint32_t kTextTableField = rco::kTextTableField;
constexpr uint32_t kImageTableField = 0x24;
constexpr uint32_t kObjectTableField = rco::kObjectTableField;
constexpr uint32_t kTextDataField = rco::kTextDataField;
constexpr uint32_t kLabelDataField = rco::kLabelDataField;
constexpr uint32_t kImageDataField = rco::kImageDataField;

// Entry types and subtypes.
constexpr uint8_t kMainEntry = 1;
constexpr uint8_t kTextEntry = 3;
constexpr uint8_t kImageEntry = 4;
constexpr uint8_t kObjectEntry = 8;
constexpr uint8_t kTable = 0;
constexpr uint8_t kLanguage = 1;
constexpr uint8_t kPicture = 1;
constexpr uint8_t kPage = 1;
constexpr uint8_t kPlane = 2;

// The image table of the containers with pictures follows the main table
// directly, so that its entries sit where the program reads them: entry k at
// 0xF4 + 56 k, with the packed size at +0x2C, the offset in the image data area
// at +0x30 and the byte count handed to inflate at +0x34, which real containers
// fill with the picture's unpacked size (so the last pictures' counts run past
// the end of the file, as the demo's do).
constexpr uint32_t kImageTable = kHeaderSize + kEntryHeader;
static_assert(kImageTable == rco::kImageTable);
constexpr uint32_t kImageEntrySize = rco::kImageEntrySize;
constexpr uint16_t kFormatGim = 5;
constexpr uint16_t kCompressionZlib = 1;

// Objects of system_plugin_fg.rco.
constexpr uint32_t kObjectShadowX = rco::kObjectShadowX;  // Save keeps the position + (2, -2) here
constexpr uint32_t kObjectX = rco::kObjectX;
constexpr uint32_t kObjectColor = rco::kObjectColor;
constexpr uint32_t kClockColor = rco::kClockColor;

// topmenu_plugin.rco: the second object has a child whose first value is the
// focused category icon's x.
constexpr uint32_t kPageObjectSize = 0x68;
constexpr uint32_t kPlaneBodyEnd = 0x80;  // the plane's own bytes; its child follows
constexpr uint32_t kChildSize = 0x48;

struct Entry {
  uint8_t type;
  uint8_t subtype = 0;
  uint32_t label = kNone;
  uint32_t size = kEntryHeader;
  uint32_t children = 0;
  uint32_t next = 0;
  uint32_t firstChild = 0;
};

// A container image that grows as areas are reserved.
class Writer {
 public:
  Writer() : bytes_(kHeaderSize) {
    ByteWriter w(bytes_);
    w.bytes(0, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>("\0PRF"), 4));
    w.u32(4, kVersionByte);
    for (uint32_t at = kMainTableField; at <= 0x34; at += 4) w.u32(at, kNone);
    for (uint32_t at = kTextDataField; at < 0x98; at += 8) w.u32(at, kNone);
    for (uint32_t at = 0x98; at < kHeaderSize; at += 4) w.u32(at, kNone);
  }

  uint32_t Reserve(std::size_t count, std::size_t align = 4) {
    bytes_.resize((bytes_.size() + align - 1) / align * align);
    uint32_t at = static_cast<uint32_t>(bytes_.size());
    bytes_.resize(bytes_.size() + count);
    return at;
  }
  uint32_t Append(std::span<const uint8_t> data, std::size_t align = 4) {
    uint32_t at = Reserve(data.size(), align);
    std::memcpy(bytes_.data() + at, data.data(), data.size());
    return at;
  }
  // A data area: its offset and length go into the header.
  void AppendArea(uint32_t field, std::span<const uint8_t> data) {
    uint32_t at = Append(data, 16);
    U32(field, at);
    U32(field + 4, static_cast<uint32_t>(data.size()));
  }

  void U16(uint32_t at, uint16_t v) { ByteWriter(bytes_).u16(at, v); }
  void U32(uint32_t at, uint32_t v) { ByteWriter(bytes_).u32(at, v); }
  void F32(uint32_t at, float v) { ByteWriter(bytes_).f32(at, v); }
  void Color(uint32_t at, const RgbF& c) {
    F32(at, c.r);
    F32(at + 4, c.g);
    F32(at + 8, c.b);
  }

  void PutEntry(uint32_t at, const Entry& e) {
    bytes_[at] = e.type;
    bytes_[at + 1] = e.subtype;
    U32(at + 0x04, e.label);
    U32(at + 0x0C, e.size);
    U32(at + 0x10, e.children);
    U32(at + 0x14, e.next);
    U32(at + 0x18, e.firstChild);
  }

  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

// The label data area: zero-terminated names, each followed by a varying number
// of extra zero bytes.
class Labels {
 public:
  uint32_t Add(std::string_view name) {
    uint32_t at = static_cast<uint32_t>(bytes_.size());
    bytes_.insert(bytes_.end(), name.begin(), name.end());
    bytes_.insert(bytes_.end(), 1 + (3 * count_ + 1) % 4, 0);
    ++count_;
    return at;
  }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
  int count_ = 0;
};

std::string Tag(const ItemTag& tag) { return std::string(tag.view()); }

// UTF-8 to UTF-16LE with a terminating zero unit.
std::vector<uint8_t> Utf16le(std::string_view utf8) {
  std::vector<uint8_t> out;
  auto unit = [&](uint32_t u) {
    out.push_back(static_cast<uint8_t>(u));
    out.push_back(static_cast<uint8_t>(u >> 8));
  };
  for (std::size_t i = 0; i < utf8.size();) {
    auto b = static_cast<uint8_t>(utf8[i]);
    int extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
    uint32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) c = (c << 6) | (static_cast<uint8_t>(utf8[i + k]) & 0x3F);
    i += 1 + extra;
    if (c >= 0x10000) {
      c -= 0x10000;
      unit(0xD800 | (c >> 10));
      unit(0xDC00 | (c & 0x3FF));
    } else {
      unit(c);
    }
  }
  unit(0);
  return out;
}

struct PackedImages {
  std::vector<uint8_t> data;  // the image data area
  std::vector<uint32_t> offsets;
  std::vector<uint32_t> sizes;     // of the zlib streams
  std::vector<uint32_t> unpacked;  // of the GIM pictures
};

// Each picture as a zlib-wrapped GIM, 4-byte aligned in the data area. False when
// a picture cannot be encoded.
bool PackImages(const std::vector<DemoImage>& images, PackedImages& out) {
  for (const DemoImage& image : images) {
    std::vector<uint8_t> gim = EncodeGim(image.picture, image.kind);
    std::vector<uint8_t> stream = gim.empty() ? gim : ZlibWrap(gim);
    if (stream.empty()) return false;
    out.data.resize((out.data.size() + 3) / 4 * 4);
    out.offsets.push_back(static_cast<uint32_t>(out.data.size()));
    out.sizes.push_back(static_cast<uint32_t>(stream.size()));
    out.unpacked.push_back(static_cast<uint32_t>(gim.size()));
    out.data.insert(out.data.end(), stream.begin(), stream.end());
  }
  return true;
}

// The image table, at kImageTable (right behind the main table).
void PutImageTable(Writer& w, const PackedImages& packed, const std::vector<uint32_t>& labels, uint32_t next) {
  const auto n = static_cast<uint32_t>(packed.offsets.size());
  w.PutEntry(kImageTable, {kImageEntry, kTable, kNone, kEntryHeader + kImageEntrySize * n, n, next, kEntryHeader});
  for (uint32_t k = 0; k < n; ++k) {
    uint32_t at = kImageTable + kEntryHeader + kImageEntrySize * k;
    w.PutEntry(at, {kImageEntry, kPicture, labels[k], kImageEntrySize, 0, k + 1 < n ? kImageEntrySize : 0, 0});
    w.U16(at + 0x28, kFormatGim);
    w.U16(at + 0x2A, kCompressionZlib);
    w.U32(at + rco::kImagePackedSize, packed.sizes[k]);
    w.U32(at + rco::kImageDataOffset, packed.offsets[k]);
    w.U32(at + rco::kImageCount, packed.unpacked[k]);
  }
}

constexpr std::array<GimKind, 6> kKinds{GimKind::ImageFirst32,          GimKind::PaletteFirst4Linear,
                                        GimKind::ImageFirst8,           GimKind::PaletteFirst8Swizzled,
                                        GimKind::PaletteFirst4Swizzled, GimKind::PaletteFirst8Linear};

constexpr std::array<const char*, kCategories> kCategoryImageLabels{
    "tex_cate_setting", "tex_cate_photo", "tex_cate_music",   "tex_cate_video",
    "tex_cate_tv",      "tex_cate_game",  "tex_cate_network", "tex_cate_psn"};
constexpr std::array<std::array<int, 2>, kCategories> kCategorySizes{
    {{64, 64}, {64, 64}, {60, 44}, {64, 64}, {64, 64}, {64, 64}, {56, 56}, {64, 64}}};
constexpr std::array<std::array<int, 2>, 5> kItemSizes{{{64, 64}, {60, 44}, {48, 48}, {64, 40}, {40, 56}}};
constexpr int kDecoyItem = 5;
constexpr int kOutdatedNameItem = 27;

}  // namespace

std::vector<DemoImage> TopmenuIconImages(const DemoContent& c) {
  std::vector<DemoImage> images;
  const FirmwareProfile* profile = ProfileFor(c.version);
  const int categories = profile != nullptr && profile->HasEighthCategory ? 8 : 7;
  for (int k = 0; k < categories; ++k) {
    images.push_back({kCategoryImageLabels[k], kKinds[k % kKinds.size()],
                      CategoryIconPicture(k, kCategorySizes[k][0], kCategorySizes[k][1], k % 2 == 1)});
  }
  for (std::size_t i = 0; i < c.items.size(); ++i) {
    if (!c.items[i].hasIcon) continue;
    const auto& size = kItemSizes[i % kItemSizes.size()];
    images.push_back({Tag(c.items[i].record.MainImageTag), kKinds[(i + 2) % kKinds.size()],
                      ItemIconPicture(static_cast<int>(i), size[0], size[1], i % 2 == 1)});
  }
  if (c.items.size() > kDecoyItem && c.items[kDecoyItem].hasIcon) {
    images.push_back({Tag(c.items[kDecoyItem].record.MainImageTag), GimKind::ImageFirst32, DecoyPicture(32, 32)});
  }
  return images;
}

std::vector<DemoImage> SystemPluginImages() {
  constexpr std::array<const char*, 6> kLabels{"tex_memstick_access", "tex_wlan_on",     "tex_wlan_off",
                                               "tex_volume_bar",      "tex_volume_mute", "tex_hold"};
  std::vector<DemoImage> images;
  images.push_back({"tex_battery", GimKind::ImageFirst32, BatteryStrip()});
  for (int k = 0; k < 6; ++k) {
    int side = k % 2 == 0 ? 16 : 24;
    images.push_back({kLabels[k], kKinds[(k + 1) % kKinds.size()], SmallPicture(k, side, side)});
  }
  images.push_back({"tex_busy", GimKind::PaletteFirst8Swizzled, BusyStrip()});
  return images;
}

std::string CategoryTextLabel(int32_t version, int slot) {
  const FirmwareProfile* profile = ProfileFor(version);
  const bool shared = profile != nullptr && profile->NewLabelNames;
  switch (slot) {
    case 0: return shared ? "msgshare_settings" : "msgtop_sysconf";
    case 1: return "msgtop_photo";
    case 2: return "msgtop_music";
    case 3: return "msgtop_video";
    case 4: return "msg_tv";
    case 5: return shared ? "msgshare_game" : "msgtop_game";
    case 6: return "msgtop_network";
    default: return "msg_psn";
  }
}

std::vector<DemoText> TopmenuPluginTexts(const DemoContent& c) {
  std::vector<DemoText> texts{{"msg_information", "インフォメーション", "Information"}};
  for (int slot : {6, 1, 0, 2, 7, 3, 5, 4}) {
    texts.push_back({CategoryTextLabel(c.version, slot), c.categoryJapanese[slot], c.categoryEnglish[slot]});
  }
  if (c.items.size() > kOutdatedNameItem) {
    const DemoItem& item = c.items[kOutdatedNameItem];
    texts.push_back({Tag(item.record.NameTag), item.japanese + " (旧)", item.english + " (old)"});
  }
  for (std::size_t i = c.items.size(); i-- > 0;) {
    texts.push_back({Tag(c.items[i].record.NameTag), c.items[i].japanese, c.items[i].english});
  }
  return texts;
}

std::vector<uint8_t> BuildTopmenuPlugin(const DemoContent& c) {
  const std::vector<DemoText> texts = TopmenuPluginTexts(c);
  const auto n = static_cast<uint32_t>(texts.size());
  Writer w;
  Labels labels;
  const uint32_t main_label = labels.Add("topmenu_plugin");

  // Text data: every Japanese text, then every English one.
  std::vector<uint8_t> text_data;
  std::array<std::vector<uint32_t>, 2> text_at;
  std::array<std::vector<uint32_t>, 2> text_length;
  for (int language = 0; language < 2; ++language) {
    for (const DemoText& t : texts) {
      std::vector<uint8_t> units = Utf16le(language == 0 ? t.japanese : t.english);
      text_at[language].push_back(static_cast<uint32_t>(text_data.size()));
      text_length[language].push_back(static_cast<uint32_t>(units.size()));
      text_data.insert(text_data.end(), units.begin(), units.end());
    }
  }
  std::map<std::string, uint32_t> label_at;
  for (const DemoText& t : texts) {
    if (!label_at.contains(t.label)) label_at[t.label] = labels.Add(t.label);
  }

  // The text table: a language entry per language, each with its count and its
  // index of 12-byte entries (label offset, length in bytes, text offset). The
  // second language's entry starts 24 bytes behind the first one's index.
  const uint32_t main = w.Reserve(kEntryHeader);
  const uint32_t language_size = 0x30 + 12 * n;
  const uint32_t language_gap = 24;
  const uint32_t text_table = w.Reserve(kEntryHeader + 2 * language_size + language_gap);
  const uint32_t objects = w.Reserve(kEntryHeader + kPageObjectSize + kPlaneBodyEnd + kChildSize);
  w.PutEntry(main, {kMainEntry, 0, main_label, kEntryHeader, 2, 0, kEntryHeader});
  w.PutEntry(text_table, {kTextEntry, kTable, kNone, kEntryHeader + 2 * language_size + language_gap, 2,
                          objects - text_table, kEntryHeader});
  for (uint32_t language = 0; language < 2; ++language) {
    const uint32_t at = text_table + kEntryHeader + language * (language_size + language_gap);
    w.PutEntry(at,
               {kTextEntry, kLanguage, kNone, language_size, 0, language == 0 ? language_size + language_gap : 0, 0});
    w.U16(at + 0x28, static_cast<uint16_t>(language));
    w.U16(at + 0x2A, 1);  // UTF-16
    w.U32(at + 0x2C, n);
    for (uint32_t i = 0; i < n; ++i) {
      const uint32_t entry = at + 0x30 + 12 * i;
      w.U32(entry, label_at[texts[i].label]);
      w.U32(entry + 4, text_length[language][i]);
      w.U32(entry + 8, text_at[language][i]);
    }
  }

  // The object table: a page, then a plane with one child. The child's first
  // value is the focused category icon's x, which Save keeps equal to MainIconX.
  const uint32_t page = objects + kEntryHeader;
  const uint32_t plane = page + kPageObjectSize;
  const uint32_t child = plane + kPlaneBodyEnd;
  w.PutEntry(objects, {kObjectEntry, kTable, kNone, kEntryHeader + kPageObjectSize + kPlaneBodyEnd + kChildSize, 2, 0,
                       kEntryHeader});
  w.PutEntry(page, {kObjectEntry, kPage, labels.Add("page_topmenu"), kPageObjectSize, 0, kPageObjectSize, 0});
  w.PutEntry(plane,
             {kObjectEntry, kPlane, labels.Add("plane_main_icon"), kPlaneBodyEnd + kChildSize, 1, 0, kPlaneBodyEnd});
  w.PutEntry(child, {kObjectEntry, kPlane, labels.Add("plane_main_icon_pos"), kChildSize, 0, 0, 0});
  w.F32(child + kEntryHeader, static_cast<float>(c.layout.MainIconX));
  w.F32(child + kEntryHeader + 8, 1.0f);  // a scale, for company

  w.U32(kMainTableField, main);
  w.U32(kTextTableField, text_table);
  w.U32(kObjectTableField, objects);
  w.AppendArea(kLabelDataField, labels.bytes());
  w.AppendArea(kTextDataField, text_data);
  return w.Take();
}

std::vector<uint8_t> BuildSystemPluginFg(const DemoContent& c) {
  const std::vector<DemoImage> images = SystemPluginImages();
  PackedImages packed;
  if (!PackImages(images, packed)) return {};
  Writer w;
  Labels labels;
  const uint32_t main_label = labels.Add("system_plugin_fg");
  std::vector<uint32_t> image_labels;
  for (const DemoImage& image : images) image_labels.push_back(labels.Add(image.label));

  const uint32_t main = w.Reserve(kEntryHeader);
  const uint32_t image_table = w.Reserve(kEntryHeader + kImageEntrySize * kSystemPluginImages);
  // The object table keeps clear of the image table, whose entries hold the
  // battery and busy picture places the program reads at fixed offsets.
  const uint32_t objects = w.Reserve(kEntryHeader + 3 * kSystemPluginObjectSize, 0x40);
  if (image_table != kImageTable || objects != kSystemPluginObjectTable) return {};
  w.PutEntry(main, {kMainEntry, 0, main_label, kEntryHeader, 2, 0, kEntryHeader});
  PutImageTable(w, packed, image_labels, objects - image_table);
  w.PutEntry(objects, {kObjectEntry, kTable, kNone, kEntryHeader + 3 * kSystemPluginObjectSize, 3, 0, kEntryHeader});

  // Three objects: a page, whose values a reader must not take, then the battery
  // and the busy icon.
  const std::array<const char*, 3> object_labels{"page_system_status", "plane_battery", "plane_busy"};
  for (uint32_t k = 0; k < 3; ++k) {
    const uint32_t at = objects + kEntryHeader + k * kSystemPluginObjectSize;
    w.PutEntry(at, {kObjectEntry, k == 0 ? kPage : kPlane, labels.Add(object_labels[k]), kSystemPluginObjectSize, 0,
                    k < 2 ? kSystemPluginObjectSize : 0, 0});
  }
  const uint32_t page = objects + kEntryHeader;
  const uint32_t battery = page + kSystemPluginObjectSize;
  const uint32_t busy = battery + kSystemPluginObjectSize;
  w.F32(page + kObjectX, -333.0f);
  w.F32(page + kObjectX + 4, 333.0f);
  w.Color(page + kObjectColor, {0.125f, 0.125f, 0.125f});
  w.Color(page + kClockColor, {0.125f, 0.125f, 0.125f});
  auto position = [&](uint32_t at, int32_t x, int32_t y) {
    w.F32(at + kObjectX, static_cast<float>(x));
    w.F32(at + kObjectX + 4, static_cast<float>(y));
    w.F32(at + kObjectShadowX, static_cast<float>(x + 2));
    w.F32(at + kObjectShadowX + 4, static_cast<float>(y - 2));
  };
  position(battery, c.layout.BatteryX, c.layout.BatteryY);
  position(busy, c.layout.BusyX, c.layout.BusyY);
  w.Color(battery + kObjectColor, c.batteryColor);
  w.Color(battery + kClockColor, c.clockColor);
  w.Color(busy + kObjectColor, c.busyColor);

  w.U32(kMainTableField, main);
  w.U32(kImageTableField, image_table);
  w.U32(kObjectTableField, objects);
  w.AppendArea(kLabelDataField, labels.bytes());
  w.AppendArea(kImageDataField, packed.data);
  return w.Take();
}

std::vector<uint8_t> BuildTopmenuIcon(const DemoContent& c) {
  const std::vector<DemoImage> images = TopmenuIconImages(c);
  PackedImages packed;
  if (!PackImages(images, packed)) return {};
  Writer w;
  // The first name of the label area is the container's own; the image labels
  // follow in image order.
  Labels labels;
  const uint32_t main_label = labels.Add("page_icon");
  std::vector<uint32_t> image_labels;
  for (const DemoImage& image : images) image_labels.push_back(labels.Add(image.label));

  const uint32_t main = w.Reserve(kEntryHeader);
  const uint32_t image_table = w.Reserve(kEntryHeader + kImageEntrySize * static_cast<uint32_t>(images.size()));
  if (image_table != kImageTable || images.size() > 127) return {};  // the count is a signed byte at 0xDC
  w.PutEntry(main, {kMainEntry, 0, main_label, kEntryHeader, 1, 0, kEntryHeader});
  PutImageTable(w, packed, image_labels, 0);

  w.U32(kMainTableField, main);
  w.U32(kImageTableField, image_table);
  w.AppendArea(kLabelDataField, labels.bytes());
  w.AppendArea(kImageDataField, packed.data);
  return w.Take();
}

}  // namespace qorvi::demo
