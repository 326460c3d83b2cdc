// AddToLog: one line per open, append and close, so that the monitor's
// blocks and the cleaner's can share the file without holding it.
#include <windows.h>

#include "cleaner/cleaner_adapters_win.h"
#include "common/win/unique_any.h"

namespace skel::cleaner::win {

void ProcessPendingMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

void FileLogAppender::AddToLog(const std::string& path, const std::string& line) {
  if (!path.empty()) {
    // Append-only access writes at the end even when another program has
    // appended since; sharing lets the monitor do the same meanwhile.
    skel::win::UniqueFileHandle file(::CreateFileA(path.c_str(), FILE_APPEND_DATA,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
      std::string text = line + "\r\n";
      DWORD written = 0;
      ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
  }
  ProcessPendingMessages();
}

}  // namespace skel::cleaner::win
