// One run of the cleaner: the optional file cache clear, the walk over every
// process that trims what the settings select and measures what the log list
// names, and the log block.
#pragma once

#include <string>
#include <vector>

#include "cleaner/cleaner_ports.h"
#include "cleaner/cleaner_settings.h"

namespace skel::cleaner {

// How many times the process is trimmed: one for each of the four tests that
// holds (every process; not on the ignore list; on the only list; no
// selection flag at all).
int TrimCount(const CleanerSettings& settings, bool ignoreMark, bool onlyMark);

// Empties the working set of the system file cache.
void ClearFileCache(CleanerPorts& ports);

// The process walk. Returns the log lines it built (already appended to the
// log when logging is on).
std::vector<std::string> ReleaseSystemRam(const CleanerSettings& settings, CleanerPorts& ports);

// Start-up loads the settings; the start delay's end runs the rest once.
class CleaningRun {
 public:
  explicit CleaningRun(CleanerPorts& ports) : ports_(ports) {}

  void LoadSettings() { settings_ = LoadCleanerSettings(ports_.profile); }
  void Run();

  const CleanerSettings& settings() const { return settings_; }

 private:
  CleanerPorts& ports_;
  CleanerSettings settings_;
};

}  // namespace skel::cleaner
