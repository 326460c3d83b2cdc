#include "common/socket/message_box_win.h"

#include <windows.h>

namespace skel::socket::win {

void MessageBoxWin::Show(const std::string& text, const std::string& title) {
  ::MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_OK);
}

}  // namespace skel::socket::win
