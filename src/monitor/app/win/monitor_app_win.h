// The monitor process: owns the settings file, the settings window and its
// logic, the statistics and up-time sources, and wires the parts of the
// monitor into the start-up, tick and shutdown steps.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "monitor/core/stats_sampler.h"
#include "monitor/core/up_time.h"
#include "monitor/core/win/profile_store_win.h"
#include "monitor/core/win/system_sources_win.h"
#include "monitor/shell/main_form.h"
#include "monitor/app/win/frm_main_win.h"
#include "monitor/automation/win/automation_app_win.h"
#include "monitor/automation/win/launcher_win.h"
#include "monitor/display/monitor_display.h"
#include "monitor/display/win/bar_window_win.h"
#include "monitor/display/win/display_dialogs_win.h"
#include "monitor/display/win/tray_icon_win.h"
#include "monitor/server/win/stats_server_win.h"

namespace skel::monitor::win {

class MonitorApp {
 public:
  MonitorApp();
  ~MonitorApp();
  MonitorApp(const MonitorApp&) = delete;
  MonitorApp& operator=(const MonitorApp&) = delete;

  // Creates the settings window hidden and runs its load handler.
  bool Start();
  int Run();

 private:
  void WireHooks();
  void OnMenuCommand(int command);
  void OnTimer(UINT_PTR timer);
  void ChooseUpTimeSource(bool tickCount);
  void AttachParts();
  void RunCleanerNow();

  std::string programFolder_;
  WinProfileStore profileStore_;
  std::unique_ptr<MonitorSettings> settings_;
  std::unique_ptr<MainForm> form_;
  std::unique_ptr<FrmMainWindow> window_;
  WinPerformanceSource performance_;
  WinFileCacheSource fileCache_;
  std::unique_ptr<WinUpTimeSource> upTime_;
  UpTimeMenu upTimeMenu_;
  std::unique_ptr<StatsSampler> sampler_;
  WinLauncher launcher_;
  // The parts of the monitor.
  std::unique_ptr<AutomationAppWin> automation_;
  std::unique_ptr<display::win::BarWindow> bar_;
  std::unique_ptr<display::win::TrayIcon> tray_;
  std::unique_ptr<display::win::DisplayDialogsWin> dialogs_;
  std::unique_ptr<display::MonitorDisplay> display_;
  std::unique_ptr<StatsServerWin> server_;
};

}  // namespace skel::monitor::win
