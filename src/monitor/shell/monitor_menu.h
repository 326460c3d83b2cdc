// The monitor's menu (tray icon, bar window, and "Menu" of the settings
// window's menu bar) and the settings window's other menu items, as data:
// the Windows side builds the real menus from these tables.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace skel::monitor {

enum MenuCommand : int {
  kMenuSeparator = 0,
  kMenuCleanNow = 40001,
  kMenuShowFileCacheInfo,
  kMenuShowMemoryInfo,
  kMenuShowProcessInfo,
  kMenuShowHideMonitor,
  kMenuShowHideText,
  kMenuResetWindowPositions,
  kMenuSettingsWizard,
  kMenuAutoRuntime,
  kMenuMonitorSettings,
  kMenuFollowMaker,
  kMenuHelpOnline,
  kMenuVisitWebsite,
  kMenuPauseAdvancedMonitor,
  kMenuExit,
  // Menu bar of the settings window.
  kMenuDivider,
  kMenuUpTimeHeading,
  kMenuUpTimeTickCount,
  kMenuUpTimeCounters,
};

struct MenuEntry {
  MenuCommand command;
  std::string_view caption;  // "" for separators
};

// The monitor's menu, in order.
const std::vector<MenuEntry>& MonitorMenuEntries();
// The submenu of "System Up Time", in order.
const std::vector<MenuEntry>& UpTimeMenuEntries();

inline constexpr std::string_view kUpTimeCaptionPrefix = "System Up Time: ";

// Title, " v", version, closing text: the tray tooltip's first line is the
// part before the first lower-case "v", so the title has none.
std::string SettingsWindowCaption(std::string_view version);

}  // namespace skel::monitor
