// SPDX-License-Identifier: GPL-3.0-or-later
// Loading whole demo firmware sets: every value where the readers put it, every
// failure with its message, and a failed load leaving everything as it was.
#include "firmware/load_sequence.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <set>

#include "demo/demo_set.h"
#include "demo/rco_builder.h"
#include "firmware/byte_reader.h"
#include "firmware/icon_bitmaps.h"
#include "support/scoped_temp_dir.h"

namespace qorvi {
namespace {

using demo::DemoOptions;
using testing::ReadBytes;
using testing::ScopedTempDir;
using testing::WriteBytes;

namespace fs = std::filesystem;

std::unique_ptr<Model> NewModel(const std::string& dir) {
  auto m = std::make_unique<Model>();
  EXPECT_TRUE(m->work.Allocate());
  BuildPaths(m->paths, dir);
  return m;
}

void WriteSet(const std::string& dir, int32_t version, bool compressed = false, bool bootSound = false) {
  DemoOptions o;
  o.version = version;
  o.compressed = compressed;
  o.bootSound = bootSound;
  std::string error;
  ASSERT_TRUE(demo::WriteDemoSet(dir, o, &error)) << error;
}

bool SameState(const FirmwareState& a, const FirmwareState& b) {
  // FirmwareState is plain data; compare it member-wise where padding could differ.
  return std::memcmp(&a.Layout, &b.Layout, sizeof a.Layout) == 0 &&
         std::memcmp(&a.LoadedLayout, &b.LoadedLayout, sizeof a.LoadedLayout) == 0 &&
         std::memcmp(a.CategoryEntries.data(), b.CategoryEntries.data(), sizeof a.CategoryEntries) == 0 &&
         a.CategoryEntryCount == b.CategoryEntryCount && a.ItemCount == b.ItemCount &&
         a.FirmwareVersion == b.FirmwareVersion && a.Profile.VshmainSize == b.Profile.VshmainSize &&
         a.VshConstants == b.VshConstants && a.PafConstants == b.PafConstants &&
         a.VshmainPspHeader == b.VshmainPspHeader && a.PafPspHeader == b.PafPspHeader &&
         a.VshmainLoadedSize == b.VshmainLoadedSize && a.PafLoadedSize == b.PafLoadedSize &&
         a.OpeningLoadedSize == b.OpeningLoadedSize && a.TopmenuPluginLoadedSize == b.TopmenuPluginLoadedSize &&
         a.SystemPluginFgLoadedSize == b.SystemPluginFgLoadedSize &&
         a.TopmenuIconLoadedSize == b.TopmenuIconLoadedSize && a.BatteryObject == b.BatteryObject &&
         a.BusyObject == b.BusyObject && a.ImageLabels == b.ImageLabels && a.ImageLabelCount == b.ImageLabelCount &&
         a.SubIconImageIndex == b.SubIconImageIndex && a.LabelTextsJapanese == b.LabelTextsJapanese &&
         a.LabelTextsEnglish == b.LabelTextsEnglish;
}

void ExpectItemsEqual(const ItemRecord& got, const ItemRecord& want, int i) {
  SCOPED_TRACE("item " + std::to_string(i));
  EXPECT_EQ(got.MainImageTag, want.MainImageTag);
  EXPECT_EQ(got.ShadowImageTag, want.ShadowImageTag);
  EXPECT_EQ(got.ConfImageTag, want.ConfImageTag);
  EXPECT_EQ(got.NameTag, want.NameTag);
  EXPECT_EQ(got.Word0, want.Word0);
  EXPECT_EQ(got.Media, want.Media);
  EXPECT_EQ(got.ExecGroup, want.ExecGroup);
  EXPECT_EQ(got.ExecFunction, want.ExecFunction);
  EXPECT_EQ(got.Word4, want.Word4);
  EXPECT_EQ(got.Word5, want.Word5);
  EXPECT_EQ(got.Word6, want.Word6);
  EXPECT_EQ(got.UmdFlag, want.UmdFlag);
  EXPECT_EQ(got.ExecIndex, want.ExecIndex);
}

struct SetCase {
  int32_t version;
  bool compressed;
};

class LoadDemoSet : public ::testing::TestWithParam<SetCase> {};

TEST_P(LoadDemoSet, FindsEveryPlantedValue) {
  const SetCase c = GetParam();
  ScopedTempDir dir;
  WriteSet(dir.path(), c.version, c.compressed);
  auto m = NewModel(dir.path());

  ASSERT_EQ(LoadAll(*m), std::nullopt);

  const demo::DemoExpectation want = demo::ExpectedDemoLoad(c.version);
  const FirmwareProfile& profile = *ProfileFor(c.version);
  EXPECT_EQ(m->FirmwareVersion, c.version);
  EXPECT_EQ(m->Profile.VshmainSize, profile.VshmainSize);
  EXPECT_EQ(m->ItemCount, profile.ItemCount);
  EXPECT_EQ(m->CategoryEntryCount, want.categoryEntryCount);
  EXPECT_EQ(m->VshmainLoadedSize, profile.VshmainSize);
  EXPECT_EQ(m->PafLoadedSize, profile.PafSize);
  EXPECT_EQ(m->OpeningLoadedSize, 0) << "opening_plugin.prx is loaded only with both boot-sound options";

  for (const LayoutField& f : LayoutFields()) {
    SCOPED_TRACE(std::string(f.name));
    if (auto* ip = std::get_if<int32_t LayoutRecord::*>(&f.member)) {
      EXPECT_EQ(m->Layout.*(*ip), want.layout.*(*ip));
    } else {
      auto fp = std::get<float LayoutRecord::*>(f.member);
      EXPECT_EQ(FloatBits(m->Layout.*fp), FloatBits(want.layout.*fp));
    }
  }
  for (int i = 0; i < kColorTableEntries; ++i) {
    SCOPED_TRACE("colour entry " + std::to_string(i));
    EXPECT_EQ(std::memcmp(&m->Layout.TextColor[i], &want.layout.TextColor[i], sizeof(RgbF)), 0);
    EXPECT_EQ(std::memcmp(&m->Layout.BGColor[i], &want.layout.BGColor[i], sizeof(RgbF)), 0);
  }
  EXPECT_EQ(std::memcmp(&m->Layout.BatteryColor, &want.layout.BatteryColor, 3), 0);
  EXPECT_EQ(std::memcmp(&m->Layout.ClockColor, &want.layout.ClockColor, 3), 0);
  EXPECT_EQ(std::memcmp(&m->Layout.BusyColor, &want.layout.BusyColor, 3), 0);

  for (int i = 0; i < kCategoryEntrySlots; ++i) {
    SCOPED_TRACE("entry " + std::to_string(i));
    EXPECT_EQ(m->CategoryEntries[i].Category, want.categoryEntries[i].Category);
    EXPECT_EQ(m->CategoryEntries[i].Item, want.categoryEntries[i].Item);
    EXPECT_EQ(m->CategoryEntries[i].Show, want.categoryEntries[i].Show);
    EXPECT_EQ(m->CategoryEntries[i].Region, want.categoryEntries[i].Region);
  }
  for (int i = 0; i < kItemSlots; ++i) ExpectItemsEqual(m->ItemTable[i], want.items[i], i);

  ASSERT_EQ(m->ImageLabelCount, static_cast<int32_t>(want.imageLabels.size()));
  for (int i = 0; i < m->ImageLabelCount; ++i) EXPECT_EQ(std::string(m->ImageLabels[i].data()), want.imageLabels[i]);
  EXPECT_EQ(m->SubIconImageIndex, want.subIconImageIndex);
  EXPECT_EQ(m->LabelTextsJapanese, want.japanese);
  EXPECT_EQ(m->LabelTextsEnglish, want.english);

  // Exactly the expected pictures, kept in memory: the load writes no file.
  auto bitmaps_in = [](const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) {
      if (e.path().extension() == ".bmp") names.insert(e.path().filename().string());
    }
    return names;
  };
  EXPECT_TRUE(bitmaps_in(dir.path()).empty());
  std::set<std::string> kept;
  for (int picture = 0; picture < kIconPictures; ++picture) {
    std::span<const uint8_t> bmp = m->pictures.Get(picture);
    if (bmp.empty()) continue;
    const std::string name = fs::path(IconBitmapPath(m->paths, picture)).filename().string();
    kept.insert(name);
    ByteReader r(bmp);
    for (const demo::ExpectedIcon& icon : want.icons) {
      if (icon.fileName != name) continue;
      EXPECT_EQ(r.u32(18), static_cast<uint32_t>(icon.width)) << name;
      EXPECT_EQ(r.u32(22), static_cast<uint32_t>(icon.height)) << name;
      EXPECT_EQ(r.u16(28), icon.bitsPerPixel) << name;
    }
  }
  std::set<std::string> expected;
  for (const demo::ExpectedIcon& icon : want.icons) expected.insert(icon.fileName);
  EXPECT_EQ(kept, expected);
  // As in real containers, the busy picture (the last of system_plugin_fg.rco)
  // gives inflate a byte count that runs past the end of the file; the picture is
  // still converted.
  const std::vector<uint8_t> fg = ReadBytes(dir / "system_plugin_fg.rco");
  ByteReader fg_reader(fg);
  EXPECT_GT(uint64_t{fg_reader.u32(0x80)} + fg_reader.u32(0x2AC) + fg_reader.u32(0x2B0), fg.size());
  EXPECT_FALSE(m->pictures.Get(kBusyPicture).empty());

