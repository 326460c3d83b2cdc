// The seven events of a socket, as callbacks. Unset callbacks are skipped.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace skel::socket {

// Arguments of the Error event. Description and CancelDisplay may be changed
// by the handler: when the component shows a message box afterwards it uses
// the description, and it shows one only when CancelDisplay ends false.
struct SocketErrorArgs {
  int16_t Number = 0;
  std::string Description;
  int32_t Scode = 0;  // always 0
  std::string Source;
  std::string HelpFile;     // always ""
  int32_t HelpContext = 0;  // always 0
  bool CancelDisplay = true;
};

struct SocketEvents {
  // The peer closed a connected TCP socket (the state is already 8). What the
  // platform's socket control calls Close.
  std::function<void()> CloseSck;
  // A TCP connect completed (the state is already 7).
  std::function<void()> Connect;
  // A listening socket got a connection; pass requestID to Accept on another
  // object to take it. Not accepted by the time the handler returns, it is
  // closed.
  std::function<void(int32_t requestID)> ConnectionRequest;
  // TCP: total bytes now buffered; UDP: size of the waiting datagram.
  std::function<void(int32_t bytesTotal)> DataArrival;
  // An asynchronous failure; the state is 9 (except for SendData in the
  // wrong state, which leaves it).
  std::function<void(SocketErrorArgs& args)> Error;
  // The send buffer of a TCP socket became empty.
  std::function<void()> SendComplete;
  std::function<void(int32_t bytesSent, int32_t bytesRemaining)> SendProgress;
};

}  // namespace skel::socket
