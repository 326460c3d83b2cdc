// The component's own wording of the Winsock error codes, shown in Error
// events and raised errors.
#pragma once

#include <string>

namespace skel::socket {

// Text of a Winsock error code; any code outside the table (0 included) gives
// "Unknown error.".
std::string WinsockErrorText(int code);

}  // namespace skel::socket
