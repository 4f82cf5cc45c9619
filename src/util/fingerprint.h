#pragma once
// A fast 64-bit fingerprint of a sequence of byte strings and numbers, to notice that the inputs
// of a generated file changed since the last run. Not for security: anyone who can write the
// output folder can change the pages themselves.
#include <cstdint>
#include <string_view>

namespace quorella {

class Fingerprint {
 public:
  Fingerprint() = default;
  explicit Fingerprint(std::uint64_t seed) : state_(seed) {}

  // Each piece is taken with its length, so ("ab", "c") and ("a", "bc") differ.
  Fingerprint& Add(std::string_view bytes);
  Fingerprint& Add(std::uint64_t number);
  // Add for long input (a whole document), in four lanes the processor mixes side by side: the
  // same bits reach the state, about four times as fast, with another value than Add's.
  Fingerprint& AddLong(std::string_view bytes);
  std::uint64_t value() const;

 private:
  void Mix(std::uint64_t word);
  std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

// The fingerprint of a file's bytes: Add in blocks of 64 KiB, so that a file can be fingerprinted
// as it is read, without holding it whole; the same for the same bytes in memory.
inline constexpr std::size_t kFingerprintBlock = 65536;
std::uint64_t BytesFingerprint(std::string_view bytes);

// The running program: its version and its file's size and time stamp, so that a rebuilt or
// updated program renders every page again at its first run.
std::uint64_t ProgramFingerprint();

}  // namespace quorella
