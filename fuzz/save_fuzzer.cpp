// SPDX-License-Identifier: GPL-3.0-or-later
// The save path over loaded demo sets of every version: arbitrary layout values,
// menu entries, item records, counts and object places, taken from the input, go
// through the apply steps and the 5.00 code patch; one input in 512 also goes
// through the ~PSP packer and back.
//
// Properties beyond "no crash": with the loaded counts and object places every
// apply step succeeds; a refusal says why; Save changes no byte outside the places
// it writes; a packed module unpacks to exactly the patched image.
#include <stdlib.h>
#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "demo/demo_set.h"
#include "firmware/apply_values.h"
#include "firmware/constants_harvest.h"
#include "firmware/load_sequence.h"
#include "firmware/psp_package.h"
#include "fuzz_support.h"

namespace {

using namespace qorvi;

// One input in this many also packs the patched vshmain.prx (see below); the seeds
// include one such input per version.
constexpr uint32_t kPackOneIn = 512;

// The images Save patches, in the order of LoadedSet::images.
constexpr FileArea kPatched[] = {FileArea::Vshmain, FileArea::Paf, FileArea::TopmenuPlugin, FileArea::SystemPluginFg};

// One demo set, loaded once, with its images as loaded. The work area is kept for
// the whole run; each input puts back only the ranges Save can have changed (the
// module places and constant code, the two small containers whole), not the
// megabytes around them.
struct LoadedSet {
  Model model;
  std::unique_ptr<FirmwareState> state = std::make_unique<FirmwareState>();
  std::vector<std::vector<uint8_t>> images;
  std::vector<std::vector<std::pair<std::size_t, std::size_t>>> ranges;

  std::span<uint8_t> Image(std::size_t i) { return model.work.Area(kPatched[i]).first(images[i].size()); }
  void Restore() {
    for (std::size_t i = 0; i < images.size(); ++i) {
      for (auto [at, length] : ranges[i]) std::memcpy(Image(i).data() + at, images[i].data() + at, length);
    }
  }
  // Whether Save left every byte outside the ranges as loaded.
  bool OnlyRangesChanged() {
    for (std::size_t i = 0; i < images.size(); ++i) {
      std::vector<uint8_t> expected = images[i];
      std::span<const uint8_t> now = Image(i);
      for (auto [at, length] : ranges[i]) std::memcpy(expected.data() + at, now.data() + at, length);
      if (std::memcmp(expected.data(), now.data(), now.size()) != 0) return false;
    }
    return true;
  }
};

std::unique_ptr<LoadedSet> Load(int32_t version) {
  auto set = std::make_unique<LoadedSet>();
  std::string dir = (std::filesystem::temp_directory_path() / "qorvi-save-fuzzer-XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr || !set->model.work.Allocate()) std::abort();
  demo::DemoOptions options;
  options.version = version;
  std::string error;
  if (!demo::WriteDemoSet(dir, options, &error)) std::abort();
  BuildPaths(set->model.paths, dir);
  if (LoadAll(set->model)) std::abort();
  std::filesystem::remove_all(dir);
  fuzz::Snapshot(set->model, *set->state);
  const FirmwareState& s = *set->state;
  const int32_t lengths[] = {s.VshmainLoadedSize, s.PafLoadedSize, s.TopmenuPluginLoadedSize,
                             s.SystemPluginFgLoadedSize};
  for (std::size_t i = 0; i < std::size(kPatched); ++i) {
    auto area = set->model.work.Area(kPatched[i]).first(static_cast<std::size_t>(lengths[i]));
    set->images.emplace_back(area.begin(), area.end());
    if (i < 2) {
      set->ranges.push_back(fuzz::ModuleRanges(set->images.back(), i == 0, s.Profile));
    } else {
      set->ranges.push_back({{0, area.size()}});
    }
  }
  return set;
}

// Copies up to `n` input bytes over `target`; what the input lacks stays as loaded.
void Take(const uint8_t*& data, std::size_t& size, void* target, std::size_t n) {
  n = std::min(n, size);
  std::memcpy(target, data, n);
  data += n;
  size -= n;
}

void Expect(const Status& s, bool must_pass, const char* what) {
  if (!s && s.cause().empty()) fuzz::Violated("a refusal without a cause");
  if (!s && must_pass) fuzz::Violated(what);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::unique_ptr<LoadedSet> sets[] = {Load(390), Load(395), Load(401), Load(500)};
  static std::vector<uint8_t> unpacked(kInflateLimit);
  if (size < 2) return 0;
  const bool pack = crc32(0, data, static_cast<uInt>(size)) % kPackOneIn == 0;
  LoadedSet& set = *sets[data[0] % 4];
  const uint8_t flags = data[1];
  data += 2;
  size -= 2;

  // Start each run from the loaded set, then let the input overwrite the model.
  FirmwareState& s = set.model;
  fuzz::Snapshot(*set.state, s);
  set.Restore();
  Take(data, size, &s.Layout, sizeof s.Layout);
  Take(data, size, s.CategoryEntries.data(), sizeof s.CategoryEntries);
  Take(data, size, s.ItemTable.data(), sizeof s.ItemTable);
  const bool places_as_loaded = !(flags & 1);
  if (!places_as_loaded) {
    Take(data, size, &s.CategoryEntryCount, sizeof s.CategoryEntryCount);
    Take(data, size, &s.ItemCount, sizeof s.ItemCount);
    Take(data, size, &s.BatteryObject, sizeof s.BatteryObject);
    Take(data, size, &s.BusyObject, sizeof s.BusyObject);
  }

  std::span<uint8_t> vsh = set.Image(0);
  std::span<uint8_t> paf = set.Image(1);
  Expect(ApplyVshmainValues(vsh, s.Layout, s), true, "vshmain.prx values of a loaded set refused");
  Expect(ApplyPafValues(paf, s.Layout, s), true, "paf.prx values of a loaded set refused");
  if (s.Profile.HarvestsConstants) {
    PatchFloatImmediates(s.VshConstants, vsh);
    PatchFloatImmediates(s.PafConstants, paf);
  }
  Expect(ApplyTopmenuPluginValues(set.Image(2), s.Layout), true, "topmenu_plugin.rco value of a loaded set refused");
  Expect(ApplySystemPluginValues(set.Image(3), s, s.Layout), places_as_loaded,
         "system_plugin_fg.rco values of a loaded set refused");

  // Packing costs a deflate of the whole module (some 20 ms), so only one input
  // in 512, picked by a checksum of the input so that a mutation moves it out
  // again: a saved module must unpack to the patched image, byte for byte.
  if (pack) {
    if (!set.OnlyRangesChanged()) fuzz::Violated("Save changed a byte outside the places it writes");
    const auto packed = PackPsp(vsh, s.VshmainPspHeader, set.model.work.Scratch());
    if (!packed) fuzz::Violated("a loaded module does not pack");
    const Result<std::size_t> back = UnpackPsp(*packed, unpacked);
    if (!back || *back != vsh.size() || std::memcmp(unpacked.data(), vsh.data(), vsh.size()) != 0) {
      fuzz::Violated("a packed module does not unpack to the patched image");
    }
  }
  return 0;
}
