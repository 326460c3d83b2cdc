#include "monitor/display/monitor_display.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>
#include <map>

#include "monitor/display/colour_scheme.h"

namespace skel::monitor::display {
namespace {

using namespace names;

class FakeStore : public ProfileStore {
 public:
  uint32_t GetString(std::string_view, std::string_view key, std::string_view def, char* buffer,
                     uint32_t size, std::string_view) override {
    auto it = values.find(Lower(key));
    std::string v = it == values.end() ? std::string(def) : it->second;
    v = v.substr(0, size - 1);
    std::memcpy(buffer, v.c_str(), v.size() + 1);
    return static_cast<uint32_t>(v.size());
  }
  bool WriteString(std::string_view, std::string_view key, std::string_view value,
                   std::string_view) override {
    values[Lower(key)] = std::string(value);
    writes.emplace_back(key);
    return true;
  }
  static std::string Lower(std::string_view s) {
    std::string o(s);
    for (char& c : o) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return o;
  }
  std::string Value(std::string_view key) const {
    auto it = values.find(Lower(key));
    return it == values.end() ? "<none>" : it->second;
  }
  std::map<std::string, std::string> values;
  std::vector<std::string> writes;
};

class FakeBar : public BarWindowPort {
 public:
  bool IsLoaded() const override { return loaded; }
  void Create() override {
    loaded = true;
    ++creates;
    windowW = kNormalWidth;
    windowH = kNormalHeight;
    barW = kNormalWidth;
  }
  void Destroy() override { loaded = false; }
  void Show(bool v) override { visible = v; }
  void SetWindowSize(int w, int h) override {
    windowW = w;
    windowH = h;
  }
  void SetWindowWidth(int w) override { windowW = w; }
  void SetBarWidth(int w) override { barW = w; }
  int BarWidth() const override { return barW; }
  int BarHeight() const override { return 180; }
  void ApplyLook(const BarWindowLook& l) override {
    look = l;
    ++looks;
  }
  void SetAlignment(TextAlign u, TextAlign l) override {
    upperAlign = u;
    lowerAlign = l;
  }
  void SetBarValue(int v) override { value = v; }
  void SetBarText(const std::string& t) override { text = t; }
  void SetTexts(const std::string& u, const std::string& l) override {
    upper = u;
    lower = l;
  }
  void MoveToBottomRight() override { ++bottomRight; }
  void RestorePosition() override { ++restores; }
  bool LoadFillGraphic(const std::string& path) override {
    loadedGraphics.push_back(path);
    return path.ends_with(".bmp");
  }
  void UseBuiltInFillGraphic(bool compact) override { builtIn.push_back(compact); }

  bool loaded = false, visible = false;
  int creates = 0, looks = 0, bottomRight = 0, restores = 0;
  int windowW = 0, windowH = 0, barW = 0, value = -1;
  BarWindowLook look;
  TextAlign upperAlign = TextAlign::Left, lowerAlign = TextAlign::Left;
  std::string text, upper, lower;
  std::vector<std::string> loadedGraphics;
  std::vector<bool> builtIn;
};

class FakeTray : public TrayIconPort {
 public:
  void PrepareSurfaces() override { ++prepared; }
  void Add() override { added = true; }
  void Remove() override { added = false; }
  void ShowProgramIcon() override { ++programIcons; }
  int IconSize() override { return 16; }
  void ShowPercentIcon(const TrayDrawing& d, int size) override {
    icons.push_back(d);
    lastSize = size;
  }
  void SetToolTip(const std::string& t) override { tip = t; }
  void DrawSample(int band, const TrayDrawing& d) override { samples[band - 1] = d; }

  int prepared = 0, programIcons = 0, lastSize = 0;
  bool added = false;
  std::vector<TrayDrawing> icons;
  TrayDrawing samples[3];
  std::string tip;
};

class FakeDialogs : public DisplayDialogs {
 public:
  std::optional<Colour> ChooseColour(Colour initial) override {
    colourAsked.push_back(initial);
    return colour;
  }
  std::optional<TrayFont> PickFont(const TrayFont& initial) override {
    fontAsked.push_back(initial);
    if (fontEcho) return initial;
    return font;
  }
  std::optional<std::string> OpenPicture(const std::string& title, const std::string& filter,
                                         const std::string& initial) override {
    pictureAsked.push_back(title + "|" + filter + "|" + initial);
    return picture;
  }
  void Message(const std::string& text) override { messages.push_back(text); }

