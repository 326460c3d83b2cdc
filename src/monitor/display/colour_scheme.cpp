#include "monitor/display/colour_scheme.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace skel::monitor::display {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

bool StartsWithAny(const std::string& s, std::initializer_list<std::string_view> prefixes) {
  for (std::string_view p : prefixes) {
    if (s.compare(0, p.size(), p) == 0) return true;
  }
  return false;
}

bool EndsWith(const std::string& s, std::string_view suffix) {
  return s.size() >= suffix.size() &&
         s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

std::vector<std::string> SaveAllColorsKeys() {
  std::vector<std::string> keys = {"programback",
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
                                   "trayicon3txtcolor"};
  for (const char* band : {"1", "2", "3"}) {
    for (const char* suffix : {"font", "fontsize", "fontbold", "fontitalic"}) {
      keys.push_back(std::string("trayicon") + band + suffix);
    }
  }
  return keys;
}

int RandomChannel(double clockSeconds) {
  // Seed from the bits of the clock reading as a single-precision number (the
  // clock has a resolution of a tick), mixed so that neighbouring readings
  // seed far apart, then one step of a 24-bit linear congruential generator.
  float f = static_cast<float>(clockSeconds);
  uint32_t bits = 0;
  std::memcpy(&bits, &f, sizeof bits);
  uint32_t h = bits;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  uint32_t seed = h & 0xFFFFFFu;
  uint32_t next = (seed * 1140671485u + 12820163u) & 0xFFFFFFu;
  double uniform = next / 16777216.0;
  return static_cast<int>(uniform * 256.0);
}

ThemeTarget ThemeBackTarget(std::string_view controlName) {
  std::string n = Lower(controlName);
  if (StartsWithAny(n, {"ctltabs", "tabmain"})) return ThemeTarget::TabStrip;
  if (StartsWithAny(n, {"opt", "fra", "lab", "lbl", "chk", "che", "pict"}) ||
      EndsWith(n, "frame")) {
    return ThemeTarget::Control;
  }
  return ThemeTarget::None;
}

ThemeTarget ThemeForeTarget(std::string_view controlName) {
  std::string n = Lower(controlName);
  if (StartsWithAny(n, {"ctltabs", "tabmain"})) return ThemeTarget::TabStrip;
  if (StartsWithAny(n, {"opt", "fra", "lab", "chk", "lbl", "che"}) || EndsWith(n, "frame")) {
    return ThemeTarget::Control;
  }
  return ThemeTarget::None;
}

void SetThemeBackColor(ThemeSurface& window, Colour colour) {
  for (const std::string& name : window.ControlNames()) {
    switch (ThemeBackTarget(name)) {
      case ThemeTarget::Control:
        window.SetControlBackColour(name, colour);
        break;
      case ThemeTarget::TabStrip:
        window.SetTabColours(name, kInactiveTabColour, colour, false);
        break;
      case ThemeTarget::None:
        break;
    }
  }
  window.SetWindowBackColour(colour);
}

void SetThemeForeColor(ThemeSurface& window, Colour colour) {
  for (const std::string& name : window.ControlNames()) {
    switch (ThemeForeTarget(name)) {
      case ThemeTarget::Control:
        window.SetControlForeColour(name, colour);
        break;
      case ThemeTarget::TabStrip:
        window.SetTabColours(name, 0, colour, true);
        break;
      case ThemeTarget::None:
        break;
    }
  }
}

}  // namespace skel::monitor::display
