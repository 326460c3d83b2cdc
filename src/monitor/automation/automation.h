// The monitor's cleaner launching and minute-based automations, as one
// object the program owns: "Auto Run Vardolin:", "Auto Clean File Cache:",
// "Pause Advanced Monitor" and the menu items that start programs.
//
// The program wires it up:
//   - the menu items "Clean Memory Now", "Start Vardolin Settings Wizard",
//     "Change Vardolin Auto Runtime" and "Pause Advanced Monitor" call
//     RunCleaner, StartSettingsWizard, ChangeAutoRuntime and TogglePause
//     (whose result is the item's new check mark);
//   - the bar window's double click, the hotkey and the listeners' "vardolin"
//     request call RunCleaner;
//   - two timers of kTimerPeriodMs, started when the settings window loads,
//     call AutoCleanTick and FileCacheTick and are killed when those return
//     false;
//   - the tray icon and the rules tick read Pause().
#pragma once

#include <memory>

#include "monitor/automation/auto_clean.h"
#include "monitor/automation/automation_ports.h"
#include "monitor/automation/file_cache_clean.h"
#include "monitor/automation/pause_switch.h"
#include "monitor/shell/main_form.h"

namespace skel::monitor {

class Automation {
 public:
  static constexpr unsigned kTimerPeriodMs = 60000;

  Automation(MainForm& form, AutomationPorts& ports);
  Automation(const Automation&) = delete;
  Automation& operator=(const Automation&) = delete;

  // Starts the cleaner, then lets pending window messages run.
  void RunCleaner();
  void StartSettingsWizard();
  void ChangeAutoRuntime();
  // Returns the new state of the check mark.
  bool TogglePause();
  const PauseSwitch& Pause() const { return pause_; }
  bool Paused() const { return pause_.Checked(); }

  bool AutoCleanTick() { return autoClean_.Tick(); }
  bool FileCacheTick() { return fileCache_.Tick(); }
  AutoCleanTimer& AutoClean() { return autoClean_; }
  FileCacheCleanTimer& FileCacheClean() { return fileCache_; }

 private:
  void Pump();

  MainForm& form_;
  AutomationPorts& ports_;
  PauseSwitch pause_;
  AutoCleanTimer autoClean_;
  FileCacheCleanTimer fileCache_;
};

// Adds the automation's controls, handlers and key bindings to the settings
// window and returns the object that holds its state. Call before
// MainForm::Load, which loads the bound keys in the start-up order.
std::unique_ptr<Automation> AttachAutomation(MainForm& form, AutomationPorts& ports);

}  // namespace skel::monitor
