#include "monitor/automation/auto_clean.h"

#include <gtest/gtest.h>

#include "automation_fixture.h"

namespace skel::monitor::testing {
namespace {

class AutoCleanTest : public AutomationFixture {
 protected:
  // Start-up with auto-clean enabled and the given fields.
  void StartEnabled(const std::string& percent, const std::string& minutes) {
    store.values["enableautoclean"] = "1";
    store.values["autocleanpercent"] = percent;
    store.values["autocleanmin"] = minutes;
    Start();
  }
  // Runs `ticks` ticks and returns on which of them (1-based) the label changed.
  std::vector<int> CheckTicks(int ticks) {
    std::vector<int> checks;
    for (int i = 1; i <= ticks; ++i) {
      form.Controls().SetCaption(kAutoRunLastCheck, "");
      EXPECT_TRUE(automation->AutoCleanTick());
      if (!form.Controls().Get(kAutoRunLastCheck).caption.empty()) checks.push_back(i);
    }
    return checks;
  }
};

TEST_F(AutoCleanTest, StartUpGivesDefaultsAndLeavesFieldsDisabledWhenOff) {
  store.values["autocleanpercent"] = "";
  Start();
  const auto& c = form.Controls();
  EXPECT_EQ(c.Get("Text1").text, "75");
  EXPECT_EQ(c.Get("Text2").text, "5");
  EXPECT_FALSE(c.Checked("Check9"));
  EXPECT_EQ(c.Get("Label12").caption, "Last Check: Never");
  for (const char* name : {"Text1", "Text2", "Label12", kAutoRunPercentLabel, kAutoRunPercentUnit,
                           kAutoRunMinutesLabel, kAutoRunMinutesUnit}) {
    EXPECT_FALSE(c.Get(name).enabled) << name;
  }
  EXPECT_TRUE(c.Get("Check9").enabled);
  EXPECT_EQ(c.Get("Check9").tab, kTabAdvancedMonitor);
  EXPECT_LT(c.Get(kAutoRunFrame).rect.top + c.Get(kAutoRunFrame).rect.height, 2600);
}

TEST_F(AutoCleanTest, StoredCheckRunsTheClickAtStartUpAndWritesTheKeyBack) {
  store.values["enableautoclean"] = "1";
  store.values["autocleanpercent"] = "0";
  automation = AttachAutomation(form, ports);
  ASSERT_TRUE(form.Load());
  EXPECT_NE(std::find(store.writes.begin(), store.writes.end(), "enableautoclean=1"),
            store.writes.end());
  EXPECT_TRUE(form.Controls().Get("Text1").enabled);
  EXPECT_TRUE(form.Controls().Get("Label12").enabled);
  // "0" is kept as typed and keeps the auto-clean idle.
  EXPECT_EQ(form.Controls().Get("Text1").text, "0");
  form.lCurrentMemoryUsedPercent = 100;
  EXPECT_TRUE(CheckTicks(10).empty());
  EXPECT_EQ(CleanerStarts(), 0);
  EXPECT_EQ(automation->AutoClean().Counter().Current(), 0);
}

TEST_F(AutoCleanTest, NonNumericStoredCheckLeavesTheBoxClear) {
  store.values["enableautoclean"] = "yes";
  Start();
  EXPECT_FALSE(form.Controls().Checked("Check9"));
  EXPECT_TRUE(store.writes.empty());
}

TEST_F(AutoCleanTest, EnableClickWritesTheKeyAndFollowsWithTheFields) {
  Start();
  form.Controls().UserClick("Check9");
  EXPECT_EQ(store.values["enableautoclean"], "1");
  EXPECT_TRUE(form.Controls().Get("Text2").enabled);
  EXPECT_TRUE(form.Controls().Get(kAutoRunMinutesUnit).enabled);
  form.Controls().UserClick("Check9");
  EXPECT_EQ(store.values["enableautoclean"], "0");
  EXPECT_FALSE(form.Controls().Get("Text2").enabled);
  EXPECT_FALSE(form.Controls().Get(kAutoRunMinutesUnit).enabled);
}

struct ThresholdCase {
  const char* percentText;
  int currentPercent;
  bool starts;
};

TEST_F(AutoCleanTest, ThresholdTestAtEachCheck) {
  const ThresholdCase cases[] = {
      {"60", 60, true},                      // equal starts the cleaner
      {"60", 59, false},                     //
      {"60", 100, true},                     //
      {"101", 100, false},                   // above 100 never starts it
      {"00", 0, true},                       // "00" is 0, not the idle "0": every check starts it
      {"abc", 0, true},                      // a pasted non-number passes the test
      {"99999999999999999999", 100, false},  // a long digit string is a high threshold
      {" 40 ", 50, true},                    // pasted blanks still read as the number
  };
  StartEnabled("75", "1");
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.percentText);
    form.Controls().SetText("Text1", tc.percentText);
    form.lCurrentMemoryUsedPercent = tc.currentPercent;
    launcher.starts.clear();
    ASSERT_EQ(CheckTicks(1), std::vector<int>{1});
    ASSERT_EQ(CleanerStarts(), tc.starts ? 1 : 0);
  }
}

