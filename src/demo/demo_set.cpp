// SPDX-License-Identifier: GPL-3.0-or-later
#include "demo/demo_set.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string_view>
#include <variant>

#include "demo/demo_art.h"
#include "demo/module_builder.h"
#include "demo/rco_builder.h"
#include "firmware/byte_reader.h"
#include "firmware/exec_functions.h"
#include "firmware/psp_package.h"
#include "model/colors.h"
#include "model/firmware_profile.h"
#include "model/value_text.h"
#include "platform/file_io.h"

namespace qorvi::demo {
namespace {

// The item slots whose icons a load writes, in the order it writes them; a
// version with an eighth category adds 36..39.
constexpr std::array<int, 33> kIconSlots{0,  1,  2,  3,  4,  5,  6,  7,  9,  10, 12, 11, 8,  13, 15, 18, 22,
                                         14, 19, 20, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35};
constexpr std::array<int, 4> kIconSlotsEighthCategory{36, 37, 38, 39};

// A UTF-8 name in a 48-byte slot: at most 47 bytes, cut before a character that
// would not fit.
std::array<char, kLabelTextBytes> NameSlot(std::string_view utf8) {
  std::array<char, kLabelTextBytes> slot{};
  std::size_t n = 0;
  while (n < utf8.size()) {
    auto b = static_cast<uint8_t>(utf8[n]);
    std::size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    if (n + len > kLabelTextBytes - 1) break;
    n += len;
  }
  std::memcpy(slot.data(), utf8.data(), n);
  return slot;
}

// Applies the layout value `bits` at a place to the field `name` as the loader
// reads it: an integer field truncated from the single, a float field as is.
void LoadField(LayoutRecord& layout, const std::variant<int32_t LayoutRecord::*, float LayoutRecord::*>& field,
               uint32_t bits) {
  if (auto* whole = std::get_if<int32_t LayoutRecord::*>(&field)) {
    layout.*(*whole) = TruncateToInt(BitsFloat(bits));
  } else {
    layout.*std::get<float LayoutRecord::*>(field) = BitsFloat(bits);
  }
}

LayoutRecord ExpectedLayout(const DemoContent& c, const FirmwareProfile& profile) {
  const bool constants = profile.HarvestsConstants;
  auto place = [&](uint32_t offset) { return constants ? offset / 4 : offset; };
  // What each place holds; a later planting at the same place wins, as in the file.
  std::map<uint32_t, uint32_t> vsh;
  std::map<uint32_t, uint32_t> paf;
  for (const Planting& p : VshScalarPlantings(c)) vsh[p.place] = p.bits;
  for (const Planting& p : PafPlantings(c)) paf[p.place] = p.bits;

  LayoutRecord L;
  const auto& S = profile.VshOffsets;
  LoadField(L, &LayoutRecord::MainIconX, vsh[place(S[kVshMainIconX])]);
  LoadField(L, &LayoutRecord::MainIconY, vsh[place(S[kVshMainIconY])]);
  LoadField(L, &LayoutRecord::UnfIconY, vsh[place(S[kVshUnfIconY])]);
  LoadField(L, &LayoutRecord::ClockX, vsh[place(S[kVshClockX])]);
  LoadField(L, &LayoutRecord::ClockY, vsh[place(S[kVshClockY])]);
  LoadField(L, &LayoutRecord::BusySpeed, vsh[place(S[kVshBusySpeed])]);
  L.Bmp01_12size = c.layout.Bmp01_12size & 0xFFFF;
  for (int i = 0; i < profile.ColorEntryCount; ++i) {
    L.TextColor[i] = c.layout.TextColor[i];
    L.BGColor[i] = c.layout.BGColor[i];
  }
  for (const PafSlot& slot : PafSlotTable()) {
    if (!slot.loaded || (slot.extended && !profile.HasExtendedFields)) continue;
    LoadField(L, slot.field->member, paf[place(profile.PafOffsets[slot.slot])]);
  }
  if (profile.SubIconSecondSpacing) L.SubIconUpperSpace2 = kFixedSubIconUpperSpace2;

  L.BatteryX = TruncateToInt(static_cast<float>(c.layout.BatteryX));
  L.BatteryY = TruncateToInt(static_cast<float>(c.layout.BatteryY));
  L.BusyX = TruncateToInt(static_cast<float>(c.layout.BusyX));
  L.BusyY = TruncateToInt(static_cast<float>(c.layout.BusyY));
  auto bytes = [](const RgbF& f) {
    return Rgb8{ColorByteFromFloat(f.r), ColorByteFromFloat(f.g), ColorByteFromFloat(f.b)};
  };
  L.BatteryColor = bytes(c.batteryColor);
  L.ClockColor = bytes(c.clockColor);
  L.BusyColor = bytes(c.busyColor);
  return L;
}

// The display names of one language, found by label as the reader does: the six
// fixed category labels, the version's settings and game labels, and the items'
// NameTags (a later string of a label overrides an earlier one; a slot no label
// names shows string 0).
LabelTexts ExpectedNames(const DemoContent& c, const std::vector<DemoText>& texts, int32_t imageLabelCount,
                         bool japanese) {
  std::array<std::size_t, kLabelTextSlots> string_of{};
  const int32_t items = std::min<int32_t>(static_cast<int32_t>(c.items.size()), imageLabelCount);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string& label = texts[i].label;
    bool category = false;
    for (int slot : {1, 2, 3, 4, 6, 7}) {
      if (label == CategoryTextLabel(c.version, slot)) {
        string_of[slot] = i;
        category = true;
      }
    }
    if (category) continue;
    if (label == CategoryTextLabel(c.version, 0)) string_of[0] = i;
    if (label == CategoryTextLabel(c.version, 5)) string_of[5] = i;
    for (int32_t j = 0; j < items && j < kItemNumbers; ++j) {
      if (label == c.items[j].record.NameTag.view()) string_of[kCategories + j] = i;
    }
  }
  LabelTexts names{};
  for (int slot = 0; slot < kLabelTextSlots; ++slot) {
    const DemoText& t = texts[string_of[slot]];
    names[slot] = NameSlot(japanese ? t.japanese : t.english);
  }
  return names;
}

void AddIcon(std::vector<ExpectedIcon>& icons, const std::string& name, const DemoImage& image) {
  icons.push_back({name, image.picture.width, image.picture.height, BitmapBits(image.kind)});
}

PspHeader WithEntry(PspHeader header, uint32_t entry) {
  ByteWriter(header).u32(kPspEntryOffset, entry);
  return header;
}

// The module as a compressed "~PSP" image, or empty when packing fails.
std::vector<uint8_t> Packed(const std::vector<uint8_t>& image, PspHeader header, std::vector<uint8_t>& work) {
  std::optional<std::span<const uint8_t>> file = PackPsp(image, header, work);
  if (!file) return {};
  return {file->begin(), file->end()};
}

}  // namespace

