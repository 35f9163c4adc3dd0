// SPDX-License-Identifier: GPL-3.0-or-later
// The one 16 MiB block that holds every file image and the scratch space.
//
//   0          vshmain.prx            1 MiB
//   1 MiB      paf.prx                2 MiB
//   3 MiB      opening_plugin.prx     128 KiB
//   +128 KiB   topmenu_plugin.rco     128 KiB
//   +256 KiB   system_plugin_fg.rco   128 KiB
//   +384 KiB   topmenu_icon.rco       512 KiB
//   4 MiB      staging copies of the six areas, same layout (a load reads here
//              and copies into the areas above only when every file passed)
//   8 MiB      ScratchBuffer          8 MiB
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace qorvi {

enum class FileArea { Vshmain, Paf, Opening, TopmenuPlugin, SystemPluginFg, TopmenuIcon };
inline constexpr int kFileAreaCount = 6;

inline constexpr std::size_t KiB = 1024;
inline constexpr std::size_t MiB = 1024 * 1024;

struct AreaLayout {
  std::size_t offset;
  std::size_t capacity;
};

inline constexpr std::array<AreaLayout, kFileAreaCount> kAreaLayout{{
    {0, 1 * MiB},
    {1 * MiB, 2 * MiB},
    {3 * MiB, 128 * KiB},
    {3 * MiB + 128 * KiB, 128 * KiB},
    {3 * MiB + 256 * KiB, 128 * KiB},
    {3 * MiB + 384 * KiB, 512 * KiB},
}};

inline constexpr std::size_t kWorkAreaSize = 16 * MiB;
inline constexpr std::size_t kStagingOffset = 4 * MiB;
inline constexpr std::size_t kScratchOffset = 8 * MiB;
inline constexpr std::size_t kScratchSize = 8 * MiB;
// Inflating a module or a picture writes into the first 4 MiB of the scratch space.
inline constexpr std::size_t kInflateLimit = 4 * MiB;

constexpr std::size_t Capacity(FileArea a) { return kAreaLayout[static_cast<int>(a)].capacity; }

class WorkArea {
 public:
  // Allocates and zeroes the block; false when the memory cannot be had.
  bool Allocate();
  bool Allocated() const { return block_ != nullptr; }

  std::span<uint8_t> Area(FileArea a);
  std::span<const uint8_t> Area(FileArea a) const;
  std::span<uint8_t> Staging(FileArea a);
  std::span<uint8_t> Scratch();

 private:
  std::unique_ptr<uint8_t[]> block_;
};

}  // namespace qorvi
