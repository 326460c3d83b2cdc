// Chooses a menu item of a running monitor from outside, as the user would:
//   post_menu_command.exe pause|exit|clean "<path of that monitor's skelvane.exe>"
// The settings window of the monitor started from that file gets the item's
// WM_COMMAND. Exit code 0 when it was posted, 1 when no such monitor was found.
#include <windows.h>

#include <cstring>
#include <string>

#include "monitor/app/win/frm_main_win.h"
#include "monitor/shell/monitor_menu.h"

namespace {

struct Search {
  std::string exePath;
  HWND found = nullptr;
};

std::string ImagePath(DWORD pid) {
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return "";
  char path[MAX_PATH * 2] = {};
  DWORD size = sizeof path;
  std::string result;
  if (::QueryFullProcessImageNameA(process, 0, path, &size)) result.assign(path, size);
  ::CloseHandle(process);
  return result;
}

BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  char cls[128] = {};
  ::GetClassNameA(hwnd, cls, sizeof cls);
  if (std::strcmp(cls, skel::monitor::win::kFrmMainClass) != 0) return TRUE;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (::lstrcmpiA(ImagePath(pid).c_str(), search->exePath.c_str()) != 0) return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::string item = argv[1];
  int command = item == "pause"   ? skel::monitor::kMenuPauseAdvancedMonitor
                : item == "exit"  ? skel::monitor::kMenuExit
                : item == "clean" ? skel::monitor::kMenuCleanNow
                                  : 0;
  if (command == 0) return 2;
  Search search{argv[2]};
  // The monitor may still be starting: look for its window for a while.
  for (int i = 0; i < 200 && !search.found; ++i) {
    ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    if (!search.found) ::Sleep(50);
  }
  if (!search.found) return 1;
  return ::PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(command, 0), 0) ? 0 : 1;
}
