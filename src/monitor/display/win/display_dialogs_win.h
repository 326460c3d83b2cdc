// The colour, font and open-file dialogs and the message box, owned by the
// settings window.
#pragma once

#include <windows.h>

#include <functional>

#include "monitor/display/display_ports.h"

namespace skel::monitor::display::win {

class DisplayDialogsWin : public DisplayDialogs {
 public:
  // The owner is asked for at each dialog: the settings window may be
  // created after this object.
  explicit DisplayDialogsWin(std::function<HWND()> owner) : owner_(std::move(owner)) {}

  std::optional<Colour> ChooseColour(Colour initial) override;
  std::optional<TrayFont> PickFont(const TrayFont& initial) override;
  std::optional<std::string> OpenPicture(const std::string& title, const std::string& filter,
                                         const std::string& initialFile) override;
  void Message(const std::string& text) override;

 private:
  HWND Owner() const { return owner_ ? owner_() : nullptr; }
  std::function<HWND()> owner_;
  COLORREF customColours_[16] = {};
};

// "Name|*.a;*.b" as the open-file dialog wants it: pairs separated by NULs,
// ending in two NULs.
std::string OpenFileFilter(const std::string& barSeparated);

}  // namespace skel::monitor::display::win
