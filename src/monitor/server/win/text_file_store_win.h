// Whole-file reads and writes with the system's file calls, for the address
// lists. The file is opened and closed within each call.
#pragma once

#include "monitor/server/address_lists.h"

namespace skel::monitor::win {

class TextFileStoreWin : public TextFileStore {
 public:
  std::optional<std::string> ReadAll(const std::string& path) override;
  bool WriteAll(const std::string& path, const std::string& bytes) override;
};

}  // namespace skel::monitor::win
