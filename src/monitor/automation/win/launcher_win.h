// Starting programs and opening documents the way the monitor does it:
// a new process with a given show state that nobody waits for, or the
// shell's "open" verb.
#pragma once

#include <string>

#include "monitor/shell/main_form.h"

namespace skel::monitor::win {

class WinLauncher final : public Launcher {
 public:
  // CreateProcessA of `path` with the command line `"path" arguments`; the
  // path is quoted so a folder with blanks cannot start a different program.
  // The window opens in `showState`; the handles are closed at once.
  bool Start(const std::string& path, const std::string& arguments, int showState) override;
  // ShellExecuteA "open", normal window; `workingFolder` may be "".
  bool Open(const std::string& target, const std::string& workingFolder) override;
};

// The command line Start passes: the quoted path, then the arguments if any.
std::string CommandLineFor(const std::string& path, const std::string& arguments);

}  // namespace skel::monitor::win
