// Baseline for the monitor's idle cost: the smallest honest Win32 program
// with a hidden window and a one-second timer that sets a menu caption.
#include <windows.h>

#include <cstdio>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) {
    char text[64];
    std::snprintf(text, sizeof text, "Up: %lu", GetTickCount() / 1000);
    ModifyMenuA(GetMenu(hwnd), 0, MF_BYPOSITION | MF_STRING, 1, text);
    return 0;
  }
  if (msg == WM_CLOSE) {
    DestroyWindow(hwnd);
    return 0;
  }
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = "SkelBaselineWindow";
  RegisterClassA(&wc);
  HMENU menu = CreateMenu();
  AppendMenuA(menu, MF_STRING, 1, "Up");
  HWND hwnd = CreateWindowA("SkelBaselineWindow", "baseline", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                            nullptr, menu, instance, nullptr);
  SetTimer(hwnd, 1, 1000, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
