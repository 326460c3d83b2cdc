#include "monitor/core/settings_store.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "fakes.h"
#include "monitor/core/setting_conversions.h"
#include "monitor/core/settings_keys.h"

namespace skel::monitor {
namespace {

using testing::FakeProfileStore;
using testing::Lower;

const LocaleSeparators kUs{".", ","};
const LocaleSeparators kGerman{",", "."};

TEST(SettingKeys, TableHasEveryKeyOnceAndEachDefaultConvertsToItsKind) {
  std::set<std::string> names;
  for (const SettingKey& key : kSettingKeys) {
    EXPECT_TRUE(names.insert(Lower(key.name)).second) << key.name;
    const std::string_view d = key.defaultText;
    switch (key.kind) {
      case SettingKind::CheckBox:
        EXPECT_TRUE(ParseCheckBox(d, kUs)) << key.name;
        break;
      case SettingKind::Option:
      case SettingKind::MenuCheck:
      case SettingKind::FontBold:
      case SettingKind::FontItalic:
        EXPECT_TRUE(d == "True" || d == "False") << key.name;
        break;
      case SettingKind::Colour:
        EXPECT_TRUE(ParseColour(d, kUs)) << key.name;
        break;
      case SettingKind::FontSize:
        EXPECT_TRUE(ParseSingle(d, kGerman)) << key.name;  // "." reads in every locale
        break;
      case SettingKind::WholeNumber:
        EXPECT_TRUE(ParseSliderLevel(d, kUs)) << key.name;
        break;
      default:
        break;
    }
    // Only texts can fall back on emptiness.
    if (key.defaultIfEmpty) {
      EXPECT_TRUE(key.kind == SettingKind::ListSelection || key.kind == SettingKind::FontName ||
                  key.kind == SettingKind::NumericField)
          << key.name;
    }
  }
  EXPECT_EQ(names.size(), 72u);
  for (const char* oddlySpelt : {"autocleanfilecahcemin", "showfileachelegend",
                                 "BarFillGraphicLocation", "MenuGetTickCount"}) {
    ASSERT_NE(FindSettingKey(oddlySpelt), nullptr) << oddlySpelt;
    EXPECT_EQ(FindSettingKey(oddlySpelt)->name, oddlySpelt);
  }
  EXPECT_EQ(FindSettingKey("BARFILLGRAPHICLOCATION")->name, "BarFillGraphicLocation");
  EXPECT_EQ(FindSettingKey("autocleanfilecachemin"), nullptr);
  EXPECT_THROW(SettingKeyOf("nosuchkey"), std::out_of_range);
}

// One row per stored text: what each whole-number-based reader makes of it.
struct NumberCase {
  const char* text;
  std::optional<bool> checkBox;
  std::optional<bool> truth;
  std::optional<int32_t> whole;  // also the colour reading
};

class NumberConversion : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberConversion, ReadsAsTheKindAllows) {
  const NumberCase& c = GetParam();
  EXPECT_EQ(ParseCheckBox(c.text, kUs), c.checkBox);
  EXPECT_EQ(ParseTruth(c.text, kUs), c.truth);
  EXPECT_EQ(ParseWholeNumber(c.text, kUs), c.whole);
  EXPECT_EQ(ParseColour(c.text, kUs), c.whole);
}

constexpr std::nullopt_t no = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Table, NumberConversion,
    ::testing::Values(NumberCase{"0", false, false, 0}, NumberCase{"1", true, true, 1},
                      NumberCase{" 1 ", true, true, 1}, NumberCase{"+1", true, true, 1},
                      NumberCase{"", no, no, no}, NumberCase{"   ", no, no, no},
                      NumberCase{"yes", no, no, no}, NumberCase{"abc", no, no, no},
                      NumberCase{"12abc", no, no, no}, NumberCase{"1 1", no, no, no},
                      NumberCase{"True", no, true, no}, NumberCase{"tRUE", no, true, no},
                      NumberCase{"FALSE", no, false, no}, NumberCase{" false ", no, false, no},
                      NumberCase{"Truth", no, no, no},
                      // Fractions round half to even for whole-number kinds.
                      NumberCase{"0.5", false, true, 0}, NumberCase{"0.6", true, true, 1},
                      NumberCase{"1.5", no, true, 2}, NumberCase{"2.5", no, true, 2},
                      NumberCase{"-2.5", no, true, -2}, NumberCase{"0.0", false, false, 0},
                      // A check box has two states only.
                      NumberCase{"2", no, true, 2}, NumberCase{"-1", no, true, -1},
                      // Colours: signed 32-bit, system colours included.
                      NumberCase{"16711680", no, true, 16711680},
                      NumberCase{"-2147483633", no, true, -2147483633},
                      NumberCase{"2147483647", no, true, 2147483647},
                      NumberCase{"2147483648", no, true, no},
                      NumberCase{"-2147483649", no, true, no},
                      NumberCase{"99999999999999999999999", no, true, no}));

