// The banned and allowed address lists of the remote listener and their
// files beside the program ("\banned.dat", "\allowed.dat"). Entries are plain
// texts: nothing checks that an entry is an address, and matching is exact,
// character by character, case significant.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skel::monitor {

inline constexpr const char* kBannedFileName = "banned.dat";
inline constexpr const char* kAllowedFileName = "allowed.dat";

// "<folder>\<name>"; a folder that already ends in a backslash (a drive
// root) gets no second one.
std::string AddressFilePath(std::string_view programFolder, const char* fileName);

// Whole-file reads and writes, as the system does them.
class TextFileStore {
 public:
  virtual ~TextFileStore() = default;
  // The file's bytes; nothing when it is missing or unreadable.
  virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
  // Replaces the file; false when it could not be written.
  virtual bool WriteAll(const std::string& path, const std::string& bytes) = 0;
};

// A sorted list box's entries. Like the list box, insertion keeps the
// entries ordered without regard to letter case; equal entries keep the
// order they came in.
class AddressList {
 public:
  const std::vector<std::string>& Entries() const { return entries_; }
  bool Empty() const { return entries_.empty(); }

  // Returns the position the entry took.
  size_t Add(const std::string& entry);
  void RemoveAt(size_t index);
  void RemoveEvery(const std::string& entry);
  // For each entry from the first, every later entry exactly equal to it
  // goes; the first occurrence stays.
  void RemoveDuplicates();
  bool Contains(std::string_view address) const;
  void Clear() { entries_.clear(); }

  // The file text: every entry followed by CR LF.
  std::string ToFileText() const;
  // Adds every non-empty line of `text` unchanged (no trimming, no duplicate
  // check). Lines end in CR LF, a lone CR or a lone LF.
  void AddFileText(std::string_view text);

 private:
  std::vector<std::string> entries_;
};

// Loads `list` from the file; a missing or unreadable file gives an empty list.
void LoadAddressFile(AddressList& list, TextFileStore& files, const std::string& path);
// False when the file could not be written (the list stays as it is).
bool SaveAddressFile(const AddressList& list, TextFileStore& files, const std::string& path);

}  // namespace skel::monitor
