// The socket component on real Winsock under Wine: loopback TCP and UDP
// through the hidden window's notifications.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/socket/message_box_win.h"
#include "common/socket/notify_window_win.h"
#include "common/socket/socket.h"
#include "common/socket/socket_module.h"
#include "common/socket/socket_process_win.h"
#include "common/socket/winsock_api_win.h"

namespace skel::socket {
namespace {

class RecordingBox : public MessageBoxPort {
 public:
  std::vector<std::string> shown;
  void Show(const std::string& text, const std::string& title) override {
    shown.push_back(title + ": " + text);
  }
};

// Runs the message loop until done() holds or the safety limit passes.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 10000) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > limitMs) return false;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    if (done()) break;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

void PumpFor(DWORD ms) {
  const DWORD start = ::GetTickCount();
  PumpUntil([&] { return ::GetTickCount() - start >= ms; }, ms + 1000);
}

class SocketWinTest : public ::testing::Test {
 protected:
  win::NotifyWindowWin window;
  win::WinsockApi api{window};
  RecordingBox box;
  SocketModule module{api, window, box};

  std::unique_ptr<Socket> Make() { return std::make_unique<Socket>(module); }

  // A listener on an ephemeral loopback port whose requests go to the next
  // free slot (or are refused when acceptAll is false).
  struct Server {
    std::unique_ptr<Socket> listener;
    std::vector<std::unique_ptr<Socket>> slots;
    bool acceptAll = true;
    std::string received;
  };
  std::unique_ptr<Server> Serve() {
    auto server = std::make_unique<Server>();
    server->listener = Make();
    server->listener->Bind(int32_t{0}, std::string("127.0.0.1"));
    server->listener->Listen();
    Server* raw = server.get();
    server->listener->events.ConnectionRequest = [this, raw](int32_t id) {
      if (!raw->acceptAll) return;
      raw->slots.push_back(Make());
      Socket* slot = raw->slots.back().get();
      slot->events.DataArrival = [raw, slot](int32_t) { raw->received += slot->GetText(); };
      slot->Accept(id);
    };
    return server;
  }

