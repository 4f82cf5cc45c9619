#pragma once
// A scripted HTTP server on 127.0.0.1 for the fetch tests. It serves its exchanges one connection
// after another on a thread of its own and stops by itself after the last one, or when its
// lifetime is over, whichever comes first; it never talks to anything but the loopback address.
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quorella::testing {

// One connection: the request is read up to its empty line, then the steps run in order.
struct Exchange {
  struct Step {
    std::string send;                    // bytes sent as they are
    std::chrono::milliseconds pause{0};  // waited before sending them
  };
  std::vector<Step> steps;
  // After the steps, wait until the client closes instead of closing first.
  bool hold_open = false;
};

// An exchange that sends `response` in one piece and closes.
Exchange Reply(std::string response);

class LoopbackServer {
 public:
  // With `repeat_last`, every connection after the scripted ones gets the last exchange again.
  explicit LoopbackServer(std::vector<Exchange> exchanges, bool repeat_last = false,
                          std::chrono::milliseconds lifetime = std::chrono::seconds(15));
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:PORT" followed by `path`.
  std::string Address(const std::string& path = "/") const;
  // Each connection's request as received, byte for byte.
  std::vector<std::string> Requests() const;

 private:
  void Serve(std::vector<Exchange> exchanges, bool repeat_last);
  bool Handle(int connection, const Exchange& exchange);
  // Waits for `events` on `fd`, for at most `limit`; false when stopped or out of time.
  bool WaitFor(int fd, short events, std::chrono::milliseconds limit) const;

  int listener_ = -1;
  int stop_pipe_[2] = {-1, -1};
  int port_ = 0;
  std::chrono::steady_clock::time_point end_;
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// A loopback port that is bound but never listened on, for as long as the object lives:
// connecting to it is refused.
class RefusingPort {
 public:
  RefusingPort();
  ~RefusingPort();
  RefusingPort(const RefusingPort&) = delete;
  RefusingPort& operator=(const RefusingPort&) = delete;
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

}  // namespace quorella::testing
