#include "common/win/privilege_win.h"

#include <windows.h>

#include "common/win/unique_any.h"

namespace skel::win {

bool EnablePrivilege(const char* privilegeName) {
  // Each step stops the routine once the thread's last error is non-zero.
  SetLastError(0);
  UniqueHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put()) ||
      GetLastError() != 0) {
    return false;
  }
  TOKEN_PRIVILEGES wanted{};
  wanted.PrivilegeCount = 1;
  wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueA("", privilegeName, &wanted.Privileges[0].Luid) ||
      GetLastError() != 0) {
    return false;
  }
  TOKEN_PRIVILEGES previous{};
  DWORD returned = 0;
  AdjustTokenPrivileges(token.get(), FALSE, &wanted, sizeof previous, &previous, &returned);
  // ERROR_NOT_ALL_ASSIGNED arrives with a successful return: only the last
  // error tells whether the account holds the privilege.
  return GetLastError() == 0;
}

}  // namespace skel::win