TEST(SettingConversions, SinglePrecisionTextsUseTheLocaleSeparator) {
  EXPECT_EQ(ParseSingle("6.75", kUs), 6.75f);
  EXPECT_EQ(ParseSingle("6,75", kGerman), 6.75f);
  EXPECT_EQ(ParseSingle(" 8 ", kUs), 8.0f);
  EXPECT_EQ(ParseSingle("4560", kUs), 4560.0f);
  EXPECT_EQ(ParseSingle("abc", kUs), std::nullopt);
  EXPECT_EQ(ParseSingle("", kUs), std::nullopt);
  EXPECT_EQ(ParseSingle("1" + std::string(50, '0'), kUs), std::nullopt);  // beyond single

  EXPECT_EQ(SingleText(6.75f, kUs), "6.75");
  EXPECT_EQ(SingleText(6.75f, kGerman), "6,75");
  EXPECT_EQ(SingleText(8.0f, kUs), "8");
  EXPECT_EQ(SingleText(4560.0f, kUs), "4560");
  EXPECT_EQ(SingleText(0.1f, kUs), "0.1");  // shortest form, not 0.100000001
  EXPECT_EQ(SingleText(-0.0f, kUs), "0");
  for (float v : {6.75f, 0.1f, 7.3f, 123456.7f, 1e-3f}) {
    EXPECT_EQ(ParseSingle(SingleText(v, kGerman), kGerman), v) << v;
  }
}

TEST(SettingConversions, SliderLevelsStayInRangeAndListTextsMustBeEntries) {
  EXPECT_EQ(ParseSliderLevel("175", kUs), 175);
  EXPECT_EQ(ParseSliderLevel("255", kUs), 255);
  EXPECT_EQ(ParseSliderLevel("256", kUs), std::nullopt);
  EXPECT_EQ(ParseSliderLevel("-1", kUs), std::nullopt);

  std::vector<std::string> entries{"Memory Total", "Commit Total", "System Up Time"};
  EXPECT_EQ(MatchListEntry("Commit Total", entries), "Commit Total");
  EXPECT_EQ(MatchListEntry("memory TOTAL", entries), "Memory Total");  // the list's own text
  EXPECT_EQ(MatchListEntry("Memory", entries), std::nullopt);
  EXPECT_EQ(MatchListEntry("Memory Total ", entries), std::nullopt);
  EXPECT_EQ(MatchListEntry("", entries), std::nullopt);
}

TEST(ReadIniValue, GivesTheTextCutTo254AndEmptyForMissingKeys) {
  FakeProfileStore store;
  const std::string file(FakeProfileStore::kFile);
  EXPECT_EQ(ReadIniValue(store, "main", "show", file), "");
  store.Set("show", "1");
  EXPECT_EQ(ReadIniValue(store, "MAIN", "SHOW", file), "1");
  EXPECT_EQ(ReadIniValue(store, "main", "show", "C:\\other.ini"), "");
  EXPECT_EQ(ReadIniValue(store, "other", "show", file), "");

  std::string path300;
  for (int i = 0; i < 300; ++i) path300 += static_cast<char>('a' + i % 26);
  store.Set("BarFillGraphicLocation", path300);
  EXPECT_EQ(ReadIniValue(store, "main", "BarFillGraphicLocation", file), path300.substr(0, 254));
  store.Set("BarFillGraphicLocation", path300.substr(0, 254));
  EXPECT_EQ(ReadIniValue(store, "main", "BarFillGraphicLocation", file).size(), 254u);
}

TEST(ReadIniValue, DistrustsACountBeyondTheBuffer) {
  struct LyingStore : FakeProfileStore {
    uint32_t GetString(std::string_view, std::string_view, std::string_view, char* buffer,
                       uint32_t size, std::string_view) override {
      std::memset(buffer, 'x', size - 1);
      buffer[size - 1] = '\0';
      return 100000;
    }
  } store;
  EXPECT_EQ(ReadIniValue(store, "main", "show", "f.ini"), std::string(254, 'x'));
}

