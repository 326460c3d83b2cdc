#include "common/stats_reply.h"

#include <vector>

namespace skel {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  for (;;) {
    size_t at = text.find(separator, start);
    if (at == std::string_view::npos) {
      pieces.push_back(text.substr(start));
      return pieces;
    }
    pieces.push_back(text.substr(start, at - start));
    start = at + 1;
  }
}

}  // namespace

StatsReplyRows ReadStatsReply(std::string_view reply) {
  StatsReplyRows rows;
  if (reply.empty()) return rows;
  std::vector<std::string_view> fields = Split(reply, '|');
  for (size_t i = 0; i < fields.size() && i < rows.size(); ++i) {
    std::vector<std::string_view> pieces = Split(fields[i], ':');
    if (i == kFieldUpTime) {
      // The up time carries two colons of its own: days and hours, minutes,
      // seconds. Anything after the fourth piece is dropped.
      if (pieces.size() < 4) continue;
      std::string text(pieces[1]);
      text.append(":").append(pieces[2]).append(":").append(pieces[3]);
      rows[i] = std::move(text);
      continue;
    }
    if (pieces.size() < 2) continue;
    std::string text(pieces[1]);
    if (i == kFieldMemoryUsedPercent) text += " %";
    rows[i] = std::move(text);
  }
  return rows;
}

std::optional<bool> IsPercentAlarm(std::string_view percentRow,
                                   const LocaleSeparators& separators) {
  if (percentRow.ends_with(" %")) percentRow.remove_suffix(2);
  std::optional<Decimal> number = ParseDecimal(percentRow, separators);
  if (!number) return std::nullopt;
  return DecimalToDouble(*number) >= kPercentAlarmThreshold;
}

std::optional<bool> IsPercentAlarm(std::string_view percentRow) {
  return IsPercentAlarm(percentRow, CurrentSeparators());
}

}  // namespace skel
