// SPDX-License-Identifier: GPL-3.0-or-later
// The layout document on its own: what is written reads back to the same bits
// (NaNs and infinities included), what a document may change, and every refusal
// with its one-line reason.
#include "layout_json/layout_json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <utility>

#include "firmware/byte_reader.h"
#include "model/firmware_profile.h"
#include "support/scoped_temp_dir.h"

namespace qorvi::layout_json {
namespace {

using qorvi::testing::ScopedTempDir;

float Nan(uint32_t bits) { return BitsFloat(bits); }

TEST(LayoutJsonFloat, EverySingleReadsBackToItsBits) {
  const float values[] = {0.7f,
                          -0.0f,
                          1e-45f,
                          std::numeric_limits<float>::max(),
                          -std::numeric_limits<float>::min(),
                          62.5f,
                          std::numeric_limits<float>::infinity(),
                          -std::numeric_limits<float>::infinity(),
                          Nan(0x7FC00000),
                          Nan(0xFFC00001),
                          Nan(0x7F800001)};
  for (float v : values) {
    const Json j = FloatToJson(v);
    // Through the text, as a file would carry it.
    const Json back = Json::parse(j.dump());
    std::string error;
    const std::optional<float> f = FloatFromJson(back, error);
    ASSERT_TRUE(f.has_value()) << j.dump() << ": " << error;
    EXPECT_EQ(FloatBits(*f), FloatBits(v)) << j.dump();
  }
  EXPECT_EQ(FloatToJson(Nan(0xFFC00001)), "nan:0xffc00001");
  EXPECT_EQ(FloatToJson(-std::numeric_limits<float>::infinity()), "-inf");
  EXPECT_EQ(FloatToJson(0.7f).dump(), "0.7");
}

TEST(LayoutJsonFloat, ValuesThatAreNoFiniteSingleAreRefused) {
  for (const char* text : {"1e39", "-3.5e38", "3.4028236e38", R"("nan")", R"("NaN")", R"("Infinity")",
                           R"("nan:0x3f800000")", R"("nan:0x7fc0000")", R"("nan:0x7fc0000g")", "true", "null"}) {
    std::string error;
    EXPECT_FALSE(FloatFromJson(Json::parse(text), error).has_value()) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
  std::string error;
  // The largest single, and a decimal just below the halfway point to the next power of two.
  EXPECT_EQ(FloatFromJson(Json::parse("3.4028235e38"), error), std::numeric_limits<float>::max());
  EXPECT_EQ(FloatFromJson(Json::parse("3.40282356e38"), error), std::numeric_limits<float>::max());
}

// A state with a value in every field, some of them not numbers at all.
FirmwareState Sample(int32_t version) {
  FirmwareState s;
  s.FirmwareVersion = version;
  int k = 0;
  for (const LayoutField& f : LayoutFields()) {
    ++k;
    if (auto* ip = std::get_if<int32_t LayoutRecord::*>(&f.member)) {
      s.Layout.*(*ip) = f.rule == ParseRule::ClampedSize ? 30000 : -1000 + 37 * k;
    } else {
      s.Layout.*(std::get<float LayoutRecord::*>(f.member)) = 0.1f * static_cast<float>(k);
    }
  }
  s.Layout.WaveSpeed = Nan(0x7FC00123);
  s.Layout.BusySpeed = -std::numeric_limits<float>::infinity();
  for (int i = 0; i < kColorTableEntries; ++i) {
    s.Layout.TextColor[i] = {i / 30.0f, 0.5f, 1.0f - i / 60.0f};
    s.Layout.BGColor[i] = {0.25f, i / 7.0f, Nan(0xFFC00000 + static_cast<uint32_t>(i))};
  }
  s.Layout.BatteryColor = {1, 2, 3};
  s.Layout.ClockColor = {255, 0, 128};
  s.Layout.BusyColor = {9, 8, 7};
  for (int i = 0; i < kCategoryEntrySlots; ++i) {
    s.CategoryEntries[i] = {static_cast<uint8_t>(i % 8), static_cast<uint8_t>(i), 7, static_cast<uint8_t>(i * 8)};
  }
  for (int i = 0; i < kItemSlots; ++i) {
    ItemRecord& r = s.ItemTable[i];
    r.Word0 = 0xFFFFFFFFu - i;
    r.Media = 3;
    r.ExecGroup = i;
    r.ExecFunction = 2 * i;
    r.Word6 = 0x80000000u;
    r.UmdFlag = 1;
    r.ExecIndex = -1;
    std::snprintf(r.NameTag.data(), r.NameTag.size(), "msg_%d", i);
    std::snprintf(r.MainImageTag.data(), r.MainImageTag.size(), "%s", "tex_a_tag_of_23_bytes__");
  }
  return s;
}

// The document describes every value to the bit, so equal documents mean equal values.
Json Part(const FirmwareState& s, const char* key) { return ModelToJson(s)[key]; }

TEST(LayoutJson, ExportThenImportGivesTheSameModel) {
  FirmwareState original = Sample(500);
  // Tags that are not UTF-8, of every length up to all 24 bytes without a zero.
  original.ItemTable[3].NameTag = ItemTag::FromText("msg_\xe9sb");
  original.ItemTable[4].MainImageTag =
      ItemTag::FromText("\xff\xfe\x80\xc0\xaf%41 \x01\x7f\xed\xa0\x80\xf4\x90\x80\x80z");
  original.ItemTable[5].ConfImageTag = ItemTag::FromText(std::string(24, '\xe9'));
  const std::string text = ModelToText(original);
  EXPECT_EQ(text.find("null"), std::string::npos) << "no value is lost as null";
  EXPECT_EQ(text.back(), '\n');

  const ParsedLayout parsed = ParseLayoutText(text);
  ASSERT_TRUE(parsed.changes.has_value()) << parsed.error;
  FirmwareState target;
  target.FirmwareVersion = 500;
  // No version stores SubIconUpperSpace2: the one value the document cannot give.
  EXPECT_EQ(ApplyLayoutChanges(*parsed.changes, target),
            std::vector<std::string>{
                "layout.SubIconUpperSpace2 skipped: the loaded firmware is version 500, which does not store it"});
  target.Layout.SubIconUpperSpace2 = original.Layout.SubIconUpperSpace2;
  for (const char* key : {"layout", "categoryEntries", "items"}) EXPECT_EQ(Part(target, key), Part(original, key));
  for (std::size_t i = 0; i < kItemSlots; ++i) {
    const ItemRecord& a = target.ItemTable[i];
    const ItemRecord& b = original.ItemTable[i];
    EXPECT_TRUE(a.MainImageTag == b.MainImageTag && a.ShadowImageTag == b.ShadowImageTag &&
                a.ConfImageTag == b.ConfImageTag && a.NameTag == b.NameTag)
        << "item " << i;
  }
  // The keys that describe a load are not read back.
  EXPECT_EQ(target.CategoryEntryCount, 0);
  EXPECT_EQ(target.ImageLabelCount, 0);
}

TEST(LayoutJson, AnotherVersionTakesTheLayoutOnly) {
  const ParsedLayout parsed = ParseLayoutText(ModelToText(Sample(500)));
  ASSERT_TRUE(parsed.changes.has_value()) << parsed.error;
  FirmwareState target;
  target.FirmwareVersion = 395;
  const FirmwareState before = target;
  EXPECT_EQ(ApplyLayoutChanges(*parsed.changes, target),
            (std::vector<std::string>{
                "layout.SubIconLowerSpace2, layout.SubIconUpperSpace2, layout.IconSpeedX2, layout.IconSpeedY2, "
                "layout.SubMenuUnderMSTextY, layout.Sub2NetSearchX, layout.Sub2NetRadioX, layout.Sub2GameTitleX, "
                "layout.Sub2PhotVideoX, layout.Sub2RSSFeedsX, layout.Sub2SettingOptX, layout.Sub2SettingOptY, "
                "layout.OptSize1, layout.OptSize2, layout.GameSpace, layout.VideoSpace, layout.MusicSpace, "
                "layout.PhotoSpace, layout.OptSpace skipped: the loaded firmware is version 395, which does not "
                "store them",
                "categoryEntries skipped: the layout file is for version 500, the loaded firmware is version 395",
                "items skipped: the layout file is for version 500, the loaded firmware is version 395"}));
  // Every field 3.95 stores is taken, the others stay as they were.
  const LayoutRecord& preset = Sample(500).Layout;
  for (const LayoutField& f : LayoutFields()) {
    const bool stored = StoresField(*ProfileFor(395), f);
    EXPECT_TRUE(SameFieldValue(target.Layout, stored ? preset : before.Layout, f)) << f.name;
  }
  EXPECT_EQ(Part(target, "layout")["TextColor"], Part(Sample(500), "layout")["TextColor"]);
  EXPECT_EQ(Part(target, "categoryEntries"), Part(before, "categoryEntries"));
  EXPECT_EQ(Part(target, "items"), Part(before, "items"));

  const ParsedLayout unversioned = ParseLayoutText(R"({"items": []})");
  ASSERT_TRUE(unversioned.changes.has_value());
  EXPECT_EQ(ApplyLayoutChanges(*unversioned.changes, target),
            std::vector<std::string>{"items skipped: the layout file is for no version, the loaded firmware is "
                                     "version 395"});
}

// A field the loaded version does not store is skipped; it is named only when the
// document would have changed it.
TEST(LayoutJson, FieldsTheVersionDoesNotStoreAreSkipped) {
  FirmwareState s;
  s.FirmwareVersion = 500;
  s.Layout.SubIconUpperSpace2 = kFixedSubIconUpperSpace2;
  ParsedLayout parsed = ParseLayoutText(R"({"layout": {"SubIconUpperSpace2": 60, "Sub2NetSearchX": 4.5}})");
  ASSERT_TRUE(parsed.changes.has_value()) << parsed.error;
  EXPECT_EQ(ApplyLayoutChanges(*parsed.changes, s), std::vector<std::string>{});
  EXPECT_EQ(s.Layout.Sub2NetSearchX, 4.5f);

  parsed = ParseLayoutText(R"({"layout": {"SubIconUpperSpace2": 61, "ClockX": 3}})");
  ASSERT_TRUE(parsed.changes.has_value()) << parsed.error;
  EXPECT_EQ(ApplyLayoutChanges(*parsed.changes, s),
            std::vector<std::string>{
                "layout.SubIconUpperSpace2 skipped: the loaded firmware is version 500, which does not store it"});
  EXPECT_EQ(s.Layout.SubIconUpperSpace2, 60);
  EXPECT_EQ(s.Layout.ClockX, 3);

  s.FirmwareVersion = 390;
  parsed = ParseLayoutText(R"({"layout": {"Sub2NetSearchX": 4.5, "OptSpace": 0.0, "GameSpace": 2}})");
  ASSERT_TRUE(parsed.changes.has_value()) << parsed.error;
  EXPECT_EQ(ApplyLayoutChanges(*parsed.changes, s),
            std::vector<std::string>{"layout.GameSpace skipped: the loaded firmware is version 390, which does not "
                                     "store it"});
  EXPECT_EQ(s.Layout.GameSpace, 0.0f);
}

// A tag is a string while its bytes are UTF-8, else {"bytes": ...} with every byte
// outside printable ASCII (and '%') as %HH; both forms read back to the bytes.
TEST(LayoutJsonTag, EveryTagReadsBackToItsBytes) {
  const struct {
    std::string tag;
    std::string json;
  } rows[] = {
      {"msg_usb", R"("msg_usb")"},
      {"", R"("")"},
      {"tex_%41_\\x", R"("tex_%41_\\x")"},  // a plain string needs no escape of its own
      {"\xe3\x83\x86\xf0\x9f\x98\x80", "\"\xe3\x83\x86\xf0\x9f\x98\x80\""},
      {"msg_\xe9sb", R"({"bytes":"msg_%E9sb"})"},
      {"a%\xff\x01\x7f ", R"({"bytes":"a%25%FF%01%7F "})"},
      {"\xc0\xaf", R"({"bytes":"%C0%AF"})"},                // overlong '/'
      {"\xed\xa0\x80", R"({"bytes":"%ED%A0%80"})"},         // a surrogate
      {"\xf4\x90\x80\x80", R"({"bytes":"%F4%90%80%80"})"},  // beyond U+10FFFF
      {"\xe3\x83", R"({"bytes":"%E3%83"})"},                // cut short
  };
  for (const auto& row : rows) {
    const Json j = TagToJson(row.tag);
    EXPECT_EQ(j.dump(), row.json);
    EXPECT_EQ(IsUtf8(row.tag), j.is_string()) << row.json;
    std::string error;
    const std::optional<std::string> back = TagFromJson(Json::parse(j.dump()), error);
    ASSERT_TRUE(back.has_value()) << row.json << ": " << error;
    EXPECT_EQ(*back, row.tag) << row.json;
  }
  std::string error;
  EXPECT_EQ(TagFromJson(Json::parse(R"({"bytes": "%e9%C3%a9x"})"), error), "\xe9\xc3\xa9x");
}

TEST(LayoutJson, ASubsetChangesWhatItNamesAndNothingElse) {
  const FirmwareState original = Sample(390);
  FirmwareState s = original;
  const ParsedLayout parsed = ParseLayoutText(R"({
    "version": 390,
    "layout": {"MainIconX": 5, "Bmp01_12size": 40000, "WaveSpeed": "inf", "TextColor": [[0, 0, 0]],
               "ClockColor": [4, 5, 6]},
    "categoryEntries": [[1, 2, 3, 4]],
    "items": [{}, {"NameTag": "msg_new", "ExecIndex": 12}],
    "categoryEntryCount": "ignored", "categoryLists": 0, "itemCount": [], "imageLabels": {},
    "subIconImageIndex": null, "names": true})");
  ASSERT_TRUE(parsed.changes.has_value()) << parsed.error;
  EXPECT_EQ(ApplyLayoutChanges(*parsed.changes, s), std::vector<std::string>{});

  FirmwareState want = original;
  want.Layout.MainIconX = 5;
  want.Layout.Bmp01_12size = 32767;  // read as its edit reads it
  want.Layout.WaveSpeed = std::numeric_limits<float>::infinity();
  want.Layout.TextColor[0] = {0, 0, 0};
  want.Layout.ClockColor = {4, 5, 6};
  want.CategoryEntries[0] = {1, 2, 3, 4};
  want.ItemTable[1].NameTag = {'m', 's', 'g', '_', 'n', 'e', 'w'};
  want.ItemTable[1].ExecIndex = 12;
  EXPECT_EQ(ModelToJson(s), ModelToJson(want));
}

// A key that repeats is read in order: the last value stands, as with any JSON
// reader.
TEST(LayoutJson, TheLastOfARepeatedKeyStands) {
  const ParsedLayout parsed = ParseLayoutText(R"({"layout": {"ClockX": 1, "ClockY": 7, "ClockX": 2}, "version": 1,
                                                  "layout": {"ClockX": 3}})");
  ASSERT_TRUE(parsed.changes.has_value()) << parsed.error;
  FirmwareState s;
  EXPECT_EQ(ApplyLayoutChanges(*parsed.changes, s), std::vector<std::string>{});
  EXPECT_EQ(s.Layout.ClockX, 3);
  EXPECT_EQ(s.Layout.ClockY, 7);
}

// The 16-bit size is read as its edit reads it: as an unsigned number, at most 32767.
TEST(LayoutJson, TheIconSizeIsClampedAsItsEditClampsIt) {
  const std::pair<const char*, int32_t> rows[] = {{"0", 0},      {"32767", 32767},       {"32768", 32767},
                                                  {"-1", 32767}, {"-2147483648", 32767}, {"4294967295", 32767}};
  for (const auto& [text, stored] : rows) {
    const ParsedLayout parsed = ParseLayoutText(std::string(R"({"layout": {"Bmp01_12size": )") + text + "}}");
    ASSERT_TRUE(parsed.changes.has_value()) << text << ": " << parsed.error;
    FirmwareState s;
    EXPECT_EQ(ApplyLayoutChanges(*parsed.changes, s), std::vector<std::string>{});
    EXPECT_EQ(s.Layout.Bmp01_12size, stored) << text;
  }
}

struct RefusedCase {
  const char* document;
  const char* error;  // the whole message, or its start when it ends in "..."
};

TEST(LayoutJson, RefusedDocumentsSayWhy) {
  const RefusedCase cases[] = {
      {R"({"layout": {"MainIconX": "left"}})", "layout.MainIconX: expected an integer"},
      {R"({"layout": {"ClockX": 1.5}})", "layout.ClockX: expected an integer"},
      {R"({"layout": {"ClockX": 2147483648}})", "layout.ClockX: out of range"},
      {R"({"layout": {"ClockColor": [1, 2]}})", "layout.ClockColor: a colour must be a triple"},
      {R"({"layout": {"TextColor": [[0.1, 0.2]]}})", "layout.TextColor[0]: a colour must be a triple"},
      {R"({"layout": {"BusyColor": [1, 2, 300]}})", "layout.BusyColor: out of range"},
      {R"({"layout": {"WaveSpeed": 1e39}})", "layout.WaveSpeed: 1e+39 is not a finite single-precision number"},
      {R"({"layout": {"BGColor": [[0, 0, -1e300]]}})",
       "layout.BGColor[0]: -1e+300 is not a finite single-precision number"},
      {R"({"layout": {"UnfIconSize": "nan"}})", "layout.UnfIconSize: expected a number, \"inf\", ..."},
      {R"({"layout": {"MainIconZ": 1}})", "unknown field layout.MainIconZ"},
      {R"({"layout": {"MainIconZ": 1, "A": 2}, "b": 3, "items": [{"Nope": 1}]})",
       "unknown fields layout.MainIconZ, layout.A, b, items[0].Nope"},
      // The first five are named, in document order, and the rest counted; a key
      // that repeats is named as often.
      {R"({"a": 1, "layout": {"b": 2, "c": 3}, "d": 4, "d": 5, "e": 6, "f": 7, "items": [{"g": 8}]})",
       "unknown fields a, layout.b, layout.c, d, d and 3 more"},
      {R"({"layout": {"MainIconX": 1, "MainIconX": "two"}})", "layout.MainIconX: expected an integer"},
      {R"({"layout": {"ClockX": 1}} {})", "not valid JSON: ..."},
      {R"({"layout": )", "not valid JSON: ..."},
      {R"([1])", "layout file: expected a JSON object"},
      {R"({"version": -1})", "version: out of range"},
      {R"({"version": 401, "categoryEntries": [[1, 2, 3]]})",
       "categoryEntries[0]: expected [category, item, show, region]"},
      {R"({"categoryEntries": [[1, 2, 3, 256]]})", "categoryEntries[0]: out of range"},
      {R"({"items": [{"NameTag": "1234567890123456789012345"}]})", "items[0].NameTag: longer than 24 bytes"},
      {R"({"items": [{"NameTag": "a\u0000b"}]})", "items[0].NameTag: contains a zero byte"},
      {R"({"items": [{"NameTag": {"bytes": "a%00b"}}]})", "items[0].NameTag: contains a zero byte"},
      {R"({"items": [{"NameTag": {"bytes": "%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9%e9"}}]})",
       "items[0].NameTag: longer than 24 bytes"},
      {R"({"items": [{"NameTag": {"bytes": "a%e"}}]})",
       "items[0].NameTag: '%' must be followed by two hexadecimal digits"},
      {R"({"items": [{"NameTag": {"bytes": "%g0"}}]})",
       "items[0].NameTag: '%' must be followed by two hexadecimal digits"},
      {R"({"items": [{"NameTag": {"bytes": "a", "more": 1}}]})",
       "items[0].NameTag: expected a string or {\"bytes\": \"...\"}"},
      {R"({"items": [{"NameTag": {"text": "a"}}]})", "items[0].NameTag: expected a string or {\"bytes\": \"...\"}"},
      {R"({"items": [{"NameTag": {"bytes": [97]}}]})", "items[0].NameTag: expected a string or {\"bytes\": \"...\"}"},
      {R"({"items": [{"NameTag": 7}]})", "items[0].NameTag: expected a string or {\"bytes\": \"...\"}"},
      {R"({"items": [{}, {"UmdFlag": 256}]})", "items[1].UmdFlag: out of range"},
      {R"({"items": [{"Word0": -1}]})", "items[0].Word0: out of range"},
      {R"({"items": {}})", "items: expected an array"},
  };
  for (const RefusedCase& c : cases) {
    const ParsedLayout parsed = ParseLayoutText(c.document);
    EXPECT_FALSE(parsed.changes.has_value()) << c.document;
    std::string want = c.error;
    if (want.ends_with("...")) {
      want.resize(want.size() - 3);
      EXPECT_EQ(parsed.error.substr(0, want.size()), want) << c.document;
    } else {
      EXPECT_EQ(parsed.error, want) << c.document;
    }
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << c.document;
  }
  std::string many = R"({"items": [)";
  for (int i = 0; i <= kItemSlots; ++i) many += i == 0 ? "{}" : ", {}";
  EXPECT_EQ(ParseLayoutText(many + "]}").error, "items: more than 40 entries");
}

TEST(LayoutJsonFile, IsReadWithinItsLimit) {
  ScopedTempDir dir;
  std::string text;
  std::string error;
  EXPECT_FALSE(ReadLayoutFile(dir.path(), text, error));
  EXPECT_EQ(error, "cannot read the layout file " + dir.path() + ": Is a directory");
  EXPECT_FALSE(ReadLayoutFile(dir / "missing.json", text, error));
  EXPECT_EQ(error, "cannot read the layout file " + dir / "missing.json" + ": No such file or directory");
  if (std::filesystem::exists("/proc/self/mem")) {
    EXPECT_FALSE(ReadLayoutFile("/proc/self/mem", text, error));
    EXPECT_EQ(error.rfind("cannot read the layout file /proc/self/mem: ", 0), 0u) << error;
  }

  // Sparse files: the size is there without the disk space.
  const std::string at_limit = dir / "at-limit.json";
  const std::string over = dir / "over.json";
  std::ofstream(at_limit).close();
  std::ofstream(over).close();
  std::filesystem::resize_file(at_limit, kMaxDocumentBytes);
  std::filesystem::resize_file(over, kMaxDocumentBytes + 1);
  EXPECT_TRUE(ReadLayoutFile(at_limit, text, error)) << error;
  EXPECT_EQ(text.size(), kMaxDocumentBytes);
  EXPECT_FALSE(ReadLayoutFile(over, text, error));
  EXPECT_EQ(error, "the layout file " + over + " is larger than 16 MiB");
  EXPECT_TRUE(text.empty());
}

}  // namespace
}  // namespace qorvi::layout_json
