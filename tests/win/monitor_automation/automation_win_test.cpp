#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "common/win/system_file_cache_win.h"
#include "common/win/unique_any.h"
#include "monitor/automation/cleaner_launch.h"
#include "monitor/automation/win/automation_app_win.h"
#include "monitor/automation/win/automation_system_win.h"
#include "monitor/shell/monitor_menu.h"
#include "monitor/automation/win/launcher_win.h"

namespace skel::monitor::win {
namespace {

std::string OwnFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path);
  return s.substr(0, s.find_last_of('\\'));
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Waits (bounded) for a file the probe writes; "" when it never came.
std::string WaitForFile(const std::string& path) {
  for (int i = 0; i < 600 && !Exists(path); ++i) ::Sleep(50);
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A program folder with a blank in its name, holding the probe under the
// name the launcher is asked to start.
class LaunchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = OwnFolder() + "\\launch probe " + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(folder_.c_str(), nullptr);
    std::string event = "skel-probe-go-" + std::to_string(::GetCurrentProcessId());
    go_.reset(::CreateEventA(nullptr, TRUE, FALSE, event.c_str()));
    ASSERT_TRUE(go_);
    ::SetEnvironmentVariableA("SKEL_PROBE_EVENT", event.c_str());
  }
  void TearDown() override {
    ::SetEvent(go_.get());
    for (const auto& file : files_) {
      WaitForFile(file + ".done");
      ::DeleteFileA((file + ".started").c_str());
      ::DeleteFileA((file + ".done").c_str());
      ::DeleteFileA(file.c_str());
    }
    ::RemoveDirectoryA(folder_.c_str());
  }
  std::string Place(const std::string& name) {
    std::string file = folder_ + "\\" + name;
    EXPECT_TRUE(
        ::CopyFileA((OwnFolder() + "\\automation_launch_probe.exe").c_str(), file.c_str(), FALSE));
    files_.push_back(file);
    return file;
  }

  std::string folder_;
  skel::win::UniqueHandle go_;
  std::vector<std::string> files_;
};

TEST_F(LaunchTest, RunCleanerStartsTheProgramShownAndDoesNotWait) {
  std::string cleaner = Place("vardolin.exe");
  WinLauncher launcher;
  ASSERT_TRUE(RunCleaner(launcher, folder_));
  std::string started = WaitForFile(cleaner + ".started");
  // Quoted, so the blank in the folder cannot split the program name.
  EXPECT_EQ(started, "\"" + cleaner + "\"\n1 1\n");
  // The probe is still waiting for the event: the launcher did not wait.
  EXPECT_FALSE(Exists(cleaner + ".done"));
  ::SetEvent(go_.get());
  EXPECT_EQ(WaitForFile(cleaner + ".done"), "done\n");
}

TEST_F(LaunchTest, WizardStartsHiddenAndArgumentsFollowTheQuotedPath) {
  std::string wizard = Place("Vardolin_Settings.exe");
  std::string tasks = Place("control.exe");
  WinLauncher launcher;
  ASSERT_TRUE(StartSettingsWizard(launcher, folder_));
  ASSERT_TRUE(OpenScheduledTasks(launcher, folder_));
  EXPECT_EQ(WaitForFile(wizard + ".started"), "\"" + wizard + "\"\n1 0\n");
  EXPECT_EQ(WaitForFile(tasks + ".started"), "\"" + tasks + "\" schedtasks\n1 1\n");
}

TEST_F(LaunchTest, MissingProgramFailsQuietly) {
  WinLauncher launcher;
  EXPECT_FALSE(RunCleaner(launcher, folder_));
  EXPECT_FALSE(launcher.Start("", "", 1));
}

TEST(AutomationSystemTest, SystemDirectoryHoldsTheScheduledTasksPanelProgram) {
  std::string directory = WinSystemFolders().SystemDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_NE(directory.back(), '\\');
  EXPECT_TRUE(Exists(FileInFolder(directory, "control.exe")));
}

TEST(AutomationSystemTest, NowTextIsTheShortDateThenTheTime) {
  char date[128] = {};
  ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
  std::string now = WinClock().NowText();
  ASSERT_GT(now.size(), std::string(date).size() + 1);
  EXPECT_EQ(now.substr(0, std::string(date).size() + 1), std::string(date) + " ");
  EXPECT_NE(now.find(':'), std::string::npos);
}

TEST(AutomationSystemTest, TrimRequestReachesTheSystem) {
  skel::win::FileCacheRecord record;
  skel::win::QueryFileCache(record);
  FileCacheInfo request{record.CurrentSize,
                        record.PeakSize,
                        record.PageFaultCount,
                        0xFFFFFFFFu,
                        0xFFFFFFFFu,
                        record.CurrentSizeIncludingTransitionInPages,
                        record.PeakSizeIncludingTransitionInPages};
  WinFileCacheTrim trim;
  trim.RequestFileCacheTrim(request);
  // The system accepts the request in the record layout of this program's width.
  EXPECT_GE(trim.LastStatus(), 0);
}

}  // namespace
}  // namespace skel::monitor::win

namespace skel::monitor::win {
namespace {

class NullProfileStore : public ProfileStore {
 public:
  uint32_t GetString(std::string_view, std::string_view, std::string_view, char* buffer, uint32_t,
                     std::string_view) override {
    buffer[0] = '\0';
    return 0;
  }
  bool WriteString(std::string_view, std::string_view, std::string_view,
                   std::string_view) override {
    return true;
  }
};

class NoPerformance : public PerformanceSource {
 public:
  bool QueryPerformance(PerformanceRecord&) override { return false; }
};

class NoFileCache : public FileCacheSource {
 public:
  bool QueryFileCache(FileCacheInfo&) override { return false; }
};

TEST(AutomationAppTest, TimersStopThemselvesAtShutdownAndPauseFollowsTheMenu) {
  NullProfileStore store;
  MonitorSettings settings(store, "C:\\nowhere\\skelvane_settings.ini");
  MainForm form(settings);
  NoPerformance performance;
  StatsSampler sampler(performance);
  NoFileCache fileCache;
  AutomationAppWin app(form, sampler, fileCache, "C:\\nowhere");
  EXPECT_TRUE(form.Controls().Has("Check9"));
  EXPECT_TRUE(form.Controls().Has("Text11"));

  skel::win::UniqueWindow window(
      ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
  ASSERT_TRUE(window);
  app.StartTimers(window.get());
  EXPECT_FALSE(app.OnTimer(window.get(), 1));  // the main tick is not ours
  EXPECT_TRUE(app.OnTimer(window.get(), AutomationAppWin::kAutoCleanTimer));
  // Still running: killing it now succeeds.
  EXPECT_TRUE(::KillTimer(window.get(), AutomationAppWin::kAutoCleanTimer));

  form.bShuttingDown = true;
  EXPECT_TRUE(app.OnTimer(window.get(), AutomationAppWin::kFileCacheTimer));
  // The tick found shutdown under way and already killed its timer.
  EXPECT_FALSE(::KillTimer(window.get(), AutomationAppWin::kFileCacheTimer));

  EXPECT_FALSE(app.Logic().Paused());
  EXPECT_TRUE(app.OnMenuCommand(kMenuPauseAdvancedMonitor));
  EXPECT_TRUE(app.Logic().Paused());
  EXPECT_FALSE(app.OnMenuCommand(kMenuExit));
}

}  // namespace
}  // namespace skel::monitor::win
