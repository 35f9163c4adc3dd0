// SPDX-License-Identifier: GPL-3.0-or-later
// The descriptions the readers and writers share: the tag field, the colour
// conversion, the record layouts, the paf slot table and the version capabilities.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <string_view>
#include <vector>

#include "model/colors.h"
#include "model/firmware_profile.h"
#include "model/fixed_string.h"
#include "model/record_layouts.h"

namespace qorvi {
namespace {

std::vector<uint8_t> Field(std::string_view text, std::size_t size = kItemTagBytes, uint8_t behind = 0) {
  std::vector<uint8_t> bytes(size, behind);
  std::copy(text.begin(), text.end(), bytes.begin());
  if (text.size() < size) bytes[text.size()] = 0;
  return bytes;
}

TEST(ItemTag, KeepsTheTextAsStoredWithoutForcingAZero) {
  struct Case {
    std::vector<uint8_t> stored;
    std::string text;
    std::size_t written;  // bytes a writer puts back
  } cases[] = {
      {Field("tex_camera"), "tex_camera", 11},
      {Field(std::string(24, 'x')), std::string(24, 'x'), 24},  // no zero: all 24 bytes, none forced
      {Field(std::string(23, 'y')), std::string(23, 'y'), 24},
      {Field("ab", 24, 0x77), "ab", 3},  // what lies behind the zero is not the tag's
      {Field(""), "", 1},
  };
  for (const Case& c : cases) {
    const ItemTag tag = ItemTag::FromBytes(c.stored);
    EXPECT_EQ(tag.view(), c.text);
    EXPECT_EQ(tag.StoredBytes().size(), c.written) << c.text;
    EXPECT_TRUE(std::equal(tag.StoredBytes().begin(), tag.StoredBytes().end(), c.stored.begin())) << c.text;
    EXPECT_EQ(tag, ItemTag::FromText(c.text)) << "a tag set from its text is the same tag";
  }
  // From text: the text zero-padded, cut at 24 bytes.
  const ItemTag long_tag = ItemTag::FromText(std::string(30, 'z'));
  EXPECT_EQ(long_tag.view(), std::string(24, 'z'));
  ItemTag t = ItemTag::FromText("msg_net_update");
  t.SetText("msg_usb");
  EXPECT_EQ(t, ItemTag::FromText("msg_usb")) << "nothing of the longer text is left";
  EXPECT_EQ(t.size(), 24u);
  EXPECT_STREQ(t.data(), "msg_usb");
  // Labels and names are plain fields of the same kind.
  const std::array<char, 4> full{'a', 'b', 'c', 'd'};
  const std::array<char, 4> short_text{'a', '\0', 'c', 'd'};
  EXPECT_EQ(TextOf(full), "abcd");
  EXPECT_EQ(TextOf(short_text), "a");
}

TEST(ColorByteFromFloat, TruncatesTimes255AndWrapsOutsideTheRange) {
  struct Case {
    float channel;
    int byte;
  } cases[] = {
      {0.0f, 0},       {1.0f, 255},   {0.5f, 127},    {0.999f, 254},
      {0.0039215f, 0}, {1.5f, 126},                 // 382 & 255
      {-0.5f, 129},                                 // -127 & 255
      {2.0f, 254},     {-1.0f, 1},    {256.0f, 0},  // 65280 & 255
      {-0.0f, 0},      {1e30f, 0},    {-1e30f, 0},    {3.4e38f, 0},
      {1e10f, 0},                                                                 // 2550000000000 & 255
      {NAN, 0},        {INFINITY, 0}, {-INFINITY, 0}, {36028797018963968.0f, 0},  // 2^55
  };
  for (const Case& c : cases) EXPECT_EQ(ColorByteFromFloat(c.channel), c.byte) << c.channel;
  for (int b = 0; b < 256; ++b) EXPECT_EQ(ColorByteFromFloat(FloatFromColorByte(static_cast<uint8_t>(b))), b);
}

TEST(RecordLayouts, FieldsTileTheirRecords) {
  // Every byte of an item record belongs to exactly one field or to the bytes the
  // program does not keep.
  std::vector<int> owner(ItemRecordLayout::kSize, 0);
  for (const auto& w : ItemRecordLayout::kWords) {
    for (uint64_t i = 0; i < 4; ++i) ++owner[w.offset + i];
  }
  ++owner[ItemRecordLayout::kUmdFlag];
  for (const auto& t : ItemRecordLayout::kTags) {
    for (uint64_t i = 0; i < kItemTagBytes; ++i) ++owner[t.offset + i];
  }
  for (uint64_t b : ItemRecordLayout::kForeignBytes) ++owner[b];
  for (uint64_t b = ItemRecordLayout::kForeignTail; b < ItemRecordLayout::kSize; ++b) ++owner[b];
  for (uint64_t b = 0; b < ItemRecordLayout::kSize; ++b) EXPECT_EQ(owner[b], 1) << "byte " << b;

  EXPECT_EQ(CategoryEntryRecord::kSize, CategoryEntryRecord::kBytes.size() * CategoryEntryRecord::kWordSize);
  EXPECT_EQ(ColorEntryRecord::kSize, ColorEntryRecord::kChannels.size() * 4);
}

TEST(PafSlotTable, WritesEachSlotOnceInItsFixedOrder) {
  std::vector<int> order;
  std::set<int> slots;
  for (const PafSlot& s : PafSlotTable()) {
    order.push_back(s.slot);
    EXPECT_TRUE(slots.insert(s.slot).second) << s.slot;
    EXPECT_EQ(s.extended, s.slot >= 19) << s.slot;
    EXPECT_EQ(s.loaded, s.slot != 8) << s.slot;
  }
  // 3.90 keeps slots 13 and 17 in one place; 17 must be written after 13.
  const std::vector<int> want{0,  1,  2,  3,  6,  5,  4,  7,  8,  9,  10, 11, 12, 13, 14, 17, 16, 18, 15,
                              19, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37};
  EXPECT_EQ(order, want);
  EXPECT_EQ(ProfileFor(390)->PafOffsets[13], ProfileFor(390)->PafOffsets[17]);
  // Every slot of the table has a place where the version has the slot.
  for (int32_t v : kFirmwareVersions) {
    for (const PafSlot& s : PafSlotTable()) {
      const bool used = !s.extended || ProfileFor(v)->HasExtendedFields;
      EXPECT_EQ(ProfileFor(v)->PafOffsets[s.slot] != 0, used) << v << " slot " << s.slot;
    }
  }
}

TEST(FirmwareProfile, CapabilitiesPerVersion) {
  struct Row {
    int32_t version;
    bool eighth, harvests, new_labels, plain, second_spacing, extended;
    int colors;
  } rows[] = {
      {390, false, false, false, false, false, false, 28},
      {395, false, false, false, true, false, false, 28},
      {401, false, false, true, false, false, false, 28},
      {500, true, true, true, false, true, true, 30},
  };
  for (const Row& r : rows) {
    const FirmwareProfile& p = *ProfileFor(r.version);
    SCOPED_TRACE(r.version);
    EXPECT_EQ(p.HasEighthCategory, r.eighth);
    EXPECT_EQ(p.HarvestsConstants, r.harvests);
    EXPECT_EQ(p.NewLabelNames, r.new_labels);
    EXPECT_EQ(p.AlwaysPlainModules, r.plain);
    EXPECT_EQ(p.SubIconSecondSpacing, r.second_spacing);
    EXPECT_EQ(p.HasExtendedFields, r.extended);
    EXPECT_EQ(p.ColorEntryCount, r.colors);
    EXPECT_EQ(p.ClearedVshWord != 0, r.harvests);
    EXPECT_EQ(VersionFromSize(p.VshmainSize), r.version);
  }
  const FirmwareProfile none;
  EXPECT_FALSE(none.HasEighthCategory || none.HarvestsConstants || none.NewLabelNames || none.AlwaysPlainModules);
  EXPECT_EQ(ProfileFor(400), nullptr);
  EXPECT_EQ(VersionFromSize(300000), 0);
}

// What a version stores is what its place tables hold: the fields marked "5.00
// only" have no place before 5.00, and SubIconUpperSpace2 (fixed at 60 on 5.00) has
// none in any version.
TEST(FirmwareProfile, StoresTheFieldsItsTablesPlace) {
  const std::set<std::string_view> five_only{
      "SubIconLowerSpace2", "SubIconUpperSpace2", "IconSpeedX2",    "IconSpeedY2",    "SubMenuUnderMSTextY",
      "Sub2NetSearchX",     "Sub2NetRadioX",      "Sub2GameTitleX", "Sub2PhotVideoX", "Sub2RSSFeedsX",
      "Sub2SettingOptX",    "Sub2SettingOptY",    "OptSize1",       "OptSize2",       "GameSpace",
      "VideoSpace",         "MusicSpace",         "PhotoSpace",     "OptSpace"};
  for (int32_t v : kFirmwareVersions) {
    for (const LayoutField& f : LayoutFields()) {
      const bool stored = f.name != "SubIconUpperSpace2" && (v == 500 || !five_only.contains(f.name));
      EXPECT_EQ(StoresField(*ProfileFor(v), f), stored) << v << " " << f.name;
    }
  }
}

// Two fields in one place, found from the tables: only 3.90's pair, and the file
// keeps the one written last.
TEST(FirmwareProfile, SharedPlacesComeFromThePlaceTables) {
  for (int32_t v : kFirmwareVersions) {
    const std::vector<SharedPlace> shared = SharedPlaces(*ProfileFor(v));
    if (v != 390) {
      EXPECT_TRUE(shared.empty()) << v;
      continue;
    }
    ASSERT_EQ(shared.size(), 1u);
    EXPECT_EQ(shared[0].file, "paf.prx");
    EXPECT_EQ(shared[0].overwritten, &LayoutFieldOf(&LayoutRecord::SubMenuTextX2));
    EXPECT_EQ(shared[0].kept, &LayoutFieldOf(&LayoutRecord::SubMenuTextX1Seg));
  }
  // A conflict only while the two would be written differently.
  LayoutRecord l;
  l.SubMenuTextX2 = l.SubMenuTextX1Seg = 31;
  EXPECT_TRUE(SharedPlaceConflicts(*ProfileFor(390), l).empty());
  l.SubMenuTextX2 = 77;
  EXPECT_EQ(SharedPlaceConflicts(*ProfileFor(390), l).size(), 1u);
  EXPECT_TRUE(SharedPlaceConflicts(*ProfileFor(395), l).empty());
  // 2^24 + 1 is written as the single 2^24.
  l.SubMenuTextX2 = (1 << 24) + 1;
  l.SubMenuTextX1Seg = 1 << 24;
  EXPECT_TRUE(SharedPlaceConflicts(*ProfileFor(390), l).empty());
}

}  // namespace
}  // namespace qorvi
