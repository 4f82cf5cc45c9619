#include "support/loopback_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace quorella::testing {

namespace {

using Clock = std::chrono::steady_clock;

int BoundLoopbackSocket(int& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0)
    std::abort();
  port = ntohs(address.sin_port);
  return fd;
}

}  // namespace

Exchange Reply(std::string response) {
  return Exchange{{{std::move(response), std::chrono::milliseconds(0)}}, false};
}

LoopbackServer::LoopbackServer(std::vector<Exchange> exchanges, bool repeat_last,
                               std::chrono::milliseconds lifetime)
    : end_(Clock::now() + lifetime) {
  listener_ = BoundLoopbackSocket(port_);
  if (::listen(listener_, 16) != 0 || ::pipe2(stop_pipe_, O_CLOEXEC) != 0) std::abort();
  thread_ = std::thread(&LoopbackServer::Serve, this, std::move(exchanges), repeat_last);
}

LoopbackServer::~LoopbackServer() {
  (void)!::write(stop_pipe_[1], "x", 1);
  thread_.join();
  for (int fd : {listener_, stop_pipe_[0], stop_pipe_[1]}) ::close(fd);
}

std::string LoopbackServer::Address(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LoopbackServer::Requests() const {
  const std::lock_guard lock(mutex_);
  return requests_;
}

void LoopbackServer::Serve(std::vector<Exchange> exchanges, bool repeat_last) {
  for (std::size_t i = 0; i < exchanges.size() || (repeat_last && !exchanges.empty()); ++i) {
    if (!WaitFor(listener_, POLLIN, std::chrono::hours(1))) return;
    const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) return;
    const bool go_on = Handle(connection, exchanges[std::min(i, exchanges.size() - 1)]);
    ::close(connection);
    if (!go_on) return;
  }
}

bool LoopbackServer::Handle(int connection, const Exchange& exchange) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos) {
    if (!WaitFor(connection, POLLIN, std::chrono::hours(1))) return false;
    const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    request.append(buffer, static_cast<std::size_t>(n));
  }
  {
    const std::lock_guard lock(mutex_);
    requests_.push_back(request);
  }
  for (const auto& step : exchange.steps) {
    // A stop cuts the pause short.
    if (step.pause.count() > 0 && WaitFor(stop_pipe_[0], POLLIN, step.pause)) return false;
    if (Clock::now() >= end_) return false;
    (void)::send(connection, step.send.data(), step.send.size(), MSG_NOSIGNAL);
  }
  while (exchange.hold_open && WaitFor(connection, POLLIN, std::chrono::hours(1)))
    if (::recv(connection, buffer, sizeof buffer, 0) <= 0) break;
  return true;
}

bool LoopbackServer::WaitFor(int fd, short events, std::chrono::milliseconds limit) const {
  const auto until = std::min(end_, Clock::now() + limit);
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
    if (left.count() <= 0) return false;
    pollfd watched[2] = {{fd, events, 0}, {stop_pipe_[0], POLLIN, 0}};
    const int ready = ::poll(watched, fd == stop_pipe_[0] ? 1 : 2, static_cast<int>(left.count()));
    if (ready < 0) continue;
    if (watched[1].revents != 0 && fd != stop_pipe_[0]) return false;
    if (watched[0].revents != 0) return true;
  }
}

RefusingPort::RefusingPort() : fd_(BoundLoopbackSocket(port_)) {}
RefusingPort::~RefusingPort() {
  ::close(fd_);
}

}  // namespace quorella::testing
