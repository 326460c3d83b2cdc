#include "common/socket/socket_process_win.h"

#include "common/socket/message_box_win.h"
#include "common/socket/notify_window_win.h"
#include "common/socket/socket.h"
#include "common/socket/winsock_api_win.h"

namespace skel::socket {

namespace win {

SocketModule& ProcessSocketModule() {
  // One set per process, built on first use and kept to the end.
  static NotifyWindowWin window;
  static WinsockApi api(window);
  static MessageBoxWin box;
  static SocketModule module(api, window, box);
  return module;
}

}  // namespace win

Socket::Socket() : Socket(win::ProcessSocketModule()) {}

}  // namespace skel::socket
