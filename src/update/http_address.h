#pragma once
// The parts of an address [scheme "://"] [user [":" password] "@"] host [":" port] [path].
#include <optional>
#include <string>
#include <string_view>

namespace quorella {

struct HttpAddress {
  std::string scheme = "http";  // as written; "http" when the address has none
  std::string user;
  std::string password;
  std::string host;
  std::string port;  // empty when the address names none
  std::string path;  // from the first '/' after the host, query included; empty when none
};

// An address that begins with a single '/' is a path alone: host, port and user stay empty.
HttpAddress ParseHttpAddress(std::string_view address);

// The target of a Location value the client follows: a path beginning with '/' (host left empty:
// host and port stay), or an absolute http address with a host. nullopt for anything else (other
// schemes, relative paths), which is not followed.
std::optional<HttpAddress> FollowableLocation(std::string_view value);

// True for the scheme the client speaks, in any letter case.
bool IsHttpScheme(std::string_view scheme);

}  // namespace quorella
