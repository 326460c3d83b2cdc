// A stand-in for a started program: writes how it was started into
// "<own file>.started" (command line, then the show flags), waits for the
// test's event named in SKEL_PROBE_EVENT, then writes "<own file>.done".
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void WriteFileText(const std::string& path, const std::string& text) {
  // Written under a temporary name and renamed, so the test never reads half a file.
  std::string temp = path + ".tmp";
  if (FILE* f = std::fopen(temp.c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    ::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
}

}  // namespace

int main() {
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  ::GetStartupInfoA(&startup);
  std::string report = std::string(::GetCommandLineA()) + "\n" +
                       std::to_string((startup.dwFlags & STARTF_USESHOWWINDOW) ? 1 : 0) + " " +
                       std::to_string(startup.wShowWindow) + "\n";
  WriteFileText(std::string(self) + ".started", report);

  char eventName[256] = {};
  if (::GetEnvironmentVariableA("SKEL_PROBE_EVENT", eventName, sizeof eventName) > 0) {
    if (HANDLE go = ::OpenEventA(SYNCHRONIZE, FALSE, eventName)) {
      ::WaitForSingleObject(go, 30000);
      ::CloseHandle(go);
    }
  }
  WriteFileText(std::string(self) + ".done", "done\n");
  return 0;
}
