// The system file cache's working set: reading its record and asking the
// system to trim it, through the native system information class 21.
#pragma once

#include <cstdint>

namespace skel::win {

// The first seven fields of the system's record, as 32-bit numbers; larger
// values of the 64-bit record are cut to their low 32 bits, the width every
// reader of this record works with.
struct FileCacheRecord {
  uint32_t CurrentSize = 0;
  uint32_t PeakSize = 0;
  uint32_t PageFaultCount = 0;
  uint32_t MinimumWorkingSet = 0;
  uint32_t MaximumWorkingSet = 0;
  uint32_t CurrentSizeIncludingTransitionInPages = 0;
  uint32_t PeakSizeIncludingTransitionInPages = 0;
};

// Enables "SeIncreaseQuotaPrivilege" (result ignored), then queries the
// record into a zero-filled buffer. A failed query leaves all zeros and
// returns false.
bool QueryFileCache(FileCacheRecord& record);

// The trim request: `record` as given, with the minimum and maximum working
// set set to "all ones", passed to the system. The status is returned for
// tests only; callers do not look at it.
long RequestFileCacheTrim(const FileCacheRecord& record);

}  // namespace skel::win
