#include "monitor/automation/win/automation_system_win.h"

#include <windows.h>

#include "common/win/system_file_cache_win.h"
#include "monitor/automation/cleaner_launch.h"

namespace skel::monitor::win {
namespace {

// The length GetDateFormatA/GetTimeFormatA report includes the terminator.
template <typename Fn>
std::string LocaleText(Fn format) {
  int size = format(nullptr, 0);
  if (size <= 0) return "";
  std::string text(static_cast<size_t>(size), '\0');
  int written = format(text.data(), size);
  if (written <= 0) return "";
  text.resize(static_cast<size_t>(written - 1));
  return text;
}

}  // namespace

std::string WinClock::NowText() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  std::string date = LocaleText([&](char* buffer, int size) {
    return ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, buffer, size);
  });
  std::string time = LocaleText([&](char* buffer, int size) {
    return ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, buffer, size);
  });
  return date + " " + time;
}

std::string WinSystemFolders::SystemDirectory() {
  return ReadSystemText([](char* buffer, uint32_t size) {
    return static_cast<uint32_t>(::GetSystemDirectoryA(buffer, size));
  });
}

void WinFileCacheTrim::RequestFileCacheTrim(const FileCacheInfo& request) {
  lastStatus_ = skel::win::RequestFileCacheTrim(request);
}

}  // namespace skel::monitor::win
