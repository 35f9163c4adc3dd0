// The save path over loaded demo sets of every version: arbitrary layout values,
// menu entries, item records, counts and object places, taken from the input, go
// through the apply steps, the 5.00 code patch and the ~PSP packer.
#include <stdlib.h>

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

namespace {

using namespace qorvi;

// One demo set, loaded once, with its images as loaded.
struct LoadedSet {
  Model model;
  FirmwareState state;
  std::vector<std::vector<uint8_t>> images;
};

constexpr FileArea kPatched[] = {FileArea::Vshmain, FileArea::Paf, FileArea::TopmenuPlugin, FileArea::SystemPluginFg};

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
  set->state = set->model;
  for (FileArea a : kPatched) {
    auto area = set->model.work.Area(a);
    set->images.emplace_back(area.begin(), area.end());
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::unique_ptr<LoadedSet> sets[] = {Load(390), Load(395), Load(401), Load(500)};
  if (size < 2) return 0;
  LoadedSet& set = *sets[data[0] % 4];
  const uint8_t flags = data[1];
  data += 2;
  size -= 2;

  // Start each run from the loaded set, then let the input overwrite the model.
  FirmwareState& s = set.model;
  s = set.state;
  for (std::size_t i = 0; i < std::size(kPatched); ++i) {
    std::memcpy(set.model.work.Area(kPatched[i]).data(), set.images[i].data(), set.images[i].size());
  }
  Take(data, size, &s.Layout, sizeof s.Layout);
  Take(data, size, s.CategoryEntries.data(), sizeof s.CategoryEntries);
  Take(data, size, s.ItemTable.data(), sizeof s.ItemTable);
  if (flags & 1) {
    Take(data, size, &s.CategoryEntryCount, sizeof s.CategoryEntryCount);
    Take(data, size, &s.ItemCount, sizeof s.ItemCount);
    Take(data, size, &s.BatteryObject, sizeof s.BatteryObject);
    Take(data, size, &s.BusyObject, sizeof s.BusyObject);
  }

  auto vsh = set.model.work.Area(FileArea::Vshmain).first(s.VshmainLoadedSize);
  auto paf = set.model.work.Area(FileArea::Paf).first(s.PafLoadedSize);
  ApplyVshmainValues(vsh, s.Layout, s);
  ApplyPafValues(paf, s.Layout, s);
  if (s.FirmwareVersion == 500) {
    PatchFloatImmediates(s.VshConstants, vsh);
    PatchFloatImmediates(s.PafConstants, paf);
  }
  ApplyTopmenuPluginValues(set.model.work.Area(FileArea::TopmenuPlugin).first(s.TopmenuPluginLoadedSize), s.Layout);
  ApplySystemPluginValues(set.model.work.Area(FileArea::SystemPluginFg).first(s.SystemPluginFgLoadedSize), s, s.Layout);
  // Packing costs a deflate of the whole module; done for some inputs only.
  if (flags & 2) PackPsp(vsh, s.VshmainPspHeader, set.model.work.Scratch());
  return 0;
}
