// TCP client paths of the socket component over fake ports: argument and
// state errors, connecting by address and by name, failures, closing,
// sending from the buffer and reading typed data.
#include "socket_fixture.h"

namespace skel::socket::testing {
namespace {

TEST_F(SocketTest, ConnectRejectsBadPortsAndWrongStates) {
  struct Case {
    SocketValue port;
    int32_t number;
  };
  const Case cases[] = {
      {std::string("0"), 40014}, {std::string("65536"), 40014}, {std::string("-5"), 40014},
      {int32_t{70000}, 40014},   {std::string("http"), 40018},  {std::string(""), 40018},
      {Bytes{1, 2}, 40018},
  };
  for (const Case& c : cases) {
    auto s = Make();
    SocketError e = Raised([&] { s->Connect("10.0.0.9", c.port); });
    EXPECT_EQ(e.Number(), c.number);
    EXPECT_EQ(e.Source(), "CSocketEngine.Connect");
    EXPECT_EQ(s->State(), sckClosed);
    EXPECT_EQ(s->SocketHandle(), -1);
  }
  EXPECT_EQ(api.sockets.size(), 0u);  // none was created

  auto connected = Connected();
  SocketError again = Raised([&] { connected->Connect("10.0.0.9", int32_t{80}); });
  EXPECT_EQ(again.Number(), 40020);
  EXPECT_EQ(again.Description(), "Invalid operation at current state");
  EXPECT_EQ(Raised([&] { connected->Bind_Connect("10.0.0.5", "x", int32_t{1}); }).Number(), 40020);
  EXPECT_EQ(Raised([&] { connected->Bind(); }).Number(), 40020);
  EXPECT_EQ(Raised([&] { connected->Listen(); }).Number(), 40020);
  EXPECT_EQ(Raised([&] { connected->Accept(5); }).Number(), 40020);
}

TEST_F(SocketTest, SettersFollowStateAndRange) {
  auto tcp = Connected();
  EXPECT_EQ(Raised([&] { tcp->SetRemotePort(80); }).Number(), 40020);
  EXPECT_EQ(Raised([&] { tcp->SetRemoteHost("a"); }).Number(), 40020);
  EXPECT_EQ(Raised([&] { tcp->SetLocalPort(80); }).Number(), 40020);
  EXPECT_EQ(Raised([&] { tcp->SetProtocol(1); }).Number(), 40020);
  tcp->SetTag("always");
  EXPECT_EQ(tcp->Tag(), "always");

  auto fresh = Make();
  EXPECT_EQ(Raised([&] { fresh->SetRemotePort(65536); }).Number(), 40014);
  EXPECT_EQ(Raised([&] { fresh->SetLocalPort(-1); }).Number(), 40014);
  EXPECT_EQ(Raised([&] { fresh->SetProtocol(2); }).Number(), 40014);
  EXPECT_EQ(Raised([&] { fresh->SetRemotePort(-1); }).Source(), "CSocketEngine.RemotePort");

  // On UDP the destination may change at any time.
  auto udp = Make();
  udp->SetProtocol(sckUDPProtocol);
  udp->Bind(int32_t{3}, std::string("127.0.0.1"));
  udp->SetRemoteHost("127.0.0.1");
  udp->SetRemotePort(2);
  EXPECT_EQ(udp->RemotePort(), 2);
  EXPECT_EQ(Raised([&] { udp->SetLocalPort(4); }).Number(), 40020);
}

TEST_F(SocketTest, ConnectByAddressGoesStraightToConnecting) {
  EventLog log;
  auto s = Make(&log);
  s->Connect("10.0.0.9", std::string("2012"));
  EXPECT_EQ(s->State(), sckConnecting);
  EXPECT_TRUE(api.lookups.empty());
  FakeSocket& fake = api.At(s->SocketHandle());
  EXPECT_TRUE(fake.selected);
  // Bound to the machine's primary address before connecting.
  EXPECT_EQ(fake.boundAddress, Addr(10, 0, 0, 5));
  EXPECT_EQ(s->LocalIP(), "10.0.0.5");
  EXPECT_EQ(s->LocalPort(), 49152);  // asked for 0: the bound port reads back
  EXPECT_EQ(fake.peer, Addr(10, 0, 0, 9));
  EXPECT_EQ(fake.peerPort, 2012);
  EXPECT_TRUE(window.exists);

  Notify(module, s->SocketHandle(), kEventConnect);
  EXPECT_EQ(s->State(), sckConnected);
  EXPECT_EQ(log.names, std::vector<std::string>{"Connect"});
  EXPECT_EQ(s->RemoteHostIP(), "10.0.0.9");
  EXPECT_EQ(s->RemotePort(), 2012);
}

TEST_F(SocketTest, ConnectByNameResolvesInTheBackground) {
  EventLog log;
  auto s = Make(&log);
  std::vector<int32_t> statesAtConnect;
  s->events.Connect = [&] { statesAtConnect.push_back(s->State()); };
  s->Connect("server", int32_t{2012});
  EXPECT_EQ(s->State(), sckResolvingHost);
  ASSERT_EQ(api.lookups.size(), 1u);
  EXPECT_EQ(module.PendingLookupCount(), 1u);

  EXPECT_TRUE(api.FinishLookup(module, api.lookups.begin()->first));
  EXPECT_EQ(s->State(), sckConnecting);
  EXPECT_EQ(api.At(s->SocketHandle()).peer, Addr(10, 0, 0, 9));
  EXPECT_EQ(module.PendingLookupCount(), 0u);
  Notify(module, s->SocketHandle(), kEventConnect);
  EXPECT_EQ(statesAtConnect, std::vector<int32_t>{sckConnected});
}

TEST_F(SocketTest, BindConnectLeavesFromTheGivenAddress) {
  auto s = Make();
  s->Bind_Connect("10.0.0.7", "server", std::string("2012"));
  EXPECT_EQ(s->LocalIP(), "10.0.0.7");
  api.FinishLookup(module, api.lookups.begin()->first);
  EXPECT_EQ(s->State(), sckConnecting);
  EXPECT_EQ(api.At(s->SocketHandle()).boundAddress, Addr(10, 0, 0, 7));
  EXPECT_EQ(api.At(s->SocketHandle()).boundPort, 49152);

  // An unusable local address is not reported; the system chooses.
  auto any = Make();
  any->Bind_Connect("no-such-name", "10.0.0.9", int32_t{2012});
  EXPECT_EQ(any->State(), sckConnecting);
  EXPECT_EQ(api.At(any->SocketHandle()).boundAddress, Ipv4{});
}

TEST_F(SocketTest, AsynchronousFailuresRaiseOneErrorAndShowTheBoxOnlyOnRequest) {
  struct Case {
    const char* name;
    int number;
    const char* description;
    const char* source;
  };
  const Case cases[] = {
      {"refused", 10061, "Connection refused.", "CSocketEngine.PostSocket"},
      {"timed out", 10060, "Connection timed out.", "CSocketEngine.PostSocket"},
      {"unresolvable", 11001, "Host not found.", "CSocketEngine.ConnectToIP"},
  };
  for (bool clearCancel : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (clearCancel ? " with box" : ""));
      box.shown.clear();
      EventLog log;
      auto s = Make(&log);
      s->events.Error = [&](SocketErrorArgs& args) {
        log.errors.push_back(args);
        EXPECT_TRUE(args.CancelDisplay);  // enters true
        EXPECT_EQ(s->State(), sckError);
        if (clearCancel) args.CancelDisplay = false;
      };
      if (c.number == 11001) {
        s->Connect("nowhere.invalid", int32_t{2012});
        api.FinishLookup(module, std::prev(api.lookups.end())->first);
      } else {
        s->Connect("10.0.0.9", int32_t{2012});
        Notify(module, s->SocketHandle(), kEventConnect, c.number);
      }
      EXPECT_EQ(s->State(), sckError);
      ASSERT_EQ(log.errors.size(), 1u);
      EXPECT_EQ(log.errors[0].Number, c.number);
      EXPECT_EQ(log.errors[0].Description, c.description);
      EXPECT_EQ(log.errors[0].Source, c.source);
      EXPECT_EQ(log.errors[0].Scode, 0);
      EXPECT_EQ(log.errors[0].HelpFile, "");
      if (clearCancel) {
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].text, c.description);
        EXPECT_EQ(box.shown[0].title, c.source);
      } else {
        EXPECT_TRUE(box.shown.empty());
      }
      // States 9 persists until CloseSck; then a new Connect is possible.
      EXPECT_EQ(Raised([&] { s->Connect(); }).Number(), 40020);
      s->CloseSck();
      EXPECT_EQ(s->State(), sckClosed);
      EXPECT_EQ(api.OpenCount(), 0);
    }
  }
}