DemoFiles BuildDemoSet(const DemoOptions& options) {
  return BuildDemoSet(DefaultDemoContent(options.version), options);
}

DemoFiles BuildDemoSet(const DemoContent& content, const DemoOptions& options) {
  DemoFiles files;
  files.vshmain = BuildVshmain(content);
  files.paf = BuildPaf(content);
  files.opening = BuildOpening(content);
  files.topmenuPlugin = BuildTopmenuPlugin(content);
  files.systemPluginFg = BuildSystemPluginFg(content);
  files.topmenuIcon = BuildTopmenuIcon(content);
  if (options.compressed) {
    std::vector<uint8_t> work(kScratchSize);
    files.vshmain = Packed(files.vshmain, DemoVshmainPspHeader(), work);
    files.paf = Packed(files.paf, DemoPafPspHeader(), work);
    files.opening = Packed(files.opening, DemoVshmainPspHeader(), work);
  }
  if (options.bootSound) files.bootSound = DemoBootSound();
  return files;
}

DemoExpectation ExpectedDemoLoad(int32_t version) { return ExpectedLoad(DefaultDemoContent(version)); }

std::unique_ptr<FirmwareState> ExpectedDemoState(int32_t version) {
  const DemoExpectation load = ExpectedDemoLoad(version);
  auto s = std::make_unique<FirmwareState>();
  s->FirmwareVersion = version;
  s->Profile = *ProfileFor(version);
  s->Layout = load.layout;
  s->CategoryEntries = load.categoryEntries;
  s->CategoryEntryCount = load.categoryEntryCount;
  s->ItemTable = load.items;
  s->ItemCount = s->Profile.ItemCount;
  return s;
}

