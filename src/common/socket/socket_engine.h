// CSocketEngine: one TCP or UDP socket over Winsock, driven by asynchronous
// notifications, with its own receive and send buffers. Synchronous misuse
// and failing blocking calls throw SocketError; asynchronous failures raise
// the Error event and leave the state at 9.
//
// States: 0 closed, 1 open (bound), 2 listening, 4 resolving host, 5 host
// resolved, 6 connecting, 7 connected, 8 closing, 9 error. 3 is never used.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/socket/byte_queue.h"
#include "common/socket/socket_events.h"
#include "common/socket/socket_ports.h"
#include "common/socket/socket_value.h"

namespace skel::socket {

class SocketModule;

enum SocketState : int32_t {
  sckClosed = 0,
  sckOpen = 1,
  sckListening = 2,
  sckResolvingHost = 4,
  sckHostResolved = 5,
  sckConnecting = 6,
  sckConnected = 7,
  sckClosing = 8,
  sckError = 9,
};

inline constexpr int32_t sckTCPProtocol = 0;
inline constexpr int32_t sckUDPProtocol = 1;

class CSocketEngine {
 public:
  explicit CSocketEngine(SocketModule& module);
  ~CSocketEngine();
  CSocketEngine(const CSocketEngine&) = delete;
  CSocketEngine& operator=(const CSocketEngine&) = delete;

  SocketEvents events;

  // Called by the module's dispatcher only.
  void WndProc(uint32_t message, uint64_t wParam, int64_t lParam);

  int32_t RemotePort() const { return remotePort_; }
  void SetRemotePort(int32_t port);
  const std::string& RemoteHost() const { return remoteHost_; }
  void SetRemoteHost(const std::string& host);
  const std::string& RemoteHostIP() const { return remoteHostIP_; }
  int32_t LocalPort() const;
  void SetLocalPort(int32_t port);
  int32_t State() const { return state_; }
  std::string LocalHostName();
  const std::string& LocalIP() const { return localIP_; }
  int32_t BytesReceived();
  // Bytes SendData took that the system has not accepted yet.
  int64_t BytesToSend() const { return static_cast<int64_t>(sendBuffer_.size()); }
  int32_t SocketHandle() const { return socket_; }
  const std::string& Tag() const { return tag_; }
  void SetTag(const std::string& tag) { tag_ = tag; }
  int32_t Protocol() const { return protocol_; }
  void SetProtocol(int32_t protocol);

  void CloseSck();
  void Connect(std::optional<std::string> remoteHost = std::nullopt,
               std::optional<SocketValue> remotePort = std::nullopt);
  void Bind(std::optional<SocketValue> localPort = std::nullopt,
            std::optional<std::string> localIP = std::nullopt);
  void SendData(const SocketValue& data);
  // data keeps its type when it holds a value; otherwise varType decides, and
  // without one a byte array is filled. maxLen, when given, limits text and
  // byte-array reads; a non-numeric maxLen receives the waiting byte count.
  void GetData(SocketValue& data, std::optional<int32_t> varType = std::nullopt,
               SocketValue* maxLen = nullptr);
  void PeekData(SocketValue& data, std::optional<int32_t> varType = std::nullopt,
                SocketValue* maxLen = nullptr);
  void Listen();
  void Accept(int32_t requestID);
  void Bind_Connect(const std::string& localIP,
                    std::optional<std::string> remoteHost = std::nullopt,
                    std::optional<SocketValue> remotePort = std::nullopt);

  // Used by the module for connections a listener accepted: takes the socket
  // over at once so that early data is buffered here.
  void HoldAccepted(SocketId socket);
  // Closes a held connection nobody accepted.
  void RefuseHeld();

 private:
  enum class Purpose { kConnect = 0, kBindConnect = 1 };

  SocketApi& Api();
  [[noreturn]] void Raise(int32_t number, const std::string& description,
                          const std::string& operation) const;
  [[noreturn]] void RaiseWinsock(int code, const std::string& operation) const;
  // Raises Error; shows the message box afterwards when allowed and the
  // handler cleared CancelDisplay. False when this object died meanwhile.
  bool RaiseError(int code, const std::string& description, const std::string& source,
                  bool messageBoxAllowed, bool cancelDisplay = true);
  // State 9 and the Error event with the code's text.
  bool ReportFailure(int code, const std::string& operation, bool messageBoxAllowed);
  // Calls an event's handler, if any. The handler may close or even destroy
  // this object; the result says whether it still lives.
  template <typename... Params, typename... Args>
  bool Fire(const std::function<void(Params...)>& slot, Args&&... args) {
    if (!slot) return true;
    std::shared_ptr<bool> alive = alive_;
    auto handler = slot;  // outlives the object if the handler destroys it
    handler(std::forward<Args>(args)...);
    return *alive;
  }

  int32_t CheckedPort(const SocketValue& port, int32_t lowest, const std::string& operation) const;

  bool SocketExists();
  void ProcessOptions();
  bool BindInternal(std::optional<SocketValue> port = std::nullopt,
                    std::optional<std::string> address = std::nullopt);
  std::string GetLocalIP();
  struct Resolved {
    Ipv4 address;
    int error = 0;
  };
  Resolved ResolveHostNow(const std::string& text);
  void BeginConnect(const std::optional<std::string>& remoteHost,
                    const std::optional<SocketValue>& remotePort, const std::string& operation);
  // True with *address when the host is dotted; false when a lookup started
  // or could not be started (already reported).
  bool ResolveIfHostname(Purpose purpose, Ipv4* address);
  void HostLookupDone(LookupId lookup, int error);
  void ConnectToIP(Ipv4 address, int error);
  void BindAndConnectToIP(Ipv4 remote, int error);
  void StartConnect(Ipv4 address);
  void CancelHostLookups();
  void DestroySocket();
  void ReadPeerAddress(SocketId socket);
  void ResetAfterClose();

  void PostSocket(uint16_t event, int error);
  void OnRead();
  void OnAccept();
  void OnClose();
  int32_t RecvDataToBuffer();
  int32_t PendingDatagramSize();
  void DiscardDatagram();

  void SendBufferedData();
  void SendBufferedDataUDP();
  void RecvData(SocketValue& data, std::optional<int32_t> varType, SocketValue* maxLen, bool peek,
                const std::string& operation);

  SocketModule& module_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

  int32_t remotePort_ = 0;
  std::string remoteHost_;
  std::string remoteHostIP_;
  int32_t localPort_ = 0;
  int32_t state_ = sckClosed;
  std::string localIP_;
  SocketId socket_ = kNoSocket;
  std::string tag_;
  int32_t protocol_ = sckTCPProtocol;

  ByteQueue receiveBuffer_;
  ByteQueue sendBuffer_;
  int32_t receiveSize_ = 0;
  int32_t sendChunkSize_ = 0;
  int32_t boundPort_ = 0;
  bool accepted_ = false;
  std::map<LookupId, Purpose> lookups_;
  // Shared so that a cancelled lookup can hand it to the module.
  std::shared_ptr<std::vector<char>> lookupBuffer_;
  Ipv4 bindConnectLocal_;
  int64_t sendTotal_ = 0;
  bool sending_ = false;
  bool datagramTaken_ = false;
};

}  // namespace skel::socket
