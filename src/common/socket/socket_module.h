// modSocketEngine: what all sockets of the process share. It starts Winsock
// with the first CSocketEngine and cleans it up with the last, owns the
// hidden notification window while any socket is registered, routes every
// notification to the object that owns the socket or lookup, and holds
// connections accepted by a listener until the application accepts or
// refuses them.
//
// Single-threaded: everything runs on the thread that owns the window.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "common/socket/socket_ports.h"

namespace skel::socket {

class CSocketEngine;

class SocketModule : public NotificationSink {
 public:
  SocketModule(SocketApi& api, NotifyWindow& window, MessageBoxPort& messageBox);
  ~SocketModule() override;
  SocketModule(const SocketModule&) = delete;
  SocketModule& operator=(const SocketModule&) = delete;

  SocketApi& Api() { return api_; }
  MessageBoxPort& MessageBox() { return *messageBox_; }
  // Tests under Wine put a recording box in place of the real one.
  void SetMessageBox(MessageBoxPort& messageBox) { messageBox_ = &messageBox; }

  // Count of live objects; Winsock starts with the first (a failure raises
  // its code) and is cleaned up with the last.
  void InitiateProcesses();
  void FinalizeProcesses();

  // Routes the socket's notifications to owner; creates the window for the
  // first registered socket. selectEvents asks Winsock for all five events.
  void RegisterSocket(SocketId socket, CSocketEngine* owner, bool selectEvents);
  // Drops the route; the window goes with the last registered socket.
  void UnregisterSocket(SocketId socket);
  // Gives an already registered socket a new owner (a completed Accept).
  void RouteSocket(SocketId socket, CSocketEngine* owner);
  CSocketEngine* SocketOwner(SocketId socket) const;
  bool IsRegistered(SocketId socket) const { return registered_.count(socket) != 0; }

  void RegisterLookup(LookupId lookup, CSocketEngine* owner);
  void UnregisterLookup(LookupId lookup);
  // Keeps the result buffer of a cancelled lookup alive: the system may not
  // honour the cancellation and still write into it. The buffer goes when
  // the lookup's message arrives, when its handle is reused, or with the
  // module.
  void RetireLookupBuffer(LookupId lookup, std::shared_ptr<std::vector<char>> buffer);

  // Wraps a freshly accepted socket in a temporary object that buffers what
  // arrives until the application decides.
  void HoldAcceptedSocket(SocketId socket);
  bool IsHeld(SocketId socket) const { return held_.count(socket) != 0; }
  // Hands the temporary object over to the accepting object.
  std::unique_ptr<CSocketEngine> TakeHeld(SocketId socket);
  // Closes and forgets a held connection nobody accepted.
  void RefuseHeld(SocketId socket);

  // The window's procedure for the two notification messages.
  bool Dispatch(uint32_t message, uint64_t wParam, int64_t lParam) override;

  // For tests and diagnostics.
  int LiveObjects() const { return liveObjects_; }
  bool WindowExists() const { return windowExists_; }
  size_t RegisteredCount() const { return registered_.size(); }
  size_t HeldCount() const { return held_.size(); }
  size_t PendingLookupCount() const;
  size_t RetiredBufferCount() const { return retiredBuffers_.size(); }

 private:
  using Route = std::pair<int32_t, CSocketEngine*>;
  static void Put(std::vector<Route>& table, int32_t key, CSocketEngine* owner);
  static void Clear(std::vector<Route>& table, int32_t key);
  static CSocketEngine* Find(const std::vector<Route>& table, int32_t key);
  void DestroyWinsockMessageWindow();

  SocketApi& api_;
  NotifyWindow& window_;
  MessageBoxPort* messageBox_;
  int liveObjects_ = 0;
  bool winsockStarted_ = false;
  bool windowExists_ = false;
  // Freed pairs are marked (-1, nullptr) and reused; the tables stay small.
  std::vector<Route> sockets_;
  std::vector<Route> lookups_;
  std::map<LookupId, std::shared_ptr<std::vector<char>>> retiredBuffers_;
  std::set<SocketId> registered_;
  std::map<SocketId, std::unique_ptr<CSocketEngine>> held_;
};

}  // namespace skel::socket
