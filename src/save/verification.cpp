// SPDX-License-Identifier: GPL-3.0-or-later
#include "save/verification.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "firmware/apply_values.h"
#include "firmware/byte_reader.h"
#include "firmware/constants_harvest.h"
#include "firmware/load_sequence.h"
#include "firmware/rco_container.h"
#include "model/colors.h"
#include "model/value_text.h"
#include "platform/file_io.h"
#include "save/save_sequence.h"

namespace qorvi {
namespace {

// --- Values as text; two values are equal exactly when their texts are.

std::string IntText(int64_t v) { return std::to_string(v); }

// The shortest decimal that reads back as the same single; NaNs by their bits, so
// that two different NaNs never look alike.
std::string FloatText(float v) {
  char buf[64];
  if (std::isnan(v)) {
    std::snprintf(buf, sizeof buf, "nan:0x%08x", static_cast<unsigned>(FloatBits(v)));
    return buf;
  }
  if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  return ec == std::errc{} ? std::string(buf, end) : "?";
}

std::string Triple(const RgbF& c) { return "[" + FloatText(c.r) + ", " + FloatText(c.g) + ", " + FloatText(c.b) + "]"; }
std::string Triple(const Rgb8& c) { return "[" + IntText(c.r) + ", " + IntText(c.g) + ", " + IntText(c.b) + "]"; }

std::string EntryText(const CategoryEntry& e) {
  return "[" + IntText(e.Category) + ", " + IntText(e.Item) + ", " + IntText(e.Show) + ", " + IntText(e.Region) + "]";
}

// A text in quotes; bytes outside printable ASCII as \xNN, so the line stays one line.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\x%02x", static_cast<unsigned>(c));
      out += esc;
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

std::string ByteText(uint8_t b) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02x", static_cast<unsigned>(b));
  return buf;
}

// --- What a field becomes in a 32-bit place, and what reads back from it.

uint32_t WrittenBits(const LayoutRecord& l, const LayoutField& f) {
  if (auto* ip = std::get_if<int32_t LayoutRecord::*>(&f.member)) return FloatBits(static_cast<float>(l.*(*ip)));
  return FloatBits(l.*(std::get<float LayoutRecord::*>(f.member)));
}

std::string ReadBackText(const LayoutField& f, uint32_t bits) {
  if (std::holds_alternative<int32_t LayoutRecord::*>(f.member)) return IntText(TruncateToInt(BitsFloat(bits)));
  return FloatText(BitsFloat(bits));
}

std::string ValueText(const LayoutRecord& l, const LayoutField& f) {
  if (auto* ip = std::get_if<int32_t LayoutRecord::*>(&f.member)) return IntText(l.*(*ip));
  return FloatText(l.*(std::get<float LayoutRecord::*>(f.member)));
}

using L = LayoutRecord;

// The loaded bytes of a file's area.
std::span<const uint8_t> Loaded(const Model& model, FileArea area, int32_t size) {
  std::span<const uint8_t> bytes = model.work.Area(area);
  return bytes.first(std::min(bytes.size(), static_cast<std::size_t>(std::max(size, 0))));
}

// Where a module's scalar values live. On 5.00 they are constants built in code
// by lui/ori groups (place / 4 = the group's entry); a group without an ori holds
// only the upper half, a place no group reaches holds nothing.
class ScalarPlaces {
 public:
  ScalarPlaces() = default;
  // The bits each group can hold: the image (a copy in `scratch`) patched with all
  // ones and harvested again gives 0xFFFFFFFF for a lui/ori group, 0xFFFF0000 for a
  // lui alone, 0 past the last group.
  ScalarPlaces(std::span<const uint8_t> image, std::size_t entries, std::span<uint8_t> scratch)
      : in_code_(true), masks_(entries, 0) {
    if (image.size() > scratch.size()) return;
    std::span<uint8_t> copy = scratch.first(image.size());
    std::copy(image.begin(), image.end(), copy.begin());
    const std::vector<uint32_t> ones(entries, 0xFFFFFFFFu);
    PatchFloatImmediates(ones, copy);
    HarvestConstants(copy, masks_);
  }

  uint32_t Held(uint32_t place, uint32_t bits) const {
    if (!in_code_) return bits;
    const std::size_t entry = place / 4;
    return place % 4 == 0 && entry < masks_.size() ? bits & masks_[entry] : 0;
  }

 private:
  bool in_code_ = false;
  std::vector<uint32_t> masks_;
};

// Collects the first difference, in the order of the checks.
class Differ {
 public:
  void operator()(const std::string& field, const std::string& file, std::string found, std::string expected) {
    if (!first_ && found != expected) first_ = VerifyDifference{field, file, std::move(found), std::move(expected)};
  }
  const std::optional<VerifyDifference>& first() const { return first_; }

