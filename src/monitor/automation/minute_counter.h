// The pieces the minute-based automations share: the textual gate of their
// fields, the numeric reading of a field, and the minute counter that turns
// a once-a-minute timer into one check every N minutes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace skel::monitor {

// A field stops its automation when its text is exactly "" or "0". The test
// is on the text: "00" or " 0" do not stop it.
bool FieldStopsAutomation(std::string_view text);

// The number a field's text stands for; nothing when the text is not a
// number (which typing cannot produce, pasting can). Digit strings of any
// length read as their value, so a long threshold stays a high threshold.
std::optional<double> FieldNumber(std::string_view text);

// Counts the ticks between checks. The counter moves only on ticks that
// passed their automation's gate, so pausing, unchecking or emptying a field
// freezes it and the count resumes where it stood.
class MinuteCounter {
 public:
  // One gated tick with the minute field's text. True when this tick is a
  // check (the counter goes back to 0); false when it only counted. With
  // N minutes the check comes on every Nth tick; a text that is not a
  // number makes every tick a check.
  bool Advance(std::string_view minutesText);

  int32_t Current() const { return current_; }
  void SetCurrent(int32_t value) { current_ = value; }

 private:
  int32_t current_ = 0;
};

}  // namespace skel::monitor
