#pragma once
// The message of the quorella::Error an action throws, so tests can compare exact texts.
#include <functional>
#include <string>

namespace quorella::testing {

// The Error's text; empty when the action throws nothing.
std::string ErrorOf(const std::function<void()>& action);

}  // namespace quorella::testing
