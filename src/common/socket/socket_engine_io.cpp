// CSocketEngine: notifications from the hidden window, sending from the send
// buffer, and receiving for DataArrival, GetData and PeekData.
#include <algorithm>
#include <climits>

#include "common/socket/socket_engine.h"
#include "common/socket/socket_error.h"
#include "common/socket/socket_module.h"
#include "common/socket/winsock_error_text.h"

namespace skel::socket {

namespace {

// Used when the system reports a zero buffer size: a zero chunk would never
// move a byte.
constexpr int32_t kFallbackChunk = 8192;

int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(std::min<int64_t>(value, INT32_MAX));
}

}  // namespace

void CSocketEngine::WndProc(uint32_t message, uint64_t wParam, int64_t lParam) {
  std::shared_ptr<bool> alive = alive_;
  const auto low = static_cast<uint16_t>(lParam & 0xFFFF);
  const auto error = static_cast<int>((static_cast<uint64_t>(lParam) >> 16) & 0xFFFF);
  try {
    if (message == kLookupDoneMessage) {
      HostLookupDone(static_cast<LookupId>(static_cast<uint32_t>(wParam)), error);
    } else if (message == kSocketMessage) {
      PostSocket(low, error);
    }
  } catch (const SocketError& raised) {
    // Nobody is waiting for an error raised while a notification is handled:
    // it becomes an asynchronous failure like the others.
    if (!*alive) return;
    state_ = sckError;
    try {
      RaiseError(raised.Number(), raised.Description(), raised.Source(), true);
    } catch (...) {
    }
  } catch (...) {
    // A handler's own failure must not unwind into the window procedure.
  }
}

void CSocketEngine::PostSocket(uint16_t event, int error) {
  if (error != 0) {
    ReportFailure(error, "PostSocket", true);
    return;
  }
  switch (event) {
    case kEventRead:
      OnRead();
      break;
    case kEventWrite:
      if (protocol_ == sckTCPProtocol && state_ == sckConnected && !sendBuffer_.empty())
        SendBufferedData();
      break;
    case kEventAccept:
      if (state_ == sckListening) OnAccept();
      break;
    case kEventConnect:
      if (state_ == sckConnecting) {
        AddressResult peer = Api().PeerAddress(socket_);
        if (peer.error == 0) {
          remotePort_ = peer.port;
          remoteHostIP_ = Api().FormatDotted(peer.address);
        }
        state_ = sckConnected;
        Fire(events.Connect);
      }
      break;
    case kEventClose:
      if (state_ == sckConnected) OnClose();
      break;
    default:
      break;
  }
}

int32_t CSocketEngine::RecvDataToBuffer() {
  const int32_t size = receiveSize_ > 0 ? receiveSize_ : kFallbackChunk;
  std::vector<uint8_t> chunk(static_cast<size_t>(size));
  CallResult got = Api().Recv(socket_, chunk.data(), size, false);
  if (got.error == kWouldBlock) return 0;  // a stale read notification
  if (got.error != 0) {
    state_ = sckError;
    RaiseWinsock(got.error, "RecvDataToBuffer");
  }
  if (got.value > 0) receiveBuffer_.Append({chunk.data(), static_cast<size_t>(got.value)});
  return got.value;
}

int32_t CSocketEngine::PendingDatagramSize() {
  if (socket_ == kNoSocket) return 0;
  CallResult pending = Api().PendingBytes(socket_);
  return pending.error == 0 ? pending.value : 0;
}

void CSocketEngine::DiscardDatagram() {
  uint8_t byte = 0;
  Api().RecvFrom(socket_, &byte, 1, false);
}

void CSocketEngine::OnRead() {
  if (protocol_ == sckTCPProtocol) {
    if (state_ != sckConnected) return;
    if (RecvDataToBuffer() > 0)
      Fire(events.DataArrival, Clamp32(static_cast<int64_t>(receiveBuffer_.size())));
    return;
  }
  if (state_ != sckOpen) return;
  const int32_t waiting = PendingDatagramSize();
  datagramTaken_ = false;
  if (waiting > 0 && !Fire(events.DataArrival, waiting)) return;
  // An unread datagram is dropped so that the next one gets its own event.
  // One the handler took is not followed by a discard: that would throw away
  // the next datagram, already waiting behind it.
  if (state_ == sckOpen && socket_ != kNoSocket && !datagramTaken_) DiscardDatagram();
}

