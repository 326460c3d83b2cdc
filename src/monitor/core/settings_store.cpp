#include "monitor/core/settings_store.h"

#include <array>
#include <utility>

#include "monitor/core/setting_conversions.h"

namespace skel::monitor {

std::string ReadIniValue(ProfileStore& store, std::string_view section, std::string_view key,
                         std::string_view file) {
  std::array<char, kIniBufferSize> buffer{};
  uint32_t n = store.GetString(section, key, "", buffer.data(), kIniBufferSize, file);
  // Trust the count only as far as the buffer reaches.
  if (n > kIniBufferSize - 1) n = kIniBufferSize - 1;
  return std::string(buffer.data(), n);
}

bool WriteIniValue(ProfileStore& store, std::string_view section, std::string_view key,
                   std::string_view value, std::string_view file) {
  return store.WriteString(section, key, value, file);
}

std::string SettingsFilePath(std::string_view programFolder) {
  std::string path(programFolder);
  if (path.empty() || path.back() != '\\') path += '\\';
  path += kSettingsFileName;
  return path;
}

MonitorSettings::MonitorSettings(ProfileStore& store, std::string filePath,
                                 const LocaleSeparators& separators)
    : store_(store), filePath_(std::move(filePath)), separators_(separators) {}

std::string MonitorSettings::ReadText(std::string_view key) const {
  return ReadIniValue(store_, kSettingsSection, key, filePath_);
}

bool MonitorSettings::WriteText(std::string_view key, std::string_view value) const {
  return WriteIniValue(store_, kSettingsSection, key, value, filePath_);
}

namespace {

// The stored text when it converts, else the table's default converted by the
// same rule (the default always converts).
template <typename Parse>
auto LoadConverted(const MonitorSettings& settings, std::string_view key, Parse parse) {
  const SettingKey& row = SettingKeyOf(key);
  std::string text = settings.ReadText(row.name);
  if (!(row.defaultIfEmpty && text.empty())) {
    if (auto value = parse(text)) return *value;
  }
  return *parse(row.defaultText);
}

}  // namespace

bool MonitorSettings::LoadCheckBox(std::string_view key) const {
  return LoadConverted(*this, key,
                       [&](std::string_view t) { return ParseCheckBox(t, separators_); });
}

bool MonitorSettings::LoadTruth(std::string_view key) const {
  return LoadConverted(*this, key, [&](std::string_view t) { return ParseTruth(t, separators_); });
}

int32_t MonitorSettings::LoadColour(std::string_view key) const {
  return LoadConverted(*this, key, [&](std::string_view t) { return ParseColour(t, separators_); });
}

float MonitorSettings::LoadFontSize(std::string_view key) const {
  // The table writes its defaults with ".", which every locale reads too.
  return LoadConverted(*this, key, [&](std::string_view t) { return ParseSingle(t, separators_); });
}

int32_t MonitorSettings::LoadSliderLevel(std::string_view key) const {
  return LoadConverted(*this, key,
                       [&](std::string_view t) { return ParseSliderLevel(t, separators_); });
}

std::string MonitorSettings::LoadText(std::string_view key) const {
  const SettingKey& row = SettingKeyOf(key);
  std::string text = ReadText(row.name);
  if (row.defaultIfEmpty && text.empty()) return std::string(row.defaultText);
  return text;
}

std::string MonitorSettings::LoadListSelection(std::string_view key,
                                               std::span<const std::string> entries) const {
  const SettingKey& row = SettingKeyOf(key);
  if (std::optional<std::string> entry = MatchListEntry(ReadText(row.name), entries)) {
    return *entry;
  }
  // No selection: an empty list text, which the "if empty" rule replaces.
  return row.defaultIfEmpty ? std::string(row.defaultText) : std::string();
}

bool MonitorSettings::WriteCheckBox(std::string_view key, bool checked) const {
  return WriteText(key, CheckBoxText(checked));
}

bool MonitorSettings::WriteTruth(std::string_view key, bool value) const {
  return WriteText(key, TruthText(value));
}

bool MonitorSettings::WriteColour(std::string_view key, int32_t colour) const {
  return WriteText(key, ColourText(colour));
}

bool MonitorSettings::WriteFontSize(std::string_view key, float points) const {
  return WriteText(key, SingleText(points, separators_));
}

bool MonitorSettings::WriteSliderLevel(std::string_view key, int32_t level) const {
  return WriteText(key, std::to_string(level));
}

}  // namespace skel::monitor
