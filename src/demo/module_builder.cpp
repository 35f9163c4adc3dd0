// SPDX-License-Identifier: GPL-3.0-or-later
#include "demo/module_builder.h"

#include <algorithm>
#include <cstring>
#include <variant>

#include "firmware/byte_reader.h"
#include "model/firmware_profile.h"
#include "model/record_layouts.h"

namespace qorvi::demo {
namespace {

// Where the constant code sits: well apart from every data table.
constexpr std::size_t kVshCodeStart = 0x8000;
constexpr std::size_t kPafCodeStart = 0x40000;

// The vshmain.prx word Save clears (the profile's ClearedVshWord); the demo gives
// it a value to clear.
constexpr uint32_t kClearedWordValue = 0x2402002A;  // addiu $v0, $zero, 42

uint32_t IntBits(int32_t v) { return FloatBits(static_cast<float>(v)); }

// The bits a layout field is planted with: an integer field as the float of the
// integer, a float field as it is.
uint32_t FieldBits(const LayoutRecord& layout, const std::variant<int32_t LayoutRecord::*, float LayoutRecord::*>& f) {
  if (auto* whole = std::get_if<int32_t LayoutRecord::*>(&f)) return IntBits(layout.*(*whole));
  return FloatBits(layout.*std::get<float LayoutRecord::*>(f));
}

// Words that look like compiled MIPS code: a handful of common instruction shapes
// with registers and offsets drawn from small sets, so that the modules deflate
// about as well (and take as long) as real ones do, rather than like runs of zeros.
// None of them is a constant-building instruction.
void FillWithCodeLikeWords(std::span<uint8_t> image, std::size_t from) {
  uint32_t seed = 0x2545F491u;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  ByteWriter w(image);
  for (std::size_t at = from; at + 4 <= image.size(); at += 4) {
    uint32_t r = next();
    uint32_t rs = 16 + (r & 7), rt = 2 + ((r >> 3) & 7), rd = 8 + ((r >> 6) & 7);
    uint32_t offset = ((r >> 9) & 0x3F) * 4;
    uint32_t word = 0;
    switch ((r >> 15) % 8) {
      case 0: word = 0x8FA00000u | (rt << 16) | offset; break;                      // lw rt, offset($sp)
      case 1: word = 0xAFA00000u | (rt << 16) | offset; break;                      // sw rt, offset($sp)
      case 2: word = 0x24000000u | (rs << 21) | (rt << 16) | (offset >> 2); break;  // addiu
      case 3: word = 0x00000021u | (rs << 21) | (rt << 16) | (rd << 11); break;     // addu
      case 4: word = 0x0C000000u | ((next() & 0xFFFF) << 2); break;                 // jal
      case 5: word = 0x10000000u | (rs << 21) | (rt << 16) | (offset >> 2); break;  // beq
      case 6: word = 0x8C000000u | (rs << 21) | (rt << 16) | offset; break;         // lw rt, offset(rs)
      default: word = 0; break;                                                     // nop
    }
    if (IsConstantInstruction(word)) word = 0;
    w.u32(at, word);
  }
}

// A fresh module image: code-like words behind a minimal ELF header (magic,
// 32-bit, little-endian, a PRX of a MIPS machine), as a decrypted module starts.
std::vector<uint8_t> NewModuleImage(std::size_t size) {
  std::vector<uint8_t> image(size);
  FillWithCodeLikeWords(image, 0x100);
  ByteWriter w(image);
  w.bytes(0, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>("\x7F"
                                                                       "ELF\x01\x01\x01"),
                                      7));
  w.u16(0x10, 0xFFA0);  // e_type: PRX
  w.u16(0x12, 8);       // e_machine: MIPS
  w.u32(0x14, 1);       // e_version
  return image;
}

// Constants that are not layout values: plausible floats, some of them in groups
// without an ori (their lower half is zero).
CodeConstant FillerConstant(int k) {
  if (k % 5 == 3) return {FloatBits(static_cast<float>(1 << (k % 9))), false};
  if (k % 3 == 0) return {FloatBits(1.0f / static_cast<float>(3 + k % 11)), true};
  return {FloatBits(0.5f + 0.25f * static_cast<float>(k % 97)), true};
}

// The constant table of a 5.00 module: fillers, with the layout values (always in
// full groups, so that Save can store any value) at their entries.
std::vector<CodeConstant> ConstantTable(int groups, const std::vector<Planting>& plantings) {
  std::vector<CodeConstant> table(groups);
  for (int k = 0; k < groups; ++k) table[k] = FillerConstant(k);
  for (const Planting& p : plantings) {
    if (p.place < table.size()) table[p.place] = {p.bits, true};
  }
  return table;
}

void PlantInImage(ByteWriter& w, const std::vector<Planting>& plantings) {
  for (const Planting& p : plantings) w.u32(p.place, p.bits);
}

void WriteItemRecord(ByteWriter& w, uint64_t at, const ItemRecord& item) {
  for (const ItemRecordLayout::Word& word : ItemRecordLayout::kWords) w.u32(at + word.offset, item.*word.field);
  w.u8(at + ItemRecordLayout::kUmdFlag, item.UmdFlag);
  // Bytes 29, 30 and 127..139 are not part of the record as the program keeps it;
  // they hold something so that a test can see they survive a save.
  w.u8(at + ItemRecordLayout::kForeignBytes[0], 0xA9);
  w.u8(at + ItemRecordLayout::kForeignBytes[1], 0xB3);
  // The tags with all their bytes: a shorter text is zero-filled as the demo
  // content holds it.
  for (const ItemRecordLayout::Tag& t : ItemRecordLayout::kTags) {
    const ItemTag& tag = item.*t.field;
    w.bytes(at + t.offset, std::span(reinterpret_cast<const uint8_t*>(tag.data()), tag.size()));
  }
  for (uint64_t k = ItemRecordLayout::kForeignTail; k < ItemRecordLayout::kSize; ++k) {
    w.u8(at + k, static_cast<uint8_t>(0xE0 | (k & 0x0F)));
  }
}

// The four bytes of a menu entry as the low bytes of four words; the upper bytes
// of the words hold something of their own, which the program must keep.
void WriteCategoryRecord(ByteWriter& w, uint64_t at, const CategoryEntry& e, uint32_t index) {
  for (uint32_t j = 0; j < CategoryEntryRecord::kBytes.size(); ++j) {
    w.u32(at + CategoryEntryRecord::kWordSize * j,
          e.*CategoryEntryRecord::kBytes[j] | 0x5A00u | ((index + 1) << 16) | (j << 24));
  }
}

}  // namespace

