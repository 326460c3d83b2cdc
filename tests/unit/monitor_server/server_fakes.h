// In-memory stand-ins for the statistics server's ports: a settings file, the
// statistics sources, sockets whose events tests raise by hand, files and the
// window's menus and input box.
#pragma once

#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "monitor/core/settings_store.h"
#include "monitor/core/stats_sampler.h"
#include "monitor/server/address_lists.h"
#include "monitor/server/server_socket.h"
#include "monitor/server/stats_server.h"

namespace skel::monitor::testing {

class MemoryProfile : public ProfileStore {
 public:
  std::map<std::string, std::string, std::less<>> values;
  std::vector<std::string> writes;  // "key=value", in order

  uint32_t GetString(std::string_view, std::string_view key, std::string_view defaultValue,
                     char* buffer, uint32_t size, std::string_view) override {
    auto it = values.find(key);
    std::string text(it == values.end() ? defaultValue : std::string_view(it->second));
    text = text.substr(0, size - 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<uint32_t>(text.size());
  }
  bool WriteString(std::string_view, std::string_view key, std::string_view value,
                   std::string_view) override {
    values[std::string(key)] = std::string(value);
    writes.push_back(std::string(key) + "=" + std::string(value));
    return true;
  }
};

class FixedPerformance : public PerformanceSource {
 public:
  PerformanceRecord record{};
  bool fails = false;
  int queries = 0;
  bool QueryPerformance(PerformanceRecord& out) override {
    ++queries;
    if (fails) return false;
    out = record;
    return true;
  }
};

class FixedFileCache : public FileCacheSource {
 public:
  uint32_t currentSize = 0;
  bool fails = false;
  int queries = 0;
  bool QueryFileCache(FileCacheInfo& info) override {
    ++queries;
    if (fails) return false;
    info.CurrentSize = currentSize;
    return true;
  }
};

// A socket whose state follows the calls made on it; tests raise its events
// through `events`.
class FakeSocket : public ServerSocket {
 public:
  explicit FakeSocket(ServerSocketEvents e) : events(std::move(e)) {}

  ServerSocketEvents events;
  int32_t state = kStateClosed;
  int32_t protocol = kProtocolTcp;
  int32_t localPort = 0;
  std::string localIP = "0.0.0.0";
  std::string remoteHost;
  std::string remoteHostIP;
  int32_t remotePort = 0;
  std::deque<std::string> inbox;  // what GetData returns next
  std::vector<std::string> sent;
  std::vector<std::string> calls;
  int32_t acceptedRequest = -1;
  int64_t unsent = 0;  // bytes the peer has not read
  bool failListen = false;
  // Runs inside Accept, before it returns (early data, nested events).
  std::function<void()> duringAccept;

  int32_t State() override { return state; }
  void SetProtocol(int32_t p) override {
    calls.push_back("Protocol " + std::to_string(p));
    protocol = p;
  }
  int32_t LocalPort() override { return localPort; }
  void SetLocalPort(int32_t port) override {
    calls.push_back("LocalPort " + std::to_string(port));
    if (state != kStateClosed) throw std::runtime_error("Invalid operation at current state");
    localPort = port;
  }
  std::string LocalIP() override { return localIP; }
  std::string RemoteHostIP() override { return remoteHostIP; }
  int32_t RemotePort() override { return remotePort; }
  void SetRemoteHost(const std::string& host) override { remoteHost = host; }
  void SetRemotePort(int32_t port) override { remotePort = port; }
  void Bind(int32_t port, const std::string& ip) override {
    calls.push_back("Bind " + std::to_string(port) + " " + ip);
    localPort = port;
    localIP = ip;
    state = 1;
  }
  void Listen() override {
    calls.push_back("Listen");
    if (failListen) throw std::runtime_error("Address already in use.");
    state = 2;
  }
  void Accept(int32_t requestId) override {
    calls.push_back("Accept " + std::to_string(requestId));
    acceptedRequest = requestId;
    state = 7;
    if (duringAccept) duringAccept();
  }
  void Close() override {
    calls.push_back("Close");
    state = kStateClosed;
    inbox.clear();
  }
  void SendData(const std::string& text) override {
    if (protocol == kProtocolTcp && state != 7) return;  // nothing goes out
    sent.push_back(protocol == kProtocolUdp
                       ? remoteHost + ":" + std::to_string(remotePort) + " " + text
                       : text);
  }
  int64_t BytesToSend() override { return unsent; }
  std::string GetData() override {
    if (inbox.empty()) return {};
    std::string text = inbox.front();
    inbox.pop_front();
    return text;
  }

  // The peer sends `text` (one arrival).
  void Arrive(const std::string& text) {
    inbox.push_back(text);
    if (events.dataArrival) events.dataArrival(static_cast<int32_t>(text.size()));
  }
};

class FakeSocketFactory : public ServerSocketFactory {
 public:
  std::vector<FakeSocket*> created;
  std::unique_ptr<ServerSocket> Create(ServerSocketEvents events) override {
    auto socket = std::make_unique<FakeSocket>(std::move(events));
    created.push_back(socket.get());
    return socket;
  }
};

class MemoryFiles : public TextFileStore {
 public:
  std::map<std::string, std::string> files;
  std::vector<std::string> writes;  // paths, in order
  bool writesFail = false;

  std::optional<std::string> ReadAll(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  bool WriteAll(const std::string& path, const std::string& bytes) override {
    writes.push_back(path);
    if (writesFail) return false;
    files[path] = bytes;
    return true;
  }
};

class ScriptedWindow : public RemoteSettingsWindow {
 public:
  std::vector<std::vector<std::string>> menus;  // every menu shown
  int nextChoice = -1;
  std::optional<std::string> nextInput;
  std::vector<std::string> prompts;
  int prepared = 0;
  int fits = 0;

  int PopupMenu(const std::vector<std::string>& items) override {
    menus.push_back(items);
    return nextChoice;
  }
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override {
    prompts.push_back(prompt + "|" + title + "|" + defaultText);
    return nextInput;
  }
  void PrepareColumns() override { ++prepared; }
  void FitConnectionColumns() override { ++fits; }
};

// Pages of 4096 bytes: 1 GB of memory, a quarter of it available.
inline PerformanceRecord TypicalRecord() {
  PerformanceRecord r;
  r.PageSize = 4096;
  r.CommitTotal = 262144;  // 1 GB
  r.CommitLimit = 524288;  // 2 GB
  r.CommitPeak = 393216;   // 1.5 GB
  r.PhysicalTotal = 262144;
  r.PhysicalAvailable = 65536;
  r.SystemCache = 25600;  // 100 MB
  r.KernelTotal = 51200;  // 200 MB
  r.KernelPaged = 38400;
  r.KernelNonpaged = 12800;
  r.HandleCount = 23581;
  r.ProcessCount = 71;
  r.ThreadCount = 1024;
  return r;
}

}  // namespace skel::monitor::testing
