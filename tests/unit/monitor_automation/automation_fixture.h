// A settings window with the automation attached, over in-memory ports.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "monitor/automation/automation.h"

namespace skel::monitor::testing {

// The settings file as a map of section "main"; every write is also logged.
class MemoryProfileStore : public ProfileStore {
 public:
  uint32_t GetString(std::string_view, std::string_view key, std::string_view defaultValue,
                     char* buffer, uint32_t size, std::string_view) override {
    std::string value(defaultValue);
    if (auto it = values.find(std::string(key)); it != values.end()) value = it->second;
    uint32_t n = std::min<uint32_t>(static_cast<uint32_t>(value.size()), size - 1);
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return n;
  }
  bool WriteString(std::string_view, std::string_view key, std::string_view value,
                   std::string_view) override {
    values[std::string(key)] = std::string(value);
    writes.push_back(std::string(key) + "=" + std::string(value));
    return true;
  }

  std::map<std::string, std::string> values;
  std::vector<std::string> writes;
};

struct StartCall {
  std::string path, arguments;
  int showState;
};

class RecordingLauncher : public Launcher {
 public:
  bool Start(const std::string& path, const std::string& arguments, int showState) override {
    starts.push_back({path, arguments, showState});
    return succeed;
  }
  bool Open(const std::string& target, const std::string&) override {
    opened.push_back(target);
    return succeed;
  }
  std::vector<StartCall> starts;
  std::vector<std::string> opened;
  bool succeed = true;
};

class FixedClock : public Clock {
 public:
  std::string NowText() override { return now; }
  std::string now = "05/06/2024 13:14:15";
};

class FixedFolders : public SystemFolders {
 public:
  std::string SystemDirectory() override { return directory; }
  std::string directory = "C:\\Windows\\system32";
};

class NoPerformance : public PerformanceSource {
 public:
  bool QueryPerformance(PerformanceRecord&) override { return false; }
};

class FakeFileCache : public FileCacheSource {
 public:
  bool QueryFileCache(FileCacheInfo& info) override {
    ++queries;
    if (fail) {
      // A failed query may leave anything behind; the reader must not trust it.
      info.CurrentSize = 0xDEADBEEF;
      return false;
    }
    info = record;
    return true;
  }
  FileCacheInfo record{};
  bool fail = false;
  int queries = 0;
};

class RecordingTrim : public FileCacheTrim {
 public:
  void RequestFileCacheTrim(const FileCacheInfo& request) override { requests.push_back(request); }
  std::vector<FileCacheInfo> requests;
};

inline constexpr const char* kProgramFolder = "C:\\Program Files\\Skelvane";

class AutomationFixture : public ::testing::Test {
 protected:
  AutomationFixture()
      : settings(store, "C:\\Program Files\\Skelvane\\skelvane_settings.ini", LocaleSeparators{}),
        form(settings),
        sampler(performance),
        ports{launcher, clock, folders, sampler, fileCache, trim, kProgramFolder} {
    SetCurrentSeparators(LocaleSeparators{});
    form.Hooks().processMessages = [this] { ++pumps; };
  }

  // Attaches the automation, loads the settings as start-up does, and
  // forgets the writes start-up made.
  void Start() {
    automation = AttachAutomation(form, ports);
    ASSERT_TRUE(form.Load());
    store.writes.clear();
  }

  // The user types a whole new text into a field (as after a paste).
  void Type(const std::string& field, const std::string& text) {
    form.Controls().UserType(field, text);
    form.Controls().UserKeyUp(field);
  }

  int CleanerStarts() const { return static_cast<int>(launcher.starts.size()); }

  MemoryProfileStore store;
  MonitorSettings settings;
  MainForm form;
  NoPerformance performance;
  StatsSampler sampler;
  RecordingLauncher launcher;
  FixedClock clock;
  FixedFolders folders;
  FakeFileCache fileCache;
  RecordingTrim trim;
  AutomationPorts ports;
  std::unique_ptr<Automation> automation;
  int pumps = 0;
};

}  // namespace skel::monitor::testing