  // The desktop program's step: the files are the pictures, byte for byte.
  EXPECT_TRUE(WriteIconBitmaps(m->pictures, m->paths).empty());
  EXPECT_EQ(bitmaps_in(dir.path()), expected);
  for (int picture = 0; picture < kIconPictures; ++picture) {
    std::span<const uint8_t> bmp = m->pictures.Get(picture);
    if (bmp.empty()) continue;
    EXPECT_EQ(ReadBytes(IconBitmapPath(m->paths, picture)), std::vector<uint8_t>(bmp.begin(), bmp.end()))
        << IconBitmapPath(m->paths, picture);
  }

  // The compressed inputs were replaced by their decrypted images in the areas.
  if (c.compressed) {
    demo::DemoFiles plain = demo::BuildDemoSet({c.version, false, false});
    auto area = m->work.Area(FileArea::Vshmain);
    EXPECT_EQ(std::memcmp(area.data(), plain.vshmain.data(), plain.vshmain.size()), 0);
    EXPECT_NE(m->VshmainPspHeader, BuiltinVshmainPspHeader()) << "the input's own ~PSP header is kept";
  } else {
    EXPECT_EQ(m->VshmainPspHeader, BuiltinVshmainPspHeader());
  }
}

INSTANTIATE_TEST_SUITE_P(AllVersions, LoadDemoSet,
                         ::testing::Values(SetCase{390, false}, SetCase{395, false}, SetCase{401, false},
                                           SetCase{500, false}, SetCase{390, true}, SetCase{395, true},
                                           SetCase{401, true}, SetCase{500, true}),
                         [](const auto& param_info) {
                           return std::to_string(param_info.param.version) +
                                  (param_info.param.compressed ? "Compressed" : "Plain");
                         });

TEST(LoadAll, OpeningModuleOnlyWithBothBootSoundOptions) {
  ScopedTempDir dir;
  WriteSet(dir.path(), 401, false, true);
  for (int boot = 0; boot < 2; ++boot) {
    for (int opening = 0; opening < 2; ++opening) {
      auto m = NewModel(dir.path());
      m->BootSoundEnabled = static_cast<uint8_t>(boot);
      m->OpeningEnabled = static_cast<uint8_t>(opening);
      ASSERT_EQ(LoadAll(*m), std::nullopt);
      EXPECT_EQ(m->OpeningLoadedSize, boot && opening ? ProfileFor(401)->OpeningSize : 0);
    }
  }
  // With both options on, a missing or wrong-size opening module stops the load.
  auto m = NewModel(dir.path());
  m->BootSoundEnabled = m->OpeningEnabled = 1;
  fs::remove(dir / "opening_plugin.prx");
  EXPECT_EQ(LoadAll(*m), Message::OpeningOpenError);
  WriteBytes(dir / "opening_plugin.prx", std::vector<uint8_t>(1000, 0));
  EXPECT_EQ(LoadAll(*m), Message::OpeningSizeMismatch);
}

// One broken input per row, the message it must raise, and what its cause must
// hold: the file, the check that failed, where, and what was found.
struct Breakage {
  const char* name;
  const char* file;
  enum { Remove, Truncate, Grow, StockSize, BadSignature, BadVersionByte, Garbage, Word } how;
  Message message;
  const char* cause;
  uint32_t at = 0;  // Word: the 32-bit word at `at` becomes `value`
  uint32_t value = 0;
};

std::vector<uint8_t> Broken(std::vector<uint8_t> bytes, const Breakage& b, int32_t stockSize) {
  switch (b.how) {
    case Breakage::Truncate: bytes.resize(bytes.size() - 1); break;
    case Breakage::Grow: bytes.resize(4 * 1024 * 1024, 0); break;
    case Breakage::StockSize: bytes.resize(static_cast<std::size_t>(stockSize), 0); break;
    case Breakage::BadSignature: bytes[1] = 'X'; break;
    case Breakage::BadVersionByte: bytes[4] = 0x70; break;
    case Breakage::Garbage: bytes.assign(bytes.size() / 2, 0xA5); break;
    case Breakage::Word: ByteWriter(bytes).u32(b.at, b.value); break;
    case Breakage::Remove: break;
  }
  return bytes;
}

class LoadFailure : public ::testing::TestWithParam<Breakage> {};

TEST_P(LoadFailure, RaisesTheFilesMessageWithItsCauseAndChangesNothing) {
  const Breakage b = GetParam();
  ScopedTempDir good;
  ScopedTempDir bad;
  WriteSet(good.path(), 500);
  WriteSet(bad.path(), 401);

  // A successful 5.00 load first; then the broken 4.01 set must leave it all in place.
  auto m = NewModel(good.path());
  ASSERT_EQ(LoadAll(*m), std::nullopt);
  TakeLoadedCopy(*m);
  m->Layout.MainIconX += 7;  // an edit since the load survives too

  const FirmwareProfile& p401 = *ProfileFor(401);
  int32_t stock = std::string(b.file) == "topmenu_plugin.rco"     ? p401.TopmenuPluginStockSize
                  : std::string(b.file) == "system_plugin_fg.rco" ? p401.SystemPluginFgStockSize
                                                                  : p401.TopmenuIconStockSize;
  std::string target = bad / b.file;
  if (b.how == Breakage::Remove) {
    fs::remove(target);
  } else {
    WriteBytes(target, Broken(ReadBytes(target), b, stock));
  }

  FirmwareState before = *m;
  std::vector<uint8_t> areasBefore(m->work.Area(FileArea::Vshmain).data(),
                                   m->work.Area(FileArea::TopmenuIcon).data() + Capacity(FileArea::TopmenuIcon));
  const std::span<const uint8_t> icon0 = m->pictures.Get(MainIconPicture(0));
  const std::vector<uint8_t> picture0(icon0.begin(), icon0.end());
  ASSERT_FALSE(picture0.empty());

  BuildPaths(m->paths, bad.path());
  const std::optional<Failure> failure = LoadAll(*m);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->code, b.message);
  EXPECT_EQ(failure->cause.rfind(std::string(b.file) + ": ", 0), 0u) << failure->cause;
  EXPECT_NE(failure->cause.find(b.cause), std::string::npos) << failure->cause;
  EXPECT_EQ(failure->cause.find('\n'), std::string::npos) << "one line";

