// The process-wide socket module of a program: Winsock, the real hidden
// window and the real message box.
#pragma once

#include "common/socket/socket_module.h"

namespace skel::socket::win {

SocketModule& ProcessSocketModule();

}  // namespace skel::socket::win
