// The automation's other system services: the user's date and time forms,
// the system directory, and the file cache trim request.
#pragma once

#include <string>

#include "monitor/automation/automation_ports.h"

namespace skel::monitor::win {

// GetDateFormatA (short date) and GetTimeFormatA (the user's time form) of
// the user's locale, joined with one space.
class WinClock final : public Clock {
 public:
  std::string NowText() override;
};

// GetSystemDirectoryA, with the one retry of a longer buffer.
class WinSystemFolders final : public SystemFolders {
 public:
  std::string SystemDirectory() override;
};

// The trim request through the native file cache information class, in the
// record layout of the running program's width.
class WinFileCacheTrim final : public FileCacheTrim {
 public:
  void RequestFileCacheTrim(const FileCacheInfo& request) override;
  // The status of the last request, for tests; the monitor ignores it.
  long LastStatus() const { return lastStatus_; }

 private:
  long lastStatus_ = 0;
};

}  // namespace skel::monitor::win
