#include "monitor/automation/automation.h"

#include "monitor/automation/cleaner_launch.h"

namespace skel::monitor {

Automation::Automation(MainForm& form, AutomationPorts& ports)
    : form_(form),
      ports_(ports),
      autoClean_(form, pause_, ports.clock, [this] { RunCleaner(); }),
      fileCache_(form, pause_, ports) {}

void Automation::Pump() {
  if (form_.Hooks().processMessages) form_.Hooks().processMessages();
}

void Automation::RunCleaner() {
  try {
    skel::monitor::RunCleaner(ports_.launcher, ports_.programFolder);
  } catch (...) {
  }
  Pump();
}

void Automation::StartSettingsWizard() {
  try {
    skel::monitor::StartSettingsWizard(ports_.launcher, ports_.programFolder);
  } catch (...) {
  }
  Pump();
}

void Automation::ChangeAutoRuntime() {
  try {
    OpenScheduledTasks(ports_.launcher, ports_.folders.SystemDirectory());
  } catch (...) {
  }
}

bool Automation::TogglePause() {
  return pause_.Toggle(form_);
}

std::unique_ptr<Automation> AttachAutomation(MainForm& form, AutomationPorts& ports) {
  AddAutoCleanControls(form);
  AddFileCacheControls(form);
  return std::make_unique<Automation>(form, ports);
}

}  // namespace skel::monitor
