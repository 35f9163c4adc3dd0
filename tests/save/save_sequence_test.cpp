// SPDX-License-Identifier: GPL-3.0-or-later
// The save sequence over a hand-built loaded model: which files it writes, the
// messages it raises and their order, and what a failed save leaves behind.
#include "save/save_sequence.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "firmware/apply_values.h"
#include "firmware/byte_reader.h"
#include "firmware/module_image.h"
#include "platform/file_size_limit.h"
#include "support/scoped_temp_dir.h"

namespace qorvi {
namespace {

using testing::ReadBytes;
using testing::ScopedFileSizeLimit;
using testing::ScopedTempDir;
using testing::WriteBytes;

namespace fs = std::filesystem;
using M = Message;

void Fill(std::span<uint8_t> area, std::size_t length, uint8_t seed) {
  for (std::size_t i = 0; i < length; ++i) area[i] = static_cast<uint8_t>(i * 29 + seed);
}

// A model as a load of `version` leaves it, with patterned images: the modules at
// the version's sizes, two containers with just the object links the apply steps
// follow, and a bigger icon container.
std::unique_ptr<Model> LoadedModel(int32_t version, const std::string& dir, bool opening) {
  auto m = std::make_unique<Model>();
  EXPECT_TRUE(m->work.Allocate());
  BuildPaths(m->paths, dir);
  SelectProfile(*m, version);
  const FirmwareProfile& p = m->Profile;
  m->VshmainLoadedSize = p.VshmainSize;
  m->PafLoadedSize = p.PafSize;
  m->TopmenuPluginLoadedSize = 0x400;
  m->SystemPluginFgLoadedSize = 0x800;
  m->TopmenuIconLoadedSize = 0x3000;
  Fill(m->work.Area(FileArea::Vshmain), p.VshmainSize, 1);
  Fill(m->work.Area(FileArea::Paf), p.PafSize, 2);
  Fill(m->work.Area(FileArea::TopmenuPlugin), 0x400, 4);
  Fill(m->work.Area(FileArea::SystemPluginFg), 0x800, 5);
  Fill(m->work.Area(FileArea::TopmenuIcon), 0x3000, 6);
  if (opening) {
    m->BootSoundEnabled = m->OpeningEnabled = 1;
    m->OpeningLoadedSize = p.OpeningSize;
    Fill(m->work.Area(FileArea::Opening), p.OpeningSize, 3);
    WriteBytes(m->paths.BootSoundPath, std::vector<uint8_t>(100, 0x77));
  }
  ByteWriter plugin(m->work.Area(FileArea::TopmenuPlugin));
  plugin.u32(0x30, 0x100);
  plugin.u32(0x128 + 0x14, 0x40);
  plugin.u32(0x168 + 0x18, 0x20);  // MainIconX at 0x1B0
  ByteWriter fg(m->work.Area(FileArea::SystemPluginFg));
  fg.u32(0x30, 0x40);
  fg.u32(0x68 + 0x14, 0x50);
  fg.u32(0xB8 + 0x14, 0x200);
  m->BatteryObject = 0xB8;
  m->BusyObject = 0x2B8;
  m->Layout.MainIconX = 55;
  return m;
}

TEST(SaveAll, OpeningModuleOnlyWithBothFlags) {
  for (auto [boot, opening] : {std::pair{0, 1}, {1, 0}, {0, 0}}) {
    ScopedTempDir dir;
    auto m = LoadedModel(390, dir.path(), true);
    m->BootSoundEnabled = static_cast<uint8_t>(boot);
    m->OpeningEnabled = static_cast<uint8_t>(opening);
    fs::remove(m->paths.BootSoundPath);  // would raise 11 if it were looked at
    EXPECT_EQ(Codes(SaveAll(*m, false)), std::vector<Message>{});
    EXPECT_FALSE(fs::exists(dir / "done/module/opening_plugin.prx"));
    EXPECT_TRUE(fs::exists(dir / "done/module/paf.prx"));
  }
}

TEST(SaveAll, BootSoundTooBigOrMissing) {
  ScopedTempDir dir;
  auto m = LoadedModel(500, dir.path(), true);
  WriteBytes(m->paths.BootSoundPath, std::vector<uint8_t>(49376, 1));
  EXPECT_EQ(Codes(SaveAll(*m, true)), std::vector<Message>{});
  fs::remove(dir / "done/module/opening_plugin.prx");

  WriteBytes(m->paths.BootSoundPath, std::vector<uint8_t>(49377, 1));
  const std::vector<Failure> too_big = SaveAll(*m, true);
  EXPECT_EQ(too_big,
            (std::vector<Failure>{{M::WavTooBig, "the boot sound has more than the 49376 bytes its area holds"}}));
  EXPECT_FALSE(fs::exists(dir / "done/module/opening_plugin.prx"));
  EXPECT_TRUE(fs::exists(dir / "done/resource/topmenu_icon.rco")) << "the later files are still written";

  fs::remove(m->paths.BootSoundPath);
  EXPECT_EQ(SaveAll(*m, true), (std::vector<Failure>{{M::OpeningWriteError, "boot sound: No such file or directory"}}));
  EXPECT_FALSE(fs::exists(dir / "done/module/opening_plugin.prx"));
}

// The output folder cannot be made: `done` is a regular file (permission bits
// would not stop root). Every loaded file reports its write error, in order.
TEST(SaveAll, UnwritableOutputReportsEveryFileInOrder) {
  for (bool opening : {true, false}) {
    ScopedTempDir dir;
    auto m = LoadedModel(395, dir.path(), opening);
    WriteBytes(dir / "done", {'x'});
    std::vector<Message> want{M::VshmainWriteError, M::PafWriteError};
    if (opening) want.push_back(M::OpeningWriteError);
    want.insert(want.end(), {M::TopmenuPluginWriteError, M::SystemPluginFgWriteError, M::TopmenuIconWriteError});
    const std::vector<Failure> raised = SaveAll(*m, true);
    EXPECT_EQ(Codes(raised), want);
    // Each with the output it concerns and the system's reason.
    ASSERT_EQ(raised.size(), want.size());
    EXPECT_EQ(raised[0].cause, "done/module/vshmain.prx: Not a directory");
    EXPECT_EQ(raised[1].cause, "done/module/paf.prx: Not a directory");
    EXPECT_EQ(raised.back().cause, "done/resource/topmenu_icon.rco: Not a directory");
    EXPECT_TRUE(ReadBytes(dir / "done") == std::vector<uint8_t>{'x'});
    // Nothing was left anywhere: the folder holds what the test put there.
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    std::vector<std::string> expected{"done"};
    if (opening) expected.insert(expected.begin(), "bootsound.wav");
    EXPECT_EQ(names, expected);
  }
}

TEST(SaveAll, FullDiskFailsTheBigFilesAndKeepsTheirEarlierOutput) {
  ScopedTempDir dir;
  auto m = LoadedModel(390, dir.path(), false);
  ASSERT_EQ(Codes(SaveAll(*m, false)), std::vector<Message>{});
  const std::vector<uint8_t> vsh = ReadBytes(dir / "done/module/vshmain.prx");
  const std::vector<uint8_t> paf = ReadBytes(dir / "done/module/paf.prx");
  m->Layout.MainIconX = -1;
  {
    ScopedFileSizeLimit full(16 * 1024);  // the two modules do not fit; the containers do
    const std::vector<Failure> raised = SaveAll(*m, false);
    EXPECT_EQ(Codes(raised), (std::vector<Message>{M::VshmainWriteError, M::PafWriteError}));
    EXPECT_EQ(raised.at(0).cause, "done/module/vshmain.prx: File too large");
  }
  EXPECT_TRUE(ReadBytes(dir / "done/module/vshmain.prx") == vsh);
  EXPECT_TRUE(ReadBytes(dir / "done/module/paf.prx") == paf);
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir / "done/module")) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"paf.prx", "vshmain.prx"})) << "no temporary file is left";
}