void CSocketEngine::OnClose() {
  // The close notification can overtake the last read notification; what
  // is still in the system is collected first so that nothing is lost.
  int64_t collected = 0;
  for (int32_t got = RecvDataToBuffer(); got > 0; got = RecvDataToBuffer()) collected += got;
  if (collected > 0 &&
      !Fire(events.DataArrival, Clamp32(static_cast<int64_t>(receiveBuffer_.size()))))
    return;
  if (state_ != sckConnected) return;
  state_ = sckClosing;
  Fire(events.CloseSck);
}

void CSocketEngine::OnAccept() {
  CallResult accepted = Api().Accept(socket_);
  if (accepted.error == kWouldBlock) return;
  // A peer that gave up while it waited in the backlog takes only its own
  // connection with it; the listener goes on for everyone else. (The
  // system reports it as reset or aborted; Wine as not connected.)
  if (accepted.error == kConnectionReset || accepted.error == kConnectionAborted ||
      accepted.error == kNotConnected)
    return;
  if (accepted.error != 0) RaiseWinsock(accepted.error, "PostSocket");
  const SocketId request = accepted.value;
  SocketModule& module = module_;  // the handler may destroy this object
  try {
    module.HoldAcceptedSocket(request);
  } catch (const SocketError&) {
    // The same when the system hands the connection over but it is already
    // dead (its options can no longer be read): the hold closed it.
    return;
  }

  const int32_t savedPort = remotePort_;
  const std::string savedIP = remoteHostIP_;
  const std::string savedHost = remoteHost_;
  ReadPeerAddress(request);
  std::shared_ptr<bool> alive = alive_;
  try {
    Fire(events.ConnectionRequest, request);
  } catch (...) {
    // Whatever the handler failed at, the pending connection is settled below.
  }
  if (*alive && state_ == sckListening) {
    remotePort_ = savedPort;
    remoteHostIP_ = savedIP;
    remoteHost_ = savedHost;
  }
  if (module.IsHeld(request)) module.RefuseHeld(request);
}

// ---- sending ----------------------------------------------------------------

void CSocketEngine::SendData(const SocketValue& data) {
  if (protocol_ == sckUDPProtocol) {
    if (!SocketExists()) return;
    if (state_ != sckOpen) {
      if (!BindInternal()) return;
      state_ = sckOpen;
    }
  } else if (state_ != sckConnected) {
    RaiseError(0, kTextWrongProtocolOrState, "CSocketEngine.SendData", false, false);
    return;
  }
  std::optional<Bytes> bytes = ToWireBytes(data);
  if (!bytes) Raise(kErrUnsupportedType, kTextUnsupportedType, "SendData");
  if (bytes->empty()) return;
  const bool wasEmpty = sendBuffer_.empty();
  sendBuffer_.Append(*bytes);
  if (!wasEmpty) return;  // the running send takes the new bytes along
  if (protocol_ == sckUDPProtocol) {
    SendBufferedDataUDP();
  } else {
    SendBufferedData();
  }
}

void CSocketEngine::SendBufferedDataUDP() {
  Resolved peer = ResolveHostNow(remoteHost_);
  if (peer.error != 0) {
    sendBuffer_.Clear();
    if (remoteHost_.empty()) RaiseWinsock(kAddressFamilyNotSupported, "SendBufferedDataUDP");
    Raise(kErrInvalidArgument, kTextInvalidArgument, "SendBufferedDataUDP");
  }
  CallResult sent = Api().SendTo(socket_, sendBuffer_.data(), Clamp32(sendBuffer_.size()),
                                 peer.address, static_cast<uint16_t>(remotePort_));
  sendBuffer_.Clear();
  if (sent.error != 0) ReportFailure(sent.error, "SendBufferedDataUDP", true);
}

void CSocketEngine::SendBufferedData() {
  // A handler that sends more while this loop runs only appends; the loop
  // carries the new bytes.
  if (sending_) return;
  sending_ = true;
  struct Reset {
    CSocketEngine* self;
    std::shared_ptr<bool> alive;
    ~Reset() {
      if (*alive) self->sending_ = false;
    }
  } reset{this, alive_};

  const int32_t chunk = sendChunkSize_ > 0 ? sendChunkSize_ : kFallbackChunk;
  while (!sendBuffer_.empty() && state_ == sckConnected && socket_ != kNoSocket) {
    const int32_t size = std::min(chunk, Clamp32(static_cast<int64_t>(sendBuffer_.size())));
    CallResult sent = Api().Send(socket_, sendBuffer_.data(), size);
    if (sent.error == kWouldBlock || (sent.error == 0 && sent.value <= 0)) {
      // Wait for the write notification; it resumes with a fresh total.
      const int64_t total = std::exchange(sendTotal_, 0);
      if (total > 0)
        Fire(events.SendProgress, Clamp32(total),
             Clamp32(static_cast<int64_t>(sendBuffer_.size())));
      return;
    }
    if (sent.error != 0) {
      state_ = sckError;
      RaiseError(sent.error, WinsockErrorText(sent.error), "CSocketEngine.SendBufferedData", false);
      return;
    }
    sendBuffer_.Drop(static_cast<size_t>(sent.value));
    sendTotal_ += sent.value;
    if (sendBuffer_.empty()) {
      const int64_t total = std::exchange(sendTotal_, 0);
      if (!Fire(events.SendProgress, Clamp32(total), 0)) return;
      if (!Fire(events.SendComplete)) return;
    }
  }
}

