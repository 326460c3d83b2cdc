#include "cleaner/cleaner_log.h"

#include <gtest/gtest.h>

#include "cleaner/cleaning_run.h"
#include "common/number_format.h"
#include "fake_cleaner_ports.h"

namespace skel::cleaner {
namespace {

using testing::FakeProfile;
using testing::FakeSystem;

// The whole file a run leaves, byte for byte: header, column line, rules,
// two-line entries in snapshot order, the closing empty line.
TEST(CleanerLog, RunAppendsTheExactBlock) {
  FakeSystem sys;
  sys.Add(4, "System", 0);
  sys.Add(4242, "notepad.exe", 5459968, "\"C:\\Windows\\notepad.exe\" C:\\a.txt").trimmedTo =
      135168;
  sys.Add(17, "EXPLORER.EXE", 1152, "C:\\Windows\\explorer.exe").trimmedTo = 1048575;
  FakeProfile profile;
  profile.values = {{"logfileenabled", "true"},
                    {"logfilepath", "C:\\logs\\vardolin.log"},
                    {"logfilelist", " notepad.exe , explorer"}};
  CleanerPorts ports = sys.Ports(profile);
  CleaningRun run(ports);
  run.LoadSettings();
  run.Run();
  const std::string rule(62, '-');
  const std::string expected =
      "Vardolin stats: 24/03/2025 14:05:09\r\n"
      "Process monitored - Memory usage - PID - Process path\r\n" +
      rule +
      "\r\n"
      "notepad.exe, 5.21 MB ==> 132.00 KB, PID: 4242\r\n"
      "\t\"C:\\Windows\\notepad.exe\" C:\\a.txt\r\n"
      "explorer, 1.13 KB ==> 1,024.00 KB, PID: 17\r\n"
      "\tC:\\Windows\\explorer.exe\r\n" +
      rule + "\r\n\r\n";
  ASSERT_EQ(sys.files.size(), 1u);
  EXPECT_EQ(sys.files["C:\\logs\\vardolin.log"], expected);
}

TEST(CleanerLog, BlocksAreAppendedAndLocaleSeparatorsApply) {
  LocaleSeparators saved = CurrentSeparators();
  SetCurrentSeparators(LocaleSeparators{",", "."});
  std::string line = LogLineStart("app", 1536);
  FinishLogLine(line, 1234567, 1234567, "");
  SetCurrentSeparators(saved);
  // The identifier is never grouped.
  EXPECT_EQ(line, "app, 1,50 KB ==> 1,18 MB, PID: 1234567\r\n\t");

  FakeSystem sys;
  AppendLogBlock(sys, "v.log", {"d1", "t1"}, {"a"});
  AppendLogBlock(sys, "v.log", {"d2", "t2"}, {"b", "c"});
  const std::string& file = sys.files["v.log"];
  EXPECT_EQ(file.find("Vardolin stats: d1 t1\r\n"), 0u);
  EXPECT_NE(file.find("\r\n\r\nVardolin stats: d2 t2\r\n"), std::string::npos);
  EXPECT_EQ(LogBlock({"d", "t"}, {"b", "c"}).size(), 7u);
}

TEST(CleanerLog, DeniedLineIsLostAndTheNextOneIsTriedAgain) {
  FakeSystem sys;
  sys.deniedLogPaths = {"locked.log"};
  AppendLogBlock(sys, "locked.log", {"d", "t"}, {"a"});
  EXPECT_EQ(std::count(sys.trace.begin(), sys.trace.end(), "log"), 6);
  EXPECT_TRUE(sys.files.empty());
}

}  // namespace
}  // namespace skel::cleaner