  EXPECT_TRUE(SameState(*m, before));
  EXPECT_EQ(std::memcmp(areasBefore.data(), m->work.Area(FileArea::Vshmain).data(), areasBefore.size()), 0);
  const std::span<const uint8_t> after = m->pictures.Get(MainIconPicture(0));
  EXPECT_EQ(std::vector<uint8_t>(after.begin(), after.end()), picture0) << "a failed load keeps the pictures";
}

TEST(WriteIconBitmaps, ReplacesTheEarlierSetsFilesAndReturnsThoseItCannotWrite) {
  ScopedTempDir dir;
  WriteSet(dir.path(), 401);
  auto m = NewModel(dir.path());
  ASSERT_EQ(LoadAll(*m), std::nullopt);
  // An earlier 5.00 set left its eighth category icon; a folder stands where the
  // busy icon goes.
  WriteBytes(dir / "MainIcon7.bmp", {1, 2, 3});
  fs::create_directories(dir / "BusyIcon.bmp/x");
  EXPECT_EQ(WriteIconBitmaps(m->pictures, m->paths), std::vector<std::string>{m->paths.BusyIconPath});
  EXPECT_FALSE(fs::exists(dir / "MainIcon7.bmp")) << "4.01 has seven categories";
  EXPECT_TRUE(fs::exists(dir / "MainIcon6.bmp"));
  EXPECT_TRUE(fs::exists(dir / "BatteryIcon.bmp"));
}