  void ExpectNothingLeft() {
    EXPECT_EQ(module.RegisteredCount(), 0u);
    EXPECT_EQ(module.HeldCount(), 0u);
    EXPECT_EQ(module.PendingLookupCount(), 0u);
    EXPECT_FALSE(module.WindowExists());
    EXPECT_TRUE(box.shown.empty());
  }
};

TEST_F(SocketWinTest, ConnectByAddressAndExchangeData) {
  auto server = Serve();
  const int32_t port = server->listener->LocalPort();
  ASSERT_GT(port, 0);
  EXPECT_EQ(server->listener->State(), sckListening);
  EXPECT_EQ(server->listener->LocalIP(), "127.0.0.1");

  auto client = Make();
  std::vector<int32_t> states;
  std::string reply;
  client->events.DataArrival = [&](int32_t) { reply += client->GetText(); };
  client->Connect("127.0.0.1", std::to_string(port));
  states.push_back(client->State());
  ASSERT_TRUE(PumpUntil([&] {
    if (states.back() != client->State()) states.push_back(client->State());
    return client->State() == sckConnected && !server->slots.empty();
  }));
  EXPECT_EQ(states, (std::vector<int32_t>{sckConnecting, sckConnected}));
  EXPECT_EQ(client->RemoteHostIP(), "127.0.0.1");
  EXPECT_EQ(client->RemotePort(), port);

  Socket& slot = *server->slots[0];
  EXPECT_EQ(slot.State(), sckConnected);
  // The client left from the machine's primary address.
  EXPECT_EQ(slot.RemoteHostIP(), client->LocalIP());
  EXPECT_EQ(slot.RemotePort(), client->LocalPort());
  EXPECT_EQ(slot.LocalPort(), port);
  EXPECT_EQ(server->listener->RemoteHostIP(), "");  // restored after the request

  client->SendData(std::string("getalldata"));
  ASSERT_TRUE(PumpUntil([&] { return server->received == "getalldata"; }));
  slot.SendData(std::string("Memory Load:42%"));
  ASSERT_TRUE(PumpUntil([&] { return reply == "Memory Load:42%"; }));

  // The server side closes: the client sees CloseSck and state 8.
  bool closed = false;
  client->events.CloseSck = [&] { closed = true; };
  slot.CloseSck();
  ASSERT_TRUE(PumpUntil([&] { return closed; }));
  EXPECT_EQ(client->State(), sckClosing);
  client->CloseSck();
  client->CloseSck();
  server.reset();
  ExpectNothingLeft();
}

TEST_F(SocketWinTest, ConnectByNamePassesThroughResolving) {
  auto server = Serve();
  auto client = Make();
  client->Connect("localhost", int32_t{server->listener->LocalPort()});
  EXPECT_EQ(client->State(), sckResolvingHost);
  ASSERT_TRUE(PumpUntil([&] { return client->State() == sckConnected; }));
  EXPECT_EQ(client->RemoteHostIP(), "127.0.0.1");
  client.reset();
  server.reset();
  ExpectNothingLeft();
}

TEST_F(SocketWinTest, RefusedConnectRaisesOneError) {
  // A port that nobody listens on: bound once, then released.
  int32_t port = 0;
  {
    auto probe = Make();
    probe->Bind(int32_t{0}, std::string("127.0.0.1"));
    port = probe->LocalPort();
  }
  for (bool clearCancel : {false, true}) {
    auto client = Make();
    std::vector<SocketErrorArgs> errors;
    client->events.Error = [&](SocketErrorArgs& args) {
      errors.push_back(args);
      if (clearCancel) args.CancelDisplay = false;
    };
    client->Connect("127.0.0.1", int32_t{port});
    ASSERT_TRUE(PumpUntil([&] { return !errors.empty(); }));
    PumpFor(300);  // nothing more may follow
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Number, 10061);
    EXPECT_EQ(errors[0].Description, "Connection refused.");
    EXPECT_EQ(client->State(), sckError);
    if (clearCancel) {
      EXPECT_EQ(box.shown,
                std::vector<std::string>{"CSocketEngine.PostSocket: Connection refused."});
      box.shown.clear();
    }
    client->CloseSck();
    EXPECT_EQ(client->State(), sckClosed);
  }
  ExpectNothingLeft();
}

TEST_F(SocketWinTest, UnresolvableNameEndsInHostNotFound) {
  auto client = Make();
  std::vector<SocketErrorArgs> errors;
  client->events.Error = [&](SocketErrorArgs& args) { errors.push_back(args); };
  client->Connect("no-such-host.invalid", int32_t{2012});
  EXPECT_EQ(client->State(), sckResolvingHost);
  ASSERT_TRUE(PumpUntil([&] { return !errors.empty(); }, 30000));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].Number, 11001);
  EXPECT_EQ(errors[0].Description, "Host not found.");
  EXPECT_EQ(errors[0].Source, "CSocketEngine.ConnectToIP");
  EXPECT_EQ(client->State(), sckError);
  client->CloseSck();
  ExpectNothingLeft();
}

TEST_F(SocketWinTest, CloseWhileResolvingCancelsTheLookup) {
  auto client = Make();
  int events = 0;
  client->events.Error = [&](SocketErrorArgs&) { ++events; };
  client->events.Connect = [&] { ++events; };
  client->Connect("localhost", int32_t{9});
  client->CloseSck();
  PumpFor(300);
  EXPECT_EQ(events, 0);
  EXPECT_EQ(client->State(), sckClosed);
  ExpectNothingLeft();
}

TEST_F(SocketWinTest, ListenerThatRefusesClosesTheConnection) {
  auto server = Serve();
  server->acceptAll = false;
  auto client = Make();
  bool ended = false;
  client->events.CloseSck = [&] { ended = true; };
  client->events.Error = [&](SocketErrorArgs&) { ended = true; };
  client->Connect("127.0.0.1", int32_t{server->listener->LocalPort()});
  ASSERT_TRUE(PumpUntil([&] { return ended; }));
  EXPECT_TRUE(server->slots.empty());
  EXPECT_EQ(module.HeldCount(), 0u);
  EXPECT_EQ(server->listener->State(), sckListening);
  client.reset();
  server.reset();
  ExpectNothingLeft();
}

