#include "monitor/automation/minute_counter.h"

#include "common/number_format.h"

namespace skel::monitor {

bool FieldStopsAutomation(std::string_view text) {
  return text.empty() || text == "0";
}

std::optional<double> FieldNumber(std::string_view text) {
  std::optional<Decimal> value = ParseDecimal(text);
  if (!value) return std::nullopt;
  return DecimalToDouble(*value);
}

bool MinuteCounter::Advance(std::string_view minutesText) {
  std::optional<double> minutes = FieldNumber(minutesText);
  // A minute text that does not convert skips the comparison, so the tick
  // falls through to the check.
  if (minutes && *minutes > static_cast<double>(current_) + 1.0) {
    ++current_;
    return false;
  }
  current_ = 0;
  return true;
}

}  // namespace skel::monitor
