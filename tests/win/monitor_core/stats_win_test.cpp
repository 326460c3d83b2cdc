// Runs under Wine: real statistics, the file cache record and both up-time
// sources.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <regex>

#include "monitor/core/stats_sampler.h"
#include "monitor/core/up_time.h"
#include "monitor/core/win/system_sources_win.h"

namespace skel::monitor {
namespace {

TEST(Statistics, SamplesTheRealSystem) {
  win::WinPerformanceSource source;
  StatsSampler sampler(source);
  sampler.SampleStats();
  const StatsSnapshot& s = sampler.Snapshot();
  EXPECT_GT(s.PageSize, 0);
  EXPECT_GT(s.MemoryTotal, 0);
  EXPECT_GE(s.MemoryAvailable, 0);
  EXPECT_LE(s.MemoryAvailable, s.MemoryTotal);
  EXPECT_EQ(s.MemoryUsed, s.MemoryTotal - s.MemoryAvailable);
  EXPECT_EQ(s.MemoryTotal % s.PageSize, 0);
  EXPECT_GT(s.CommitLimit, 0);
  EXPECT_GT(s.ProcessCount, 0);
  EXPECT_GE(s.ThreadCount, s.ProcessCount);
  EXPECT_GE(s.lCurrentMemoryUsedPercent, 0);
  EXPECT_LE(s.lCurrentMemoryUsedPercent, 100);
  EXPECT_EQ(s.UsedPercentDecimal + s.FreePercent, 1000000);
  EXPECT_EQ(sampler.Raw().cb, static_cast<int32_t>(sizeof(PERFORMANCE_INFORMATION)));

  // The same physical memory as the system's other report, to the page.
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  ASSERT_TRUE(::GlobalMemoryStatusEx(&status));
  const int64_t total = static_cast<int64_t>(status.ullTotalPhys);
  EXPECT_LE(std::llabs(s.MemoryTotal - total), static_cast<int64_t>(s.PageSize));
}

TEST(Statistics, FileCacheQueryIsAnsweredWithoutFailing) {
  win::WinPerformanceSource source;
  StatsSampler sampler(source);
  win::WinFileCacheSource cache;
  FileCacheInfo info = sampler.GetFileCacheInfo(cache);
  EXPECT_EQ(sampler.Snapshot().FileCacheSize, info.CurrentSize);
}

TEST(UpTime, BothSourcesGiveAText) {
  win::WinUpTimeSource source;
  EXPECT_TRUE(source.CounterOpen());
  const std::regex shape(R"((0 Days|\d\d Day|\d{2,} Days) \d\d:\d\d:\d\d)");

  std::string tickText = GetSystemUpTimeText(source, UpTimeMenu{true, false});
  EXPECT_TRUE(std::regex_match(tickText, shape)) << tickText;

  // Wine's counter reads 0; Windows gives the real up time. Either way the
  // text is the formatted counter.
  std::optional<double> counter = source.CounterSeconds();
  if (counter) {
    EXPECT_GE(*counter, 0);
  }
  std::string counterText = GetSystemUpTimeText(source, UpTimeMenu{false, true});
  EXPECT_TRUE(std::regex_match(counterText, shape)) << counterText;
}

}  // namespace
}  // namespace skel::monitor
