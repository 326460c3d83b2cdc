// The system up time as one text, "0 Days 03:04:05", "01 Day 01:01:01",
// "123 Days 23:59:59", from one of two sources the user picks in the
// settings window's menu: the millisecond tick count (wraps after 49.7 days)
// or the performance counter "\System\System Up Time".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace skel::monitor {

class MonitorSettings;

inline constexpr const char* kUpTimeCounterPath = "\\System\\System Up Time";

// The two sources, as the system offers them.
class UpTimeSource {
 public:
  virtual ~UpTimeSource() = default;
  // Milliseconds since boot, as the signed 32-bit number the system returns.
  virtual int32_t TickCount() = 0;
  // Refreshes the counter query and reads "\System\System Up Time" in
  // seconds; nothing when the counter could not be opened or its status is
  // neither valid nor new data.
  virtual std::optional<double> CounterSeconds() = 0;
};

// Seconds (a fraction allowed) to the text, shown to the nearest second.
std::string FormatUpTime(double seconds);

// Seconds of the tick-count source: a negative count is moved up by
// 4294967294 ms, then scaled by 0.001.
double TickCountSeconds(int32_t tickCount);

// Seconds of the counter source: the counter's value made whole (halves away
// from zero); 0 when it could not be read.
double CounterUpTimeSeconds(std::optional<double> counterSeconds);

// The check marks of "GetTickCount API (49 Day Max)" and "Performance
// Counters (No Max)". Only the first decides: unchecked means the counter,
// even when neither item is checked.
struct UpTimeMenu {
  bool tickCountChecked = true;
  bool counterChecked = false;

  bool UsesTickCount() const { return tickCountChecked; }

  // From MenuGetTickCount / MenuPerformanceCounters; unreadable keys keep
  // the item's first-start state.
  static UpTimeMenu Load(const MonitorSettings& settings);
  // The user picks one item: its mark is set, the other's cleared, and both
  // keys are written (tick count first). Write failures are ignored.
  void ChooseTickCount(const MonitorSettings& settings);
  void ChooseCounter(const MonitorSettings& settings);
};

// Reads the chosen source and formats it.
std::string GetSystemUpTimeText(UpTimeSource& source, const UpTimeMenu& menu);

}  // namespace skel::monitor
