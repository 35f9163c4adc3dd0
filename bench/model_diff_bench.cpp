// SPDX-License-Identifier: GPL-3.0-or-later
// What the Changes window computes after every change of the session (each move of
// a drag included): the comparison of a 5.00 model with its loaded copy, when
// nothing differs and when every compared value does.
#include <benchmark/benchmark.h>

#include <memory>

#include "demo/demo_set.h"
#include "save/model_diff.h"

namespace {

using namespace qorvi;

std::unique_ptr<FirmwareState> DemoState() {
  auto s = demo::ExpectedDemoState(500);
  TakeLoadedCopy(*s);
  return s;
}

void BM_DiffFromLoadedNothingChanged(benchmark::State& state) {
  auto s = DemoState();
  for (auto _ : state) benchmark::DoNotOptimize(DiffFromLoaded(*s));
}
BENCHMARK(BM_DiffFromLoadedNothingChanged);

void BM_DiffFromLoadedEverythingChanged(benchmark::State& state) {
  auto s = DemoState();
  for (const LayoutField& f : LayoutFields()) {
    std::visit([&](auto member) { s->Layout.*member += 1; }, f.member);
  }
  for (RgbF& c : s->Layout.TextColor) c.r += 0.5f;
  for (RgbF& c : s->Layout.BGColor) c.g += 0.5f;
  s->Layout.BatteryColor.r ^= 1;
  s->Layout.ClockColor.r ^= 1;
  s->Layout.BusyColor.r ^= 1;
  for (CategoryEntry& e : s->CategoryEntries) e = {9, 9, 9, 9};
  for (ItemRecord& item : s->ItemTable) {
    item.Word0 = item.Media = item.ExecGroup = item.ExecFunction = item.Word4 = item.Word5 = item.Word6 = 77;
    item.UmdFlag = 9;
    item.ExecIndex = 99;
    item.MainImageTag = item.ShadowImageTag = item.ConfImageTag = item.NameTag = ItemTag::FromText("tex_changed");
  }
  std::size_t n = 0;
  for (auto _ : state) {
    const std::vector<ValueDifference> d = DiffFromLoaded(*s);
    n = d.size();
    benchmark::DoNotOptimize(d.data());
  }
  state.counters["differences"] = static_cast<double>(n);
}
BENCHMARK(BM_DiffFromLoadedEverythingChanged);

}  // namespace

BENCHMARK_MAIN();
