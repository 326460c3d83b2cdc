// The statistics reply the monitor sends its viewers, and the one rule by
// which every client takes it apart. The reply is sixteen "Label: value"
// fields joined by "|"; clients split on "|" and ":" only, so grouping
// separators and decimal commas inside values never confuse them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/number_format.h"

namespace skel {

inline constexpr int kStatsReplyFieldCount = 16;

// Field positions, in the order the monitor writes them.
enum StatsReplyField : int {
  kFieldCommitTotal = 0,
  kFieldCommitLimit = 1,
  kFieldCommitPeak = 2,
  kFieldFileCache = 3,
  kFieldHandleCount = 4,
  kFieldKernelTotal = 5,
  kFieldKernelPaged = 6,
  kFieldKernelNonPaged = 7,
  kFieldMemoryAvailable = 8,
  kFieldMemoryTotal = 9,
  kFieldMemoryUsed = 10,
  kFieldMemoryUsedPercent = 11,
  kFieldProcessCount = 12,
  kFieldSystemCache = 13,
  kFieldThreadCount = 14,
  kFieldUpTime = 15,
};

// Each label ends in a colon and one blank; the value follows directly.
inline constexpr std::array<const char*, kStatsReplyFieldCount> kStatsReplyLabels = {
    "Commit Total: ",  "Commit Limit: ", "Commit Peak: ",  "File Cache: ",
    "Handle Count: ",  "Kernel Total: ", "Kernel Paged: ", "Kernel Non Paged: ",
    "Memory Avail.: ", "Memory Total: ", "Memory Used: ",  "Memory Used %: ",
    "Process Count: ", "System Cache: ", "Thread Count: ", "Up Time: "};

// The two request words. A request matches only when the whole arrival,
// lower-cased, equals one of them.
inline constexpr std::string_view kRequestGetAllData = "getalldata";
inline constexpr std::string_view kRequestRunCleaner = "vardolin";

// The display text of each field, or nothing where the field is missing or
// lacks the pieces the rule needs (that row keeps what it showed). An empty
// text gives nothing at all.
using StatsReplyRows = std::array<std::optional<std::string>, kStatsReplyFieldCount>;
StatsReplyRows ReadStatsReply(std::string_view reply);

// The number shown in the percentage row (" 57.1429 %") is at or above the
// alarm threshold of 80; nothing when the row holds no number.
std::optional<bool> IsPercentAlarm(std::string_view percentRow, const LocaleSeparators& separators);
std::optional<bool> IsPercentAlarm(std::string_view percentRow);
inline constexpr int kPercentAlarmThreshold = 80;

// How both clients lay the rows out: six framed groups in this order, each
// row with its right-aligned caption and the text it shows before the first
// reply. The up-time group has a single centred value without a caption.
struct StatsDisplayRow {
  int group;
  const char* caption;
  int field;
  const char* placeholder;
};
inline constexpr std::array<const char*, 6> kStatsDisplayGroups = {
    "Memory", "Commit", "Kernel", "Counts", "Cache", "System Up Time"};
inline constexpr std::array<StatsDisplayRow, kStatsReplyFieldCount> kStatsDisplayRows = {{
    {0, "Memory Total :", kFieldMemoryTotal, "00.00 MB"},
    {0, "Memory Used :", kFieldMemoryUsed, "00.00 MB"},
    {0, "Memory Free :", kFieldMemoryAvailable, "00.00 MB"},
    {0, "Percent Used :", kFieldMemoryUsedPercent, "0%"},
    {1, "Commit Total :", kFieldCommitTotal, "00.00 MB"},
    {1, "Commit Limit :", kFieldCommitLimit, "00.00 MB"},
    {1, "Commit Peak :", kFieldCommitPeak, "00.00 MB"},
    {2, "Kernel Total :", kFieldKernelTotal, "00.00 MB"},
    {2, "Kernel Paged :", kFieldKernelPaged, "00.00 MB"},
    {2, "Kernel Non Paged :", kFieldKernelNonPaged, "00.00 MB"},
    {3, "Process Count :", kFieldProcessCount, "0"},
    {3, "Handle Count :", kFieldHandleCount, "0"},
    {3, "Thread Count :", kFieldThreadCount, "0"},
    {4, "File Cache :", kFieldFileCache, "00.00 MB"},
    {4, "System Cache :", kFieldSystemCache, "00.00 MB"},
    {5, "", kFieldUpTime, "0 Days 00:00:00"},
}};

}  // namespace skel
