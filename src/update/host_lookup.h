#pragma once
// Name lookup that never blocks the waiting loop: a dotted IPv4 address is used as it is, any other
// name is looked up through getaddrinfo on a helper thread whose end the loop can poll for.
#include <netinet/in.h>

#include <memory>
#include <optional>
#include <string>

namespace quorella {

class HostLookup {
 public:
  explicit HostLookup(const std::string& host);
  ~HostLookup();
  HostLookup(const HostLookup&) = delete;
  HostLookup& operator=(const HostLookup&) = delete;

  bool done() const;
  // Becomes readable when the lookup is done; -1 when it was done from the start.
  int ready_fd() const;
  // The first IPv4 address found; nullopt when the name could not be resolved. Only once done.
  std::optional<in_addr> address() const;

  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
};

}  // namespace quorella
