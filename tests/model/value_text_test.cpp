// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/value_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace qorvi {
namespace {

uint32_t Bits(float f) {
  uint32_t b;
  std::memcpy(&b, &f, sizeof b);
  return b;
}

float FromBits(uint32_t b) {
  float f;
  std::memcpy(&f, &b, sizeof f);
  return f;
}

TEST(ParseText, IntegerReadsTheLeadingNumber) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"", 0},
      {"12abc", 12},
      {"abc", 0},
      {" -5", -5},
      {"\t+7", 7},
      {"- 5", 0},
      {"65.9", 65},
      {"1e2", 1},
      {"-0", 0},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"-2147483648", -2147483648LL},
      {"99999999999999", 2147483647},
      {"-99999999999999", std::numeric_limits<int32_t>::min()},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseIntegerText(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseText, RealReadsTheLeadingNumberAsASingle) {
  struct Case {
    const char* text;
    float value;
  };
  const Case cases[] = {
      {"", 0.0f},     {"abc", 0.0f}, {"1e2", 100.0f}, {" -2.5x", -2.5f}, {".5", 0.5f},
      {"5.", 5.0f},   {"1e", 1.0f},  {"1e+", 1.0f},   {"2E-1", 0.2f},    {"0.78", 0.78f},
      {"0x10", 0.0f}, {"inf", 0.0f}, {"nan", 0.0f},   {"-.", 0.0f},      {"1e-50", 0.0f},
  };
  for (const Case& c : cases) EXPECT_EQ(Bits(ParseRealText(c.text)), Bits(c.value)) << '"' << c.text << '"';
  EXPECT_TRUE(std::isinf(ParseRealText("1e39")));
  // Beyond even double precision: overflow is infinite, underflow zero.
  EXPECT_EQ(ParseRealText("1e400"), std::numeric_limits<float>::infinity());
  EXPECT_EQ(ParseRealText("-0.001e402"), -std::numeric_limits<float>::infinity());
  EXPECT_EQ(ParseRealText("1e-400"), 0.0f);
  EXPECT_EQ(ParseRealText("12345e-330"), 0.0f);
}

TEST(ParseText, RealTruncatedGoesTowardZero) {
  EXPECT_EQ(ParseRealTruncatedText("65.9"), 65);
  EXPECT_EQ(ParseRealTruncatedText("-3.7"), -3);
  EXPECT_EQ(ParseRealTruncatedText("0.999"), 0);
  EXPECT_EQ(ParseRealTruncatedText("1e2"), 100);
  EXPECT_EQ(ParseRealTruncatedText("1e30"), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(ParseRealTruncatedText("-1e30"), std::numeric_limits<int32_t>::min());
}

TEST(ParseText, OnlyTheFirst31CharactersAreRead) {
  std::string blanks(30, ' ');
  EXPECT_EQ(ParseIntegerText(blanks + "12"), 1);
  EXPECT_EQ(ParseIntegerText(std::string(31, ' ') + "12"), 0);
  EXPECT_EQ(ParseRealText(blanks + "12"), 1.0f);
  EXPECT_EQ(ParseRealText("1." + std::string(29, '0') + "e5"), 1.0f);  // the exponent lies past 31
  EXPECT_EQ(ParseClampedSizeText(std::string(29, '0') + "123"), 12);
}

TEST(ParseText, SizeIsClampedAsAnUnsignedNumber) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {{"32767", 32767}, {"32768", 32767}, {"40000", 32767}, {"-1", 32767},
                        {"0", 0},         {"6176", 6176},   {"abc", 0},       {"4294967295", 32767}};
  for (const Case& c : cases) EXPECT_EQ(ParseClampedSizeText(c.text), c.value) << c.text;
  // The numbers a layout document may give (int32 minimum .. uint32 maximum).
  for (auto [number, value] : {std::pair<int64_t, int32_t>{-1, 32767},
                               {4294967295, 32767},
                               {2147483648, 32767},
                               {-2147483648, 32767},
                               {32768, 32767},
                               {32767, 32767},
                               {0, 0},
                               {6176, 6176}}) {
    EXPECT_EQ(ClampedSize(number), value) << number;
  }
}

