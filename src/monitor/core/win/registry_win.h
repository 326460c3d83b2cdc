// HKEY_CURRENT_USER behind the Registry port.
#pragma once

#include "monitor/core/window_positions.h"

namespace skel::monitor::win {

class WinRegistry final : public Registry {
 public:
  bool CreateKey(std::string_view path) override;
  std::optional<std::string> ReadString(std::string_view path, std::string_view name) override;
  bool WriteString(std::string_view path, std::string_view name, std::string_view value) override;
  bool DeleteTree(std::string_view path) override;
};

}  // namespace skel::monitor::win
