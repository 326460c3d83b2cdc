#include "monitor/core/win/profile_store_win.h"

#include <windows.h>

#include <string>
#include <vector>

namespace skel::monitor::win {

uint32_t WinProfileStore::GetString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, char* buffer, uint32_t size,
                                    std::string_view file) {
  if (size == 0) return 0;
  buffer[0] = '\0';
  DWORD n = ::GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                       std::string(defaultValue).c_str(), buffer, size,
                                       std::string(file).c_str());
  return n < size ? n : size - 1;
}

bool WinProfileStore::WriteString(std::string_view section, std::string_view key,
                                  std::string_view value, std::string_view file) {
  return ::WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                      std::string(value).c_str(),
                                      std::string(file).c_str()) != FALSE;
}

std::string ProgramFolder() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    DWORD n = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      std::string full(path.data(), n);
      size_t slash = full.find_last_of('\\');
      if (slash == std::string::npos) return {};
      // "C:\x.exe" keeps its root backslash; deeper folders lose theirs.
      return full.substr(0, slash == 2 && full[1] == ':' ? slash + 1 : slash);
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

}  // namespace skel::monitor::win
