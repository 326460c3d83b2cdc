#include "monitor/display/display_controls.h"

#include "monitor/display/bar_texts.h"
#include "monitor/display/colour_scheme.h"
#include "monitor/display/tray_logic.h"
#include "monitor/shell/main_form.h"

namespace skel::monitor::display {
namespace {

using ui::Control;
using ui::ControlKind;

void Put(ui::ControlModel& model, const std::string& name, ControlKind kind,
         const std::string& caption, int tab, const std::string& container, ui::TwipRect rect,
         const std::string& group = "") {
  Control c;
  c.name = name;
  c.kind = kind;
  c.caption = caption;
  c.tab = tab;
  c.container = container;
  c.rect = rect;
  c.group = group;
  model.Add(std::move(c));
}

// Rows of the "Monitor Colors:" frame: the six bar window swatches.
constexpr int kColourRowTop = 300;
constexpr int kColourRowStep = 300;

}  // namespace

std::string SwatchName(int index) {
  return "PicProgramColors(" + std::to_string(index) + ")";
}
std::string SwatchCaptionName(int index) {
  return "lblProgramColors(" + std::to_string(index) + ")";
}

void AddDisplayControls(ui::ControlModel& m) {
  using namespace names;
  const int tab = kTabMonitorSettings;
  const auto check = ControlKind::CheckBox;
  const auto option = ControlKind::OptionButton;
  // Left column: the bar window's switches.
  Put(m, kShowMonitor, check, "Show Monitor", tab, "", {120, 120, 3200, 255});
  Put(m, kHideText, check, "Hide Text", tab, "", {120, 420, 3200, 255});
  Put(m, kCompactMode, check, "Compact Mode (Hide Text && 50% Bar Size)", tab, "",
      {120, 720, 3300, 255});
  Put(m, kHideBarText, check, "Hide Bar Text", tab, "", {120, 1020, 3200, 255});
  Put(m, kDisableBarFill, check, "Disable Bar Fill", tab, "", {120, 1320, 3200, 255});
  Put(m, kRoundCorners, check, "Round Corners", tab, "", {120, 1620, 3200, 255});
  Put(m, kShowBarBorder, check, "Show Bar Border", tab, "", {120, 1920, 3200, 255});
  Put(m, kUseBarFillColor, option, "Use Bar Fill Color", tab, "", {120, 2220, 3200, 255},
      "barfill");
  Put(m, kUseBarFillGraphic, option, "Use Bar Fill Graphic", tab, "", {120, 2520, 3200, 255},
      "barfill");
  Put(m, kChangeBarFillGraphic, ControlKind::Button, "Change Bar Fill Graphic", tab, "",
      {120, 2850, 2400, 330});
  Put(m, kResetWindowPositions, ControlKind::Button, "Reset Window Positions", tab, "",
      {120, 3270, 2400, 330});

  // The two text lists with their alignment buttons.
  std::vector<std::string> entries(kMonitorTextEntries.begin(), kMonitorTextEntries.end());
  const char* frames[2] = {kFirstTextFrame, kSecondTextFrame};
  const char* captions[2] = {"1st Text On Monitor", "2nd Text On Monitor"};
  const char* lists[2] = {kFirstText, kSecondText};
  for (int i = 0; i < 2; ++i) {
    Put(m, frames[i], ControlKind::Frame, captions[i], tab, "", {120, 3720 + i * 780, 3300, 700});
    Put(m, lists[i], ControlKind::ComboList, "", tab, frames[i], {120, 270, 1950, 315});
    m.Get(lists[i]).items = entries;
    const char* const* align = i == 0 ? kText1Align : kText2Align;
    const char* alignCaptions[3] = {"L", "C", "R"};
    for (int a = 0; a < 3; ++a) {
      Put(m, align[a], option, alignCaptions[a], tab, frames[i], {2160 + a * 360, 270, 350, 315},
          i == 0 ? "text1align" : "text2align");
    }
  }

  // "Monitor Colors:": six swatches, the presets and "Randomize Colors".
  Put(m, kMonitorColorsFrame, ControlKind::Frame, "Monitor Colors:", tab, "",
      {3540, 120, 3360, 2960});
  int row = 0;
  for (int index : kBarSwatchOrder) {
    int top = kColourRowTop + row++ * kColourRowStep;
    Put(m, SwatchCaptionName(index), ControlKind::Label, std::string(kSwatches[index].caption), tab,
        kMonitorColorsFrame, {120, top + 20, 2200, 255});
    Put(m, SwatchName(index), ControlKind::ColorSwatch, "", tab, kMonitorColorsFrame,
        {2400, top, 240, 240});
  }
  Put(m, kColorPresetsLabel, ControlKind::Label, "Color Presets:", tab, kMonitorColorsFrame,
      {120, 2170, 1100, 255});
  Put(m, kColorPresets, ControlKind::ComboList, "", tab, kMonitorColorsFrame,
      {1260, 2130, 1950, 315});
  for (const auto& preset : kColourPresets) m.Get(kColorPresets).items.emplace_back(preset.name);
  Put(m, kRandomizeColors, ControlKind::Button, "Randomize Colors", tab, kMonitorColorsFrame,
      {120, 2520, 1800, 330});
  // Room for the window effects.
  Put(m, kMonitorWindowFrame, ControlKind::Frame, "Monitor Window:", tab, "",
      {3540, 3180, 3360, 2040});

  // Tab "General": the switch and the three band frames along the bottom.
  const int general = kTabGeneral;
  Put(m, kTrayPercent, check, "Show \"Memory Used\" percentage in system tray icon", general, "",
      {120, 3300, 6700, 255});
  for (int b = 0; b < 3; ++b) {
    std::string frame = kTrayBandFrames[b];
    Put(m, frame, ControlKind::Frame, std::string(kTrayBandCaptions[b]), general, "",
        {120 + b * 2280, 3660, 2200, 1500});
    int back = b == 0 ? 2 : b == 1 ? 4 : 10;
    int text = back + 1;
    Put(m, SwatchCaptionName(back), ControlKind::Label, "Background Color:", general, frame,
        {120, 300, 1500, 255});
    Put(m, SwatchName(back), ControlKind::ColorSwatch, "", general, frame, {1740, 280, 240, 240});
    Put(m, SwatchCaptionName(text), ControlKind::Label, "Text Color:", general, frame,
        {120, 640, 1500, 255});
    Put(m, SwatchName(text), ControlKind::ColorSwatch, "", general, frame, {1740, 620, 240, 240});
    Put(m, kTrayCurrentLabels[b], ControlKind::Label, "Current:", general, frame,
        {120, 1040, 700, 255});
    Put(m, kTraySamples[b], ControlKind::Picture, "", general, frame, {840, 1000, 240, 240});
    Put(m, kTrayFontButtons[b], ControlKind::Button, "Font", general, frame, {1260, 960, 780, 330});
  }
}

std::vector<std::string> ShowMonitorDependents() {
  using namespace names;
  std::vector<std::string> out = {kMonitorColorsFrame, kMonitorWindowFrame, kFirstTextFrame,
                                  kSecondTextFrame};
  for (int index : kBarSwatchOrder) {
    out.push_back(SwatchName(index));
    out.push_back(SwatchCaptionName(index));
  }
  for (const char* n : {kColorPresetsLabel, kColorPresets, kRandomizeColors, kResetWindowPositions,
                        kHideText, kRoundCorners, kShowBarBorder, kHideBarText, kDisableBarFill,
                        kCompactMode, kUseBarFillColor, kUseBarFillGraphic}) {
    out.emplace_back(n);
  }
  for (int a = 0; a < 3; ++a) {
    out.emplace_back(kText1Align[a]);
    out.emplace_back(kText2Align[a]);
  }
  for (const char* n : kOptionTrans) out.emplace_back(n);
  for (int s = 0; s < 2; ++s) {
    out.emplace_back(kFadeSliders[s]);
    out.emplace_back(kFadeCaptions[s]);
  }
  for (const char* n : {kAlwaysOnTop, kFirstText, kSecondText, kChangeBarFillGraphic}) {
    out.emplace_back(n);
  }
  return out;
}

std::vector<std::string> TrayPercentDependents() {
  using namespace names;
  std::vector<std::string> out;
  for (int b = 0; b < 3; ++b) {
    out.emplace_back(kTrayBandFrames[b]);
    out.emplace_back(kTrayFontButtons[b]);
    out.emplace_back(kTrayCurrentLabels[b]);
  }
  for (int index : {2, 3, 4, 5, 10, 11}) {
    out.push_back(SwatchName(index));
    out.push_back(SwatchCaptionName(index));
  }
  return out;
}

}  // namespace skel::monitor::display
