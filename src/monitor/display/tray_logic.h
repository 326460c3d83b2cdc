// The tray icon's logic: which of the three bands a percentage falls in, the
// text drawn into the icon, the sample squares' texts and the tooltip.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "monitor/display/bar_paint.h"

namespace skel::monitor::display {

// A band's font, held by its sample square PicExample1..3.
struct TrayFont {
  std::string name = "Verdana";
  float size = 6.75f;  // points
  bool bold = true;
  bool italic = false;
  bool operator==(const TrayFont&) const = default;
};

// 1 for 0..49, 2 for 50..74, 3 for 75..100, 0 (no band) otherwise.
int TrayBandOf(int percent);

inline constexpr std::array<std::string_view, 3> kTrayBandCaptions{"0% to 49%", "50% to 74%",
                                                                   "75% to 100%"};
inline constexpr std::array<std::string_view, 3> kTraySampleTexts{"00", "50", "75"};

// The pixel colour that turns transparent in the tray icon: red 190.
inline constexpr Colour kTrayTransparentKey = Rgb(190, 0, 0);

// "||" while the advanced monitor is paused, otherwise the plain digits.
std::string TrayIconText(int percent, bool paused);

// What one percentage icon (or sample square) shows.
struct TrayDrawing {
  std::string text;
  Colour background = 0;
  Colour textColour = 0;
  TrayFont font;
  bool operator==(const TrayDrawing&) const = default;
};

// The first line of the tooltip: the settings window's caption up to the
// lower-case "v" that starts its version ("v2.4.1"); the whole caption when
// it shows no version.
std::string TooltipTitle(std::string_view caption);

struct TooltipInputs {
  std::string caption;      // of the settings window
  std::string barText;      // "" when "Hide Bar Text" is checked
  std::string usedPercent;  // text form of UsedPercentDecimal
  std::string upperText;
  std::string lowerText;
  bool paused = false;
};
// The lines joined with CR LF.
std::string TrayTooltip(const TooltipInputs& in);

// The font dialog works in whole points: 6.75 comes back as 7.
int WholePoints(float size);

}  // namespace skel::monitor::display
