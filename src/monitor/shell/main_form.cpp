#include "monitor/shell/main_form.h"

namespace skel::monitor {

MainForm::MainForm(MonitorSettings& settings) : settings_(settings) {}

void MainForm::BindSetting(std::string_view key, std::string control) {
  const SettingKey* row = FindSettingKey(key);
  if (!row) return;
  // Before loading, a control shows its key's default: that is what remains
  // when the stored text is missing or does not convert.
  if (controls_.Has(control)) {
    ui::Control& c = controls_.Get(control);
    std::string_view def = row->defaultText;
    switch (row->kind) {
      case SettingKind::CheckBox:
        c.value = def == "1" ? 1 : 0;
        break;
      case SettingKind::Option:
      case SettingKind::MenuCheck:
      case SettingKind::FontBold:
      case SettingKind::FontItalic:
        c.value = def == "True" ? 1 : 0;
        break;
      case SettingKind::Colour:
        c.color = std::stoll(std::string(def));
        break;
      case SettingKind::WholeNumber:
        c.value = std::stoi(std::string(def));
        break;
      default:
        break;
    }
  }
  keyControl_[std::string(row->name)] = std::move(control);
}

void MainForm::BindSetting(std::string_view key, std::function<void()> load) {
  const SettingKey* row = FindSettingKey(key);
  if (row) keyLoader_[std::string(row->name)] = std::move(load);
}

std::string MainForm::ControlOf(std::string_view key) const {
  const SettingKey* row = FindSettingKey(key);
  if (!row) return "";
  auto it = keyControl_.find(row->name);
  return it == keyControl_.end() ? "" : it->second;
}

void MainForm::LoadSetting(std::string_view key) {
  const SettingKey* row = FindSettingKey(key);
  if (!row) return;
  if (auto it = keyLoader_.find(row->name); it != keyLoader_.end()) {
    if (it->second) it->second();
    return;
  }
  auto it = keyControl_.find(row->name);
  if (it == keyControl_.end()) return;
  const std::string& name = it->second;
  switch (row->kind) {
    case SettingKind::CheckBox:
      controls_.SetValue(name, settings_.LoadCheckBox(row->name) ? 1 : 0);
      break;
    case SettingKind::Option:
    case SettingKind::MenuCheck:
    case SettingKind::FontBold:
    case SettingKind::FontItalic:
      controls_.SetValue(name, settings_.LoadTruth(row->name) ? 1 : 0);
      break;
    case SettingKind::Colour:
      controls_.SetColor(name, settings_.LoadColour(row->name));
      break;
    case SettingKind::WholeNumber:
      controls_.SetValue(name, settings_.LoadSliderLevel(row->name));
      break;
    case SettingKind::ListSelection: {
      const auto& items = controls_.Get(name).items;
      controls_.SelectListText(name, settings_.LoadListSelection(row->name, items));
      break;
    }
    case SettingKind::NumericField:
      // The raw text: empty fields get their defaults in a later step.
      controls_.SetText(name, settings_.ReadText(row->name));
      break;
    default:
      controls_.SetText(name, settings_.LoadText(row->name));
      break;
  }
}

void MainForm::SaveSetting(std::string_view key) {
  const SettingKey* row = FindSettingKey(key);
  if (!row) return;
  auto it = keyControl_.find(row->name);
  if (it == keyControl_.end()) return;
  const ui::Control& c = controls_.Get(it->second);
  switch (row->kind) {
    case SettingKind::CheckBox:
      settings_.WriteCheckBox(row->name, c.value != 0);
      break;
    case SettingKind::Option:
    case SettingKind::MenuCheck:
    case SettingKind::FontBold:
    case SettingKind::FontItalic:
      settings_.WriteTruth(row->name, c.value != 0);
      break;
    case SettingKind::Colour:
      settings_.WriteColour(row->name, static_cast<int32_t>(c.color));
      break;
    case SettingKind::WholeNumber:
      settings_.WriteSliderLevel(row->name, c.value);
      break;
    case SettingKind::ListSelection:
      settings_.WriteText(row->name, controls_.ListText(it->second));
      break;
    default:
      settings_.WriteText(row->name, c.text);
      break;
  }
}

void MainForm::Pump() {
  if (hooks_.processMessages) hooks_.processMessages();
}

void MainForm::Step(const char* label, const std::function<void()>& hook) {
  trace_.push_back(label);
  if (!hook) return;
  try {
    hook();
  } catch (...) {
    // A failing step is skipped; the next one runs.
  }
}

void MainForm::LoadKeys(std::initializer_list<std::string_view> keys) {
  for (std::string_view key : keys) {
    try {
      LoadSetting(key);
    } catch (...) {
    }
  }
}

void MainForm::DefaultIfEmpty(std::string_view key, const char* text) {
  std::string control = ControlOf(key);
  if (!control.empty() && controls_.Get(control).text.empty()) controls_.SetText(control, text);
}

bool MainForm::Load() {
  trace_.push_back("step 1");
  if (bShuttingDown) return false;
  Pump();
  bShuttingDown = false;
  Step("step 2", hooks_.centreAndRestorePosition);
  trace_.push_back("step 3");  // the version text was set by the program
  Step("step 4", hooks_.selectFirstTab);
  Step("step 5", hooks_.prepareRemoteListAndLoadLists);
  Step("step 6", [&] {
    if (hooks_.openUpTimeQuery) hooks_.openUpTimeQuery();
  });
  LoadKeys({"MenuGetTickCount", "MenuPerformanceCounters"});
  Step("step 7", [&] {
    if (hooks_.hideWindow) hooks_.hideWindow();
  });
  lLastValue = 0;
  Step("step 8", hooks_.setCaption);
  Step("step 9", hooks_.prepareTraySurfaces);
  Step("step 10", hooks_.fillHotkeyLists);
  LoadKeys({"hotkey1", "hotkey2", "hotkey3"});
  trace_.push_back("step 11");
  LoadKeys({"programback", "programtext", "monitorprogressbar", "monitorprogressbartext",
            "monitorprogressbarfill", "monitorprogressbarfilltext", "monitorprogressbarborder",
            "monitorprogressusebarfill", "monitorprogressdontusebarfill", "text1left",
            "text1center", "text1right", "text2left", "text2center", "text2right", "startallusers",
            "startcurrentuser"});
  trace_.push_back("step 12");
  LoadKeys({"trayicon1bgcolor", "trayicon2bgcolor", "trayicon3bgcolor", "trayicon1txtcolor",
            "trayicon2txtcolor", "trayicon3txtcolor", "trayicon1font", "trayicon2font",
            "trayicon3font"});
  for (const char* band : {"1", "2", "3"}) {
    std::string base = std::string("trayicon") + band;
    for (const char* suffix : {"font", "fontsize", "fontbold", "fontitalic"}) {
      LoadSetting(base + suffix);
    }
  }
  trace_.push_back("step 13");
  LoadKeys({"ontop", "transparencylevel", "ghosttransparencylevel", "enabletransparency",
            "enableghost", "blendtodesktop", "normal"});
  trace_.push_back("step 14");
  LoadKeys({"autocleanpercent", "autocleanmin", "advancedmonitormin", "autocleanfilecachesize",
            "autocleanfilecahcemin", "remoteport"});
  trace_.push_back("step 15");
  LoadKeys({"startwithwindows", "icon", "show", "showtotals", "hotkeyenable", "hotkey2enable",
            "hidebartext", "roundcorners", "disablebarfill", "compact", "onlyallowip"});
  Step("step 16", hooks_.createSnapObject);
  Step("step 17", hooks_.showTrayIcon);
  trace_.push_back("step 18");
  DefaultIfEmpty("autocleanpercent", "75");
  DefaultIfEmpty("autocleanmin", "5");
  DefaultIfEmpty("advancedmonitormin", "5");
  DefaultIfEmpty("autocleanfilecachesize", "50");
  DefaultIfEmpty("autocleanfilecahcemin", "5");
  DefaultIfEmpty("remoteport", "2012");
  trace_.push_back("step 19");
  LoadKeys(
      {"enableautoclean", "enableadvancedmonitor", "enableautocleanfilecache", "enableremote"});
  trace_.push_back("step 20");
  LoadKeys({"1sttext", "2ndtext"});
  trace_.push_back("step 21");
  LoadKeys({"BarFillGraphicLocation"});
  Step("step 21b", hooks_.loadBarFillGraphic);
  Step("step 22", hooks_.applyShowMonitorAndCompact);
  Step("step 23", hooks_.setTrayExamples);
  Step("step 24", hooks_.loadRules);
  Step("step 25", [&] {
    std::string box = ControlOf("startwithwindows");
    if (!box.empty() && controls_.Checked(box)) {
      controls_.SetEnabled(ControlOf("startallusers"), true);
      controls_.SetEnabled(ControlOf("startcurrentuser"), true);
    }
  });
  Step("step 26", hooks_.startMainTimers);
  Step("step 27", hooks_.openLocalListener);
  return true;
}

bool MainForm::Tick() {
  if (bShuttingDown) return false;
  Step("tick 2", hooks_.resetWindowSize);
  Pump();
  Step("tick 3", hooks_.prepareTrayDrawing);
  Pump();
  Step("tick 4", [&] {
    std::string text = hooks_.systemUpTimeText ? hooks_.systemUpTimeText() : std::string();
    if (hooks_.setUpTimeCaption) hooks_.setUpTimeCaption(text);
  });
  Pump();
  int percent = lCurrentMemoryUsedPercent;
  Step("tick 5", [&] {
    if (hooks_.sampleStats) hooks_.sampleStats();
    if (hooks_.wholePercent) percent = hooks_.wholePercent();
  });
  Pump();
  Step("tick 6", [&] {
    std::string box = ControlOf("disablebarfill");
    bool noFill = !box.empty() && controls_.Checked(box);
    if (hooks_.setBarValue) hooks_.setBarValue(noFill ? 0 : percent);
  });
  lCurrentMemoryUsedPercent = percent;
  Pump();
  Step("tick 7", hooks_.setBarTexts);
  Pump();
  Step("tick 8", [&] {
    std::string box = ControlOf("icon");
    if (!box.empty() && controls_.Checked(box) && percent != lLastValue) {
      if (hooks_.updateTrayIcon) hooks_.updateTrayIcon(percent);
      lLastValue = percent;
    }
  });
  return true;
}

bool MainForm::QueryUnload(CloseReason reason) {
  if (reason == CloseReason::UserCloseBox && !bShuttingDown) return true;
  bShuttingDown = true;
  Step("query stop timers", hooks_.stopTimers);
  Pump();
  Pump();
  return false;
}

void MainForm::Unload() {
  bShuttingDown = true;
  Pump();
  Step("unload 2", hooks_.closeUpTimeQuery);
  Step("unload 3", hooks_.stopTimers);
  Pump();
  Step("unload 4", hooks_.saveWindowPosition);
  Step("unload 5", hooks_.removeTrayIcon);
  Step("unload 6", hooks_.unloadBarWindow);
  Step("unload 7", hooks_.closeListeners);
  Step("unload 8", hooks_.unloadOtherWindows);
}

}  // namespace skel::monitor
