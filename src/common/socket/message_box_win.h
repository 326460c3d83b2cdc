// The message box that follows an Error event whose handler cleared
// CancelDisplay: the description as text, the source as title, an OK button.
#pragma once

#include "common/socket/socket_ports.h"

namespace skel::socket::win {

class MessageBoxWin : public MessageBoxPort {
 public:
  void Show(const std::string& text, const std::string& title) override;
};

}  // namespace skel::socket::win
