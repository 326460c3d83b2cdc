// The narrow interfaces through which the cleaner's logic reaches the
// system. Each has one Windows implementation (*_win.cpp) and, in the tests,
// a fake.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skel::cleaner {

// One key of section "main" of the cleaner's INI file. `bufferChars` is the
// size of the buffer the value is read into, terminator included, so a value
// comes back with at most bufferChars - 1 characters. Missing file or key:
// the empty text.
class ProfileReader {
 public:
  virtual ~ProfileReader() = default;
  virtual std::string ReadValue(std::string_view key, size_t bufferChars) = 0;
};

// One entry of a process snapshot: the identifier and the bare executable
// file name, as the snapshot reports them.
struct ProcessEntry {
  uint32_t pid = 0;
  std::string exeFile;
};

class ProcessTable {
 public:
  virtual ~ProcessTable() = default;
  // Takes a fresh snapshot of every process. False when no snapshot could be
  // taken; `entries` is then left empty.
  virtual bool Snapshot(std::vector<ProcessEntry>& entries) = 0;
};

// What opening a process and reading its memory counters gave.
struct WorkingSetReading {
  bool opened = false;      // the process could be opened with all access
  uint64_t workingSet = 0;  // bytes; 0 when the counters could not be read
};

class ProcessMemory {
 public:
  virtual ~ProcessMemory() = default;
  // Opens the process, reads its working-set size and closes it again.
  virtual WorkingSetReading ReadWorkingSet(uint32_t pid) = 0;
  // Opens the process, empties its working set (EmptyWorkingSet) and closes
  // it again. Nothing is reported: a process that cannot be opened is simply
  // not trimmed.
  virtual void TrimWorkingSet(uint32_t pid) = 0;
};

class CommandLineQuery {
 public:
  virtual ~CommandLineQuery() = default;
  // The command line the management service reports for the process; the
  // empty text when it reports none or does not answer.
  virtual std::string CommandLine(uint32_t pid) = 0;
};

class Privileges {
 public:
  virtual ~Privileges() = default;
  // Enables one privilege in the program's own token; true when enabled.
  virtual bool Enable(std::string_view name) = 0;
};

class FileCache {
 public:
  virtual ~FileCache() = default;
  // Asks the system to empty the working set of its file cache. The outcome
  // is not looked at.
  virtual void RequestTrim() = 0;
};

// The user's short date and long time of one moment.
struct LocalStamp {
  std::string date;
  std::string time;
};

class LocaleText {
 public:
  virtual ~LocaleText() = default;
  virtual LocalStamp Now() = 0;
  // Lower case by the system's rules for the ANSI code page.
  virtual std::string Lower(std::string_view text) = 0;
};

class LogAppender {
 public:
  virtual ~LogAppender() = default;
  // Appends `line` and a line break to the file at `path`, opening and
  // closing the file for this one line. Failures are swallowed.
  virtual void AddToLog(const std::string& path, const std::string& line) = 0;
};

// Everything one cleaning run needs.
struct CleanerPorts {
  ProfileReader& profile;
  ProcessTable& processes;
  ProcessMemory& memory;
  CommandLineQuery& commandLines;
  Privileges& privileges;
  FileCache& fileCache;
  LocaleText& locale;
  LogAppender& log;
};

}  // namespace skel::cleaner