TEST_F(SocketWinTest, DataBeforeAcceptIsDeliveredByAccept) {
  auto listener = Make();
  listener->Bind(int32_t{0}, std::string("127.0.0.1"));
  listener->Listen();
  auto client = Make();
  client->events.Connect = [&] { client->SendData(std::string("early bytes")); };

  auto slot = Make();
  std::string got;
  bool insideAccept = false;
  bool arrivedInsideAccept = false;
  slot->events.DataArrival = [&](int32_t) {
    arrivedInsideAccept = arrivedInsideAccept || insideAccept;
    got += slot->GetText();
  };
  listener->events.ConnectionRequest = [&](int32_t id) {
    // Let the client's bytes reach the held connection first.
    PumpFor(300);
    insideAccept = true;
    slot->Accept(id);
    insideAccept = false;
  };
  client->Connect("127.0.0.1", int32_t{listener->LocalPort()});
  ASSERT_TRUE(PumpUntil([&] { return got == "early bytes"; }));
  EXPECT_TRUE(arrivedInsideAccept);
  slot.reset();
  client.reset();
  listener.reset();
  ExpectNothingLeft();
}

TEST_F(SocketWinTest, LargeAndConsecutiveSendsArriveCompleteAndInOrder) {
  auto server = Serve();
  auto client = Make();
  client->Connect("127.0.0.1", int32_t{server->listener->LocalPort()});
  ASSERT_TRUE(PumpUntil([&] { return client->State() == sckConnected; }));

  const size_t kSize = 10 * 1024 * 1024;
  Bytes big(kSize);
  for (size_t i = 0; i < kSize; ++i) big[i] = static_cast<uint8_t>(i * 7 + i / 251);
  int completions = 0;
  int64_t progressed = 0;
  client->events.SendComplete = [&] { ++completions; };
  client->events.SendProgress = [&](int32_t sent, int32_t) { progressed += sent; };
  client->SendData(big);
  client->SendData(std::string("|tail"));  // queued behind the 10 MB
  ASSERT_TRUE(PumpUntil([&] { return server->received.size() == kSize + 5; }, 60000));
  EXPECT_TRUE(PumpUntil([&] { return completions >= 1; }));
  EXPECT_EQ(progressed, static_cast<int64_t>(kSize + 5));
  EXPECT_EQ(server->received.substr(kSize), "|tail");
  EXPECT_EQ(std::memcmp(big.data(), server->received.data(), kSize), 0);
  EXPECT_EQ(client->State(), sckConnected);
  client.reset();
  server.reset();
  ExpectNothingLeft();
}

TEST_F(SocketWinTest, PeerResetDuringALargeSendEndsInError) {
  auto client = Make();  // starts Winsock
  // A plain listener that resets the connection as soon as it is accepted.
  SOCKET raw = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = ::inet_addr("127.0.0.1");
  ASSERT_EQ(::bind(raw, reinterpret_cast<sockaddr*>(&at), sizeof(at)), 0);
  ASSERT_EQ(::listen(raw, 1), 0);
  int size = sizeof(at);
  ::getsockname(raw, reinterpret_cast<sockaddr*>(&at), &size);

  std::vector<int> errors;
  bool closed = false;
  client->events.Error = [&](SocketErrorArgs& args) { errors.push_back(args.Number); };
  client->events.CloseSck = [&] { closed = true; };
  client->Connect("127.0.0.1", int32_t{ntohs(at.sin_port)});
  ASSERT_TRUE(PumpUntil([&] { return client->State() == sckConnected; }));
  client->SendData(Bytes(8 * 1024 * 1024, 'x'));

  SOCKET accepted = ::accept(raw, nullptr, nullptr);
  linger hard{1, 0};
  ::setsockopt(accepted, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof(hard));
  ::closesocket(accepted);
  ::closesocket(raw);

  ASSERT_TRUE(PumpUntil([&] { return !errors.empty(); }));
  PumpFor(200);  // one report, nothing after it
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0] == 10054 || errors[0] == 10053) << errors[0];
  EXPECT_FALSE(closed);
  EXPECT_EQ(client->State(), sckError);
  client->CloseSck();
  EXPECT_EQ(client->State(), sckClosed);
  ExpectNothingLeft();
}

