#include "monitor/automation/auto_clean.h"

#include <utility>

#include "monitor/automation/digits_only_field.h"

namespace skel::monitor {
namespace {

ui::Control Make(const char* name, ui::ControlKind kind, const char* caption, ui::TwipRect rect,
                 bool enabled = true) {
  ui::Control c;
  c.name = name;
  c.kind = kind;
  c.caption = caption;
  c.tab = kTabAdvancedMonitor;
  c.container = kind == ui::ControlKind::Frame ? "" : kAutoRunFrame;
  c.rect = rect;
  c.enabled = enabled;
  return c;
}

}  // namespace

void AddAutoCleanControls(MainForm& form) {
  using ui::ControlKind;
  ui::ControlModel& controls = form.Controls();
  // Upper left of the page; the rules list takes the lower part.
  controls.Add(
      Make(kAutoRunFrame, ControlKind::Frame, "Auto Run Vardolin:", {120, 120, 3360, 2340}));
  controls.Add(Make(kAutoRunEnable, ControlKind::CheckBox, "Enable", {240, 300, 1500, 255}));
  // Until "Enable" is checked (its handler runs at start-up only then), the
  // fields it governs stay disabled.
  controls.Add(Make(kAutoRunPercentLabel, ControlKind::Label, "When Memory Usage is",
                    {240, 660, 1640, 420}, false));
  controls.Add(Make(kAutoRunPercent, ControlKind::TextBox, "", {1880, 675, 480, 300}, false));
  controls.Add(
      Make(kAutoRunPercentUnit, ControlKind::Label, "% or more.", {2400, 720, 920, 255}, false));
  controls.Add(
      Make(kAutoRunMinutesLabel, ControlKind::Label, "Check Every", {240, 1200, 1640, 255}, false));
  controls.Add(Make(kAutoRunMinutes, ControlKind::TextBox, "", {1880, 1155, 480, 300}, false));
  controls.Add(
      Make(kAutoRunMinutesUnit, ControlKind::Label, "min.", {2400, 1200, 920, 255}, false));
  controls.Add(
      Make(kAutoRunLastCheck, ControlKind::Label, kLastCheckNever, {240, 1740, 3000, 255}, false));

  form.BindSetting("enableautoclean", kAutoRunEnable);
  form.BindSetting("autocleanpercent", kAutoRunPercent);
  form.BindSetting("autocleanmin", kAutoRunMinutes);
  AttachDigitsOnlyField(form, kAutoRunPercent, "autocleanpercent");
  AttachDigitsOnlyField(form, kAutoRunMinutes, "autocleanmin");

  controls.On(kAutoRunEnable, ui::ControlEvent::Click, [&form](ui::Control& box) {
    form.SaveSetting("enableautoclean");
    bool on = box.value != 0;
    for (const char* name :
         {kAutoRunPercent, kAutoRunMinutes, kAutoRunPercentLabel, kAutoRunPercentUnit,
          kAutoRunMinutesLabel, kAutoRunMinutesUnit, kAutoRunLastCheck}) {
      form.Controls().SetEnabled(name, on);
    }
  });
}

AutoCleanTimer::AutoCleanTimer(MainForm& form, const PauseSwitch& pause, Clock& clock,
                               std::function<void()> runCleaner)
    : form_(form), pause_(pause), clock_(clock), runCleaner_(std::move(runCleaner)) {}

bool AutoCleanTimer::Gated() const {
  const ui::ControlModel& controls = form_.Controls();
  return pause_.Checked() || !controls.Checked(kAutoRunEnable) ||
         FieldStopsAutomation(controls.Get(kAutoRunPercent).text) ||
         FieldStopsAutomation(controls.Get(kAutoRunMinutes).text);
}

bool AutoCleanTimer::Tick() {
  if (form_.bShuttingDown) return false;
  if (Gated()) return true;
  ui::ControlModel& controls = form_.Controls();
  if (!counter_.Advance(controls.Get(kAutoRunMinutes).text)) return true;

  // A threshold that is not a number fails the conversion, which lets the
  // test pass: the cleaner starts at every check.
  std::optional<double> percent = FieldNumber(controls.Get(kAutoRunPercent).text);
  if (!percent || *percent <= static_cast<double>(form_.lCurrentMemoryUsedPercent)) {
    try {
      if (runCleaner_) runCleaner_();
    } catch (...) {
      // A cleaner that cannot be started does not keep the label stale.
    }
  }

  std::string now;
  try {
    now = clock_.NowText();
  } catch (...) {
  }
  controls.SetCaption(kAutoRunLastCheck, kLastCheckPrefix + now);
  if (form_.Hooks().processMessages) form_.Hooks().processMessages();
  return true;
}

}  // namespace skel::monitor
