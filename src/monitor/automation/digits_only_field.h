// The behaviour every numeric setting field of the automation shares: the
// whole text is selected when the field gets the focus, only digits and a
// few editing keys get through, and every key release writes the field's
// text to its key as it stands (unvalidated, possibly empty).
#pragma once

#include <functional>
#include <string>

#include "monitor/shell/main_form.h"
#include "ui/control_model.h"

namespace skel::monitor {

// "0".."9", and the control characters for copy (3), backspace (8) and the
// two cut keys (23, 24). Everything else typed into the field is dropped.
bool IsDigitsOnlyKey(int keyAscii);

// Gives the text box `name` the behaviour; `writeKey` runs on every key
// release in it.
void AttachDigitsOnlyField(ui::ControlModel& controls, const std::string& name,
                           std::function<void()> writeKey);

// The same for a field of the settings window that holds `key` (bound with
// MainForm::BindSetting): each key release writes the key.
void AttachDigitsOnlyField(MainForm& form, const std::string& name, std::string key);

}  // namespace skel::monitor