// ---- receiving for GetData and PeekData ---------------------------------------

void CSocketEngine::GetData(SocketValue& data, std::optional<int32_t> varType,
                            SocketValue* maxLen) {
  const bool allowed = protocol_ == sckUDPProtocol
                           ? state_ == sckOpen
                           // Bytes buffered before the peer closed stay readable until
                           // the application's own CloseSck.
                           : (state_ == sckConnected || state_ == sckClosing || accepted_);
  if (!allowed) Raise(kErrWrongProtocolOrState, kTextWrongProtocolOrState, "GetData");
  RecvData(data, varType, maxLen, false, "GetData");
}

void CSocketEngine::PeekData(SocketValue& data, std::optional<int32_t> varType,
                             SocketValue* maxLen) {
  const bool allowed = protocol_ == sckUDPProtocol
                           ? state_ == sckOpen
                           : (state_ == sckConnected || state_ == sckClosing);
  if (!allowed) Raise(kErrWrongProtocolOrState, kTextWrongProtocolOrState, "PeekData");
  RecvData(data, varType, maxLen, true, "PeekData");
}

void CSocketEngine::RecvData(SocketValue& data, std::optional<int32_t> varType, SocketValue* maxLen,
                             bool peek, const std::string& operation) {
  const bool udp = protocol_ == sckUDPProtocol;
  const int64_t available =
      udp ? PendingDatagramSize() : static_cast<int64_t>(receiveBuffer_.size());
  if (udp && available == 0) return;

  const int32_t type = data.index() != 0 ? VarTypeOf(data) : varType.value_or(kVbByteArray);
  const int fixedSize = WireSizeOf(type);
  if (fixedSize < 0) Raise(kErrUnsupportedType, kTextUnsupportedType, operation);

  std::optional<int64_t> limit;
  if (maxLen) {
    // An empty maxLen is "tell me": it receives the count, like a text does.
    std::optional<double> number = maxLen->index() == 0 ? std::nullopt : RoundedNumber(*maxLen);
    if (!number) {
      *maxLen = Clamp32(available);
      limit = available;
    } else if (*number < 0) {
      Raise(kErrInvalidArgument, kTextBadArgument, operation);
    } else {
      limit = static_cast<int64_t>(std::min<double>(*number, INT32_MAX));
    }
  }

  int64_t count = 0;
  if (fixedSize == 0) {
    count = available;
    if (limit) {
      if (*limit == 0 || available == 0) {
        data = FromWireBytes(type, {});
        if (udp) {
          DiscardDatagram();
          datagramTaken_ = true;
          RaiseWinsock(kMessageTooLong, "RecvData");
        }
        return;
      }
      count = std::min(*limit, available);
    }
  } else {
    if (available < fixedSize) return;  // a number needs all its bytes
    count = fixedSize;
  }

  if (!udp) {
    std::span<const uint8_t> front{receiveBuffer_.data(), static_cast<size_t>(count)};
    data = FromWireBytes(type, front);
    if (!peek) receiveBuffer_.Drop(static_cast<size_t>(count));
    return;
  }

  std::vector<uint8_t> buffer(static_cast<size_t>(count));
  DatagramResult got = Api().RecvFrom(socket_, buffer.data(), Clamp32(count), peek);
  if (!peek) datagramTaken_ = true;
  if (got.error == 0 || got.error == kMessageTooLong) {
    if (fixedSize == 0)
      buffer.resize(static_cast<size_t>(std::clamp<int64_t>(got.received, 0, count)));
    data = FromWireBytes(type, buffer);
    remotePort_ = got.fromPort;
    remoteHostIP_ = Api().FormatDotted(got.from);
    TextResult name = Api().ReverseLookup(got.from);
    remoteHost_ = name.error == 0 ? name.text : std::string();
  }
  if (got.error != 0) RaiseWinsock(got.error, "RecvData");
}

}  // namespace skel::socket
