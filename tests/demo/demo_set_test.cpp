// SPDX-License-Identifier: GPL-3.0-or-later
// The synthetic firmware sets: sizes, the 5.00 constant code, places the readers
// and Save rely on, determinism and the compressed variant. Loading the sets end to
// end is the load sequence's and the command line's business.
#include "demo/demo_set.h"

#include <gtest/gtest.h>

#include <set>
#include <variant>

#include "demo/module_builder.h"
#include "firmware/byte_reader.h"
#include "firmware/constants_harvest.h"
#include "firmware/psp_package.h"
#include "model/firmware_profile.h"
#include "model/work_area.h"

namespace qorvi::demo {
namespace {

class DemoSetTest : public ::testing::TestWithParam<int32_t> {};

INSTANTIATE_TEST_SUITE_P(Versions, DemoSetTest, ::testing::ValuesIn(kFirmwareVersions));

uint32_t U32(std::span<const uint8_t> bytes, uint64_t at) { return ByteReader(bytes).u32(at); }

TEST_P(DemoSetTest, ModulesHaveTheVersionSizesAndContainersAreNeverStock) {
  const int32_t version = GetParam();
  const FirmwareProfile& p = *ProfileFor(version);
  const DemoFiles f = BuildDemoSet({version, false, true});
  EXPECT_EQ(f.vshmain.size(), static_cast<std::size_t>(p.VshmainSize));
  EXPECT_EQ(f.paf.size(), static_cast<std::size_t>(p.PafSize));
  EXPECT_EQ(f.opening.size(), static_cast<std::size_t>(p.OpeningSize));

  struct Container {
    const std::vector<uint8_t>* bytes;
    std::size_t capacity;
    int32_t FirmwareProfile::*stock;
  };
  for (const Container& c :
       {Container{&f.topmenuPlugin, Capacity(FileArea::TopmenuPlugin), &FirmwareProfile::TopmenuPluginStockSize},
        Container{&f.systemPluginFg, Capacity(FileArea::SystemPluginFg), &FirmwareProfile::SystemPluginFgStockSize},
        Container{&f.topmenuIcon, Capacity(FileArea::TopmenuIcon), &FirmwareProfile::TopmenuIconStockSize}}) {
    ASSERT_GT(c.bytes->size(), 0x100u);
    EXPECT_LE(c.bytes->size(), c.capacity);
    for (int32_t v : kFirmwareVersions) EXPECT_NE(c.bytes->size(), static_cast<std::size_t>(ProfileFor(v)->*c.stock));
    const std::vector<uint8_t> signature{0x00, 'P', 'R', 'F', 0x71};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), c.bytes->begin()));
  }
  EXPECT_GT(f.bootSound.size(), 44u);
  EXPECT_LT(f.bootSound.size(), kBootSoundAreaSize);
}

TEST_P(DemoSetTest, OnlyTheConstantCodeHoldsInstructionLikeWords) {
  const int32_t version = GetParam();
  const DemoFiles f = BuildDemoSet({version, false, false});
  struct Module {
    const std::vector<uint8_t>* bytes;
    int groups;  // constant groups expected (5.00 vshmain and paf only)
  };
  const bool v500 = version == 500;
  for (const Module& m : {Module{&f.vshmain, v500 ? kVshConstantGroups : 0},
                          Module{&f.paf, v500 ? kPafConstantGroups : 0}, Module{&f.opening, 0}}) {
    ByteReader r(*m.bytes);
    std::size_t first = m.bytes->size();
    std::size_t last = 0;
    int lui = 0;
    int mtc1 = 0;
    for (std::size_t at = 0; at + 4 <= m.bytes->size(); at += 4) {
      const uint32_t w = r.u32(at);
      if (!IsConstantInstruction(w)) continue;
      first = std::min(first, at);
      last = at;
      lui += (w >> 16) == kLuiAtHigh;
      mtc1 += (w >> 16) == kMtc1AtHigh;
    }
    EXPECT_EQ(lui, m.groups);
    EXPECT_EQ(mtc1, m.groups);
    // All of them in one stretch of code, at most four words per group: no data
    // table holds such a word.
    if (m.groups > 0) {
      EXPECT_LT(last - first, static_cast<std::size_t>(16 * m.groups));
    }
  }
}

