// The HTTP client and the update check: reading a response through the 8192-byte line buffer,
// a whole fetch over the loopback interface, and the version comparison and product line search.
#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <thread>

#include "update/http_client.h"
#include "update/http_response_reader.h"
#include "update/update_info.h"
#include "update/version_compare.h"

namespace {

class CountingBody : public quorella::BodyStream {
 public:
  void Write(std::string_view chunk) override { bytes += chunk.size(); }
  std::size_t bytes = 0;
};

std::string Response(std::size_t body_size) {
  std::string response = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                         std::to_string(body_size) + "\r\nServer: bench\r\n\r\n";
  response.append(body_size, 'x');
  return response;
}

// The receive side alone: the response handed over in reads of at most the buffer's room.
void ReadResponse(benchmark::State& state) {
  const std::string response = Response(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    quorella::HttpOutcome outcome;
    quorella::HttpResponseReader reader(outcome);
    CountingBody body;
    reader.StartResponse(&body);
    for (std::size_t at = 0; at < response.size();) {
      const std::size_t n = std::min(reader.room(), response.size() - at);
      std::memcpy(reader.space(), response.data() + at, n);
      reader.Received(n);
      at += n;
    }
    benchmark::DoNotOptimize(body.bytes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(response.size()));
}
BENCHMARK(ReadResponse)->Arg(64 << 10)->Arg(16 << 20);

// Serves `response` to each of `count` connections on 127.0.0.1.
class OneShotServer {
 public:
  OneShotServer(std::string response, std::int64_t count) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    ::listen(listener_, 8);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this, response = std::move(response), count] {
      char request[4096];
      for (std::int64_t i = 0; i < count; ++i) {
        const int connection = ::accept(listener_, nullptr, nullptr);
        if (connection < 0) return;
        (void)::recv(connection, request, sizeof request, 0);
        (void)::send(connection, response.data(), response.size(), MSG_NOSIGNAL);
        ::close(connection);
      }
    });
  }
  ~OneShotServer() {
    thread_.join();
    ::close(listener_);
  }
  std::string Address() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

 private:
  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
};

void FetchOverLoopback(benchmark::State& state) {
  const std::string response = Response(static_cast<std::size_t>(state.range(0)));
  OneShotServer server(response, static_cast<std::int64_t>(state.max_iterations));
  for (auto _ : state) {
    CountingBody body;
    quorella::THttpCli http;
    http.URL = server.Address();
    http.ReceiveStream = &body;
    http.Get();
    benchmark::DoNotOptimize(body.bytes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(response.size()));
}
BENCHMARK(FetchOverLoopback)->Arg(1 << 10)->Arg(16 << 20)->Iterations(20);

void CompareLongVersions(benchmark::State& state) {
  std::string published, current;
  for (int i = 0; i < state.range(0); ++i) {
    published += std::to_string(1000000 + i) + ".";
    current += std::to_string(1000000 + i) + ".";
  }
  published += "2";
  current += "1";
  for (auto _ : state) benchmark::DoNotOptimize(quorella::IsNewerVersion(published, current));
}
BENCHMARK(CompareLongVersions)->Arg(4)->Arg(1000);

void FindProductLineAtTheEnd(benchmark::State& state) {
  std::string info;
  for (int i = 0; i < state.range(0); ++i) info += "  Product" + std::to_string(i) + " 1.0\r\n";
  info += "QUORELLA 1.4\r\n";
  for (auto _ : state) benchmark::DoNotOptimize(quorella::PublishedVersion(info, "Quorella"));
}
BENCHMARK(FindProductLineAtTheEnd)->Arg(10)->Arg(100000);

}  // namespace

BENCHMARK_MAIN();