TEST_F(SocketWinTest, PeersThatResetBeforeTheAcceptDoNotStopTheListener) {
  auto server = Serve();
  std::vector<int> errors;
  server->listener->events.Error = [&](SocketErrorArgs& args) { errors.push_back(args.Number); };
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = ::inet_addr("127.0.0.1");
  at.sin_port = htons(static_cast<u_short>(server->listener->LocalPort()));
  auto connectTo = [&] {
    SOCKET peer = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    EXPECT_EQ(::connect(peer, reinterpret_cast<sockaddr*>(&at), sizeof(at)), 0);
    return peer;
  };
  // The backlog fills while no message runs: two peers that vanish with a
  // reset, and two that stay.
  std::vector<SOCKET> staying;
  for (int i = 0; i < 4; ++i) {
    SOCKET peer = connectTo();
    if (i % 2) {
      staying.push_back(peer);
      continue;
    }
    linger hard{1, 0};
    ::setsockopt(peer, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof(hard));
    ::closesocket(peer);
  }
  ASSERT_TRUE(PumpUntil([&] { return server->slots.size() >= 2; }));
  // Later peers are still taken: more than a backlog's worth of them.
  for (int i = 0; i < 12; ++i) {
    staying.push_back(connectTo());
    ASSERT_TRUE(PumpUntil([&] { return server->slots.size() >= staying.size(); })) << i;
  }
  EXPECT_EQ(server->listener->State(), sckListening);
  EXPECT_TRUE(errors.empty()) << errors.front();
  for (SOCKET peer : staying) ::closesocket(peer);
}

TEST_F(SocketWinTest, UdpDatagramsRecordTheirSender) {
  auto receiver = Make();
  receiver->SetProtocol(sckUDPProtocol);
  receiver->Bind(int32_t{0}, std::string("127.0.0.1"));
  auto sender = Make();
  sender->SetProtocol(sckUDPProtocol);
  sender->Bind(int32_t{0}, std::string("127.0.0.1"));
  sender->SetRemoteHost("127.0.0.1");
  sender->SetRemotePort(receiver->LocalPort());

  std::vector<std::string> read;
  int arrivals = 0;
  receiver->events.DataArrival = [&](int32_t bytes) {
    ++arrivals;
    EXPECT_GT(bytes, 0);
    if (arrivals == 1) return;  // the first one is left unread
    read.push_back(receiver->GetText());
  };
  sender->SendData(std::string("unread"));
  ASSERT_TRUE(PumpUntil([&] { return arrivals == 1; }));
  EXPECT_EQ(receiver->BytesReceived(), 0);  // dropped after the event

  sender->SendData(std::string("getalldata"));
  sender->SendData(std::string("vardolin"));
  ASSERT_TRUE(PumpUntil([&] { return read.size() == 2; }));
  EXPECT_EQ(read, (std::vector<std::string>{"getalldata", "vardolin"}));
  EXPECT_EQ(receiver->RemoteHostIP(), "127.0.0.1");
  EXPECT_EQ(receiver->RemotePort(), sender->LocalPort());
  receiver.reset();
  sender.reset();
  ExpectNothingLeft();
}

TEST_F(SocketWinTest, ProcessWideSocketsShareOneWindow) {
  SocketModule& shared = win::ProcessSocketModule();
  RecordingBox quiet;
  shared.SetMessageBox(quiet);
  {
    Socket a;
    Socket b;
    a.SetProtocol(sckUDPProtocol);
    b.SetProtocol(sckUDPProtocol);
    a.Bind(int32_t{0}, std::string("127.0.0.1"));
    b.Bind(int32_t{0}, std::string("127.0.0.1"));
    EXPECT_TRUE(shared.WindowExists());
    EXPECT_EQ(shared.RegisteredCount(), 2u);
    EXPECT_NE(::FindWindowA("STATIC", "SOCKET_WINDOW"), nullptr);
  }
  EXPECT_FALSE(shared.WindowExists());
  EXPECT_EQ(::FindWindowA("STATIC", "SOCKET_WINDOW"), nullptr);
  EXPECT_EQ(shared.LiveObjects(), 0);
}

}  // namespace
}  // namespace skel::socket
