// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a `--layout` document as large as it may be (16 MiB): keys the reader
// does not know, at the top and inside "layout", and one known field repeated.
// Reading, checking and the refusal that names the first few unknown keys are
// linear in the document's size, so each of these takes about as long as parsing
// the JSON at all.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "layout_json/layout_json.h"

namespace {

using qorvi::layout_json::kMaxDocumentBytes;
using qorvi::layout_json::ParseLayoutText;

enum Shape { kUnknownAtTop, kUnknownInLayout, kOneFieldRepeated };

// A document of `shape` just below the size limit.
std::string Document(Shape shape) {
  const std::string open = shape == kUnknownAtTop ? "{" : "{\"layout\": {";
  const std::string close = shape == kUnknownAtTop ? "}" : "}}";
  std::string text = open;
  text.reserve(kMaxDocumentBytes);
  for (long i = 0;; ++i) {
    const std::string key = shape == kOneFieldRepeated ? "MainIconX" : "key" + std::to_string(i);
    const std::string entry = (i == 0 ? "\"" : ", \"") + key + "\": " + std::to_string(i % 1000);
    if (text.size() + entry.size() + close.size() > kMaxDocumentBytes) break;
    text += entry;
  }
  return text + close;
}

void BM_LayoutDocument(benchmark::State& state) {
  const auto shape = static_cast<Shape>(state.range(0));
  const std::string text = Document(shape);
  for (auto _ : state) {
    const auto parsed = ParseLayoutText(text);
    // Unknown keys are refused; a repeated known field is read.
    if (parsed.changes.has_value() != (shape == kOneFieldRepeated)) {
      state.SkipWithError(("unexpected result: " + parsed.error.substr(0, 200)).c_str());
      break;
    }
    benchmark::DoNotOptimize(parsed);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  state.SetLabel(shape == kUnknownAtTop      ? "unknown keys at the top"
                 : shape == kUnknownInLayout ? "unknown keys in layout"
                                             : "MainIconX repeated");
}
BENCHMARK(BM_LayoutDocument)
    ->Arg(kUnknownAtTop)
    ->Arg(kUnknownInLayout)
    ->Arg(kOneFieldRepeated)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
