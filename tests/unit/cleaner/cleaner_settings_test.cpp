#include "cleaner/cleaner_settings.h"

#include <gtest/gtest.h>

#include "fake_cleaner_ports.h"

namespace skel::cleaner {
namespace {

using testing::FakeProfile;

TEST(ConvertFlag, AcceptsBooleanWordsAndNumbersAndIgnoresTheRest) {
  struct Case {
    const char* text;
    bool from;
    bool expected;
  };
  const Case cases[] = {
      {"True", false, true},  {"TRUE", false, true},  {"true", false, true},
      {"False", true, false}, {"fALSE", true, false}, {"1", false, true},
      {"-1", false, true},    {"2.5", false, true},   {" 7 ", false, true},
      {"0", true, false},     {"0.0", true, false},   {"yes", false, false},
      {"yes", true, true},    {"", false, false},     {"", true, true},
      {"on", false, false},   {"1x", false, false},   {"truely", false, false},
  };
  for (const auto& c : cases) {
    bool flag = c.from;
    ConvertFlag(c.text, flag);
    EXPECT_EQ(flag, c.expected) << '"' << c.text << "\" from " << c.from;
  }
}

TEST(SplitList, TrimsSpacesDropsEmptyEntriesAndKeepsCaseAndOrder) {
  using V = std::vector<std::string>;
  struct Case {
    const char* text;
    V expected;
  };
  const Case cases[] = {
      {"notepad.exe, firefox ,,chrome", V{"notepad.exe", "firefox", "chrome"}},
      {",,,", V{}},
      {"", V{}},
      {"   ", V{}},
      {" notepad.exe ", V{"notepad.exe"}},
      {"Note,NOTE,note", V{"Note", "NOTE", "note"}},
      {",a,", V{"a"}},
      {"my app.exe", V{"my app.exe"}},
      {"\ttab ", V{"\ttab"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitList(c.text), c.expected) << '"' << c.text << '"';
}

TEST(LoadCleanerSettings, MissingFileGivesTheDefaultsAndReadsNoList) {
  FakeProfile profile;
  CleanerSettings s = LoadCleanerSettings(profile);
  EXPECT_FALSE(s.filecache);
  EXPECT_FALSE(s.logfileenabled);
  EXPECT_EQ(s.logfilepath, "");
  EXPECT_FALSE(s.allprocessenable);
  EXPECT_FALSE(s.ignorelistenable);
  EXPECT_FALSE(s.onlylistenable);
  EXPECT_TRUE(s.logfilelist.empty() && s.ignorelist.empty() && s.onlylist.empty());
  EXPECT_EQ(profile.reads,
            (std::vector<std::string>{"filecache", "logfileenabled", "logfilepath",
                                      "allprocessenable", "ignorelistenable", "onlylistenable"}));
}

TEST(LoadCleanerSettings, ReadsScalarsThenTheListsWhoseFlagsAreOnInFixedOrder) {
  FakeProfile profile;
  profile.values = {
      {"filecache", "true"},       {"logfileenabled", "1"},    {"logfilepath", "C:\\v.log"},
      {"allprocessenable", "yes"}, {"ignorelistenable", "-1"}, {"onlylistenable", "TRUE"},
      {"logfilelist", "a, b"},     {"ignorelist", "c"},        {"onlylist", " d ,e"}};
  CleanerSettings s = LoadCleanerSettings(profile);
  EXPECT_TRUE(s.filecache);
  EXPECT_TRUE(s.logfileenabled);
  EXPECT_EQ(s.logfilepath, "C:\\v.log");
  EXPECT_FALSE(s.allprocessenable);
  EXPECT_TRUE(s.ignorelistenable);
  EXPECT_TRUE(s.onlylistenable);
  EXPECT_EQ(s.logfilelist, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(s.ignorelist, (std::vector<std::string>{"c"}));
  EXPECT_EQ(s.onlylist, (std::vector<std::string>{"d", "e"}));
  EXPECT_EQ(profile.reads,
            (std::vector<std::string>{"filecache", "logfileenabled", "logfilepath",
                                      "allprocessenable", "ignorelistenable", "onlylistenable",
                                      "logfilelist", "ignorelist", "onlylist"}));
}

TEST(LoadCleanerSettings, ListOfAnOffFlagIsNotLoaded) {
  FakeProfile profile;
  profile.values = {{"logfileenabled", "False"},
                    {"logfilelist", "a"},
                    {"ignorelistenable", "0"},
                    {"ignorelist", "b"},
                    {"onlylist", "c"}};
  CleanerSettings s = LoadCleanerSettings(profile);
  EXPECT_TRUE(s.logfilelist.empty() && s.ignorelist.empty() && s.onlylist.empty());
}

TEST(LoadCleanerSettings, LongValuesAreCutAt4095Characters) {
  // 4094 characters of entry "x..." then ",tail": the cut falls inside the
  // tail, whose first character survives as its own entry.
  std::string longEntry(4093, 'x');
  FakeProfile profile;
  profile.values = {{"onlylistenable", "1"},
                    {"onlylist", longEntry + ",tail"},
                    {"logfilepath", std::string(5000, 'p')}};
  CleanerSettings s = LoadCleanerSettings(profile);
  EXPECT_EQ(s.logfilepath.size(), 4095u);
  EXPECT_EQ(s.onlylist, (std::vector<std::string>{longEntry, "t"}));
}

}  // namespace
}  // namespace skel::cleaner