TEST_F(SocketTest, SocketCreationFailureIsReportedAndRecoverable) {
  EventLog log;
  auto s = Make(&log);
  api.openError = 10024;
  s->Connect("10.0.0.9", int32_t{2012});
  EXPECT_EQ(s->State(), sckError);
  ASSERT_EQ(log.errors.size(), 1u);
  EXPECT_EQ(log.errors[0].Source, "CSocketEngine.SocketExists");
  EXPECT_EQ(log.errors[0].Description, "Too many open files.");
  // No socket exists, yet CloseSck must bring the object back to state 0.
  s->CloseSck();
  EXPECT_EQ(s->State(), sckClosed);
  api.openError = 0;
  s->Connect("10.0.0.9", int32_t{2012});
  EXPECT_EQ(s->State(), sckConnecting);
}

TEST_F(SocketTest, ConnectWithUnavailableAddressIsRaisedToTheCaller) {
  api.connectResult = kAddressNotAvailable;
  auto s = Make();
  SocketError e = Raised([&] { s->Connect("10.0.0.9", int32_t{2012}); });
  EXPECT_EQ(e.Number(), 10049);
  EXPECT_EQ(e.Source(), "CSocketEngine.ConnectToIP");
  EXPECT_EQ(s->State(), sckError);

  // After a lookup nobody waits for a raised error: it arrives as Error.
  EventLog log;
  auto named = Make(&log);
  named->Connect("server", int32_t{2012});
  api.FinishLookup(module, std::prev(api.lookups.end())->first);
  ASSERT_EQ(log.errors.size(), 1u);
  EXPECT_EQ(log.errors[0].Number, 10049);
  EXPECT_EQ(named->State(), sckError);
}

