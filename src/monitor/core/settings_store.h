// The monitor's settings file: one key per setting in section "main" of
// "<program folder>\skelvane_settings.ini", read and written only through
// the system's profile functions (reached through the ProfileStore port).
//
// Nothing is cached: every read goes to the file, every write happens the
// moment a control changes. Failures are silent: a missing or unreadable file
// reads as "", a refused write just returns false.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/number_format.h"
#include "monitor/core/settings_keys.h"

namespace skel::monitor {

// The profile functions, as the system offers them.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // Copies the value of `key` (or `defaultValue` when there is none) into
  // `buffer` of `size` characters, cut to size - 1 and always terminated;
  // returns the number of characters copied, without the terminator.
  virtual uint32_t GetString(std::string_view section, std::string_view key,
                             std::string_view defaultValue, char* buffer, uint32_t size,
                             std::string_view file) = 0;
  // Writes (and creates file, section and key as needed); false on failure.
  virtual bool WriteString(std::string_view section, std::string_view key, std::string_view value,
                           std::string_view file) = 0;
};

// Size of the buffer every read uses: values come back cut to 254 characters.
inline constexpr uint32_t kIniBufferSize = 255;

// One key's text: "" for a missing file, section or key.
std::string ReadIniValue(ProfileStore& store, std::string_view section, std::string_view key,
                         std::string_view file);
// True when the system accepted the write. Callers go on either way.
bool WriteIniValue(ProfileStore& store, std::string_view section, std::string_view key,
                   std::string_view value, std::string_view file);

// "<folder>\skelvane_settings.ini"; a folder that already ends in a
// backslash (a drive root) gets no second one.
std::string SettingsFilePath(std::string_view programFolder);

// The settings file of one monitor: the raw texts of section "main" and the
// typed loaders that turn them into control states. Every Load* gives the
// key's default from kSettingKeys when the stored text is missing or does
// not convert (and, for the keys marked so, when it is empty). Every Write*
// writes the kind's text form. Key names must be keys of the table.
class MonitorSettings {
 public:
  MonitorSettings(ProfileStore& store, std::string filePath,
                  const LocaleSeparators& separators = CurrentSeparators());

  const std::string& FilePath() const { return filePath_; }

  std::string ReadText(std::string_view key) const;
  bool WriteText(std::string_view key, std::string_view value) const;

  bool LoadCheckBox(std::string_view key) const;
  bool LoadTruth(std::string_view key) const;  // options, menu marks, bold, italic
  int32_t LoadColour(std::string_view key) const;
  float LoadFontSize(std::string_view key) const;
  int32_t LoadSliderLevel(std::string_view key) const;
  // Font names, file paths, numeric fields: the text, or the default when
  // the key is marked "if empty" and the text is empty.
  std::string LoadText(std::string_view key) const;
  // A list's selection: the matching entry of `entries`; otherwise the list
  // has no selection and the result is the default ("" = none) for keys
  // marked "if empty", "" for the others.
  std::string LoadListSelection(std::string_view key, std::span<const std::string> entries) const;

  bool WriteCheckBox(std::string_view key, bool checked) const;
  bool WriteTruth(std::string_view key, bool value) const;
  bool WriteColour(std::string_view key, int32_t colour) const;
  bool WriteFontSize(std::string_view key, float points) const;
  bool WriteSliderLevel(std::string_view key, int32_t level) const;

 private:
  ProfileStore& store_;
  std::string filePath_;
  LocaleSeparators separators_;
};

}  // namespace skel::monitor
