// The automation as the monitor program carries it: the Windows ports, the
// logic object, its two 60000 ms timers on the settings window, and the
// menu items it answers. The program creates it before the settings
// window's load handler runs and forwards timer and menu messages.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "monitor/automation/automation.h"
#include "monitor/automation/win/automation_system_win.h"
#include "monitor/automation/win/launcher_win.h"

namespace skel::monitor::win {

class AutomationAppWin {
 public:
  // Timer ids on the settings window; the main tick uses 1.
  static constexpr UINT_PTR kAutoCleanTimer = 71;
  static constexpr UINT_PTR kFileCacheTimer = 72;

  // Adds the automation's controls and key bindings to `form`.
  AutomationAppWin(MainForm& form, StatsSampler& sampler, FileCacheSource& fileCache,
                   std::string programFolder);
  AutomationAppWin(const AutomationAppWin&) = delete;
  AutomationAppWin& operator=(const AutomationAppWin&) = delete;

  // The two timers run from the loading of the settings window to shutdown.
  void StartTimers(HWND window);
  void StopTimers(HWND window);
  // True when `timer` is one of ours; a tick that finds shutdown under way
  // kills its timer.
  bool OnTimer(HWND window, UINT_PTR timer);
  // "Clean Memory Now", "Start Vardolin Settings Wizard", "Change Vardolin
  // Auto Runtime" and "Pause Advanced Monitor"; true when handled. After the
  // pause item the caller sets the item's check mark to Logic().Paused().
  bool OnMenuCommand(int command);

  Automation& Logic() { return *automation_; }
  Launcher& ProgramLauncher() { return launcher_; }

 private:
  WinLauncher launcher_;
  WinClock clock_;
  WinSystemFolders folders_;
  WinFileCacheTrim trim_;
  AutomationPorts ports_;
  std::unique_ptr<Automation> automation_;
};

}  // namespace skel::monitor::win