TEST_F(SocketTest, CloseSckReleasesEverythingAndRaisesNothing) {
  EventLog log;
  auto never = Make(&log);
  never->CloseSck();
  never->CloseSck();
  EXPECT_EQ(never->State(), sckClosed);
  EXPECT_TRUE(log.names.empty());

  auto s = Connected(&log);
  SocketId id = s->SocketHandle();
  s->CloseSck();
  EXPECT_EQ(s->State(), sckClosed);
  EXPECT_EQ(s->SocketHandle(), -1);
  EXPECT_EQ(s->RemoteHostIP(), "");
  EXPECT_FALSE(api.At(id).open);
  EXPECT_FALSE(window.exists);
  EXPECT_EQ(module.RegisteredCount(), 0u);
  s->CloseSck();  // twice
  EXPECT_EQ(log.names, std::vector<std::string>{"Connect"});

  // A notification still in the queue for the closed handle is dropped.
  Notify(module, id, kEventClose);
  EXPECT_EQ(log.names, std::vector<std::string>{"Connect"});
}

TEST_F(SocketTest, CloseDuringLookupCancelsIt) {
  auto s = Make();
  s->Connect("server", int32_t{2012});
  LookupId lookup = api.lookups.begin()->first;
  s->CloseSck();
  EXPECT_TRUE(api.cancelled.count(lookup));
  EXPECT_EQ(module.PendingLookupCount(), 0u);
  // The system may finish the lookup anyway: its buffer must still be there.
  EXPECT_EQ(module.RetiredBufferCount(), 1u);
  EXPECT_TRUE(api.FinishLookup(module, lookup));  // late message: dropped
  EXPECT_EQ(module.RetiredBufferCount(), 0u);
  EXPECT_EQ(s->State(), sckClosed);
}

TEST_F(SocketTest, DestroyingObjectsReleasesSocketsWindowAndWinsock) {
  {
    auto a = Connected();
    auto b = Make();
    b->Connect("server", int32_t{1});
    EXPECT_EQ(api.startups, 1);
    EXPECT_EQ(module.LiveObjects(), 2);
  }
  EXPECT_EQ(api.OpenCount(), 0);
  EXPECT_FALSE(window.exists);
  EXPECT_EQ(module.PendingLookupCount(), 0u);
  EXPECT_EQ(api.cleanups, 1);
  EXPECT_EQ(module.LiveObjects(), 0);
}