std::vector<Planting> VshScalarPlantings(const DemoContent& c) {
  const FirmwareProfile* profile = ProfileFor(c.version);
  if (profile == nullptr) return {};
  const bool constants = profile->HarvestsConstants;
  const auto& S = profile->VshOffsets;
  auto place = [&](int slot) { return constants ? S[slot] / 4 : S[slot]; };
  const LayoutRecord& L = c.layout;
  std::vector<Planting> out{
      {place(kVshMainIconX), IntBits(L.MainIconX)},
      {place(kVshMainIconY), IntBits(L.MainIconY)},
      {place(kVshUnfIconY), IntBits(L.UnfIconY)},
      {place(kVshUnfIconYPlusOne), IntBits(L.UnfIconY + 1)},  // what Save keeps there
      {place(kVshClockX), IntBits(L.ClockX)},
      {place(kVshClockY), IntBits(L.ClockY)},
      {place(kVshBusySpeed), FloatBits(L.BusySpeed)},
  };
  if (constants) {
    for (uint32_t entry : profile->MainIconXCopies) out.push_back({entry, IntBits(L.MainIconX)});
  }
  return out;
}

std::vector<Planting> PafPlantings(const DemoContent& c) {
  const FirmwareProfile* profile = ProfileFor(c.version);
  if (profile == nullptr) return {};
  const bool constants = profile->HarvestsConstants;
  std::vector<Planting> out;
  // In the order Save writes them, so that where two slots share a place the file
  // holds what Save would leave there.
  for (const PafSlot& slot : PafSlotTable()) {
    if (slot.extended && !profile->HasExtendedFields) continue;
    const uint32_t offset = profile->PafOffsets[slot.slot];
    out.push_back({constants ? offset / 4 : offset, FieldBits(c.layout, slot.field->member)});
  }
  return out;
}

