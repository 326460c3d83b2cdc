// Entry of the tray monitor: no console, no command line read.
#include <windows.h>
#include <commctrl.h>

#include "common/win/locale_win.h"
#include "monitor/app/win/monitor_app_win.h"
#include "ui/win/window_base_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof icc;
  icc.dwICC = ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&icc);
  skel::win::UseUserLocaleSeparators();

  skel::ui::win::ProcessPendingMessages();
  skel::monitor::win::MonitorApp app;
  skel::ui::win::ProcessPendingMessages();
  if (!app.Start()) return 0;
  return app.Run();
}
