// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/labels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "firmware/rco_container.h"
#include "model/container_places.h"

namespace qorvi {
namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& image, std::size_t offset, uint32_t v) {
  if (image.size() < offset + 4) image.resize(offset + 4);
  for (int i = 0; i < 4; ++i) image[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t Append(Bytes& image, std::string_view s, int zeros) {
  auto at = static_cast<uint32_t>(image.size());
  image.insert(image.end(), s.begin(), s.end());
  image.insert(image.end(), zeros, 0);
  return at;
}

uint32_t Append(Bytes& image, std::u16string_view s) {
  auto at = static_cast<uint32_t>(image.size());
  for (char16_t c : s) {
    image.push_back(static_cast<uint8_t>(c));
    image.push_back(static_cast<uint8_t>(c >> 8));
  }
  image.push_back(0);
  image.push_back(0);
  return at;
}

Bytes Utf16(std::u16string_view s) {
  Bytes b;
  Append(b, s);
  return b;
}

std::string SlotText(const std::array<char, kLabelTextBytes>& slot) { return std::string(slot.data()); }

// topmenu_icon.rco as far as the label reader looks: the image count at 0xDC and a
// label area that starts with the container's own name.
Bytes IconImage(const std::vector<std::string>& labels, int padding = 1, int count = -1) {
  Bytes image(0x100, 0);
  image[0xDC] = static_cast<uint8_t>(count < 0 ? labels.size() : count);
  Put32(image, rco::kLabelDataField, 0x100);
  Append(image, "topmenu_icon", 3);
  for (const std::string& label : labels) Append(image, label, padding);
  return image;
}

// One string of topmenu_plugin.rco's text table, in both languages.
struct Text {
  std::string label;
  std::u16string japanese;
  std::u16string english;
};

// topmenu_plugin.rco: a text table at 0x100 with both language indexes, then the
// label area and the text area. `stored_count` overrides the count the table claims.
struct PluginImage {
  Bytes image;
  uint32_t index0 = 0;  // file offsets of the two indexes
  uint32_t index1 = 0;
};

PluginImage MakePluginImage(const std::vector<Text>& texts) {
  PluginImage p;
  Bytes& image = p.image;
  const auto n = static_cast<uint32_t>(texts.size());
  image.assign(0x100, 0);
  Put32(image, rco::kTextTableField, 0x100);
  Put32(image, 0x100 + 0x54, n);
  p.index0 = 0x158;
  p.index1 = p.index0 + n * 12 + 72;
  image.resize(p.index1 + n * 12, 0);

  const auto label_area = static_cast<uint32_t>(image.size());
  Put32(image, rco::kLabelDataField, label_area);
  Append(image, "topmenu_plugin", 2);
  std::vector<uint32_t> labels;
  for (const Text& t : texts) labels.push_back(Append(image, t.label, 1 + labels.size() % 3) - label_area);

  const auto text_area = static_cast<uint32_t>(image.size());
  Put32(image, rco::kTextDataField, text_area);
  for (uint32_t i = 0; i < n; ++i) {
    uint32_t ja = Append(image, texts[i].japanese) - text_area;
    uint32_t en = Append(image, texts[i].english) - text_area;
    Put32(image, p.index0 + i * 12, labels[i]);
    Put32(image, p.index0 + i * 12 + 4, static_cast<uint32_t>(texts[i].japanese.size() * 2));
    Put32(image, p.index0 + i * 12 + 8, ja);
    Put32(image, p.index1 + i * 12, labels[i]);
    Put32(image, p.index1 + i * 12 + 4, static_cast<uint32_t>(texts[i].english.size() * 2));
    Put32(image, p.index1 + i * 12 + 8, en);
  }
  return p;
}

void SetItem(FirmwareState& s, int slot, const std::string& image_tag, const std::string& name_tag) {
  image_tag.copy(s.ItemTable[slot].MainImageTag.data(), 23);
  name_tag.copy(s.ItemTable[slot].NameTag.data(), 23);
}

FirmwareState StateWithItems(int32_t version) {
  FirmwareState s;
  s.FirmwareVersion = version;
  if (const FirmwareProfile* p = ProfileFor(version)) s.Profile = *p;  // the label names follow the profile
  s.ItemCount = 35;
  s.ImageLabelCount = 35;
  SetItem(s, 0, "tex_net_update", "msg_net_update");
  SetItem(s, 1, "tex_usb", "msg_usb");
  SetItem(s, 2, "tex_camera", "msg_camera");
  return s;
}

const std::vector<Text> kCategoryTexts = {
    {"msg_first", u"最初", u"First"},
    {"msgtop_sysconf", u"設定", u"Settings (old)"},
    {"msgshare_settings", u"設定", u"Settings"},
    {"msgtop_photo", u"フォト", u"Photo"},
    {"msgtop_music", u"ミュージック", u"Music"},
    {"msgtop_video", u"ビデオ", u"Video"},
    {"msg_tv", u"TV", u"TV"},
    {"msgtop_game", u"ゲーム", u"Game (old)"},
    {"msgshare_game", u"ゲーム", u"Game"},
    {"msgtop_network", u"ネットワーク", u"Network"},
    {"msg_psn", u"PlayStation Network", u"PlayStation Network"},
    {"msg_usb", u"USB接続", u"USB Connection"},
};

TEST(LabelTexts, CategoryNamesFollowTheVersionsLabels) {
  struct Case {
    int32_t version;
    const char* settings;
    const char* game;
  };
  for (const Case& c : {Case{390, "Settings (old)", "Game (old)"}, Case{395, "Settings (old)", "Game (old)"},
                        Case{401, "Settings", "Game"}, Case{500, "Settings", "Game"}}) {
    SCOPED_TRACE(c.version);
    FirmwareState s = StateWithItems(c.version);
    ASSERT_TRUE(ReadLabelTexts(MakePluginImage(kCategoryTexts).image, s));
    const char* expected[8] = {c.settings, "Photo", "Music", "Video", "TV", c.game, "Network", "PlayStation Network"};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(SlotText(s.LabelTextsEnglish[k]), expected[k]) << k;
    EXPECT_EQ(SlotText(s.LabelTextsJapanese[0]), "設定");
    EXPECT_EQ(SlotText(s.LabelTextsJapanese[2]), "ミュージック");
  }
}

TEST(LabelTexts, UnknownVersionMatchesNoSettingsOrGameLabel) {
  FirmwareState s = StateWithItems(0);
  ASSERT_TRUE(ReadLabelTexts(MakePluginImage(kCategoryTexts).image, s));
  EXPECT_EQ(SlotText(s.LabelTextsEnglish[0]), "First");
  EXPECT_EQ(SlotText(s.LabelTextsEnglish[5]), "First");
  EXPECT_EQ(SlotText(s.LabelTextsEnglish[1]), "Photo");
}

TEST(LabelTexts, ItemsTakeTheirNameTagsTextAndUnmatchedSlotsShowStringZero) {
  FirmwareState s = StateWithItems(401);
  ASSERT_TRUE(ReadLabelTexts(MakePluginImage(kCategoryTexts).image, s));
  EXPECT_EQ(SlotText(s.LabelTextsJapanese[kCategories + 1]), "USB接続");
  EXPECT_EQ(SlotText(s.LabelTextsEnglish[kCategories + 1]), "USB Connection");
  // Item 0's NameTag labels no string; items 40..47 have no record at all.
  for (int item : {0, 2, 39, 40, 47}) {
    EXPECT_EQ(SlotText(s.LabelTextsJapanese[kCategories + item]), "最初") << item;
    EXPECT_EQ(SlotText(s.LabelTextsEnglish[kCategories + item]), "First") << item;
  }
}

TEST(LabelTexts, LaterStringOfTheSameItemWins) {
  std::vector<Text> texts = kCategoryTexts;
  texts.push_back({"msg_usb", u"USB（新）", u"USB (new)"});
  FirmwareState s = StateWithItems(500);
  ASSERT_TRUE(ReadLabelTexts(MakePluginImage(texts).image, s));
  EXPECT_EQ(SlotText(s.LabelTextsEnglish[kCategories + 1]), "USB (new)");
  EXPECT_EQ(SlotText(s.LabelTextsJapanese[kCategories + 1]), "USB（新）");
}

TEST(LabelTexts, ItemsAtOrPastTheImageLabelCountAreNotMatched) {
  FirmwareState s = StateWithItems(500);
  s.ImageLabelCount = 1;  // only item slot 0 takes part
  ASSERT_TRUE(ReadLabelTexts(MakePluginImage(kCategoryTexts).image, s));
  EXPECT_EQ(SlotText(s.LabelTextsEnglish[kCategories + 1]), "First");
}

TEST(LabelTexts, NoStringsLeaveEverySlotEmpty) {
  FirmwareState s = StateWithItems(500);
  s.LabelTextsEnglish[3][0] = 'x';
  ASSERT_TRUE(ReadLabelTexts(MakePluginImage({}).image, s));
  for (int k = 0; k < kLabelTextSlots; ++k) {
    EXPECT_EQ(s.LabelTextsJapanese[k], (std::array<char, kLabelTextBytes>{})) << k;
    EXPECT_EQ(s.LabelTextsEnglish[k], (std::array<char, kLabelTextBytes>{})) << k;
  }
}

TEST(LabelTexts, UnusedIndexEntriesReadAsTheStartOfBothAreas) {
  PluginImage p = MakePluginImage(kCategoryTexts);
  // String 3 (photo) loses its label in language 0, so the photo slot falls back to
  // string 0; string 0 is marked unused in language 1, so its text is read from
  // text offset 0, where string 0's Japanese text lies.
  Put32(p.image, p.index0 + 3 * 12, 0);
  Put32(p.image, p.index1 + 0 * 12 + 4, 0xFFFFFFFF);
  FirmwareState s = StateWithItems(500);
  ASSERT_TRUE(ReadLabelTexts(p.image, s));
  EXPECT_EQ(SlotText(s.LabelTextsJapanese[1]), "最初");
  EXPECT_EQ(SlotText(s.LabelTextsEnglish[1]), "Photo");
  EXPECT_EQ(SlotText(s.LabelTextsEnglish[kCategories + 0]), "最初");
}

TEST(LabelTexts, MoreThan96StringsUseTheFirst96AndFindTheSecondIndexBehindAll) {
  std::vector<Text> texts = kCategoryTexts;
  while (texts.size() < 100) texts.push_back({"msg_filler", u"x", u"x"});
  texts[97] = {"msg_net_update", u"遅すぎ", u"Too late"};  // past the 96 the program reads
  texts[95] = {"msg_camera", u"カメラ", u"Camera"};
  FirmwareState s = StateWithItems(500);
  ASSERT_TRUE(ReadLabelTexts(MakePluginImage(texts).image, s));
  EXPECT_EQ(SlotText(s.LabelTextsEnglish[kCategories + 0]), "First");
  EXPECT_EQ(SlotText(s.LabelTextsEnglish[kCategories + 2]), "Camera");
  EXPECT_EQ(SlotText(s.LabelTextsJapanese[kCategories + 2]), "カメラ");
}

TEST(LabelTexts, UnreadableTableIsRefusedWithTheCheckAndItsOffset) {
  const PluginImage p = MakePluginImage(kCategoryTexts);
  FirmwareState s = StateWithItems(500);
  auto changed = [&](auto change) {
    Bytes b = p.image;
    change(b);
    return b;
  };
  const std::vector<std::pair<Bytes, std::string>> cases = {
      {Bytes(0x18, 0), "header: 4 bytes at 0x18 run past the end (24 bytes)"},  // no table offset
      {changed([](Bytes& b) { Put32(b, rco::kTextTableField, 0xFFFFFFF0); }),
       "text table offset 0xfffffff0 at 0x18: its string count at 0x100000044 lies past the end"},
      // A count far beyond the strings there: the first 96 index entries are read
      // and run off the image.
      {changed([](Bytes& b) { Put32(b, 0x100 + 0x54, 0xFFFFFFFF); }),
       "index of language 1 at 0x158 (4294967295 strings, count at 0x154): 4 bytes at 0x4d0 run past the end"},
      {changed([&](Bytes& b) { b.resize(p.index1 + 11 * 12 + 8); }),  // the last index entry cut short
       "index of language 2 at " + Hex(p.index1) + " (12 strings, count at 0x154): 4 bytes at " +
           Hex(p.index1 + 11 * 12 + 8) + " run past the end"},
  };
  for (const auto& [image, cause] : cases) {
    const Status r = ReadLabelTexts(image, s);
    ASSERT_FALSE(r.ok()) << cause;
    EXPECT_NE(r.cause().find(cause), std::string::npos) << r.cause();
  }
  // None of the refusals wrote a name.
  EXPECT_EQ(s.LabelTextsEnglish[0], (std::array<char, kLabelTextBytes>{}));
}

TEST(LabelTexts, LabelOrTextOutsideTheImageIsEmpty) {
  PluginImage p = MakePluginImage(kCategoryTexts);
  Put32(p.image, p.index0 + 11 * 12, 0x7FFFFFF0);     // USB label outside (language 0 only)
  Put32(p.image, p.index1 + 3 * 12 + 8, 0xFFFFFFF0);  // photo text outside (language 1)
  const uint32_t text_area = p.image[rco::kTextDataField] | (p.image[rco::kTextDataField + 1] << 8);
  Put32(p.image, p.index1 + 4 * 12 + 8, static_cast<uint32_t>(p.image.size()) - text_area);  // music text at the end
  FirmwareState s = StateWithItems(500);
  ASSERT_TRUE(ReadLabelTexts(p.image, s));
  EXPECT_EQ(SlotText(s.LabelTextsJapanese[kCategories + 1]), "最初");
  EXPECT_EQ(SlotText(s.LabelTextsEnglish[kCategories + 1]), "USB Connection");
  EXPECT_EQ(SlotText(s.LabelTextsEnglish[1]), "");
  EXPECT_EQ(SlotText(s.LabelTextsJapanese[1]), "フォト");
  EXPECT_EQ(SlotText(s.LabelTextsEnglish[2]), "");
}

TEST(LabelTexts, TextRunningOffTheImageIsCutThere) {
  std::vector<Text> texts = {{"msg_first", u"first", u"First"}, {"msgtop_photo", u"フォト", u"Photograph"}};
  PluginImage p = MakePluginImage(texts);
  p.image.resize(p.image.size() - 9);  // drop the zero, "aph" and the high byte of "r"
  FirmwareState s = StateWithItems(500);
  ASSERT_TRUE(ReadLabelTexts(p.image, s));
  EXPECT_EQ(SlotText(s.LabelTextsEnglish[1]), "Photog");
}

TEST(ImageLabels, ReadsPaddedLabelsAndMapsItemsToTheFirstMatch) {
  FirmwareState s = StateWithItems(500);
  s.SubIconImageIndex[1] = 17;  // no label matches item 1: the slot keeps its value
  s.SubIconImageIndex[40] = 9;  // slots past ItemCount are not touched
  Bytes image = IconImage({"tex_cate_setting", "tex_camera", "tex_net_update", "tex_camera"}, 5);
  ASSERT_TRUE(ReadImageLabels(image, s));
  ASSERT_EQ(s.ImageLabelCount, 4);
  EXPECT_EQ(std::string(s.ImageLabels[0].data()), "tex_cate_setting");
  EXPECT_EQ(std::string(s.ImageLabels[3].data()), "tex_camera");
  EXPECT_EQ(s.SubIconImageIndex[0], 2);
  EXPECT_EQ(s.SubIconImageIndex[1], 17);
  EXPECT_EQ(s.SubIconImageIndex[2], 1);
  EXPECT_EQ(s.SubIconImageIndex[40], 9);
}

TEST(ImageLabels, ComparisonIsExactAndLongLabelsKeep31Characters) {
  FirmwareState s = StateWithItems(500);
  std::string long_label(40, 'a');
  ASSERT_TRUE(ReadImageLabels(IconImage({"TEX_CAMERA", "tex_camera_x", long_label, "tex_camera"}), s));
  EXPECT_EQ(s.SubIconImageIndex[2], 3);
  EXPECT_EQ(std::string(s.ImageLabels[2].data()), long_label.substr(0, 31));
}

TEST(ImageLabels, CountByteIsSigned) {
  FirmwareState s = StateWithItems(500);
  s.ImageLabelCount = 5;
  ASSERT_TRUE(ReadImageLabels(IconImage({"tex_camera"}, 1, 0x80), s));  // -128
  EXPECT_EQ(s.ImageLabelCount, 0);
  EXPECT_EQ(s.SubIconImageIndex[2], 0);
}

TEST(ImageLabels, UnreadableLabelsAreRefusedWithTheCheckAndItsOffset) {
  FirmwareState s = StateWithItems(500);
  Bytes far = IconImage({"tex_camera"});
  Put32(far, rco::kLabelDataField, 0xFFFFFFFF);
  Bytes cut = IconImage({"tex_camera", "tex_usb"});
  cut.pop_back();  // the last name loses its zero
  const std::vector<std::pair<Bytes, std::string>> cases = {
      {Bytes(0xDC, 0), "header: 1 byte at 0xdc run past the end (220 bytes)"},  // no count byte
      {far, "container name (label area 0xffffffff at 0x40, 1 images at 0xdc): offset 0xffffffff lies past the end"},
      // More images claimed than names present: the last name runs off the image.
      {IconImage({"tex_camera", "tex_usb"}, 1, 3), "label of image 2 (label area 0x100 at 0x40, 3 images at 0xdc)"},
      {cut,
       "label of image 1 (label area 0x100 at 0x40, 2 images at 0xdc): the string at 0x11a has no terminating "
       "zero before the end (289 bytes)"},
  };
  for (const auto& [image, cause] : cases) {
    const Status r = ReadImageLabels(image, s);
    ASSERT_FALSE(r.ok()) << cause;
    EXPECT_NE(r.cause().find(cause), std::string::npos) << r.cause();
  }
  EXPECT_EQ(s.ImageLabelCount, 35);  // untouched by the refusals
}

TEST(ConvertName, JapaneseBecomesUtf8) {
  std::array<char, kLabelTextBytes> slot;
  ConvertName(Utf16(u"ミュージック"), slot);
  EXPECT_EQ(SlotText(slot), "\xE3\x83\x9F\xE3\x83\xA5\xE3\x83\xBC\xE3\x82\xB8\xE3\x83\x83\xE3\x82\xAF");
  ConvertName(Utf16(u"é"), slot);
  EXPECT_EQ(SlotText(slot), "\xC3\xA9");
}

TEST(ConvertName, LongNamesAreCutAtACharacterBoundaryAndZeroFilled) {
  std::array<char, kLabelTextBytes> slot;
  slot.fill('x');
  ConvertName(Utf16(std::u16string(20, u'設')), slot);
  std::string expected;
  for (int i = 0; i < 15; ++i) expected += "設";
  EXPECT_EQ(SlotText(slot), expected);  // 45 bytes; a 16th character would need 48
  for (std::size_t i = 45; i < slot.size(); ++i) EXPECT_EQ(slot[i], 0) << i;

  ConvertName(Utf16(std::u16string(60, u'a')), slot);
  EXPECT_EQ(SlotText(slot), std::string(47, 'a'));

  // 44 ASCII bytes leave room for no 4-byte character.
  ConvertName(Utf16(std::u16string(44, u'a') + u"\U0001F600"), slot);
  EXPECT_EQ(SlotText(slot), std::string(44, 'a'));
}

TEST(ConvertName, SurrogatesPairOrBecomeReplacementCharacters) {
  struct Case {
    std::u16string in;
    std::string out;
  };
  const Case cases[] = {
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {std::u16string{0xD83D, u'a'},
       "\xEF\xBF\xBD"
       "a"},                                                         // high without low
      {std::u16string{u'a', 0xDE00}, "a\xEF\xBF\xBD"},               // low without high
      {std::u16string{0xD83D}, "\xEF\xBF\xBD"},                      // high at the end
      {std::u16string{0xDE00, 0xD83D}, "\xEF\xBF\xBD\xEF\xBF\xBD"},  // reversed pair
  };
  for (const Case& c : cases) {
    std::array<char, kLabelTextBytes> slot;
    ConvertName(Utf16(c.in), slot);
    EXPECT_EQ(SlotText(slot), c.out);
  }
}

TEST(ConvertName, StopsAtTheZeroUnitAndAtTheEndOfTheBytes) {
  std::array<char, kLabelTextBytes> slot;
  ConvertName(Utf16(std::u16string{u'A', 0, u'B'}), slot);
  EXPECT_EQ(SlotText(slot), "A");
  Bytes odd = {'A', 0, 'B'};  // half a unit at the end
  ConvertName(odd, slot);
  EXPECT_EQ(SlotText(slot), "A");
  ConvertName({}, slot);
  EXPECT_EQ(SlotText(slot), "");
}

}  // namespace
}  // namespace qorvi
