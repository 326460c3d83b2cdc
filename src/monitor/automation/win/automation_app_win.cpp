#include "monitor/automation/win/automation_app_win.h"

#include <utility>

#include "monitor/shell/monitor_menu.h"

namespace skel::monitor::win {

AutomationAppWin::AutomationAppWin(MainForm& form, StatsSampler& sampler,
                                   FileCacheSource& fileCache, std::string programFolder)
    : ports_{launcher_, clock_, folders_, sampler, fileCache, trim_, std::move(programFolder)},
      automation_(AttachAutomation(form, ports_)) {}

void AutomationAppWin::StartTimers(HWND window) {
  ::SetTimer(window, kAutoCleanTimer, Automation::kTimerPeriodMs, nullptr);
  ::SetTimer(window, kFileCacheTimer, Automation::kTimerPeriodMs, nullptr);
}

void AutomationAppWin::StopTimers(HWND window) {
  if (!window) return;
  ::KillTimer(window, kAutoCleanTimer);
  ::KillTimer(window, kFileCacheTimer);
}

bool AutomationAppWin::OnTimer(HWND window, UINT_PTR timer) {
  bool keepRunning = true;
  if (timer == kAutoCleanTimer) {
    keepRunning = automation_->AutoCleanTick();
  } else if (timer == kFileCacheTimer) {
    keepRunning = automation_->FileCacheTick();
  } else {
    return false;
  }
  if (!keepRunning && window) ::KillTimer(window, timer);
  return true;
}

bool AutomationAppWin::OnMenuCommand(int command) {
  switch (command) {
    case kMenuCleanNow:
      automation_->RunCleaner();
      return true;
    case kMenuSettingsWizard:
      automation_->StartSettingsWizard();
      return true;
    case kMenuAutoRuntime:
      automation_->ChangeAutoRuntime();
      return true;
    case kMenuPauseAdvancedMonitor:
      automation_->TogglePause();
      return true;
    default:
      return false;
  }
}

}  // namespace skel::monitor::win