INSTANTIATE_TEST_SUITE_P(
    EveryFile, LoadFailure,
    ::testing::Values(
        Breakage{"VshmainMissing", "vshmain.prx", Breakage::Remove, Message::VshmainOpenError,
                 "vshmain.prx: No such file or directory"},
        Breakage{"VshmainShort", "vshmain.prx", Breakage::Truncate, Message::VshmainSizeMismatch,
                 "302721 bytes, no known version has this size and it has no ~PSP signature"},
        Breakage{"VshmainTooLong", "vshmain.prx", Breakage::Grow, Message::VshmainSizeMismatch,
                 "larger than the 1048576 bytes it may hold"},
        Breakage{"PafMissing", "paf.prx", Breakage::Remove, Message::PafOpenError, "No such file or directory"},
        Breakage{"PafShort", "paf.prx", Breakage::Truncate, Message::PafSizeMismatch,
                 "1756111 bytes, expected 1756112 bytes for firmware 401, and it has no ~PSP signature"},
        Breakage{"PafTooLong", "paf.prx", Breakage::Grow, Message::PafSizeMismatch,
                 "larger than the 2097152 bytes it may hold"},
        Breakage{"PluginMissing", "topmenu_plugin.rco", Breakage::Remove, Message::TopmenuPluginOpenError,
                 "No such file or directory"},
        Breakage{"PluginStock", "topmenu_plugin.rco", Breakage::StockSize, Message::TopmenuPluginSizeMismatch,
                 "27404 bytes, the size of the stock file of firmware 401 (its tables are still compressed)"},
        Breakage{"PluginTooLong", "topmenu_plugin.rco", Breakage::Grow, Message::TopmenuPluginSizeMismatch,
                 "larger than the 131072 bytes it may hold"},
        Breakage{"PluginSignature", "topmenu_plugin.rco", Breakage::BadSignature, Message::TopmenuPluginCannotInflate,
                 "container signature 00 50 52 46 71 expected at 0x0, found 00 58 52 46 71"},
        Breakage{"PluginVersionByte", "topmenu_plugin.rco", Breakage::BadVersionByte,
                 Message::TopmenuPluginCannotInflate, "found 00 50 52 46 70"},
        Breakage{"PluginObjectChain", "topmenu_plugin.rco", Breakage::Word, Message::TopmenuPluginCannotInflate,
                 "object table offset 0x12345678 at 0x30 lies past the end (", 0x30, 0x12345678},
        Breakage{"PluginTextTable", "topmenu_plugin.rco", Breakage::Word, Message::TopmenuPluginCannotInflate,
                 "text table offset 0x7ffffff0 at 0x18: its string count at 0x80000044 lies past the end (", 0x18,
                 0x7FFFFFF0},
        Breakage{"FgMissing", "system_plugin_fg.rco", Breakage::Remove, Message::SystemPluginFgOpenError,
                 "No such file or directory"},
        Breakage{"FgStock", "system_plugin_fg.rco", Breakage::StockSize, Message::SystemPluginFgSizeMismatch,
                 "34348 bytes, the size of the stock file"},
        Breakage{"FgSignature", "system_plugin_fg.rco", Breakage::BadSignature, Message::SystemPluginFgCannotInflate,
                 "container signature"},
        Breakage{"FgGarbage", "system_plugin_fg.rco", Breakage::Garbage, Message::SystemPluginFgCannotInflate,
                 "found a5 a5 a5 a5 a5"},
        Breakage{"FgObjectTable", "system_plugin_fg.rco", Breakage::Word, Message::SystemPluginFgCannotInflate,
                 "object table offset 0x12345678 at 0x30 lies past the end (", 0x30, 0x12345678},
        Breakage{"FgBatteryLink", "system_plugin_fg.rco", Breakage::Word, Message::SystemPluginFgCannotInflate,
                 "battery object at 0x800002e8 (372 bytes) lies past the end (",
                 demo::kSystemPluginObjectTable + 0x28 + 0x14, 0x80000000},
        Breakage{"IconMissing", "topmenu_icon.rco", Breakage::Remove, Message::TopmenuIconOpenError,
                 "No such file or directory"},
        Breakage{"IconStock", "topmenu_icon.rco", Breakage::StockSize, Message::TopmenuIconSizeMismatch,
                 "195584 bytes, the size of the stock file of firmware 401"},
        Breakage{"IconTooLong", "topmenu_icon.rco", Breakage::Grow, Message::TopmenuIconSizeMismatch,
                 "larger than the 524288 bytes it may hold"},
        Breakage{"IconSignature", "topmenu_icon.rco", Breakage::BadSignature, Message::TopmenuIconCannotInflate,
                 "container signature"},
        Breakage{"IconLabelArea", "topmenu_icon.rco", Breakage::Word, Message::TopmenuIconCannotInflate,
                 "container name (label area 0xfffffff0 at 0x40, 41 images at 0xdc): offset 0xfffffff0 lies past "
                 "the end (",
                 0x40, 0xFFFFFFF0}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(LoadAll, PafOfAnotherVersionIsRefused) {
  ScopedTempDir v500;
  ScopedTempDir v395;
  WriteSet(v500.path(), 500);
  WriteSet(v395.path(), 395);
  auto m = NewModel(v500.path());
  m->paths.PafPath = v395 / "paf.prx";
  EXPECT_EQ(LoadAll(*m), Message::PafSizeMismatch);
  EXPECT_EQ(m->FirmwareVersion, 0) << "the vshmain.prx read before the failure is not kept either";
}

TEST(LoadAll, OlderVersionKeepsTheFieldsItDoesNotHave) {
  ScopedTempDir v500;
  ScopedTempDir v395;
  WriteSet(v500.path(), 500);
  WriteSet(v395.path(), 395);
  auto m = NewModel(v500.path());
  ASSERT_EQ(LoadAll(*m), std::nullopt);
  const FirmwareState after500 = *m;

  BuildPaths(m->paths, v395.path());
  ASSERT_EQ(LoadAll(*m), std::nullopt);
  EXPECT_EQ(m->FirmwareVersion, 395);
  EXPECT_EQ(m->Layout.SubIconUpperSpace2, 60);
  EXPECT_EQ(FloatBits(m->Layout.OptSpace), FloatBits(after500.Layout.OptSpace));
  EXPECT_EQ(m->Layout.IconSpeedY2, after500.Layout.IconSpeedY2);
  EXPECT_EQ(std::memcmp(&m->Layout.TextColor[28], &after500.Layout.TextColor[28], 2 * sizeof(RgbF)), 0);
  for (int i = 26; i < kCategoryEntrySlots; ++i) {
    EXPECT_EQ(m->CategoryEntries[i].Item, after500.CategoryEntries[i].Item);
  }
  for (int i = 35; i < kItemSlots; ++i) EXPECT_EQ(m->ItemTable[i].NameTag, after500.ItemTable[i].NameTag);
}

TEST(LoadAll, WithoutWorkAreaReportsMemory) {
  Model m;
  EXPECT_EQ(LoadAll(m), Message::CannotAllocateMemory);
}

}  // namespace
}  // namespace qorvi
