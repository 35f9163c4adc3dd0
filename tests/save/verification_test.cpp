// SPDX-License-Identifier: GPL-3.0-or-later
// The check after a save: every demo set verifies after a save, whatever was
// changed; a file that does not hold what the model says (a value dropped by the
// writer, planted here by changing the written file or the model afterwards) is
// named with both values.
#include "save/verification.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "demo/demo_set.h"
#include "firmware/byte_reader.h"
#include "firmware/load_sequence.h"
#include "firmware/rco_container.h"
#include "model/value_text.h"
#include "save/save_sequence.h"
#include "support/scoped_temp_dir.h"

namespace qorvi {
namespace {

using testing::ReadBytes;
using testing::ScopedTempDir;
using testing::WriteBytes;

struct Saved {
  ScopedTempDir dir;
  std::unique_ptr<Model> model = std::make_unique<Model>();
};

// A demo set of `version` loaded (boot sound on when asked), changed by `edit`, saved.
std::unique_ptr<Saved> LoadAndSave(int32_t version, bool compressed, bool boot_sound,
                                   const std::function<void(Model&)>& edit = {},
                                   const std::function<void(const std::string&)>& alter_input = {}) {
  auto s = std::make_unique<Saved>();
  demo::DemoOptions options;
  options.version = version;
  options.compressed = compressed;
  options.bootSound = boot_sound;
  std::string error;
  EXPECT_TRUE(demo::WriteDemoSet(s->dir.path(), options, &error)) << error;
  if (alter_input) alter_input(s->dir.path());
  Model& m = *s->model;
  EXPECT_TRUE(m.work.Allocate());
  BuildPaths(m.paths, s->dir.path());
  m.BootSoundEnabled = m.OpeningEnabled = boot_sound ? 1 : 0;
  EXPECT_EQ(LoadAll(m), std::nullopt);
  FinishLoad(m, false);
  if (edit) edit(m);
  EXPECT_EQ(Codes(SaveAll(m, compressed)), std::vector<Message>{});
  return s;
}

void Patch(const std::string& path, uint64_t offset, std::span<const uint8_t> bytes) {
  std::vector<uint8_t> file = ReadBytes(path);
  ASSERT_LE(offset + bytes.size(), file.size());
  std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(offset));
  WriteBytes(path, file);
}

void PatchFloat(const std::string& path, uint64_t offset, float v) {
  const uint32_t bits = FloatBits(v);
  const uint8_t bytes[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                            static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
  Patch(path, offset, bytes);
}

TEST(Verification, EverySavedDemoSetVerifies) {
  for (int32_t version : kFirmwareVersions) {
    for (bool compressed : {false, true}) {
      for (bool boot_sound : {false, true}) {
        SCOPED_TRACE(std::to_string(version) + (compressed ? " compressed" : " plain") +
                     (boot_sound ? " with boot sound" : ""));
        auto saved = LoadAndSave(version, compressed, boot_sound, [](Model& m) {
          // Values of every kind, changed: the file holds each of them as it can.
          m.Layout.MainIconX = -101;
          m.Layout.UnfIconSize = 0.625f;
          m.Layout.WaveSpeed = 12.345f;
          m.Layout.SubMenuTextX2 = 5;  // 3.90 keeps SubMenuTextX1Seg in the same place
          m.Layout.SubMenuTextX1Seg = 9;
          m.Layout.ClockColor = {1, 128, 254};
          m.Layout.BGColor[3] = {0.1f, 0.2f, 0.3f};
          m.Layout.OptSpace = 21.75f;
          m.CategoryEntries[1].Show = 2;
          m.ItemTable[2].NameTag = {'m', 's', 'g', '_', 'x'};
        });
        const VerifyResult r = VerifySave(*saved->model);
        EXPECT_TRUE(r.Passed()) << VerifyMessage(r);
        EXPECT_EQ(VerifyMessage(r), "");
      }
    }
  }
}

// The written files are changed (or the model is, as if the writer had dropped the
// new value); verification names the first value that differs.
struct PlantedCase {
  const char* name;
  int32_t version;
  bool boot_sound;
  std::function<void(Model&)> plant;
  std::string message;  // with <out> for the output folder
};

std::vector<PlantedCase> PlantedCases() {
  return {
      {"VshmainValueInTheImage", 390, false,
       [](Model& m) { PatchFloat(m.paths.DoneVshmainPath, m.Profile.VshOffsets[kVshMainIconX], 12.0f); },
       "verify: MainIconX is 12 in <out>/module/vshmain.prx, -127 expected"},
      {"PafValueInTheImage", 401, false,
       [](Model& m) { PatchFloat(m.paths.DonePafPath, m.Profile.PafOffsets[11], 9.25f); },
       "verify: WaveSpeed is 9.25 in <out>/module/paf.prx, 9.5 expected"},
      {"ColourTableEntry", 395, false,
       [](Model& m) { PatchFloat(m.paths.DoneVshmainPath, m.Profile.VshOffsets[kVshTextColor] + 12 * 2 + 4, 0.5f); },
       "verify: TextColor[2] is [0.203125, 0.5, 0.84375] in <out>/module/vshmain.prx, [0.203125, 0.609375, 0.84375] "
       "expected"},
      {"MenuEntry", 390, false,
       [](Model& m) {
         const uint8_t item = 40;
         Patch(m.paths.DoneVshmainPath, m.Profile.VshOffsets[kVshCategoryEntries] + 16 * 2 + 4, {&item, 1});
       },
       "verify: categoryEntries[2] is [0, 40, 7, 0] in <out>/module/vshmain.prx, [0, 3, 7, 0] expected"},
      {"ItemTag", 401, false,
       [](Model& m) {
         const uint8_t tag[] = {'m', 's', 'g', '\n', 0};
         Patch(m.paths.DoneVshmainPath, m.Profile.VshOffsets[kVshItemTable] + 140 * 1 + 103, tag);
       },
       "verify: items[1].NameTag is \"msg\\x0a\" in <out>/module/vshmain.prx, \"msg_usb\" expected"},
      {"BatteryColour", 500, false,
       [](Model& m) { PatchFloat(m.paths.DoneSystemPluginFgPath, m.BatteryObject + 0xF4, 0.0f); },
       "verify: BatteryColor is [0, 127, 63] in <out>/resource/system_plugin_fg.rco, [255, 127, 63] expected"},
      {"MainIconXCopyInTopmenuPlugin", 395, false,
       [](Model& m) {
         std::vector<uint8_t> rco = ReadBytes(m.paths.DoneTopmenuPluginPath);
         PatchFloat(m.paths.DoneTopmenuPluginPath, *LocateTopmenuPluginValue(rco), 3.0f);
       },
       "verify: MainIconX is 3 in <out>/resource/topmenu_plugin.rco, -127 expected"},
      {"BootSound", 500, true,
       [](Model& m) {
         const uint8_t wrong = 0xEE;
         Patch(m.paths.DoneOpeningPath, m.Profile.BootSoundOffset + 40, {&wrong, 1});
       },
       "verify: boot sound byte 40 is 0xee in <out>/module/opening_plugin.prx, <byte> expected"},
      // 5.00 keeps these values in code: the model now wants what the writer did not write.
      {"ValueInCodeDropped", 500, false, [](Model& m) { m.Layout.MainMenuTextY = 10; },
       "verify: MainMenuTextY is 21 in <out>/module/paf.prx, 10 expected"},
      {"FloatInCodeDropped", 500, false, [](Model& m) { m.Layout.BusySpeed = 1.5f; },
       "verify: BusySpeed is 62.5 in <out>/module/vshmain.prx, 1.5 expected"},
      {"ItemWordDropped", 500, false, [](Model& m) { m.ItemTable[38].Word6 = 7; },
       "verify: items[38].Word6 is 2432 in <out>/module/vshmain.prx, 7 expected"},
  };
}

class PlantedFault : public ::testing::TestWithParam<PlantedCase> {};

TEST_P(PlantedFault, IsNamedWithBothValues) {
  const PlantedCase& c = GetParam();
  auto saved = LoadAndSave(c.version, false, c.boot_sound);
  Model& m = *saved->model;
  c.plant(m);
  const VerifyResult r = VerifySave(m);
  ASSERT_FALSE(r.Passed());
  std::string want = c.message;
  want.replace(want.find("<out>"), 5, m.paths.DoneDir);
  if (auto at = want.find("<byte>"); at != std::string::npos) {
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02x", demo::DemoBootSound()[40]);
    want.replace(at, 6, byte);
  }
  EXPECT_EQ(VerifyMessage(r), want);
}

INSTANTIATE_TEST_SUITE_P(Files, PlantedFault, ::testing::ValuesIn(PlantedCases()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// Every value the vshmain.prx table says the load reads is compared, in the image
// (3.90) and in code (5.00): the model, changed after the save as if the writer had
// dropped the value, names the field.
TEST(Verification, EveryLoadedVshmainValueIsCompared) {
  for (int32_t version : {390, 500}) {
    auto saved = LoadAndSave(version, false, false);
    Model& m = *saved->model;
    for (const VshScalar& scalar : VshScalarTable()) {
      if (!scalar.loaded) continue;
      const LayoutField& f = *scalar.field;
      SCOPED_TRACE(std::to_string(version) + " " + std::string(f.name));
      const LayoutRecord written = m.Layout;
      StoreFieldText(m.Layout, f, "77");  // the upper half of its single differs from every demo value
      const VerifyResult r = VerifySave(m);
      ASSERT_TRUE(r.difference.has_value());
      EXPECT_EQ(r.difference->field, f.name);
      EXPECT_EQ(r.difference->expected, "77");
      m.Layout = written;
    }
  }
}

TEST(Verification, AWrittenSetThatNoLongerLoadsIsReported) {
  auto saved = LoadAndSave(401, false, false);
  WriteBytes(saved->model->paths.DonePafPath, {1, 2, 3});
  const VerifyResult r = VerifySave(*saved->model);
  ASSERT_TRUE(r.loadFailure.has_value());
  EXPECT_EQ(r.loadFailure->code, Message::PafSizeMismatch);
  EXPECT_EQ(VerifyMessage(r), "verify: the written files do not load: paf.prx filesize not match / are you decrypted?");
}

// Both boot-sound options ticked after a load that did not read opening_plugin.prx:
// the save has no image of it to write, and the check reads exactly the files the
// save wrote, never a missing one nor one an earlier save left in the folder.
TEST(Verification, ComparesOnlyTheFilesTheSaveWrote) {
  for (const bool stale : {false, true}) {
    SCOPED_TRACE(stale ? "an older opening_plugin.prx in the output" : "no opening_plugin.prx in the output");
    const std::vector<uint8_t> older{'o', 'l', 'd'};
    auto saved = LoadAndSave(500, false, false, [&](Model& m) {
      m.BootSoundEnabled = m.OpeningEnabled = 1;
      m.paths.BootSoundPath = m.paths.OpeningPath;  // any readable file
      if (stale) {
        std::filesystem::create_directories(std::filesystem::path(m.paths.DoneOpeningPath).parent_path());
        WriteBytes(m.paths.DoneOpeningPath, older);
      }
    });
    EXPECT_FALSE(SavesOpening(*saved->model));
    const VerifyResult r = VerifySave(*saved->model);
    EXPECT_TRUE(r.Passed()) << VerifyMessage(r);
    EXPECT_EQ(std::filesystem::exists(saved->model->paths.DoneOpeningPath), stale);
    if (stale) {
      EXPECT_EQ(ReadBytes(saved->model->paths.DoneOpeningPath), older);
    }
  }
}

// The entry of the 5.00 constant table that VshOffsets slot 1 names, found in the
// file's code as the loader finds it (walking backwards, one group per lui), and
// its ori replaced by a nop: the group then holds only the upper half.
void DropMainIconXOri(const std::string& dir) {
  const std::string path = dir + "/vshmain.prx";
  std::vector<uint8_t> file = ReadBytes(path);
  ByteReader r(file);
  const uint32_t entry = ProfileFor(500)->VshOffsets[kVshMainIconX] / 4;
  uint32_t group = 0;
  bool armed = false;
  for (std::size_t i = file.size() / 4; i-- > 0;) {
    const uint32_t high = r.u32(4 * i) >> 16;
    if (high == 0x4481) {
      armed = true;
    } else if (armed && high == 0x3421 && group == entry) {
      std::fill_n(file.begin() + static_cast<std::ptrdiff_t>(4 * i), 4, uint8_t{0});
      WriteBytes(path, file);
      return;
    } else if (armed && high == 0x3C01) {
      ++group;
      armed = false;
    }
  }
  ADD_FAILURE() << "no ori in the group of MainIconX";
}

TEST(Verification, AValueInCodeIsComparedAsItsGroupHoldsIt) {
  // 12345 needs the lower half of its single (0x4640E400); a group with only a lui
  // keeps 0x46400000, 12288.
  auto saved = LoadAndSave(
      500, false, false, [](Model& m) { m.Layout.MainIconX = 12345; }, DropMainIconXOri);
  EXPECT_TRUE(VerifySave(*saved->model).Passed());

  Model back;
  ASSERT_TRUE(back.work.Allocate());
  BuildPaths(back.paths, saved->dir.path());
  back.paths.VshmainPath = saved->model->paths.DoneVshmainPath;
  SetIconDir(back.paths, saved->dir / "icons");
  ASSERT_EQ(LoadAll(back), std::nullopt);
  EXPECT_EQ(back.Layout.MainIconX, 12288);
}

}  // namespace
}  // namespace qorvi
