#include "monitor/display/bar_texts.h"

#include <algorithm>
#include <cctype>

#include "common/byte_format.h"

namespace skel::monitor::display {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

}  // namespace

std::string BarText(const StatsSnapshot& stats, bool hideBarText, bool compact,
                    const LocaleSeparators& separators) {
  if (hideBarText) return "";
  std::string used = FormatByteSize(stats.MemoryUsed, true, separators);
  return (compact ? "M: " : "Memory Used: ") + used;
}

bool NeedsFileCache(std::string_view selection) {
  return Lower(selection) == "file cache size";
}

LineText MonitorLineText(std::string_view selection, bool upper, const StatsSnapshot& stats,
                         const LocaleSeparators& separators) {
  auto bytes = [&](const char* label, int64_t value) {
    return LineText{false, std::string(label) + FormatByteSize(value, true, separators)};
  };
  auto count = [&](const char* label, int32_t value) {
    return LineText{false, std::string(label) + CountText(value)};
  };
  if (selection.empty()) {
    return upper ? bytes("Memory Total: ", stats.MemoryTotal)
                 : bytes("Commit Total: ", stats.CommitTotal);
  }
  std::string s = Lower(selection);
  if (s == "commit total") return bytes("Commit Total: ", stats.CommitTotal);
  if (s == "commit limit") return bytes("Commit Limit: ", stats.CommitLimit);
  if (s == "commit peak") return bytes("Commit Peak: ", stats.CommitPeak);
  if (s == "file cache size") return bytes("File Cache: ", stats.FileCacheSize);
  if (s == "handle count") return count("Handle Count: ", stats.HandleCount);
  if (s == "kernel total") return bytes("Kernel Total: ", stats.KernelTotal);
  if (s == "kernel paged") return bytes("Kernel Paged: ", stats.KernelPaged);
  if (s == "kernel non paged") return bytes("Kernel Non Paged: ", stats.KernelNonPaged);
  if (s == "memory total") return bytes("Memory Total: ", stats.MemoryTotal);
  if (s == "memory available") return bytes("Memory Avail.: ", stats.MemoryAvailable);
  if (s == "process count") return count("Process Count: ", stats.ProcessCount);
  if (s == "system cache") return bytes("System Cache: ", stats.SystemCache);
  if (s == "system up time") return LineText{false, "Up Time: " + stats.UpTimeText};
  if (s == "thread count") return count("Thread Count: ", stats.ThreadCount);
  return LineText{true, ""};
}

}  // namespace skel::monitor::display
