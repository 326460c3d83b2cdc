#include "monitor/automation/win/launcher_win.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "common/win/unique_any.h"

namespace skel::monitor::win {

std::string CommandLineFor(const std::string& path, const std::string& arguments) {
  std::string line = "\"" + path + "\"";
  if (!arguments.empty()) line += " " + arguments;
  return line;
}

bool WinLauncher::Start(const std::string& path, const std::string& arguments, int showState) {
  if (path.empty()) return false;
  std::string line = CommandLineFor(path, arguments);
  // CreateProcessA may write into the command line, so it gets its own copy.
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showState);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessA(path.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
    return false;
  }
  // Nobody waits for the started program; only the handles are let go.
  skel::win::UniqueHandle process(info.hProcess);
  skel::win::UniqueHandle thread(info.hThread);
  return true;
}

bool WinLauncher::Open(const std::string& target, const std::string& workingFolder) {
  if (target.empty()) return false;
  HINSTANCE result =
      ::ShellExecuteA(nullptr, "open", target.c_str(), nullptr,
                      workingFolder.empty() ? nullptr : workingFolder.c_str(), SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace skel::monitor::win
