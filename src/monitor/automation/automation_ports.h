// What the monitor's automation needs of the system, besides the settings
// window's logic: starting programs, the clock as the user reads it, the
// system folder, and the file cache's record and trim request.
#pragma once

#include <string>

#include "monitor/core/stats_sampler.h"
#include "monitor/shell/main_form.h"

namespace skel::monitor {

// The current moment in the user's own date and time forms.
class Clock {
 public:
  virtual ~Clock() = default;
  // Short date, one space, time: the text after "Last Check: ".
  virtual std::string NowText() = 0;
};

// Folders of the system that the automation starts programs from.
class SystemFolders {
 public:
  virtual ~SystemFolders() = default;
  // The Windows system directory without a trailing backslash; "" when the
  // system does not tell.
  virtual std::string SystemDirectory() = 0;
};

// Asks the system to empty the working set of its file cache.
class FileCacheTrim {
 public:
  virtual ~FileCacheTrim() = default;
  // `request` is the record just read, with both working set limits set to
  // all ones. Whether the system complied is not looked at.
  virtual void RequestFileCacheTrim(const FileCacheInfo& request) = 0;
};

// Everything the automation is given; the program owns the objects.
struct AutomationPorts {
  Launcher& launcher;
  Clock& clock;
  SystemFolders& folders;
  StatsSampler& sampler;
  FileCacheSource& fileCache;
  FileCacheTrim& trim;
  // The monitor's own program folder, where the cleaner lives.
  std::string programFolder;
};

}  // namespace skel::monitor
