// The monitor-side cost of one request without the system: building a reply
// from an in-memory sample, reading one back as a client does, and turning
// away a megabyte of garbage. Under Wine the performance query (about 0.9 ms)
// dwarfs all of these; load_monitor.sh measures the whole path.
#include <benchmark/benchmark.h>

#include <string>

#include "common/stats_reply.h"
#include "monitor/server/stats_service.h"

namespace {

using namespace skel;
using namespace skel::monitor;

class MemoryPerformance : public PerformanceSource {
 public:
  bool QueryPerformance(PerformanceRecord& r) override {
    r.PageSize = 4096;
    r.CommitTotal = 632000;
    r.CommitLimit = 2060000;
    r.CommitPeak = 790000;
    r.PhysicalTotal = 1030000;
    r.PhysicalAvailable = 440000;
    r.SystemCache = 293000;
    r.KernelTotal = 105000;
    r.KernelPaged = 77000;
    r.KernelNonpaged = 28000;
    r.HandleCount = 23581;
    r.ProcessCount = 71;
    r.ThreadCount = 1024;
    return true;
  }
};

class MemoryFileCache : public FileCacheSource {
 public:
  bool QueryFileCache(FileCacheInfo& info) override {
    info.CurrentSize = 316081029;
    return true;
  }
};

void BM_GetAllData(benchmark::State& state) {
  MemoryPerformance performance;
  MemoryFileCache fileCache;
  StatsSampler sampler(performance);
  sampler.SetUpTimeText("0 Days 05:12:33");
  StatsServicePorts ports;
  ports.sampler = &sampler;
  ports.fileCache = &fileCache;
  StatsService service(ports, LocaleSeparators{".", ","});
  for (auto _ : state) benchmark::DoNotOptimize(service.GetAllData());
}
BENCHMARK(BM_GetAllData);

void BM_ReadStatsReply(benchmark::State& state) {
  const std::string reply =
      "Commit Total: 2.41 GB|Commit Limit: 7.86 GB|Commit Peak: 3.02 GB|File Cache: 301.44 "
      "MB|Handle Count: 23581|Kernel Total: 412.35 MB|Kernel Paged: 301.20 MB|Kernel Non "
      "Paged: 111.15 MB|Memory Avail.: 1.68 GB|Memory Total: 3.93 GB|Memory Used: 2.25 "
      "GB|Memory Used %: 57.2519|Process Count: 71|System Cache: 1.12 GB|Thread Count: "
      "1024|Up Time: 0 Days 05:12:33";
  for (auto _ : state) benchmark::DoNotOptimize(ReadStatsReply(reply));
}
BENCHMARK(BM_ReadStatsReply);

void BM_ClassifyGarbage(benchmark::State& state) {
  const std::string arrival(static_cast<size_t>(state.range(0)), 'G');
  for (auto _ : state) benchmark::DoNotOptimize(ClassifyRequest(arrival));
}
BENCHMARK(BM_ClassifyGarbage)->Arg(10)->Arg(1 << 20);

}  // namespace