DemoExpectation ExpectedLoad(const DemoContent& c) {
  DemoExpectation e;
  const FirmwareProfile* profile = ProfileFor(c.version);
  if (profile == nullptr) return e;
  e.layout = ExpectedLayout(c, *profile);

  e.categoryEntryCount = profile->CategoryEntryCount;
  for (int i = 0; i < profile->CategoryEntryCount && i < static_cast<int>(c.categoryEntries.size()); ++i) {
    e.categoryEntries[i] = c.categoryEntries[i];
  }
  for (int i = 0; i < profile->ItemCount && i < static_cast<int>(c.items.size()); ++i) {
    // The tags come back as the demo wrote them (zero-filled behind the text).
    ItemRecord r = c.items[i].record;
    r.ExecIndex = FindExecIndex(r.ExecGroup, r.ExecFunction, profile->ItemCount).value_or(0);
    e.items[i] = r;
  }

  const std::vector<DemoImage> images = TopmenuIconImages(c);
  for (const DemoImage& image : images) e.imageLabels.push_back(image.label.substr(0, kImageLabelChars - 1));
  const auto image_count = static_cast<int32_t>(images.size());
  for (int s = 0; s < kItemNumbers && s < static_cast<int>(c.items.size()); ++s) {
    for (int32_t j = 0; j < image_count; ++j) {
      if (e.imageLabels[j] == e.items[s].MainImageTag.view()) {
        e.subIconImageIndex[s] = j;
        break;
      }
    }
  }

  const std::vector<DemoText> texts = TopmenuPluginTexts(c);
  e.japanese = ExpectedNames(c, texts, image_count, true);
  e.english = ExpectedNames(c, texts, image_count, false);

  const std::vector<DemoImage> system = SystemPluginImages();
  AddIcon(e.icons, "BatteryIcon.bmp", system.front());
  AddIcon(e.icons, "BusyIcon.bmp", system.back());
  const int categories = profile->HasEighthCategory ? 8 : 7;
  char name[32];
  for (int i = 0; i < categories; ++i) {
    std::snprintf(name, sizeof name, "MainIcon%d.bmp", i);
    AddIcon(e.icons, name, images[i]);
  }
  std::vector<int> slots(kIconSlots.begin(), kIconSlots.end());
  if (profile->HasEighthCategory) {
    slots.insert(slots.end(), kIconSlotsEighthCategory.begin(), kIconSlotsEighthCategory.end());
  }
  for (int s : slots) {
    std::snprintf(name, sizeof name, "SubIcon0%02d.bmp", s);
    AddIcon(e.icons, name, images[e.subIconImageIndex[s]]);
  }
  return e;
}

bool WriteDemoFiles(const std::string& dir, const DemoFiles& files, std::string* error) {
  if (std::error_code ec = MakeFolders(dir)) {
    if (error) *error = "cannot create " + dir + ": " + ec.message();
    return false;
  }
  const std::pair<const char*, const std::vector<uint8_t>*> outputs[] = {
      {"vshmain.prx", &files.vshmain},
      {"paf.prx", &files.paf},
      {"opening_plugin.prx", &files.opening},
      {"topmenu_plugin.rco", &files.topmenuPlugin},
      {"system_plugin_fg.rco", &files.systemPluginFg},
      {"topmenu_icon.rco", &files.topmenuIcon},
      {"bootsound.wav", &files.bootSound},
  };
  for (const auto& [file, bytes] : outputs) {
    if (bytes == &files.bootSound && bytes->empty()) continue;
    const std::string path = dir + "/" + file;
    if (bytes->empty() || !WriteFileAtomically(path, {std::span<const uint8_t>(*bytes)}, /*sync=*/false)) {
      if (error) *error = bytes->empty() ? std::string("cannot build ") + file : "cannot write " + path;
      return false;
    }
  }
  return true;
}

bool WriteDemoSet(const std::string& dir, const DemoOptions& options, std::string* error) {
  if (ProfileFor(options.version) == nullptr) {
    if (error) *error = "unknown firmware version " + std::to_string(options.version);
    return false;
  }
  return WriteDemoFiles(dir, BuildDemoSet(options), error);
}

PspHeader DemoVshmainPspHeader() { return WithEntry(BuiltinVshmainPspHeader(), kDemoVshmainEntry); }
PspHeader DemoPafPspHeader() { return WithEntry(BuiltinPafPspHeader(), kDemoPafEntry); }

uint8_t BootSoundAreaByte(std::size_t i) {
  static constexpr std::string_view kPattern = "Qorvi demo boot sound area. ";
  return static_cast<uint8_t>(kPattern[i % kPattern.size()]);
}

std::vector<uint8_t> DemoBootSound() { return ToneWav(); }

}  // namespace qorvi::demo