std::size_t EmitConstantCode(std::span<uint8_t> image, std::size_t at, std::span<const CodeConstant> constants) {
  ByteWriter w(image);
  auto put = [&](uint32_t word) {
    w.u32(at, word);
    at += 4;
  };
  for (std::size_t e = constants.size(); e-- > 0;) {
    const CodeConstant& c = constants[e];
    const uint32_t fs = static_cast<uint32_t>(e % 16) * 2;  // an even FPU register
    put((kLuiAtHigh << 16) | (c.bits >> 16));
    if (c.withOri) put((kOriAtHigh << 16) | (c.bits & 0xFFFF));
    put((kMtc1AtHigh << 16) | (fs << 11));
    // One more instruction of the surrounding code, so that groups do not touch.
    switch (e % 4) {
      case 0: put(0x00000000); break;               // nop
      case 1: put(0x27BDFFF0); break;               // addiu $sp, $sp, -16
      case 2: put(0xE7A00010 | (fs << 16)); break;  // swc1 $fN, 16($sp)
      default: put(0x03E00008); break;              // jr $ra
    }
  }
  return at;
}

std::vector<uint8_t> BuildVshmain(const DemoContent& c) {
  const FirmwareProfile* profile = ProfileFor(c.version);
  if (profile == nullptr) return {};
  std::vector<uint8_t> image = NewModuleImage(static_cast<std::size_t>(profile->VshmainSize));
  ByteWriter w(image);
  const auto& S = profile->VshOffsets;

  if (profile->HarvestsConstants) {
    std::vector<CodeConstant> table = ConstantTable(kVshConstantGroups, VshScalarPlantings(c));
    EmitConstantCode(image, kVshCodeStart, table);
  } else {
    PlantInImage(w, VshScalarPlantings(c));
  }

  // A 16-bit field; the two bytes after it belong to something else and stay.
  w.u16(S[kVshBmp01_12size], static_cast<uint16_t>(c.layout.Bmp01_12size));
  w.u16(S[kVshBmp01_12size] + 2, 0x5A5A);
  if (profile->ClearedVshWord != 0) w.u32(profile->ClearedVshWord, kClearedWordValue);

  for (int i = 0; i < profile->ColorEntryCount; ++i) {
    for (std::size_t k = 0; k < ColorEntryRecord::kChannels.size(); ++k) {
      const float RgbF::*channel = ColorEntryRecord::kChannels[k];
      w.f32(S[kVshTextColor] + ColorEntryRecord::kSize * i + 4 * k, c.layout.TextColor[i].*channel);
      w.f32(S[kVshBGColor] + ColorEntryRecord::kSize * i + 4 * k, c.layout.BGColor[i].*channel);
    }
  }

  const std::size_t entries = std::min<std::size_t>(c.categoryEntries.size(), profile->CategoryEntryCount);
  for (std::size_t i = 0; i < entries; ++i) {
    WriteCategoryRecord(w, S[kVshCategoryEntries] + CategoryEntryRecord::kSize * i, c.categoryEntries[i],
                        static_cast<uint32_t>(i));
  }
  const std::size_t items = std::min<std::size_t>(c.items.size(), profile->ItemCount);
  for (std::size_t i = 0; i < items; ++i) {
    WriteItemRecord(w, S[kVshItemTable] + ItemRecordLayout::kSize * i, c.items[i].record);
  }
  return w.ok() ? image : std::vector<uint8_t>{};
}

std::vector<uint8_t> BuildPaf(const DemoContent& c) {
  const FirmwareProfile* profile = ProfileFor(c.version);
  if (profile == nullptr) return {};
  std::vector<uint8_t> image = NewModuleImage(static_cast<std::size_t>(profile->PafSize));
  ByteWriter w(image);
  if (profile->HarvestsConstants) {
    std::vector<CodeConstant> table = ConstantTable(kPafConstantGroups, PafPlantings(c));
    EmitConstantCode(image, kPafCodeStart, table);
  } else {
    PlantInImage(w, PafPlantings(c));
  }
  return w.ok() ? image : std::vector<uint8_t>{};
}

std::vector<uint8_t> BuildOpening(const DemoContent& c) {
  const FirmwareProfile* profile = ProfileFor(c.version);
  if (profile == nullptr) return {};
  std::vector<uint8_t> image = NewModuleImage(static_cast<std::size_t>(profile->OpeningSize));
  ByteWriter w(image);
  for (std::size_t i = 0; i < kBootSoundAreaSize; ++i) w.u8(profile->BootSoundOffset + i, BootSoundAreaByte(i));
  return w.ok() ? image : std::vector<uint8_t>{};
}

}  // namespace qorvi::demo
