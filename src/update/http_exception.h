#pragma once
// The one error the HTTP client raises to its caller: a message and a 16-bit code (the HTTP status
// of 400 and above, or one of the client's own codes below).
#include <cstdint>
#include <stdexcept>
#include <string>

namespace quorella {

class EHttpException : public std::runtime_error {
 public:
  EHttpException(std::uint16_t code, const std::string& message)
      : std::runtime_error(message), code_(code) {}
  std::uint16_t ErrorCode() const { return code_; }

 private:
  std::uint16_t code_;
};

inline constexpr std::uint16_t kHttpBusyCode = 1;
inline constexpr std::uint16_t kHttpLineTooLongCode = 4;

}  // namespace quorella
