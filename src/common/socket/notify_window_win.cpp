#include "common/socket/notify_window_win.h"

namespace skel::socket::win {

NotifyWindowWin::~NotifyWindowWin() {
  Destroy();
}

bool NotifyWindowWin::Create(NotificationSink& sink) {
  if (window_) return true;
  HWND hwnd = ::CreateWindowExA(0, "STATIC", "SOCKET_WINDOW", 0, 0, 0, 0, 0, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return false;
  window_.reset(hwnd);
  sink_ = &sink;
  ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  previous_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Dispatcher)));
  return previous_ != nullptr;
}

bool NotifyWindowWin::Destroy() {
  if (!window_) return true;
  HWND hwnd = window_.release();
  if (previous_) ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  previous_ = nullptr;
  sink_ = nullptr;
  return ::DestroyWindow(hwnd) != FALSE;
}

LRESULT CALLBACK NotifyWindowWin::Dispatcher(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  auto* self = reinterpret_cast<NotifyWindowWin*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return ::DefWindowProcA(hwnd, message, wParam, lParam);
  WNDPROC previous = self->previous_;
  try {
    if (self->sink_ &&
        self->sink_->Dispatch(message, static_cast<uint64_t>(wParam), static_cast<int64_t>(lParam)))
      return 0;
  } catch (...) {
    // Nothing may unwind into user32.
    return 0;
  }
  return ::CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

}  // namespace skel::socket::win