 private:
  std::optional<VerifyDifference> first_;
};

void CompareVshmain(const Model& saved, const Model& back, const ScalarPlaces& places, Differ& differ) {
  const std::string& file = saved.paths.DoneVshmainPath;
  const FirmwareProfile& p = saved.Profile;
  const LayoutRecord& want = saved.Layout;
  const LayoutRecord& got = back.Layout;
  differ("version", file, IntText(back.FirmwareVersion), IntText(saved.FirmwareVersion));

  for (const VshScalar& scalar : VshScalarTable()) {
    if (!scalar.loaded) continue;
    const LayoutField& f = *scalar.field;
    // A 16-bit place is always in the image; a 32-bit one holds what its place can.
    const std::string expected = scalar.halfword
                                     ? IntText(static_cast<uint16_t>(want.*std::get<int32_t LayoutRecord::*>(f.member)))
                                     : ReadBackText(f, places.Held(p.VshOffsets[scalar.slot], WrittenBits(want, f)));
    differ(std::string(f.name), file, ValueText(got, f), expected);
  }

  const int colors = std::clamp(p.ColorEntryCount, 0, kColorTableEntries);
  for (int i = 0; i < colors; ++i) {
    const std::string index = "[" + std::to_string(i) + "]";
    differ("TextColor" + index, file, Triple(got.TextColor[i]), Triple(want.TextColor[i]));
    differ("BGColor" + index, file, Triple(got.BGColor[i]), Triple(want.BGColor[i]));
  }

  const int entries = std::clamp(std::min(saved.CategoryEntryCount, p.CategoryEntryCount), 0, kCategoryEntrySlots);
  for (int i = 0; i < entries; ++i) {
    differ("categoryEntries[" + std::to_string(i) + "]", file, EntryText(back.CategoryEntries[i]),
           EntryText(saved.CategoryEntries[i]));
  }

  const int items = std::clamp(std::min(saved.ItemCount, p.ItemCount), 0, kItemSlots);
  static constexpr std::pair<uint32_t ItemRecord::*, std::string_view> kWords[] = {
      {&ItemRecord::Word0, "Word0"},         {&ItemRecord::Media, "Media"},
      {&ItemRecord::ExecGroup, "ExecGroup"}, {&ItemRecord::ExecFunction, "ExecFunction"},
      {&ItemRecord::Word4, "Word4"},         {&ItemRecord::Word5, "Word5"},
      {&ItemRecord::Word6, "Word6"},
  };
  static constexpr std::pair<ItemTag ItemRecord::*, std::string_view> kTags[] = {
      {&ItemRecord::MainImageTag, "MainImageTag"},
      {&ItemRecord::ShadowImageTag, "ShadowImageTag"},
      {&ItemRecord::ConfImageTag, "ConfImageTag"},
      {&ItemRecord::NameTag, "NameTag"},
  };
  for (int i = 0; i < items; ++i) {
    const std::string item = "items[" + std::to_string(i) + "].";
    const ItemRecord& w = saved.ItemTable[i];
    const ItemRecord& g = back.ItemTable[i];
    for (const auto& [member, name] : kWords)
      differ(item + std::string(name), file, IntText(g.*member), IntText(w.*member));
    differ(item + "UmdFlag", file, IntText(g.UmdFlag), IntText(w.UmdFlag));
    for (const auto& [member, name] : kTags)
      differ(item + std::string(name), file, Quoted(TextOf(g.*member)), Quoted(TextOf(w.*member)));
  }
}

void ComparePaf(const Model& saved, const Model& back, const ScalarPlaces& places, Differ& differ) {
  const std::string& file = saved.paths.DonePafPath;
  const FirmwareProfile& profile = saved.Profile;
  const auto& P = profile.PafOffsets;
  auto present = [&](const PafSlot& s) { return !s.extended || profile.HasExtendedFields; };
  const std::span<const PafSlot> slots = PafSlotTable();
  for (std::size_t k = 0; k < slots.size(); ++k) {
    const PafSlot& slot = slots[k];
    if (!slot.loaded || !present(slot)) continue;
    // Where slots share a place, the file keeps the value written last.
    const PafSlot* written = &slot;
    for (std::size_t j = k + 1; j < slots.size(); ++j) {
      if (present(slots[j]) && P[slots[j].slot] == P[slot.slot]) written = &slots[j];
    }
    const LayoutField& f = *slot.field;
    differ(std::string(f.name), file, ValueText(back.Layout, f),
           ReadBackText(f, places.Held(P[slot.slot], WrittenBits(saved.Layout, *written->field))));
  }
}

void CompareSystemPlugin(const Model& saved, const Model& back, Differ& differ) {
  const std::string& file = saved.paths.DoneSystemPluginFgPath;
  const LayoutRecord& want = saved.Layout;
  const LayoutRecord& got = back.Layout;
  for (const LayoutField* f : {&LayoutFieldOf(&L::BatteryX), &LayoutFieldOf(&L::BatteryY), &LayoutFieldOf(&L::BusyX),
                               &LayoutFieldOf(&L::BusyY)}) {
    differ(std::string(f->name), file, ValueText(got, *f), ReadBackText(*f, WrittenBits(want, *f)));
  }
  // Written as the float byte / 255, read back times 255 and truncated.
  auto held = [](const Rgb8& c) {
    auto back_again = [](uint8_t b) { return ColorByteFromFloat(FloatFromColorByte(b)); };
    return Rgb8{back_again(c.r), back_again(c.g), back_again(c.b)};
  };
  differ("BatteryColor", file, Triple(got.BatteryColor), Triple(held(want.BatteryColor)));
  differ("ClockColor", file, Triple(got.ClockColor), Triple(held(want.ClockColor)));
  differ("BusyColor", file, Triple(got.BusyColor), Triple(held(want.BusyColor)));
}

// The loader does not read the copy of MainIconX in topmenu_plugin.rco; it is
// read here from the place the save writes it.
void CompareTopmenuPlugin(const Model& saved, const Model& back, Differ& differ) {
  const std::string& file = saved.paths.DoneTopmenuPluginPath;
  std::span<const uint8_t> image = Loaded(back, FileArea::TopmenuPlugin, back.TopmenuPluginLoadedSize);
  const Result<uint32_t> place = LocateTopmenuPluginValue(image);
  if (!place) return;  // the load refuses such a container
  ByteReader r(image);
  const LayoutField& f = LayoutFieldOf(&L::MainIconX);
  differ(std::string(f.name), file, ReadBackText(f, r.u32(*place)), ReadBackText(f, WrittenBits(saved.Layout, f)));
}

// The boot sound area holds the sound file, then zeros.
void CompareBootSound(const Model& saved, Model& back, Differ& differ, std::string& error) {
  const std::string& file = saved.paths.DoneOpeningPath;
  std::span<uint8_t> sound_buffer = back.work.Scratch().first(kBootSoundAreaBytes);
  const ReadResult sound = ReadFileInto(saved.paths.BootSoundPath, sound_buffer);
  if (sound.status != ReadStatus::Ok) {
    error = "cannot read the boot sound again";
    return;
  }
  ByteReader r(Loaded(back, FileArea::Opening, back.OpeningLoadedSize));
  const uint64_t area = static_cast<uint64_t>(std::max(saved.Profile.BootSoundOffset, 0));
  std::span<const uint8_t> written = r.bytes(area, kBootSoundAreaBytes);
  if (written.size() != kBootSoundAreaBytes) {
    error = "opening_plugin.prx holds no boot sound area";
    return;
  }
  for (std::size_t i = 0; i < kBootSoundAreaBytes; ++i) {
    const uint8_t want = i < sound.size ? sound_buffer[i] : 0;
    if (written[i] != want) {
      differ("boot sound byte " + std::to_string(i), file, ByteText(written[i]), ByteText(want));
      return;
    }
  }
}

}  // namespace

