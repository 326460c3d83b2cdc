#include "monitor/shell/monitor_menu.h"

namespace skel::monitor {

const std::vector<MenuEntry>& MonitorMenuEntries() {
  static const std::vector<MenuEntry> entries = {
      {kMenuCleanNow, "Clean Memory Now"},
      {kMenuSeparator, ""},
      {kMenuShowFileCacheInfo, "Show File Cache Info"},
      {kMenuShowMemoryInfo, "Show Memory Info"},
      {kMenuShowProcessInfo, "Show Process Info"},
      {kMenuSeparator, ""},
      {kMenuShowHideMonitor, "Show/Hide Monitor"},
      {kMenuShowHideText, "Show/Hide Text"},
      {kMenuSeparator, ""},
      {kMenuResetWindowPositions, "Reset Window Positions"},
      {kMenuSeparator, ""},
      {kMenuSettingsWizard, "Start Vardolin Settings Wizard"},
      {kMenuAutoRuntime, "Change Vardolin Auto Runtime"},
      {kMenuMonitorSettings, "Monitor Settings"},
      {kMenuSeparator, ""},
      {kMenuFollowMaker, "Follow Quorbelta on Facebook"},
      {kMenuHelpOnline, "Help (Online)"},
      {kMenuVisitWebsite, "Visit Website"},
      {kMenuSeparator, ""},
      {kMenuPauseAdvancedMonitor, "Pause Advanced Monitor"},
      {kMenuSeparator, ""},
      {kMenuExit, "Exit"},
  };
  return entries;
}

const std::vector<MenuEntry>& UpTimeMenuEntries() {
  static const std::vector<MenuEntry> entries = {
      {kMenuUpTimeHeading, "How To Get System Up Time"},
      {kMenuSeparator, ""},
      {kMenuUpTimeTickCount, "GetTickCount API (49 Day Max)"},
      {kMenuUpTimeCounters, "Performance Counters (No Max)"},
  };
  return entries;
}

std::string SettingsWindowCaption(std::string_view version) {
  return "Memory Monitor Settings v" + std::string(version) + " - Quorbelta";
}

}  // namespace skel::monitor
