#include "cleaner/cleaning_run.h"

#include <gtest/gtest.h>

#include "cleaner/process_match.h"
#include "fake_cleaner_ports.h"

namespace skel::cleaner {
namespace {

using testing::FakeProfile;
using testing::FakeSystem;
using V = std::vector<std::string>;

TEST(ProcessList, EntrySelectsByCaseInsensitivePrefixOfTheExecutableName) {
  FakeSystem sys;
  struct Case {
    const char* entry;
    const char* exe;
    bool selects;
  };
  const Case cases[] = {
      {"note", "notepad.exe", true},
      {"NOTEPAD.EXE", "notepad.exe", true},
      {"notepad.exe", "NotePad.EXE", true},
      {"pad.exe", "notepad.exe", false},
      {"notepad.exe", "notepad.exe.old", true},
      {"notepad.exe.old", "notepad.exe", false},
      {"C:\\Windows\\notepad.exe", "notepad.exe", false},
  };
  for (const auto& c : cases) {
    const V entries{c.entry};
    ProcessList list(true, entries, sys);
    EXPECT_EQ(list.FirstMatch(sys.Lower(c.exe)) != nullptr, c.selects) << c.entry << " / " << c.exe;
  }
}

TEST(ProcessList, FirstMatchingEntryWinsAndKeepsItsOwnCase) {
  FakeSystem sys;
  const V entries{"chrome", "Note", "notepad.exe"};
  ProcessList list(true, entries, sys);
  const std::string* hit = list.FirstMatch("notepad.exe");
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(*hit, "Note");
  EXPECT_TRUE(ProcessList(false, entries, sys).empty());
}

// Three processes and every combination of the selection flags: how often
// each one is trimmed.
TEST(ReleaseSystemRam, SelectionFlagsCombineAsFourIndependentTrimTests) {
  struct Case {
    const char* name;
    bool all, ignore, only;
    V ignoreList, onlyList;
    int notepad, firefox, vardolin;
  };
  const Case cases[] = {
      {"no flag", false, false, false, {}, {}, 1, 1, 1},
      {"every process", true, false, false, {}, {}, 1, 1, 1},
      {"ignore list", false, true, false, {"note"}, {}, 0, 1, 1},
      {"empty ignore list", false, true, false, {}, {}, 1, 1, 1},
      {"only list", false, false, true, {}, {"FIRE"}, 0, 1, 0},
      {"empty only list", false, false, true, {}, {}, 0, 0, 0},
      {"all + ignore", true, true, false, {"note"}, {}, 1, 2, 2},
      {"ignore + only", false, true, true, {"note"}, {"note", "fire"}, 1, 2, 1},
      {"all three", true, true, true, {"note"}, {"note", "fire"}, 2, 3, 2},
      {"all three, empty lists", true, true, true, {}, {}, 2, 2, 2},
      // Lists are only consulted when their flag is on.
      {"lists without flags", false, false, false, {"note"}, {"fire"}, 1, 1, 1},
  };
  for (const auto& c : cases) {
    FakeSystem sys;
    sys.Add(10, "notepad.exe");
    sys.Add(20, "firefox.exe");
    sys.Add(30, "Vardolin.exe");
    FakeProfile profile;
    CleanerPorts ports = sys.Ports(profile);
    CleanerSettings s;
    s.allprocessenable = c.all;
    s.ignorelistenable = c.ignore;
    s.onlylistenable = c.only;
    s.ignorelist = c.ignoreList;
    s.onlylist = c.onlyList;
    EXPECT_TRUE(ReleaseSystemRam(s, ports).empty()) << c.name;
    EXPECT_EQ(sys.TrimsOf(10), c.notepad) << c.name;
    EXPECT_EQ(sys.TrimsOf(20), c.firefox) << c.name;
    EXPECT_EQ(sys.TrimsOf(30), c.vardolin) << c.name;
    EXPECT_TRUE(sys.reads.empty()) << c.name;  // nothing measured without logging
    EXPECT_TRUE(sys.files.empty()) << c.name;
  }
}

TEST(CleaningRun, NoIniTrimsEveryProcessOnceLeavesTheCacheAndWritesNoLog) {
  FakeSystem sys;
  sys.Add(10, "notepad.exe");
  sys.Add(20, "firefox.exe");
  FakeProfile profile;
  CleanerPorts ports = sys.Ports(profile);
  CleaningRun run(ports);
  run.LoadSettings();
  run.Run();
  EXPECT_EQ(sys.trace, (V{"privilege SeDebugPrivilege", "snapshot", "trim 10", "trim 20"}));
}

TEST(CleaningRun, FileCacheIsClearedWithItsPrivilegeBeforeTheWalk) {
  FakeSystem sys;
  sys.Add(10, "notepad.exe");
  FakeProfile profile;
  profile.values = {{"filecache", "True"}};
  CleanerPorts ports = sys.Ports(profile);
  CleaningRun run(ports);
  run.LoadSettings();
  EXPECT_TRUE(sys.trace.empty());  // loading touches nothing but the INI
  run.Run();
  EXPECT_EQ(sys.trace, (V{"privilege SeIncreaseQuotaPrivilege", "file cache",
                          "privilege SeDebugPrivilege", "snapshot", "trim 10"}));
}

TEST(ReleaseSystemRam, FailedSnapshotTrimsNothingAndLogsNothing) {
  FakeSystem sys;
  sys.Add(10, "notepad.exe");
  sys.snapshotFails = true;
  FakeProfile profile;
  CleanerPorts ports = sys.Ports(profile);
  CleanerSettings s;
  s.logfileenabled = true;
  s.logfilepath = "v.log";
  s.logfilelist = {"note"};
  EXPECT_TRUE(ReleaseSystemRam(s, ports).empty());
  EXPECT_TRUE(sys.trims.empty());
  EXPECT_TRUE(sys.files.empty());
}

// A logged process is measured, trimmed, found again in a second snapshot,
// measured again and asked for its command line, in that order.
TEST(ReleaseSystemRam, LoggedProcessIsMeasuredAroundItsTrim) {
  FakeSystem sys;
  sys.Add(10, "firefox.exe");
  sys.Add(4242, "notepad.exe", 5459968, "notepad.exe C:\\a.txt").trimmedTo = 135168;
  FakeProfile profile;
  CleanerPorts ports = sys.Ports(profile);
  CleanerSettings s;
  s.logfileenabled = true;
  s.logfilepath = "v.log";
  s.logfilelist = {"notepad"};
  V lines = ReleaseSystemRam(s, ports);
  EXPECT_EQ(lines, (V{"notepad, 5.21 MB ==> 132.00 KB, PID: 4242\r\n\tnotepad.exe C:\\a.txt"}));
  EXPECT_EQ(sys.trace,
            (V{"privilege SeDebugPrivilege", "snapshot", "trim 10", "read 4242", "trim 4242",
               "snapshot", "read 4242", "log", "log", "log", "log", "log", "log"}));
}

TEST(ReleaseSystemRam, LoggedProcessOutsideTheOnlyListIsMeasuredTwiceAndNotTrimmed) {
  FakeSystem sys;
  sys.Add(7, "notepad.exe", 3221225472ULL, "np").trimmedTo = 4096;
  FakeProfile profile;
  CleanerPorts ports = sys.Ports(profile);
  CleanerSettings s;
  s.onlylistenable = true;
  s.onlylist = {"firefox"};
  s.logfileenabled = true;
  s.logfilelist = {"notepad"};
  V lines = ReleaseSystemRam(s, ports);
  // The working set is past 2 GB and still reads as unsigned.
  EXPECT_EQ(lines, (V{"notepad, 3.00 GB ==> 3.00 GB, PID: 7\r\n\tnp"}));
  EXPECT_EQ(sys.TrimsOf(7), 0);
  EXPECT_EQ(sys.reads[7], 2);
}

TEST(ReleaseSystemRam, SameNameTwiceGivesTwoLinesInSnapshotOrder) {
  FakeSystem sys;
  sys.Add(300, "notepad.exe", 1023, "first");
  sys.Add(200, "Notepad.exe", 1024, "second");
  FakeProfile profile;
  CleanerPorts ports = sys.Ports(profile);
  CleanerSettings s;
  s.logfileenabled = true;
  s.logfilelist = {"note", "notepad.exe"};
  s.allprocessenable = true;
  // The fake trims to 0 bytes.
  EXPECT_EQ(ReleaseSystemRam(s, ports), (V{"note, 1,023 Bytes ==> 0 Bytes, PID: 300\r\n\tfirst",
                                           "note, 1.00 KB ==> 0 Bytes, PID: 200\r\n\tsecond"}));
}

TEST(ReleaseSystemRam, UnreadableProcessesReadZeroAndUnopenableOnesHaveNoCommandLine) {
  FakeSystem sys;
  auto& locked = sys.Add(1, "csrss.exe", 9999, "csrss");
  locked.canOpen = false;
  auto& blind = sys.Add(2, "csrss.exe", 9999, "blind");
  blind.countersReadable = false;
  FakeProfile profile;
  CleanerPorts ports = sys.Ports(profile);
  CleanerSettings s;
  s.logfileenabled = true;
  s.logfilelist = {"csrss"};
  EXPECT_EQ(ReleaseSystemRam(s, ports), (V{"csrss, 0 Bytes ==> 0 Bytes, PID: 1\r\n\t",
                                           "csrss, 0 Bytes ==> 0 Bytes, PID: 2\r\n\tblind"}));
  EXPECT_EQ(sys.commandLineQueries, (V{"2"}));
}

TEST(ReleaseSystemRam, ProcessThatEndsDuringTheWalkGetsNoLine) {
  FakeSystem sys;
  sys.Add(5, "notepad.exe", 8192, "a").endsAfterTrim = true;
  sys.Add(6, "notepad.exe", 8192, "b");
  FakeProfile profile;
  CleanerPorts ports = sys.Ports(profile);
  CleanerSettings s;
  s.logfileenabled = true;
  s.logfilepath = "v.log";
  s.logfilelist = {"notepad"};
  EXPECT_EQ(ReleaseSystemRam(s, ports), (V{"notepad, 8.00 KB ==> 0 Bytes, PID: 6\r\n\tb"}));
  EXPECT_TRUE(sys.commandLineQueries == V{"6"});

  // When the only logged process ended, not even the header is written.
  FakeSystem lone;
  lone.Add(5, "notepad.exe", 8192, "a").endsAfterTrim = true;
  CleanerPorts lonePorts = lone.Ports(profile);
  EXPECT_TRUE(ReleaseSystemRam(s, lonePorts).empty());
  EXPECT_TRUE(lone.files.empty());
}

TEST(ReleaseSystemRam, NothingIsLoggedWithoutAMeasuredProcess) {
  struct Case {
    const char* name;
    bool enabled;
    V list;
  };
  const Case cases[] = {
      {"logging on, empty list", true, {}},
      {"logging on, nothing listed runs", true, {"chrome"}},
      {"logging off", false, {"notepad"}},
  };
  for (const auto& c : cases) {
    FakeSystem sys;
    sys.Add(1, "notepad.exe", 100);
    FakeProfile profile;
    CleanerPorts ports = sys.Ports(profile);
    CleanerSettings s;
    s.logfileenabled = c.enabled;
    s.logfilepath = "v.log";
    s.logfilelist = c.list;
    EXPECT_TRUE(ReleaseSystemRam(s, ports).empty()) << c.name;
    EXPECT_TRUE(sys.reads.empty()) << c.name;
    EXPECT_EQ(std::count(sys.trace.begin(), sys.trace.end(), "log"), 0) << c.name;
  }
}

TEST(ReleaseSystemRam, EmptyLogPathRunsTheSameButReachesNoFile) {
  FakeSystem sys;
  sys.Add(1, "notepad.exe", 100, "np");
  FakeProfile profile;
  CleanerPorts ports = sys.Ports(profile);
  CleanerSettings s;
  s.logfileenabled = true;
  s.logfilelist = {"notepad"};
  EXPECT_EQ(ReleaseSystemRam(s, ports).size(), 1u);
  EXPECT_EQ(std::count(sys.trace.begin(), sys.trace.end(), "log"), 6);
  EXPECT_TRUE(sys.files.empty());
}

}  // namespace
}  // namespace skel::cleaner
