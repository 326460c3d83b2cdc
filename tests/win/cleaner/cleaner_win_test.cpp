// Runs under Wine: the cleaner's adapters against the real profile, process,
// management-service, locale and file calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cleaner/cleaner_adapters_win.h"
#include "cleaner/cleaning_run.h"
#include "common/win/wmi_query_win.h"

namespace skel::cleaner {
namespace {

// A fresh folder under the temp directory, removed with what it holds.
class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "cleaner_win_test_" + std::to_string(::GetCurrentProcessId()) +
            "_" + std::to_string(counter_++);
    ::CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((path_ + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        std::string full = path_ + "\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          ::RemoveDirectoryA(full.c_str());
        } else {
          ::DeleteFileA(full.c_str());
        }
      } while (::FindNextFileA(find, &data));
      ::FindClose(find);
    }
    ::RemoveDirectoryA(path_.c_str());
  }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  static inline int counter_ = 0;
  std::string path_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string OwnExeName() {
  char path[MAX_PATH];
  DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string full(path, n);
  return full.substr(full.find_last_of('\\') + 1);
}

TEST(IniProfileReader, ReadsSectionMainAndCutsLongValues) {
  TempFolder dir;
  std::string ini = dir / "Vardolin.ini";
  {
    std::ofstream out(ini, std::ios::binary);
    out << "[other]\r\nfilecache=True\r\n[main]\r\nlogfileenabled= yes \r\nlogfilelist="
        << std::string(5000, 'a') << "\r\n";
  }
  win::IniProfileReader reader(ini);
  EXPECT_EQ(reader.ReadValue("filecache", kProfileBufferChars), "");
  EXPECT_EQ(reader.ReadValue("logfileenabled", kProfileBufferChars), "yes");
  EXPECT_EQ(reader.ReadValue("logfilelist", kProfileBufferChars), std::string(4095, 'a'));
  EXPECT_EQ(reader.ReadValue("missing", kProfileBufferChars), "");

  win::IniProfileReader absent(dir / "none.ini");
  EXPECT_EQ(absent.ReadValue("filecache", kProfileBufferChars), "");
  CleanerSettings s = LoadCleanerSettings(reader);
  EXPECT_FALSE(s.filecache);
  EXPECT_FALSE(s.logfileenabled);
}

TEST(CleanerIniPath, IsTheProgramFolderAndTheFileName) {
  char path[MAX_PATH];
  DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string full(path, n);
  EXPECT_EQ(win::CleanerIniPath(), full.substr(0, full.find_last_of('\\')) + "\\Vardolin.ini");
}

TEST(ProcessAccess, SnapshotListsThisProcessWhichCanBeMeasuredAndTrimmed) {
  win::ToolhelpProcessTable table;
  std::vector<ProcessEntry> entries;
  ASSERT_TRUE(table.Snapshot(entries));
  EXPECT_GT(entries.size(), 1u);
  const DWORD self = ::GetCurrentProcessId();
  auto it = std::find_if(entries.begin(), entries.end(),
                         [&](const ProcessEntry& e) { return e.pid == self; });
  ASSERT_NE(it, entries.end());
  EXPECT_EQ(it->exeFile, OwnExeName());

  win::WinProcessMemory memory;
  WorkingSetReading reading = memory.ReadWorkingSet(self);
  EXPECT_TRUE(reading.opened);
  EXPECT_GT(reading.workingSet, 0u);
  memory.TrimWorkingSet(self);
  // An identifier no process has cannot be opened; the trim is a no-op.
  WorkingSetReading none = memory.ReadWorkingSet(0xFFFFFFF0u);
  EXPECT_FALSE(none.opened);
  EXPECT_EQ(none.workingSet, 0u);
  memory.TrimWorkingSet(0xFFFFFFF0u);
}

TEST(WmiCommandLine, QueryTextAndOwnCommandLine) {
  EXPECT_EQ(win::CommandLineQueryText(4242),
            "Select * from Win32_Process where ProcessID = \"4242\"");
  skel::win::ComScope com;
  win::WmiCommandLineQuery query;
  EXPECT_EQ(query.CommandLine(::GetCurrentProcessId()), std::string(::GetCommandLineA()));
  EXPECT_EQ(query.CommandLine(0xFFFFFFF0u), "");
}

