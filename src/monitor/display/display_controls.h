// The controls of the monitor's face on the settings window: the "Monitor
// Settings" tab (bar window options, its colours and presets, the two text
// lists) and the tray band frames on the "General" tab.
#pragma once

#include <string>
#include <vector>

#include "ui/control_model.h"

namespace skel::monitor::display {

// Names of the controls this module adds. Names the system gives are kept
// (PicProgramColors(i), PicExample1..3); the others say what they are.
namespace names {
inline constexpr const char* kShowMonitor = "chkShowMonitor";
inline constexpr const char* kHideText = "chkHideText";
inline constexpr const char* kCompactMode = "chkCompactMode";
inline constexpr const char* kHideBarText = "chkHideBarText";
inline constexpr const char* kDisableBarFill = "chkDisableBarFill";
inline constexpr const char* kRoundCorners = "chkRoundCorners";
inline constexpr const char* kShowBarBorder = "chkShowBarBorder";
inline constexpr const char* kUseBarFillColor = "optUseBarFillColor";
inline constexpr const char* kUseBarFillGraphic = "optUseBarFillGraphic";
inline constexpr const char* kChangeBarFillGraphic = "cmdChangeBarFillGraphic";
inline constexpr const char* kResetWindowPositions = "cmdResetWindowPositions";
inline constexpr const char* kMonitorColorsFrame = "fraMonitorColors";
inline constexpr const char* kColorPresetsLabel = "lblColorPresets";
inline constexpr const char* kColorPresets = "cmbColorPresets";
inline constexpr const char* kRandomizeColors = "cmdRandomizeColors";
inline constexpr const char* kFirstTextFrame = "fraFirstText";
inline constexpr const char* kSecondTextFrame = "fraSecondText";
inline constexpr const char* kFirstText = "cmbFirstText";
inline constexpr const char* kSecondText = "cmbSecondText";
inline constexpr const char* kText1Align[3] = {"optText1Left", "optText1Center", "optText1Right"};
inline constexpr const char* kText2Align[3] = {"optText2Left", "optText2Center", "optText2Right"};
// The frame "Monitor Window:" is laid out here; the window effects place
// their controls in it.
inline constexpr const char* kMonitorWindowFrame = "fraMonitorWindow";
// Controls of the window effects that "Show Monitor" enables and disables.
inline constexpr const char* kOptionTrans[4] = {"OptionTrans(0)", "OptionTrans(1)",
                                                "OptionTrans(2)", "OptionTrans(3)"};
inline constexpr const char* kFadeSliders[2] = {"updFadeIn(0)", "updFadeIn(1)"};
inline constexpr const char* kFadeCaptions[2] = {"lblFadeIn(0)", "lblFadeIn(1)"};
inline constexpr const char* kAlwaysOnTop = "Check12";
// Tray (tab "General").
inline constexpr const char* kTrayPercent = "chkTrayPercent";
inline constexpr const char* kTrayBandFrames[3] = {"fraTrayBand1", "fraTrayBand2", "fraTrayBand3"};
inline constexpr const char* kTrayFontButtons[3] = {"cmdTrayFont1", "cmdTrayFont2", "cmdTrayFont3"};
inline constexpr const char* kTraySamples[3] = {"PicExample1", "PicExample2", "PicExample3"};
inline constexpr const char* kTrayCurrentLabels[3] = {"lblTrayCurrent1", "lblTrayCurrent2",
                                                      "lblTrayCurrent3"};
}  // namespace names

// "PicProgramColors(i)" and its caption "lblProgramColors(i)".
std::string SwatchName(int index);
std::string SwatchCaptionName(int index);

// Adds every control with its tab, frame, place and caption.
void AddDisplayControls(ui::ControlModel& controls);

// What "Show Monitor" enables and disables (the sliders and their captions
// only ever get disabled here: the effects enable them with their options).
std::vector<std::string> ShowMonitorDependents();
// What the tray switch enables and disables.
std::vector<std::string> TrayPercentDependents();

}  // namespace skel::monitor::display
