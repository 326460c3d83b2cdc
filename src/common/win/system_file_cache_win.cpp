#include "common/win/system_file_cache_win.h"

#include <windows.h>

#include <cstring>

#include "common/win/privilege_win.h"

namespace skel::win {
namespace {

constexpr ULONG kSystemFileCacheInformation = 21;

// The system's own record in the native pointer width: 64 bytes on x64, where
// a 48-byte buffer is refused with a length mismatch.
struct NativeFileCacheInformation {
  SIZE_T CurrentSize;
  SIZE_T PeakSize;
  ULONG PageFaultCount;
  SIZE_T MinimumWorkingSet;
  SIZE_T MaximumWorkingSet;
  SIZE_T CurrentSizeIncludingTransitionInPages;
  SIZE_T PeakSizeIncludingTransitionInPages;
  ULONG TransitionRePurposeCount;
  ULONG Flags;
};

using NtQuerySystemInformationFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
using NtSetSystemInformationFn = LONG(WINAPI*)(ULONG, PVOID, ULONG);

template <typename Fn>
Fn NtFunction(const char* name) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (!ntdll) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(ntdll, name)));
}

}  // namespace

bool QueryFileCache(FileCacheRecord& record) {
  EnablePrivilege("SeIncreaseQuotaPrivilege");
  record = FileCacheRecord{};
  auto query = NtFunction<NtQuerySystemInformationFn>("NtQuerySystemInformation");
  if (!query) return false;
  NativeFileCacheInformation native;
  std::memset(&native, 0, sizeof native);
  LONG status = query(kSystemFileCacheInformation, &native, sizeof native, nullptr);
  if (status < 0) return false;
  record.CurrentSize = static_cast<uint32_t>(native.CurrentSize);
  record.PeakSize = static_cast<uint32_t>(native.PeakSize);
  record.PageFaultCount = native.PageFaultCount;
  record.MinimumWorkingSet = static_cast<uint32_t>(native.MinimumWorkingSet);
  record.MaximumWorkingSet = static_cast<uint32_t>(native.MaximumWorkingSet);
  record.CurrentSizeIncludingTransitionInPages =
      static_cast<uint32_t>(native.CurrentSizeIncludingTransitionInPages);
  record.PeakSizeIncludingTransitionInPages =
      static_cast<uint32_t>(native.PeakSizeIncludingTransitionInPages);
  return true;
}

long RequestFileCacheTrim(const FileCacheRecord& record) {
  auto set = NtFunction<NtSetSystemInformationFn>("NtSetSystemInformation");
  if (!set) return -1;
  NativeFileCacheInformation native;
  std::memset(&native, 0, sizeof native);
  native.CurrentSize = record.CurrentSize;
  native.PeakSize = record.PeakSize;
  native.PageFaultCount = record.PageFaultCount;
  // "All ones" in the native width asks the system to empty the working set.
  native.MinimumWorkingSet = static_cast<SIZE_T>(-1);
  native.MaximumWorkingSet = static_cast<SIZE_T>(-1);
  native.CurrentSizeIncludingTransitionInPages = record.CurrentSizeIncludingTransitionInPages;
  native.PeakSizeIncludingTransitionInPages = record.PeakSizeIncludingTransitionInPages;
  return set(kSystemFileCacheInformation, &native, sizeof native);
}

}  // namespace skel::win
