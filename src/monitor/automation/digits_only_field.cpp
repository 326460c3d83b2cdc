#include "monitor/automation/digits_only_field.h"

#include <utility>

namespace skel::monitor {

bool IsDigitsOnlyKey(int keyAscii) {
  if (keyAscii >= '0' && keyAscii <= '9') return true;
  return keyAscii == 3 || keyAscii == 8 || keyAscii == 23 || keyAscii == 24;
}

void AttachDigitsOnlyField(ui::ControlModel& controls, const std::string& name,
                           std::function<void()> writeKey) {
  controls.On(name, ui::ControlEvent::GotFocus,
              [&controls](ui::Control& c) { controls.SelectAllText(c.name); });
  controls.OnKeyPress(name, [](ui::Control&, int& keyAscii) {
    if (!IsDigitsOnlyKey(keyAscii)) keyAscii = 0;
  });
  controls.On(name, ui::ControlEvent::KeyUp, [write = std::move(writeKey)](ui::Control&) {
    if (write) write();
  });
}

void AttachDigitsOnlyField(MainForm& form, const std::string& name, std::string key) {
  AttachDigitsOnlyField(form.Controls(), name,
                        [&form, key = std::move(key)] { form.SaveSetting(key); });
}

}  // namespace skel::monitor
