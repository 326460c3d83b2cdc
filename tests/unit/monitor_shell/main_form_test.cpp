#include "monitor/shell/main_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace skel::monitor {
namespace {

class MemoryProfile : public ProfileStore {
 public:
  uint32_t GetString(std::string_view, std::string_view key, std::string_view def, char* buffer,
                     uint32_t size, std::string_view) override {
    auto it = values.find(Lower(key));
    std::string v = it == values.end() ? std::string(def) : it->second;
    uint32_t n = std::min<uint32_t>(static_cast<uint32_t>(v.size()), size - 1);
    std::memcpy(buffer, v.data(), n);
    buffer[n] = 0;
    return n;
  }
  bool WriteString(std::string_view, std::string_view key, std::string_view value,
                   std::string_view) override {
    values[Lower(key)] = std::string(value);
    writes.push_back(std::string(key));
    return true;
  }
  static std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
  }
  std::map<std::string, std::string> values;
  std::vector<std::string> writes;
};

// Stands in for the parts of the monitor: one control per key of the
// settings table, whose handlers log and write their key back.
class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest()
      : settings(profile, "C:\\m\\skelvane_settings.ini", LocaleSeparators{}), form(settings) {}

  void AttachEveryKey() {
    auto& c = form.Controls();
    int group = 0;
    for (const SettingKey& key : kSettingKeys) {
      std::string name = "ctl_" + std::string(key.name);
      ui::Control control{.name = name};
      switch (key.kind) {
        case SettingKind::CheckBox:
          control.kind = ui::ControlKind::CheckBox;
          break;
        case SettingKind::Option:
          control.kind = ui::ControlKind::OptionButton;
          control.group = "g" + std::to_string(group++);  // keep them independent here
          break;
        case SettingKind::Colour:
          control.kind = ui::ControlKind::ColorSwatch;
          break;
        case SettingKind::ListSelection:
          control.kind = ui::ControlKind::ComboList;
          control.items = {"SHIFT",        "CTRL",         "F1",         "F2",
                           "Memory Total", "Commit Total", "Memory Used"};
          break;
        case SettingKind::WholeNumber:
          control.kind = ui::ControlKind::Slider;
          control.maximum = 255;
          break;
        default:
          control.kind = ui::ControlKind::TextBox;
          break;
      }
      c.Add(control);
      std::string keyName(key.name);
      c.On(name, ui::ControlEvent::Click, [this, keyName](ui::Control&) {
        handlers.push_back(keyName);
        form.SaveSetting(keyName);
      });
      form.BindSetting(key.name, name);
    }
  }

  MemoryProfile profile;
  MonitorSettings settings;
  MainForm form;
  std::vector<std::string> handlers;
};

TEST_F(MainFormTest, DefaultsLoadWithoutClickingAndFillEmptyFields) {
  AttachEveryKey();
  ASSERT_TRUE(form.Load());
  // Only the lists change (from no selection to their defaults).
  EXPECT_EQ(handlers, (std::vector<std::string>{"hotkey1", "hotkey2", "1sttext", "2ndtext"}));
  auto& c = form.Controls();
  EXPECT_TRUE(c.Checked("ctl_show"));
  EXPECT_TRUE(c.Checked("ctl_roundcorners"));
  EXPECT_TRUE(c.Checked("ctl_icon"));
  EXPECT_FALSE(c.Checked("ctl_compact"));
  EXPECT_TRUE(c.Checked("ctl_monitorprogressdontusebarfill"));
  EXPECT_EQ(c.Get("ctl_programback").color, 4210752);
  EXPECT_EQ(c.Get("ctl_transparencylevel").value, 175);
  EXPECT_EQ(c.Get("ctl_remoteport").text, "2012");
  EXPECT_EQ(c.Get("ctl_autocleanfilecachesize").text, "50");
  EXPECT_EQ(c.ListText("ctl_hotkey2"), "F1");
  EXPECT_EQ(c.ListText("ctl_hotkey3"), "");
  EXPECT_FALSE(c.Get("ctl_startallusers").enabled && c.Checked("ctl_startwithwindows"));
}

TEST_F(MainFormTest, EveryBoxCheckedRunsTheHandlersInStartUpOrder) {
  for (const SettingKey& key : kSettingKeys) {
    if (key.kind == SettingKind::CheckBox) profile.values[MemoryProfile::Lower(key.name)] = "1";
  }
  profile.values["autocleanpercent"] = "0";  // not empty: stays
  profile.values["remoteport"] = "";         // empty: default
  AttachEveryKey();
  form.Controls().SetEnabled("ctl_startallusers", false);
  form.Controls().SetEnabled("ctl_startcurrentuser", false);
  ASSERT_TRUE(form.Load());
  const std::vector<std::string> expected = {
      "hotkey1",
      "hotkey2",                   // step 10
      "monitorprogressbarborder",  // step 11
      "ontop",                     // step 13
      "startwithwindows",
      "showtotals",
      "hotkeyenable",
      "hotkey2enable",
      "hidebartext",
      "disablebarfill",
      "compact",
      "onlyallowip",  // step 15 (show, icon, roundcorners default 1)
      "enableautoclean",
      "enableadvancedmonitor",
      "enableautocleanfilecache",
      "enableremote",  // step 19
      "1sttext",
      "2ndtext",  // step 20
  };
  EXPECT_EQ(handlers, expected);
  EXPECT_EQ(form.Controls().Get("ctl_autocleanpercent").text, "0");
  EXPECT_EQ(form.Controls().Get("ctl_remoteport").text, "2012");
  // Step 25: the start-with-Windows box enables its two options.
  EXPECT_TRUE(form.Controls().Get("ctl_startallusers").enabled);
  EXPECT_TRUE(form.Controls().Get("ctl_startcurrentuser").enabled);
  // The handlers wrote their keys back.
  EXPECT_EQ(profile.values["compact"], "1");
  EXPECT_EQ(profile.values["1sttext"], "Memory Total");
}