TEST(DemoSet500, HarvestFindsThePlantedValuesAtTheirEntries) {
  const DemoContent c = DefaultDemoContent(500);
  const FirmwareProfile& p = *ProfileFor(500);
  const DemoFiles f = BuildDemoSet(c, {500, false, false});
  std::vector<uint32_t> vsh(kVshConstantEntries);
  std::vector<uint32_t> paf(kPafConstantEntries);
  ASSERT_EQ(HarvestConstants(f.vshmain, vsh), 4 * kVshConstantGroups);
  ASSERT_EQ(HarvestConstants(f.paf, paf), 4 * kPafConstantGroups);

  auto f32 = [](int32_t v) { return FloatBits(static_cast<float>(v)); };
  const auto& S = p.VshOffsets;
  EXPECT_EQ(vsh[S[kVshMainIconX] / 4], f32(c.layout.MainIconX));
  EXPECT_EQ(vsh[S[kVshMainIconY] / 4], f32(c.layout.MainIconY));
  EXPECT_EQ(vsh[S[kVshUnfIconY] / 4], f32(c.layout.UnfIconY));
  EXPECT_EQ(vsh[S[kVshUnfIconYPlusOne] / 4], f32(c.layout.UnfIconY + 1));
  EXPECT_EQ(vsh[S[kVshClockX] / 4], f32(c.layout.ClockX));
  EXPECT_EQ(vsh[S[kVshClockY] / 4], f32(c.layout.ClockY));
  EXPECT_EQ(vsh[S[kVshBusySpeed] / 4], FloatBits(c.layout.BusySpeed));
  for (int entry : {361, 428, 432, 466}) EXPECT_EQ(vsh[entry], f32(c.layout.MainIconX)) << entry;

  std::set<uint32_t> seen;
  for (const PafSlot& slot : PafSlotTable()) {
    const int k = slot.slot;
    ASSERT_NE(p.PafOffsets[k], 0u) << "every slot of the table has a place on 5.00";
    uint32_t want = 0;
    if (auto* whole = std::get_if<int32_t LayoutRecord::*>(&slot.field->member)) {
      want = f32(c.layout.*(*whole));
    } else {
      want = FloatBits(c.layout.*std::get<float LayoutRecord::*>(slot.field->member));
    }
    EXPECT_EQ(paf[p.PafOffsets[k] / 4], want) << "slot " << k;
    // No two fields share a value, so a test can tell which went where (slot 8
    // repeats SubIconSize on purpose).
    if (slot.loaded) {
      EXPECT_TRUE(seen.insert(want).second) << "slot " << k;
    }
  }
}

TEST_P(DemoSetTest, PlacesTheReadersAndSaveRelyOnAreThere) {
  const int32_t version = GetParam();
  const DemoContent c = DefaultDemoContent(version);
  const DemoFiles f = BuildDemoSet(c, {version, false, false});

  // topmenu_plugin.rco: the chain Save follows ends at a float holding MainIconX.
  const std::vector<uint8_t>& plugin = f.topmenuPlugin;
  const uint64_t e1 = U32(plugin, 0x30) + 0x28;
  const uint64_t e2 = e1 + U32(plugin, e1 + 0x14);
  const uint64_t e3 = e2 + U32(plugin, e2 + 0x18) + 0x28;
  ASSERT_LE(e3 + 4, plugin.size());
  EXPECT_EQ(ByteReader(plugin).f32(e3), static_cast<float>(c.layout.MainIconX));

  // system_plugin_fg.rco: the battery stream starts the image data area (its count
  // is the packed size, inside the file), the busy stream lies where 0x2AC says
  // (the last picture: its count, the unpacked size, runs past the end).
  const std::vector<uint8_t>& fg = f.systemPluginFg;
  const uint64_t data = U32(fg, 0x80);
  const uint64_t objects = U32(fg, 0x30);
  EXPECT_GE(objects, 0x2B4u);  // clear of the fixed image places
  EXPECT_LE(data + U32(fg, 0x120), fg.size());
  EXPECT_GT(data + U32(fg, 0x2AC) + U32(fg, 0x2B0), fg.size());
  for (uint64_t offset : {uint64_t{0}, uint64_t{U32(fg, 0x2AC)}}) {
    ASSERT_LT(data + offset, fg.size());
    EXPECT_EQ(fg[data + offset], 0x78);  // zlib header
  }

  // topmenu_icon.rco: the image count byte and every image's stream.
  const std::vector<uint8_t>& icon = f.topmenuIcon;
  const DemoExpectation want = ExpectedDemoLoad(version);
  ASSERT_EQ(static_cast<std::size_t>(static_cast<int8_t>(icon[0xDC])), want.imageLabels.size());
  const uint64_t icon_data = U32(icon, 0x80);
  for (std::size_t k = 0; k < want.imageLabels.size(); ++k) {
    const uint64_t offset = U32(icon, 0x124 + 56 * k);
    ASSERT_LT(icon_data + offset, icon.size()) << k;
    EXPECT_EQ(icon[icon_data + offset], 0x78) << k;
  }
  // As in real containers the count handed to inflate is the picture's unpacked
  // size, so the last picture's count runs past the end of the file.
  const std::size_t last = want.imageLabels.size() - 1;
  EXPECT_GT(icon_data + U32(icon, 0x124 + 56 * last) + U32(icon, 0x128 + 56 * last), icon.size());

  // opening_plugin.prx: the boot sound area holds the demo pattern.
  const std::size_t area = static_cast<std::size_t>(ProfileFor(version)->BootSoundOffset);
  for (std::size_t i : {std::size_t{0}, std::size_t{1}, kBootSoundAreaSize - 1}) {
    EXPECT_EQ(f.opening[area + i], BootSoundAreaByte(i));
  }
}

