#include "cleaner/process_match.h"

namespace skel::cleaner {

ProcessList::ProcessList(bool enabled, const std::vector<std::string>& entries, LocaleText& locale)
    : entries_(entries) {
  if (!enabled) return;
  lowered_.reserve(entries.size());
  for (const auto& entry : entries) lowered_.push_back(locale.Lower(entry));
}

const std::string* ProcessList::FirstMatch(std::string_view lowerExeFile) const {
  for (size_t i = 0; i < lowered_.size(); ++i) {
    if (lowerExeFile.starts_with(lowered_[i])) return &entries_[i];
  }
  return nullptr;
}

}  // namespace skel::cleaner
