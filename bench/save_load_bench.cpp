// SPDX-License-Identifier: GPL-3.0-or-later
// Load and save of a 5.00 demo set with compressed modules, next to what zlib alone
// needs for the same bytes: deflating the two module images (raw deflate, default
// level, as the writer does) and reading plus inflating the two compressed module
// files. At the end it prints save / deflate-alone and load / (read + inflate).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "demo/demo_set.h"
#include "firmware/load_sequence.h"
#include "model/psp_header.h"
#include "save/save_sequence.h"

namespace {

using namespace qorvi;

struct Fixture {
  std::string dir;
  std::unique_ptr<Model> model = std::make_unique<Model>();
  std::vector<uint8_t> vshmain, paf;            // the plain module images
  std::vector<uint8_t> deflateOut, inflateOut;  // preallocated, as the program's scratch space

  Fixture() {
    dir = (std::filesystem::temp_directory_path() / "qorvi-bench-XXXXXX").string();
    std::string error;
    demo::DemoOptions options;
    options.version = 500;
    options.compressed = true;
    if (mkdtemp(dir.data()) == nullptr || !model->work.Allocate() || !demo::WriteDemoSet(dir, options, &error)) {
      std::fprintf(stderr, "cannot set up the demo set: %s\n", error.c_str());
      std::exit(1);
    }
    BuildPaths(model->paths, dir);
    if (LoadAll(*model)) std::exit(1);
    TakeLoadedCopy(*model);
    auto vsh = model->work.Area(FileArea::Vshmain).first(model->VshmainLoadedSize);
    auto p = model->work.Area(FileArea::Paf).first(model->PafLoadedSize);
    vshmain.assign(vsh.begin(), vsh.end());
    paf.assign(p.begin(), p.end());
    deflateOut.resize(4 << 20);
    inflateOut.resize(4 << 20);
  }
  ~Fixture() { std::filesystem::remove_all(dir); }
};

Fixture& Set() {
  static Fixture f;
  return f;
}

std::size_t DeflateRaw(const std::vector<uint8_t>& in, std::vector<uint8_t>& out) {
  z_stream z{};
  deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  z.next_in = const_cast<Bytef*>(in.data());
  z.avail_in = static_cast<uInt>(in.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  deflateEnd(&z);
  return z.total_out;
}

std::size_t ReadAndInflate(const std::string& path, std::vector<uint8_t>& out) {
  std::ifstream file(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::size_t skip = kPspHeaderSize + 10;  // ~PSP header, gzip member header without flags
  z_stream z{};
  inflateInit2(&z, -MAX_WBITS);
  z.next_in = bytes.data() + skip;
  z.avail_in = static_cast<uInt>(bytes.size() - skip);
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  inflate(&z, Z_FINISH);
  inflateEnd(&z);
  return z.total_out;
}

void BM_Load(benchmark::State& state) {
  Fixture& f = Set();
  for (auto _ : state) benchmark::DoNotOptimize(LoadAll(*f.model));
}

void BM_ReadInflateAlone(benchmark::State& state) {
  Fixture& f = Set();
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadAndInflate(f.model->paths.VshmainPath, f.inflateOut));
    benchmark::DoNotOptimize(ReadAndInflate(f.model->paths.PafPath, f.inflateOut));
  }
}

void BM_Save(benchmark::State& state) {
  Fixture& f = Set();
  for (auto _ : state) benchmark::DoNotOptimize(SaveAll(*f.model, true));
}

void BM_DeflateAlone(benchmark::State& state) {
  Fixture& f = Set();
  for (auto _ : state) {
    benchmark::DoNotOptimize(DeflateRaw(f.vshmain, f.deflateOut));
    benchmark::DoNotOptimize(DeflateRaw(f.paf, f.deflateOut));
  }
}

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadInflateAlone)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DeflateAlone)->Unit(benchmark::kMillisecond)->UseRealTime();

// The console output, plus the two ratios once every benchmark has run, of wall
// time (what a user waits for, fsync included) and of CPU time.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration) continue;
      real_[r.benchmark_name()] = r.GetAdjustedRealTime();
      cpu_[r.benchmark_name()] = r.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    Print("save / deflate alone", "BM_Save/real_time", "BM_DeflateAlone/real_time", 1.15);
    Print("load / (read + inflate alone)", "BM_Load/real_time", "BM_ReadInflateAlone/real_time", 1.5);
  }

 private:
  void Print(const char* what, const std::string& a, const std::string& b, double target) {
    auto ratio = [&](std::map<std::string, double>& t) {
      return t.count(a) && t.count(b) && t[b] > 0 ? t[a] / t[b] : 0;
    };
    std::printf("%-30s %.2f wall, %.2f CPU (target at most %.2f)\n", what, ratio(real_), ratio(cpu_), target);
  }

  std::map<std::string, double> real_;
  std::map<std::string, double> cpu_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
