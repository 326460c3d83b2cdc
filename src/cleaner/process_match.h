// The rule by which a list entry selects a process: the executable file name,
// lowered, begins with the entry, lowered.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cleaner/cleaner_ports.h"

namespace skel::cleaner {

// A list prepared for matching: every entry lowered once, beside its text as
// loaded (which is what a log line shows). A list whose flag is off holds no
// entries. `entries` must outlive the list.
class ProcessList {
 public:
  ProcessList(bool enabled, const std::vector<std::string>& entries, LocaleText& locale);

  bool empty() const { return lowered_.empty(); }
  // The first entry, in list order, that selects a process whose executable
  // name, already lowered, is `lowerExeFile`; nullptr when none does.
  const std::string* FirstMatch(std::string_view lowerExeFile) const;

 private:
  const std::vector<std::string>& entries_;
  std::vector<std::string> lowered_;
};

}  // namespace skel::cleaner
