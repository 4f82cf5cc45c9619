#include "support/error_text.h"

#include "util/errors.h"

namespace quorella::testing {

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

}  // namespace quorella::testing