  std::optional<Colour> colour;
  std::optional<TrayFont> font;
  bool fontEcho = false;
  std::optional<std::string> picture;
  std::vector<Colour> colourAsked;
  std::vector<TrayFont> fontAsked;
  std::vector<std::string> pictureAsked, messages;
};

// One running monitor over a settings file; a second one over the same file
// is a restart.
struct Monitor {
  explicit Monitor(FakeStore& store)
      : settings(store, "C:\\Prog\\skelvane_settings.ini", LocaleSeparators{}),
        form(settings),
        display(form, bar, tray, dialogs, Services()) {
    display.Attach();
    // The window effects' controls, as far as "Show Monitor" drives them.
    AddEffect("OptionTrans(3)", ui::ControlKind::OptionButton);
    AddEffect("OptionTrans(2)", ui::ControlKind::OptionButton);
    AddEffect(kAlwaysOnTop, ui::ControlKind::CheckBox);
    AddEffect("updFadeIn(0)", ui::ControlKind::Slider);
    form.Controls().On(kAlwaysOnTop, ui::ControlEvent::Click,
                       [this](ui::Control&) { settings.WriteCheckBox("ontop", false); });
    form.Hooks().wholePercent = [this] { return percent; };
  }
  void AddEffect(const std::string& name, ui::ControlKind kind) {
    ui::Control c;
    c.name = name;
    c.kind = kind;
    c.group = "trans";
    c.tab = kTabMonitorSettings;
    form.Controls().Add(c);
  }
  DisplayServices Services() {
    DisplayServices s;
    s.snapshot = [this]() -> const StatsSnapshot& { return stats; };
    s.queryFileCache = [this] { ++fileCacheQueries; };
    s.settingsCaption = [] { return std::string("Vardolin Skelvane v2.4.1 (Memory Monitor)"); };
    s.advancedMonitorPaused = [this] { return paused; };
    s.focusSettingsWindow = [this] { ++focused; };
    s.centreOtherWindows = [this] { ++centred; };
    s.resetStoredPositions = [this] { ++positionResets; };
    s.programFolder = [] { return std::string("C:\\Prog"); };
    s.clockSeconds = [this] { return clock; };
    s.separators = LocaleSeparators{};
    return s;
  }
  void Click(const std::string& name) {
    form.Controls().UserClick(name);
    form.Controls().UserMouseUp(name);
  }