TEST(SaveAll, NothingLoadedWritesNothing) {
  ScopedTempDir dir;
  Model unallocated;
  BuildPaths(unallocated.paths, dir.path());
  EXPECT_EQ(Codes(SaveAll(unallocated, true)), std::vector<Message>{});

  auto m = std::make_unique<Model>();
  ASSERT_TRUE(m->work.Allocate());
  BuildPaths(m->paths, dir.path());
  m->BootSoundEnabled = m->OpeningEnabled = 1;
  EXPECT_EQ(Codes(SaveAll(*m, true)), std::vector<Message>{});
  EXPECT_TRUE(fs::is_empty(dir / "done/module"));
  EXPECT_TRUE(fs::is_empty(dir / "done/resource"));
}

TEST(SaveAll, BrokenContainerIsReportedAndNotWritten) {
  ScopedTempDir dir;
  auto m = LoadedModel(401, dir.path(), false);
  m->BusyObject = 0x800 - 4;  // the busy object would run past the image
  ByteWriter(m->work.Area(FileArea::TopmenuPlugin)).u32(0x30, 0xFFFFFF00);
  EXPECT_EQ(SaveAll(*m, false),
            (std::vector<Failure>{{M::TopmenuPluginWriteError,
                                   "topmenu_plugin.rco: object table offset 0xffffff00 at 0x30 lies past the "
                                   "end (1024 bytes)"},
                                  {M::SystemPluginFgWriteError,
                                   "system_plugin_fg.rco: busy object at 0x7fc (372 bytes) lies past the end "
                                   "(2048 bytes)"}}));
  EXPECT_FALSE(fs::exists(dir / "done/resource/topmenu_plugin.rco"));
  EXPECT_FALSE(fs::exists(dir / "done/resource/system_plugin_fg.rco"));
  EXPECT_TRUE(fs::exists(dir / "done/resource/topmenu_icon.rco"));
}

}  // namespace
}  // namespace qorvi