TEST_F(SocketTest, PeerCloseKeepsBufferedDataReadable) {
  EventLog log;
  auto s = Connected(&log);
  Arrive(s->SocketHandle(), "first");
  // The rest is still in the system when the close notification comes.
  api.At(s->SocketHandle()).inbound.assign({'+', 'l', 'a', 's', 't'});
  Notify(module, s->SocketHandle(), kEventClose);
  EXPECT_EQ(s->State(), sckClosing);
  EXPECT_EQ(log.names,
            (std::vector<std::string>{"Connect", "DataArrival", "DataArrival", "CloseSck"}));
  EXPECT_EQ(log.arrivals, (std::vector<int32_t>{5, 10}));
  EXPECT_EQ(s->GetText(), "first+last");
}

TEST_F(SocketTest, SendDataInTheWrongStateRaisesErrorWithoutBox) {
  EventLog log;
  auto s = Make(&log);
  s->events.Error = [&](SocketErrorArgs& args) {
    EXPECT_FALSE(args.CancelDisplay);  // enters false here
    log.errors.push_back(args);
  };
  s->SendData(std::string("getalldata"));
  ASSERT_EQ(log.errors.size(), 1u);
  EXPECT_EQ(log.errors[0].Number, 0);
  EXPECT_EQ(log.errors[0].Description,
            "Wrong protocol or connection state for the requested transaction or request");
  EXPECT_EQ(log.errors[0].Source, "CSocketEngine.SendData");
  EXPECT_EQ(s->State(), sckClosed);
  EXPECT_TRUE(box.shown.empty());
  EXPECT_EQ(s->SocketHandle(), -1);
}

TEST_F(SocketTest, SendingInChunksReportsProgressAndCompletion) {
  api.sendBufferSize = 4;
  EventLog log;
  auto s = Connected(&log);
  FakeSocket& fake = api.At(s->SocketHandle());
  fake.sendRoom = 6;
  s->SendData(std::string("abcdefghij"));
  s->SendData(std::string("KLM"));  // queued behind the first while blocked
  EXPECT_EQ(Text(fake.sent), "abcdef");
  EXPECT_EQ(log.progress, (std::vector<std::pair<int32_t, int32_t>>{{6, 4}}));

  fake.sendRoom = 100;
  Notify(module, s->SocketHandle(), kEventWrite);
  EXPECT_EQ(Text(fake.sent), "abcdefghijKLM");
  EXPECT_EQ(log.progress, (std::vector<std::pair<int32_t, int32_t>>{{6, 4}, {7, 0}}));
  EXPECT_EQ(log.names.back(), "SendComplete");

  // Empty data sends nothing and raises nothing.
  size_t events = log.names.size();
  s->SendData(std::string());
  s->SendData(Bytes{});
  EXPECT_EQ(log.names.size(), events);
}

TEST_F(SocketTest, DataSentFromSendCompleteFollowsInOrder) {
  EventLog log;
  auto s = Connected(&log);
  int completions = 0;
  s->events.SendComplete = [&] {
    if (++completions == 1) s->SendData(std::string("-second"));
  };
  s->SendData(std::string("first"));
  EXPECT_EQ(Text(api.At(s->SocketHandle()).sent), "first-second");
  EXPECT_EQ(completions, 2);
}

