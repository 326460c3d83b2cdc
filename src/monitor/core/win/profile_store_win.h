// The profile functions of the system behind the ProfileStore port, and the
// folder the settings file lives in.
#pragma once

#include <string>

#include "monitor/core/settings_store.h"

namespace skel::monitor::win {

class WinProfileStore final : public ProfileStore {
 public:
  uint32_t GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                     char* buffer, uint32_t size, std::string_view file) override;
  bool WriteString(std::string_view section, std::string_view key, std::string_view value,
                   std::string_view file) override;
};

// The folder of the running program file, without a trailing backslash
// (except at a drive root, where the system keeps it).
std::string ProgramFolder();

}  // namespace skel::monitor::win
