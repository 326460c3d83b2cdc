// Every key of the monitor's settings file, section "main": its kind, the
// text that stands for the control's state when the key is missing or does
// not convert, and whether an empty text also falls back to that default.
//
// This table is the one place the monitor learns its defaults from; the
// loaders in settings_store.h convert `defaultText` with the same rules as a
// stored value, so a default can never disagree with what a write produces.
#pragma once

#include <array>
#include <string_view>

namespace skel::monitor {

// How a key's text is written and read (see setting_conversions.h).
enum class SettingKind {
  CheckBox,       // "0" / "1"; read as a whole number
  Option,         // option button: "True" / "False"; read as a truth value
  MenuCheck,      // menu check mark: as Option
  FontBold,       // as Option
  FontItalic,     // as Option
  Colour,         // signed decimal 32-bit colour, red in the lowest byte
  FontSize,       // single-precision points, locale decimal separator
  WholeNumber,    // slider level 0..255, read as a whole number
  FontName,       // the text itself
  FilePath,       // the text itself
  ListSelection,  // the selected entry's text; must be one of the list's entries
  NumericField,   // the text itself
};

// True for the kinds whose text form is "True"/"False".
constexpr bool IsTruthKind(SettingKind kind) {
  return kind == SettingKind::Option || kind == SettingKind::MenuCheck ||
         kind == SettingKind::FontBold || kind == SettingKind::FontItalic;
}

struct SettingKey {
  std::string_view name;  // spelled as stored (the profile functions ignore case)
  SettingKind kind;
  std::string_view defaultText;  // in the key's own written form; "" = empty / no selection
  bool defaultIfEmpty;           // an empty stored text also gives the default
};

inline constexpr std::string_view kSettingsSection = "main";
inline constexpr std::string_view kSettingsFileName = "skelvane_settings.ini";

inline constexpr std::array<SettingKey, 72> kSettingKeys{{
    // Bar window and its texts.
    {"show", SettingKind::CheckBox, "1", false},
    {"showtotals", SettingKind::CheckBox, "0", false},  // "Hide Text": 1 hides the texts
    {"compact", SettingKind::CheckBox, "0", false},
    {"hidebartext", SettingKind::CheckBox, "0", false},
    {"disablebarfill", SettingKind::CheckBox, "0", false},
    {"roundcorners", SettingKind::CheckBox, "1", false},
    {"monitorprogressbarborder", SettingKind::CheckBox, "0", false},
    {"monitorprogressusebarfill", SettingKind::Option, "False", false},
    {"monitorprogressdontusebarfill", SettingKind::Option, "True", false},
    {"BarFillGraphicLocation", SettingKind::FilePath, "", false},  // "" = built-in graphic
    {"1sttext", SettingKind::ListSelection, "Memory Total", true},
    {"2ndtext", SettingKind::ListSelection, "Commit Total", true},
    {"text1left", SettingKind::Option, "True", false},
    {"text1center", SettingKind::Option, "False", false},
    {"text1right", SettingKind::Option, "False", false},
    {"text2left", SettingKind::Option, "True", false},
    {"text2center", SettingKind::Option, "False", false},
    {"text2right", SettingKind::Option, "False", false},
    // Colours of the bar window.
    {"programback", SettingKind::Colour, "4210752", false},
    {"programtext", SettingKind::Colour, "16777215", false},
    {"monitorprogressbar", SettingKind::Colour, "16777215", false},
    {"monitorprogressbartext", SettingKind::Colour, "0", false},
    {"monitorprogressbarfill", SettingKind::Colour, "16711680", false},
    {"monitorprogressbarfilltext", SettingKind::Colour, "0", false},
    // Tray icon, bands 1 (0-49 %), 2 (50-74 %), 3 (75-100 %).
    {"icon", SettingKind::CheckBox, "1", false},
    {"trayicon1bgcolor", SettingKind::Colour, "49152", false},
    {"trayicon2bgcolor", SettingKind::Colour, "65535", false},
    {"trayicon3bgcolor", SettingKind::Colour, "255", false},
    {"trayicon1txtcolor", SettingKind::Colour, "0", false},
    {"trayicon2txtcolor", SettingKind::Colour, "0", false},
    {"trayicon3txtcolor", SettingKind::Colour, "0", false},
    {"trayicon1font", SettingKind::FontName, "Verdana", true},
    {"trayicon2font", SettingKind::FontName, "Verdana", true},
    {"trayicon3font", SettingKind::FontName, "Verdana", true},
    {"trayicon1fontsize", SettingKind::FontSize, "6.75", false},
    {"trayicon2fontsize", SettingKind::FontSize, "6.75", false},
    {"trayicon3fontsize", SettingKind::FontSize, "6.75", false},
    {"trayicon1fontbold", SettingKind::FontBold, "True", false},
    {"trayicon2fontbold", SettingKind::FontBold, "True", false},
    {"trayicon3fontbold", SettingKind::FontBold, "True", false},
    {"trayicon1fontitalic", SettingKind::FontItalic, "False", false},
    {"trayicon2fontitalic", SettingKind::FontItalic, "False", false},
    {"trayicon3fontitalic", SettingKind::FontItalic, "False", false},
    // Window effects.
    {"ontop", SettingKind::CheckBox, "0", false},
    {"transparencylevel", SettingKind::WholeNumber, "175", false},
    {"ghosttransparencylevel", SettingKind::WholeNumber, "175", false},
    {"enabletransparency", SettingKind::Option, "False", false},
    {"enableghost", SettingKind::Option, "False", false},
    {"blendtodesktop", SettingKind::Option, "False", false},
    {"normal", SettingKind::Option, "True", false},
    // Source of the system up time.
    {"MenuGetTickCount", SettingKind::MenuCheck, "True", false},
    {"MenuPerformanceCounters", SettingKind::MenuCheck, "False", false},
    // Automation, listeners and other windows.
    {"enableautoclean", SettingKind::CheckBox, "0", false},
    {"autocleanpercent", SettingKind::NumericField, "75", true},
    {"autocleanmin", SettingKind::NumericField, "5", true},
    {"enableautocleanfilecache", SettingKind::CheckBox, "0", false},
    {"autocleanfilecachesize", SettingKind::NumericField, "50", true},
    {"autocleanfilecahcemin", SettingKind::NumericField, "5", true},
    {"enableadvancedmonitor", SettingKind::CheckBox, "0", false},
    {"advancedmonitormin", SettingKind::NumericField, "5", true},
    {"hotkeyenable", SettingKind::CheckBox, "0", false},
    {"hotkey1", SettingKind::ListSelection, "SHIFT", true},
    {"hotkey2", SettingKind::ListSelection, "F1", true},
    {"hotkey2enable", SettingKind::CheckBox, "0", false},
    {"hotkey3", SettingKind::ListSelection, "", false},  // no selection
    {"startwithwindows", SettingKind::CheckBox, "0", false},
    {"startallusers", SettingKind::Option, "True", false},
    {"startcurrentuser", SettingKind::Option, "False", false},
    {"enableremote", SettingKind::CheckBox, "0", false},
    {"remoteport", SettingKind::NumericField, "2012", true},
    {"onlyallowip", SettingKind::CheckBox, "0", false},
    {"showfileachelegend", SettingKind::CheckBox, "0", false},
}};

// The row of a key, compared without regard to letter case as the profile
// functions do; nullptr for a name that is not a key of the monitor.
const SettingKey* FindSettingKey(std::string_view name);

// The row of a key that must exist (a name from the table); a misspelt name
// is a programming error and throws std::out_of_range.
const SettingKey& SettingKeyOf(std::string_view name);

}  // namespace skel::monitor
