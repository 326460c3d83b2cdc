#include "cleaner/cleaner_settings.h"

#include <algorithm>
#include <cctype>

#include "common/number_format.h"

namespace skel::cleaner {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

void ReadFlag(ProfileReader& profile, std::string_view key, bool& flag) {
  ConvertFlag(profile.ReadValue(key, kProfileBufferChars), flag);
}

}  // namespace

void ConvertFlag(std::string_view text, bool& flag) {
  if (EqualsIgnoringCase(text, "true")) {
    flag = true;
  } else if (EqualsIgnoringCase(text, "false")) {
    flag = false;
  } else if (auto number = ParseDecimal(text)) {
    flag = !number->IsZero();
  }
}

std::vector<std::string> SplitList(std::string_view text) {
  std::vector<std::string> entries;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    std::string_view entry = text.substr(start, comma - start);
    // Only the space character is stripped: a tab inside an entry is kept.
    size_t first = entry.find_first_not_of(' ');
    if (first != std::string_view::npos) {
      size_t last = entry.find_last_not_of(' ');
      entries.emplace_back(entry.substr(first, last - first + 1));
    }
    start = comma + 1;
  }
  return entries;
}

CleanerSettings LoadCleanerSettings(ProfileReader& profile) {
  CleanerSettings s;
  ReadFlag(profile, "filecache", s.filecache);
  ReadFlag(profile, "logfileenabled", s.logfileenabled);
  s.logfilepath = profile.ReadValue("logfilepath", kProfileBufferChars);
  ReadFlag(profile, "allprocessenable", s.allprocessenable);
  ReadFlag(profile, "ignorelistenable", s.ignorelistenable);
  ReadFlag(profile, "onlylistenable", s.onlylistenable);
  if (s.logfileenabled)
    s.logfilelist = SplitList(profile.ReadValue("logfilelist", kProfileBufferChars));
  if (s.ignorelistenable)
    s.ignorelist = SplitList(profile.ReadValue("ignorelist", kProfileBufferChars));
  if (s.onlylistenable) s.onlylist = SplitList(profile.ReadValue("onlylist", kProfileBufferChars));
  return s;
}

}  // namespace skel::cleaner
