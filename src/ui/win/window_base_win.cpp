#include "ui/win/window_base_win.h"

#include <algorithm>
#include <vector>

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

namespace {

// A pump posts this to its own thread behind whatever is waiting; reaching
// it means every message that was pending when the pump began has run.
constexpr UINT kPumpMarker = WM_APP + 0x2F00;
constexpr int kMessagesPerTurn = 32;

// Markers posted and not yet reached. A nested pump may reach an outer
// pump's marker; the outer one then stops as soon as it gets control back.
std::vector<WPARAM>& OpenMarkers() {
  static std::vector<WPARAM> open;
  return open;
}

void CloseMarker(WPARAM marker) {
  std::vector<WPARAM>& open = OpenMarkers();
  std::erase(open, marker);
}

bool IsOpen(WPARAM marker) {
  const std::vector<WPARAM>& open = OpenMarkers();
  return std::find(open.begin(), open.end(), marker) != open.end();
}

// False when the message was WM_QUIT, which goes back for the main loop.
bool Dispatch(const MSG& msg) {
  if (msg.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

}  // namespace

void ProcessPendingMessages() {
  // Only what is pending now: messages that arrive while these run wait for
  // the next turn. Otherwise a steady stream (a busy socket, say) would keep
  // the handler that let messages run from ever finishing.
  MSG msg;
  // Nothing waiting is the common case, and it costs one look.
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) return;
  static WPARAM lastMarker = 0;
  const WPARAM marker = ++lastMarker;
  const bool posted = PostThreadMessageA(GetCurrentThreadId(), kPumpMarker, marker, 0) != 0;
  if (posted) OpenMarkers().push_back(marker);
  // Bounded as well: with a long queue a handler that lets messages run
  // between many steps would otherwise wait for all of it at every step,
  // while the messages behind it keep their order for the next turn.
  for (int i = 0; i < kMessagesPerTurn; ++i) {
    if (posted && !IsOpen(marker)) break;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) break;
    if (msg.hwnd == nullptr && msg.message == kPumpMarker) {
      CloseMarker(msg.wParam);
      continue;
    }
    if (!Dispatch(msg)) {
      CloseMarker(marker);
      return;
    }
  }
  CloseMarker(marker);
  // Input, painting and timers are only handed out once no posted message
  // waits, so the marker kept them back: they get their turn now. Timers
  // are asked for by name, or a queue that never empties (many viewers
  // asking at once) would stop the one-second tick for as long as it lasts.
  constexpr UINT kInputAndPaint = PM_REMOVE | PM_QS_INPUT | PM_QS_PAINT | PM_QS_SENDMESSAGE;
  for (int i = 0; i < 64 && PeekMessageA(&msg, nullptr, 0, 0, kInputAndPaint); ++i) {
    if (!Dispatch(msg)) return;
  }
  for (int i = 0; i < 8 && PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE); ++i) {
    if (!Dispatch(msg)) return;
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