TEST(WmiConnection, QueriesObjectsAndReadsPropertiesAsText) {
  skel::win::ComScope com;
  skel::win::WmiConnection wmi;
  // Not connected yet: nothing can be asked.
  EXPECT_EQ(wmi.Query("Select * from Win32_Process", [](IWbemClassObject&) { return true; }),
            skel::win::WmiQueryResult::kFailed);
  ASSERT_TRUE(wmi.Connect());
  std::vector<std::string> names;
  std::optional<std::string> missing = std::string("x");
  std::optional<std::string> pid;
  auto result =
      wmi.Query("Select * from Win32_Process where ProcessID = \"" +
                    std::to_string(::GetCurrentProcessId()) + "\"",
                [&](IWbemClassObject& object) {
                  names.push_back(skel::win::WmiPropertyText(object, L"Name").value_or("?"));
                  pid = skel::win::WmiPropertyText(object, L"ProcessId");  // a number, as text
                  missing = skel::win::WmiPropertyText(object, L"NoSuchProperty");
                  return true;
                });
  EXPECT_EQ(result, skel::win::WmiQueryResult::kComplete);
  EXPECT_EQ(names, std::vector<std::string>{OwnExeName()});
  EXPECT_EQ(pid, std::to_string(::GetCurrentProcessId()));
  EXPECT_EQ(missing, std::nullopt);

  // The visitor can stop the walk after the first object.
  int seen = 0;
  wmi.Query("Select * from Win32_Process", [&](IWbemClassObject&) { return ++seen < 1; });
  EXPECT_EQ(seen, 1);
  // A malformed query yields no object and does not hang the caller.
  bool visited = false;
  EXPECT_NE(wmi.Query("this is not a query", [&](IWbemClassObject&) { return visited = true; }),
            skel::win::WmiQueryResult::kTimedOut);
  EXPECT_FALSE(visited);
}

TEST(FileLogAppender, AppendsLinesAndSilentlyDropsUnwritablePaths) {
  TempFolder dir;
  win::FileLogAppender log;
  std::string path = dir / "vardolin.log";
  log.AddToLog(path, "first");
  log.AddToLog(path, "second\r\n\ttab");
  log.AddToLog(path, "");
  EXPECT_EQ(ReadFile(path), "first\r\nsecond\r\n\ttab\r\n\r\n");

  // None of these may create anything or fail loudly.
  ::CreateDirectoryA((dir / "folder").c_str(), nullptr);
  log.AddToLog("", "x");
  log.AddToLog(dir / "folder", "x");
  log.AddToLog(dir / "missing\\v.log", "x");
  EXPECT_FALSE(Exists(dir / "missing"));

  // A file that another program holds without sharing: the line is lost and
  // the next attempt, once the file is free again, goes through.
  HANDLE locked = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  log.AddToLog(path, "lost");
  ::CloseHandle(locked);
  log.AddToLog(path, "kept");
  EXPECT_EQ(ReadFile(path), "first\r\nsecond\r\n\ttab\r\n\r\nkept\r\n");
}

TEST(UserLocaleText, LowersByTheCodePageAndStampsDateAndTime) {
  win::UserLocaleText locale;
  EXPECT_EQ(locale.Lower("NotePad.EXE"), "notepad.exe");
  if (::GetACP() == 1252) {
    EXPECT_EQ(locale.Lower("\xC4PFEL.EXE"), "\xE4pfel.exe");
  }
  LocalStamp stamp = locale.Now();
  EXPECT_FALSE(stamp.date.empty());
  // The long time format carries the seconds.
  EXPECT_GE(std::count(stamp.time.begin(), stamp.time.end(), ':'), 2);
}

// The whole walk with the real ports, logging this very process.
TEST(ReleaseSystemRam, LogsThisProcessWithItsIdentifierAndCommandLine) {
  TempFolder dir;
  skel::win::ComScope com;
  win::IniProfileReader profile(dir / "none.ini");
  win::ToolhelpProcessTable processes;
  win::WinProcessMemory memory;
  win::WmiCommandLineQuery commandLines;
  win::TokenPrivileges privileges;
  win::SystemFileCache fileCache;
  win::UserLocaleText locale;
  win::FileLogAppender log;
  CleanerPorts ports{profile, processes, memory, commandLines, privileges, fileCache, locale, log};
  CleanerSettings s;
  s.filecache = true;
  s.onlylistenable = true;  // with an empty only list nothing else is trimmed
  s.logfileenabled = true;
  s.logfilepath = dir / "v.log";
  s.logfilelist = {OwnExeName()};
  ClearFileCache(ports);
  std::vector<std::string> lines = ReleaseSystemRam(s, ports);
  ASSERT_EQ(lines.size(), 1u);
  const std::string pid = ", PID: " + std::to_string(::GetCurrentProcessId()) + "\r\n\t";
  EXPECT_NE(lines[0].find(pid + ::GetCommandLineA()), std::string::npos) << lines[0];
  EXPECT_EQ(lines[0].find(OwnExeName() + ", "), 0u);
  EXPECT_EQ(lines[0].find("0 Bytes"), std::string::npos) << lines[0];
  std::string file = ReadFile(s.logfilepath);
  EXPECT_EQ(file.find("Vardolin stats: "), 0u);
  EXPECT_NE(file.find("\r\n" + lines[0] + "\r\n" + std::string(62, '-') + "\r\n\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace skel::cleaner
