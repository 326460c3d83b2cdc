// Socket: the control the programs place on their windows. It owns one
// CSocketEngine, forwards every property and method to it and re-raises its
// events through its own `events`.
//
// Stable interface for the programs (the viewer, the screen saver and the
// monitor's listeners, which use it where the platform's socket control
// would stand):
//   properties  RemotePort, RemoteHost, RemoteHostIP, LocalPort, State,
//               LocalHostName, LocalIP, BytesReceived, SocketHandle, Tag,
//               Protocol (getters; Set... for the writable ones)
//   methods     Accept(requestID), Bind, CloseSck (also Close), Connect,
//               Bind_Connect, GetData, Listen, PeekData, SendData
//   events      events.CloseSck (the peer closed; the platform control's
//               Close), Connect, ConnectionRequest, DataArrival, Error,
//               SendComplete, SendProgress
//
// Synchronous misuse throws SocketError (socket_error.h) with the numbers
// 40006, 40014, 40018, 40020, 7 or a Winsock code. Everything runs on the
// thread that pumps the window messages.
//
// Listening on every interface: Bind(port, "0.0.0.0") before Listen. Without
// an address the socket binds to the machine's primary address only.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "common/socket/socket_engine.h"
#include "common/socket/socket_error.h"
#include "common/socket/socket_events.h"
#include "common/socket/socket_value.h"

namespace skel::socket {

class SocketModule;

// The five properties a form stores for the control, with their defaults.
struct SocketStoredProperties {
  int32_t LocalPort = 0;
  int32_t Protocol = sckTCPProtocol;
  std::string RemoteHost;
  int32_t RemotePort = 0;
  std::string Tag;
};

class Socket {
 public:
  // On the process-wide module (Winsock and the real window; Windows only).
  Socket();
  explicit Socket(SocketModule& module);
  ~Socket();
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

  SocketEvents events;

  int32_t RemotePort() const { return engine_->RemotePort(); }
  void SetRemotePort(int32_t port) { engine_->SetRemotePort(port); }
  std::string RemoteHost() const { return engine_->RemoteHost(); }
  void SetRemoteHost(const std::string& host) { engine_->SetRemoteHost(host); }
  std::string RemoteHostIP() const { return engine_->RemoteHostIP(); }
  int32_t LocalPort() const { return engine_->LocalPort(); }
  void SetLocalPort(int32_t port) { engine_->SetLocalPort(port); }
  int32_t State() const { return engine_->State(); }
  std::string LocalHostName() { return engine_->LocalHostName(); }
  std::string LocalIP() const { return engine_->LocalIP(); }
  int32_t BytesReceived() { return engine_->BytesReceived(); }
  int64_t BytesToSend() const { return engine_->BytesToSend(); }
  int32_t SocketHandle() const { return engine_->SocketHandle(); }
  std::string Tag() const { return engine_->Tag(); }
  void SetTag(const std::string& tag) { engine_->SetTag(tag); }
  int32_t Protocol() const { return engine_->Protocol(); }
  void SetProtocol(int32_t protocol) { engine_->SetProtocol(protocol); }

  void Accept(int32_t requestID) { engine_->Accept(requestID); }
  void Bind(std::optional<SocketValue> localPort = std::nullopt,
            std::optional<std::string> localIP = std::nullopt) {
    engine_->Bind(std::move(localPort), std::move(localIP));
  }
  void CloseSck() { engine_->CloseSck(); }
  void Close() { engine_->CloseSck(); }
  void Connect(std::optional<std::string> remoteHost = std::nullopt,
               std::optional<SocketValue> remotePort = std::nullopt) {
    engine_->Connect(std::move(remoteHost), std::move(remotePort));
  }
  void Bind_Connect(const std::string& localIP,
                    std::optional<std::string> remoteHost = std::nullopt,
                    std::optional<SocketValue> remotePort = std::nullopt) {
    engine_->Bind_Connect(localIP, std::move(remoteHost), std::move(remotePort));
  }
  void GetData(SocketValue& data, std::optional<int32_t> varType = std::nullopt,
               SocketValue* maxLen = nullptr) {
    engine_->GetData(data, varType, maxLen);
  }
  // Everything received and not yet read, as text (the common case).
  std::string GetText();
  void Listen() { engine_->Listen(); }
  void PeekData(SocketValue& data, std::optional<int32_t> varType = std::nullopt,
                SocketValue* maxLen = nullptr) {
    engine_->PeekData(data, varType, maxLen);
  }
  void SendData(const SocketValue& data) { engine_->SendData(data); }

  // What a form's property store keeps of the control, and its restoring
  // (which follows the setters' rules).
  SocketStoredProperties WriteProperties() const;
  void ReadProperties(const SocketStoredProperties& stored);

 private:
  void ForwardEvents();

  std::unique_ptr<CSocketEngine> engine_;
};

}  // namespace skel::socket
