#include "update/http_address.h"

#include "util/strings.h"

namespace quorella {

namespace {

// Splits "user[:password]@host[:port]" at the last '@' and the ':' after it.
void ParseHostPart(std::string_view part, HttpAddress& address) {
  if (const auto at = part.rfind('@'); at != std::string_view::npos) {
    const std::string_view user_info = part.substr(0, at);
    const auto colon = user_info.find(':');
    address.user = std::string(user_info.substr(0, colon));
    if (colon != std::string_view::npos)
      address.password = std::string(user_info.substr(colon + 1));
    part.remove_prefix(at + 1);
  }
  const auto colon = part.find(':');
  address.host = std::string(part.substr(0, colon));
  if (colon != std::string_view::npos) address.port = std::string(part.substr(colon + 1));
}

}  // namespace

HttpAddress ParseHttpAddress(std::string_view address) {
  HttpAddress result;
  if (address.starts_with('/') && !address.starts_with("//")) {
    result.path = std::string(address);
    return result;
  }
  // A "://" inside the path or the query does not make a scheme.
  const auto separator = address.find("://");
  if (separator != std::string_view::npos && separator < address.find('/')) {
    result.scheme = std::string(address.substr(0, separator));
    address.remove_prefix(separator + 3);
  }
  const auto slash = address.find('/');
  ParseHostPart(address.substr(0, slash), result);
  if (slash != std::string_view::npos) result.path = std::string(address.substr(slash));
  return result;
}

std::optional<HttpAddress> FollowableLocation(std::string_view value) {
  if (value.starts_with('/')) {
    HttpAddress target;
    target.path = std::string(value);
    return target;
  }
  if (!StartsWithNoCase(value, "http://")) return std::nullopt;
  HttpAddress target = ParseHttpAddress(value);
  if (target.host.empty()) return std::nullopt;
  return target;
}

bool IsHttpScheme(std::string_view scheme) {
  return EqualsNoCase(scheme, "http");
}

}  // namespace quorella