TEST(WriteIniValue, ReportsARefusedWriteAndCreatesTheKeyOtherwise) {
  FakeProfileStore store;
  EXPECT_TRUE(WriteIniValue(store, "main", "remoteport", "2012", FakeProfileStore::kFile));
  EXPECT_EQ(store.Get("remoteport"), "2012");
  store.refuseWrites = true;  // read-only folder
  EXPECT_FALSE(WriteIniValue(store, "main", "remoteport", "3000", FakeProfileStore::kFile));
  EXPECT_EQ(store.Get("remoteport"), "2012");
}

TEST(SettingsFilePath, JoinsTheProgramFolderWithOneBackslash) {
  EXPECT_EQ(SettingsFilePath("C:\\Program Files\\Skelvane"),
            "C:\\Program Files\\Skelvane\\skelvane_settings.ini");
  EXPECT_EQ(SettingsFilePath("C:\\"), "C:\\skelvane_settings.ini");
}

class MonitorSettingsTest : public ::testing::Test {
 protected:
  FakeProfileStore store;
  MonitorSettings settings{store, std::string(FakeProfileStore::kFile), kUs};
};

TEST_F(MonitorSettingsTest, EmptyFileGivesEveryDefault) {
  EXPECT_TRUE(settings.LoadCheckBox("show"));
  EXPECT_TRUE(settings.LoadCheckBox("roundcorners"));
  EXPECT_FALSE(settings.LoadCheckBox("showtotals"));
  EXPECT_TRUE(settings.LoadCheckBox("icon"));
  EXPECT_FALSE(settings.LoadTruth("monitorprogressusebarfill"));
  EXPECT_TRUE(settings.LoadTruth("monitorprogressdontusebarfill"));
  EXPECT_EQ(settings.LoadText("BarFillGraphicLocation"), "");
  EXPECT_TRUE(settings.LoadTruth("text1left"));
  EXPECT_FALSE(settings.LoadTruth("text2right"));
  EXPECT_EQ(settings.LoadColour("programback"), 4210752);
  EXPECT_EQ(settings.LoadColour("monitorprogressbarfill"), 16711680);
  EXPECT_EQ(settings.LoadColour("trayicon1bgcolor"), 49152);
  EXPECT_EQ(settings.LoadColour("trayicon3bgcolor"), 255);
  EXPECT_EQ(settings.LoadText("trayicon2font"), "Verdana");
  EXPECT_EQ(settings.LoadFontSize("trayicon3fontsize"), 6.75f);
  EXPECT_TRUE(settings.LoadTruth("trayicon1fontbold"));
  EXPECT_FALSE(settings.LoadTruth("trayicon1fontitalic"));
  EXPECT_EQ(settings.LoadSliderLevel("transparencylevel"), 175);
  EXPECT_TRUE(settings.LoadTruth("normal"));
  EXPECT_TRUE(settings.LoadTruth("MenuGetTickCount"));
  EXPECT_FALSE(settings.LoadTruth("MenuPerformanceCounters"));
  EXPECT_TRUE(settings.LoadTruth("startallusers"));
  for (const char* automation :
       {"enableautoclean", "enableautocleanfilecache", "enableadvancedmonitor", "hotkeyenable",
        "hotkey2enable", "startwithwindows", "enableremote", "onlyallowip"}) {
    EXPECT_FALSE(settings.LoadCheckBox(automation)) << automation;
  }
  EXPECT_EQ(settings.LoadText("autocleanpercent"), "75");
  EXPECT_EQ(settings.LoadText("autocleanfilecahcemin"), "5");
  EXPECT_EQ(settings.LoadText("remoteport"), "2012");
  const std::vector<std::string> texts{"Memory Total", "Commit Total"};
  EXPECT_EQ(settings.LoadListSelection("1sttext", texts), "Memory Total");
  EXPECT_EQ(settings.LoadListSelection("2ndtext", texts), "Commit Total");
  const std::vector<std::string> keys{"SHIFT", "F1", "F5"};
  EXPECT_EQ(settings.LoadListSelection("hotkey1", keys), "SHIFT");
  EXPECT_EQ(settings.LoadListSelection("hotkey3", keys), "");  // no selection
  EXPECT_TRUE(store.writeLog.empty());                         // loading never writes
}

