// Under Wine (or Windows): how much of one statistics refresh is the system
// call. Times the real GetPerformanceInfo and, separately, the derivation and
// texts, and prints percentiles and the system call's share of the total.
//   scripts/wine-run build/win64/bench/monitor_core/stats_sample_wine_bench.exe [samples]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/byte_format.h"
#include "monitor/core/stats_sampler.h"
#include "monitor/core/up_time.h"
#include "monitor/core/win/system_sources_win.h"

namespace {

using namespace skel::monitor;

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
  return v[i];
}

}  // namespace

int main(int argc, char** argv) {
  const int samples = argc > 1 ? std::max(10, std::atoi(argv[1])) : 500;
  LARGE_INTEGER freq;
  ::QueryPerformanceFrequency(&freq);
  const double nsPerTick = 1e9 / static_cast<double>(freq.QuadPart);

  win::WinPerformanceSource source;
  std::vector<double> callNs, deriveNs;
  StatsSnapshot snapshot;
  size_t textBytes = 0;
  for (int i = 0; i < samples; ++i) {
    PerformanceRecord raw;
    LARGE_INTEGER t0, t1, t2;
    ::QueryPerformanceCounter(&t0);
    bool ok = source.QueryPerformance(raw);
    ::QueryPerformanceCounter(&t1);
    snapshot = DeriveStats(raw, snapshot);
    for (int64_t bytes : {snapshot.MemoryTotal, snapshot.MemoryAvailable, snapshot.MemoryUsed,
                          snapshot.CommitTotal, snapshot.CommitLimit, snapshot.CommitPeak,
                          snapshot.SystemCache, snapshot.KernelPaged, snapshot.KernelNonPaged}) {
      textBytes += skel::FormatByteSize(bytes, true).size();
    }
    textBytes += PercentText(snapshot.UsedPercentDecimal).size();
    textBytes += CountText(snapshot.HandleCount).size() + CountText(snapshot.ThreadCount).size();
    textBytes += FormatUpTime(TickCountSeconds(static_cast<int32_t>(::GetTickCount()))).size();
    ::QueryPerformanceCounter(&t2);
    if (!ok) {
      std::printf("GetPerformanceInfo failed\n");
      return 1;
    }
    callNs.push_back(static_cast<double>(t1.QuadPart - t0.QuadPart) * nsPerTick);
    deriveNs.push_back(static_cast<double>(t2.QuadPart - t1.QuadPart) * nsPerTick);
  }
  double callMedian = Percentile(callNs, 0.5), deriveMedian = Percentile(deriveNs, 0.5);
  std::printf("samples %d (text bytes %zu)\n", samples, textBytes);
  std::printf("GetPerformanceInfo   ns  p50 %10.0f  p90 %10.0f  p99 %10.0f\n", callMedian,
              Percentile(callNs, 0.9), Percentile(callNs, 0.99));
  std::printf("derive + texts       ns  p50 %10.0f  p90 %10.0f  p99 %10.0f\n", deriveMedian,
              Percentile(deriveNs, 0.9), Percentile(deriveNs, 0.99));
  std::printf("system call share of one refresh (p50): %.1f %%\n",
              100.0 * callMedian / (callMedian + deriveMedian));
  return 0;
}
