#pragma once
// SHA-256 (FIPS 180-4) of a byte string, for the manifest that lets a backup set be verified.
#include <string>
#include <string_view>

namespace quorella {

// The digest as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view data);

}  // namespace quorella
