#pragma once
// Bytes as hexadecimal text, two digits a byte, high digit first, and back.
#include <optional>
#include <string>
#include <string_view>

namespace quorella {

// Upper-case digits A to F.
std::string HexText(std::string_view bytes);

// The bytes of pairs of digits (either letter case); an odd last digit is dropped. nullopt when
// any character is not a hexadecimal digit.
std::optional<std::string> BytesFromHex(std::string_view text);

}  // namespace quorella
