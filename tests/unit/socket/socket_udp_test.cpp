// UDP paths: binding, sending to the named peer, datagrams with their
// sender, and datagrams nobody reads.
#include "socket_fixture.h"

namespace skel::socket::testing {
namespace {

class UdpTest : public SocketTest {
 protected:
  std::unique_ptr<Socket> Bound(EventLog* log = nullptr) {
    auto s = Make(log);
    s->SetProtocol(sckUDPProtocol);
    s->Bind(int32_t{3}, std::string("127.0.0.1"));
    return s;
  }
  void Datagram(Socket& s, const std::string& text, Ipv4 from, uint16_t port) {
    api.At(s.SocketHandle()).datagrams.push_back({Bytes(text.begin(), text.end()), from, port});
    Notify(module, s.SocketHandle(), kEventRead);
  }
};

TEST_F(UdpTest, BindTakesPortAndAddress) {
  auto s = Bound();
  EXPECT_EQ(s->State(), sckOpen);
  EXPECT_EQ(s->LocalPort(), 3);
  EXPECT_EQ(s->LocalIP(), "127.0.0.1");
  EXPECT_EQ(api.At(s->SocketHandle()).transport, Transport::kUdp);

  struct Case {
    std::optional<SocketValue> port;
    std::string address;
    int32_t number;
    const char* description;
  };
  const Case cases[] = {
      {std::string("x"), "127.0.0.1", 40018, "Unsupported variant type."},
      {int32_t{65536}, "127.0.0.1", 40014,
       "The argument passed to a function was not in the correct format or in the specified "
       "range."},
      {int32_t{5}, "no-such-host", 40014, "Invalid argument"},
  };
  for (const Case& c : cases) {
    auto other = Make();
    other->SetProtocol(sckUDPProtocol);
    SocketError e = Raised([&] { other->Bind(c.port, c.address); });
    EXPECT_EQ(e.Number(), c.number);
    EXPECT_EQ(e.Description(), c.description);
    EXPECT_EQ(e.Source(), "CSocketEngine.BindInternal");
    EXPECT_EQ(other->State(), sckClosed);
  }

  api.bindError = 10048;
  auto taken = Make();
  taken->SetProtocol(sckUDPProtocol);
  SocketError inUse = Raised([&] { taken->Bind(int32_t{3}); });
  EXPECT_EQ(inUse.Number(), 10048);
  EXPECT_EQ(inUse.Description(), "Address already in use.");
  taken.reset();
  s.reset();
  EXPECT_EQ(api.OpenCount(), 0);  // the socket of the failed bind is not leaked
}

TEST_F(UdpTest, SendGoesToRemoteHostAndPortAsOneDatagram) {
  auto s = Make();
  s->SetProtocol(sckUDPProtocol);
  s->SetRemoteHost("127.0.0.1");
  s->SetRemotePort(2);
  s->SendData(std::string("getalldata"));  // first send opens and binds
  EXPECT_EQ(s->State(), sckOpen);
  const auto& sent = api.At(s->SocketHandle()).sentDatagrams;
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(Text(sent[0].bytes), "getalldata");
  EXPECT_EQ(sent[0].from, Addr(127, 0, 0, 1));  // the destination
  EXPECT_EQ(sent[0].fromPort, 2);
  EXPECT_EQ(api.At(s->SocketHandle()).boundAddress, Addr(10, 0, 0, 5));

  s->SetRemoteHost("server");  // a name is resolved on the spot
  s->SendData(std::string("b"));
  EXPECT_EQ(sent.back().from, Addr(10, 0, 0, 9));
}

TEST_F(UdpTest, SendToAnUnusableHostDiscardsTheData) {
  auto s = Bound();
  SocketError empty = Raised([&] { s->SendData(std::string("x")); });
  EXPECT_EQ(empty.Number(), 10047);
  EXPECT_EQ(empty.Description(), "Address family not supported by protocol family.");
  EXPECT_EQ(empty.Source(), "CSocketEngine.SendBufferedDataUDP");
  s->SetRemoteHost("no-such-host");
  SocketError unknown = Raised([&] { s->SendData(std::string("y")); });
  EXPECT_EQ(unknown.Number(), 40014);
  EXPECT_EQ(unknown.Description(), "Invalid argument");
  // The next good send carries only its own bytes.
  s->SetRemoteHost("127.0.0.1");
  s->SendData(std::string("z"));
  EXPECT_EQ(Text(api.At(s->SocketHandle()).sentDatagrams.at(0).bytes), "z");
}

TEST_F(UdpTest, ReadingADatagramRecordsItsSender) {
  EventLog log;
  auto s = Bound(&log);
  std::string got;
  s->events.DataArrival = [&](int32_t n) {
    log.arrivals.push_back(n);
    got = s->GetText();
  };
  Datagram(*s, "reply", Addr(10, 0, 0, 9), 2);
  EXPECT_EQ(log.arrivals, std::vector<int32_t>{5});
  EXPECT_EQ(got, "reply");
  EXPECT_EQ(s->RemoteHostIP(), "10.0.0.9");
  EXPECT_EQ(s->RemotePort(), 2);
  EXPECT_EQ(s->RemoteHost(), "server");

  Datagram(*s, "anon", Addr(10, 0, 0, 77), 4000);
  EXPECT_EQ(s->RemoteHost(), "");  // no reverse name
  EXPECT_EQ(s->RemoteHostIP(), "10.0.0.77");
}

TEST_F(UdpTest, UnreadDatagramIsDroppedButAReadOneSparesTheNext) {
  EventLog log;
  auto s = Bound(&log);
  Datagram(*s, "ignored", Addr(10, 0, 0, 9), 2);
  EXPECT_TRUE(api.At(s->SocketHandle()).datagrams.empty());

  // Two datagrams waiting; the handler reads the first. The second must
  // survive for its own notification.
  std::vector<std::string> read;
  s->events.DataArrival = [&](int32_t) { read.push_back(s->GetText()); };
  FakeSocket& fake = api.At(s->SocketHandle());
  fake.datagrams.push_back({Bytes{'1'}, Addr(10, 0, 0, 9), 2});
  fake.datagrams.push_back({Bytes{'2'}, Addr(10, 0, 0, 9), 2});
  Notify(module, s->SocketHandle(), kEventRead);
  Notify(module, s->SocketHandle(), kEventRead);
  EXPECT_EQ(read, (std::vector<std::string>{"1", "2"}));
}

TEST_F(UdpTest, ShortReadsOfADatagram) {
  auto s = Bound();
  FakeSocket& fake = api.At(s->SocketHandle());
  SocketValue nothing = std::string("kept");
  s->GetData(nothing);
  EXPECT_EQ(nothing, SocketValue(std::string("kept")));  // nothing waiting: untouched

  fake.datagrams.push_back({Bytes{'a', 'b', 'c', 'd'}, Addr(10, 0, 0, 9), 2});
  SocketValue part = std::string();
  SocketValue two = int32_t{2};
  SocketError cut = Raised([&] { s->GetData(part, std::nullopt, &two); });
  EXPECT_EQ(cut.Number(), 10040);
  EXPECT_EQ(cut.Source(), "CSocketEngine.RecvData");
  EXPECT_EQ(part, SocketValue(std::string("ab")));  // stored before the raise
  EXPECT_TRUE(fake.datagrams.empty());

  fake.datagrams.push_back({Bytes{'x'}, Addr(10, 0, 0, 9), 2});
  SocketValue zero = int32_t{0};
  SocketValue empty = std::string("old");
  EXPECT_EQ(Raised([&] { s->GetData(empty, std::nullopt, &zero); }).Number(), 10040);
  EXPECT_EQ(empty, SocketValue(std::string()));
  EXPECT_TRUE(fake.datagrams.empty());
}

}  // namespace
}  // namespace skel::socket::testing
