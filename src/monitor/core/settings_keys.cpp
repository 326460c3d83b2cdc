#include "monitor/core/settings_keys.h"

#include <stdexcept>
#include <string>

namespace skel::monitor {
namespace {

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

const SettingKey* FindSettingKey(std::string_view name) {
  for (const SettingKey& key : kSettingKeys) {
    if (EqualsIgnoreCase(key.name, name)) return &key;
  }
  return nullptr;
}

const SettingKey& SettingKeyOf(std::string_view name) {
  const SettingKey* key = FindSettingKey(name);
  if (!key) throw std::out_of_range("not a settings key: " + std::string(name));
  return *key;
}

}  // namespace skel::monitor
