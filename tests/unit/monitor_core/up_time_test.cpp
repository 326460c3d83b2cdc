#include "monitor/core/up_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fakes.h"
#include "monitor/core/settings_store.h"

namespace skel::monitor {
namespace {

using testing::FakeProfileStore;
using testing::FakeUpTimeSource;

struct UpTimeCase {
  double seconds;
  const char* text;
};

class FormatUpTimeTest : public ::testing::TestWithParam<UpTimeCase> {};

TEST_P(FormatUpTimeTest, ShowsTheNearestSecond) {
  EXPECT_EQ(FormatUpTime(GetParam().seconds), GetParam().text) << GetParam().seconds;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatUpTimeTest,
    ::testing::Values(UpTimeCase{0, "0 Days 00:00:00"}, UpTimeCase{9, "0 Days 00:00:09"},
                      UpTimeCase{11045, "0 Days 03:04:05"}, UpTimeCase{86399.4, "0 Days 23:59:59"},
                      UpTimeCase{86399.5, "01 Day 00:00:00"}, UpTimeCase{90061, "01 Day 01:01:01"},
                      UpTimeCase{172800, "02 Days 00:00:00"},
                      UpTimeCase{172809, "02 Days 00:00:09"},
                      UpTimeCase{10713599, "123 Days 23:59:59"},
                      UpTimeCase{4294967.293, "49 Days 17:02:47"},
                      // halves to even at every step
                      UpTimeCase{0.5, "0 Days 00:00:00"}, UpTimeCase{1.5, "0 Days 00:00:02"},
                      UpTimeCase{59.5, "0 Days 00:01:00"}, UpTimeCase{3599.5, "0 Days 01:00:00"},
                      // nonsense from a broken source reads as nothing
                      UpTimeCase{std::numeric_limits<double>::quiet_NaN(), "0 Days 00:00:00"},
                      UpTimeCase{std::numeric_limits<double>::infinity(), "0 Days 00:00:00"},
                      UpTimeCase{1e300, "0 Days 00:00:00"}));

TEST(UpTimeSources, TickCountWrapsAndTheCounterRoundsHalfAwayFromZero) {
  EXPECT_DOUBLE_EQ(TickCountSeconds(-1), 4294967.293);
  EXPECT_DOUBLE_EQ(TickCountSeconds(INT32_MIN), 2147483.646);
  EXPECT_DOUBLE_EQ(TickCountSeconds(INT32_MAX), 2147483.647);
  EXPECT_DOUBLE_EQ(TickCountSeconds(90061000), 90061.0);

  EXPECT_EQ(CounterUpTimeSeconds(std::nullopt), 0);
  EXPECT_EQ(CounterUpTimeSeconds(90061.5), 90062);
  EXPECT_EQ(CounterUpTimeSeconds(90061.4), 90061);
  EXPECT_EQ(CounterUpTimeSeconds(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(GetSystemUpTimeText, OnlyTheTickCountMarkDecidesTheSource) {
  FakeUpTimeSource source;
  source.tick = -1;
  source.counter = 90061.2;

  UpTimeMenu menu;  // first start: tick count
  EXPECT_EQ(GetSystemUpTimeText(source, menu), "49 Days 17:02:47");
  EXPECT_EQ(source.counterReads, 0);  // the query is not refreshed for nothing

  menu = UpTimeMenu{false, false};  // a hand-edited file can clear both
  EXPECT_EQ(GetSystemUpTimeText(source, menu), "01 Day 01:01:01");
  menu = UpTimeMenu{false, true};
  source.counter.reset();  // the counter path does not exist
  EXPECT_EQ(GetSystemUpTimeText(source, menu), "0 Days 00:00:00");
  EXPECT_EQ(source.tickReads, 1);
}

TEST(UpTimeMenu, LoadsBothKeysAndWritesBothOnEveryChoice) {
  FakeProfileStore store;
  MonitorSettings settings(store, std::string(FakeProfileStore::kFile), LocaleSeparators{});
  UpTimeMenu menu = UpTimeMenu::Load(settings);
  EXPECT_TRUE(menu.tickCountChecked);
  EXPECT_FALSE(menu.counterChecked);

  store.Set("MenuGetTickCount", "False");
  store.Set("MenuPerformanceCounters", "False");
  menu = UpTimeMenu::Load(settings);
  EXPECT_FALSE(menu.UsesTickCount());
  EXPECT_FALSE(menu.counterChecked);

  store.Set("MenuGetTickCount", "garbage");
  store.Set("MenuPerformanceCounters", "1");
  menu = UpTimeMenu::Load(settings);
  EXPECT_TRUE(menu.UsesTickCount());
  EXPECT_TRUE(menu.counterChecked);

  menu.ChooseCounter(settings);
  EXPECT_EQ(store.writeLog, "MenuGetTickCount=False;MenuPerformanceCounters=True;");
  EXPECT_FALSE(UpTimeMenu::Load(settings).UsesTickCount());

  store.refuseWrites = true;  // the marks still change while running
  menu.ChooseTickCount(settings);
  EXPECT_TRUE(menu.UsesTickCount());
  EXPECT_FALSE(menu.counterChecked);
}

}  // namespace
}  // namespace skel::monitor
