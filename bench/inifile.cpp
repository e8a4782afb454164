// Named-value files: loading grows linearly with the file (bytes per second
// stay flat from 1 to 64 MB), and the reads and writes of a typical small
// tree (a saved position of a hundred lights) cost microseconds.
#include <benchmark/benchmark.h>

#include <string>

#include "framework/IniDocument.h"

namespace {

std::string FileText(size_t bytes) {
  std::string text = "; generated\r\n[/lights/]\r\n";
  for (size_t i = 0; text.size() < bytes; ++i) {
    if (i % 1000 == 0) text += "[/s" + std::to_string(i) + "/]\r\n";
    text += "  light" + std::to_string(i) + " = " + std::to_string(i * 7919 % 2401) + "  \r\n";
  }
  return text;
}

void BM_LoadDocument(benchmark::State& state) {
  const std::string text = FileText(static_cast<size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    TIniDocument document("bench.ini");
    document.Load(text);
    benchmark::DoNotOptimize(document.SectionCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LoadDocument)->RangeMultiplier(4)->Range(1, 64)->Unit(benchmark::kMillisecond);

void BM_LoadAndFindInOneLine(benchmark::State& state) {
  // One endless line: the worst shape for a line splitter.
  std::string text = "[/]\r\n" + std::string(static_cast<size_t>(state.range(0)) << 20, 'x') + "=1\r\n";
  for (auto _ : state) {
    TIniDocument document("bench.ini");
    document.Load(text);
    benchmark::DoNotOptimize(document.FindValue("/", "k"));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LoadAndFindInOneLine)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);

void BM_WriteSmallTree(benchmark::State& state) {
  for (auto _ : state) {
    TIniDocument document("bench.ini");
    for (int i = 0; i < 100; ++i) {
      document.SetValue("/lights/", i == 0 ? "x" : "x#" + std::to_string(i), std::to_string(i));
    }
    benchmark::DoNotOptimize(document.Save());
  }
}
BENCHMARK(BM_WriteSmallTree)->Unit(benchmark::kMicrosecond);

void BM_ReadSmallTree(benchmark::State& state) {
  TIniDocument document("bench.ini");
  document.Load(FileText(4000));
  for (auto _ : state) {
    for (int i = 0; i < 100; ++i) benchmark::DoNotOptimize(document.FindValue("/LIGHTS/", "light" + std::to_string(i)));
  }
}
BENCHMARK(BM_ReadSmallTree)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
