#pragma once
// The colour picker's sixteen custom colours in their stored text form: lines "ColorA=" to
// "ColorP=" followed by the colour in lowercase hexadecimal (at least six digits), separated by
// CR LF; ffffffff (-1) and a missing line both mean unset.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorella {

inline constexpr std::int32_t kUnsetColour = -1;
using CustomColours = std::array<std::int32_t, 16>;

CustomColours ParseCustomColours(std::string_view text);
std::string FormatCustomColours(const CustomColours& colours);

}  // namespace quorella
