// The monitor's one record of system statistics and its refresh.
//
// Every derived value (bytes from pages, memory used, the percentages) is
// computed here once, with fixed arithmetic, so that the bar, the tray icon,
// the auto-clean threshold and the replies to viewers agree to the last digit.
#pragma once

#include <cstdint>
#include <string>

#include "common/file_cache_record.h"
#include "common/number_format.h"

namespace skel::monitor {

// The system's performance information as 32-bit fields, each read as a
// signed number. The nine memory fields are page counts.
struct PerformanceRecord {
  int32_t cb = 0;
  int32_t CommitTotal = 0;
  int32_t CommitLimit = 0;
  int32_t CommitPeak = 0;
  int32_t PhysicalTotal = 0;
  int32_t PhysicalAvailable = 0;
  int32_t SystemCache = 0;
  int32_t KernelTotal = 0;
  int32_t KernelPaged = 0;
  int32_t KernelNonpaged = 0;
  int32_t PageSize = 0;
  int32_t HandleCount = 0;
  int32_t ProcessCount = 0;
  int32_t ThreadCount = 0;
};

// Where SampleStats gets the record from.
class PerformanceSource {
 public:
  virtual ~PerformanceSource() = default;
  // Fills `record`; false when the system refused (record then undefined).
  virtual bool QueryPerformance(PerformanceRecord& record) = 0;
};

// The system file cache's working set record, 32-bit fields in the system's
// order.
using FileCacheInfo = skel::FileCacheRecord;

// Where GetFileCacheInfo gets the record from (it enables the quota privilege
// first on Windows).
class FileCacheSource {
 public:
  virtual ~FileCacheSource() = default;
  // Fills `info`; false when the query failed.
  virtual bool QueryFileCache(FileCacheInfo& info) = 0;
};

// Fixed point with four decimals: value x 10000.
using FixedPoint4 = int64_t;

struct StatsSnapshot {
  int64_t CommitTotal = 0;
  int64_t CommitLimit = 0;
  int64_t CommitPeak = 0;
  int64_t MemoryTotal = 0;
  int64_t MemoryAvailable = 0;
  int64_t MemoryUsed = 0;
  int64_t SystemCache = 0;
  int64_t KernelTotal = 0;
  int64_t KernelPaged = 0;
  int64_t KernelNonPaged = 0;
  int32_t PageSize = 0;
  int32_t HandleCount = 0;
  int32_t ProcessCount = 0;
  int32_t ThreadCount = 0;
  FixedPoint4 FreePercent = 0;
  FixedPoint4 UsedPercentDecimal = 1000000;  // 100 until a sample succeeds
  int32_t lCurrentMemoryUsedPercent = 100;
  uint32_t FileCacheSize = 0;  // set by GetFileCacheInfo, on demand
  std::string UpTimeText;      // set by the main tick
};

// Every field of the snapshot that follows from the raw record (all but
// FileCacheSize and UpTimeText, which `previous` supplies unchanged).
StatsSnapshot DeriveStats(const PerformanceRecord& raw, const StatsSnapshot& previous = {});

// The free share in fixed point: available / total x 100 in double
// precision, rounded to single precision, then to four decimals (ties to
// even). 0 when the total is 0.
FixedPoint4 FreePercentOf(int64_t memoryAvailable, int64_t memoryTotal);

// A four-decimal value made whole, halves away from zero (37.5 -> 38).
int32_t WholePercent(FixedPoint4 value);

// Shortest decimal text with the locale's separator: 37.4522, 37.5, 38.
std::string PercentText(FixedPoint4 value, const LocaleSeparators& separators);
std::string PercentText(FixedPoint4 value);

// Counts as plain decimal integers without grouping.
std::string CountText(int32_t count);

// Owns the raw record between samples, so a failed refresh recomputes the
// derived values from the last good one (all zeros before the first).
class StatsSampler {
 public:
  explicit StatsSampler(PerformanceSource& source) : source_(source) {}

  // One GetPerformanceInfo; recomputes every derived field.
  void SampleStats();

  // Queries the file cache into a zero-filled record and stores its current
  // size as FileCacheSize (0 when the query failed). Returns the record for
  // the consumers that show or test it whole.
  FileCacheInfo GetFileCacheInfo(FileCacheSource& fileCache);

  void SetUpTimeText(std::string text) { snapshot_.UpTimeText = std::move(text); }

  const StatsSnapshot& Snapshot() const { return snapshot_; }
  const PerformanceRecord& Raw() const { return raw_; }

 private:
  PerformanceSource& source_;
  PerformanceRecord raw_{};
  StatsSnapshot snapshot_{};
};

}  // namespace skel::monitor
