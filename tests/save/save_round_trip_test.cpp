// SPDX-License-Identifier: GPL-3.0-or-later
// Whole demo sets of every version, plain and compressed: load, (edit,) save. An
// unchanged save reproduces the input files; an edited save gives exactly the files
// of a set built with the edited values, and loading it back finds those values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "demo/demo_set.h"
#include "firmware/byte_reader.h"
#include "firmware/exec_functions.h"
#include "firmware/load_sequence.h"
#include "firmware/psp_inflate_check.h"
#include "model/colors.h"
#include "model/value_text.h"
#include "save/save_sequence.h"
#include "support/scoped_temp_dir.h"

namespace qorvi {
namespace {

using testing::InflateWithPython;
using testing::ReadBytes;
using testing::ScopedTempDir;

namespace fs = std::filesystem;

struct SetCase {
  int32_t version;
  bool compressedInput;
};

std::string Name(const ::testing::TestParamInfo<SetCase>& param_info) {
#if defined(__GNUC__) && !defined(__clang__)
// GCC 12 at -O3 takes the inlined copies of this concatenation for overlapping
// (-Wrestrict); they are separate strings, a known false positive of that compiler.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
  return "v" + std::to_string(param_info.param.version) + (param_info.param.compressedInput ? "_compressed" : "_plain");
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
}

// A model loaded from `dir` with both boot-sound options on.
std::unique_ptr<Model> Load(const std::string& dir) {
  auto m = std::make_unique<Model>();
  EXPECT_TRUE(m->work.Allocate());
  BuildPaths(m->paths, dir);
  m->BootSoundEnabled = m->OpeningEnabled = 1;
  EXPECT_EQ(LoadAll(*m), std::nullopt);
  TakeLoadedCopy(*m);
  return m;
}

demo::DemoOptions Options(const SetCase& c, bool compressed) {
  demo::DemoOptions o;
  o.version = c.version;
  o.compressed = compressed;
  o.bootSound = true;
  return o;
}

// opening_plugin.prx as Save leaves it: the boot sound at the start of its area, zeros behind.
std::vector<uint8_t> WithBootSound(std::vector<uint8_t> opening, int32_t version, const std::vector<uint8_t>& wav) {
  const std::size_t at = ProfileFor(version)->BootSoundOffset;
  std::fill(opening.begin() + at, opening.begin() + at + demo::kBootSoundAreaSize, 0);
  std::copy(wav.begin(), wav.end(), opening.begin() + at);
  return opening;
}

// The six outputs, modules inflated (by python) when they were written compressed.
struct Output {
  std::vector<uint8_t> vshmain, paf, opening, topmenuPlugin, systemPluginFg, topmenuIcon;
};

Output ReadOutput(const Model& m, bool compressed) {
  auto module = [&](const std::string& path) {
    if (!compressed) return ReadBytes(path);
    auto image = InflateWithPython(path);
    EXPECT_TRUE(image.has_value()) << path;
    return image.value_or(std::vector<uint8_t>{});
  };
  const Paths& p = m.paths;
  return {module(p.DoneVshmainPath),           module(p.DonePafPath),
          module(p.DoneOpeningPath),           ReadBytes(p.DoneTopmenuPluginPath),
          ReadBytes(p.DoneSystemPluginFgPath), ReadBytes(p.DoneTopmenuIconPath)};
}

// The offsets of the first few differing bytes, for a readable failure.
std::string Differences(const std::vector<uint8_t>& got, const std::vector<uint8_t>& want) {
  if (got.size() != want.size()) return "sizes " + std::to_string(got.size()) + " and " + std::to_string(want.size());
  std::string out;
  int shown = 0;
  for (std::size_t i = 0; i < got.size() && shown < 8; ++i) {
    if (got[i] == want[i]) continue;
    char line[48];
    std::snprintf(line, sizeof line, " 0x%zX: %02X not %02X", i, got[i], want[i]);
    out += line;
    ++shown;
  }
  return out.empty() ? "none" : out;
}

#define EXPECT_SAME_BYTES(got, want, name) \
  EXPECT_TRUE((got) == (want)) << name << " differs at" << Differences(got, want)

// Compares the outputs with the plain files of a demo set, as Save must leave them:
// the 5.00 vshmain.prx word at 0x1A0E8 cleared and the boot sound in opening_plugin.prx.
void ExpectSameFiles(const Output& got, const demo::DemoFiles& want, int32_t version) {
  std::vector<uint8_t> vshmain = want.vshmain;
  if (version == 500) ByteWriter(vshmain).u32(0x1A0E8, 0);
  EXPECT_SAME_BYTES(got.vshmain, vshmain, "vshmain.prx");
  EXPECT_SAME_BYTES(got.paf, want.paf, "paf.prx");
  EXPECT_SAME_BYTES(got.opening, WithBootSound(want.opening, version, want.bootSound), "opening_plugin.prx");
  EXPECT_SAME_BYTES(got.topmenuPlugin, want.topmenuPlugin, "topmenu_plugin.rco");
  EXPECT_SAME_BYTES(got.systemPluginFg, want.systemPluginFg, "system_plugin_fg.rco");
  EXPECT_SAME_BYTES(got.topmenuIcon, want.topmenuIcon, "topmenu_icon.rco");
}

class RoundTrip : public ::testing::TestWithParam<SetCase> {};

// Unchanged values come out as the same bytes: every module equals its plain input
// image (the boot sound area aside), every container its input file.
TEST_P(RoundTrip, UnchangedSaveReproducesTheInput) {
  const SetCase c = GetParam();
  ScopedTempDir dir;
  std::string error;
  ASSERT_TRUE(demo::WriteDemoSet(dir.path(), Options(c, c.compressedInput), &error)) << error;
  auto m = Load(dir.path());

  EXPECT_EQ(Codes(SaveAll(*m, false)), std::vector<Message>{});
  // The model keeps the battery, clock and busy colours as bytes: a colour that is
  // not a multiple of 1/255 comes back as the multiple below it.
  demo::DemoContent content = demo::DefaultDemoContent(c.version);
  for (RgbF* color : {&content.batteryColor, &content.clockColor, &content.busyColor}) {
    for (float* channel : {&color->r, &color->g, &color->b}) {
      *channel = FloatFromColorByte(ColorByteFromFloat(*channel));
    }
  }
  ExpectSameFiles(ReadOutput(*m, false), demo::BuildDemoSet(content, Options(c, false)), c.version);
}

// Edits everywhere, saved compressed (3.95: plainly), give the files a set built
// with the edited values has; the packed modules keep the input's ~PSP header.
TEST_P(RoundTrip, EditsLandWhereALoadFindsThem) {
  const SetCase c = GetParam();
  ScopedTempDir dir;
  std::string error;
  ASSERT_TRUE(demo::WriteDemoSet(dir.path(), Options(c, c.compressedInput), &error)) << error;
  auto m = Load(dir.path());

  demo::DemoContent edited = demo::DefaultDemoContent(c.version);
  LayoutRecord& l = edited.layout;
  int n = 0;
  for (const LayoutField& f : LayoutFields()) {
    ++n;
    if (auto* ip = std::get_if<int32_t LayoutRecord::*>(&f.member)) {
      l.*(*ip) += 7 + n;
    } else {
      l.*std::get<float LayoutRecord::*>(f.member) = l.*std::get<float LayoutRecord::*>(f.member) * 1.5f + 0.25f;
    }
  }
  l.Bmp01_12size = 32767;
  for (int i = 0; i < kColorTableEntries; ++i) {
    l.TextColor[i] = {l.TextColor[i].g, l.TextColor[i].b, 0.5f};
    l.BGColor[i] = {1.0f, 0.0f, i / 64.0f};
  }
  l.BatteryColor = {255, 0, 77};
  l.ClockColor = {1, 2, 254};
  l.BusyColor = {128, 129, 130};
  auto asFloats = [](Rgb8 b) {
    return RgbF{FloatFromColorByte(b.r), FloatFromColorByte(b.g), FloatFromColorByte(b.b)};
  };
  edited.batteryColor = asFloats(l.BatteryColor);
  edited.clockColor = asFloats(l.ClockColor);
  edited.busyColor = asFloats(l.BusyColor);
  std::swap(edited.categoryEntries[0], edited.categoryEntries[5]);
  const auto& table = ExecFunctionTable();
  const auto camera =
      std::find_if(table.begin(), table.end(), [](const ExecFunction& f) { return f.English == "Camera"; });
  ASSERT_NE(camera, table.end());
  edited.items[3].record.ExecGroup = camera->Group;
  edited.items[3].record.ExecFunction = camera->Function;
  edited.items[2].record.UmdFlag ^= 1;
  edited.items[2].record.Word5 = 0xDEADBEEF;

  // The same edits made to the loaded model, as the editors would.
  m->Layout = l;
  std::copy(edited.categoryEntries.begin(), edited.categoryEntries.end(), m->CategoryEntries.begin());
  for (std::size_t i = 0; i < edited.items.size(); ++i) {
    const int32_t exec = m->ItemTable[i].ExecIndex;
    m->ItemTable[i] = edited.items[i].record;
    m->ItemTable[i].ExecIndex = exec;
  }

  EXPECT_EQ(Codes(SaveAll(*m, true)), std::vector<Message>{});
  const bool packed = c.version != 395;
  ExpectSameFiles(ReadOutput(*m, packed), demo::BuildDemoSet(edited, Options(c, false)), c.version);

  if (packed) {
    // The header of a compressed input replaced the built-in one (opening_plugin.prx
    // goes with vshmain.prx's).
    const uint32_t vshEntry = c.compressedInput ? demo::kDemoVshmainEntry : 0xC8A0;
    const uint32_t pafEntry = c.compressedInput ? demo::kDemoPafEntry : 0x33CB4;
    EXPECT_EQ(ByteReader(ReadBytes(m->paths.DoneVshmainPath)).u32(0x30), vshEntry);
    EXPECT_EQ(ByteReader(ReadBytes(m->paths.DoneOpeningPath)).u32(0x30), vshEntry);
    EXPECT_EQ(ByteReader(ReadBytes(m->paths.DonePafPath)).u32(0x30), pafEntry);
  }

  // Loading the saved files finds the edited values.
  ScopedTempDir again;
  for (const auto& [from, to] : {std::pair{m->paths.DoneVshmainPath, "vshmain.prx"},
                                 {m->paths.DonePafPath, "paf.prx"},
                                 {m->paths.DoneOpeningPath, "opening_plugin.prx"},
                                 {m->paths.DoneTopmenuPluginPath, "topmenu_plugin.rco"},
                                 {m->paths.DoneSystemPluginFgPath, "system_plugin_fg.rco"},
                                 {m->paths.DoneTopmenuIconPath, "topmenu_icon.rco"},
                                 {m->paths.BootSoundPath, "bootsound.wav"}}) {
    fs::copy_file(from, again / to);
  }
  auto back = Load(again.path());
  const demo::DemoExpectation want = demo::ExpectedLoad(edited);
  for (const LayoutField& f : LayoutFields()) {
    EXPECT_EQ(FieldText(back->Layout, f), FieldText(want.layout, f)) << f.name;
  }
  EXPECT_EQ(std::memcmp(back->Layout.TextColor.data(), want.layout.TextColor.data(), sizeof want.layout.TextColor), 0);
  EXPECT_EQ(std::memcmp(back->Layout.BGColor.data(), want.layout.BGColor.data(), sizeof want.layout.BGColor), 0);
  for (auto member : {&LayoutRecord::BatteryColor, &LayoutRecord::ClockColor, &LayoutRecord::BusyColor}) {
    const Rgb8 got = back->Layout.*member;
    const Rgb8 expected = l.*member;
    EXPECT_EQ(ColorValue(got.r, got.g, got.b), ColorValue(expected.r, expected.g, expected.b));
  }
  EXPECT_EQ(std::memcmp(back->CategoryEntries.data(), want.categoryEntries.data(), sizeof want.categoryEntries), 0);
  EXPECT_EQ(back->ItemTable[3].ExecGroup, 19u);
  EXPECT_EQ(back->ItemTable[3].ExecFunction, 0u);
  EXPECT_EQ(back->ItemTable[3].ExecIndex, camera - table.begin());
  EXPECT_EQ(back->ItemTable[2].Word5, 0xDEADBEEFu);
}

TEST_P(RoundTrip, SavingTwiceGivesIdenticalFiles) {
  const SetCase c = GetParam();
  ScopedTempDir dir;
  std::string error;
  ASSERT_TRUE(demo::WriteDemoSet(dir.path(), Options(c, c.compressedInput), &error)) << error;
  auto m = Load(dir.path());
  m->Layout.MainIconX += 3;
  m->Layout.MainMenuTextY -= 5;
  const std::vector<std::string> outputs{m->paths.DoneVshmainPath,        m->paths.DonePafPath,
                                         m->paths.DoneOpeningPath,        m->paths.DoneTopmenuPluginPath,
                                         m->paths.DoneSystemPluginFgPath, m->paths.DoneTopmenuIconPath};
  ASSERT_EQ(Codes(SaveAll(*m, true)), std::vector<Message>{});
  std::vector<std::vector<uint8_t>> first;
  for (const std::string& p : outputs) first.push_back(ReadBytes(p));
  ASSERT_EQ(Codes(SaveAll(*m, true)), std::vector<Message>{});
  for (std::size_t i = 0; i < outputs.size(); ++i) EXPECT_TRUE(ReadBytes(outputs[i]) == first[i]) << outputs[i];
}

INSTANTIATE_TEST_SUITE_P(Sets, RoundTrip,
                         ::testing::Values(SetCase{390, false}, SetCase{390, true}, SetCase{395, false},
                                           SetCase{395, true}, SetCase{401, false}, SetCase{401, true},
                                           SetCase{500, false}, SetCase{500, true}),
                         Name);

}  // namespace
}  // namespace qorvi
