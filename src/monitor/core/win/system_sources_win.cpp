#include "monitor/core/win/system_sources_win.h"

#include <windows.h>
#include <pdh.h>
#include <pdhmsg.h>
#include <psapi.h>

#include "common/win/system_file_cache_win.h"

namespace skel::monitor::win {
namespace {

int32_t Field(SIZE_T value) {
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}
int32_t Field(DWORD value) {
  return static_cast<int32_t>(value);
}

}  // namespace

bool WinPerformanceSource::QueryPerformance(PerformanceRecord& record) {
  PERFORMANCE_INFORMATION info{};
  info.cb = sizeof info;
  if (!::GetPerformanceInfo(&info, sizeof info)) return false;
  record.cb = Field(info.cb);
  record.CommitTotal = Field(info.CommitTotal);
  record.CommitLimit = Field(info.CommitLimit);
  record.CommitPeak = Field(info.CommitPeak);
  record.PhysicalTotal = Field(info.PhysicalTotal);
  record.PhysicalAvailable = Field(info.PhysicalAvailable);
  record.SystemCache = Field(info.SystemCache);
  record.KernelTotal = Field(info.KernelTotal);
  record.KernelPaged = Field(info.KernelPaged);
  record.KernelNonpaged = Field(info.KernelNonpaged);
  record.PageSize = Field(info.PageSize);
  record.HandleCount = Field(info.HandleCount);
  record.ProcessCount = Field(info.ProcessCount);
  record.ThreadCount = Field(info.ThreadCount);
  return true;
}

bool WinFileCacheSource::QueryFileCache(FileCacheInfo& info) {
  return skel::win::QueryFileCache(info);
}

WinUpTimeSource::WinUpTimeSource() {
  PDH_HQUERY query = nullptr;
  if (::PdhOpenQueryA(nullptr, 1, &query) != ERROR_SUCCESS) return;
  query_ = query;
  PDH_HCOUNTER counter = nullptr;
  if (::PdhAddCounterA(query, kUpTimeCounterPath, 0, &counter) == ERROR_SUCCESS) {
    counter_ = counter;
  }
}

WinUpTimeSource::~WinUpTimeSource() {
  if (query_) ::PdhCloseQuery(static_cast<PDH_HQUERY>(query_));
}

int32_t WinUpTimeSource::TickCount() {
  return static_cast<int32_t>(::GetTickCount());
}

std::optional<double> WinUpTimeSource::CounterSeconds() {
  if (!query_ || !counter_) return std::nullopt;
  ::PdhCollectQueryData(static_cast<PDH_HQUERY>(query_));
  PDH_FMT_COUNTERVALUE value{};
  DWORD type = 0;
  if (::PdhGetFormattedCounterValue(static_cast<PDH_HCOUNTER>(counter_), PDH_FMT_DOUBLE, &type,
                                    &value) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (value.CStatus != PDH_CSTATUS_VALID_DATA && value.CStatus != PDH_CSTATUS_NEW_DATA) {
    return std::nullopt;
  }
  return value.doubleValue;
}

}  // namespace skel::monitor::win
