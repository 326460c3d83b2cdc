#include <windows.h>

#include "cleaner/cleaner_adapters_win.h"

namespace skel::cleaner::win {

std::string CommandLineQueryText(uint32_t pid) {
  return "Select * from Win32_Process where ProcessID = \"" + std::to_string(pid) + "\"";
}

std::string WmiCommandLineQuery::CommandLine(uint32_t pid) {
  if (givenUp_) return {};
  if (!tried_) {
    tried_ = true;
    if (!connection_.Connect()) {
      givenUp_ = true;
      return {};
    }
  }
  std::string commandLine;
  auto result = connection_.Query(
      CommandLineQueryText(pid),
      [&](IWbemClassObject& process) {
        // Every object returned overwrites the text; the last one stands.
        commandLine = skel::win::WmiPropertyText(process, L"commandLine").value_or(std::string());
        return true;
      },
      skel::win::kWmiQueryFlags, timeoutMs_);
  if (result == skel::win::WmiQueryResult::kTimedOut) givenUp_ = true;
  return commandLine;
}

}  // namespace skel::cleaner::win
