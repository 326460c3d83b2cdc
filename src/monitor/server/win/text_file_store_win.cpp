#include "monitor/server/win/text_file_store_win.h"

#include <windows.h>

#include "common/win/unique_any.h"

namespace skel::monitor::win {

std::optional<std::string> TextFileStoreWin::ReadAll(const std::string& path) {
  skel::win::UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  // The lists are small; a file past 64 MB is not a list and is not read.
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > (64LL << 20)) return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
    return std::nullopt;
  }
  bytes.resize(read);
  return bytes;
}

bool TextFileStoreWin::WriteAll(const std::string& path, const std::string& bytes) {
  skel::win::UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  if (bytes.empty()) return true;
  return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace skel::monitor::win