TEST_F(MainFormTest, BadStoredTextsKeepDefaults) {
  profile.values["roundcorners"] = "yes";
  profile.values["monitorprogressusebarfill"] = "1";
  profile.values["1sttext"] = "Nonsense";
  profile.values["programback"] = "blue";
  AttachEveryKey();
  ASSERT_TRUE(form.Load());
  EXPECT_TRUE(form.Controls().Checked("ctl_roundcorners"));
  EXPECT_TRUE(form.Controls().Checked("ctl_monitorprogressusebarfill"));
  EXPECT_EQ(form.Controls().ListText("ctl_1sttext"), "Memory Total");
  EXPECT_EQ(form.Controls().Get("ctl_programback").color, 4210752);
}

TEST_F(MainFormTest, StepsRunInOrderAndAFailingStepIsSkipped) {
  std::vector<std::string> calls;
  auto& h = form.Hooks();
  auto log = [&](const char* s) { return [&calls, s] { calls.push_back(s); }; };
  h.centreAndRestorePosition = log("position");
  h.selectFirstTab = [] { throw std::runtime_error("no tab strip"); };
  h.prepareRemoteListAndLoadLists = log("lists");
  h.openUpTimeQuery = log("uptime");
  h.hideWindow = log("hide");
  h.showTrayIcon = log("tray");
  h.applyShowMonitorAndCompact = log("bar");
  h.loadRules = log("rules");
  h.startMainTimers = log("timers");
  h.openLocalListener = log("listener");
  ASSERT_TRUE(form.Load());
  EXPECT_EQ(calls, (std::vector<std::string>{"position", "lists", "uptime", "hide", "tray", "bar",
                                             "rules", "timers", "listener"}));
}

TEST_F(MainFormTest, LoadAfterShutdownBeganUnloadsAtOnce) {
  bool timers = false;
  form.Hooks().startMainTimers = [&] { timers = true; };
  form.bShuttingDown = true;
  EXPECT_FALSE(form.Load());
  EXPECT_FALSE(timers);
}

TEST_F(MainFormTest, TickOrderPercentAndTrayRedrawOnlyOnChange) {
  AttachEveryKey();
  ASSERT_TRUE(form.Load());
  std::vector<std::string> calls;
  int percent = 37;
  auto& h = form.Hooks();
  h.resetWindowSize = [&] { calls.push_back("size"); };
  h.systemUpTimeText = [] { return std::string("0 Days 00:00:01"); };
  h.setUpTimeCaption = [&](const std::string& t) { calls.push_back("caption " + t); };
  h.sampleStats = [&] { calls.push_back("sample"); };
  h.wholePercent = [&] { return percent; };
  h.setBarValue = [&](int v) { calls.push_back("bar " + std::to_string(v)); };
  h.setBarTexts = [&] { calls.push_back("texts"); };
  h.updateTrayIcon = [&](int v) { calls.push_back("tray " + std::to_string(v)); };

  ASSERT_TRUE(form.Tick());
  EXPECT_EQ(calls, (std::vector<std::string>{"size", "caption 0 Days 00:00:01", "sample", "bar 37",
                                             "texts", "tray 37"}));
  EXPECT_EQ(form.lCurrentMemoryUsedPercent, 37);
  calls.clear();
  form.Tick();  // same percentage: no tray redraw
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "tray 37"), 0);
  calls.clear();
  form.Controls().UserClick("ctl_disablebarfill");
  percent = 50;
  form.Tick();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "bar 0"), calls.end());
  EXPECT_NE(std::find(calls.begin(), calls.end(), "tray 50"), calls.end());
  EXPECT_EQ(form.lCurrentMemoryUsedPercent, 50);

  calls.clear();
  form.bShuttingDown = true;
  EXPECT_FALSE(form.Tick());
  EXPECT_TRUE(calls.empty());
}

TEST_F(MainFormTest, CloseBoxHidesEverythingElseShutsDownInOrder) {
  std::vector<std::string> calls;
  auto& h = form.Hooks();
  auto log = [&](const char* s) { return [&calls, s] { calls.push_back(s); }; };
  h.stopTimers = log("timers");
  h.closeUpTimeQuery = log("uptime");
  h.saveWindowPosition = log("position");
  h.removeTrayIcon = log("tray");
  h.unloadBarWindow = log("bar");
  h.closeListeners = log("sockets");
  h.unloadOtherWindows = log("windows");

  EXPECT_TRUE(form.QueryUnload(MainForm::CloseReason::UserCloseBox));
  EXPECT_FALSE(form.bShuttingDown);
  EXPECT_TRUE(calls.empty());

  for (auto reason : {MainForm::CloseReason::Program, MainForm::CloseReason::SessionEnd,
                      MainForm::CloseReason::Other}) {
    MainForm other(settings);
    EXPECT_FALSE(other.QueryUnload(reason));
    EXPECT_TRUE(other.bShuttingDown);
  }
  EXPECT_FALSE(form.QueryUnload(MainForm::CloseReason::SessionEnd));
  form.Unload();
  EXPECT_EQ(calls, (std::vector<std::string>{"timers", "uptime", "timers", "position", "tray",
                                             "bar", "sockets", "windows"}));
}

}  // namespace
}  // namespace skel::monitor
