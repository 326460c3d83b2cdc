// The cleaner's settings: nine keys of section "main" of "\Vardolin.ini",
// read once per run and never written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cleaner/cleaner_ports.h"

namespace skel::cleaner {

struct CleanerSettings {
  bool filecache = false;
  bool logfileenabled = false;
  std::string logfilepath;
  bool allprocessenable = false;
  bool ignorelistenable = false;
  bool onlylistenable = false;
  std::vector<std::string> logfilelist;
  std::vector<std::string> ignorelist;
  std::vector<std::string> onlylist;
};

// Every value is read into a buffer of this many characters, so a value keeps
// at most 4095 of them.
inline constexpr size_t kProfileBufferChars = 4096;

// "True"/"False" in any letter case, or a number (0 off, anything else on).
// Anything else leaves `flag` as it was.
void ConvertFlag(std::string_view text, bool& flag);

// Comma-separated entries, each stripped of surrounding spaces; empty entries
// are dropped; case and order are kept.
std::vector<std::string> SplitList(std::string_view text);

// Reads the six scalar keys in their fixed order, then the lists whose flags
// are on (log list, ignore list, only list).
CleanerSettings LoadCleanerSettings(ProfileReader& profile);

}  // namespace skel::cleaner