  MonitorSettings settings;
  MainForm form;
  FakeBar bar;
  FakeTray tray;
  FakeDialogs dialogs;
  MonitorDisplay display;
  StatsSnapshot stats;
  int percent = 37;
  bool paused = false;
  double clock = 100.0;
  int fileCacheQueries = 0, focused = 0, centred = 0, positionResets = 0;
};

class MonitorDisplayTest : public ::testing::Test {
 protected:
  FakeStore store;
};

TEST_F(MonitorDisplayTest, FirstStartShowsTheDefaultLookAndWritesEveryAppearanceKey) {
  Monitor m(store);
  ASSERT_TRUE(m.form.Load());
  EXPECT_TRUE(m.bar.loaded);
  EXPECT_TRUE(m.bar.visible);
  EXPECT_EQ(m.bar.creates, 1);
  EXPECT_EQ(m.bar.windowW, kNormalWidth);
  EXPECT_EQ(m.bar.windowH, kNormalHeight);
  EXPECT_GE(m.bar.bottomRight, 1);
  EXPECT_GE(m.bar.restores, 1);
  BarWindowLook expected;
  expected.windowBack = 4210752;
  expected.windowText = 16777215;
  expected.barBack = 16777215;
  expected.barText = 0;
  expected.fillColour = 16711680;
  expected.fillText = 0;
  expected.useFillGraphic = true;
  expected.roundCorners = true;
  EXPECT_EQ(m.bar.look, expected);
  EXPECT_TRUE(m.bar.builtIn.empty());  // the button is enabled: the graphic stays
  EXPECT_TRUE(m.tray.added);
  EXPECT_EQ(m.tray.prepared, 1);
  for (const std::string& key : SaveAllColorsKeys()) {
    EXPECT_NE(store.Value(key), "<none>") << key;
  }
  EXPECT_EQ(store.Value("programback"), "4210752");
  EXPECT_EQ(store.Value("monitorprogressdontusebarfill"), "True");
  EXPECT_EQ(store.Value("trayicon2fontsize"), "6.75");
  EXPECT_EQ(store.Value("show"), "1");
  EXPECT_EQ(store.Value("compact"), "0");
  EXPECT_EQ(store.Value("showtotals"), "0");
  EXPECT_EQ(m.tray.samples[0], (TrayDrawing{"00", 49152, 0, TrayFont{}}));
  EXPECT_EQ(m.tray.samples[1], (TrayDrawing{"50", 65535, 0, TrayFont{}}));
  EXPECT_EQ(m.tray.samples[2], (TrayDrawing{"75", 255, 0, TrayFont{}}));
}

TEST_F(MonitorDisplayTest, SaveAllColorsWritesInItsOrder) {
  Monitor m(store);
  m.form.Load();
  store.writes.clear();
  m.display.SaveAllColors();
  EXPECT_EQ(store.writes, SaveAllColorsKeys());
}

TEST_F(MonitorDisplayTest, ShowMonitorDisablesTheBarSettingsAndHidesTheWindow) {
  Monitor m(store);
  m.form.Load();
  auto& c = m.form.Controls();
  c.SetValue(kAlwaysOnTop, 1);
  m.Click(kShowMonitor);
  EXPECT_EQ(store.Value("show"), "0");
  EXPECT_FALSE(m.bar.visible);
  EXPECT_TRUE(c.Checked("OptionTrans(3)"));  // "Normal"
  EXPECT_FALSE(c.Checked(kAlwaysOnTop));
  EXPECT_EQ(store.Value("ontop"), "0");
  for (const std::string& n : ShowMonitorDependents()) {
    if (c.Has(n)) {
      EXPECT_FALSE(c.Get(n).enabled) << n;
    }
  }
  EXPECT_TRUE(c.Get(kShowMonitor).enabled);
  EXPECT_TRUE(c.Get(SwatchName(2)).enabled);  // tray swatches are not the bar's

  m.Click(kShowMonitor);
  EXPECT_TRUE(m.bar.visible);
  EXPECT_TRUE(c.Get(kChangeBarFillGraphic).enabled);
  EXPECT_TRUE(c.Get(kHideText).enabled);
  EXPECT_FALSE(c.Get("updFadeIn(0)").enabled);  // follows its option, not "Show Monitor"
  EXPECT_FALSE(c.Checked(kAlwaysOnTop));        // stays off for good
}

TEST_F(MonitorDisplayTest, CompactModeSizesForcesHideTextAndSwapsGraphicOnlyWhenHidden) {
  Monitor m(store);
  m.form.Load();
  auto& c = m.form.Controls();
  m.Click(kCompactMode);
  EXPECT_EQ(store.Value("compact"), "1");
  EXPECT_EQ(m.bar.windowW, kCompactWidth);
  EXPECT_EQ(m.bar.windowH, 180);
  EXPECT_EQ(m.bar.barW, kCompactWidth);
  EXPECT_TRUE(c.Checked(kHideText));
  EXPECT_FALSE(c.Get(kHideText).enabled);
  EXPECT_EQ(store.Value("showtotals"), "1");
  EXPECT_TRUE(m.bar.builtIn.empty());
  m.form.Tick();
  EXPECT_EQ(m.bar.text.substr(0, 3), "M: ");

  // Show/Hide Text from the menu is refused while compact.
  store.writes.clear();
  m.display.MenuShowHideText();
  EXPECT_EQ(m.dialogs.messages, std::vector<std::string>{"Disable Compact Mode First"});
  EXPECT_TRUE(store.writes.empty());

  // With the bar window hidden the built-in graphic follows the mode.
  m.Click(kShowMonitor);
  c.SetEnabled(kCompactMode, true);
  m.Click(kCompactMode);
  EXPECT_EQ(m.bar.builtIn, std::vector<bool>{false});
  EXPECT_EQ(m.bar.barW, kNormalWidth);
  EXPECT_EQ(m.bar.windowW, kNormalWidth);  // "Hide Text" still checked: the bar's size
  EXPECT_EQ(m.bar.windowH, 180);
}

TEST_F(MonitorDisplayTest, HideTextSizesTheWindowAndFocusesTheSettingsWindow) {
  Monitor m(store);
  m.form.Load();
  int focused = m.focused;
  m.display.MenuShowHideText();
  EXPECT_EQ(store.Value("showtotals"), "1");
  EXPECT_EQ(m.bar.windowH, 180);
  m.display.MenuShowHideText();
  EXPECT_EQ(m.bar.windowW, kNormalWidth);
  EXPECT_EQ(m.bar.windowH, kNormalHeight);
  EXPECT_EQ(m.focused, focused + 2);
}

TEST_F(MonitorDisplayTest, StoredHideTextOrCompactSizeTheWindowAsItLoads) {
  store.values["showtotals"] = "1";
  store.values["compact"] = "1";
  Monitor m(store);
  m.form.Load();
  EXPECT_EQ(m.bar.windowW, kCompactWidth);
  EXPECT_EQ(m.bar.windowH, 180);
  EXPECT_TRUE(m.form.Controls().Checked(kCompactMode));
  EXPECT_FALSE(m.form.Controls().Get(kHideText).enabled);
}

TEST_F(MonitorDisplayTest, PresetSetsTheBarColoursAndChoosesTheGraphic) {
  Monitor m(store);
  m.form.Load();
  auto& c = m.form.Controls();
  c.SetValue(kUseBarFillColor, 1);
  c.SetColor(SwatchName(2), 123);
  c.UserSelect(kColorPresets, 3);  // "Dark Blue"
  EXPECT_TRUE(c.Checked(kUseBarFillGraphic));
  EXPECT_EQ(store.Value("programback"), "4194304");
  EXPECT_EQ(store.Value("monitorprogressbarfill"), "0");
  EXPECT_EQ(store.Value("monitorprogressdontusebarfill"), "True");
  EXPECT_EQ(store.Value("monitorprogressusebarfill"), "False");
  EXPECT_EQ(store.Value("trayicon1bgcolor"), "123");  // tray colours left alone
  EXPECT_EQ(m.bar.look.windowBack, 4194304);
  EXPECT_TRUE(m.bar.look.useFillGraphic);

  c.UserSelect(kColorPresets, 1);  // "Windows Theme Colors"
  EXPECT_EQ(store.Value("programback"), "-2147483633");
  EXPECT_EQ(store.Value("programtext"), "-2147483630");
}

TEST_F(MonitorDisplayTest, RandomizeUsesTheFillColourAndForcesATrayRedraw) {
  Monitor m(store);
  m.form.Load();
  m.form.lLastValue = 37;
  m.clock = 5000.25;
  m.Click(kRandomizeColors);
  auto& c = m.form.Controls();
  EXPECT_TRUE(c.Checked(kUseBarFillColor));
  EXPECT_FALSE(m.bar.look.useFillGraphic);
  Colour expected = RandomColour([] { return 5000.25; });
  for (int index : kBarSwatchOrder) EXPECT_EQ(m.display.SwatchColour(index), expected) << index;
  EXPECT_EQ(store.Value("monitorprogressbarfill"), std::to_string(expected));
  EXPECT_EQ(m.form.lLastValue, 0);
}

TEST_F(MonitorDisplayTest, SwatchColourDialog) {
  Monitor m(store);
  m.form.Load();
  store.writes.clear();
  int looks = m.bar.looks;
  m.form.lLastValue = 50;
  m.form.Controls().UserClick(SwatchName(8));  // cancelled
  EXPECT_EQ(m.dialogs.colourAsked, std::vector<Colour>{16711680});
  EXPECT_TRUE(store.writes.empty());
  EXPECT_EQ(m.bar.looks, looks);
  EXPECT_EQ(m.form.lLastValue, 50);

  m.dialogs.colour = Rgb(10, 20, 30);
  m.form.Controls().UserClick(SwatchName(10));
  EXPECT_EQ(store.Value("trayicon3bgcolor"), std::to_string(Rgb(10, 20, 30)));
  EXPECT_EQ(m.tray.samples[2].background, Rgb(10, 20, 30));
  EXPECT_EQ(m.form.lLastValue, 0);
}

TEST_F(MonitorDisplayTest, FontDialogWorksInWholePoints) {
  Monitor m(store);
  m.form.Load();
  m.form.lLastValue = 20;
  m.dialogs.fontEcho = true;  // confirmed unchanged
  m.form.Controls().UserClick(kTrayFontButtons[1]);
  ASSERT_EQ(m.dialogs.fontAsked.size(), 1u);
  EXPECT_EQ(m.dialogs.fontAsked[0].size, 7.0f);
  EXPECT_EQ(store.Value("trayicon2fontsize"), "7");
  EXPECT_EQ(store.Value("trayicon1fontsize"), "6.75");
  EXPECT_EQ(m.tray.samples[1].font.size, 7.0f);
  EXPECT_EQ(m.form.lLastValue, 0);

  m.dialogs.fontEcho = false;  // cancelled
  store.writes.clear();
  m.form.Controls().UserClick(kTrayFontButtons[0]);
  EXPECT_TRUE(store.writes.empty());
}

TEST_F(MonitorDisplayTest, TrayIconRedrawsOnlyWhenThePercentageChangesInItsBand) {
  Monitor m(store);
  m.form.Load();
  struct Step {
    int percent;
    size_t icons;
    Colour background;
  } steps[] = {{49, 1, 49152}, {49, 1, 49152}, {50, 2, 65535},
               {74, 3, 65535}, {75, 4, 255},   {101, 5, 255}};
  for (const auto& s : steps) {
    m.percent = s.percent;
    m.form.Tick();
    ASSERT_EQ(m.tray.icons.size(), s.icons) << s.percent;
    EXPECT_EQ(m.tray.icons.back().background, s.background) << s.percent;
    EXPECT_EQ(m.tray.icons.back().text, std::to_string(s.percent));
    EXPECT_EQ(m.tray.lastSize, 16);
  }
  m.paused = true;
  m.form.lLastValue = 0;  // what pausing does
  m.percent = 63;
  m.form.Tick();
  EXPECT_EQ(m.tray.icons.back().text, "||");
  EXPECT_EQ(m.tray.icons.back().background, 65535);

  // Switch off: the program's icon stays; on again: redrawn at the next tick.
  m.Click(kTrayPercent);
  EXPECT_EQ(store.Value("icon"), "0");
  EXPECT_EQ(m.tray.programIcons, 1);
  EXPECT_FALSE(m.form.Controls().Get(kTrayFontButtons[0]).enabled);
  size_t drawn = m.tray.icons.size();
  m.percent = 20;
  m.form.Tick();
  EXPECT_EQ(m.tray.icons.size(), drawn);
  m.Click(kTrayPercent);
  EXPECT_TRUE(m.form.Controls().Get(kTrayFontButtons[0]).enabled);
  m.form.Tick();
  EXPECT_EQ(m.tray.icons.size(), drawn + 1);
}

TEST_F(MonitorDisplayTest, TickSetsTheBarAndTextsAndTheTooltipFollows) {
  Monitor m(store);
  m.form.Load();
  m.stats.MemoryUsed = 3447 * 1024LL * 1024;
  m.stats.MemoryTotal = 8LL << 30;
  m.stats.CommitTotal = 4LL << 30;
  m.stats.UsedPercentDecimal = 374522;
  m.form.Tick();
  EXPECT_EQ(m.bar.value, 37);
  EXPECT_EQ(m.bar.text, "Memory Used: 3.37 GB");
  EXPECT_EQ(m.bar.upper, "Memory Total: 8.00 GB");
  EXPECT_EQ(m.bar.lower, "Commit Total: 4.00 GB");
  m.display.RebuildToolTip();
  EXPECT_EQ(m.tray.tip,
            "Vardolin Skelvane \r\nMemory Used: 3.37 GB (37.4522%)\r\nMemory Total: 8.00 GB\r\n"
            "Commit Total: 4.00 GB");

  auto& c = m.form.Controls();
  m.Click(kDisableBarFill);
  m.Click(kHideBarText);
  EXPECT_EQ(store.Value("disablebarfill"), "1");
  EXPECT_EQ(store.Value("hidebartext"), "1");
  c.UserSelect(kFirstText, 3);  // "File Cache Size"
  c.UserSelect(kSecondText, 3);
  EXPECT_EQ(store.Value("1sttext"), "File Cache Size");
  m.form.Tick();
  EXPECT_EQ(m.bar.value, 0);
  EXPECT_EQ(m.bar.text, "");
  EXPECT_EQ(m.fileCacheQueries, 2);
  EXPECT_EQ(m.bar.upper.substr(0, 12), "File Cache: ");
}

TEST_F(MonitorDisplayTest, AlignmentFollowsTheOptions) {
  Monitor m(store);
  m.form.Load();
  m.Click(kText1Align[2]);
  m.Click(kText2Align[1]);
  EXPECT_EQ(m.bar.upperAlign, TextAlign::Right);
  EXPECT_EQ(m.bar.lowerAlign, TextAlign::Center);
  EXPECT_EQ(store.Value("text1right"), "True");
  EXPECT_EQ(store.Value("text1left"), "False");
  EXPECT_EQ(store.Value("text2center"), "True");
}

TEST_F(MonitorDisplayTest, ChangeBarFillGraphic) {
  Monitor m(store);
  m.form.Load();
  auto& c = m.form.Controls();
  c.SetValue(kUseBarFillColor, 1);
  m.Click(kChangeBarFillGraphic);  // cancelled
  ASSERT_EQ(m.dialogs.pictureAsked.size(), 1u);
  EXPECT_EQ(m.dialogs.pictureAsked[0], std::string(kFillGraphicTitle) + "|" + kFillGraphicFilter +
                                           "|C:\\Prog\\bars\\bar1.jpg");
  EXPECT_TRUE(m.bar.loadedGraphics.empty());

  m.dialogs.picture = "C:\\pics\\notapicture.txt";  // fails: nothing written
  m.Click(kChangeBarFillGraphic);
  EXPECT_EQ(store.Value("BarFillGraphicLocation"), "<none>");
  EXPECT_TRUE(c.Checked(kUseBarFillColor));

  m.dialogs.picture = "C:\\pics\\fire.bmp";
  m.form.lLastValue = 44;
  m.Click(kChangeBarFillGraphic);
  EXPECT_EQ(store.Value("BarFillGraphicLocation"), "C:\\pics\\fire.bmp");
  EXPECT_TRUE(c.Checked(kUseBarFillGraphic));
  EXPECT_TRUE(m.bar.look.useFillGraphic);
  EXPECT_EQ(m.form.lLastValue, 0);
  EXPECT_EQ(m.dialogs.pictureAsked.back().substr(m.dialogs.pictureAsked.back().rfind('|') + 1),
            "C:\\pics\\notapicture.txt");  // the last name given
}

TEST_F(MonitorDisplayTest, ResetMovesTheBarCentresTheRestAndForgetsPositions) {
  Monitor m(store);
  m.form.Load();
  int moved = m.bar.bottomRight;
  m.Click(kResetWindowPositions);
  EXPECT_EQ(m.bar.bottomRight, moved + 1);
  EXPECT_EQ(m.centred, 1);
  EXPECT_EQ(m.positionResets, 1);
}

TEST_F(MonitorDisplayTest, NextStartShowsTheSameLook) {
  BarWindowLook look;
  TrayDrawing samples[3];
  {
    Monitor first(store);
    first.form.Load();
    first.form.Controls().UserSelect(kColorPresets, 6);  // "Dark Orange"
    first.dialogs.font = TrayFont{"Tahoma", 9.0f, false, true};
    first.form.Controls().UserClick(kTrayFontButtons[2]);
    first.Click(kShowBarBorder);
    first.Click(kRoundCorners);
    first.dialogs.colour = Rgb(1, 2, 3);
    first.form.Controls().UserClick(SwatchName(3));
    look = first.bar.look;
    for (int b = 0; b < 3; ++b) samples[b] = first.tray.samples[b];
    first.form.Unload();
    EXPECT_FALSE(first.bar.loaded);
    EXPECT_FALSE(first.tray.added);
  }
  Monitor second(store);
  second.form.Load();
  EXPECT_EQ(second.bar.look, look);
  EXPECT_EQ(second.bar.look.windowBack, 16512);
  EXPECT_TRUE(second.bar.look.border);
  EXPECT_FALSE(second.bar.look.roundCorners);
  for (int b = 0; b < 3; ++b) EXPECT_EQ(second.tray.samples[b], samples[b]) << b;
  EXPECT_EQ(second.tray.samples[2].font.name, "Tahoma");
}

TEST_F(MonitorDisplayTest, NothingIsCreatedOnceShutdownHasBegun) {
  Monitor m(store);
  m.form.bShuttingDown = true;
  m.display.SetColors();
  m.display.OnBarActivated();
  EXPECT_EQ(m.bar.creates, 0);
}

}  // namespace
}  // namespace skel::monitor::display
