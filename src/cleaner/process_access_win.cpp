// Toolhelp snapshots and the per-process memory calls.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstring>

#include "cleaner/cleaner_adapters_win.h"
#include "common/win/unique_any.h"

namespace skel::cleaner::win {
namespace {

// All access as the classic SDKs define it; every system since grants it to
// whoever may open the process at all.
constexpr DWORD kProcessAllAccess = 0x1F0FFF;
constexpr DWORD kSnapshotFlags = TH32CS_SNAPALL;  // 0xF

}  // namespace

bool ToolhelpProcessTable::Snapshot(std::vector<ProcessEntry>& entries) {
  entries.clear();
  skel::win::UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(kSnapshotFlags, 0));
  if (!snapshot) return false;
  PROCESSENTRY32 entry;
  std::memset(&entry, 0, sizeof entry);
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot.get(), &entry); more;
       more = ::Process32Next(snapshot.get(), &entry)) {
    entries.push_back(ProcessEntry{
        entry.th32ProcessID,
        std::string(entry.szExeFile, strnlen(entry.szExeFile, sizeof entry.szExeFile))});
  }
  return true;
}

WorkingSetReading WinProcessMemory::ReadWorkingSet(uint32_t pid) {
  WorkingSetReading reading;
  skel::win::UniqueHandle process(::OpenProcess(kProcessAllAccess, FALSE, pid));
  if (!process) return reading;
  reading.opened = true;
  PROCESS_MEMORY_COUNTERS counters;
  std::memset(&counters, 0, sizeof counters);
  if (::GetProcessMemoryInfo(process.get(), &counters, sizeof counters)) {
    reading.workingSet = counters.WorkingSetSize;
  }
  return reading;
}

void WinProcessMemory::TrimWorkingSet(uint32_t pid) {
  // When the open fails there is nothing to trim; the call is skipped.
  skel::win::UniqueHandle process(::OpenProcess(kProcessAllAccess, FALSE, pid));
  if (process) ::EmptyWorkingSet(process.get());
}

}  // namespace skel::cleaner::win
