#include "monitor/core/stats_sampler.h"

#include <cmath>
#include <string>

namespace skel::monitor {
namespace {

int64_t Bytes(int32_t pages, int32_t pageSize) {
  return static_cast<int64_t>(pages) * static_cast<int64_t>(pageSize);
}

}  // namespace

FixedPoint4 FreePercentOf(int64_t memoryAvailable, int64_t memoryTotal) {
  if (memoryTotal == 0) return 0;
  double q = static_cast<double>(memoryAvailable) / static_cast<double>(memoryTotal) * 100.0;
  // The single-precision step decides the fourth decimal: 62.547813... as a
  // float times 10000 is exact in double and rounds to 625478.
  float single = static_cast<float>(q);
  return static_cast<FixedPoint4>(std::nearbyint(static_cast<double>(single) * 10000.0));
}

int32_t WholePercent(FixedPoint4 value) {
  // Halves away from zero, as formatting with the pattern "0" does.
  int64_t whole = value >= 0 ? (value + 5000) / 10000 : -((-value + 5000) / 10000);
  return static_cast<int32_t>(whole);
}

std::string PercentText(FixedPoint4 value, const LocaleSeparators& separators) {
  return FixedPoint4ToText(value, separators);
}

std::string PercentText(FixedPoint4 value) {
  return FixedPoint4ToText(value);
}

std::string CountText(int32_t count) {
  return std::to_string(count);
}

StatsSnapshot DeriveStats(const PerformanceRecord& raw, const StatsSnapshot& previous) {
  StatsSnapshot s;
  const int32_t page = raw.PageSize;
  s.CommitTotal = Bytes(raw.CommitTotal, page);
  s.CommitLimit = Bytes(raw.CommitLimit, page);
  s.CommitPeak = Bytes(raw.CommitPeak, page);
  s.MemoryTotal = Bytes(raw.PhysicalTotal, page);
  s.MemoryAvailable = Bytes(raw.PhysicalAvailable, page);
  s.MemoryUsed = s.MemoryTotal - s.MemoryAvailable;
  s.SystemCache = Bytes(raw.SystemCache, page);
  s.KernelTotal = Bytes(raw.KernelTotal, page);
  s.KernelPaged = Bytes(raw.KernelPaged, page);
  s.KernelNonPaged = Bytes(raw.KernelNonpaged, page);
  s.PageSize = page;
  s.HandleCount = raw.HandleCount;
  s.ProcessCount = raw.ProcessCount;
  s.ThreadCount = raw.ThreadCount;
  s.FreePercent = FreePercentOf(s.MemoryAvailable, s.MemoryTotal);
  s.UsedPercentDecimal = 1000000 - s.FreePercent;
  s.lCurrentMemoryUsedPercent = WholePercent(s.UsedPercentDecimal);
  s.FileCacheSize = previous.FileCacheSize;
  s.UpTimeText = previous.UpTimeText;
  return s;
}

void StatsSampler::SampleStats() {
  PerformanceRecord fresh{};
  if (source_.QueryPerformance(fresh)) raw_ = fresh;
  snapshot_ = DeriveStats(raw_, snapshot_);
}

FileCacheInfo StatsSampler::GetFileCacheInfo(FileCacheSource& fileCache) {
  FileCacheInfo info{};
  if (!fileCache.QueryFileCache(info)) info = FileCacheInfo{};
  snapshot_.FileCacheSize = info.CurrentSize;
  return info;
}

}  // namespace skel::monitor
