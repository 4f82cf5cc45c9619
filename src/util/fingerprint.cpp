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

std::uint64_t Mixed(std::uint64_t state, std::uint64_t word) {
  state ^= RotateLeft(word * kMultiplier1, 31) * kMultiplier2;
  return RotateLeft(state, 27) * 5 + 0x52DCE729;
}

}  // namespace

void Fingerprint::Mix(std::uint64_t word) {
  state_ = Mixed(state_, word);
}

Fingerprint& Fingerprint::AddLong(std::string_view bytes) {
  constexpr std::size_t kLanes = 4;
  std::uint64_t lanes[kLanes] = {state_, state_ ^ kMultiplier1, state_ ^ kMultiplier2, ~state_};
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  for (; left >= kLanes * 8; left -= kLanes * 8, data += kLanes * 8) {
    for (std::size_t k = 0; k < kLanes; ++k) {
      std::uint64_t word;
      std::memcpy(&word, data + k * 8, 8);
      lanes[k] = Mixed(lanes[k], word);
    }
  }
  for (const std::uint64_t lane : lanes) Mix(lane);
  return Add(std::string_view(data, left)).Add(bytes.size());
}

Fingerprint& Fingerprint::Add(std::string_view bytes) {
  // The state stays in a register: stored back word by word, it would be read again after each
  // load, since the bytes may be any object's.
  std::uint64_t state = Mixed(state_, bytes.size());
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  for (; left >= 8; left -= 8, data += 8) {
    std::uint64_t word;
    std::memcpy(&word, data, 8);
    state = Mixed(state, word);
  }
  if (left > 0) {
    std::uint64_t word = 0;
    std::memcpy(&word, data, left);
    state = Mixed(state, word ^ (static_cast<std::uint64_t>(left) << 59));
  }
  state_ = state;
  return *this;
}

std::uint64_t BytesFingerprint(std::string_view bytes) {
  Fingerprint fingerprint;
  std::size_t at = 0;
  for (; bytes.size() - at >= kFingerprintBlock; at += kFingerprintBlock)
    fingerprint.AddLong(bytes.substr(at, kFingerprintBlock));
  return fingerprint.AddLong(bytes.substr(at)).Add(bytes.size()).value();
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
    // Not through the file seam: the answer is kept for the whole run, and a failure injected
    // here would change the fingerprint of every later Go of a test.
    if (::stat("/proc/self/exe", &info) == 0)
      program.Add(static_cast<std::uint64_t>(info.st_size))
          .Add(static_cast<std::uint64_t>(info.st_mtim.tv_sec))
          .Add(static_cast<std::uint64_t>(info.st_mtim.tv_nsec));
    return program.value();
  }();
  return fingerprint;
}

}  // namespace quorella
