#include "monitor/core/stats_sampler.h"

#include <gtest/gtest.h>

#include <climits>

#include "common/byte_format.h"
#include "fakes.h"

namespace skel::monitor {
namespace {

using testing::FakeFileCacheSource;
using testing::FakePerformanceSource;

PerformanceRecord Memory(int32_t totalPages, int32_t availablePages, int32_t pageSize = 4096) {
  PerformanceRecord r;
  r.cb = 56;
  r.PhysicalTotal = totalPages;
  r.PhysicalAvailable = availablePages;
  r.PageSize = pageSize;
  return r;
}

struct PercentCase {
  const char* what;
  int32_t totalPages;
  int32_t availablePages;
  FixedPoint4 free;
  FixedPoint4 used;
  const char* usedText;
  int32_t whole;
};

class Percentages : public ::testing::TestWithParam<PercentCase> {};

TEST_P(Percentages, FollowTheFixedArithmetic) {
  const PercentCase& c = GetParam();
  StatsSnapshot s = DeriveStats(Memory(c.totalPages, c.availablePages));
  EXPECT_EQ(s.FreePercent, c.free);
  EXPECT_EQ(s.UsedPercentDecimal, c.used);
  EXPECT_EQ(PercentText(s.UsedPercentDecimal, LocaleSeparators{}), c.usedText);
  EXPECT_EQ(s.lCurrentMemoryUsedPercent, c.whole);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Percentages,
    ::testing::Values(
        // 5,000,000 KiB available of 16,000,000 KiB.
        PercentCase{"quarter", 4000000, 1250000, 312500, 687500, "68.75", 69},
        // q = 62.547813, whose single-precision value is 62.5478134...
        PercentCase{"fourth decimal", 100000000, 62547813, 625478, 374522, "37.4522", 37},
        // 37.45225 exactly in double would tie to 374522; its single-precision
        // value 37.4522514... gives 374523.
        PercentCase{"single step", 4000000, 1498090, 374523, 625477, "62.5477", 63},
        PercentCase{"half to tray band 2", 200, 101, 505000, 495000, "49.5", 50},
        PercentCase{"half up", 8, 5, 625000, 375000, "37.5", 38},
        PercentCase{"just below half", 1000000, 625001, 625001, 374999, "37.4999", 37},
        PercentCase{"all free", 1000, 1000, 1000000, 0, "0", 0},
        PercentCase{"none free", 1000, 0, 0, 1000000, "100", 100},
        PercentCase{"no sample yet", 0, 0, 0, 1000000, "100", 100},
        PercentCase{"garbage total 0", 0, 12345, 0, 1000000, "100", 100}),
    [](const auto& param) {
      std::string name = param.param.what;
      for (char& ch : name)
        if (ch == ' ') ch = '_';
      return name;
    });

TEST(DeriveStats, BytesAreExact64BitProducts) {
  PerformanceRecord r = Memory(4000000, 1250000);
  r.CommitTotal = 1048576;
  r.CommitLimit = INT32_MAX;
  r.CommitPeak = 3;
  r.SystemCache = 10;
  r.KernelTotal = 7;
  r.KernelPaged = 4;
  r.KernelNonpaged = 3;
  r.HandleCount = 51234;
  r.ProcessCount = 87;
  r.ThreadCount = 1234;
  StatsSnapshot s = DeriveStats(r);
  EXPECT_EQ(s.CommitTotal, 4294967296LL);
  EXPECT_EQ(s.CommitLimit, 2147483647LL * 4096);
  EXPECT_EQ(s.MemoryTotal, 16384000000LL);
  EXPECT_EQ(s.MemoryAvailable, 5120000000LL);
  EXPECT_EQ(s.MemoryUsed, 11264000000LL);
  EXPECT_EQ(s.SystemCache, 40960);
  EXPECT_EQ(s.KernelTotal, 28672);
  EXPECT_EQ(s.KernelPaged, 16384);
  EXPECT_EQ(s.KernelNonPaged, 12288);
  EXPECT_EQ(s.PageSize, 4096);
  EXPECT_EQ(CountText(s.HandleCount), "51234");  // no grouping
  EXPECT_EQ(s.ProcessCount, 87);
  EXPECT_EQ(s.ThreadCount, 1234);
  EXPECT_EQ(FormatByteSize(s.CommitTotal, true, LocaleSeparators{}), "4.00 GB");
}

TEST(DeriveStats, ExtremeFieldsNeitherOverflowNorCrash) {
  for (int32_t total : {INT32_MIN, -1, 1, INT32_MAX}) {
    for (int32_t available : {INT32_MIN, 0, INT32_MAX}) {
      StatsSnapshot s = DeriveStats(Memory(total, available, INT32_MAX));
      EXPECT_EQ(s.UsedPercentDecimal, 1000000 - s.FreePercent);
      EXPECT_EQ(s.MemoryUsed, s.MemoryTotal - s.MemoryAvailable);
    }
  }
}

TEST(PercentText, UsesTheLocaleSeparator) {
  EXPECT_EQ(PercentText(374522, LocaleSeparators{",", "."}), "37,4522");
  EXPECT_EQ(PercentText(380000, LocaleSeparators{",", "."}), "38");
}

TEST(StatsSampler, StartsAtZeroAndKeepsTheLastGoodSampleThroughFailures) {
  FakePerformanceSource source;
  StatsSampler sampler(source);
  EXPECT_EQ(sampler.Snapshot().lCurrentMemoryUsedPercent, 100);  // before any sample

  source.fail = true;
  sampler.SampleStats();
  const StatsSnapshot& s = sampler.Snapshot();
  EXPECT_EQ(s.MemoryTotal, 0);
  EXPECT_EQ(s.CommitTotal, 0);
  EXPECT_EQ(s.PageSize, 0);  // the refused call's leftovers are not taken
  EXPECT_EQ(s.UsedPercentDecimal, 1000000);
  EXPECT_EQ(s.lCurrentMemoryUsedPercent, 100);

  source.fail = false;
  source.next = Memory(4000000, 1250000);
  source.next.CommitTotal = 1048576;
  sampler.SampleStats();
  EXPECT_EQ(sampler.Snapshot().lCurrentMemoryUsedPercent, 69);

  source.fail = true;
  sampler.SampleStats();
  EXPECT_EQ(sampler.Snapshot().lCurrentMemoryUsedPercent, 69);
  EXPECT_EQ(sampler.Snapshot().CommitTotal, 4294967296LL);
  EXPECT_EQ(sampler.Snapshot().PageSize, 4096);
  EXPECT_EQ(source.calls, 3);  // one system call per sample
}

TEST(StatsSampler, FileCacheSizeIsTakenOnDemandAndSurvivesSamples) {
  FakePerformanceSource source;
  source.next = Memory(1000, 500);
  StatsSampler sampler(source);
  FakeFileCacheSource cache;
  cache.next.CurrentSize = 2415919104u;  // 2 GiB and more is an ordinary size
  cache.next.PeakSize = 4294967295u;

  FileCacheInfo info = sampler.GetFileCacheInfo(cache);
  EXPECT_EQ(info.PeakSize, 4294967295u);
  EXPECT_EQ(sampler.Snapshot().FileCacheSize, 2415919104u);
  EXPECT_EQ(FormatByteSize(sampler.Snapshot().FileCacheSize, true, LocaleSeparators{}), "2.25 GB");

  sampler.SetUpTimeText("0 Days 00:00:01");
  sampler.SampleStats();
  EXPECT_EQ(sampler.Snapshot().FileCacheSize, 2415919104u);
  EXPECT_EQ(sampler.Snapshot().UpTimeText, "0 Days 00:00:01");

  cache.fail = true;
  info = sampler.GetFileCacheInfo(cache);
  EXPECT_EQ(info.CurrentSize, 0u);
  EXPECT_EQ(info.PeakSize, 0u);
  EXPECT_EQ(sampler.Snapshot().FileCacheSize, 0u);
}

}  // namespace
}  // namespace skel::monitor
