// "Auto Run Vardolin:" on the "Advanced Monitor" tab: start the cleaner
// every N minutes while memory use is at or above a percentage.
#pragma once

#include <cstdint>
#include <functional>

#include "monitor/automation/automation_ports.h"
#include "monitor/automation/minute_counter.h"
#include "monitor/automation/pause_switch.h"
#include "monitor/shell/main_form.h"

namespace skel::monitor {

// Controls of the frame; the names without a caption are this program's own.
inline constexpr const char* kAutoRunFrame = "FrameAutoRunVardolin";
inline constexpr const char* kAutoRunEnable = "Check9";
inline constexpr const char* kAutoRunPercent = "Text1";
inline constexpr const char* kAutoRunMinutes = "Text2";
inline constexpr const char* kAutoRunLastCheck = "Label12";
inline constexpr const char* kAutoRunPercentLabel = "LabelAutoRunWhen";
inline constexpr const char* kAutoRunPercentUnit = "LabelAutoRunPercent";
inline constexpr const char* kAutoRunMinutesLabel = "LabelAutoRunEvery";
inline constexpr const char* kAutoRunMinutesUnit = "LabelAutoRunMin";

inline constexpr const char* kLastCheckNever = "Last Check: Never";
inline constexpr const char* kLastCheckPrefix = "Last Check: ";

// Adds the frame and its controls to the "Advanced Monitor" page, binds
// `enableautoclean`, `autocleanpercent` and `autocleanmin`, makes the two
// fields digits-only, and lets "Enable" write its key and enable the fields
// and their labels.
void AddAutoCleanControls(MainForm& form);

// The auto-clean timer's logic; the program calls Tick every 60000 ms from
// the loading of the settings window to shutdown.
class AutoCleanTimer {
 public:
  AutoCleanTimer(MainForm& form, const PauseSwitch& pause, Clock& clock,
                 std::function<void()> runCleaner);

  // One tick. False when shutdown has begun: the timer must stop.
  bool Tick();

  // The minute counter (`lAutoRunTimeCurrent`).
  MinuteCounter& Counter() { return counter_; }

 private:
  bool Gated() const;

  MainForm& form_;
  const PauseSwitch& pause_;
  Clock& clock_;
  std::function<void()> runCleaner_;
  MinuteCounter counter_;
};

}  // namespace skel::monitor
