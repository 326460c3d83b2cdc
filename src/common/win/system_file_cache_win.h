// The system file cache's working set: reading its record and asking the
// system to trim it, through the native system information class 21.
#pragma once

#include "common/file_cache_record.h"

namespace skel::win {

// Larger values of the system's 64-bit record are cut to their low 32 bits,
// the width every reader of this record works with.
using FileCacheRecord = skel::FileCacheRecord;

// Enables "SeIncreaseQuotaPrivilege" (result ignored), then queries the
// record into a zero-filled buffer. A failed query leaves all zeros and
// returns false.
bool QueryFileCache(FileCacheRecord& record);

// The trim request: `record` as given, with the minimum and maximum working
// set set to "all ones", passed to the system. The status is returned for
// tests only; callers do not look at it.
long RequestFileCacheTrim(const FileCacheRecord& record);

}  // namespace skel::win
