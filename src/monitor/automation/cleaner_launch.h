// Starting the cleaner and the two outside programs the monitor's menu
// offers. Every way the monitor cleans memory ends in RunCleaner: the
// monitor never trims memory system-wide itself, it starts the cleaner and
// forgets it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "monitor/shell/main_form.h"

namespace skel::monitor {

// Show states passed to a started program.
inline constexpr int kShowHidden = 0;
inline constexpr int kShowNormal = 1;

inline constexpr std::string_view kCleanerFileName = "vardolin.exe";
inline constexpr std::string_view kSettingsWizardFileName = "Vardolin_Settings.exe";

// "<folder>\<file>". A folder that already ends in a backslash (a drive
// root) gets no second one.
std::string FileInFolder(std::string_view folder, std::string_view file);

// "<program folder>\vardolin.exe", no arguments, shown normally, no wait and
// no check for a cleaner already running. False when the start failed; the
// callers ignore that.
bool RunCleaner(Launcher& launcher, std::string_view programFolder);

// "<program folder>\Vardolin_Settings.exe", hidden, no wait. The wizard is
// not part of this system; when it is missing nothing happens.
bool StartSettingsWizard(Launcher& launcher, std::string_view programFolder);

// The system's scheduled-tasks panel: "<system directory>\control.exe"
// with the argument "schedtasks", shown normally, no wait.
bool OpenScheduledTasks(Launcher& launcher, std::string_view systemDirectory);

// The buffer protocol of the system's folder queries: the call copies into
// a buffer of the given size and returns the length copied, or, when the
// buffer is too small, the size it needs; 0 means failure. Starts with 512
// characters and tries once more with the size asked for plus one; any
// failure gives "".
std::string ReadSystemText(const std::function<uint32_t(char*, uint32_t)>& call,
                           uint32_t firstSize = 512);

}  // namespace skel::monitor
