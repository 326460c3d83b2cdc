// Listening and accepting: the connection request, the temporary holder of
// an accepted connection, and refusals.
#include "socket_fixture.h"

namespace skel::socket::testing {
namespace {

class ListenTest : public SocketTest {
 protected:
  std::unique_ptr<Socket> Listening(EventLog* log = nullptr) {
    auto s = Make(log);
    s->Bind(int32_t{2012}, std::string("0.0.0.0"));
    s->Listen();
    return s;
  }
};

TEST_F(ListenTest, AcceptedConnectionMovesToTheAcceptingObject) {
  EventLog log;
  auto listener = Listening(&log);
  EXPECT_EQ(listener->State(), sckListening);
  EXPECT_TRUE(api.At(listener->SocketHandle()).listening);
  listener->SetTag("unchanged");

  auto slot = Make();
  EventLog slotLog;
  slotLog.Attach(*slot);
  std::string peerDuringRequest;
  listener->events.ConnectionRequest = [&](int32_t id) {
    peerDuringRequest = listener->RemoteHostIP() + ":" + std::to_string(listener->RemotePort());
    slot->Accept(id);
  };
  SocketId id = api.IncomingConnection(listener->SocketHandle(), Addr(10, 0, 0, 9), 50000);
  Notify(module, listener->SocketHandle(), kEventAccept);

  EXPECT_EQ(peerDuringRequest, "10.0.0.9:50000");
  EXPECT_EQ(listener->RemoteHostIP(), "");  // restored after the event
  EXPECT_EQ(listener->RemotePort(), 0);
  EXPECT_EQ(slot->State(), sckConnected);
  EXPECT_EQ(slot->SocketHandle(), id);
  EXPECT_EQ(slot->RemoteHostIP(), "10.0.0.9");
  EXPECT_EQ(slot->RemoteHost(), "server");
  EXPECT_EQ(slot->LocalPort(), 2012);
  EXPECT_EQ(module.HeldCount(), 0u);

  Arrive(id, "getalldata");
  EXPECT_EQ(slot->GetText(), "getalldata");
  slot->SendData(std::string("reply"));
  EXPECT_EQ(Text(api.At(id).sent), "reply");
}

TEST_F(ListenTest, UnacceptedConnectionIsClosed) {
  auto listener = Listening();
  int requests = 0;
  listener->events.ConnectionRequest = [&](int32_t) { ++requests; };
  SocketId id = api.IncomingConnection(listener->SocketHandle(), Addr(10, 0, 0, 9), 50001);
  Notify(module, listener->SocketHandle(), kEventAccept);
  EXPECT_EQ(requests, 1);
  EXPECT_FALSE(api.At(id).open);
  EXPECT_EQ(module.HeldCount(), 0u);
  EXPECT_FALSE(module.IsRegistered(id));
  EXPECT_EQ(module.LiveObjects(), 1);  // the holder is gone
  EXPECT_EQ(listener->State(), sckListening);

  // A handler that fails does not leave the connection pending either.
  listener->events.ConnectionRequest = [&](int32_t) { throw SocketError(1, "", ""); };
  SocketId second = api.IncomingConnection(listener->SocketHandle(), Addr(10, 0, 0, 9), 50002);
  Notify(module, listener->SocketHandle(), kEventAccept);
  EXPECT_FALSE(api.At(second).open);
  EXPECT_EQ(listener->State(), sckListening);
}

TEST_F(ListenTest, APeerGoneBeforeItsAcceptCostsOnlyItsOwnConnection) {
  // Reset, aborted, and Wine's "not connected" for the same case: the
  // listener stays; any other failure is the listener's own.
  struct Case {
    int error;
    int32_t state;
    size_t errors;
  };
  for (Case c : {Case{10054, sckListening, 0}, Case{10053, sckListening, 0},
                 Case{10057, sckListening, 0}, Case{10055, sckError, 1}}) {
    EventLog log;
    auto listener = Listening(&log);
    api.acceptError = c.error;
    Notify(module, listener->SocketHandle(), kEventAccept);
    EXPECT_EQ(listener->State(), c.state) << c.error;
    ASSERT_EQ(log.errors.size(), c.errors) << c.error;
    if (c.errors) {
      EXPECT_EQ(log.errors[0].Number, c.error);
      EXPECT_EQ(log.errors[0].Source, "CSocketEngine.PostSocket");
    } else {
      // The next peer is taken as usual.
      api.IncomingConnection(listener->SocketHandle(), Addr(10, 0, 0, 9), 50003);
      Notify(module, listener->SocketHandle(), kEventAccept);
      EXPECT_EQ(log.requests.size(), 1u) << c.error;
    }
  }
}

TEST_F(ListenTest, ListenerDestroyedInsideItsRequestLeavesNothingBehind) {
  auto listener = Listening();
  SocketId listening = listener->SocketHandle();
  listener->events.ConnectionRequest = [&](int32_t) { listener.reset(); };
  SocketId id = api.IncomingConnection(listening, Addr(10, 0, 0, 9), 50004);
  Notify(module, listening, kEventAccept);
  EXPECT_FALSE(listener);
  EXPECT_FALSE(api.At(id).open);
  EXPECT_FALSE(api.At(listening).open);
  EXPECT_EQ(module.HeldCount(), 0u);
  EXPECT_EQ(module.RegisteredCount(), 0u);
  EXPECT_FALSE(window.exists);
}

TEST_F(ListenTest, DataAndCloseBeforeAcceptAreDeliveredAfterIt) {
  auto listener = Listening();
  auto slot = Make();
  EventLog slotLog;
  slotLog.Attach(*slot);
  SocketId id = 0;
  listener->events.ConnectionRequest = [&](int32_t request) {
    id = request;
    // Messages pumped inside the handler reach the holder first.
    api.At(request).inbound.assign({'e', 'a', 'r', 'l', 'y'});
    Notify(module, request, kEventRead);
    Notify(module, request, kEventClose);
    slot->Accept(request);
  };
  api.IncomingConnection(listener->SocketHandle(), Addr(10, 0, 0, 9), 50003);
  Notify(module, listener->SocketHandle(), kEventAccept);
  EXPECT_EQ(slotLog.names, (std::vector<std::string>{"DataArrival", "CloseSck"}));
  EXPECT_EQ(slotLog.arrivals, std::vector<int32_t>{5});
  EXPECT_EQ(slot->State(), sckClosing);
  EXPECT_EQ(slot->GetText(), "early");
  slot->CloseSck();
  EXPECT_FALSE(api.At(id).open);
}

TEST_F(ListenTest, AcceptOfAnotherObjectsSocketIsRefused) {
  auto owner = Connected();
  auto thief = Make();
  SocketError e = Raised([&] { thief->Accept(owner->SocketHandle()); });
  EXPECT_EQ(e.Number(), 40006);
  EXPECT_EQ(e.Source(), "CSocketEngine.Accept");
  EXPECT_EQ(thief->SocketHandle(), -1);
  EXPECT_EQ(thief->State(), sckClosed);
  thief.reset();
  EXPECT_TRUE(api.At(owner->SocketHandle()).open);
}

TEST_F(ListenTest, ListenOnUdpRaisesTheWinsockCode) {
  auto s = Make();
  s->SetProtocol(sckUDPProtocol);
  SocketError e = Raised([&] { s->Listen(); });
  EXPECT_EQ(e.Number(), 10045);
  EXPECT_EQ(e.Source(), "CSocketEngine.Listen");
}

TEST_F(ListenTest, StoredPropertiesRoundTrip) {
  auto s = Make();
  SocketStoredProperties stored{2, sckUDPProtocol, "127.0.0.1", 3, "local"};
  s->ReadProperties(stored);
  SocketStoredProperties back = s->WriteProperties();
  EXPECT_EQ(back.LocalPort, 2);
  EXPECT_EQ(back.Protocol, sckUDPProtocol);
  EXPECT_EQ(back.RemoteHost, "127.0.0.1");
  EXPECT_EQ(back.RemotePort, 3);
  EXPECT_EQ(back.Tag, "local");
}

}  // namespace
}  // namespace skel::socket::testing
