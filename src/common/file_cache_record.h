// The system file cache's working-set record as every reader of it sees it:
// the first seven fields of the system's record, as 32-bit numbers.
#pragma once

#include <cstdint>

namespace skel {

struct FileCacheRecord {
  uint32_t CurrentSize = 0;
  uint32_t PeakSize = 0;
  uint32_t PageFaultCount = 0;
  uint32_t MinimumWorkingSet = 0;
  uint32_t MaximumWorkingSet = 0;
  uint32_t CurrentSizeIncludingTransitionInPages = 0;
  uint32_t PeakSizeIncludingTransitionInPages = 0;
};

}  // namespace skel