TEST_F(AutoCleanTest, RunCleanerStartsTheProgramFileShownAndPumps) {
  StartEnabled("10", "1");
  form.lCurrentMemoryUsedPercent = 50;
  int before = pumps;
  automation->AutoCleanTick();
  ASSERT_EQ(CleanerStarts(), 1);
  EXPECT_EQ(launcher.starts[0].path, "C:\\Program Files\\Skelvane\\vardolin.exe");
  EXPECT_EQ(launcher.starts[0].arguments, "");
  EXPECT_EQ(launcher.starts[0].showState, 1);
  EXPECT_GT(pumps, before);
  EXPECT_EQ(form.Controls().Get("Label12").caption, "Last Check: 05/06/2024 13:14:15");
}

TEST_F(AutoCleanTest, MinuteFieldSetsHowOftenTheCheckComes) {
  struct Case {
    const char* minutes;
    std::vector<int> checks;
  } cases[] = {
      {"5", {5, 10}},
      {"1", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {"00", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},  // 0 minutes: nothing to count
      {"x7", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},  // pasted non-number: every tick a check
      {"3", {3, 6, 9}},
  };
  StartEnabled("90", "5");
  form.lCurrentMemoryUsedPercent = 95;
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.minutes);
    automation->AutoClean().Counter().SetCurrent(0);
    form.Controls().SetText("Text2", tc.minutes);
    launcher.starts.clear();
    EXPECT_EQ(CheckTicks(10), tc.checks);
    // Memory stays above the threshold: the cleaner starts at every check.
    EXPECT_EQ(CleanerStarts(), static_cast<int>(tc.checks.size()));
  }
}

TEST_F(AutoCleanTest, GatesFreezeTheCounterWhichResumesWhereItStood) {
  StartEnabled("50", "5");
  form.lCurrentMemoryUsedPercent = 80;
  EXPECT_TRUE(CheckTicks(3).empty());
  EXPECT_EQ(automation->AutoClean().Counter().Current(), 3);

  EXPECT_TRUE(automation->TogglePause());
  EXPECT_TRUE(CheckTicks(7).empty());
  EXPECT_TRUE(automation->TogglePause() == false);

  form.Controls().UserClick("Check9");  // off
  EXPECT_TRUE(CheckTicks(3).empty());
  form.Controls().UserClick("Check9");  // on again
  for (const char* stop : {"", "0"}) {
    form.Controls().SetText("Text1", stop);
    EXPECT_TRUE(CheckTicks(2).empty());
    form.Controls().SetText("Text1", "50");
    form.Controls().SetText("Text2", stop);
    EXPECT_TRUE(CheckTicks(2).empty());
    form.Controls().SetText("Text2", "5");
  }
  EXPECT_EQ(automation->AutoClean().Counter().Current(), 3);
  EXPECT_EQ(CleanerStarts(), 0);
  // Three of five counted: the check comes two ticks later.
  EXPECT_EQ(CheckTicks(2), std::vector<int>{2});
  EXPECT_EQ(CleanerStarts(), 1);
}

TEST_F(AutoCleanTest, ShorterMinuteTextAppliesAtTheNextTickWithoutReset) {
  StartEnabled("50", "10");
  form.lCurrentMemoryUsedPercent = 80;
  EXPECT_TRUE(CheckTicks(4).empty());
  Type("Text2", "2");  // counter 4 is already past 2 - 1
  EXPECT_EQ(CheckTicks(1), std::vector<int>{1});
}

TEST_F(AutoCleanTest, ShutdownStopsTheTimerWithoutAction) {
  StartEnabled("10", "1");
  form.lCurrentMemoryUsedPercent = 90;
  form.bShuttingDown = true;
  EXPECT_FALSE(automation->AutoCleanTick());
  EXPECT_EQ(CleanerStarts(), 0);
  EXPECT_EQ(form.Controls().Get("Label12").caption, "Last Check: Never");
}

TEST_F(AutoCleanTest, FailedStartStillUpdatesTheLabel) {
  StartEnabled("10", "1");
  launcher.succeed = false;
  form.lCurrentMemoryUsedPercent = 90;
  EXPECT_TRUE(automation->AutoCleanTick());
  EXPECT_EQ(CleanerStarts(), 1);
  EXPECT_EQ(form.Controls().Get("Label12").caption, "Last Check: 05/06/2024 13:14:15");
}

TEST_F(AutoCleanTest, PauseRedrawsTheTrayAtTheNextTickAndSparesManualCleaning) {
  Start();
  form.lLastValue = 42;
  EXPECT_FALSE(automation->Paused());
  EXPECT_TRUE(automation->TogglePause());
  EXPECT_TRUE(automation->Pause().Checked());
  EXPECT_EQ(form.lLastValue, 0);
  automation->RunCleaner();
  EXPECT_EQ(CleanerStarts(), 1);
  form.lLastValue = 42;
  EXPECT_FALSE(automation->TogglePause());
  EXPECT_EQ(form.lLastValue, 0);
}

}  // namespace
}  // namespace skel::monitor::testing
