// In-memory stand-ins for the monitor core's ports.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "monitor/core/settings_store.h"
#include "monitor/core/stats_sampler.h"
#include "monitor/core/up_time.h"
#include "monitor/core/window_positions.h"

namespace skel::monitor::testing {

inline std::string Lower(std::string_view s) {
  std::string r(s);
  std::transform(r.begin(), r.end(), r.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return r;
}

// Behaves as the profile functions do: names without regard to case, the
// value cut to the buffer less its terminator, writes refused on demand.
class FakeProfileStore : public ProfileStore {
 public:
  uint32_t GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                     char* buffer, uint32_t size, std::string_view file) override {
    ++reads;
    std::string value(defaultValue);
    if (auto it = values.find(Id(section, key, file)); it != values.end()) value = it->second;
    uint32_t n = std::min<uint32_t>(static_cast<uint32_t>(value.size()), size - 1);
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return n;
  }
  bool WriteString(std::string_view section, std::string_view key, std::string_view value,
                   std::string_view file) override {
    writeLog += std::string(key) + "=" + std::string(value) + ";";
    if (refuseWrites) return false;
    values[Id(section, key, file)] = std::string(value);
    return true;
  }

  void Set(std::string_view key, std::string_view value, std::string_view file = kFile) {
    values[Id("main", key, file)] = std::string(value);
  }
  std::optional<std::string> Get(std::string_view key, std::string_view file = kFile) const {
    auto it = values.find(Id("main", key, file));
    if (it == values.end()) return std::nullopt;
    return it->second;
  }

  static constexpr std::string_view kFile = "C:\\Program Files\\Skelvane\\skelvane_settings.ini";
  std::map<std::string, std::string> values;
  bool refuseWrites = false;
  int reads = 0;
  std::string writeLog;

 private:
  static std::string Id(std::string_view section, std::string_view key, std::string_view file) {
    return Lower(file) + "|" + Lower(section) + "|" + Lower(key);
  }
};

class FakeRegistry : public Registry {
 public:
  bool CreateKey(std::string_view path) override {
    if (refuseWrites) return false;
    keys[Lower(path)];
    return true;
  }
  std::optional<std::string> ReadString(std::string_view path, std::string_view name) override {
    auto key = keys.find(Lower(path));
    if (key == keys.end()) return std::nullopt;
    auto value = key->second.find(Lower(name));
    if (value == key->second.end()) return std::nullopt;
    return value->second;
  }
  bool WriteString(std::string_view path, std::string_view name, std::string_view value) override {
    auto key = keys.find(Lower(path));
    if (refuseWrites || key == keys.end()) return false;
    key->second[Lower(name)] = std::string(value);
    return true;
  }
  bool DeleteTree(std::string_view path) override {
    if (refuseWrites) return false;
    std::string prefix = Lower(path);
    std::erase_if(keys, [&](const auto& kv) {
      return kv.first == prefix || kv.first.starts_with(prefix + "\\");
    });
    return true;
  }

  std::map<std::string, std::map<std::string, std::string>> keys;
  bool refuseWrites = false;
};

class FakePerformanceSource : public PerformanceSource {
 public:
  bool QueryPerformance(PerformanceRecord& record) override {
    ++calls;
    if (fail) {
      record.PageSize = -12345;  // a refused call may leave garbage behind
      return false;
    }
    record = next;
    return true;
  }
  PerformanceRecord next{};
  bool fail = false;
  int calls = 0;
};

class FakeFileCacheSource : public FileCacheSource {
 public:
  bool QueryFileCache(FileCacheInfo& info) override {
    if (fail) {
      info.CurrentSize = 777;  // garbage that must not be believed
      return false;
    }
    info = next;
    return true;
  }
  FileCacheInfo next{};
  bool fail = false;
};

class FakeUpTimeSource : public UpTimeSource {
 public:
  int32_t TickCount() override {
    ++tickReads;
    return tick;
  }
  std::optional<double> CounterSeconds() override {
    ++counterReads;
    return counter;
  }
  int32_t tick = 0;
  std::optional<double> counter;
  int tickReads = 0;
  int counterReads = 0;
};

}  // namespace skel::monitor::testing
