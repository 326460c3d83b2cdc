#include "monitor/automation/file_cache_clean.h"

#include <gtest/gtest.h>

#include "automation_fixture.h"

namespace skel::monitor::testing {
namespace {

constexpr uint32_t kMb = 1024 * 1024;

class FileCacheCleanTest : public AutomationFixture {
 protected:
  void StartEnabled(const std::string& size, const std::string& minutes) {
    store.values["enableautocleanfilecache"] = "1";
    store.values["autocleanfilecachesize"] = size;
    store.values["autocleanfilecahcemin"] = minutes;
    Start();
  }
  bool Checked() {
    form.Controls().SetCaption(kFileCacheLastCheck, "");
    EXPECT_TRUE(automation->FileCacheTick());
    return !form.Controls().Get(kFileCacheLastCheck).caption.empty();
  }
  int Trims() const { return static_cast<int>(trim.requests.size()); }
};

TEST_F(FileCacheCleanTest, StartUpDefaultsEvenForEmptyTextsAndTheOddKeyName) {
  store.values["autocleanfilecachesize"] = "";
  store.values["autocleanfilecahcemin"] = "";
  Start();
  const auto& c = form.Controls();
  EXPECT_EQ(c.Get("Text10").text, "50");
  EXPECT_EQ(c.Get("Text11").text, "5");
  EXPECT_FALSE(c.Get("Text10").enabled);
  EXPECT_FALSE(c.Get("Label23").enabled);
  EXPECT_EQ(c.Get("Label23").caption, "Last Check: Never");
  Type("Text11", "7");
  EXPECT_EQ(store.values["autocleanfilecahcemin"], "7");
  EXPECT_EQ(store.values.count("autocleanfilecacheemin"), 0u);
}

TEST_F(FileCacheCleanTest, EnableClickWritesTheKeyAndFollowsWithTheFields) {
  Start();
  form.Controls().UserClick("Check11");
  EXPECT_EQ(store.values["enableautocleanfilecache"], "1");
  for (const char* name : {"Text10", "Text11", "Label23", kFileCacheSizeLabel, kFileCacheSizeUnit,
                           kFileCacheMinutesLabel, kFileCacheMinutesUnit}) {
    EXPECT_TRUE(form.Controls().Get(name).enabled) << name;
  }
  form.Controls().UserClick("Check11");
  EXPECT_EQ(store.values["enableautocleanfilecache"], "0");
  EXPECT_FALSE(form.Controls().Get("Text11").enabled);
}

TEST_F(FileCacheCleanTest, SizeTestAtEachCheck) {
  struct Case {
    const char* sizeText;
    uint32_t cacheBytes;
    bool fails;
    bool trims;
  } cases[] = {
      {"50", 50 * kMb, false, true},        // exactly the threshold
      {"50", 50 * kMb - 1, false, false},   //
      {"00", 0, false, true},               // 0 MB: cleared at every check
      {"50", 0, true, false},               // a failed query reads 0
      {"4096", 0xFFFFFFFFu, false, false},  // 4 GB is more than the 32-bit size can show
      {"paste", 1, false, true},            // a non-number counts as 0 MB
  };
  StartEnabled("50", "1");
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.sizeText);
    form.Controls().SetText("Text10", tc.sizeText);
    fileCache.record = FileCacheInfo{};
    fileCache.record.CurrentSize = tc.cacheBytes;
    fileCache.fail = tc.fails;
    trim.requests.clear();
    ASSERT_TRUE(Checked());  // the label changes whatever happened
    EXPECT_EQ(Trims(), tc.trims ? 1 : 0);
    EXPECT_EQ(sampler.Snapshot().FileCacheSize, tc.fails ? 0u : tc.cacheBytes);
  }
}

TEST_F(FileCacheCleanTest, TrimRequestIsTheRecordWithAllOnesLimits) {
  StartEnabled("1", "1");
  fileCache.record = {200 * kMb, 300 * kMb, 77, 100, 200, 11, 22};
  ASSERT_TRUE(Checked());
  ASSERT_EQ(Trims(), 1);
  const FileCacheInfo& r = trim.requests[0];
  EXPECT_EQ(r.CurrentSize, 200 * kMb);
  EXPECT_EQ(r.PeakSize, 300 * kMb);
  EXPECT_EQ(r.PageFaultCount, 77u);
  EXPECT_EQ(r.MinimumWorkingSet, 0xFFFFFFFFu);
  EXPECT_EQ(r.MaximumWorkingSet, 0xFFFFFFFFu);
  EXPECT_EQ(r.CurrentSizeIncludingTransitionInPages, 11u);
  EXPECT_EQ(r.PeakSizeIncludingTransitionInPages, 22u);
  EXPECT_EQ(form.Controls().Get("Label23").caption, "Last Check: 05/06/2024 13:14:15");
}

TEST_F(FileCacheCleanTest, QueriesEveryGatedTickButTestsOnlyAtChecks) {
  StartEnabled("50", "3");
  fileCache.record.CurrentSize = 80 * kMb;
  std::vector<bool> checks;
  for (int i = 0; i < 6; ++i) checks.push_back(Checked());
  EXPECT_EQ(checks, (std::vector<bool>{false, false, true, false, false, true}));
  EXPECT_EQ(fileCache.queries, 6);
  EXPECT_EQ(Trims(), 2);
}

TEST_F(FileCacheCleanTest, PauseFreezesCounterAndSkipsTheQuery) {
  StartEnabled("50", "5");
  fileCache.record.CurrentSize = 80 * kMb;
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(Checked());
  automation->TogglePause();
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(Checked());
  EXPECT_EQ(fileCache.queries, 3);
  form.Controls().SetText("Text10", "0");
  automation->TogglePause();
  EXPECT_FALSE(Checked());  // "0" holds it too
  EXPECT_EQ(fileCache.queries, 3);
  form.Controls().SetText("Text10", "50");
  EXPECT_EQ(automation->FileCacheClean().Counter().Current(), 3);
  EXPECT_FALSE(Checked());
  EXPECT_TRUE(Checked());
  EXPECT_EQ(Trims(), 1);
}

TEST_F(FileCacheCleanTest, ShutdownStopsTheTimerWithoutQuery) {
  StartEnabled("0", "1");
  form.bShuttingDown = true;
  EXPECT_FALSE(automation->FileCacheTick());
  EXPECT_EQ(fileCache.queries, 0);
  EXPECT_EQ(Trims(), 0);
}

}  // namespace
}  // namespace skel::monitor::testing
