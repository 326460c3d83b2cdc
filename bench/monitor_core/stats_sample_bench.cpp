// Host cost of one statistics sample and the texts derived from it, with a
// source that answers at once: what the monitor spends per tick and per reply
// on top of the system call itself.
#include <benchmark/benchmark.h>

#include "common/byte_format.h"
#include "monitor/core/stats_sampler.h"
#include "monitor/core/up_time.h"

namespace {

using namespace skel::monitor;

class InstantSource : public PerformanceSource {
 public:
  bool QueryPerformance(PerformanceRecord& record) override {
    record = PerformanceRecord{104,   1048576, 2097152, 1500000, 4000000, 1250000, 300000,
                               60000, 40000,   20000,   4096,    51234,   87,      1234};
    // Vary the free pages so nothing can be folded away.
    record.PhysicalAvailable += static_cast<int32_t>(++calls_ & 1023);
    return true;
  }

 private:
  uint32_t calls_ = 0;
};

void BM_SampleStats(benchmark::State& state) {
  InstantSource source;
  StatsSampler sampler(source);
  for (auto _ : state) {
    sampler.SampleStats();
    benchmark::DoNotOptimize(sampler.Snapshot().lCurrentMemoryUsedPercent);
  }
}
BENCHMARK(BM_SampleStats);

// A sample plus every text a reply shows: nine byte sizes, the percentage,
// three counts and the up time.
void BM_SampleStatsWithTexts(benchmark::State& state) {
  InstantSource source;
  StatsSampler sampler(source);
  double seconds = 90061;
  for (auto _ : state) {
    sampler.SampleStats();
    const StatsSnapshot& s = sampler.Snapshot();
    for (int64_t bytes :
         {s.MemoryTotal, s.MemoryAvailable, s.MemoryUsed, s.CommitTotal, s.CommitLimit,
          s.CommitPeak, s.SystemCache, s.KernelPaged, s.KernelNonPaged}) {
      benchmark::DoNotOptimize(skel::FormatByteSize(bytes, true));
    }
    benchmark::DoNotOptimize(PercentText(s.UsedPercentDecimal));
    benchmark::DoNotOptimize(CountText(s.HandleCount));
    benchmark::DoNotOptimize(CountText(s.ProcessCount));
    benchmark::DoNotOptimize(CountText(s.ThreadCount));
    benchmark::DoNotOptimize(FormatUpTime(seconds += 1));
  }
}
BENCHMARK(BM_SampleStatsWithTexts);

}  // namespace
