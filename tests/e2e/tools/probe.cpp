// A black-box driver for the end-to-end tests: finds the programs' windows,
// reads what they show, sends them what a user or the system would send,
// and reports on stdout. One command per run:
//   probe wait CLASS [seconds]          prints the window handle once it exists
//   probe gone CLASS [seconds]          exit 0 once no such window exists
//   probe menu CLASS INDEX              text of a top-level menu item
//   probe title CLASS                   window title
//   probe rect CLASS                    left top right bottom (screen pixels)
//   probe visible CLASS                 1 or 0
//   probe close CLASS                   posts WM_CLOSE (a close that is not the close box)
//   probe closebox CLASS                the user's close box (SC_CLOSE)
//   probe endsession CLASS              WM_QUERYENDSESSION then WM_ENDSESSION
//   probe command CLASS ID              posts WM_COMMAND ID (a menu choice)
//   probe tab CLASS INDEX               selects a tab of the window's tab strip as a click would
//   probe child CLASS TEXT              1 when a child window with that text exists, its state
//   probe click CLASS TEXT              clicks the child button/check box with that text
//   probe combo CLASS LABEL INDEX       chooses entry INDEX of the list that follows the
//                                       label LABEL, as a user's choice would
//   probe regget KEY VALUE              a string value under HKEY_CURRENT_USER
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HWND Find(const char* cls) {
  return FindWindowA(cls, nullptr);
}

HWND WaitFor(const char* cls, double seconds) {
  for (int i = 0; i < static_cast<int>(seconds * 10); ++i) {
    if (HWND h = Find(cls)) return h;
    Sleep(100);
  }
  return Find(cls);
}

struct ChildSearch {
  const char* text;
  HWND found;
};

BOOL CALLBACK FindChild(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<ChildSearch*>(lp);
  char buf[512] = {};
  GetWindowTextA(h, buf, sizeof buf);
  if (std::strcmp(buf, s->text) == 0) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

HWND Child(HWND top, const char* text) {
  ChildSearch s{text, nullptr};
  EnumChildWindows(top, FindChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

BOOL CALLBACK FindTabs(HWND h, LPARAM lp) {
  char cls[64] = {};
  GetClassNameA(h, cls, sizeof cls);
  if (_stricmp(cls, WC_TABCONTROLA) == 0) {
    *reinterpret_cast<HWND*>(lp) = h;
    return FALSE;
  }
  return TRUE;
}

int Fail(const char* why) {
  std::fprintf(stderr, "probe: %s\n", why);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail("no command");
  std::string cmd = argv[1];
  if (cmd == "regget" && argc >= 4) {
    char buf[1024] = {};
    DWORD size = sizeof buf - 1, type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, argv[2], argv[3], RRF_RT_REG_SZ, &type, buf, &size) !=
        ERROR_SUCCESS) {
      return Fail("no such value");
    }
    std::printf("%s\n", buf);
    return 0;
  }
  if (argc < 3) return Fail("no window class");
  const char* cls = argv[2];
  double seconds = argc >= 4 ? std::atof(argv[3]) : 10.0;
  if (cmd == "wait") {
    HWND h = WaitFor(cls, seconds);
    if (!h) return Fail("window did not appear");
    std::printf("%p\n", static_cast<void*>(h));
    return 0;
  }
  if (cmd == "gone") {
    for (int i = 0; i < static_cast<int>(seconds * 10); ++i) {
      if (!Find(cls)) return 0;
      Sleep(100);
    }
    return Find(cls) ? Fail("window still there") : 0;
  }
  HWND h = Find(cls);
  if (!h) return Fail("no such window");
  if (cmd == "menu" && argc >= 4) {
    char buf[512] = {};
    if (!GetMenuStringA(GetMenu(h), static_cast<UINT>(std::atoi(argv[3])), buf, sizeof buf,
                        MF_BYPOSITION)) {
      return Fail("no such menu item");
    }
    std::printf("%s\n", buf);
    return 0;
  }
  if (cmd == "title") {
    char buf[512] = {};
    GetWindowTextA(h, buf, sizeof buf);
    std::printf("%s\n", buf);
    return 0;
  }
  if (cmd == "rect") {
    RECT r{};
    GetWindowRect(h, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (cmd == "visible") {
    std::printf("%d\n", IsWindowVisible(h) ? 1 : 0);
    return 0;
  }
  if (cmd == "close") return PostMessageA(h, WM_CLOSE, 0, 0) ? 0 : Fail("post failed");
  if (cmd == "closebox") {
    return PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : Fail("post failed");
  }
  if (cmd == "endsession") {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(h, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                        &answer);
    SendMessageTimeoutA(h, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
    return 0;
  }
  if (cmd == "command" && argc >= 4) {
    return PostMessageA(h, WM_COMMAND, MAKEWPARAM(std::atoi(argv[3]), 0), 0) ? 0
                                                                             : Fail("post failed");
  }
  if (cmd == "tab" && argc >= 4) {
    HWND tabs = nullptr;
    EnumChildWindows(h, FindTabs, reinterpret_cast<LPARAM>(&tabs));
    if (!tabs) return Fail("no tab strip");
    int want = std::atoi(argv[3]);
    // The arrow keys move the selection the way a click does, and the tab
    // strip tells its parent itself.
    SetForegroundWindow(h);
    for (int i = 0; i < 8; ++i) {
      int current = static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
      if (current == want) return 0;
      SendMessageA(tabs, WM_KEYDOWN, current < want ? VK_RIGHT : VK_LEFT, 0);
      Sleep(50);
    }
    return Fail("tab not reached");
  }
  if (cmd == "child" && argc >= 4) {
    HWND c = Child(h, argv[3]);
    if (!c) return Fail("no such child");
    LRESULT state = SendMessageA(c, BM_GETCHECK, 0, 0);
    std::printf("%d %d %d\n", IsWindowEnabled(c) ? 1 : 0, IsWindowVisible(c) ? 1 : 0,
                static_cast<int>(state));
    return 0;
  }
  if (cmd == "click" && argc >= 4) {
    HWND c = Child(h, argv[3]);
    if (!c) return Fail("no such child");
    SendMessageA(c, BM_CLICK, 0, 0);
    return 0;
  }
  if (cmd == "combo" && argc >= 5) {
    HWND label = Child(h, argv[3]);
    if (!label) return Fail("no such label");
    // Controls are numbered in the order they were made: the list is next.
    HWND parent = GetParent(label);
    int id = GetDlgCtrlID(label) + 1;
    HWND combo = GetDlgItem(parent, id);
    if (!combo) return Fail("no list after the label");
    int index = std::atoi(argv[4]);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return 0;
  }
  return Fail("unknown command");
}
