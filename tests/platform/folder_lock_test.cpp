// SPDX-License-Identifier: GPL-3.0-or-later
// The lock a save holds on its output folder: one holder at a time, a waiter that
// says so once and goes on when the holder lets go, and a folder that cannot be
// locked reported instead of waited for.
#include "platform/folder_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "support/scoped_temp_dir.h"

namespace qorvi {
namespace {

using namespace std::chrono_literals;
using testing::ScopedTempDir;
namespace fs = std::filesystem;

TEST(FolderLock, OneHolderAtATimeAndAWaiterSaysSoOnce) {
  ScopedTempDir dir;
  ScopedTempDir other;
  FolderLock first = FolderLock::Try(dir.path());
  ASSERT_TRUE(first.held()) << first.error().message();
  // Another lock, also by another name of the folder, finds it busy.
  fs::create_directory_symlink(dir.path(), other / "link");
  for (const std::string& name : {dir.path(), other / "link", dir.path() + "/."}) {
    const FolderLock second = FolderLock::Try(name);
    EXPECT_FALSE(second.held()) << name;
    EXPECT_TRUE(second.busy()) << name;
    EXPECT_FALSE(second.error()) << name;
  }
  EXPECT_TRUE(FolderLock::Try(other.path()).held()) << "another folder is free";

  std::atomic<int> said{0};
  std::thread holder([&] {
    for (int i = 0; i < 500 && said == 0; ++i) std::this_thread::sleep_for(10ms);
    first.Release();
  });
  FolderLock waited = FolderLock::Wait(dir.path(), 50ms, [&] { ++said; });
  holder.join();
  EXPECT_TRUE(waited.held());
  EXPECT_EQ(said, 1);
  waited.Release();
  // A free folder: taken at once, nothing said.
  EXPECT_TRUE(FolderLock::Wait(dir.path(), 0ms, [&] { ++said; }).held());
  EXPECT_EQ(said, 1);

  // A folder that does not exist is not waited for.
  const FolderLock missing = FolderLock::Wait(dir / "missing", 10ms, [&] { ++said; });
  EXPECT_FALSE(missing.held());
  EXPECT_FALSE(missing.busy());
  EXPECT_EQ(missing.error(), std::errc::no_such_file_or_directory);
  EXPECT_EQ(said, 1);
}

}  // namespace
}  // namespace qorvi
