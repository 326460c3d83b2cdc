#include "cleaner/cleaning_run.h"

#include "cleaner/cleaner_log.h"
#include "cleaner/process_match.h"

namespace skel::cleaner {
namespace {

// The second snapshot finds the process again; one that ended meanwhile gets
// no log line.
const ProcessEntry* FindProcess(const std::vector<ProcessEntry>& snapshot, uint32_t pid) {
  for (const auto& entry : snapshot) {
    if (entry.pid == pid) return &entry;
  }
  return nullptr;
}

}  // namespace

int TrimCount(const CleanerSettings& s, bool ignoreMark, bool onlyMark) {
  int count = 0;
  if (s.allprocessenable) ++count;
  if (s.ignorelistenable && !ignoreMark) ++count;
  if (s.onlylistenable && onlyMark) ++count;
  if (!s.allprocessenable && !s.ignorelistenable && !s.onlylistenable) ++count;
  return count;
}

void ClearFileCache(CleanerPorts& ports) {
  ports.privileges.Enable("SeIncreaseQuotaPrivilege");
  ports.fileCache.RequestTrim();
}

std::vector<std::string> ReleaseSystemRam(const CleanerSettings& s, CleanerPorts& ports) {
  std::vector<std::string> logLines;
  ports.privileges.Enable("SeDebugPrivilege");

  const ProcessList ignoreList(s.ignorelistenable, s.ignorelist, ports.locale);
  const ProcessList onlyList(s.onlylistenable, s.onlylist, ports.locale);
  const ProcessList logList(s.logfileenabled, s.logfilelist, ports.locale);

  std::vector<ProcessEntry> snapshot;
  ports.processes.Snapshot(snapshot);
  std::vector<ProcessEntry> again;
  for (const auto& process : snapshot) {
    const bool anyList = !ignoreList.empty() || !onlyList.empty() || !logList.empty();
    const std::string lowered = anyList ? ports.locale.Lower(process.exeFile) : std::string();
    const bool ignoreMark = !ignoreList.empty() && ignoreList.FirstMatch(lowered);
    const bool onlyMark = !onlyList.empty() && onlyList.FirstMatch(lowered);
    const std::string* logEntry = logList.empty() ? nullptr : logList.FirstMatch(lowered);

    std::string line;
    if (logEntry)
      line = LogLineStart(*logEntry, ports.memory.ReadWorkingSet(process.pid).workingSet);

    for (int n = TrimCount(s, ignoreMark, onlyMark); n > 0; --n) {
      ports.memory.TrimWorkingSet(process.pid);
    }

    if (!logEntry) continue;
    again.clear();
    ports.processes.Snapshot(again);
    if (!FindProcess(again, process.pid)) continue;
    const WorkingSetReading after = ports.memory.ReadWorkingSet(process.pid);
    // Only a process that could be opened is asked about its command line.
    const std::string commandLine =
        after.opened ? ports.commandLines.CommandLine(process.pid) : std::string();
    FinishLogLine(line, after.workingSet, process.pid, commandLine);
    logLines.push_back(std::move(line));
  }

  if (s.logfileenabled && !logLines.empty()) {
    AppendLogBlock(ports.log, s.logfilepath, ports.locale.Now(), logLines);
  }
  return logLines;
}

void CleaningRun::Run() {
  if (settings_.filecache) ClearFileCache(ports_);
  ReleaseSystemRam(settings_, ports_);
}

}  // namespace skel::cleaner
