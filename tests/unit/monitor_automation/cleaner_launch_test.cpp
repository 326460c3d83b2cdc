#include "monitor/automation/cleaner_launch.h"

#include <gtest/gtest.h>

#include <cstring>

#include "automation_fixture.h"

namespace skel::monitor::testing {
namespace {

TEST(FileInFolderTest, JoinsWithOneBackslash) {
  EXPECT_EQ(FileInFolder("C:\\Program Files\\Skelvane", "vardolin.exe"),
            "C:\\Program Files\\Skelvane\\vardolin.exe");
  EXPECT_EQ(FileInFolder("D:\\", "vardolin.exe"), "D:\\vardolin.exe");
  EXPECT_EQ(FileInFolder("", "control.exe"), "\\control.exe");
}

class MenuLaunchTest : public AutomationFixture {};

TEST_F(MenuLaunchTest, EachItemStartsItsProgramAsTheMenuSays) {
  Start();
  automation->RunCleaner();
  automation->StartSettingsWizard();
  automation->ChangeAutoRuntime();
  ASSERT_EQ(launcher.starts.size(), 3u);
  EXPECT_EQ(launcher.starts[0].path, "C:\\Program Files\\Skelvane\\vardolin.exe");
  EXPECT_EQ(launcher.starts[0].arguments, "");
  EXPECT_EQ(launcher.starts[0].showState, 1);
  EXPECT_EQ(launcher.starts[1].path, "C:\\Program Files\\Skelvane\\Vardolin_Settings.exe");
  EXPECT_EQ(launcher.starts[1].arguments, "");
  EXPECT_EQ(launcher.starts[1].showState, 0);
  EXPECT_EQ(launcher.starts[2].path, "C:\\Windows\\system32\\control.exe");
  EXPECT_EQ(launcher.starts[2].arguments, "schedtasks");
  EXPECT_EQ(launcher.starts[2].showState, 1);
}

TEST_F(MenuLaunchTest, MissingProgramsAreHarmless) {
  Start();
  launcher.succeed = false;
  int before = pumps;
  automation->RunCleaner();
  automation->StartSettingsWizard();
  EXPECT_EQ(pumps, before + 2);  // messages run after each start, failed or not
  EXPECT_EQ(launcher.starts.size(), 2u);
}

// A system query that holds `text`, following the buffer protocol.
struct FakeQuery {
  std::string text;
  bool failSecond = false;
  int calls = 0;
  uint32_t operator()(char* buffer, uint32_t size) {
    ++calls;
    if (calls > 1 && failSecond) return 0;
    if (text.size() + 1 > size) return static_cast<uint32_t>(text.size() + 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<uint32_t>(text.size());
  }
};

TEST(ReadSystemTextTest, RetriesOnceWithTheSizeAskedFor) {
  std::string longDir = "C:\\" + std::string(600, 'w');
  struct Case {
    std::string text;
    bool failSecond;
    std::string expected;
    int calls;
  } cases[] = {
      {"C:\\Windows\\system32", false, "C:\\Windows\\system32", 1},
      {std::string(511, 's'), false, std::string(511, 's'), 1},  // fits with its terminator
      {std::string(512, 's'), false, std::string(512, 's'), 2},  // one too long
      {longDir, false, longDir, 2},
      {longDir, true, "", 2},
      {"", false, "", 1},  // 0 reads as failure
  };
  for (const auto& tc : cases) {
    FakeQuery query{tc.text, tc.failSecond};
    EXPECT_EQ(ReadSystemText(std::ref(query)), tc.expected);
    EXPECT_EQ(query.calls, tc.calls);
  }
}

}  // namespace
}  // namespace skel::monitor::testing
