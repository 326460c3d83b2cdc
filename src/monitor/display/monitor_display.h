// The monitor's face: the bar window FrmMonitor, the tray icon and the colour
// scheme, as the settings window FrmMain drives them. This object holds the
// state of the face (band fonts, the fill graphic's path, the texts last
// shown) and the procedures of the bar window, the tray icon and the colour
// scheme; AttachDisplay puts its controls, handlers and settings bindings on
// the settings window and fills the start-up, tick and shutdown hooks it owns.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "monitor/core/stats_sampler.h"
#include "monitor/display/display_controls.h"
#include "monitor/display/display_ports.h"
#include "monitor/shell/main_form.h"

namespace skel::monitor::display {

// What other parts of the monitor provide. An empty function is skipped.
struct DisplayServices {
  std::function<const StatsSnapshot&()> snapshot;  // of the last tick
  std::function<void()> queryFileCache;            // GetFileCacheInfo into the snapshot
  std::function<std::string()> settingsCaption;
  std::function<bool()> advancedMonitorPaused;  // "Pause Advanced Monitor" checked
  std::function<void()> focusSettingsWindow;
  std::function<void()> centreOtherWindows;    // every open window but the bar window
  std::function<void()> resetStoredPositions;  // ResetWindowPositions
  std::function<std::string()> programFolder;
  std::function<double()> clockSeconds;  // seeds "Randomize Colors"
  // Window effects: the mode applied when the bar window loads, "Always On
  // Top" on activation, and the snapping registration.
  std::function<void()> applyWindowMode;
  std::function<void()> setOnTopNow;
  std::function<void(bool)> registerSnap;
  LocaleSeparators separators = CurrentSeparators();
};

inline constexpr int kNormalWidth = 2310;
inline constexpr int kNormalHeight = 555;
inline constexpr int kCompactWidth = 1155;
inline constexpr const char* kFillGraphicTitle =
    "Choose Bar Fill Graphic - 154 x 12 Pixels Recommended";
inline constexpr const char* kFillGraphicFilter =
    "Picture Files (*.jpg *.bmp *.gif)|*.jpg;*.bmp;*.gif";

class MonitorDisplay {
 public:
  MonitorDisplay(MainForm& form, BarWindowPort& bar, TrayIconPort& tray, DisplayDialogs& dialogs,
                 DisplayServices services);

  // Adds the controls, handlers, bindings and hooks to the settings window.
  void Attach();

  // Bar window.
  void LoadBarWindow();
  void UnloadBarWindow();
  void OnBarActivated();
  void SetColors();
  void ShowMonitorReleased();
  void HideTextReleased();
  void CompactReleased();
  void ChangeBarFillGraphic();
  void ResetWindowPositionsNow();
  void MenuShowHideMonitor();
  void MenuShowHideText();
  void SetBarValue(int value);
  void SetBarTexts();

  // Colour scheme.
  void SetAllColors();
  void SaveAllColors();
  void ChooseSwatchColour(int index);
  void ChoosePreset(int index);
  void RandomizeColors();
  void ChooseBandFont(int band);

  // Tray icon.
  void SetTrayExamples();
  void UpdateTrayIcon(int percent);
  void RebuildToolTip();
  std::string ToolTipText() const;
  const TrayDrawing& LastTrayDrawing() const { return trayDrawing_; }

  TrayFont& BandFont(int band) { return fonts_[band - 1]; }
  Colour SwatchColour(int index) const;
  const std::string& BarTextShown() const { return barText_; }
  const std::string& UpperText() const { return upperText_; }
  const std::string& LowerText() const { return lowerText_; }

  std::string sBarFillGraphicLocation;

 private:
  bool Checked(const char* name) const { return form_.Controls().Checked(name); }
  void EnsureBarWindow();
  void SetEnabledAll(const std::vector<std::string>& names, bool enabled);
  void ApplyAlignment();
  TrayDrawing BandDrawing(int band, const std::string& text) const;
  void BindFontKeys();
  const StatsSnapshot& Stats() const;

  MainForm& form_;
  BarWindowPort& bar_;
  TrayIconPort& tray_;
  DisplayDialogs& dialogs_;
  DisplayServices services_;
  std::array<TrayFont, 3> fonts_{};
  bool useFillGraphic_ = true;
  TextAlign upperAlign_ = TextAlign::Left;
  TextAlign lowerAlign_ = TextAlign::Left;
  std::string barText_, upperText_, lowerText_;
  int trayIconSize_ = 16;
  TrayDrawing trayDrawing_;
  StatsSnapshot emptyStats_;
};

// The entry point the app calls once, after constructing the object.
inline void AttachDisplay(MonitorDisplay& display) {
  display.Attach();
}

}  // namespace skel::monitor::display
