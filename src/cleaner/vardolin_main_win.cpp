// Vardolin: reads its settings, waits half a second, cleans once, waits half
// a second and ends. Its one window only carries the two timers and is never
// shown; nothing is ever reported but through the log.
#include <windows.h>

#include "cleaner/cleaner_adapters_win.h"
#include "cleaner/cleaning_run.h"
#include "common/win/locale_win.h"
#include "common/win/unique_any.h"

namespace skel::cleaner::win {
namespace {

constexpr UINT_PTR kTimer1ExitDelay = 1;
constexpr UINT_PTR kTimer2StartDelay = 2;
constexpr UINT kDelayMs = 500;
constexpr int kWindowPixels = 11;  // 165 twips at 96 dots per inch
constexpr char kWindowClass[] = "VardolinFrmMain";

struct Program {
  CleaningRun* run = nullptr;
};

void TurnOffDepPolicy() {
  // Looked up rather than linked: systems before XP SP3 lack the call, and a
  // 64-bit process is always refused it. Either way the run goes on.
  using SetDepFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  auto set = kernel ? reinterpret_cast<SetDepFn>(
                          reinterpret_cast<void*>(::GetProcAddress(kernel, "SetProcessDEPPolicy")))
                    : nullptr;
  if (set) set(0);
}

void OnTimer(HWND hwnd, UINT_PTR id, Program& program) {
  if (id == kTimer2StartDelay) {
    // Stopped first: the run lets messages through between its steps, and
    // the start delay must not fire a second run meanwhile.
    ::KillTimer(hwnd, kTimer2StartDelay);
    program.run->Run();
    ::SetTimer(hwnd, kTimer1ExitDelay, kDelayMs, nullptr);
  } else if (id == kTimer1ExitDelay) {
    ::KillTimer(hwnd, kTimer1ExitDelay);
    ProcessPendingMessages();
    ::PostQuitMessage(0);
  }
}

LRESULT CALLBACK FrmMainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  try {
    if (msg == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (msg == WM_TIMER) {
      auto* program = reinterpret_cast<Program*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
      if (program) OnTimer(hwnd, static_cast<UINT_PTR>(wParam), *program);
      return 0;
    }
  } catch (...) {
    // Nothing may unwind into the system; the exit delay still ends the run.
    ::SetTimer(hwnd, kTimer1ExitDelay, kDelayMs, nullptr);
    return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateFrmMain(HINSTANCE instance, Program& program) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = FrmMainProc;
  wc.hInstance = instance;
  wc.lpszClassName = kWindowClass;
  wc.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(1));
  ::RegisterClassExA(&wc);
  // Borderless, no task-bar button, centred, and never shown.
  int x = (::GetSystemMetrics(SM_CXSCREEN) - kWindowPixels) / 2;
  int y = (::GetSystemMetrics(SM_CYSCREEN) - kWindowPixels) / 2;
  return ::CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "Vardolin", WS_POPUP, x, y,
                           kWindowPixels, kWindowPixels, nullptr, nullptr, instance, &program);
}

int RunCleaner(HINSTANCE instance) {
  TurnOffDepPolicy();
  skel::win::UseUserLocaleSeparators();
  skel::win::ComScope com;

  IniProfileReader profile(CleanerIniPath());
  ToolhelpProcessTable processes;
  WinProcessMemory memory;
  WmiCommandLineQuery commandLines;
  TokenPrivileges privileges;
  SystemFileCache fileCache;
  UserLocaleText locale;
  FileLogAppender log;
  CleanerPorts ports{profile, processes, memory, commandLines, privileges, fileCache, locale, log};
  CleaningRun run(ports);
  run.LoadSettings();

  Program program{&run};
  skel::win::UniqueWindow window(CreateFrmMain(instance, program));
  if (!window) {
    // Without a window for the timers the same steps run on plain delays.
    ::Sleep(kDelayMs);
    run.Run();
    ::Sleep(kDelayMs);
    return 0;
  }
  ::SetTimer(window.get(), kTimer2StartDelay, kDelayMs, nullptr);
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return 0;
}

}  // namespace
}  // namespace skel::cleaner::win

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Arguments are ignored: every choice comes from the INI file.
  try {
    return skel::cleaner::win::RunCleaner(instance);
  } catch (...) {
    return 0;
  }
}
