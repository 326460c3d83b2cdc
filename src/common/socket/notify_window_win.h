// The hidden window that receives the socket notifications: a "STATIC"
// window named "SOCKET_WINDOW", no style, zero size, whose procedure is
// replaced by the dispatcher while it exists.
#pragma once

#include <windows.h>

#include "common/socket/socket_ports.h"
#include "common/win/unique_any.h"

namespace skel::socket::win {

class NotifyWindowWin : public NotifyWindow {
 public:
  NotifyWindowWin() = default;
  ~NotifyWindowWin() override;
  NotifyWindowWin(const NotifyWindowWin&) = delete;
  NotifyWindowWin& operator=(const NotifyWindowWin&) = delete;

  bool Create(NotificationSink& sink) override;
  bool Destroy() override;
  HWND Handle() const { return window_.get(); }

 private:
  static LRESULT CALLBACK Dispatcher(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  skel::win::UniqueWindow window_;
  WNDPROC previous_ = nullptr;
  NotificationSink* sink_ = nullptr;
};

}  // namespace skel::socket::win
