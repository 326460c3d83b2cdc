// The cleaner's INI file, token, file cache request and the user's locale.
#include <windows.h>

#include <vector>

#include "cleaner/cleaner_adapters_win.h"
#include "common/win/privilege_win.h"
#include "common/win/system_file_cache_win.h"

namespace skel::cleaner::win {

std::string CleanerIniPath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD n = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return "\\Vardolin.ini";
    if (n < buffer.size()) {
      std::string path(buffer.data(), n);
      size_t slash = path.find_last_of('\\');
      return (slash == std::string::npos ? std::string() : path.substr(0, slash)) +
             "\\Vardolin.ini";
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string IniProfileReader::ReadValue(std::string_view key, size_t bufferChars) {
  if (bufferChars == 0) return {};
  std::vector<char> buffer(bufferChars, '\0');
  DWORD n = ::GetPrivateProfileStringA("main", std::string(key).c_str(), "", buffer.data(),
                                       static_cast<DWORD>(buffer.size()), path_.c_str());
  return std::string(buffer.data(), std::min<size_t>(n, bufferChars - 1));
}

bool TokenPrivileges::Enable(std::string_view name) {
  return skel::win::EnablePrivilege(std::string(name).c_str());
}

void SystemFileCache::RequestTrim() {
  // All zero but the working-set bounds, which the request sets to all ones.
  skel::win::RequestFileCacheTrim(skel::win::FileCacheRecord{});
}

LocalStamp UserLocaleText::Now() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  LocalStamp stamp;
  char buffer[128];
  int n =
      ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, buffer, sizeof buffer);
  if (n > 1) stamp.date.assign(buffer, static_cast<size_t>(n - 1));
  // No flags: the user's long time format, seconds and day-half marker included.
  n = ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, buffer, sizeof buffer);
  if (n > 1) stamp.time.assign(buffer, static_cast<size_t>(n - 1));
  return stamp;
}

std::string UserLocaleText::Lower(std::string_view text) {
  std::string out(text);
  if (!out.empty()) ::CharLowerBuffA(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

}  // namespace skel::cleaner::win
