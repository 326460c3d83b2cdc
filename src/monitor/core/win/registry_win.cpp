#include "monitor/core/win/registry_win.h"

#include <windows.h>

#include <string>
#include <vector>

#include "common/win/unique_any.h"

namespace skel::monitor::win {

using skel::win::UniqueRegKey;

bool WinRegistry::CreateKey(std::string_view path) {
  UniqueRegKey key;
  return ::RegCreateKeyExA(HKEY_CURRENT_USER, std::string(path).c_str(), 0, nullptr,
                           REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.put(),
                           nullptr) == ERROR_SUCCESS;
}

std::optional<std::string> WinRegistry::ReadString(std::string_view path, std::string_view name) {
  UniqueRegKey key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, std::string(path).c_str(), 0, KEY_QUERY_VALUE,
                      key.put()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const std::string valueName(name);
  DWORD type = 0, size = 0;
  if (::RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  // The stored data need not end in a zero (our own writes leave it out).
  std::vector<char> data(size + 1, '\0');
  if (::RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::string text(data.data(), size);
  size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  return text;
}

bool WinRegistry::WriteString(std::string_view path, std::string_view name,
                              std::string_view value) {
  UniqueRegKey key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, std::string(path).c_str(), 0, KEY_SET_VALUE, key.put()) !=
      ERROR_SUCCESS) {
    return false;
  }
  return ::RegSetValueExA(key.get(), std::string(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.data()),
                          static_cast<DWORD>(value.size())) == ERROR_SUCCESS;
}

bool WinRegistry::DeleteTree(std::string_view path) {
  LONG rc = ::RegDeleteTreeA(HKEY_CURRENT_USER, std::string(path).c_str());
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

}  // namespace skel::monitor::win
