#pragma once
// JSON parsed with a bound on its nesting, so that hostile data cannot exhaust the parser's stack.
#include <nlohmann/json.hpp>

#include <string_view>

namespace quorella {

inline constexpr std::size_t kJsonDepthLimit = 64;

// The parsed value; a discarded value when `text` is not JSON or nests deeper than the limit.
nlohmann::json ParseBoundedJson(std::string_view text);

}  // namespace quorella
