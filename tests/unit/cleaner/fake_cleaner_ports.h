// In-memory stand-ins for the cleaner's ports. One trace of every call, in
// order, lets tests check what the run did and when.
#pragma once

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "cleaner/cleaner_ports.h"

namespace skel::cleaner::testing {

class FakeProfile : public ProfileReader {
 public:
  std::map<std::string, std::string, std::less<>> values;
  std::vector<std::string> reads;

  std::string ReadValue(std::string_view key, size_t bufferChars) override {
    reads.emplace_back(key);
    auto it = values.find(key);
    if (it == values.end()) return {};
    // The profile call fills the buffer and keeps the last slot for the
    // terminator.
    return it->second.substr(0, bufferChars - 1);
  }
};

struct FakeProcess {
  uint32_t pid;
  std::string exeFile;
  uint64_t workingSet = 0;
  std::string commandLine;
  bool canOpen = true;
  bool countersReadable = true;
  uint64_t trimmedTo = 0;  // working set after a trim
  bool endsAfterTrim = false;
};

class FakeSystem : public ProcessTable,
                   public ProcessMemory,
                   public CommandLineQuery,
                   public Privileges,
                   public FileCache,
                   public LocaleText,
                   public LogAppender {
 public:
  std::vector<FakeProcess> table;
  bool snapshotFails = false;
  std::vector<std::string> trace;
  std::map<uint32_t, int> trims;
  std::map<uint32_t, int> reads;
  std::vector<std::string> commandLineQueries;
  std::set<std::string> deniedLogPaths;
  std::map<std::string, std::string> files;  // path -> content
  LocalStamp stamp{"24/03/2025", "14:05:09"};

  CleanerPorts Ports(ProfileReader& profile) {
    return CleanerPorts{profile, *this, *this, *this, *this, *this, *this, *this};
  }

  FakeProcess& Add(uint32_t pid, std::string exe, uint64_t ws = 0, std::string cmd = {}) {
    table.push_back(FakeProcess{pid, std::move(exe), ws, std::move(cmd)});
    return table.back();
  }

  bool Snapshot(std::vector<ProcessEntry>& entries) override {
    trace.push_back("snapshot");
    entries.clear();
    if (snapshotFails) return false;
    for (const auto& p : table) entries.push_back(ProcessEntry{p.pid, p.exeFile});
    return true;
  }

  WorkingSetReading ReadWorkingSet(uint32_t pid) override {
    trace.push_back("read " + std::to_string(pid));
    ++reads[pid];
    FakeProcess* p = Find(pid);
    if (!p || !p->canOpen) return {};
    return {true, p->countersReadable ? p->workingSet : 0};
  }

  void TrimWorkingSet(uint32_t pid) override {
    trace.push_back("trim " + std::to_string(pid));
    ++trims[pid];
    FakeProcess* p = Find(pid);
    if (!p || !p->canOpen) return;
    p->workingSet = p->trimmedTo;
    if (p->endsAfterTrim) {
      std::erase_if(table, [pid](const FakeProcess& q) { return q.pid == pid; });
    }
  }

  std::string CommandLine(uint32_t pid) override {
    commandLineQueries.push_back(std::to_string(pid));
    FakeProcess* p = Find(pid);
    return p ? p->commandLine : std::string();
  }

  bool Enable(std::string_view name) override {
    trace.push_back("privilege " + std::string(name));
    return true;
  }

  void RequestTrim() override { trace.push_back("file cache"); }

  LocalStamp Now() override { return stamp; }

  std::string Lower(std::string_view text) override {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
  }

  void AddToLog(const std::string& path, const std::string& line) override {
    trace.push_back("log");
    if (path.empty() || deniedLogPaths.count(path)) return;
    files[path] += line + "\r\n";
  }

  int TrimsOf(uint32_t pid) const {
    auto it = trims.find(pid);
    return it == trims.end() ? 0 : it->second;
  }

 private:
  FakeProcess* Find(uint32_t pid) {
    for (auto& p : table) {
      if (p.pid == pid) return &p;
    }
    return nullptr;
  }
};

}  // namespace skel::cleaner::testing
