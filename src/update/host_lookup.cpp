#include "update/host_lookup.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <system_error>
#include <thread>

namespace quorella {

// Lives as long as either side needs it: a fetch that gives up waiting leaves the helper thread
// to finish on its own.
struct HostLookup::Shared {
  std::string host;
  int event_fd = -1;
  std::atomic<bool> done{false};
  bool found = false;
  in_addr address{};

  ~Shared() {
    if (event_fd >= 0) ::close(event_fd);
  }
};

namespace {

bool IsDottedAddress(const std::string& host) {
  return !host.empty() && host.find_first_not_of("0123456789.") == std::string::npos;
}

void Resolve(HostLookup::Shared& shared) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* results = nullptr;
  if (!shared.host.empty() && ::getaddrinfo(shared.host.c_str(), nullptr, &hints, &results) == 0 &&
      results != nullptr) {
    shared.address = reinterpret_cast<const sockaddr_in*>(results->ai_addr)->sin_addr;
    shared.found = true;
  }
  if (results != nullptr) ::freeaddrinfo(results);
}

}  // namespace

HostLookup::HostLookup(const std::string& host) : shared_(std::make_shared<Shared>()) {
  shared_->host = host;
  if (IsDottedAddress(host)) {
    shared_->found = ::inet_aton(host.c_str(), &shared_->address) != 0;
    shared_->done = true;
    return;
  }
  shared_->event_fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (shared_->event_fd >= 0) {
    try {
      std::thread([shared = shared_] {
        Resolve(*shared);
        shared->done.store(true, std::memory_order_release);
        const std::uint64_t one = 1;
        (void)!::write(shared->event_fd, &one, sizeof one);
      }).detach();
      return;
    } catch (const std::system_error&) {
      // No thread to be had: look the name up here, blocking for once.
    }
  }
  Resolve(*shared_);
  shared_->done = true;
}

HostLookup::~HostLookup() = default;

bool HostLookup::done() const {
  return shared_->done.load(std::memory_order_acquire);
}

int HostLookup::ready_fd() const {
  return done() ? -1 : shared_->event_fd;
}

std::optional<in_addr> HostLookup::address() const {
  if (!done() || !shared_->found) return std::nullopt;
  return shared_->address;
}

}  // namespace quorella