TEST_F(MonitorSettingsTest, HandEditedValuesConvertOrFallBack) {
  store.Set("roundcorners", "yes");
  store.Set("show", "0");
  store.Set("monitorprogressusebarfill", "1");
  store.Set("normal", "fAlSe");
  store.Set("programback", "abc");
  store.Set("programtext", "-2147483633");
  store.Set("trayicon1fontsize", "nonsense");
  store.Set("trayicon2fontsize", "9.5");
  store.Set("transparencylevel", "300");
  store.Set("ghosttransparencylevel", "80");
  store.Set("remoteport", "");
  store.Set("autocleanpercent", "0");
  store.Set("autocleanmin", "abc");
  store.Set("trayicon1font", "");
  store.Set("trayicon2font", "Arial");
  store.Set("1sttext", "Bogus Text");
  store.Set("2ndtext", "system up time");
  store.Set("hotkey3", "Bogus");
  store.Set("MenuGetTickCount", "");

  EXPECT_TRUE(settings.LoadCheckBox("roundcorners"));
  EXPECT_FALSE(settings.LoadCheckBox("show"));
  EXPECT_TRUE(settings.LoadTruth("monitorprogressusebarfill"));
  EXPECT_FALSE(settings.LoadTruth("normal"));
  EXPECT_EQ(settings.LoadColour("programback"), 4210752);
  EXPECT_EQ(settings.LoadColour("programtext"), -2147483633);
  EXPECT_EQ(settings.LoadFontSize("trayicon1fontsize"), 6.75f);
  EXPECT_EQ(settings.LoadFontSize("trayicon2fontsize"), 9.5f);
  EXPECT_EQ(settings.LoadSliderLevel("transparencylevel"), 175);
  EXPECT_EQ(settings.LoadSliderLevel("ghosttransparencylevel"), 80);
  EXPECT_EQ(settings.LoadText("remoteport"), "2012");
  EXPECT_EQ(settings.LoadText("autocleanpercent"), "0");  // not empty: kept
  EXPECT_EQ(settings.LoadText("autocleanmin"), "abc");    // a field shows its text
  EXPECT_EQ(settings.LoadText("trayicon1font"), "Verdana");
  EXPECT_EQ(settings.LoadText("trayicon2font"), "Arial");
  const std::vector<std::string> texts{"Memory Total", "Commit Total", "System Up Time"};
  EXPECT_EQ(settings.LoadListSelection("1sttext", texts), "Memory Total");
  EXPECT_EQ(settings.LoadListSelection("2ndtext", texts), "System Up Time");
  EXPECT_EQ(settings.LoadListSelection("hotkey3", std::vector<std::string>{"F5"}), "");
  EXPECT_TRUE(settings.LoadTruth("MenuGetTickCount"));
}

TEST_F(MonitorSettingsTest, WritesTheTextFormOfEachKindAndReadsItBack) {
  EXPECT_TRUE(settings.WriteCheckBox("show", false));
  EXPECT_TRUE(settings.WriteTruth("text1center", true));
  EXPECT_TRUE(settings.WriteColour("programback", -2147483633));
  EXPECT_TRUE(settings.WriteFontSize("trayicon1fontsize", 8.25f));
  EXPECT_TRUE(settings.WriteSliderLevel("transparencylevel", 40));
  EXPECT_EQ(store.writeLog,
            "show=0;text1center=True;programback=-2147483633;trayicon1fontsize=8.25;"
            "transparencylevel=40;");
  EXPECT_FALSE(settings.LoadCheckBox("show"));
  EXPECT_TRUE(settings.LoadTruth("text1center"));
  EXPECT_EQ(settings.LoadColour("programback"), -2147483633);
  EXPECT_EQ(settings.LoadFontSize("trayicon1fontsize"), 8.25f);
  EXPECT_EQ(settings.LoadSliderLevel("transparencylevel"), 40);

  MonitorSettings german(store, std::string(FakeProfileStore::kFile), kGerman);
  german.WriteFontSize("trayicon2fontsize", 6.75f);
  EXPECT_EQ(store.Get("trayicon2fontsize"), "6,75");
  EXPECT_EQ(german.LoadFontSize("trayicon2fontsize"), 6.75f);
}

TEST_F(MonitorSettingsTest, ARefusedWriteLeavesTheFileAndTheNextStartUsesDefaults) {
  store.refuseWrites = true;
  EXPECT_FALSE(settings.WriteCheckBox("roundcorners", false));
  EXPECT_FALSE(store.Get("roundcorners"));
  EXPECT_TRUE(settings.LoadCheckBox("roundcorners"));
}

}  // namespace
}  // namespace skel::monitor
