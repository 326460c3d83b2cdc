#include "monitor/display/colour_scheme.h"

#include <gtest/gtest.h>

#include <map>

namespace skel::monitor::display {
namespace {

TEST(ColourPresets, RowsAsListed) {
  ASSERT_EQ(kColourPresets.size(), 10u);
  EXPECT_EQ(kColourPresets[0].name, "Default Colors");
  EXPECT_EQ(kColourPresets[1].colours[0], -2147483633);  // system button face
  EXPECT_EQ(kColourPresets[1].colours[1], -2147483630);  // system button text
  EXPECT_EQ(kColourPresets[9].name, "Dark Yellow");
  EXPECT_EQ(kColourPresets[9].colours[0], Rgb(164, 164, 0));
  EXPECT_EQ(kColourPresets[9].colours[1], 0);
  EXPECT_EQ(kColourPresets[8].colours[0], Rgb(0, 64, 128));
}

TEST(SaveAllColorsKeys, ExactOrder) {
  std::vector<std::string> expected = {"programback",
                                       "programtext",
                                       "monitorprogressbar",
                                       "monitorprogressbartext",
                                       "monitorprogressbarfill",
                                       "monitorprogressbarfilltext",
                                       "monitorprogressbarborder",
                                       "monitorprogressusebarfill",
                                       "monitorprogressdontusebarfill",
                                       "text1left",
                                       "text1center",
                                       "text1right",
                                       "text2left",
                                       "text2center",
                                       "text2right",
                                       "trayicon1bgcolor",
                                       "trayicon1txtcolor",
                                       "trayicon2bgcolor",
                                       "trayicon2txtcolor",
                                       "trayicon3bgcolor",
                                       "trayicon3txtcolor",
                                       "trayicon1font",
                                       "trayicon1fontsize",
                                       "trayicon1fontbold",
                                       "trayicon1fontitalic",
                                       "trayicon2font",
                                       "trayicon2fontsize",
                                       "trayicon2fontbold",
                                       "trayicon2fontitalic",
                                       "trayicon3font",
                                       "trayicon3fontsize",
                                       "trayicon3fontbold",
                                       "trayicon3fontitalic"};
  EXPECT_EQ(SaveAllColorsKeys(), expected);
}

TEST(RandomColour, ReseededFromTheClockBeforeEachDraw) {
  // Within one clock tick every draw gives the same number.
  double t = 41234.5;
  Colour same = RandomColour([&] { return t; });
  int r = same & 0xFF;
  EXPECT_EQ(same, Rgb(r, r, r));
  EXPECT_EQ(RandomColour([&] { return t; }), same);
  // Draws across ticks vary and stay within 0..255.
  std::map<int, int> seen;
  for (int i = 0; i < 200; ++i) {
    int v = RandomChannel(40000.0 + i * 0.0625);
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 255);
    ++seen[v];
  }
  EXPECT_GT(seen.size(), 50u);
}

TEST(ThemeTargets, ByLowerCaseName) {
  struct Case {
    const char* name;
    ThemeTarget back, fore;
  } cases[] = {
      {"Label1", ThemeTarget::Control, ThemeTarget::Control},
      {"lblTitle", ThemeTarget::Control, ThemeTarget::Control},
      {"OptionTrans(0)", ThemeTarget::Control, ThemeTarget::Control},
      {"Check12", ThemeTarget::Control, ThemeTarget::Control},
      {"chkShowMonitor", ThemeTarget::Control, ThemeTarget::Control},
      {"Frame13", ThemeTarget::Control, ThemeTarget::Control},
      {"ColoursFrame", ThemeTarget::Control, ThemeTarget::Control},
      {"Picture3", ThemeTarget::Control, ThemeTarget::None},  // back only
      {"PB(0)", ThemeTarget::None, ThemeTarget::None},
      {"ctlTabs", ThemeTarget::TabStrip, ThemeTarget::TabStrip},
      {"TabMain1", ThemeTarget::TabStrip, ThemeTarget::TabStrip},
      {"Text1", ThemeTarget::None, ThemeTarget::None},
      {"cmdReset", ThemeTarget::None, ThemeTarget::None},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ThemeBackTarget(c.name), c.back) << c.name;
    EXPECT_EQ(ThemeForeTarget(c.name), c.fore) << c.name;
  }
}

class RecordingSurface : public ThemeSurface {
 public:
  std::vector<std::string> ControlNames() const override {
    return {"Label1", "Label2", "PB(0)", "ctlTabs", "Picture1"};
  }
  void SetControlBackColour(const std::string& n, Colour c) override {
    log.push_back("back " + n + "=" + std::to_string(c));
  }
  void SetControlForeColour(const std::string& n, Colour c) override {
    log.push_back("fore " + n + "=" + std::to_string(c));
  }
  void SetTabColours(const std::string& n, Colour inactive, Colour active, bool text) override {
    log.push_back(std::string(text ? "tabtext " : "tab ") + n + "=" + std::to_string(inactive) +
                  "/" + std::to_string(active));
  }
  void SetWindowBackColour(Colour c) override { log.push_back("window=" + std::to_string(c)); }
  std::vector<std::string> log;
};

TEST(SetTheme, ReachesTheNamedControlsThenTheWindow) {
  RecordingSurface w;
  SetThemeBackColor(w, 42);
  EXPECT_EQ(w.log,
            (std::vector<std::string>{"back Label1=42", "back Label2=42", "tab ctlTabs=12632256/42",
                                      "back Picture1=42", "window=42"}));
  w.log.clear();
  SetThemeForeColor(w, 7);
  EXPECT_EQ(w.log,
            (std::vector<std::string>{"fore Label1=7", "fore Label2=7", "tabtext ctlTabs=0/7"}));
}

}  // namespace
}  // namespace skel::monitor::display