VerifyResult VerifySave(const Model& saved) {
  VerifyResult result;
  auto back = std::make_unique<Model>();
  if (!back->work.Allocate()) {
    result.error = std::string(MessageLine(Message::CannotAllocateMemory));
    return result;
  }
  // The output files under their names, read as the inputs of a load.
  const Paths& out = saved.paths;
  Paths& in = back->paths;
  in = out;
  in.VshmainPath = out.DoneVshmainPath;
  in.PafPath = out.DonePafPath;
  in.OpeningPath = out.DoneOpeningPath;
  in.TopmenuPluginPath = out.DoneTopmenuPluginPath;
  in.SystemPluginFgPath = out.DoneSystemPluginFgPath;
  in.TopmenuIconPath = out.DoneTopmenuIconPath;
  // Exactly the files this save wrote: opening_plugin.prx only when it was written,
  // so that neither a missing file nor an older one from another save is read.
  const bool opening = SavesOpening(saved);
  back->BootSoundEnabled = opening ? 1 : 0;
  back->OpeningEnabled = opening ? 1 : 0;

  if (std::optional<Failure> failure = LoadAll(*back)) {
    result.loadFailure = std::move(failure);
    return result;
  }

  ScalarPlaces vsh_places;
  ScalarPlaces paf_places;
  if (saved.Profile.HarvestsConstants) {
    std::span<uint8_t> scratch = back->work.Scratch();
    vsh_places = ScalarPlaces(Loaded(*back, FileArea::Vshmain, back->VshmainLoadedSize), kVshConstantEntries, scratch);
    paf_places = ScalarPlaces(Loaded(*back, FileArea::Paf, back->PafLoadedSize), kPafConstantEntries, scratch);
  }

  Differ differ;
  CompareVshmain(saved, *back, vsh_places, differ);
  ComparePaf(saved, *back, paf_places, differ);
  if (opening && !differ.first()) {
    CompareBootSound(saved, *back, differ, result.error);
  }
  CompareTopmenuPlugin(saved, *back, differ);
  CompareSystemPlugin(saved, *back, differ);
  result.difference = differ.first();
  return result;
}

std::string VerifyMessage(const VerifyResult& result) {
  if (result.difference) {
    const VerifyDifference& d = *result.difference;
    return "verify: " + d.field + " is " + d.found + " in " + d.file + ", " + d.expected + " expected";
  }
  if (result.loadFailure) return "verify: the written files do not load: " + MessageLine(result.loadFailure->code);
  if (!result.error.empty()) return "verify: " + result.error;
  return {};
}

}  // namespace qorvi
