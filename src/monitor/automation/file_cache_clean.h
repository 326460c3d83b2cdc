// "Auto Clean File Cache:" on the "Advanced Monitor" tab: every N minutes,
// when the system file cache has reached a number of megabytes, ask the
// system to trim it. This is the monitor's own trim; the cleaner has its own.
#pragma once

#include <cstdint>

#include "monitor/automation/automation_ports.h"
#include "monitor/automation/minute_counter.h"
#include "monitor/automation/pause_switch.h"
#include "monitor/shell/main_form.h"

namespace skel::monitor {

inline constexpr const char* kFileCacheFrame = "FrameAutoCleanFileCache";
inline constexpr const char* kFileCacheEnable = "Check11";
inline constexpr const char* kFileCacheSize = "Text10";
inline constexpr const char* kFileCacheMinutes = "Text11";
inline constexpr const char* kFileCacheLastCheck = "Label23";
inline constexpr const char* kFileCacheSizeLabel = "LabelFileCacheWhen";
inline constexpr const char* kFileCacheSizeUnit = "LabelFileCacheMb";
inline constexpr const char* kFileCacheMinutesLabel = "LabelFileCacheEvery";
inline constexpr const char* kFileCacheMinutesUnit = "LabelFileCacheMin";

// The working set limits of a trim request: "all ones" empties the cache.
inline constexpr uint32_t kTrimWorkingSet = 0xFFFFFFFFu;

// Adds the frame and its controls to the "Advanced Monitor" page, binds
// `enableautocleanfilecache`, `autocleanfilecachesize` and
// `autocleanfilecahcemin` (spelt as the settings file has always spelt it),
// makes the fields digits-only and lets "Enable" write its key and enable
// the fields and their labels.
void AddFileCacheControls(MainForm& form);

// The file cache timer's logic; the program calls Tick every 60000 ms.
class FileCacheCleanTimer {
 public:
  FileCacheCleanTimer(MainForm& form, const PauseSwitch& pause, AutomationPorts& ports);

  // One tick. False when shutdown has begun: the timer must stop.
  bool Tick();

  // The minute counter (`lAutoCLeanFileCacheTimeCurrent`).
  MinuteCounter& Counter() { return counter_; }
  // The record of the last query (zeros when it failed).
  const FileCacheInfo& LastRecord() const { return record_; }

 private:
  bool Gated() const;

  MainForm& form_;
  const PauseSwitch& pause_;
  AutomationPorts& ports_;
  MinuteCounter counter_;
  FileCacheInfo record_{};
};

}  // namespace skel::monitor
