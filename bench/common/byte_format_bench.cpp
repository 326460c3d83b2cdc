// ns per FormatByteSize call in each band.
#include <benchmark/benchmark.h>

#include "common/byte_format.h"

namespace {

void BM_FormatByteSize(benchmark::State& state) {
  const int64_t value = state.range(0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(skel::FormatByteSize(value, true));
  }
}
BENCHMARK(BM_FormatByteSize)
    ->ArgName("bytes")
    ->Arg(1023)                 // Bytes
    ->Arg(1536)                 // KB
    ->Arg(5LL << 20)            // MB
    ->Arg(2415919104LL)         // GB
    ->Arg(3LL << 40)            // TB
    ->Arg(-1879048192LL);       // negative count moved up, GB

void BM_FormatByteSizeNoUnits(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(skel::FormatByteSize(123456789, false));
  }
}
BENCHMARK(BM_FormatByteSizeNoUnits);

}  // namespace
