#include "ui/win/window_base_win.h"

namespace skel::ui::win {

WindowBase::~WindowBase() {
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool WindowBase::RegisterClassOnce(const char* className, HICON icon, HBRUSH background,
                                   UINT style) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &existing)) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = &WindowBase::StaticProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  return RegisterClassExA(&wc) != 0;
}

HWND WindowBase::CreateWindowFor(const char* className, const char* title, DWORD style,
                                 DWORD exStyle, int x, int y, int w, int h, HWND parent,
                                 HMENU menu) {
  return CreateWindowExA(exStyle, className, title, style, x, y, w, h, parent, menu,
                         GetModuleHandleA(nullptr), this);
}

LRESULT CALLBACK WindowBase::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  WindowBase* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    self = static_cast<WindowBase*>(cs->lpCreateParams);
    if (self) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (self) {
    try {
      LRESULT result = 0;
      if (self->HandleMessage(msg, wp, lp, result)) return result;
    } catch (...) {
      // A failing handler step is skipped, never fatal.
    }
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
      LRESULT r = DefWindowProcA(hwnd, msg, wp, lp);
      try {
        self->OnDestroyed();
      } catch (...) {
      }
      return r;
    }
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void ProcessPendingMessages() {
  MSG msg;
  // Bounded, so a flood of messages cannot keep a handler from finishing.
  for (int i = 0; i < 256 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

UINT WindowDpi(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  if (hwnd && getDpiForWindow) {
    UINT dpi = getDpiForWindow(hwnd);
    if (dpi) return dpi;
  }
  HDC dc = GetDC(nullptr);
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

int TwipsToPixels(int twips, UINT dpi) {
  return MulDiv(twips, static_cast<int>(dpi), 1440);
}
int PixelsToTwips(int pixels, UINT dpi) {
  return MulDiv(pixels, 1440, static_cast<int>(dpi));
}

}  // namespace skel::ui::win
