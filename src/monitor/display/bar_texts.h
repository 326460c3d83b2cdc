// The texts of the bar window: the bar's own text and the two lines under it,
// each showing one statistic picked from a list of fourteen.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "common/number_format.h"
#include "monitor/core/stats_sampler.h"

namespace skel::monitor::display {

// The entries of "1st Text On Monitor" and "2nd Text On Monitor", sorted.
inline constexpr std::array<std::string_view, 14> kMonitorTextEntries{
    "Commit Limit",     "Commit Peak",  "Commit Total",   "File Cache Size",  "Handle Count",
    "Kernel Non Paged", "Kernel Paged", "Kernel Total",   "Memory Available", "Memory Total",
    "Process Count",    "System Cache", "System Up Time", "Thread Count"};

// The bar's text: "" when hidden, "M: <used>" in compact mode, otherwise
// "Memory Used: <used>".
std::string BarText(const StatsSnapshot& stats, bool hideBarText, bool compact,
                    const LocaleSeparators& separators);

// Whether showing `selection` needs a fresh file cache query first.
bool NeedsFileCache(std::string_view selection);

// One of the two lines. An empty selection shows the line's fallback (memory
// total for the upper line, commit total for the lower); a selection that is
// none of the entries (a hand-edited settings file) sets `keep`: the line
// goes on showing what it showed.
struct LineText {
  bool keep = false;
  std::string text;
};
LineText MonitorLineText(std::string_view selection, bool upper, const StatsSnapshot& stats,
                         const LocaleSeparators& separators);

}  // namespace skel::monitor::display
