// Round trips of a small request and a stats-sized reply over loopback TCP:
// once through the socket component (non-blocking, notifications through
// the hidden window) and once through a plain blocking Winsock client, both
// against the same blocking echo-style server thread. Prints round trips per
// second and latency percentiles of each, and their ratio.
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "common/socket/socket.h"

namespace {

using skel::socket::Socket;

const std::string kRequest = "getalldata";
// About the size of the monitor's sixteen-field reply.
const std::string kReply = [] {
  std::string reply;
  for (int i = 0; reply.size() < 420; ++i) reply += "Field " + std::to_string(i) + ":1,234.56 MB|";
  return reply;
}();

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

// Serves `clients` connections one after another: every complete request is
// answered with the reply.
void Serve(SOCKET listener, int clients) {
  for (int c = 0; c < clients; ++c) {
    SOCKET s = ::accept(listener, nullptr, nullptr);
    if (s == INVALID_SOCKET) return;
    BOOL noDelay = TRUE;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
                 sizeof(noDelay));
    std::string pending;
    char buffer[4096];
    for (;;) {
      int got = ::recv(s, buffer, sizeof(buffer), 0);
      if (got <= 0) break;
      pending.append(buffer, static_cast<size_t>(got));
      while (pending.size() >= kRequest.size()) {
        pending.erase(0, kRequest.size());
        ::send(s, kReply.data(), static_cast<int>(kReply.size()), 0);
      }
    }
    ::closesocket(s);
  }
}

struct Result {
  std::vector<double> latencies;  // seconds
  double elapsed = 0;
};

void Pump(const bool& done) {
  MSG msg;
  while (!done && ::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

Result ThroughComponent(int port, int warmup, int rounds) {
  Result result;
  Socket client;
  bool done = false;
  bool failed = false;
  int completed = -warmup;
  double sentAt = 0;
  double start = 0;
  size_t have = 0;
  auto sendRequest = [&] {
    sentAt = Now();
    client.SendData(kRequest);
  };
  client.events.Connect = [&] { sendRequest(); };
  client.events.DataArrival = [&](int32_t) {
    have += client.GetText().size();
    if (have < kReply.size()) return;
    have -= kReply.size();
    if (completed == 0) start = Now();
    if (completed >= 0) result.latencies.push_back(Now() - sentAt);
    if (++completed == rounds) {
      result.elapsed = Now() - start;
      done = true;
      return;
    }
    sendRequest();
  };
  client.events.Error = [&](skel::socket::SocketErrorArgs& args) {
    std::fprintf(stderr, "component error %d %s\n", args.Number, args.Description.c_str());
    failed = done = true;
  };
  client.Connect("127.0.0.1", static_cast<int32_t>(port));
  Pump(done);
  client.CloseSck();
  if (failed) result.latencies.clear();
  return result;
}

Result ThroughBlockingClient(int port, int warmup, int rounds) {
  Result result;
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = ::inet_addr("127.0.0.1");
  to.sin_port = ::htons(static_cast<u_short>(port));
  if (::connect(s, reinterpret_cast<sockaddr*>(&to), sizeof(to)) == SOCKET_ERROR) {
    ::closesocket(s);
    return result;
  }
  char buffer[4096];
  double start = 0;
  for (int i = -warmup; i < rounds; ++i) {
    if (i == 0) start = Now();
    const double sentAt = Now();
    ::send(s, kRequest.data(), static_cast<int>(kRequest.size()), 0);
    size_t have = 0;
    while (have < kReply.size()) {
      int got = ::recv(s, buffer, sizeof(buffer), 0);
      if (got <= 0) {
        ::closesocket(s);
        result.latencies.clear();
        return result;
      }
      have += static_cast<size_t>(got);
    }
    if (i >= 0) result.latencies.push_back(Now() - sentAt);
  }
  result.elapsed = Now() - start;
  ::closesocket(s);
  return result;
}

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  size_t index = static_cast<size_t>(p / 100.0 * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(index, values.size() - 1)];
}

void Print(const char* name, const Result& r) {
  const double rate = static_cast<double>(r.latencies.size()) / r.elapsed;
  std::printf("%-22s %10.0f round trips/s   p50 %8.1f us   p99 %8.1f us   max %8.1f us\n", name,
              rate, Percentile(r.latencies, 50) * 1e6, Percentile(r.latencies, 99) * 1e6,
              Percentile(r.latencies, 100) * 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(10, std::atoi(argv[1])) : 5000;
  const int warmup = rounds / 10;
  WSADATA data;
  ::WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = ::inet_addr("127.0.0.1");
  ::bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof(at));
  ::listen(listener, 5);
  int size = sizeof(at);
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&at), &size);
  const int port = ::ntohs(at.sin_port);
  std::thread server(Serve, listener, 2);

  std::printf("request %zu bytes, reply %zu bytes, %d round trips after %d warm-up, loopback TCP\n",
              kRequest.size(), kReply.size(), rounds, warmup);
  Result component = ThroughComponent(port, warmup, rounds);
  Result blocking = ThroughBlockingClient(port, warmup, rounds);
  server.join();
  ::closesocket(listener);
  ::WSACleanup();
  if (component.latencies.empty() || blocking.latencies.empty()) {
    std::printf("a client failed; no figures\n");
    return 1;
  }
  Print("socket component", component);
  Print("blocking Winsock", blocking);
  const double componentRate = static_cast<double>(component.latencies.size()) / component.elapsed;
  const double blockingRate = static_cast<double>(blocking.latencies.size()) / blocking.elapsed;
  std::printf("component / blocking: throughput x%.2f, p99 latency x%.2f\n",
              componentRate / blockingRate,
              Percentile(component.latencies, 99) / Percentile(blocking.latencies, 99));
  return 0;
}