TEST(FormatText, RealsInGeneralNotation) {
  struct Case {
    float value;
    const char* text;
  };
  const Case cases[] = {
      {0.78f, "0.779999971389771"},
      {1.0f, "1"},
      {0.0f, "0"},
      {-3.5f, "-3.5"},
      {100.0f, "100"},
      {66.6666666f, "66.6666641235352"},
      {1e-5f, "9.99999974737875E-6"},  // just below 1E-5 as a single
      {1e20f, "1.00000002004088E20"},
      {1e15f, "999999986991104"},      // 15 integer digits still print plainly
      {1e16f, "1.00000002725642E16"},  // 17 do not
      {-1.5e-7f, "-1.50000005305628E-7"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatReal(c.value), c.text);
}

TEST(FormatText, IntegersSignedAndSizeUnsigned) {
  EXPECT_EQ(FormatInteger(-130), "-130");
  EXPECT_EQ(FormatInteger(std::numeric_limits<int32_t>::min()), "-2147483648");
  EXPECT_EQ(FormatUnsigned(65535), "65535");
  EXPECT_EQ(FormatUnsigned(-1), "4294967295");
}

// Every finite single shows as a text that reads back to the same bits (except
// -0, which shows as "0").
TEST(FormatText, RealsReadBackToTheSameSingle) {
  for (float v : {0.78f, 1.0f, 1e-5f, 1.00000007e-5f, 66.6666666f, 0.1f, 1e15f, 1e16f, 1e20f,
                  std::numeric_limits<float>::min(), std::numeric_limits<float>::denorm_min(),
                  std::numeric_limits<float>::max(), -std::numeric_limits<float>::max()}) {
    std::string text = FormatReal(v);
    EXPECT_LE(text.size(), kEditTextLimit) << text;
    EXPECT_EQ(Bits(ParseRealText(text)), Bits(v)) << text;
  }
  int failures = 0;
  for (uint64_t b = 1; b < 0x7F800000u && failures < 10; b += 4093) {
    for (uint32_t sign : {0u, 0x80000000u}) {
      float v = FromBits(static_cast<uint32_t>(b) | sign);
      std::string text = FormatReal(v);
      if (Bits(ParseRealText(text)) != Bits(v) || text.size() > kEditTextLimit) {
        ADD_FAILURE() << v << " shows as " << text;
        ++failures;
      }
    }
  }
  EXPECT_EQ(FormatReal(-0.0f), "0");
}

TEST(FormatText, NonFiniteValuesShowWithoutANumber) {
  EXPECT_EQ(FormatReal(std::numeric_limits<float>::infinity()), "INF");
  EXPECT_EQ(FormatReal(-std::numeric_limits<float>::infinity()), "-INF");
  EXPECT_EQ(FormatReal(std::numeric_limits<float>::quiet_NaN()), "NAN");
  EXPECT_EQ(ParseRealText("INF"), 0.0f);
}

// The desktop program runs with the user's locale; one that writes decimal commas
// must not change how values are read or shown.
TEST(FormatText, DecimalCommaLocaleChangesNothing) {
  const char* found = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE", "German_Germany.1252"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      found = name;
      break;
    }
  }
  if (found == nullptr) GTEST_SKIP() << "no locale with decimal commas installed";
  float parsed = ParseRealText("0.78");
  std::string shown = FormatReal(0.78f);
  std::string large = FormatReal(1e20f);
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(parsed, 0.78f) << found;
  EXPECT_EQ(shown, "0.779999971389771") << found;
  EXPECT_EQ(large, "1.00000002004088E20") << found;
}

