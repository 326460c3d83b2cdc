// The Windows side of the cleaner's ports: the profile functions, Toolhelp
// snapshots, the process memory calls, the management service, the token,
// the file cache request, the user's locale and the log file.
#pragma once

#include <string>

#include "cleaner/cleaner_ports.h"
#include "common/win/wmi_query_win.h"

namespace skel::cleaner::win {

// The program's own folder followed by "\Vardolin.ini".
std::string CleanerIniPath();

class IniProfileReader : public ProfileReader {
 public:
  explicit IniProfileReader(std::string path) : path_(std::move(path)) {}
  std::string ReadValue(std::string_view key, size_t bufferChars) override;

 private:
  std::string path_;
};

class ToolhelpProcessTable : public ProcessTable {
 public:
  bool Snapshot(std::vector<ProcessEntry>& entries) override;
};

class WinProcessMemory : public ProcessMemory {
 public:
  WorkingSetReading ReadWorkingSet(uint32_t pid) override;
  void TrimWorkingSet(uint32_t pid) override;
};

// Connects on first use and keeps the connection for the run. A service that
// cannot be reached or stops answering is not asked again: each later
// process simply has no command line.
class WmiCommandLineQuery : public CommandLineQuery {
 public:
  explicit WmiCommandLineQuery(long timeoutMs = 1000) : timeoutMs_(timeoutMs) {}
  std::string CommandLine(uint32_t pid) override;

 private:
  long timeoutMs_;
  bool tried_ = false;
  bool givenUp_ = false;
  skel::win::WmiConnection connection_;
};

// The management service's query for one process.
std::string CommandLineQueryText(uint32_t pid);

class TokenPrivileges : public Privileges {
 public:
  bool Enable(std::string_view name) override;
};

class SystemFileCache : public FileCache {
 public:
  void RequestTrim() override;
};

class UserLocaleText : public LocaleText {
 public:
  LocalStamp Now() override;
  std::string Lower(std::string_view text) override;
};

class FileLogAppender : public LogAppender {
 public:
  void AddToLog(const std::string& path, const std::string& line) override;
};

// Dispatches the messages already waiting for this thread, so the hidden
// window stays responsive between steps. A quit request is put back.
void ProcessPendingMessages();

}  // namespace skel::cleaner::win