TEST_F(SocketTest, SendFailureEndsInErrorStateWithoutBox) {
  EventLog log;
  auto s = Connected(&log);
  s->events.Error = [&](SocketErrorArgs& args) {
    log.errors.push_back(args);
    args.CancelDisplay = false;
  };
  api.At(s->SocketHandle()).sendError = 10054;
  s->SendData(std::string("x"));
  EXPECT_EQ(s->State(), sckError);
  ASSERT_EQ(log.errors.size(), 1u);
  EXPECT_EQ(log.errors[0].Number, 10054);
  EXPECT_EQ(log.errors[0].Source, "CSocketEngine.SendBufferedData");
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(SocketTest, SendDataConvertsEachType) {
  auto s = Connected();
  s->SendData(int16_t{1});
  s->SendData(int32_t{2});
  s->SendData(uint8_t{3});
  s->SendData(true);
  s->SendData(std::string("ok"));
  EXPECT_EQ(api.At(s->SocketHandle()).sent, (Bytes{1, 0, 2, 0, 0, 0, 3, 0xFF, 0xFF, 'o', 'k'}));
  SocketError e = Raised([&] { s->SendData(SocketValue{}); });
  EXPECT_EQ(e.Number(), 40018);
  EXPECT_EQ(e.Description(), "Unsupported variant type.");
}

TEST_F(SocketTest, GetDataFillsTheRequestedType) {
  auto s = Connected();
  // 0x0102 as a 16-bit value, then "hello".
  Arrive(s->SocketHandle(), std::string("\x02\x01hello", 7));
  EXPECT_EQ(s->BytesReceived(), 7);

  SocketValue number;
  s->GetData(number, kVbInteger);
  EXPECT_EQ(number, SocketValue(int16_t{0x0102}));

  SocketValue peeked = std::string();
  s->PeekData(peeked);
  EXPECT_EQ(peeked, SocketValue(std::string("hello")));

  SocketValue limited = std::string();
  SocketValue maxLen = int32_t{3};
  s->GetData(limited, std::nullopt, &maxLen);
  EXPECT_EQ(limited, SocketValue(std::string("hel")));

  // A long needs 4 bytes; with 2 waiting nothing is taken and data is kept.
  SocketValue big = int32_t{77};
  s->GetData(big);
  EXPECT_EQ(big, SocketValue(int32_t{77}));

  SocketValue rest;   // no type and no varType: a byte array
  SocketValue count;  // empty maxLen receives the waiting count
  s->GetData(rest, std::nullopt, &count);
  EXPECT_EQ(rest, SocketValue(Bytes{'l', 'o'}));
  EXPECT_EQ(count, SocketValue(int32_t{2}));
  EXPECT_EQ(s->BytesReceived(), 0);

  SocketValue none = std::string("old");
  s->GetData(none);
  EXPECT_EQ(none, SocketValue(std::string()));  // TCP with nothing: empty result
}

TEST_F(SocketTest, GetDataArgumentAndStateErrors) {
  auto closed = Make();
  SocketValue data;
  SocketError wrongState = Raised([&] { closed->GetData(data); });
  EXPECT_EQ(wrongState.Number(), 40006);
  EXPECT_EQ(wrongState.Source(), "CSocketEngine.GetData");
  EXPECT_EQ(Raised([&] { closed->PeekData(data); }).Source(), "CSocketEngine.PeekData");

  auto s = Connected();
  Arrive(s->SocketHandle(), "abc");
  SocketValue negative = int32_t{-1};
  EXPECT_EQ(Raised([&] { s->GetData(data, std::nullopt, &negative); }).Number(), 40014);
  EXPECT_EQ(Raised([&] { s->GetData(data, int32_t{9}); }).Number(), 40018);
  SocketValue zero = int32_t{0};
  SocketValue text = std::string("x");
  s->GetData(text, std::nullopt, &zero);
  EXPECT_EQ(text, SocketValue(std::string()));
  EXPECT_EQ(s->BytesReceived(), 3);  // nothing was lost to the failed calls
}

TEST_F(SocketTest, ReceiveFailureArrivesAsError) {
  EventLog log;
  auto s = Connected(&log);
  api.At(s->SocketHandle()).recvError = 10054;
  Notify(module, s->SocketHandle(), kEventRead);
  EXPECT_EQ(s->State(), sckError);
  ASSERT_EQ(log.errors.size(), 1u);
  EXPECT_EQ(log.errors[0].Number, 10054);
  EXPECT_EQ(log.errors[0].Source, "CSocketEngine.RecvDataToBuffer");
}

TEST_F(SocketTest, HandlerMayDestroyItsOwnSocket) {
  auto s = Connected();
  Socket* raw = s.get();
  SocketId id = raw->SocketHandle();
  raw->events.DataArrival = [&](int32_t) { s.reset(); };
  Arrive(id, "bye");
  EXPECT_FALSE(s);
  EXPECT_FALSE(api.At(id).open);
  EXPECT_FALSE(window.exists);
}

}  // namespace
}  // namespace skel::socket::testing
