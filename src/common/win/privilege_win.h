// Enables one named privilege in the calling process's own access token.
#pragma once

namespace skel::win {

// True when the privilege is enabled afterwards (the last-error code after
// AdjustTokenPrivileges is 0). Callers in this suite go on whatever it says.
bool EnablePrivilege(const char* privilegeName);

}  // namespace skel::win
