#include "util/fingerprint.h"

#include <sys/stat.h>

#include <cstring>

#include "quorella/version_info.h"

namespace quorella {

namespace {

constexpr std::uint64_t kMultiplier1 = 0x87C37B91114253D5ull;
constexpr std::uint64_t kMultiplier2 = 0x4CF5AD432745937Full;

std::uint64_t RotateLeft(std::uint64_t x, int bits) {
  return (x << bits) | (x >> (64 - bits));
}

// The 64-bit finaliser of MurmurHash3: every input bit reaches every output bit.
std::uint64_t Avalanche(std::uint64_t x) {
  x ^= x >> 33;
  x *= 0xFF51AFD7ED558CCDull;
  x ^= x >> 33;
  x *= 0xC4CEB9FE1A85EC53ull;
  x ^= x >> 33;
  return x;
}

std::uint64_t Step(std::uint64_t state, std::uint64_t word) {
  state ^= RotateLeft(word * kMultiplier1, 31) * kMultiplier2;
  return RotateLeft(state, 27) * 5 + 0x52DCE729;
}

std::uint64_t WordAt(const char* data) {
  std::uint64_t word;
  std::memcpy(&word, data, 8);
  return word;
}

// Pieces this long are taken 32 bytes at a time into four lanes of their own.
constexpr std::size_t kLanesFrom = 256;

}  // namespace

void Fingerprint::Mix(std::uint64_t word) {
  state_ = Step(state_, word);
}

Fingerprint& Fingerprint::Add(std::string_view bytes) {
  Mix(bytes.size());
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  // Each step waits for the one before it in its lane; four lanes side by side let the processor
  // work on four words at once, which makes the documents and answers of a Go hashed at about four
  // times the speed of one lane. The lanes start apart and are mixed in in order, so words moved
  // from one lane to another change the fingerprint.
  if (left >= kLanesFrom) {
    std::uint64_t lanes[4] = {state_, state_ ^ kMultiplier1, state_ ^ kMultiplier2,
                              state_ ^ (kMultiplier1 >> 1)};
    for (; left >= 32; left -= 32, data += 32)
      for (int k = 0; k < 4; ++k) lanes[k] = Step(lanes[k], WordAt(data + 8 * k));
    for (const std::uint64_t lane : lanes) Mix(lane);
  }
  for (; left >= 8; left -= 8, data += 8) Mix(WordAt(data));
  if (left > 0) {
    std::uint64_t word = 0;
    std::memcpy(&word, data, left);
    Mix(word ^ (static_cast<std::uint64_t>(left) << 59));
  }
  return *this;
}

Fingerprint& Fingerprint::Add(std::uint64_t number) {
  Mix(number);
  return *this;
}

std::uint64_t Fingerprint::value() const {
  return Avalanche(state_);
}

std::uint64_t ProgramFingerprint() {
  static const std::uint64_t fingerprint = [] {
    Fingerprint program;
    program.Add(version::kFileVersion);
    struct stat info {};
    if (::stat("/proc/self/exe", &info) == 0)
      program.Add(static_cast<std::uint64_t>(info.st_size))
          .Add(static_cast<std::uint64_t>(info.st_mtim.tv_sec))
          .Add(static_cast<std::uint64_t>(info.st_mtim.tv_nsec));
    return program.value();
  }();
  return fingerprint;
}

}  // namespace quorella
