#include "monitor/automation/cleaner_launch.h"

#include <string>

namespace skel::monitor {

std::string FileInFolder(std::string_view folder, std::string_view file) {
  std::string path(folder);
  if (path.empty() || path.back() != '\\') path += '\\';
  path += file;
  return path;
}

bool RunCleaner(Launcher& launcher, std::string_view programFolder) {
  return launcher.Start(FileInFolder(programFolder, kCleanerFileName), "", kShowNormal);
}

bool StartSettingsWizard(Launcher& launcher, std::string_view programFolder) {
  return launcher.Start(FileInFolder(programFolder, kSettingsWizardFileName), "", kShowHidden);
}

bool OpenScheduledTasks(Launcher& launcher, std::string_view systemDirectory) {
  return launcher.Start(FileInFolder(systemDirectory, "control.exe"), "schedtasks", kShowNormal);
}

std::string ReadSystemText(const std::function<uint32_t(char*, uint32_t)>& call,
                           uint32_t firstSize) {
  if (!call || firstSize == 0) return "";
  std::string buffer(firstSize, '\0');
  uint32_t length = call(buffer.data(), firstSize);
  if (length >= firstSize) {
    // Too small: the call named the size it needs (terminator included).
    uint32_t size = length + 1;
    buffer.assign(size, '\0');
    length = call(buffer.data(), size);
    if (length >= size) return "";
  }
  if (length == 0) return "";
  buffer.resize(length);
  return buffer;
}

}  // namespace skel::monitor