TEST(DemoSetContent, ChangedValuesReachTheFilesAndTheExpectation) {
  DemoContent c = DefaultDemoContent(390);
  c.layout.MainIconX = -12;
  c.layout.SubMenuTextX2 = 150;
  c.layout.SubMenuTextX1Seg = 151;
  c.items[3].english = "Photo Options";
  const DemoFiles f = BuildDemoSet(c, {390, false, false});
  const FirmwareProfile& p = *ProfileFor(390);
  EXPECT_EQ(ByteReader(f.vshmain).f32(p.VshOffsets[kVshMainIconX]), -12.0f);

  const DemoExpectation want = ExpectedLoad(c);
  EXPECT_EQ(want.layout.MainIconX, -12);
  // 3.90 keeps both values in one place; the file holds the later slot's (17) value.
  EXPECT_EQ(ByteReader(f.paf).f32(p.PafOffsets[13]), 151.0f);
  EXPECT_EQ(want.layout.SubMenuTextX2, 151);
  EXPECT_EQ(want.layout.SubMenuTextX1Seg, 151);
  EXPECT_STREQ(want.english[kCategories + 3].data(), "Photo Options");
  // 5.00-only fields stay zero for an older version; 5.00 sets the upper spacing to 60.
  EXPECT_EQ(want.layout.OptSpace, 0.0f);
  EXPECT_EQ(ExpectedDemoLoad(500).layout.SubIconUpperSpace2, 60);
}

TEST(DemoSetOutput, IsTheSameEveryRun) {
  for (int32_t version : {390, 500}) {
    const DemoFiles a = BuildDemoSet({version, true, true});
    const DemoFiles b = BuildDemoSet({version, true, true});
    EXPECT_EQ(a.vshmain, b.vshmain);
    EXPECT_EQ(a.paf, b.paf);
    EXPECT_EQ(a.opening, b.opening);
    EXPECT_EQ(a.topmenuPlugin, b.topmenuPlugin);
    EXPECT_EQ(a.systemPluginFg, b.systemPluginFg);
    EXPECT_EQ(a.topmenuIcon, b.topmenuIcon);
    EXPECT_EQ(a.bootSound, b.bootSound);
  }
}

TEST_P(DemoSetTest, CompressedModulesUnpackToThePlainOnesAndCarryTheDemoHeaders) {
  const int32_t version = GetParam();
  const DemoFiles plain = BuildDemoSet({version, false, false});
  const DemoFiles packed = BuildDemoSet({version, true, false});
  std::vector<uint8_t> out(kInflateLimit);
  struct Module {
    const std::vector<uint8_t>* plain;
    const std::vector<uint8_t>* packed;
    uint32_t entry;
  };
  for (const Module& m :
       {Module{&plain.vshmain, &packed.vshmain, kDemoVshmainEntry}, Module{&plain.paf, &packed.paf, kDemoPafEntry},
        Module{&plain.opening, &packed.opening, kDemoVshmainEntry}}) {
    ASSERT_TRUE(HasPspSignature(*m.packed));
    EXPECT_EQ(U32(*m.packed, kPspEntryOffset), m.entry);
    ASSERT_EQ(UnpackPsp(*m.packed, out), m.plain->size());
    EXPECT_TRUE(std::equal(m.plain->begin(), m.plain->end(), out.begin()));
  }
  EXPECT_NE(U32(packed.vshmain, kPspEntryOffset), U32(BuiltinVshmainPspHeader(), kPspEntryOffset));
  EXPECT_NE(U32(packed.paf, kPspEntryOffset), U32(BuiltinPafPspHeader(), kPspEntryOffset));
  // The containers are never compressed.
  EXPECT_EQ(plain.topmenuIcon, packed.topmenuIcon);
}

}  // namespace
}  // namespace qorvi::demo
