// A module on fake ports and a recorder of every event a Socket raises.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/socket/socket.h"
#include "fake_socket_ports.h"

namespace skel::socket::testing {

struct EventLog {
  std::vector<std::string> names;
  std::vector<SocketErrorArgs> errors;
  std::vector<int32_t> arrivals;
  std::vector<std::pair<int32_t, int32_t>> progress;
  std::vector<int32_t> requests;

  void Attach(Socket& socket) {
    socket.events.CloseSck = [this] { names.push_back("CloseSck"); };
    socket.events.Connect = [this] { names.push_back("Connect"); };
    socket.events.ConnectionRequest = [this](int32_t id) {
      names.push_back("ConnectionRequest");
      requests.push_back(id);
    };
    socket.events.DataArrival = [this](int32_t n) {
      names.push_back("DataArrival");
      arrivals.push_back(n);
    };
    socket.events.Error = [this](SocketErrorArgs& args) {
      names.push_back("Error");
      errors.push_back(args);
    };
    socket.events.SendComplete = [this] { names.push_back("SendComplete"); };
    socket.events.SendProgress = [this](int32_t sent, int32_t left) {
      names.push_back("SendProgress");
      progress.emplace_back(sent, left);
    };
  }
};

class SocketTest : public ::testing::Test {
 protected:
  FakeSocketApi api;
  FakeWindow window;
  FakeMessageBox box;
  SocketModule module{api, window, box};

  std::unique_ptr<Socket> Make(EventLog* log = nullptr) {
    auto socket = std::make_unique<Socket>(module);
    if (log) log->Attach(*socket);
    return socket;
  }

  // A TCP socket connected to 10.0.0.9:2012 through the connect notification.
  std::unique_ptr<Socket> Connected(EventLog* log = nullptr) {
    auto socket = Make(log);
    socket->Connect("10.0.0.9", std::string("2012"));
    Notify(module, socket->SocketHandle(), kEventConnect);
    return socket;
  }

  void Arrive(SocketId id, const std::string& bytes) {
    api.At(id).inbound.insert(api.At(id).inbound.end(), bytes.begin(), bytes.end());
    Notify(module, id, kEventRead);
  }

  static std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }
};

// Runs a call that must raise and returns what it raised.
template <typename F>
SocketError Raised(F&& call) {
  try {
    call();
  } catch (const SocketError& e) {
    return e;
  }
  ADD_FAILURE() << "nothing was raised";
  return SocketError(-1, "", "");
}

}  // namespace skel::socket::testing
