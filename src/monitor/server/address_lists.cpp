#include "monitor/server/address_lists.h"

#include <algorithm>

namespace skel::monitor {
namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The order of a sorted list box: letter case is ignored.
bool SortsBefore(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(Lower(x)) < static_cast<unsigned char>(Lower(y));
  });
}

}  // namespace

std::string AddressFilePath(std::string_view programFolder, const char* fileName) {
  std::string path(programFolder);
  if (path.empty() || path.back() != '\\') path += '\\';
  path += fileName;
  return path;
}

size_t AddressList::Add(const std::string& entry) {
  auto at = std::upper_bound(entries_.begin(), entries_.end(), entry, SortsBefore);
  return static_cast<size_t>(entries_.insert(at, entry) - entries_.begin());
}

void AddressList::RemoveAt(size_t index) {
  if (index < entries_.size()) entries_.erase(entries_.begin() + static_cast<ptrdiff_t>(index));
}

void AddressList::RemoveEvery(const std::string& entry) {
  std::erase(entries_, entry);
}

void AddressList::RemoveDuplicates() {
  std::vector<std::string> kept;
  kept.reserve(entries_.size());
  for (auto& entry : entries_) {
    if (std::find(kept.begin(), kept.end(), entry) == kept.end()) kept.push_back(std::move(entry));
  }
  entries_ = std::move(kept);
}

bool AddressList::Contains(std::string_view address) const {
  return std::find(entries_.begin(), entries_.end(), address) != entries_.end();
}

std::string AddressList::ToFileText() const {
  std::string text;
  for (const auto& entry : entries_) {
    text += entry;
    text += "\r\n";
  }
  return text;
}

void AddressList::AddFileText(std::string_view text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) Add(std::string(text.substr(start, end - start)));
    start = end;
    if (start < text.size() && text[start] == '\r') ++start;
    if (start < text.size() && text[start] == '\n') ++start;
  }
}

void LoadAddressFile(AddressList& list, TextFileStore& files, const std::string& path) {
  std::optional<std::string> text = files.ReadAll(path);
  if (text) list.AddFileText(*text);
}

bool SaveAddressFile(const AddressList& list, TextFileStore& files, const std::string& path) {
  return files.WriteAll(path, list.ToFileText());
}

}  // namespace skel::monitor
