// The system's statistics behind the sampler's ports: performance
// information, the file cache record, the tick count and the up-time
// performance counter.
#pragma once

#include "monitor/core/stats_sampler.h"
#include "monitor/core/up_time.h"

namespace skel::monitor::win {

// GetPerformanceInfo. The call is made with the record of the running
// program's own width (the 32-bit 56-byte form is refused by 64-bit
// systems); every field is then taken as a signed 32-bit number.
class WinPerformanceSource final : public PerformanceSource {
 public:
  bool QueryPerformance(PerformanceRecord& record) override;
};

// The file cache record, after enabling "SeIncreaseQuotaPrivilege".
class WinFileCacheSource final : public FileCacheSource {
 public:
  bool QueryFileCache(FileCacheInfo& info) override;
};

// GetTickCount and the counter "\System\System Up Time". The counter query
// is opened once, here, and closed when the object goes: the monitor keeps
// one for its whole life. A query that cannot be opened (e.g. where counter
// names are not English) reads as nothing at every tick.
class WinUpTimeSource final : public UpTimeSource {
 public:
  WinUpTimeSource();
  ~WinUpTimeSource() override;
  WinUpTimeSource(const WinUpTimeSource&) = delete;
  WinUpTimeSource& operator=(const WinUpTimeSource&) = delete;

  int32_t TickCount() override;
  std::optional<double> CounterSeconds() override;

  // Whether the query and its counter were opened.
  bool CounterOpen() const { return query_ != nullptr && counter_ != nullptr; }

 private:
  void* query_ = nullptr;    // PDH_HQUERY
  void* counter_ = nullptr;  // PDH_HCOUNTER
};

}  // namespace skel::monitor::win
