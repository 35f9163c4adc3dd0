// SPDX-License-Identifier: GPL-3.0-or-later
// The differences of two models in the layout document's terms: every key path
// names the place of `info`'s document that holds the value, and the value reads
// there exactly as `info` prints it (NaNs, infinities, tags and triples included).
#include "layout_json/difference_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <regex>

#include "demo/demo_set.h"
#include "firmware/byte_reader.h"
#include "model/record_layouts.h"

namespace qorvi::layout_json {
namespace {

std::unique_ptr<FirmwareState> DemoState(int32_t version) { return demo::ExpectedDemoState(version); }

// The value of `doc` at a key path: "layout.TextColor[3]", "categoryEntries[4].show".
const Json& At(const Json& doc, const std::string& key) {
  static const std::regex kPath(R"((\w+)(?:\[(\d+)\])?(?:\.(\w+))?(?:\[(\d+)\])?)");
  std::smatch m;
  EXPECT_TRUE(std::regex_match(key, m, kPath)) << key;
  const Json* v = &doc.at(m[1].str());
  if (m[2].matched) v = &v->at(std::stoul(m[2].str()));
  if (m[3].matched) {
    // A menu entry is an array: its bytes by their place in it.
    const auto byte = std::find(kEntryByteNames.begin(), kEntryByteNames.end(), m[3].str());
    v = v->is_array() ? &v->at(static_cast<std::size_t>(byte - kEntryByteNames.begin())) : &v->at(m[3].str());
  }
  if (m[4].matched) v = &v->at(std::stoul(m[4].str()));
  return *v;
}

TEST(DifferenceText, EveryKeyNamesTheDocumentsPlaceAndItsValue) {
  for (int32_t version : kFirmwareVersions) {
    SCOPED_TRACE(version);
    auto from = DemoState(version);
    auto to = std::make_unique<FirmwareState>(*from);
    // Every value of `to` another: the comparison then lists every place it compares.
    for (const LayoutField& f : LayoutFields()) {
      std::visit(
          [&](auto member) {
            to->Layout.*member = static_cast<std::remove_reference_t<decltype(to->Layout.*member)>>(-3);
          },
          f.member);
    }
    to->Layout.UnfIconSize = BitsFloat(0xFFC00123);
    to->Layout.SubIconSize = -std::numeric_limits<float>::infinity();
    to->Layout.TextColor.fill({0.1f, -0.0f, 1e-7f});
    to->Layout.BGColor.fill({1.0f, 2.0f, 3.0f});
    to->Layout.BatteryColor = to->Layout.ClockColor = to->Layout.BusyColor = {1, 2, 3};
    for (CategoryEntry& e : to->CategoryEntries) e = {200, 201, 202, 203};
    for (ItemRecord& item : to->ItemTable) {
      item.Word0 = item.Media = item.ExecGroup = item.ExecFunction = item.Word4 = item.Word5 = item.Word6 = 4000000000u;
      item.UmdFlag = 9;
      item.ExecIndex = -1;
      item.MainImageTag = item.ShadowImageTag = item.ConfImageTag = ItemTag::FromText("tex_\xFF\x01");
      item.NameTag = ItemTag::FromText("");
    }
    const Json from_doc = ModelToJson(*from);
    const Json to_doc = ModelToJson(*to);
    const std::vector<ValueDifference> differences = DiffModels(*from, *to);
    const int colors = from->Profile.ColorEntryCount;
    const int entries = from->CategoryEntryCount;
    const int items = from->ItemCount;
    int stored = 0;
    for (const LayoutField& f : LayoutFields()) stored += StoresField(from->Profile, f) ? 1 : 0;
    EXPECT_EQ(differences.size(), static_cast<std::size_t>(stored + 2 * colors + 3 + 4 * entries + 13 * items));
    for (const ValueDifference& d : differences) {
      EXPECT_EQ(DocumentValueJson(d.from), At(from_doc, d.key)) << d.key;
      EXPECT_EQ(DocumentValueJson(d.to), At(to_doc, d.key)) << d.key;
    }
    // Valid JSON, one difference a line, whatever bytes the tags hold.
    EXPECT_EQ(Json::parse(DifferencesText(differences)).size(), differences.size());
  }
}

TEST(DifferenceText, LinesAndTheJsonList) {
  ValueDifference version{{}, "version", VersionNumber{390}, VersionNumber{500}};
  ValueDifference color{{}, "layout.TextColor[3]", RgbF{0.0f, 0.5f, 1.0f}, RgbF{BitsFloat(0x7FC00000), 0.5f, 1.0f}};
  ValueDifference tag{{}, "items[7].NameTag", std::string("msg_\xFF"), std::string("")};
  EXPECT_EQ(DifferenceLine(version), "version: 3.90 -> 5.00");
  EXPECT_EQ(DifferenceLine(color, "→"), "layout.TextColor[3]: [0.0, 0.5, 1.0] → [\"nan:0x7fc00000\", 0.5, 1.0]");
  EXPECT_EQ(DifferenceLine(tag), "items[7].NameTag: {\"bytes\": \"msg_%FF\"} -> \"\"");
  EXPECT_EQ(DifferencesText({}), "[]\n");
  EXPECT_EQ(DifferencesText({version, color}),
            "[\n"
            "  {\"key\": \"version\", \"from\": 390, \"to\": 500},\n"
            "  {\"key\": \"layout.TextColor[3]\", \"from\": [0.0, 0.5, 1.0], \"to\": [\"nan:0x7fc00000\", 0.5, 1.0]}\n"
            "]\n");
}

}  // namespace
}  // namespace qorvi::layout_json
