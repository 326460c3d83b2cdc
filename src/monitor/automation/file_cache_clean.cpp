#include "monitor/automation/file_cache_clean.h"

#include <optional>

#include "monitor/automation/auto_clean.h"
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
  c.container = kind == ui::ControlKind::Frame ? "" : kFileCacheFrame;
  c.rect = rect;
  c.enabled = enabled;
  return c;
}

constexpr double kBytesPerMegabyte = 1024.0 * 1024.0;

}  // namespace

void AddFileCacheControls(MainForm& form) {
  using ui::ControlKind;
  ui::ControlModel& controls = form.Controls();
  // Upper right of the page, beside "Auto Run Vardolin:".
  controls.Add(
      Make(kFileCacheFrame, ControlKind::Frame, "Auto Clean File Cache:", {3540, 120, 3360, 2340}));
  controls.Add(Make(kFileCacheEnable, ControlKind::CheckBox, "Enable", {240, 300, 1500, 255}));
  controls.Add(Make(kFileCacheSizeLabel, ControlKind::Label, "When File Cache is",
                    {240, 720, 1640, 255}, false));
  controls.Add(Make(kFileCacheSize, ControlKind::TextBox, "", {1880, 675, 480, 300}, false));
  controls.Add(
      Make(kFileCacheSizeUnit, ControlKind::Label, "MB or more.", {2400, 720, 920, 255}, false));
  controls.Add(Make(kFileCacheMinutesLabel, ControlKind::Label, "Check Every",
                    {240, 1200, 1640, 255}, false));
  controls.Add(Make(kFileCacheMinutes, ControlKind::TextBox, "", {1880, 1155, 480, 300}, false));
  controls.Add(
      Make(kFileCacheMinutesUnit, ControlKind::Label, "min.", {2400, 1200, 920, 255}, false));
  controls.Add(Make(kFileCacheLastCheck, ControlKind::Label, kLastCheckNever,
                    {240, 1740, 3000, 255}, false));

  form.BindSetting("enableautocleanfilecache", kFileCacheEnable);
  form.BindSetting("autocleanfilecachesize", kFileCacheSize);
  form.BindSetting("autocleanfilecahcemin", kFileCacheMinutes);
  AttachDigitsOnlyField(form, kFileCacheSize, "autocleanfilecachesize");
  AttachDigitsOnlyField(form, kFileCacheMinutes, "autocleanfilecahcemin");

  controls.On(kFileCacheEnable, ui::ControlEvent::Click, [&form](ui::Control& box) {
    form.SaveSetting("enableautocleanfilecache");
    bool on = box.value != 0;
    for (const char* name :
         {kFileCacheSize, kFileCacheMinutes, kFileCacheSizeLabel, kFileCacheSizeUnit,
          kFileCacheMinutesLabel, kFileCacheMinutesUnit, kFileCacheLastCheck}) {
      form.Controls().SetEnabled(name, on);
    }
  });
}

FileCacheCleanTimer::FileCacheCleanTimer(MainForm& form, const PauseSwitch& pause,
                                         AutomationPorts& ports)
    : form_(form), pause_(pause), ports_(ports) {}

bool FileCacheCleanTimer::Gated() const {
  const ui::ControlModel& controls = form_.Controls();
  return pause_.Checked() || !controls.Checked(kFileCacheEnable) ||
         FieldStopsAutomation(controls.Get(kFileCacheSize).text) ||
         FieldStopsAutomation(controls.Get(kFileCacheMinutes).text);
}

bool FileCacheCleanTimer::Tick() {
  if (form_.bShuttingDown) return false;
  if (Gated()) return true;
  ui::ControlModel& controls = form_.Controls();

  // The query and the threshold are taken on every tick that passed the
  // gate, also on those that only count; the size test waits for a check.
  record_ = FileCacheInfo{};
  try {
    record_ = ports_.sampler.GetFileCacheInfo(ports_.fileCache);
  } catch (...) {
    record_ = FileCacheInfo{};
  }
  const double size = static_cast<double>(record_.CurrentSize);
  // A size text that is not a number leaves the threshold at 0.
  std::optional<double> megabytes = FieldNumber(controls.Get(kFileCacheSize).text);
  const double threshold = megabytes ? *megabytes * kBytesPerMegabyte : 0.0;

  if (!counter_.Advance(controls.Get(kFileCacheMinutes).text)) return true;

  if (size >= threshold) {
    FileCacheInfo request = record_;
    request.MinimumWorkingSet = kTrimWorkingSet;
    request.MaximumWorkingSet = kTrimWorkingSet;
    try {
      ports_.trim.RequestFileCacheTrim(request);
    } catch (...) {
    }
  }

  std::string now;
  try {
    now = ports_.clock.NowText();
  } catch (...) {
  }
  controls.SetCaption(kFileCacheLastCheck, kLastCheckPrefix + now);
  if (form_.Hooks().processMessages) form_.Hooks().processMessages();
  return true;
}

}  // namespace skel::monitor
