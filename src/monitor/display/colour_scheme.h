// The colour scheme of the bar window and the tray bands: the twelve swatches
// and their keys, the ten presets, the random colours, the order in which
// SaveAllColors writes every appearance key, and the naming rules by which
// SetThemeBackColor / SetThemeForeColor find the controls of a window.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "monitor/display/bar_paint.h"

namespace skel::monitor::display {

// One swatch of the control array PicProgramColors.
struct SwatchRole {
  int index;
  std::string_view key;
  std::string_view caption;  // caption beside the swatch
};
inline constexpr std::array<SwatchRole, 12> kSwatches{{
    {0, "programback", "Background Color:"},
    {1, "programtext", "Text Color:"},
    {2, "trayicon1bgcolor", "Background Color:"},
    {3, "trayicon1txtcolor", "Text Color:"},
    {4, "trayicon2bgcolor", "Background Color:"},
    {5, "trayicon2txtcolor", "Text Color:"},
    {6, "monitorprogressbar", "Bar Background Color:"},
    {7, "monitorprogressbartext", "Bar Text Color:"},
    {8, "monitorprogressbarfill", "Bar Fill Color:"},
    {9, "monitorprogressbarfilltext", "Bar Fill Text Color:"},
    {10, "trayicon3bgcolor", "Background Color:"},
    {11, "trayicon3txtcolor", "Text Color:"},
}};

// The swatches of the bar window, in the order presets and random colours
// fill them: background, text, bar background, bar text, bar fill, fill text.
inline constexpr std::array<int, 6> kBarSwatchOrder{0, 1, 6, 7, 8, 9};

struct ColourPreset {
  std::string_view name;
  std::array<Colour, 6> colours;  // in kBarSwatchOrder
};
inline constexpr std::array<ColourPreset, 10> kColourPresets{{
    {"Default Colors", {4210752, 16777215, 16777215, 0, 16711680, 0}},
    {"Windows Theme Colors",
     {SystemColour(kSysColourButtonFace), SystemColour(kSysColourButtonText), 12632256, 0, 0, 0}},
    {"Black", {0, 16777215, 16777215, 0, 0, 0}},
    {"Dark Blue", {4194304, 16777215, 16777215, 0, 0, 0}},
    {"Dark Green", {16384, 16777215, 16777215, 0, 0, 0}},
    {"Dark Grey", {3092271, 16777215, 16777215, 0, 0, 0}},
    {"Dark Orange", {16512, 16777215, 16777215, 0, 0, 0}},
    {"Dark Red", {128, 16777215, 16777215, 0, 0, 0}},
    {"Dark Teal", {8404992, 16777215, 16777215, 0, 0, 0}},
    {"Dark Yellow", {42148, 0, 16777215, 0, 0, 0}},
}};

// Every key SaveAllColors writes, in its order.
std::vector<std::string> SaveAllColorsKeys();

// One random colour channel as the program draws it: the generator is
// re-seeded from the clock's seconds before the draw, so two draws within one
// clock tick give the same number. 0..255.
int RandomChannel(double clockSeconds);
// A colour of three such draws, red, green, blue in that order; `clock` is
// read before each draw.
template <typename ClockFn>
Colour RandomColour(ClockFn&& clock) {
  int r = RandomChannel(clock());
  int g = RandomChannel(clock());
  int b = RandomChannel(clock());
  return Rgb(r, g, b);
}

// Which controls a colour theme reaches, by name.
enum class ThemeTarget { None, Control, TabStrip };
ThemeTarget ThemeBackTarget(std::string_view controlName);
ThemeTarget ThemeForeTarget(std::string_view controlName);

// A window as the colour theme sees it: its named controls and their colours.
class ThemeSurface {
 public:
  virtual ~ThemeSurface() = default;
  virtual std::vector<std::string> ControlNames() const = 0;
  // Controls without the property ignore the call.
  virtual void SetControlBackColour(const std::string& name, Colour colour) = 0;
  virtual void SetControlForeColour(const std::string& name, Colour colour) = 0;
  virtual void SetTabColours(const std::string& name, Colour inactive, Colour active,
                             bool text) = 0;
  virtual void SetWindowBackColour(Colour colour) = 0;
};

inline constexpr Colour kInactiveTabColour = 12632256;
void SetThemeBackColor(ThemeSurface& window, Colour colour);
void SetThemeForeColor(ThemeSurface& window, Colour colour);

}  // namespace skel::monitor::display
