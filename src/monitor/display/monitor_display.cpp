#include "monitor/display/monitor_display.h"

#include "monitor/display/bar_texts.h"
#include "monitor/display/colour_scheme.h"

namespace skel::monitor::display {
namespace {

using ui::ControlEvent;

// The band's two swatches: background and text.
constexpr int kBandSwatches[3][2] = {{2, 3}, {4, 5}, {10, 11}};

std::string BandKey(int band, const char* suffix) {
  return "trayicon" + std::to_string(band) + suffix;
}

}  // namespace

MonitorDisplay::MonitorDisplay(MainForm& form, BarWindowPort& bar, TrayIconPort& tray,
                               DisplayDialogs& dialogs, DisplayServices services)
    : form_(form), bar_(bar), tray_(tray), dialogs_(dialogs), services_(std::move(services)) {}

Colour MonitorDisplay::SwatchColour(int index) const {
  return static_cast<Colour>(form_.Controls().Get(SwatchName(index)).color);
}

const StatsSnapshot& MonitorDisplay::Stats() const {
  return services_.snapshot ? services_.snapshot() : emptyStats_;
}

void MonitorDisplay::Attach() {
  using namespace names;
  ui::ControlModel& c = form_.Controls();
  AddDisplayControls(c);

  // Settings the controls hold.
  const std::pair<const char*, const char*> bindings[] = {
      {"show", kShowMonitor},
      {"showtotals", kHideText},
      {"compact", kCompactMode},
      {"hidebartext", kHideBarText},
      {"disablebarfill", kDisableBarFill},
      {"roundcorners", kRoundCorners},
      {"monitorprogressbarborder", kShowBarBorder},
      {"monitorprogressusebarfill", kUseBarFillColor},
      {"monitorprogressdontusebarfill", kUseBarFillGraphic},
      {"1sttext", kFirstText},
      {"2ndtext", kSecondText},
      {"text1left", kText1Align[0]},
      {"text1center", kText1Align[1]},
      {"text1right", kText1Align[2]},
      {"text2left", kText2Align[0]},
      {"text2center", kText2Align[1]},
      {"text2right", kText2Align[2]},
      {"icon", kTrayPercent},
  };
  for (const auto& [key, control] : bindings) form_.BindSetting(key, control);
  for (const SwatchRole& s : kSwatches) form_.BindSetting(s.key, SwatchName(s.index));
  form_.BindSetting("BarFillGraphicLocation", [this] {
    sBarFillGraphicLocation = form_.Settings().LoadText("BarFillGraphicLocation");
  });
  BindFontKeys();

  // Handlers. "Mouse released" handlers run on MouseUp only, so loading a
  // key (which sets the value and clicks) does not run them.
  c.On(kShowMonitor, ControlEvent::MouseUp, [this](ui::Control&) { ShowMonitorReleased(); });
  c.On(kHideText, ControlEvent::MouseUp, [this](ui::Control&) { HideTextReleased(); });
  c.On(kCompactMode, ControlEvent::MouseUp, [this](ui::Control&) { CompactReleased(); });
  c.On(kHideBarText, ControlEvent::MouseUp,
       [this](ui::Control&) { form_.SaveSetting("hidebartext"); });
  c.On(kDisableBarFill, ControlEvent::MouseUp,
       [this](ui::Control&) { form_.SaveSetting("disablebarfill"); });
  c.On(kRoundCorners, ControlEvent::Click, [this](ui::Control&) {
    form_.SaveSetting("roundcorners");
    SetAllColors();
  });
  std::vector<const char*> recolour = {kShowBarBorder, kUseBarFillColor, kUseBarFillGraphic};
  for (int a = 0; a < 3; ++a) {
    recolour.push_back(kText1Align[a]);
    recolour.push_back(kText2Align[a]);
  }
  for (const char* n : recolour) {
    c.On(n, ControlEvent::MouseUp, [this](ui::Control&) { SetAllColors(); });
  }
  c.On(kFirstText, ControlEvent::Click, [this](ui::Control&) { form_.SaveSetting("1sttext"); });
  c.On(kSecondText, ControlEvent::Click, [this](ui::Control&) { form_.SaveSetting("2ndtext"); });
  c.On(kChangeBarFillGraphic, ControlEvent::Click,
       [this](ui::Control&) { ChangeBarFillGraphic(); });
  c.On(kResetWindowPositions, ControlEvent::Click,
       [this](ui::Control&) { ResetWindowPositionsNow(); });
  for (const SwatchRole& s : kSwatches) {
    int index = s.index;
    c.On(SwatchName(index), ControlEvent::Click,
         [this, index](ui::Control&) { ChooseSwatchColour(index); });
  }
  c.On(kColorPresets, ControlEvent::Click, [this](ui::Control& list) {
    if (list.listIndex >= 0) ChoosePreset(list.listIndex);
  });
  c.On(kRandomizeColors, ControlEvent::Click, [this](ui::Control&) { RandomizeColors(); });
  for (int b = 1; b <= 3; ++b) {
    c.On(kTrayFontButtons[b - 1], ControlEvent::Click,
         [this, b](ui::Control&) { ChooseBandFont(b); });
  }
  c.On(kTrayPercent, ControlEvent::Click, [this](ui::Control& box) {
    form_.SaveSetting("icon");
    SetEnabledAll(TrayPercentDependents(), box.value != 0);
    if (box.value) {
      form_.lLastValue = 0;
    } else {
      tray_.ShowProgramIcon();
    }
  });

  // The steps of start-up, tick and shutdown that are the face's.
  MainFormHooks& h = form_.Hooks();
  h.prepareTraySurfaces = [this] { tray_.PrepareSurfaces(); };
  h.showTrayIcon = [this] { tray_.Add(); };
  h.loadBarFillGraphic = [this] {
    if (!sBarFillGraphicLocation.empty()) bar_.LoadFillGraphic(sBarFillGraphicLocation);
  };
  h.applyShowMonitorAndCompact = [this] {
    ShowMonitorReleased();
    CompactReleased();
  };
  h.setTrayExamples = [this] { SetTrayExamples(); };
  h.prepareTrayDrawing = [this] { trayIconSize_ = tray_.IconSize(); };
  h.setBarValue = [this](int value) { SetBarValue(value); };
  h.setBarTexts = [this] { SetBarTexts(); };
  h.updateTrayIcon = [this](int percent) { UpdateTrayIcon(percent); };
  h.removeTrayIcon = [this] { tray_.Remove(); };
  h.unloadBarWindow = [this] { UnloadBarWindow(); };
}

void MonitorDisplay::BindFontKeys() {
  MonitorSettings& s = form_.Settings();
  for (int b = 1; b <= 3; ++b) {
    TrayFont& f = fonts_[b - 1];
    std::string name = BandKey(b, "font"), size = BandKey(b, "fontsize"),
                bold = BandKey(b, "fontbold"), italic = BandKey(b, "fontitalic");
    form_.BindSetting(name, [&s, &f, name] { f.name = s.LoadText(name); });
    form_.BindSetting(size, [&s, &f, size] { f.size = s.LoadFontSize(size); });
    form_.BindSetting(bold, [&s, &f, bold] { f.bold = s.LoadTruth(bold); });
    form_.BindSetting(italic, [&s, &f, italic] { f.italic = s.LoadTruth(italic); });
  }
}

void MonitorDisplay::SetEnabledAll(const std::vector<std::string>& names, bool enabled) {
  for (const auto& n : names) form_.Controls().SetEnabled(n, enabled);
}

// ---- Bar window ----

void MonitorDisplay::EnsureBarWindow() {
  if (!bar_.IsLoaded()) LoadBarWindow();
}

void MonitorDisplay::LoadBarWindow() {
  if (form_.bShuttingDown) return;  // late events must not re-create it
  if (bar_.IsLoaded()) return;
  bar_.Create();
  if (!bar_.IsLoaded()) return;
  // The window reads these two straight from the file: the check boxes may
  // not be loaded yet when the window is first referenced.
  std::string hide = form_.Settings().ReadText("showtotals");
  std::string compact = form_.Settings().ReadText("compact");
  if (hide == "1" || compact == "1") {
    int width = compact == "1" ? kCompactWidth : bar_.BarWidth();
    bar_.SetWindowSize(width, bar_.BarHeight());
  }
  SetColors();
  bar_.MoveToBottomRight();
  bar_.RestorePosition();
  if (services_.registerSnap) services_.registerSnap(true);
  if (services_.applyWindowMode) services_.applyWindowMode();
}

void MonitorDisplay::UnloadBarWindow() {
  if (!bar_.IsLoaded()) return;
  if (services_.registerSnap) services_.registerSnap(false);
  bar_.Destroy();
}

void MonitorDisplay::OnBarActivated() {
  if (services_.setOnTopNow) services_.setOnTopNow();
  if (form_.bShuttingDown) {
    UnloadBarWindow();
    return;
  }
  SetColors();
}

void MonitorDisplay::SetColors() {
  using namespace names;
  EnsureBarWindow();
  if (!bar_.IsLoaded()) return;
  BarWindowLook look;
  look.windowBack = SwatchColour(0);
  look.windowText = SwatchColour(1);
  look.barText = SwatchColour(7);
  look.barBack = SwatchColour(6);
  look.roundCorners = Checked(kRoundCorners);
  look.border = Checked(kShowBarBorder);
  // With neither option chosen (a hand-edited file) the bar keeps its fill.
  if (Checked(kUseBarFillColor)) useFillGraphic_ = false;
  if (Checked(kUseBarFillGraphic)) useFillGraphic_ = true;
  look.useFillGraphic = useFillGraphic_;
  look.fillColour = SwatchColour(8);
  look.fillText = SwatchColour(9);
  if (Checked(kOptionTrans[2])) {
    look.blend = true;
    look.windowBack = 1;
    look.barBack = 1;
    look.barText = 16777215;
  }
  bar_.ApplyLook(look);
}

void MonitorDisplay::ShowMonitorReleased() {
  using namespace names;
  ui::ControlModel& c = form_.Controls();
  form_.SaveSetting("show");
  if (!Checked(kShowMonitor)) {
    c.SetValue(kOptionTrans[3], 1);
    c.SetValue(kAlwaysOnTop, 0);
    SetEnabledAll(ShowMonitorDependents(), false);
    if (bar_.IsLoaded()) bar_.Show(false);
    return;
  }
  SetEnabledAll(ShowMonitorDependents(), true);
  // The effects enable the sliders with their options.
  for (int s = 0; s < 2; ++s) {
    c.SetEnabled(kFadeSliders[s], false);
    c.SetEnabled(kFadeCaptions[s], false);
  }
  c.SetEnabled(kHideText, !Checked(kCompactMode));
  EnsureBarWindow();
  if (bar_.IsLoaded()) bar_.Show(true);
}

void MonitorDisplay::HideTextReleased() {
  form_.SaveSetting("showtotals");
  EnsureBarWindow();
  if (bar_.IsLoaded()) {
    if (Checked(names::kHideText)) {
      bar_.SetWindowSize(bar_.BarWidth(), bar_.BarHeight());
    } else {
      bar_.SetWindowSize(kNormalWidth, kNormalHeight);
    }
  }
  SetAllColors();
  if (services_.focusSettingsWindow) services_.focusSettingsWindow();
}

void MonitorDisplay::CompactReleased() {
  using namespace names;
  ui::ControlModel& c = form_.Controls();
  form_.SaveSetting("compact");
  EnsureBarWindow();
  bool compact = Checked(kCompactMode);
  int width = compact ? kCompactWidth : kNormalWidth;
  if (bar_.IsLoaded()) {
    bar_.SetWindowWidth(width);
    bar_.SetBarWidth(width);
  }
  if (compact) c.SetValue(kHideText, 1);
  c.SetEnabled(kHideText, !compact);
  // A chosen graphic is simply tiled; only while the button is disabled (the
  // bar window hidden) does the built-in graphic follow the mode.
  if (!c.Get(kChangeBarFillGraphic).enabled) bar_.UseBuiltInFillGraphic(compact);
  HideTextReleased();
}

void MonitorDisplay::ChangeBarFillGraphic() {
  std::string initial = sBarFillGraphicLocation;
  if (initial.empty()) {
    initial =
        (services_.programFolder ? services_.programFolder() : std::string()) + "\\bars\\bar1.jpg";
  }
  std::optional<std::string> file =
      dialogs_.OpenPicture(kFillGraphicTitle, kFillGraphicFilter, initial);
  if (!file || file->empty()) return;
  sBarFillGraphicLocation = *file;
  if (!bar_.LoadFillGraphic(*file)) return;
  form_.Settings().WriteText("BarFillGraphicLocation", *file);
  form_.Controls().SetValue(names::kUseBarFillGraphic, 1);
  SetAllColors();
  form_.lLastValue = 0;
}

void MonitorDisplay::ResetWindowPositionsNow() {
  if (bar_.IsLoaded()) bar_.MoveToBottomRight();
  if (services_.centreOtherWindows) services_.centreOtherWindows();
  if (services_.resetStoredPositions) services_.resetStoredPositions();
}

void MonitorDisplay::MenuShowHideMonitor() {
  ui::ControlModel& c = form_.Controls();
  c.SetValue(names::kShowMonitor, Checked(names::kShowMonitor) ? 0 : 1);
  ShowMonitorReleased();
}

void MonitorDisplay::MenuShowHideText() {
  if (Checked(names::kCompactMode)) {
    dialogs_.Message("Disable Compact Mode First");
    return;
  }
  ui::ControlModel& c = form_.Controls();
  c.SetValue(names::kHideText, Checked(names::kHideText) ? 0 : 1);
  HideTextReleased();
}

void MonitorDisplay::SetBarValue(int value) {
  if (bar_.IsLoaded()) bar_.SetBarValue(value);
}

void MonitorDisplay::SetBarTexts() {
  using namespace names;
  const ui::ControlModel& c = form_.Controls();
  barText_ = BarText(Stats(), Checked(kHideBarText), Checked(kCompactMode), services_.separators);
  if (bar_.IsLoaded()) bar_.SetBarText(barText_);
  auto line = [&](const char* list, bool upper, std::string& shown) {
    std::string selection = c.ListText(list);
    if (NeedsFileCache(selection) && services_.queryFileCache) services_.queryFileCache();
    LineText t = MonitorLineText(selection, upper, Stats(), services_.separators);
    if (!t.keep) shown = t.text;
  };
  line(kFirstText, true, upperText_);
  line(kSecondText, false, lowerText_);
  if (bar_.IsLoaded()) bar_.SetTexts(upperText_, lowerText_);
}

// ---- Colour scheme ----

void MonitorDisplay::ApplyAlignment() {
  using namespace names;
  auto pick = [&](const char* const* options, TextAlign& align) {
    if (Checked(options[0])) align = TextAlign::Left;
    if (Checked(options[1])) align = TextAlign::Center;
    if (Checked(options[2])) align = TextAlign::Right;
  };
  pick(kText1Align, upperAlign_);
  pick(kText2Align, lowerAlign_);
  if (bar_.IsLoaded()) bar_.SetAlignment(upperAlign_, lowerAlign_);
}

void MonitorDisplay::SetAllColors() {
  SetColors();
  SetTrayExamples();
  ShowMonitorReleased();
  ApplyAlignment();
  SaveAllColors();
}

void MonitorDisplay::SaveAllColors() {
  MonitorSettings& s = form_.Settings();
  for (const std::string& key : SaveAllColorsKeys()) {
    if (key.rfind("trayicon", 0) == 0 && key.find("font") != std::string::npos) {
      const TrayFont& f = fonts_[key[8] - '1'];
      std::string_view rest = std::string_view(key).substr(9);
      if (rest == "font") {
        s.WriteText(key, f.name);
      } else if (rest == "fontsize") {
        s.WriteFontSize(key, f.size);
      } else if (rest == "fontbold") {
        s.WriteTruth(key, f.bold);
      } else {
        s.WriteTruth(key, f.italic);
      }
      continue;
    }
    form_.SaveSetting(key);
  }
}

void MonitorDisplay::ChooseSwatchColour(int index) {
  std::optional<Colour> chosen = dialogs_.ChooseColour(SwatchColour(index));
  if (!chosen) return;
  form_.Controls().SetColor(SwatchName(index), *chosen);
  SetAllColors();
  form_.lLastValue = 0;
  ShowMonitorReleased();
}

void MonitorDisplay::ChoosePreset(int index) {
  if (index < 0 || index >= static_cast<int>(kColourPresets.size())) return;
  ui::ControlModel& c = form_.Controls();
  c.SetValue(names::kUseBarFillGraphic, 1);
  for (size_t i = 0; i < kBarSwatchOrder.size(); ++i) {
    c.SetColor(SwatchName(kBarSwatchOrder[i]), kColourPresets[index].colours[i]);
  }
  SetAllColors();
}

void MonitorDisplay::RandomizeColors() {
  ui::ControlModel& c = form_.Controls();
  c.SetValue(names::kUseBarFillColor, 1);
  auto clock = [this] { return services_.clockSeconds ? services_.clockSeconds() : 0.0; };
  for (int index : kBarSwatchOrder) c.SetColor(SwatchName(index), RandomColour(clock));
  form_.lLastValue = 0;
  SetAllColors();
}

void MonitorDisplay::ChooseBandFont(int band) {
  if (band < 1 || band > 3) return;
  TrayFont preset = fonts_[band - 1];
  preset.size = static_cast<float>(WholePoints(preset.size));
  std::optional<TrayFont> chosen = dialogs_.PickFont(preset);
  if (!chosen) return;
  TrayFont f = *chosen;
  f.size = static_cast<float>(WholePoints(f.size));
  fonts_[band - 1] = f;
  SetTrayExamples();
  SaveAllColors();
  form_.lLastValue = 0;
}

// ---- Tray icon ----

TrayDrawing MonitorDisplay::BandDrawing(int band, const std::string& text) const {
  TrayDrawing d;
  d.text = text;
  d.background = SwatchColour(kBandSwatches[band - 1][0]);
  d.textColour = SwatchColour(kBandSwatches[band - 1][1]);
  d.font = fonts_[band - 1];
  return d;
}

void MonitorDisplay::SetTrayExamples() {
  for (int b = 1; b <= 3; ++b) {
    tray_.DrawSample(b, BandDrawing(b, std::string(kTraySampleTexts[b - 1])));
  }
}

void MonitorDisplay::UpdateTrayIcon(int percent) {
  int band = TrayBandOf(percent);
  // Outside 0..100 no band is chosen and the surface keeps its colours.
  if (band != 0) trayDrawing_ = BandDrawing(band, "");
  bool paused = services_.advancedMonitorPaused && services_.advancedMonitorPaused();
  trayDrawing_.text = TrayIconText(percent, paused);
  tray_.ShowPercentIcon(trayDrawing_, trayIconSize_);
}

std::string MonitorDisplay::ToolTipText() const {
  TooltipInputs in;
  in.caption = services_.settingsCaption ? services_.settingsCaption() : std::string();
  in.barText = barText_;
  in.usedPercent = PercentText(Stats().UsedPercentDecimal, services_.separators);
  in.upperText = upperText_;
  in.lowerText = lowerText_;
  in.paused = services_.advancedMonitorPaused && services_.advancedMonitorPaused();
  return TrayTooltip(in);
}

void MonitorDisplay::RebuildToolTip() {
  tray_.SetToolTip(ToolTipText());
}

}  // namespace skel::monitor::display