TEST(FieldText, EachRuleStoresAndShowsItsField) {
  struct Case {
    const char* field;
    const char* typed;
    const char* shown;
  };
  const Case cases[] = {
      {"MainIconX", "-130.7", "-130"},     // integer: stops at the point
      {"Bmp01_12size", "40000", "32767"},  // clamped size
      {"Bmp01_12size", "6176", "6176"},        {"UnfIconSize", "0.78", "0.779999971389771"},  // real
      {"SubIconUpperSpace1", "-3.7", "-3"},                                                   // real, truncated
      {"SubIconLowerSpace2", "65.9abc", "65"}, {"MainMenuTextSize", "1e2", "100"},
      {"SubMenuTextX1Seg", "abc", "0"},        {"OptSpace", " 12.5", "12.5"},
  };
  for (const Case& c : cases) {
    const LayoutField* field = FindLayoutField(c.field);
    ASSERT_NE(field, nullptr) << c.field;
    LayoutRecord layout;
    StoreFieldText(layout, *field, c.typed);
    EXPECT_EQ(FieldText(layout, *field), c.shown) << c.field << " " << c.typed;
  }
}

TEST(FieldText, StoresIntoTheNamedFieldOnly) {
  LayoutRecord layout;
  StoreFieldText(layout, *FindLayoutField("ClockY"), "123");
  StoreFieldText(layout, *FindLayoutField("WaveSpeed"), "10");
  EXPECT_EQ(layout.ClockY, 123);
  EXPECT_EQ(layout.ClockX, 0);
  EXPECT_EQ(layout.WaveSpeed, 10.0f);
  EXPECT_EQ(layout.BusySpeed, 0.0f);
  // A loaded size above the 15-bit range shows unsigned until an edit clamps it.
  layout.Bmp01_12size = 65535;
  EXPECT_EQ(FieldText(layout, *FindLayoutField("Bmp01_12size")), "65535");
}

TEST(FieldText, EveryFieldRoundTripsThroughItsText) {
  for (const LayoutField& field : LayoutFields()) {
    LayoutRecord layout;
    StoreFieldText(layout, field, "-12.75");
    std::string shown = FieldText(layout, field);
    LayoutRecord again;
    StoreFieldText(again, field, shown);
    EXPECT_EQ(FieldText(again, field), shown) << field.name;
  }
}

TEST(FieldText, TextShowsTheValueItReadsAs) {
  struct Case {
    const char* field;
    const char* text;
    const char* stored;  // typed into the field first
    bool shows;
  };
  const Case cases[] = {
      {"MainIconX", "12abc", "12", true},
      {"MainIconX", "13", "12", false},
      {"UnfIconSize", "0.780", "0.78", true},
      {"UnfIconSize", "0.7", "0.78", false},
      {"SubIconUpperSpace1", "-3", "-3.7", true},
      // A size out of range does not show the 32767 stored for it; one in range does.
      {"Bmp01_12size", "40000", "40000", false},
      {"Bmp01_12size", "32767", "40000", true},
      {"Bmp01_12size", "12abc", "12", true},
  };
  for (const Case& c : cases) {
    const LayoutField& field = *FindLayoutField(c.field);
    LayoutRecord layout;
    StoreFieldText(layout, field, c.stored);
    EXPECT_EQ(TextShowsValue(c.text, field, layout), c.shows) << c.field << " " << c.text;
  }
}

TEST(TruncateToInt, SaturatesAndMapsNanToZero) {
  EXPECT_EQ(TruncateToInt(-12.75), -12);
  EXPECT_EQ(TruncateToInt(0.999), 0);
  EXPECT_EQ(TruncateToInt(std::nan("")), 0);
  EXPECT_EQ(TruncateToInt(std::numeric_limits<double>::infinity()), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(TruncateToInt(-std::numeric_limits<double>::infinity()), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(TruncateToInt(3e9), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(TruncateToInt(-3e9), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(TruncateToInt(2147483646.9), 2147483646);
  EXPECT_EQ(TruncateToInt(-2147483648.9), std::numeric_limits<int32_t>::min());
}

}  // namespace
}  // namespace qorvi
