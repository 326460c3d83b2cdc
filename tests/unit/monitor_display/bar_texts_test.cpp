#include "monitor/display/bar_texts.h"

#include <gtest/gtest.h>

namespace skel::monitor::display {
namespace {

constexpr int64_t kGiB = 1024LL * 1024 * 1024;

StatsSnapshot Sample() {
  StatsSnapshot s;
  s.MemoryUsed = 3447 * 1024LL * 1024;  // 3.37 GB
  s.MemoryTotal = 8 * kGiB;
  s.MemoryAvailable = 5 * kGiB;
  s.CommitTotal = 4 * kGiB;
  s.CommitLimit = 12 * kGiB;
  s.CommitPeak = 6 * kGiB;
  s.KernelTotal = 300 * 1024LL * 1024;
  s.KernelPaged = 200 * 1024LL * 1024;
  s.KernelNonPaged = 100 * 1024LL * 1024;
  s.SystemCache = 2 * kGiB;
  s.FileCacheSize = 512u * 1024 * 1024;
  s.HandleCount = 31337;
  s.ProcessCount = 87;
  s.ThreadCount = 1200;
  s.UpTimeText = "0 Days 03:04:05";
  return s;
}

TEST(BarText, NormalCompactAndHidden) {
  LocaleSeparators sep;
  StatsSnapshot s = Sample();
  EXPECT_EQ(BarText(s, false, false, sep), "Memory Used: 3.37 GB");
  EXPECT_EQ(BarText(s, false, true, sep), "M: 3.37 GB");
  EXPECT_EQ(BarText(s, true, true, sep), "");
  EXPECT_EQ(BarText(s, true, false, sep), "");
}

TEST(MonitorLineText, EveryEntryWithItsLabel) {
  LocaleSeparators sep;
  StatsSnapshot s = Sample();
  struct Case {
    const char* selection;
    const char* text;
  } cases[] = {
      {"Commit Total", "Commit Total: 4.00 GB"},
      {"Commit Limit", "Commit Limit: 12.00 GB"},
      {"Commit Peak", "Commit Peak: 6.00 GB"},
      {"File Cache Size", "File Cache: 512.00 MB"},
      {"Handle Count", "Handle Count: 31337"},
      {"Kernel Total", "Kernel Total: 300.00 MB"},
      {"Kernel Paged", "Kernel Paged: 200.00 MB"},
      {"Kernel Non Paged", "Kernel Non Paged: 100.00 MB"},
      {"Memory Total", "Memory Total: 8.00 GB"},
      {"Memory Available", "Memory Avail.: 5.00 GB"},
      {"Process Count", "Process Count: 87"},
      {"System Cache", "System Cache: 2.00 GB"},
      {"System Up Time", "Up Time: 0 Days 03:04:05"},
      {"Thread Count", "Thread Count: 1200"},
      {"tHREAD cOUNT", "Thread Count: 1200"},  // compared in lower case
  };
  for (const auto& c : cases) {
    LineText t = MonitorLineText(c.selection, true, s, sep);
    EXPECT_FALSE(t.keep) << c.selection;
    EXPECT_EQ(t.text, c.text) << c.selection;
  }
  static_assert(kMonitorTextEntries.size() == 14);
}

TEST(MonitorLineText, EmptySelectionFallsBackAndUnknownKeeps) {
  LocaleSeparators sep;
  StatsSnapshot s = Sample();
  EXPECT_EQ(MonitorLineText("", true, s, sep).text, "Memory Total: 8.00 GB");
  EXPECT_EQ(MonitorLineText("", false, s, sep).text, "Commit Total: 4.00 GB");
  EXPECT_TRUE(MonitorLineText("Swap Usage", true, s, sep).keep);
  EXPECT_TRUE(NeedsFileCache("file cache size"));
  EXPECT_FALSE(NeedsFileCache("System Cache"));
}

}  // namespace
}  // namespace skel::monitor::display
