// "Pause Advanced Monitor": one switch, unchecked at every start and never
// stored, that holds the three minute-based automations (auto-clean, file
// cache auto-clean, the rules) where they stand. Manual cleaning, hotkeys
// and remote requests ignore it. The tray icon reads it to draw "||".
#pragma once

#include "monitor/shell/main_form.h"

namespace skel::monitor {

class PauseSwitch {
 public:
  bool Checked() const { return checked_; }

  // The menu item: flips the mark and forgets the tray icon's last drawn
  // value, so the next main tick redraws the icon in its new state.
  bool Toggle(MainForm& form) {
    checked_ = !checked_;
    form.lLastValue = 0;
    return checked_;
  }

 private:
  bool checked_ = false;
};

}  // namespace skel::monitor
